#pragma once
// Import of a tab-delimited order file (Archivo > Importar > "Archivo
// delimitado por Tabuladores"): the lines land in the detail grid and the
// order line store from row 1 (heading line included), the shipping and
// cancellation dates as "dd/mm/yy", 15 columns and no ordered quantity; the
// order list Combo2 offers the distinct order numbers and the window stays
// locked on it until an order is chosen (Combo2_Click).
#include "workspace/resultado.h"

class Workspace;

Resultado arrch_tabulador_Click(Workspace& ws);
