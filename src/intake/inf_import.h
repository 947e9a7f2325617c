#pragma once
// Import of the retailer's comma-separated ".inf" order file: the file is
// turned into tab-delimited text (archtabs.tmp in the program folder, gone
// when the import ends), every order line lands in the detail grid vaspread1
// (the ordered quantity also in column 16) and in the order line store
// vaSpread6, the order list Combo2 gets the "order-department" keys, and the
// consolidation dialog Form2 chooses the orders of the shipment.
#include <QString>

#include "workspace/resultado.h"
#include "workspace/textfile.h"

class Workspace;

// Writes the order file's lines, their separators made tabs by its reader
// (envio/pedidos.h), to archtabs.tmp in the program folder, CR LF after each
// line. The copy lives only while the import runs.
texto::Resultado convertirdelimitado(Workspace& ws, const QStringList& lineas);

// The import itself (the workspace is expected to be cleared first).
Resultado importararchiv_inf(Workspace& ws);

// Toolbar image b_import: clears sinvalidar, clears the workspace, imports.
Resultado b_import_Click(Workspace& ws);
// Archivo > Importar > "Archivo INF": clears the workspace, imports.
Resultado importararchiv_Click(Workspace& ws);
// Command button Importar: runs importararchiv_Click.
Resultado Importar_Click(Workspace& ws);
