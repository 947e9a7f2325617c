#include "empaque/resumen_empaque.h"

#include <QHash>
#include <algorithm>
#include <cmath>

#include "editing/detail_rules.h"
#include "workspace/columnas.h"
#include "workspace/grid.h"

namespace {

qint64 entero(QStringView t) { return std::llround(numeroInicial(t.toString())); }

}  // namespace

ResumenEmpaque resumirEmpaque(const Grid& g) {
  ResumenEmpaque r;
  QHash<QString, size_t> contenedores, articulos;
  const bool conPedida = g.colLimit() >= colDetalle::Pedida;
  for (int f = 1, n = g.dataRowCount(); f <= n; ++f) {
    const QString clave = g.text(colDetalle::Orden, f) + QChar(0) + g.text(colDetalle::Tienda, f) + QChar(0) +
                          g.text(colDetalle::Sku, f);
    auto a = articulos.constFind(clave);
    if (a == articulos.constEnd()) {
      ResumenEmpaque::Articulo nuevo;
      nuevo.orden = g.text(colDetalle::Orden, f);
      nuevo.tienda = g.text(colDetalle::Tienda, f);
      nuevo.sku = g.text(colDetalle::Sku, f);
      nuevo.upc = g.text(colDetalle::Upc, f);
      nuevo.modelo = g.text(colDetalle::Modelo, f);
      const QString pedida = conPedida ? g.text(colDetalle::Pedida, f) : QString();
      if (empiezaConNumero(pedida)) nuevo.pedidas = entero(pedida);
      a = articulos.insert(clave, r.articulos.size());
      r.articulos.push_back(nuevo);
    }
    const QString codigo = g.text(colDetalle::Contenedor, f).trimmed();
    if (codigo.isEmpty()) continue;
    const qint64 q = entero(g.vista(colDetalle::Cantidad, f));
    r.articulos[*a].empacadas += q;
    auto c = contenedores.constFind(codigo);
    if (c == contenedores.constEnd()) {
      c = contenedores.insert(codigo, r.contenedores.size());
      r.contenedores.push_back({codigo, g.text(colDetalle::Tienda, f), 0, 0});
    }
    ++r.contenedores[*c].lineas;
    r.contenedores[*c].piezas += q;
  }
  std::stable_sort(r.articulos.begin(), r.articulos.end(), [](const auto& x, const auto& y) {
    return std::tie(x.orden, x.tienda, x.sku) < std::tie(y.orden, y.tienda, y.sku);
  });
  for (const auto& a : r.articulos) {
    r.empacadas += a.empacadas;
    if (a.pedidas < 0) {
      ++r.sinLimite;
      continue;
    }
    r.pedidas += a.pedidas;
    r.faltantes += qMax<qint64>(0, a.faltan());
  }
  return r;
}

QStringList textoResumen(const ResumenEmpaque& r) {
  QStringList t;
  t << QStringLiteral("Contenedores: %1").arg(r.contenedores.size());
  for (const auto& c : r.contenedores)
    t << QStringLiteral("  %1  tienda %2  %3  %4")
             .arg(c.codigo, c.tienda,
                  c.lineas == 1 ? QStringLiteral("1 renglón") : QStringLiteral("%1 renglones").arg(c.lineas),
                  c.piezas == 1 ? QStringLiteral("1 pieza") : QStringLiteral("%1 piezas").arg(c.piezas));
  t << QString() << QStringLiteral("Orden / tienda / SKU: pedidas, empacadas, faltan");
  for (const auto& a : r.articulos) {
    QString estado;
    if (a.pedidas < 0) estado = QStringLiteral("sin cantidad pedida: %1 empacadas").arg(a.empacadas);
    else if (a.faltan() > 0) estado = QStringLiteral("faltan %1").arg(a.faltan());
    else if (a.faltan() < 0) estado = QStringLiteral("sobran %1").arg(-a.faltan());
    else estado = QStringLiteral("completo");
    t << QStringLiteral("  %1 / %2 / %3 (%4): %5, %6: %7")
             .arg(a.orden, a.tienda, a.sku, a.upc,
                  a.pedidas < 0 ? QStringLiteral("-") : QString::number(a.pedidas), QString::number(a.empacadas), estado);
  }
  t << QString()
    << QStringLiteral("Total: %1 pedidas, %2 empacadas, %3 faltan").arg(r.pedidas).arg(r.empacadas).arg(r.faltantes);
  if (r.sinLimite > 0)
    t << QStringLiteral("%1 artículos sin cantidad pedida: no tienen límite y no se cuentan en las pedidas.").arg(r.sinLimite);
  return t;
}
