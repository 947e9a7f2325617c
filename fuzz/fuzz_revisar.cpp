// The notice checker over any bytes: it reads every line, and each finding
// names a line of the notice (or none) and a column within or just past it.
#include "comun.h"
#include "documents/notice_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  if (n > 200000) return 0;
  const AvisoLeido a = leerAviso(bytes(datos, n));
  for (const Hallazgo& h : a.hallazgos) {
    exigir(h.linea >= 0 && h.linea <= qMax<qsizetype>(1, a.lineas.size()));
    exigir(h.linea == 0 || h.columna >= 1);
    exigir(h.linea == 0 || a.lineas.isEmpty() || h.columna <= a.lineas[h.linea - 1].size() + 1);
  }
  exigir(a.centesimos() >= 0);
  return 0;
}
