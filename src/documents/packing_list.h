#pragma once
// The packing list: a header (supplier, client, delivery date and hour, the
// orders with their invoices), then per store its containers in order, each
// with its lines (SKU, UPC/EAN, model, colour, size, quantity) and a subtotal;
// totals per store, per order and for the shipment. Letter pages.
#include <QPageLayout>

#include "documents/shipment_documents.h"

class QPagedPaintDevice;

QPageLayout paginaLista();

// Paints the list onto the device, after giving it the list's page. False
// when painting failed.
bool pintarListaEmpaque(const Envio& envio, QPagedPaintDevice& dispositivo);
// The same on a painter already at work on a page of the list's layout: the
// list begins on the page where it stands.
namespace pagina {
class Pintor;
}
bool pintarListaEmpaque(const Envio& envio, pagina::Pintor& pintor);
