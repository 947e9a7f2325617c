#include "documents/shipment_documents.h"

#include <QBuffer>
#include <QHash>
#include <QLocale>
#include <QPdfWriter>
#include <algorithm>

#include "editing/container_kinds.h"
#include "notice/line_checks.h"
#include "notice/validation.h"
#include "workspace/columnas.h"
#include "workspace/comando.h"
#include "workspace/workspace.h"

namespace {


// The detail lines as the file command leaves them for the notice: sorted by
// container, then repeated lines merged; the workspace's grid is only read.
void copiarUnidas(const Grid& detalle, Grid& copia) {
  const int lineas = detalle.dataRowCount();
  copia.setRowLimit(qMax(lineas, 1));
  for (int r = 1; r <= lineas; ++r) copia.copiarRenglon(detalle, r, r);
  copia.sortRows({SortKey{colDetalle::Contenedor, true}});
  unirRepetidas(copia);
}

LineaDocumento lineaDe(const Grid& g, int r) {
  return {g.text(colDetalle::Orden, r),  g.text(colDetalle::Sku, r),   g.text(colDetalle::Upc, r),
          g.text(colDetalle::Modelo, r), g.text(colDetalle::Color, r), g.text(colDetalle::Talla, r),
          g.vista(colDetalle::Cantidad, r).trimmed().toLongLong()};
}

// Containers grouped from the merged copy, each with the lines of the orders
// the notice carries; within a container the lines follow the notice: by order,
// then as they stand.
void agruparContenedores(const Grid& copia, const Grid& detalle, const QHash<QString, int>& indiceOrden,
                         EnvioDocumentos& e) {
  QHash<QString, int> indice;
  std::vector<std::vector<int>> ordenDeLinea;
  for (int r = 1; r <= copia.dataRowCount(); ++r) {
    const auto orden = indiceOrden.constFind(copia.text(colDetalle::Orden, r));
    if (orden == indiceOrden.constEnd()) continue;  // the notice carries only the orders of the table
    const QString codigo = copia.text(colDetalle::Contenedor, r);
    auto it = indice.find(codigo);
    if (it == indice.end()) {
      it = indice.insert(codigo, static_cast<int>(e.contenedores.size()));
      ContenedorDocumento c;
      c.codigo = codigo;
      c.tienda = copia.text(colDetalle::Tienda, r);
      c.depto = copia.text(colDetalle::Depto, r);
      c.tipoEntrega = descripcionContenedor(codigo);
      e.contenedores.push_back(std::move(c));
      ordenDeLinea.emplace_back();
    }
    e.contenedores[it.value()].lineas.push_back(lineaDe(copia, r));
    ordenDeLinea[it.value()].push_back(orden.value());
  }
  for (size_t i = 0; i < e.contenedores.size(); ++i) {
    ContenedorDocumento& c = e.contenedores[i];
    std::vector<size_t> pos(c.lineas.size());
    for (size_t k = 0; k < pos.size(); ++k) pos[k] = k;
    const std::vector<int>& o = ordenDeLinea[i];
    std::stable_sort(pos.begin(), pos.end(), [&o](size_t a, size_t b) { return o[a] < o[b]; });
    std::vector<LineaDocumento> lineas;
    lineas.reserve(pos.size());
    for (size_t k : pos) {
      lineas.push_back(std::move(c.lineas[k]));
      const LineaDocumento& l = lineas.back();
      c.piezas += l.cantidad;
      if (c.ordenes.isEmpty() || c.ordenes.last() != l.orden) c.ordenes.append(l.orden);
      OrdenDocumento& od = e.ordenes[static_cast<size_t>(o[k])];
      ++od.lineas;
      od.piezas += l.cantidad;
    }
    c.lineas = std::move(lineas);
    e.lineas += static_cast<int>(c.lineas.size());
    e.piezas += c.piezas;
  }
  // Where each container starts in the grid as the user sees it.
  for (int r = detalle.dataRowCount(); r >= 1; --r) {
    const auto it = indice.constFind(detalle.text(colDetalle::Contenedor, r));
    if (it != indice.constEnd()) e.contenedores[it.value()].fila = r;
  }
}

// Stores in the order of their text, each with its containers in their order.
void agruparTiendas(EnvioDocumentos& e) {
  std::stable_sort(e.contenedores.begin(), e.contenedores.end(),
                   [](const ContenedorDocumento& a, const ContenedorDocumento& b) { return a.tienda < b.tienda; });
  for (size_t i = 0; i < e.contenedores.size(); ++i) {
    ContenedorDocumento& c = e.contenedores[i];
    if (e.tiendas.empty() || e.tiendas.back().tienda != c.tienda)
      e.tiendas.push_back({c.tienda, static_cast<int>(i), 0, 0, 0});
    TiendaDocumento& t = e.tiendas.back();
    c.numero = ++t.cuantos;
    t.lineas += static_cast<int>(c.lineas.size());
    t.piezas += c.piezas;
  }
  for (const TiendaDocumento& t : e.tiendas)
    for (int k = 0; k < t.cuantos; ++k) e.contenedores[static_cast<size_t>(t.primero + k)].deTienda = t.cuantos;
}

Resultado sinLineas(Workspace& ws, Comando& cmd) {
  ws.MsgBox(QStringLiteral("No hay información para generar el documento"), Botones::Ok, QStringLiteral("Aviso"),
            Icono::Informacion);
  return cmd.fin(Resultado::Rechazado);
}

}  // namespace

Resultado armarEnvio(Workspace& ws, EnvioDocumentos& envio) {
  Comando cmd(ws, QStringLiteral("ENTRO A LA FUNCION-----armarEnvio"), QStringLiteral("TERMINO LA FUNCION-----armarEnvio"),
              Comando::Salida::AlHacerse);
  envio = EnvioDocumentos();
  if (ws.vaspread1.dataRowCount() == 0) return sinLineas(ws, cmd);
  {
    // Each pass over every line lets the window paint before the next one.
    const RevisionDetalle::Primera falla = RevisionDetalle(ws.vaspread1, ws.vaSpread9).primeraFalla();
    if (falla.fila != 0) {
      avisarFalla(ws, falla.fila, falla.falla);
      return cmd.fin(Resultado::Rechazado);
    }
    ws.doEvents();
    if (const int fila = filaSumaGrande(ws.vaspread1)) {
      avisarFalla(ws, fila, FallaLinea::SumaGrande);
      return cmd.fin(Resultado::Rechazado);
    }
  }
  cmd.ocupado(true);
  envio.proveedor = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Proveedor);
  envio.cliente = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Cliente);
  envio.entrega = ws.DTPicker1_4;
  envio.hora = ws.Combo3.texto;
  QHash<QString, int> indiceOrden;
  for (int i = 1; i <= ws.vaSpread9.dataRowCount(); ++i) {
    const QString orden = ws.vaSpread9.text(colPedidos::Orden, i);
    if (orden.isEmpty() || indiceOrden.contains(orden)) continue;
    indiceOrden.insert(orden, static_cast<int>(envio.ordenes.size()));
    envio.ordenes.push_back({orden, ws.vaSpread9.text(colPedidos::Factura, i), 0, 0});
  }
  Grid copia(QStringLiteral("copia"), Grid::kLimiteRenglones, colDetalle::Contenedor);
  ws.doEvents();
  copiarUnidas(ws.vaspread1, copia);
  ws.doEvents();
  agruparContenedores(copia, ws.vaspread1, indiceOrden, envio);
  if (envio.contenedores.empty()) return sinLineas(ws, cmd);
  agruparTiendas(envio);
  return cmd.fin(Resultado::Hecho);
}

texto::Resultado guardarPdf(const QString& ruta, const QString& titulo,
                            const std::function<bool(QPagedPaintDevice&)>& pintar) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(titulo);
    pdf.setCreator(kTituloVentana);
    if (!pintar(pdf)) return texto::Resultado::falla(5, QStringLiteral("No se pudo dibujar el documento: ") + ruta);
  }
  return texto::escribirArchivo(ruta, bytes);
}

namespace documento {

QString fecha(const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

QString entrega(const EnvioDocumentos& e) {
  QString t = e.entrega.isValid() ? fecha(e.entrega) : QString();
  if (!e.hora.isEmpty()) t += (t.isEmpty() ? QString() : QStringLiteral(" ")) + e.hora;
  return t;
}

QString numero(qint64 n) {
  static const QLocale us(QLocale::English, QLocale::UnitedStates);
  return us.toString(n);
}

}  // namespace documento
