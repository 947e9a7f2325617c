#pragma once
// The file command (Archivo > "Crear archivo a enviar") and the send command
// (toolbar b_enviar, Archivo > "&Enviar") over the notice builder, and the
// notice file itself: one line per row of the file image vaSpread3, the cells
// joined without separator, Windows-1252, CR LF after every line, no tab.
#include <QByteArray>
#include <QString>

#include "workspace/resultado.h"
#include "workspace/textfile.h"

class Comando;
class Workspace;

// Checks (hour, cancellation dates, amounts, then validar, verificardatosok,
// lines, invoices, orders with lines, lines with an order in the per-order
// table), builds the image, asks where to save and
// replaces the chosen file by the notice whole or not at all:
// a failed write shows "Error inesperado #" and leaves any earlier file as it was.
// Logs "Vorarido Exitoso!!!" when the file has been written.
Resultado arch_env_Click(Workspace& ws);

// The file command's checks, sorts and merges in their order, then the build
// of the image (steps of arch_env_Click before its save dialog). Hecho when
// the image holds the notice; every refusal has been said.
Resultado revisarYPreparar(Workspace& ws, Comando& cmd);

// The notice file's bytes from the file image (rows 1 .. data row count),
// and its writer.
QByteArray textoAviso(const Workspace& ws);
texto::Resultado escribirAviso(const Workspace& ws, QIODevice& d);

// Rewrites the file `archivo` in place without tab characters, every line
// ended by CR LF, whole or not at all (the old file stays on failure). A
// leftover arch.txt in the program folder is removed.
texto::Resultado formatofijo(Workspace& ws, const QString& archivo);
