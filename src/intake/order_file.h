#pragma once
// What the two order imports share: reading an order file safely, the open
// dialog's answer, the defaults of empty sizes, models and colours.
#include <QString>
#include <QStringList>

#include "workspace/columnas.h"
#include "workspace/grid.h"
#include "workspace/resultado.h"

class Grid;
class Workspace;

namespace pedidos {

// True when the name names a file; otherwise shows "El archivo: <name> no se
// encuentra" ("Datos incorrectos") and answers false.
bool existeOAvisa(Workspace& ws, const QString& nombre);

// Reads the order file at `ruta` (fields separated by `separador`) as lines
// with their fields joined by TAB, the blank lines at its end left out.
// Hecho: read. Fallido: a file that serves as no order file: it could not be
// read (an unexpected error was shown, "Error inesperado #", logged; also a
// folder, a pipe or a device in its place), is no text, holds no line, or ends
// in a cut line (no line end and fewer `separador` fields than the line before
// it: an interrupted copy); its message was shown. Rechazado: it has more
// lines than the detail grid holds (after `encabezado` heading lines); the
// limit message was shown.
Resultado leerArchivoDeOrdenes(Workspace& ws, const QString& ruta, int encabezado, QChar separador,
                               QStringList& lineas);
// "El archivo: <name> no contiene órdenes de compra" ("Datos incorrectos").
void avisarSinOrdenes(Workspace& ws, const QString& mostrado);

// The defaults of the detail lines: "sin talla", "sin modelo", "sin color" where the detail grid's cell is empty,
// written in both detail grids at the same row; after every default the
// detail grid's cursor goes to the quantity of row 1.
void ponerValoresOmision(Workspace& ws);

// Keeps one stable order in both detail grids: by store, then by store and SKU.
inline const QVector<SortKey> kPorTiendaYSku = {{colDetalle::Tienda, true}, {colDetalle::Sku, true}};
void ordenarPorTiendaYSku(Workspace& ws);

// The summary strip: the department and dates of the first detail line.
void ponerResumen(Workspace& ws);

}  // namespace pedidos
