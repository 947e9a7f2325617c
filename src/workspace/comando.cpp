#include "workspace/comando.h"

#include "workspace/workspace.h"

Comando::Comando(Workspace& ws, const QString& entrada, QString salida, Salida cuando)
    : ws_(ws), padre_(ws.comandoAbierto), salida_(std::move(salida)), cuando_(cuando), ocupadoAntes_(ws.estaOcupado()) {
  ws_.comandoAbierto = this;
  ws_.historial.abrir();
  if (!padre_) {
    ws_.progreso = ws_.progresoMaximo = 0;
    if (ws_.alComando) ws_.alComando(true);
  }
  if (!entrada.isEmpty()) ws_.EscribirLog(entrada);
}

Comando::~Comando() {
  for (auto it = enBloque_.rbegin(); it != enBloque_.rend(); ++it) (*it)->endBulk();
  if (ws_.estaOcupado() != ocupadoAntes_) ws_.ocupado(ocupadoAntes_);
  ws_.comandoAbierto = padre_;
  if (!padre_) ws_.progreso = ws_.progresoMaximo = 0;
  ws_.historial.cerrar();
  if (!padre_ && ws_.alComando) ws_.alComando(false);
}

Resultado Comando::fin(Resultado r) {
  resultado_ = r;
  terminado_ = true;
  bool escribir = false;
  switch (cuando_) {
    case Salida::Siempre: escribir = true; break;
    case Salida::AlHacerse: escribir = r == Resultado::Hecho; break;
    case Salida::AlTerminar: escribir = r == Resultado::Hecho || r == Resultado::Fallido; break;
  }
  if (escribir && !salida_.isEmpty()) ws_.EscribirLog(salida_);
  return r;
}

Resultado Comando::finSinSalida(Resultado r) {
  resultado_ = r;
  terminado_ = true;
  return r;
}

void Comando::ocupado(bool si) { ws_.ocupado(si); }

void Comando::enBloque(Grid& g) {
  g.beginBulk();
  enBloque_.push_back(&g);
}
