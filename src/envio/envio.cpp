#include "envio/envio.h"

#include <QHash>
#include <algorithm>

namespace {

QString celda(const QStringList& c, int i) { return i < c.size() ? c[i] : QString(); }

}  // namespace

Linea Linea::deCeldas(const QStringList& c) {
  Linea l;
  QString* campos[] = {&l.orden,  &l.depto, &l.fechaEmbarque, &l.fechaCancelacion, &l.tienda, &l.sku,
                       &l.modelo, &l.upc,   &l.color,         &l.talla,            &l.cantidad, &l.costo,
                       &l.precio, &l.tipoEntrega, &l.contenedor, &l.pedida};
  for (int i = 0; i < 16; ++i) *campos[i] = celda(c, i);
  return l;
}

QStringList Linea::celdas() const {
  return {orden,    depto, fechaEmbarque, fechaCancelacion, tienda,      sku,        modelo, upc,
          color,    talla, cantidad,      costo,            precio,      tipoEntrega, contenedor, pedida};
}

qint64 Linea::piezas() const { return cantidad.trimmed().toLongLong(); }

bool Linea::piezasEsNumero() const {
  bool ok = false;
  cantidad.trimmed().toLongLong(&ok);
  return ok;
}

Orden Orden::deCeldas(const QStringList& c) {
  Orden o;
  QString* campos[] = {&o.orden, &o.tipoMovimiento, &o.numVorarido,   &o.factura,
                       &o.importe, &o.depto,        &o.fechaVorarido, &o.fechaCancelacion};
  for (int i = 0; i < 8; ++i) *campos[i] = celda(c, i);
  return o;
}

QStringList Orden::celdas() const {
  return {orden, tipoMovimiento, numVorarido, factura, importe, depto, fechaVorarido, fechaCancelacion};
}

void Envio::agrupar(const std::vector<Linea>& todas) {
  contenedores.clear();
  tiendas.clear();
  lineas = 0;
  piezas = 0;
  QHash<QString, int> indiceOrden;
  for (size_t i = 0; i < ordenes.size(); ++i) {
    ordenes[i].lineas = 0;
    ordenes[i].piezas = 0;
    if (!ordenes[i].orden.isEmpty() && !indiceOrden.contains(ordenes[i].orden))
      indiceOrden.insert(ordenes[i].orden, static_cast<int>(i));
  }
  QHash<QString, int> indice;
  std::vector<std::vector<int>> ordenDeLinea;
  for (const Linea& l : todas) {
    const auto orden = indiceOrden.constFind(l.orden);
    if (orden == indiceOrden.constEnd()) continue;  // the notice carries only the shipment's orders
    auto it = indice.find(l.contenedor);
    if (it == indice.end()) {
      it = indice.insert(l.contenedor, static_cast<int>(contenedores.size()));
      Contenedor c;
      c.codigo = l.contenedor;
      c.tienda = l.tienda;
      c.depto = l.depto;
      contenedores.push_back(std::move(c));
      ordenDeLinea.emplace_back();
    }
    contenedores[static_cast<size_t>(it.value())].lineas.push_back(l);
    ordenDeLinea[static_cast<size_t>(it.value())].push_back(orden.value());
  }
  // Within a container the lines follow the notice: by order, then as they came.
  for (size_t i = 0; i < contenedores.size(); ++i) {
    Contenedor& c = contenedores[i];
    std::vector<size_t> pos(c.lineas.size());
    for (size_t k = 0; k < pos.size(); ++k) pos[k] = k;
    const std::vector<int>& o = ordenDeLinea[i];
    std::stable_sort(pos.begin(), pos.end(), [&o](size_t a, size_t b) { return o[a] < o[b]; });
    std::vector<Linea> enOrden;
    enOrden.reserve(pos.size());
    for (size_t k : pos) {
      enOrden.push_back(std::move(c.lineas[k]));
      const Linea& l = enOrden.back();
      const qint64 p = l.piezas();
      c.piezas += p;
      if (c.ordenes.isEmpty() || c.ordenes.last() != l.orden) c.ordenes.append(l.orden);
      Orden& od = ordenes[static_cast<size_t>(o[k])];
      ++od.lineas;
      od.piezas += p;
    }
    c.lineas = std::move(enOrden);
    lineas += static_cast<int>(c.lineas.size());
    piezas += c.piezas;
  }
  // Stores in the order of their text, each with its containers in their order.
  std::stable_sort(contenedores.begin(), contenedores.end(),
                   [](const Contenedor& a, const Contenedor& b) { return a.tienda < b.tienda; });
  for (size_t i = 0; i < contenedores.size(); ++i) {
    Contenedor& c = contenedores[i];
    if (tiendas.empty() || tiendas.back().tienda != c.tienda) tiendas.push_back({c.tienda, static_cast<int>(i), 0, 0, 0});
    Tienda& t = tiendas.back();
    c.numero = ++t.cuantos;
    t.lineas += static_cast<int>(c.lineas.size());
    t.piezas += c.piezas;
  }
  for (const Tienda& t : tiendas)
    for (int k = 0; k < t.cuantos; ++k) contenedores[static_cast<size_t>(t.primero + k)].deTienda = t.cuantos;
}
