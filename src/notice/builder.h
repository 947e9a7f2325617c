#pragma once
// The notice record builder: turns the shipment (vaSpread9, the detail grid,
// the delivery date and hour, the client settings) into the lines of the
// shipment-notice file in the file image vaSpread3, one field per cell:
//
//   HD  one header per order (14 fields)
//   CN  one container record per container of the order (4 fields)
//   DT  one detail record per order line (10 fields)
//
// The first order's HD is row 1; every further order starts after one empty row.
#include <QString>

#include "envio/registros.h"

class Workspace;

// Builds the image. True when every order of vaSpread9 was built; false when
// the build was refused (its message has been shown) or vaSpread9 has no row.
// Expects the callers' checks first: the detail grid sorted by container,
// validar passed, a delivery hour chosen, every order with lines.
// Leaves the last order's lines in vaSpread5 (columns 1-15) and vaSpread8 (the
// nine converted columns LUGAR-TIENDA, SKU, MODELO, UPC/EAN, COLOR, TALLA,
// CANTIDAD, merchandise type, CONTENEDOR).
bool preparar(Workspace& ws);

// The conversions of the field values (the padding is the record tables').
namespace registro {
// "Alta" A, "Baja" B, "Cambio" C, "Pedido Múltiple" (blanks around allowed) M; other texts unchanged.
QString codigoMovimiento(const QString& tipo);
// Delivery-type description -> merchandise type "1", "2" or "6"; other texts unchanged.
QString codigoMercancia(const QString& descripcion);
// Invoice amount: two implied decimals, zero-left to 11 (1500.5 -> "00000150050").
QString importe(const QString& t);
// SKU of 8 characters plus two blanks (shorter: zero-left to 8 first; longer: whole).
QString sku(const QString& t);
// Detail quantity: two implied decimals, zero-left to 10 ("24" -> "0000002400").
QString cantidad(const QString& t);
}  // namespace registro
