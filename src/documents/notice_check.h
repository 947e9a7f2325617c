#pragma once
// Checking a notice file: read back (notice_reader.h) and, when a work file is
// given, compared with it: per order and container, the pieces in the notice
// must equal the quantities of the work file's detail lines.
#include <QString>
#include <QStringList>
#include <functional>

#include "envio/aviso.h"
#include "envio/envio.h"


struct Revision {
  AvisoLeido aviso;
  QString error;  // why a file could not be read; empty when both were read
};

// Reads the notice at `rutaAviso` and compares it with the work file at
// `rutaTrabajo` when that is not empty. The work file is read by its pure
// reader as the open command reads it; no workspace, folder or log is touched,
// and a file the open command would refuse is refused in its words.
// The notice is read as a stream; one over kMaximoBytesAviso is refused: the
// notice of the largest shipment the program makes is a few MB. `conTexto`
// as for LectorAviso.
constexpr qint64 kMaximoBytesAviso = qint64(64) << 20;
Revision revisarAviso(const QString& rutaAviso, const QString& rutaTrabajo = QString(), bool conTexto = true);

// Adds a fault for every order and container whose pieces differ between the
// notice and the detail lines of a work file (`trabajo`, in the file's order).
void compararConTrabajo(AvisoLeido& aviso, const std::vector<Linea>& trabajo);

// The summary of the notice (orders with their decoded header, containers,
// totals) and every fault and warning, one line each, as aviso-lote prints them.
QStringList informeRevision(const AvisoLeido& aviso);
// The same, handed over a line at a time.
void informeRevision(const AvisoLeido& aviso, const std::function<void(const QString&)>& linea);

// "1 contenedor, 2 líneas, 30 piezas".
QString textoTotales(int contenedores, int lineas, qint64 centesimos);

// The line with every control character shown as \xNN (a NUL of the notice is
// never copied into a report).
QString sinControles(const QString& linea);

// "Falta en la línea 3, columna 79: ..." / "Advertencia en la línea ...".
QString textoHallazgo(const Hallazgo& h);
