#pragma once
// The shipment as the papers that travel with the cartons show it (container
// labels, packing list). Made from a copy of the detail lines sorted by
// container and merged as the file command merges them, so the lines of a
// container are the notice's DT records of that container; the workspace
// itself does not change.
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "workspace/resultado.h"
#include "workspace/textfile.h"

class QPagedPaintDevice;
class Workspace;

struct LineaDocumento {
  QString orden, sku, upc, modelo, color, talla;
  qint64 cantidad = 0;
};

struct ContenedorDocumento {
  QString codigo, tienda, depto;
  QString tipoEntrega;  // from the code's first letter, as the notice takes it
  QStringList ordenes;  // orders of its lines, in the notice's order
  std::vector<LineaDocumento> lineas;
  qint64 piezas = 0;
  int numero = 0, deTienda = 0;  // "Contenedor numero de deTienda" among its store's
  int fila = 0;                  // its first line in the detail grid as it stands
};

struct TiendaDocumento {
  QString tienda;
  int primero = 0, cuantos = 0;  // its containers in EnvioDocumentos::contenedores
  int lineas = 0;
  qint64 piezas = 0;
};

struct OrdenDocumento {
  QString orden, factura;
  int lineas = 0;
  qint64 piezas = 0;
};

struct EnvioDocumentos {
  QString proveedor, cliente;
  QDate entrega;  // null: not shown
  QString hora;   // empty: not shown
  std::vector<OrdenDocumento> ordenes;            // per-order header table order
  std::vector<ContenedorDocumento> contenedores;  // by store, then as the file command sorts them
  std::vector<TiendaDocumento> tiendas;           // in the order of their text
  int lineas = 0;
  qint64 piezas = 0;
};

// Runs the line checks of the file command on the detail grid as it stands:
// the first fault is shown with its message and the cursor on its cell
// (Rechazado), as is a shipment without lines. Otherwise fills `envio`, with
// the delivery date and hour of the workspace (the hour when one is chosen).
Resultado armarEnvio(Workspace& ws, EnvioDocumentos& envio);

// Writes the PDF that `pintar` paints, whole or not at all: a failed write
// leaves any earlier file as it was.
texto::Resultado guardarPdf(const QString& ruta, const QString& titulo,
                            const std::function<bool(QPagedPaintDevice&)>& pintar);

// Dates and numbers as the documents print them.
namespace documento {
QString fecha(const QDate& d);  // dd/mm/yyyy
QString entrega(const EnvioDocumentos& e);  // date and hour, those given
QString numero(qint64 n);  // thousands separated by commas
}  // namespace documento
