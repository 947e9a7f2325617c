#pragma once
// Typing in the visible grids: the detail grid vaspread1 (quantity in column
// 11, container in column 15) and the per-order header table vaSpread9
// (columns 2 to 5). Change handler, leave-cell rules, keys, focus and the
// heading tool tips. The window forwards its grid events here.
#include <QChar>
#include <QPoint>
#include <QString>

#include "workspace/resultado.h"

class Grid;
class Workspace;

// ------------------------------------------------------------------ numbers

// The number a text begins with: leading blanks skipped, an optional sign,
// digits with at most one decimal point, an optional exponent. Empty or
// non-numeric text reads as 0 ("12abc" is 12, "abc" is 0).
double numeroInicial(const QString& texto);

// True when the text begins with a number (after blanks and a sign).
bool empiezaConNumero(const QString& texto);

// ------------------------------------------------------------------ vaspread1

// Checks the container code of the active row of vaspread1: a known first
// letter writes its description into column 14 of vaspread1 and vaSpread6;
// an unknown one shows the refusal message and puts the cursor back on
// (15, row). An empty code does nothing. True when the code was described.
bool validacioncontenedor(Workspace& ws);

// Change of cell (col, row) of vaspread1, the text already in the cell:
// container check, quantity limit, copy into vaSpread6, cursor moves.
// Lines that carry no ordered quantity (no column 16, or a column 16 that
// does not begin with a number) have no upper limit. Refused when the
// container code or the quantity was refused (with its message).
Resultado vaspread1_Change(Workspace& ws, int col, int row);

// The user typed `texto` into (col, row): the text goes into the cell, the
// cell becomes the active one and the change handler runs. A user's edit is
// never a write of the system, so a suspension left behind by a command is
// lifted first and the checks apply.
Resultado vaspread1_Editar(Workspace& ws, int col, int row, const QString& texto);

// Leave-cell rule: the user or the system moves to (nuevaCol, nuevaFila); the
// answer is where the cursor goes. Columns 0..10 go to 11, 12..14 go to 15;
// 11, 15 and beyond, and -1 (leaving the grid) move as asked.
// vaspread1_LeaveCell is the event (it logs); reglaSalidaDetalle the bare
// rule, for a view that must ask where a move would land without moving.
QPoint vaspread1_LeaveCell(Workspace& ws, int nuevaCol, int nuevaFila);
QPoint reglaSalidaDetalle(int nuevaCol, int nuevaFila);

// Key down outside the cell editor, Windows key code. Delete (46) clears the
// active cell of the grid named in cual_grid: the one key that is a command
// (one undo step); the others are logged and move on. True when the key was used.
constexpr int kTeclaSuprimir = 46;
bool vaspread1_KeyDown(Workspace& ws, int codigo);

// Focus: cual_grid becomes "1" (no log line).
void vaspread1_GotFocus(Workspace& ws);

// A tool tip as the grid shows it.
struct TipCelda {
  bool mostrar = true;        // the grid shows tips
  bool variasLineas = true;   // as several lines
  int anchoTwips = 2200;      // this wide
  QString texto;              // empty: no tip for this cell
};
TipCelda vaspread1_TextTipFetch(Workspace& ws, int col, int row);
TipCelda vaspread5_TextTipFetch(Workspace& ws, int col, int row);

// ------------------------------------------------------------------ vaSpread9

// Key press in vaSpread9 while the active column is `col`: in columns 3 and
// 5 the character is upper-cased and kept only when it is a digit, a letter
// A-Z, Ñ, the point or backspace; a null QChar means the key is swallowed
// (no sound). Other columns pass the key unchanged.
QChar vaSpread9_KeyPress(Workspace& ws, int col, QChar tecla);

// Key down in vaSpread9: Delete (46) clears the active cell of the grid named
// in cual_grid. True when the key was used.
bool vaSpread9_KeyDown(Workspace& ws, int codigo);

// Leave-cell rule of vaSpread9: column 1 goes to 2, columns 6 and beyond go
// to 5; 2..5, 0 and -1 move as asked.
QPoint vaSpread9_LeaveCell(Workspace& ws, int nuevaCol, int nuevaFila);
QPoint reglaSalidaPedidos(int nuevaCol, int nuevaFila);  // the bare rule, no log

// Focus: cual_grid becomes "9" (no log line).
void vaSpread9_GotFocus(Workspace& ws);

// Types a whole text into cell (col, row) of vaSpread9 as a user would:
// the cell becomes the active one, its old text is replaced, each character
// passes the key filter (backspace removes the last one). Only columns 2 to
// 5 of a row that holds an order and is not locked take typing; otherwise
// nothing is written. Returns false when nothing could be written or a
// character was dropped.
bool vaSpread9_Teclear(Workspace& ws, int col, int row, const QString& texto);

// ------------------------------------------------------------------ the focused grid

// The grid named in cual_grid ("1" vaspread1, "9" vaSpread9), or none.
Grid* gridEnfocado(Workspace& ws);

// "Suprimir celda" and the Delete key in either grid: empties the active cell
// of the grid named in cual_grid. The order line store keeps its value. A
// locked cell keeps its text (refused, silently).
Resultado suprimir_Click(Workspace& ws);

// ------------------------------------------------------------------ system writes

// While a command of the system writes cells of the detail grid (paste,
// copy, splits, duplications), declare one of these for the length of the
// command: the checks of the change handler stay suspended (sinvalidar True)
// and the flag goes back to what it was when the guard ends, however the
// command ends. When the outermost guard ends, every quantity of vaspread1
// is held against its ordered quantity (revisarCantidades), so that no
// quantity above the maximum stays in the grid unnoticed.
class EscrituraDelSistema {
 public:
  explicit EscrituraDelSistema(Workspace& ws);
  ~EscrituraDelSistema();
  EscrituraDelSistema(const EscrituraDelSistema&) = delete;
  EscrituraDelSistema& operator=(const EscrituraDelSistema&) = delete;
  // Ends the suspension now (the destructor then does nothing).
  void terminar();

 private:
  Workspace& ws_;
  bool anterior_;
  bool activo_ = true;
};

// One pass over vaspread1: every line whose quantity (column 11) is above its
// ordered quantity (column 16) gets the ordered quantity back. When any was
// found, one message tells it (the change handler's text for the first such
// line, and how many lines were set back when there were more) and the
// cursor goes to the quantity of the first. Lines without an ordered quantity
// are not limited. Returns the number of lines set back.
int revisarCantidades(Workspace& ws);
