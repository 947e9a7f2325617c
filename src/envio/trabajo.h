#pragma once
// The work file, read from its bytes and written into a device.
//
// A work file is tab-delimited text (Windows-1252, CR LF after every line):
//   1       "DUDIZOD3.0"
//   2 .. 5  the control header ("CLIENTE:", "FORMA:", "APLICACION:", "CORREO: ")
//   6       empty
//   7       the header fields (supplier, movement type, shipment number, date, ...)
//   8 ..    the detail lines, one Linea each (16 cells, the department "0000")
//   then    "DUDIZOD3.0" (the trailer)
//   then    the orders, one Orden each (8 cells)
// Without detail lines the trailer stands on line 8.
#include <QByteArray>
#include <QStringList>

#include "envio/envio.h"
#include "envio/lectura.h"
#include "envio/texto.h"

class QIODevice;

namespace trabajo {
extern const QString kFirma;  // "DUDIZOD3.0"
}  // namespace trabajo

struct ArchivoTrabajo {
  QStringList encabezado;  // lines 1 to 7 as they stand (fewer when the file is shorter)
  QStringList detalle;     // the detail lines, cells joined by TAB, trailing empty cells left out
  QStringList ordenes;     // the lines after the trailer, likewise
  // Of the file as a table: the last line holding data, the last column
  // holding data anywhere (at most the reader's limit), and the trailer's
  // line (one past the last line when there is none).
  int ultima = 0, columnas = 0, trailer = 0;
  Falla falla;

  // The header fields of line 7, as the file holds them.
  QStringList campos() const;
  // The shipment the file holds: its lines and orders (nothing grouped).
  std::vector<Linea> lineas() const;
  std::vector<Orden> pedidos() const;
};

// Reads a work file as the open command takes it: lines 1 to 7 are not
// data; the detail runs from line 8 up to the first line whose first cell
// contains "DUDIZOD3.0"; the orders follow the first such line after line 8
// (or line 8 itself when it holds the mark: a file without detail lines).
// A file that is no work file is read all the same. Faults: bytes that are
// no text, a file without data, and a file that starts as a work file but
// lost its end (no trailer, or a last line without its line end).
// `limiteColumnas` cuts every line after that many cells.
ArchivoTrabajo leerTrabajo(QByteArray bytes, int limiteColumnas = 16);

// Writes the work file: `imagen` is lines 1 to the trailer as built for the
// save, `ordenes` the lines of the orders; CR LF after every line.
texto::Resultado escribirTrabajo(const QStringList& imagen, const QStringList& ordenes, QIODevice& d);
