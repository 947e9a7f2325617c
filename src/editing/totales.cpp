#include "editing/totales.h"

#include <QSet>
#include <QStringView>

#include "workspace/columnas.h"
#include "workspace/grid.h"

qint64 piezasDe(QStringView q) {
  q = q.trimmed();
  if (q.isEmpty() || q.size() > 12) return 0;
  qint64 n = 0;
  for (QChar c : q) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
    n = n * 10 + (c.unicode() - '0');
  }
  return n;
}

Totales contarEnvio(const Grid& detalle, int fila) {
  Totales t;
  const int n = detalle.dataRowCount();
  const bool conFila = fila >= 1 && fila <= n;
  const QStringView orden = conFila ? detalle.vista(colDetalle::Orden, fila) : QStringView();
  const QString contenedor = conFila ? detalle.vista(colDetalle::Contenedor, fila).trimmed().toString() : QString();
  QSet<QStringView> todos, deOrden;
  todos.reserve(n / 4);
  for (int i = 1; i <= n; ++i) {
    const QStringView cont = detalle.vista(colDetalle::Contenedor, i).trimmed();
    const qint64 p = piezasDe(detalle.vista(colDetalle::Cantidad, i));
    ++t.envio.lineas;
    t.envio.piezas += p;
    if (!cont.isEmpty()) todos.insert(cont);
    if (conFila && detalle.vista(colDetalle::Orden, i) == orden) {
      ++t.orden.lineas;
      t.orden.piezas += p;
      if (!cont.isEmpty()) deOrden.insert(cont);
    }
    if (!contenedor.isEmpty() && cont == contenedor) {
      ++t.contenedor.lineas;
      t.contenedor.piezas += p;
      t.contenedor.contenedores = 1;
    }
  }
  t.envio.contenedores = todos.size();
  t.orden.contenedores = deOrden.size();
  return t;
}
