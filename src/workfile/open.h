#pragma once
// Opening a work file (see save.h for the format).
//
// The detail lines (line 8 up to the first line whose column 1 contains
// "DUDIZOD3.0") go to the detail grid vaspread1 and the order line store
// vaSpread6; the lines after the trailer go to the per-order header table
// vaSpread9, which is emptied first, with their movement types locked. The
// control header and the header fields of line 7 are not read: Text1 keeps
// what it held. The order list Combo2 is emptied and stays empty.
//
// A file that is not a work file is loaded all the same (no detail rows when
// it has fewer than 8 lines; every line from line 8 on a detail row when it
// has no trailer). Refused with a message, the workspace left as it was: a
// file that cannot be read, an empty or binary file, a work file cut short
// (first line "DUDIZOD3.0" but no trailer, or its last line cut off), and a
// file with more detail or order lines than the tables hold.
#include <QString>

#include "envio/lectura.h"
#include "workspace/resultado.h"

class Workspace;

Resultado abrir_archivo(Workspace& ws);

// Why a work file is refused, as the message says it after the file's name
// (" está vacío.", ...).
QString causaRechazo(const Falla& falla);

// Archivo > "Abrir" and the toolbar image b_abrir.
Resultado abrirarchiv_Click(Workspace& ws);
Resultado b_abrir_Click(Workspace& ws);
