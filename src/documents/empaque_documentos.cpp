#include "documents/empaque_documentos.h"

#include <QHash>
#include <QPagedPaintDevice>

#include "documents/document_commands.h"
#include "documents/labels.h"
#include "documents/packing_list.h"
#include "documents/page_painting.h"
#include "editing/container_kinds.h"
#include "empaque/resumen_empaque.h"
#include "notice/envio_actual.h"
#include "workspace/columnas.h"
#include "workspace/comando.h"
#include "workspace/workspace.h"

const QString kTituloResumenEmpaque = QStringLiteral("Resumen de empaque");

namespace {

constexpr double kLetra = 95;  // tenths of a point

}  // namespace

Envio envioEmpacado(const Workspace& ws, const QString& codigo) {
  Envio e = envioDe(ws);
  std::vector<Linea> lineas;
  for (const Contenedor& c : e.contenedores)
    if (!c.codigo.trimmed().isEmpty() && (codigo.isEmpty() || c.codigo == codigo))
      lineas.insert(lineas.end(), c.lineas.begin(), c.lineas.end());
  std::vector<int> filas;
  for (const Contenedor& c : e.contenedores) filas.push_back(c.fila);
  QHash<QString, int> fila;
  for (size_t i = 0; i < e.contenedores.size(); ++i) fila.insert(e.contenedores[i].codigo, filas[i]);
  e.agrupar(lineas);
  for (Contenedor& c : e.contenedores) {
    c.tipoEntrega = descripcionContenedor(c.codigo);
    c.fila = fila.value(c.codigo);
  }
  return e;
}

Resultado etiquetaContenedor(Workspace& ws, const QString& codigo) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----etiquetaContenedor"),
              QStringLiteral("TERMINO EL EVENTO-----etiquetaContenedor"));
  Envio envio = envioEmpacado(ws, codigo);
  if (envio.contenedores.empty() || contenedorSinBarras(envio) >= 0) {
    ws.MsgBox(QStringLiteral("No se puede imprimir la etiqueta del contenedor ") + codigo +
                  QStringLiteral(": no tiene renglones o su código no cabe en un código de barras."),
              Botones::Ok, kTituloEtiquetas, Icono::Exclamacion);
    return cmd.fin(Resultado::Rechazado);
  }
  // "k de n" among its store's containers: the whole shipment's numbering.
  const Envio todos = envioEmpacado(ws);
  for (const Contenedor& c : todos.contenedores)
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

bool pintarResumenEmpaque(const QStringList& resumen, const Envio& envio, QPagedPaintDevice& dispositivo) {
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
  const Envio envio = envioEmpacado(ws);
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
