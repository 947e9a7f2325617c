#include "documents/empaque_documentos.h"

#include <QHash>
#include <QPagedPaintDevice>
#include <QFileInfo>
#include <algorithm>
#include <map>

#include "documents/document_commands.h"
#include "documents/labels.h"
#include "documents/packing_list.h"
#include "documents/page_painting.h"
#include "editing/container_kinds.h"
#include "empaque/resumen_empaque.h"
#include "workspace/columnas.h"
#include "workspace/comando.h"
#include "workspace/workspace.h"

const QString kTituloResumenEmpaque = QStringLiteral("Resumen de empaque");

namespace {

constexpr double kLetra = 95;  // tenths of a point

// Where a preview offers its PDF: beside the work file, else a dated name.
void nombrar(const Workspace& ws, VistaPreviaModelo& vista, const QString& clase) {
  if (ws.archivoTrabajo.isEmpty()) {
    vista.nombrePdf = clase + ws.reloj.hoy().toString(QStringLiteral(" dd-MM-yyyy")) + QStringLiteral(".pdf");
    return;
  }
  const QFileInfo trabajo(ws.archivoTrabajo);
  vista.nombrePdf = trabajo.completeBaseName() + QLatin1Char(' ') + clase + QStringLiteral(".pdf");
  vista.carpetaPdf = trabajo.absolutePath();
}

Resultado vistaPrevia(Workspace& ws, Comando& cmd, const QString& titulo, const QPageLayout& pagina,
                      std::function<bool(QPagedPaintDevice&)> pintar, const QString& clase) {
  VistaPreviaModelo vista;
  nombrar(ws, vista, clase);
  vista.titulo = titulo;
  vista.pagina = pagina;
  vista.pintar = std::move(pintar);
  ws.prompter.ejecutarDialogo(vista);
  return cmd.fin(vista.impreso ? Resultado::Hecho : Resultado::Cancelado);
}

}  // namespace

EnvioDocumentos envioEmpacado(const Workspace& ws, const QString& codigo) {
  EnvioDocumentos e;
  e.proveedor = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Proveedor);
  e.cliente = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Cliente);
  e.entrega = ws.DTPicker1_4;
  e.hora = ws.Combo3.texto;
  QHash<QString, size_t> ordenes;
  for (int i = 1; i <= ws.vaSpread9.dataRowCount(); ++i) {
    const QString orden = ws.vaSpread9.text(colPedidos::Orden, i);
    if (orden.isEmpty() || ordenes.contains(orden)) continue;
    ordenes.insert(orden, e.ordenes.size());
    e.ordenes.push_back({orden, ws.vaSpread9.text(colPedidos::Factura, i), 0, 0});
  }
  // Containers by code; within one, a line per order and SKU, in the orders' order.
  const Grid& g = ws.vaspread1;
  std::map<QString, ContenedorDocumento> porCodigo;
  std::map<QString, std::map<std::pair<size_t, QString>, LineaDocumento>> lineas;
  for (int r = 1, n = g.dataRowCount(); r <= n; ++r) {
    const QString c = g.text(colDetalle::Contenedor, r).trimmed();
    if (c.isEmpty() || (!codigo.isEmpty() && c != codigo)) continue;
    const auto orden = ordenes.constFind(g.text(colDetalle::Orden, r));
    if (orden == ordenes.constEnd()) continue;
    ContenedorDocumento& k = porCodigo[c];
    if (k.codigo.isEmpty()) {
      k.codigo = c;
      k.tienda = g.text(colDetalle::Tienda, r);
      k.depto = g.text(colDetalle::Depto, r);
      k.tipoEntrega = descripcionContenedor(c);
      k.fila = r;
    }
    LineaDocumento& l = lineas[c][{*orden, g.text(colDetalle::Sku, r)}];
    if (l.orden.isEmpty())
      l = {g.text(colDetalle::Orden, r), g.text(colDetalle::Sku, r), g.text(colDetalle::Upc, r),
           g.text(colDetalle::Modelo, r), g.text(colDetalle::Color, r), g.text(colDetalle::Talla, r), 0};
    l.cantidad += g.vista(colDetalle::Cantidad, r).trimmed().toLongLong();
  }
  for (auto& [c, k] : porCodigo) {
    for (auto& [clave, l] : lineas[c]) {
      k.piezas += l.cantidad;
      if (k.ordenes.isEmpty() || k.ordenes.last() != l.orden) k.ordenes.append(l.orden);
      OrdenDocumento& od = e.ordenes[clave.first];
      ++od.lineas;
      od.piezas += l.cantidad;
      k.lineas.push_back(l);
    }
    e.lineas += static_cast<int>(k.lineas.size());
    e.piezas += k.piezas;
    e.contenedores.push_back(std::move(k));
  }
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
  return e;
}

Resultado etiquetaContenedor(Workspace& ws, const QString& codigo) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----etiquetaContenedor"),
              QStringLiteral("TERMINO EL EVENTO-----etiquetaContenedor"));
  EnvioDocumentos envio = envioEmpacado(ws, codigo);
  if (envio.contenedores.empty() || contenedorSinBarras(envio) >= 0) {
    ws.MsgBox(QStringLiteral("No se puede imprimir la etiqueta del contenedor ") + codigo +
                  QStringLiteral(": no tiene renglones o su código no cabe en un código de barras."),
              Botones::Ok, kTituloEtiquetas, Icono::Exclamacion);
    return cmd.fin(Resultado::Rechazado);
  }
  // "k de n" among its store's containers: the whole shipment's numbering.
  const EnvioDocumentos todos = envioEmpacado(ws);
  for (const ContenedorDocumento& c : todos.contenedores)
    if (c.codigo == codigo) {
      envio.contenedores.front().numero = c.numero;
      envio.contenedores.front().deTienda = c.deTienda;
    }
  FormatoEtiquetasModelo formato;
  ws.prompter.ejecutarDialogo(formato);
  if (!formato.aceptado) return cmd.fin(Resultado::Cancelado);
  const FormatoEtiqueta f = formato.formato;
  return vistaPrevia(ws, cmd, kTituloEtiquetas, paginaEtiquetas(f),
                     [envio, f](QPagedPaintDevice& d) { return pintarEtiquetas(envio, f, d); },
                     QStringLiteral("etiqueta ") + codigo);
}

bool pintarResumenEmpaque(const QStringList& resumen, const EnvioDocumentos& envio, QPagedPaintDevice& dispositivo) {
  dispositivo.setPageLayout(paginaLista());
  pagina::Pintor pintor(dispositivo);
  if (!pintor.activo()) return false;
  const QRectF area = pintor.area();
  const double alto = kLetra * 1.5;
  double y = 0;
  pagina::texto(pintor.p, QRectF(0, y, area.width(), alto * 1.6), kTituloResumenEmpaque, kLetra * 1.6, true);
  y += alto * 2;
  for (const QString& linea : resumen) {
    if (y + alto > area.height()) {
      if (!pintor.nuevaPagina()) return false;
      y = 0;
    }
    pagina::texto(pintor.p, QRectF(0, y, area.width(), alto), linea, kLetra, false);
    y += alto;
  }
  if (envio.contenedores.empty()) return true;
  return pintor.nuevaPagina() && pintarListaEmpaque(envio, pintor);
}

Resultado imprimirResumenEmpaque(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----imprimirResumenEmpaque"),
              QStringLiteral("TERMINO EL EVENTO-----imprimirResumenEmpaque"));
  const QStringList resumen = textoResumen(resumirEmpaque(ws.vaspread1));
  const EnvioDocumentos envio = envioEmpacado(ws);
  return vistaPrevia(ws, cmd, kTituloResumenEmpaque, paginaLista(),
                     [resumen, envio](QPagedPaintDevice& d) { return pintarResumenEmpaque(resumen, envio, d); },
                     QStringLiteral("resumen de empaque"));
}

Resultado resumenEmpaque_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----resumenEmpaque_Click"),
              QStringLiteral("TERMINO EL EVENTO-----resumenEmpaque_Click"));
  ResumenEmpaqueModelo modelo;
  modelo.lineas = textoResumen(resumirEmpaque(ws.vaspread1));
  ws.prompter.ejecutarDialogo(modelo);
  return cmd.fin(modelo.imprimir ? imprimirResumenEmpaque(ws) : Resultado::Hecho);
}
