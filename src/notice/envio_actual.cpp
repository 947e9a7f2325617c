#include "notice/envio_actual.h"

#include <QSet>

#include "editing/container_kinds.h"
#include "notice/validation.h"
#include "workspace/columnas.h"
#include "workspace/workspace.h"

namespace {

// The detail lines as the file command leaves them for the notice: sorted by
// container, then repeated lines merged.
std::vector<Linea> lineasUnidas(const Grid& detalle) {
  const int n = detalle.dataRowCount();
  Grid copia(QStringLiteral("copia"), qMax(n, 1), colDetalle::Contenedor);
  for (int r = 1; r <= n; ++r) copia.copiarRenglon(detalle, r, r);
  copia.sortRows({SortKey{colDetalle::Contenedor, true}});
  unirRepetidas(copia);
  std::vector<Linea> lineas;
  lineas.reserve(static_cast<size_t>(copia.dataRowCount()));
  for (int r = 1; r <= copia.dataRowCount(); ++r) lineas.push_back(Linea::deCeldas(copia.rowTexts(r)));
  return lineas;
}

}  // namespace

Envio envioDe(const Workspace& ws) {
  Envio e;
  e.proveedor = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Proveedor);
  e.cliente = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Cliente);
  e.rfc = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Rfc);
  e.entrega = ws.DTPicker1_4;
  e.hora = ws.Combo3.texto;
  // An order listed twice, or a row without an order, adds none.
  QSet<QString> vistas;
  for (int i = 1; i <= ws.vaSpread9.dataRowCount(); ++i) {
    const Orden o = Orden::deCeldas(ws.vaSpread9.rowTexts(i));
    if (o.orden.isEmpty() || vistas.contains(o.orden)) continue;
    vistas.insert(o.orden);
    e.ordenes.push_back(o);
  }
  e.agrupar(lineasUnidas(ws.vaspread1));
  QHash<QString, Contenedor*> porCodigo;
  for (Contenedor& c : e.contenedores) {
    c.tipoEntrega = descripcionContenedor(c.codigo);
    porCodigo.insert(c.codigo, &c);
  }
  // Where each container starts in the grid as the user sees it.
  const Grid& detalle = ws.vaspread1;
  for (int r = detalle.dataRowCount(); r >= 1; --r)
    if (Contenedor* c = porCodigo.value(detalle.text(colDetalle::Contenedor, r))) c->fila = r;
  return e;
}
