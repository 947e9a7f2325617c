// The notice checker over any bytes: it reads every line, and each finding
// names a line of the notice (or none) and a column within or just past it.
// The same bytes handed over in small parts (cut anywhere, also between CR
// and LF) and read without their text give the same findings and figures.
#include "comun.h"
#include "envio/aviso.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  if (n > 200000) return 0;
  const QByteArray todo = bytes(datos, n);
  const AvisoLeido a = leerAviso(todo);
  exigir(a.numeroLineas == a.lineas.size());
  for (const Hallazgo& h : a.hallazgos) {
    exigir(h.linea >= 0 && h.linea <= qMax<qsizetype>(1, a.lineas.size()));
    exigir(h.linea == 0 || h.columna >= 1);
    exigir(h.linea == 0 || a.lineas.isEmpty() || h.columna <= a.lineas[h.linea - 1].size() + 1);
  }
  exigir(a.centesimos() >= 0);
  exigir(a.hallazgos.size() <= static_cast<size_t>(kMaximoHallazgos));
  exigir(a.faltas() + a.advertencias() == static_cast<int>(a.hallazgos.size()) + a.omitidos());

  LectorAviso partes(false);
  const qsizetype paso = n == 0 ? 1 : 1 + datos[0] % 13;
  for (qsizetype i = 0; i < todo.size(); i += paso) partes.agregar(todo.mid(i, paso));
  const AvisoLeido b = partes.terminar();
  exigir(b.lineas.isEmpty() && b.numeroLineas == a.numeroLineas);
  exigir(b.faltas() == a.faltas() && b.advertencias() == a.advertencias());
  exigir(b.hallazgos.size() == a.hallazgos.size());
  for (size_t i = 0; i < a.hallazgos.size(); ++i)
    exigir(b.hallazgos[i].linea == a.hallazgos[i].linea && b.hallazgos[i].columna == a.hallazgos[i].columna &&
           b.hallazgos[i].texto == a.hallazgos[i].texto);
  exigir(b.pedidos.size() == a.pedidos.size() && b.contenedores() == a.contenedores() &&
         b.lineasDetalle() == a.lineasDetalle() && b.centesimos() == a.centesimos());
  return 0;
}
