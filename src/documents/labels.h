#pragma once
// Container labels: one per container of the shipment, its code as a Code 128
// barcode (zint) with the code in large print under it, the store, department,
// orders, delivery type, delivery date and hour, supplier, lines and pieces,
// and "Contenedor k de n" among the containers of its store.
#include <QPageLayout>
#include <QString>

#include "documents/shipment_documents.h"

class QPagedPaintDevice;

enum class FormatoEtiqueta {
  Termica4x6,  // a 4 x 6 in thermal label, one per page
  Carta,       // Letter sheet of six labels
  A4,          // A4 sheet of six labels
};

// "4x6", "carta", "a4"; false for any other text.
bool leerFormatoEtiqueta(const QString& texto, FormatoEtiqueta& formato);
QString nombreFormato(FormatoEtiqueta formato);  // as offered to the user
QPageLayout paginaEtiquetas(FormatoEtiqueta formato);
int etiquetasPorPagina(FormatoEtiqueta formato);
// Where the k-th label of a page stands, in points from the page's top left.
QRectF lugarEtiqueta(FormatoEtiqueta formato, int k);

// The first container whose code Code 128 cannot carry (a character outside
// Latin-1, too long), -1 when every one can.
int contenedorSinBarras(const Envio& envio);

// Paints every label in order onto the device, after giving it the format's
// page. False when a code cannot be drawn as a barcode or painting failed.
bool pintarEtiquetas(const Envio& envio, FormatoEtiqueta formato, QPagedPaintDevice& dispositivo);
