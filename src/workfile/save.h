#pragma once
// Saving the workspace as a work file.
//
// The format is in envio/trabajo.h. From the workspace:
//   2 .. 4  client value (vaSpread2 row 2), form code (row 15), application
//           code (the file's extension) and description
//   7       the header fields Text1(1) .. Text1(7)
//   8..N+7  the N rows of the detail grid, columns 1 to 16
//   then    the M rows of the per-order header table vaSpread9, columns 1 to 8
//
// The image (lines 1 to N+8) is built in the file-image table vaSpread3; the
// header part also goes to header.txt in the program folder, which stays there.
// Without detail lines the image is lines 1 to 7 and the trailer on line 8, so
// that the orders of such a file can be opened again.
#include <QString>

#include "envio/trabajo.h"
#include "workspace/resultado.h"
#include "workspace/textfile.h"

class QIODevice;
class Workspace;

// Fills vaSpread3 with the image. False when the save must stop (a message
// was shown): a single order without movement type, an empty required cell
// of the detail grid, or header fields refused by encabezadocampos. With two
// or more orders every movement type of vaSpread9 becomes "Pedido Múltiple"
// and is locked.
bool prepararguardar(Workspace& ws);

// The work file's bytes: the image vaSpread3, then the per-order header table.
texto::Resultado escribirTrabajo(const Workspace& ws, QIODevice& d);

// The save command: checks, builds the image, asks for the file name and
// replaces the whole work file at once, then header.txt the same way. A
// failed write shows "Error inesperado #" with its description and leaves
// any earlier file of that name as it was.
Resultado guardar_informacion(Workspace& ws);

// Toolbar image b_save, Archivo > "Guardar como ..." and the button guardar.
Resultado b_save_Click(Workspace& ws);
Resultado guardararchiv_Click(Workspace& ws);
Resultado guardar_Click(Workspace& ws);

namespace trabajo {
// The pattern "0000": a number gets leading zeros up to four digits (rounded
// half away from zero to a whole number, sign kept); any other text, the
// empty text included, stays as it is.
QString formato0000(const QString& texto);
// "description code|*.code", the filter of the save and open dialogs.
QString filtro(const Workspace& ws);
}  // namespace trabajo
