#pragma once
// The shipment as the papers that travel with the cartons show it (container
// labels, packing list): the Envio the notice would carry (notice/envio_actual.h),
// so the lines of a container are the notice's DT records of that container.
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "envio/envio.h"

#include "workspace/resultado.h"
#include "workspace/textfile.h"

class QPagedPaintDevice;
class Workspace;

// Runs the line checks of the file command on the detail grid as it stands:
// the first fault is shown with its message and the cursor on its cell
// (Rechazado), as is a shipment without lines. Otherwise fills `envio`, with
// the delivery date and hour of the workspace (the hour when one is chosen).
Resultado armarEnvio(Workspace& ws, Envio& envio);

// Writes the PDF that `pintar` paints, whole or not at all: a failed write
// leaves any earlier file as it was.
texto::Resultado guardarPdf(const QString& ruta, const QString& titulo,
                            const std::function<bool(QPagedPaintDevice&)>& pintar);

// Dates and numbers as the documents print them.
namespace documento {
QString fecha(const QDate& d);  // dd/mm/yyyy
QString entrega(const Envio& e);  // date and hour, those given
QString numero(qint64 n);  // thousands separated by commas
}  // namespace documento
