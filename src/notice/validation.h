#pragma once
// The checks made before a notice is built. The first failing check shows its
// message, puts the cursor on the cell to correct (ws.foco names the grid) and
// ends refused, so the user corrects one thing at a time.
#include "workspace/resultado.h"

class Grid;
class Workspace;

// Checks vaSpread9 and every line of the detail grid:
//   1. refreshes Text1(4) from the delivery date and Text1(1) from the supplier number;
//   2. per order: movement type, shipment number, invoice and amount present,
//      the amount a plain number with two decimals at most;
//   3. per line: a quantity that is a whole number greater than zero;
//   4. per line: a container with a valid first letter and nine characters
//      at least (writes the delivery type into column 14 of vaspread1 and vaSpread6);
//   5. one container never goes to two stores or two departments;
//   6. lines of one order with the same store, SKU and container are merged
//      (quantities added) in vaspread1 and, row for row, in vaSpread6.
// Steps 1, 4 and 6 stay done when a later step fails.
Resultado validar(Workspace& ws);

// Lines of one order with the same store, SKU and container become one, the
// quantities added (an empty one counts 0), the first line kept in its place;
// `espejo` (the order line store), when it runs row for row with `detalle`, is
// merged the same way so the two keep matching. Returns the row of the last
// line that took another in, 0 when none did.
int unirRepetidas(Grid& detalle, Grid* espejo = nullptr);

// Done when the client number is known; when it is missing the user is told
// and the client data dialog Form5 opens, and the number is read again after
// it: still missing, the check refuses.
Resultado verificardatosok(Workspace& ws);
