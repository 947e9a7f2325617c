#include "app/marcas.h"

#include <QStringList>

#include "workspace/columnas.h"
#include "workspace/grid.h"

namespace {

// The warnings each column carries: the quantity its own, the order its order's values.
constexpr unsigned char kAvisosCantidad = CantidadMayor;
constexpr unsigned char kAvisosOrden = VoraridoLargo | OrdenLarga | FacturaLarga;

FallaLinea fallaDeColumna(const RevisionLinea& r, int col) {
  if (col == colDetalle::Cantidad) return r.cantidad;
  if (col == colDetalle::Contenedor) return r.contenedor != FallaLinea::Ninguna ? r.contenedor : r.coherencia;
  return FallaLinea::Ninguna;
}

unsigned char avisosDeColumna(const RevisionLinea& r, int col) {
  if (col == colDetalle::Cantidad) return r.avisos & kAvisosCantidad;
  if (col == colDetalle::Orden) return r.avisos & kAvisosOrden;
  return 0;
}

}  // namespace

void MarcasDetalle::revisar(const Grid& detalle, const Grid& encabezado) {
  const RevisionDetalle revision(detalle, encabezado);
  lineas_.resize(static_cast<size_t>(revision.lineas()));
  errores_ = avisos_ = 0;
  for (int f = 1; f <= revision.lineas(); ++f) {
    const RevisionLinea r = revision.linea(f);
    lineas_[static_cast<size_t>(f - 1)] = r;
    if (r.rechazada()) ++errores_;
    else if (r.avisos) ++avisos_;
  }
}

const RevisionLinea* MarcasDetalle::linea(int fila) const {
  if (fila < 1 || fila > static_cast<int>(lineas_.size())) return nullptr;
  return &lineas_[static_cast<size_t>(fila - 1)];
}

Marca MarcasDetalle::marca(int col, int fila) const {
  const RevisionLinea* r = linea(fila);
  if (!r) return Marca::Ninguna;
  if (fallaDeColumna(*r, col) != FallaLinea::Ninguna) return Marca::Error;
  if (avisosDeColumna(*r, col)) return Marca::Aviso;
  return Marca::Ninguna;
}

QString MarcasDetalle::tip(int col, int fila) const {
  const RevisionLinea* r = linea(fila);
  if (!r) return {};
  QStringList t;
  if (const FallaLinea f = fallaDeColumna(*r, col); f != FallaLinea::Ninguna) t << textoFalla(f).mensaje;
  t << textosAvisos(avisosDeColumna(*r, col));
  return t.join(QLatin1Char('\n'));
}

int MarcasDetalle::columnaMarcada(int fila) const {
  for (int col : {colDetalle::Cantidad, colDetalle::Contenedor})
    if (marca(col, fila) != Marca::Ninguna) return col;
  return colDetalle::Cantidad;
}

int MarcasDetalle::siguiente(int fila) const {
  const int n = static_cast<int>(lineas_.size());
  for (int paso = 1; paso <= n; ++paso) {
    const RevisionLinea& r = lineas_[static_cast<size_t>((fila - 1 + paso + n) % n)];
    if (r.rechazada() || r.avisos) return (fila - 1 + paso + n) % n + 1;
  }
  return 0;
}
