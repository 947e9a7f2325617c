#pragma once
// The steps the window and aviso-lote share to make the container labels and
// the packing list: the shipment checked and gathered, then painted as a PDF
// (aviso-lote) or on the printer of the window's preview.
#include <QPageLayout>
#include <QString>
#include <functional>

#include "documents/labels.h"
#include "documents/shipment_documents.h"
#include "workspace/prompter.h"
#include "workspace/resultado.h"

class Workspace;

// armarEnvio, and every container code must fit in a Code 128 barcode: the
// first that does not is shown with the cursor on its first line (Rechazado).
Resultado revisarEtiquetas(Workspace& ws, Envio& envio);

// Writes the document as a PDF at `ruta`, whole or not at all; a failed write
// shows "Error inesperado #" (Fallido) and leaves any earlier file as it was.
Resultado escribirEtiquetas(Workspace& ws, const Envio& envio, FormatoEtiqueta formato,
                            const QString& ruta);
Resultado escribirListaEmpaque(Workspace& ws, const Envio& envio, const QString& ruta);

// Titles of the documents (PDF title, preview window).
extern const QString kTituloEtiquetas;  // "Etiquetas de contenedor"
extern const QString kTituloLista;      // "Lista de empaque"

// The choice of the labels' format, before the preview (default: the 4 x 6
// thermal label).
class FormatoEtiquetasModelo : public DialogoModelo {
 public:
  QString forma() const override { return QStringLiteral("FormatoEtiquetas"); }
  FormatoEtiqueta formato = FormatoEtiqueta::Termica4x6;
  bool aceptado = false;
  void aceptar(FormatoEtiqueta f) {
    formato = f;
    aceptado = cerrado = true;
  }
  void cancelar() { cerrado = true; }
};

// A document shown before it is printed: the window's print preview, from
// which the clerk prints or saves a PDF. `impreso` when it was printed.
class VistaPreviaModelo : public DialogoModelo {
 public:
  QString forma() const override { return QStringLiteral("VistaPrevia"); }
  QString titulo;
  QPageLayout pagina;
  std::function<bool(QPagedPaintDevice&)> pintar;
  bool impreso = false;
  // The PDF offered when it is printed to a file: its name, and the folder
  // of the work file ("" when there is none: the window chooses).
  QString nombrePdf, carpetaPdf;
  QString pdfEscrito;  // the PDF it was printed to, if any
};

class Comando;

// Ends `cmd` with the preview of what `pintar` paints: done when it was
// printed, cancelled when it closed unprinted. Its PDF is offered beside the
// work file as "trabajo CLASE.pdf", without one as "CLASE DD-MM-AAAA.pdf";
// the window paints between pages.
Resultado vistaPrevia(Workspace& ws, Comando& cmd, const QString& titulo, const QPageLayout& pagina,
                      std::function<bool(QPagedPaintDevice&)> pintar, const QString& clase);

// Archivo > "Etiquetas de contenedor...": the checks, the format, the preview.
// Archivo > "Lista de empaque...": the checks, the preview.
// Cancelled when the format is not chosen or the preview closes unprinted.
Resultado etiquetas_Click(Workspace& ws);
Resultado listaempaque_Click(Workspace& ws);
