#pragma once
// Choosing an order from the order list Combo2 after a tab-delimited import,
// and the movement-type list Combo1.
#include <QString>

#include "workspace/resultado.h"

class Grid;
class Workspace;

// Keeps the chosen order's lines in both detail grids, merges lines of the
// same store and SKU, gives the order its row in vaSpread9 when that table is
// empty, sorts by store and SKU and opens the window for work. The chosen
// text is Combo2.texto (or the entry at Combo2.indice when the text is empty).
// Does nothing while Combo2 is disabled or when the text is no entry of its
// list (refused, without a message).
Resultado Combo2_Click(Workspace& ws);
// Leaving the order list before an order is chosen is refused with a message.
void Combo2_LostFocus(Workspace& ws);
// Writes the movement type of the chosen Combo1 entry into Text1(2).
void Combo1_Click(Workspace& ws);
void Combo1_LostFocus(Workspace& ws);

namespace pedidos {

// Merges the rows of `g` with the same store and SKU: the first such row
// keeps the sum of their quantities (an empty quantity counting as 0), the
// others are removed. A row whose quantity is not a number is kept apart, so
// that no quantity is lost. Returns true when a row was merged.
bool fusionarPorTiendaYSku(Workspace& ws, Grid& g);

// Reads a quantity: blanks around it allowed, digits with an optional sign
// and decimal point. False when the text is no number (empty reads as 0).
bool leerCantidad(const QString& texto, double& valor);
// A sum written back as text: "7", "2.5".
QString textoCantidad(double valor);

}  // namespace pedidos
