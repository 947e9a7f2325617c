#pragma once
// Row and clipboard commands of the detail grid vaspread1 (the editar menu,
// the right-button menu, the toolbar images and the button Command1):
// insert a blank row, duplicate the active row, delete rows, clear a cell,
// cut, copy and paste. The duplication procedures duplicarrenglon and
// duplicarspread6 are also what a split rests on.
//
// Which tables each command changes:
//   insert blank row, duplicate (toolbar, menu)  vaspread1 only (and the clipboard)
//   duplicarrenglon + duplicarspread6            vaspread1 and vaSpread6, same rows
//   borrar_renglones                             vaspread1, vaSpread6, vaSpread7 at the
//                                                active row; or vaSpread9 alone
//   "Eliminar renglones"                         vaspread1 and vaSpread6, selected rows
//   "Eliminar varios rangos" (Command1)          vaspread1 only, selected rows
//   clear cell, cut, copy, paste                 the grid's cells only (and the clipboard)
//
// The selections the commands read are the grid's (Grid::selections), which
// the window copies from its views before a command runs. A lone cell under a
// plain click is the cursor, not a selection.
//
// The clipboard is the prompter's: rows separated by CR LF, cells by TAB, the
// way spreadsheets exchange ranges; a paste also takes LF-ended rows.
//
// Every command answers how it ended: a command with nothing to work on (no
// line, no selection, no grid with the focus) is refused, with its message
// where it shows one.
#include <QString>
#include <QStringList>
#include <QVector>

#include "editing/detail_rules.h"  // suprimir_Click, the cell command of the Delete key too
#include "workspace/grid.h"
#include "workspace/resultado.h"

class Workspace;

// ------------------------------------------------------------------ insert and duplicate

// "&Insertar renglón": a blank row below the active row of vaspread1 (the
// rows below move down, the row limit is raised by one); the active cell
// stays where it was. Fills the insertion half of the last-insertion record.
Resultado insertar_Click(Workspace& ws);

// Inserts a copy of the active row of vaspread1 (every column, the hidden
// ordered quantity too) directly below it and makes the copy the active row;
// the copied row goes to the clipboard. Fills the last-insertion record. A
// cursor outside the lines (below the last one) copies nothing.
Resultado duplicarrenglon(Workspace& ws);

// Repeats on vaSpread6, from the last-insertion record, the insertion and the
// copy that the preceding duplicarrenglon made on vaspread1. With no record
// (nothing was duplicated yet) it does nothing.
Resultado duplicarspread6(Workspace& ws);

// Toolbar image b_duplicar: with an empty detail grid "No hay datos en el
// grid!" ("Información Incompleta"); otherwise asks the "RECORDATORIO"
// question and, on Yes, duplicates the active row once.
Resultado b_duplicar_Click(Workspace& ws);

// Menu "Duplicar renglón": the active row followed by 1, 2, 5 or 10 copies,
// the last copy active. An empty detail grid gives the same message as the
// toolbar image.
Resultado uno_Click(Workspace& ws);
Resultado dos_Click(Workspace& ws);
Resultado cinco_Click(Workspace& ws);
Resultado diez_Click(Workspace& ws);

// ------------------------------------------------------------------ delete

// Shared procedure (logs with the "MODULO2-----" prefix): deletes the active
// row of the grid named in cual_grid; "1": the same row of vaspread1,
// vaSpread6 and vaSpread7; "9": vaSpread9 alone; anything else: nothing. An
// unexpected error is logged only.
Resultado borrar_renglones(Workspace& ws);

// "&Borrar renglón".
Resultado borrar_Click(Workspace& ws);

// "Eliminar renglones": every row of every selected range of vaspread1 goes,
// in vaspread1 and vaSpread6 (the columns of a range do not matter); with
// nothing selected, borrar_renglones.
Resultado eliminar_ren_Click(Workspace& ws);

// Button Command1 "Eliminar varios rangos": the selected rows of vaspread1
// go from vaspread1 only; with nothing selected nothing happens.
Resultado Command1_Click(Workspace& ws);

// Deletes from `grid` every row that lies in one of `rangos` (rows counted
// from 1; overlapping ranges count once), in one pass. Returns how many rows
// went.
int eliminarRangos(Grid& grid, const QVector<GridBlock>& rangos);

// ------------------------------------------------------------------ cells and clipboard

// Toolbar b_copy: the selection of vaspread1 (or its active cell) goes to the
// clipboard. Checks stay as they were: a copy writes no cell.
Resultado b_copy_Click(Workspace& ws);

// The grid's own copy (Ctrl+C in a grid): its selection, or its active cell,
// goes to the clipboard; nothing else changes.
Resultado copiarSeleccion(Workspace& ws, const Grid& grid);

// Menu "Copiar": present, does nothing of its own.
Resultado copiar_Click(Workspace& ws);

// Menu "Cortar", toolbar b_cut: the selection (or the active cell) of the
// grid named in cual_grid goes to the clipboard and its cells are emptied;
// locked cells keep their text. The window hands a cut to a focused text box
// itself.
Resultado cortar_Click(Workspace& ws);
Resultado b_cut_Click(Workspace& ws);

// Menu "Pegar", toolbar b_paste: the clipboard is pasted at the first column
// of every row of every selected range of vaspread1 (so one copied cell or
// line is repeated on each of those rows), or at the active cell when
// nothing is selected. A clipboard of several rows fills a range in its
// order, repeated from its top when the range is taller; a range shorter
// than the clipboard takes the whole clipboard at its first row. A paste
// fills the existing lines only: nothing lands below the last line. The checks of the change handler stay suspended
// while the paste writes and come back afterwards; a quantity pasted above
// its ordered quantity is set back with a message.
Resultado pegar_Click(Workspace& ws);
Resultado b_paste_Click(Workspace& ws);

// The clipboard text of a block of cells: rows joined by CR LF, each row's
// cells by TAB, every row as wide as the block.
QString textoPortapapeles(const Grid& grid, int col1, int row1, int col2, int row2);

// A clipboard text as rows of cells: CR LF, LF or CR end a row; one final
// line end is no row of its own; every row is padded to the widest one.
QVector<QStringList> filasPortapapeles(const QString& texto);
