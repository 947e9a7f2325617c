#pragma once
// The steps the window and aviso-lote share to make the container labels and
// the packing list: the shipment checked and gathered, then painted as a PDF
// (aviso-lote) or on the printer of the window's preview.
#include <QString>

#include "documents/labels.h"
#include "documents/shipment_documents.h"
#include "workspace/resultado.h"

class Workspace;

// armarEnvio, and every container code must fit in a Code 128 barcode: the
// first that does not is shown with the cursor on its first line (Rechazado).
Resultado revisarEtiquetas(Workspace& ws, EnvioDocumentos& envio);

// Writes the document as a PDF at `ruta`, whole or not at all; a failed write
// shows "Error inesperado #" (Fallido) and leaves any earlier file as it was.
Resultado escribirEtiquetas(Workspace& ws, const EnvioDocumentos& envio, FormatoEtiqueta formato,
                            const QString& ruta);
Resultado escribirListaEmpaque(Workspace& ws, const EnvioDocumentos& envio, const QString& ruta);

// Titles of the documents (PDF title, preview window).
extern const QString kTituloEtiquetas;  // "Etiquetas de contenedor"
extern const QString kTituloLista;      // "Lista de empaque"
