#pragma once
// What the shipment holds, counted from the detail grid: lines, pieces (the
// quantities that are whole numbers) and distinct containers; the same for the
// order and the container of one line.
#include <QStringView>
#include <QtGlobal>

class Grid;

struct Cuenta {
  int lineas = 0;
  qint64 piezas = 0;
  int contenedores = 0;
  bool operator==(const Cuenta& o) const {
    return lineas == o.lineas && piezas == o.piezas && contenedores == o.contenedores;
  }
};

struct Totales {
  Cuenta envio;
  Cuenta orden;       // of the order of line `fila`
  Cuenta contenedor;  // of its container (none when it has no container)
};

// The pieces of a quantity that the notice would take; anything else counts none.
qint64 piezasDe(QStringView cantidad);

// Counts over every line; `fila` out of the lines leaves orden and contenedor empty.
Totales contarEnvio(const Grid& detalle, int fila);
