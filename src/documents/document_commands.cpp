#include "documents/document_commands.h"

#include <QFileInfo>

#include "documents/packing_list.h"
#include "documents/page_painting.h"
#include "workspace/columnas.h"
#include "workspace/comando.h"
#include "workspace/workspace.h"

const QString kTituloEtiquetas = QStringLiteral("Etiquetas de contenedor");
const QString kTituloLista = QStringLiteral("Lista de empaque");

namespace {

Resultado escribir(Workspace& ws, const QString& ruta, const QString& titulo,
                   const std::function<bool(QPagedPaintDevice&)>& pintar) {
  Comando cmd(ws, QString());
  cmd.ocupado(true);
  const texto::Resultado r = guardarPdf(ruta, titulo, pintar);
  if (r.ok) return cmd.fin(Resultado::Hecho);
  ws.errorInesperado(r);
  return cmd.fin(Resultado::Fallido);
}

}  // namespace

Resultado revisarEtiquetas(Workspace& ws, Envio& envio) {
  const Resultado r = armarEnvio(ws, envio);
  if (r != Resultado::Hecho) return r;
  const int i = contenedorSinBarras(envio);
  if (i < 0) return Resultado::Hecho;
  const Contenedor& c = envio.contenedores[static_cast<size_t>(i)];
  ws.MsgBox(QStringLiteral("El contenedor no se puede escribir como código de barras: ") + c.codigo);
  ws.cursor(ws.vaspread1, colDetalle::Contenedor, c.fila);
  ws.foco = QStringLiteral("vaspread1");
  return Resultado::Rechazado;
}

Resultado escribirEtiquetas(Workspace& ws, const Envio& envio, FormatoEtiqueta formato,
                            const QString& ruta) {
  return escribir(ws, ruta, kTituloEtiquetas,
                  [&](QPagedPaintDevice& d) { return pintarEtiquetas(envio, formato, d); });
}

Resultado escribirListaEmpaque(Workspace& ws, const Envio& envio, const QString& ruta) {
  return escribir(ws, ruta, kTituloLista, [&](QPagedPaintDevice& d) { return pintarListaEmpaque(envio, d); });
}

namespace {

// "trabajo etiquetas.pdf" beside the work file; without one "etiquetas DD-MM-AAAA.pdf".
void nombrarPdf(const Workspace& ws, VistaPreviaModelo& vista, const QString& clase) {
  if (ws.archivoTrabajo.isEmpty()) {
    vista.nombrePdf = clase + ws.reloj.hoy().toString(QStringLiteral(" dd-MM-yyyy")) + QStringLiteral(".pdf");
    return;
  }
  const QFileInfo trabajo(ws.archivoTrabajo);
  vista.nombrePdf = trabajo.completeBaseName() + QLatin1Char(' ') + clase + QStringLiteral(".pdf");
  vista.carpetaPdf = trabajo.absolutePath();
}

}  // namespace

Resultado vistaPrevia(Workspace& ws, Comando& cmd, const QString& titulo, const QPageLayout& pagina,
                      std::function<bool(QPagedPaintDevice&)> pintar, const QString& clase) {
  VistaPreviaModelo vista;
  nombrarPdf(ws, vista, clase);
  vista.titulo = titulo;
  vista.pagina = pagina;
  // Thousands of pages take seconds: the window paints between them.
  vista.pintar = [&ws, pintar = std::move(pintar)](QPagedPaintDevice& d) {
    pagina::AlPasarPagina avance([&ws] { ws.doEvents(); });
    return pintar(d);
  };
  ws.prompter.ejecutarDialogo(vista);
  return cmd.fin(vista.impreso ? Resultado::Hecho : Resultado::Cancelado);
}

Resultado etiquetas_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----etiquetas_Click"),
              QStringLiteral("TERMINO EL EVENTO-----etiquetas_Click"));
  Envio envio;
  const Resultado r = revisarEtiquetas(ws, envio);
  if (r != Resultado::Hecho) return cmd.fin(r);
  FormatoEtiquetasModelo formato;
  ws.prompter.ejecutarDialogo(formato);
  if (!formato.aceptado) return cmd.fin(Resultado::Cancelado);
  const FormatoEtiqueta f = formato.formato;
  return vistaPrevia(ws, cmd, kTituloEtiquetas, paginaEtiquetas(f),
                     [&envio, f](QPagedPaintDevice& d) { return pintarEtiquetas(envio, f, d); }, QStringLiteral("etiquetas"));
}

Resultado listaempaque_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----listaempaque_Click"),
              QStringLiteral("TERMINO EL EVENTO-----listaempaque_Click"));
  Envio envio;
  const Resultado r = armarEnvio(ws, envio);
  if (r != Resultado::Hecho) return cmd.fin(r);
  return vistaPrevia(ws, cmd, kTituloLista, paginaLista(),
                     [&envio](QPagedPaintDevice& d) { return pintarListaEmpaque(envio, d); }, QStringLiteral("lista"));
}
