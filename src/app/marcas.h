#pragma once
// The marks of the detail grid: which cells hold what the file command would
// refuse (errors) and what the notice writes although it looks wrong
// (warnings), from the shared line checks. The window asks them after every
// change; painting and tool tips read them cell by cell.
#include <QString>
#include <vector>

#include "notice/line_checks.h"

class Grid;

enum class Marca : unsigned char { Ninguna, Aviso, Error };

class MarcasDetalle {
 public:
  // Reviews every line of the detail grid again.
  void revisar(const Grid& detalle, const Grid& encabezado);

  Marca marca(int col, int fila) const;
  // What is wrong with the cell, one sentence a line; empty when unmarked.
  QString tip(int col, int fila) const;
  // The first marked line after `fila`, going round; 0 when none.
  int siguiente(int fila) const;
  // The marked cell of a line where the cursor may rest (quantity or container).
  int columnaMarcada(int fila) const;

  int errores() const { return errores_; }
  int avisos() const { return avisos_; }

 private:
  const RevisionLinea* linea(int fila) const;
  std::vector<RevisionLinea> lineas_;
  int errores_ = 0;
  int avisos_ = 0;
};
