#pragma once
// What a pure reader says when the bytes are not what it reads: what is
// wrong and where (line and field, counted from 1; 0 when the fault is the
// whole file or the whole line). The procedures that show messages turn it
// into their own words.
#include <QString>

struct Falla {
  enum class Tipo {
    Ninguna,
    NoEsTexto,          // a NUL or a control character: no text file
    SinLineas,          // no line (or only blank ones)
    RenglonCortado,     // the last line, without its end, lacks fields: an interrupted copy
    TrabajoIncompleto,  // a work file whose end (its trailer or its last line) is missing
  };
  Tipo tipo = Tipo::Ninguna;
  int linea = 0;
  int campo = 0;

  explicit operator bool() const { return tipo != Tipo::Ninguna; }
  // "línea 3, campo 2: ..." for people and tests.
  QString texto() const;
};
