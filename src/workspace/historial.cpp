#include "workspace/historial.h"

#include <algorithm>

#include "workspace/workspace.h"

namespace {
Lista* listas(Workspace& ws, int i) { return i == 0 ? &ws.Combo1 : i == 1 ? &ws.Combo2 : &ws.Combo3; }
}  // namespace

EstadoVentana EstadoVentana::de(const Workspace& ws) {
  EstadoVentana e;
  for (int i = 0; i < 3; ++i) {
    const Lista& l = *listas(const_cast<Workspace&>(ws), i);
    e.combos[i] = l.entradas;
    e.datos[i] = l.datos;
    e.indices[i] = l.indice;
    e.textos[i] = l.texto;
  }
  for (int i = 0; i < 8; ++i) e.Text1[i] = ws.Text1[i];
  e.Text2 = ws.Text2;
  e.fecha = ws.DTPicker1_4;
  e.fechaMinima = ws.DTPicker1_4_minimo;
  e.cual_grid = ws.cual_grid;
  e.sinvalidar = ws.sinvalidar;
  for (const auto& [nombre, c] : ws.controles) e.controles[nombre] = {c.habilitado, c.visible, c.tabStop};
  const auto& u = ws.ultimaInsercion;
  e.ultimaInsercion[0] = u.filaInsertada;
  e.ultimaInsercion[1] = u.limiteFilas;
  e.ultimaInsercion[2] = u.filaOrigen;
  e.ultimaInsercion[3] = u.filaDuplicada;
  e.archivoTrabajo = ws.archivoTrabajo;
  e.sinGuardar = ws.sinGuardar;
  return e;
}

void EstadoVentana::poner(Workspace& ws) const {
  for (int i = 0; i < 3; ++i) {
    Lista& l = *listas(ws, i);
    l.entradas = combos[i];
    l.datos = datos[i];
    l.indice = indices[i];
    l.texto = textos[i];
  }
  for (int i = 0; i < 8; ++i) ws.Text1[i] = Text1[i];
  ws.Text2 = Text2;
  ws.DTPicker1_4 = fecha;
  ws.DTPicker1_4_minimo = fechaMinima;
  ws.cual_grid = cual_grid;
  ws.sinvalidar = sinvalidar;
  ws.controles.clear();
  for (const auto& [nombre, c] : controles) ws.controles[nombre] = {std::get<0>(c), std::get<1>(c), std::get<2>(c)};
  ws.ultimaInsercion = {ultimaInsercion[0], ultimaInsercion[1], ultimaInsercion[2], ultimaInsercion[3]};
  ws.archivoTrabajo = archivoTrabajo;
  ws.sinGuardar = sinGuardar;
}

bool EstadoVentana::operator==(const EstadoVentana& o) const {
  return mismoTrabajo(o) && cual_grid == o.cual_grid && controles == o.controles;
}

namespace {
// QVector's own == hands memcmp a null pointer when one side was never filled.
bool iguales(const QVector<int>& a, const QVector<int>& b) {
  return a.size() == b.size() && std::equal(a.cbegin(), a.cend(), b.cbegin());
}
}  // namespace

bool EstadoVentana::mismoTrabajo(const EstadoVentana& o) const {
  for (int i = 0; i < 3; ++i)
    if (combos[i] != o.combos[i] || !iguales(datos[i], o.datos[i]) || indices[i] != o.indices[i] || textos[i] != o.textos[i])
      return false;
  for (int i = 0; i < 8; ++i)
    if (Text1[i] != o.Text1[i]) return false;
  return Text2 == o.Text2 && fecha == o.fecha && fechaMinima == o.fechaMinima && sinvalidar == o.sinvalidar &&
         std::equal(std::begin(ultimaInsercion), std::end(ultimaInsercion), std::begin(o.ultimaInsercion)) &&
         archivoTrabajo == o.archivoTrabajo && sinGuardar == o.sinGuardar;
}

// The tables that hold the work; the file image, the builder's scratch and
// the settings tables are filled afresh by every command that reads them.
std::vector<Grid*> Historial::tablas() const {
  return {&ws_.vaspread1, &ws_.vaSpread5, &ws_.vaSpread6, &ws_.vaSpread7, &ws_.vaSpread9};
}

void Historial::activar(bool si) {
  activo_ = si;
  hechos_.clear();
  deshechos_.clear();
}

// The state now, shared with the last one taken when nothing changed.
std::shared_ptr<const EstadoVentana> Historial::estado() {
  EstadoVentana e = EstadoVentana::de(ws_);
  if (!ultimo_ || !(*ultimo_ == e)) ultimo_ = std::make_shared<const EstadoVentana>(std::move(e));
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
  const std::vector<Grid*> ts = tablas();
  abiertos_.clear();
  abiertos_.resize(ts.size());
  for (size_t i = 0; i < ts.size(); ++i) ts[i]->anotarEn(&abiertos_[i]);
}

void Historial::nombrar(const QString& que) {
  if (nivel_ > 0 && abierto_.nombre.isEmpty()) abierto_.nombre = que;
}

void Historial::cerrar() {
  if (nivel_ == 0 || --nivel_ > 0) return;
  const std::vector<Grid*> ts = tablas();
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
  p.antes->poner(ws_);
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
