#include "workspace/historial.h"

#include <algorithm>

#include "workspace/workspace.h"

void Historial::activar(bool si) {
  activo_ = si;
  hechos_.clear();
  deshechos_.clear();
}

// The state now, shared with the last one taken when nothing changed.
std::shared_ptr<const EstadoTrabajo> Historial::estado() {
  const EstadoTrabajo& e = ws_;
  if (!ultimo_ || *ultimo_ != e) ultimo_ = std::make_shared<const EstadoTrabajo>(e);
  return ultimo_;
}

void Historial::cursores(int (&c)[2][2]) const {
  c[0][0] = ws_.vaspread1.activeCol();
  c[0][1] = ws_.vaspread1.activeRow();
  c[1][0] = ws_.vaSpread9.activeCol();
  c[1][1] = ws_.vaSpread9.activeRow();
}

void Historial::abrir() {
  if (!activo_ || nivel_++ > 0) return;
  omitir_ = guardado_ = false;
  abierto_ = Paso{};
  abierto_.antes = estado();
  cursores(abierto_.cursores);
  const std::vector<Grid*> ts = ws_.tablasDelTrabajo();
  abiertos_.clear();
  abiertos_.resize(ts.size());
  for (size_t i = 0; i < ts.size(); ++i) ts[i]->anotarEn(&abiertos_[i]);
}

void Historial::nombrar(const QString& que) {
  if (nivel_ > 0 && abierto_.nombre.isEmpty()) abierto_.nombre = que;
}

void Historial::cerrar() {
  if (nivel_ == 0 || --nivel_ > 0) return;
  const std::vector<Grid*> ts = ws_.tablasDelTrabajo();
  for (Grid* g : ts) g->anotarEn(nullptr);
  Paso p = std::move(abierto_);
  if (omitir_) return;  // undo or redo: it made its own step
  for (size_t i = 0; i < ts.size(); ++i)
    if (!abiertos_[i].vacio()) p.diarios.emplace_back(ts[i], std::move(abiertos_[i]));
  abiertos_.clear();
  const bool tablasCambiaron = !p.diarios.empty();
  if (!tablasCambiaron && estado()->mismoTrabajo(*p.antes)) return;  // nothing the user would miss: no step
  // Work that no file holds: anything typed, or a change to a work file.
  if (!guardado_)
    ws_.sinGuardar = ws_.vaspread1.dataRowCount() > 0 || ws_.vaSpread9.dataRowCount() > 0 || !ws_.archivoTrabajo.isEmpty();
  p.despues = estado();
  cursores(p.cursoresDespues);
  hechos_.push_back(std::move(p));
  while (hechos_.size() > static_cast<size_t>(limite)) hechos_.pop_front();
  deshechos_.clear();
}

Historial::Paso Historial::aplicar(Paso& p) {
  Paso vuelta;
  for (auto it = p.diarios.rbegin(); it != p.diarios.rend(); ++it) {
    // The grid tells its views once what came back: the cells, or a reset.
    Grid::Diario inverso;
    it->first->deshacer(it->second, inverso);
    vuelta.diarios.emplace_back(it->first, std::move(inverso));
  }
  static_cast<EstadoTrabajo&>(ws_) = *p.antes;
  ultimo_ = p.antes;
  ws_.cursor(ws_.vaspread1, p.cursores[0][0], p.cursores[0][1]);
  ws_.cursor(ws_.vaSpread9, p.cursores[1][0], p.cursores[1][1]);
  vuelta.nombre = p.nombre;
  vuelta.antes = p.despues;
  vuelta.despues = p.antes;
  std::copy(&p.cursoresDespues[0][0], &p.cursoresDespues[0][0] + 4, &vuelta.cursores[0][0]);
  std::copy(&p.cursores[0][0], &p.cursores[0][0] + 4, &vuelta.cursoresDespues[0][0]);
  return vuelta;
}

// Takes the last step of one list back (or again) and keeps its reverse on the other.
bool Historial::pasar(std::deque<Paso>& desde, std::deque<Paso>& hacia) {
  if (desde.empty()) return false;
  omitir_ = true;
  Paso p = std::move(desde.back());
  desde.pop_back();
  hacia.push_back(aplicar(p));
  return true;
}

bool Historial::deshacer() { return pasar(hechos_, deshechos_); }

bool Historial::rehacer() { return pasar(deshechos_, hechos_); }

Resultado deshacer_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----deshacer"));
  return cmd.fin(ws.historial.deshacer() ? Resultado::Hecho : Resultado::Cancelado);
}

Resultado rehacer_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----rehacer"));
  return cmd.fin(ws.historial.rehacer() ? Resultado::Hecho : Resultado::Cancelado);
}
