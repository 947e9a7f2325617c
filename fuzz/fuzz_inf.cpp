// The INF order-file import with the consolidation dialog and the defaults.
#include "comun.h"
#include "intake/inf_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  escribir(QStringLiteral("pedidos.inf"), crecer(datos, n));
  Entorno e;
  e.prompter.archivo = ruta(QStringLiteral("pedidos.inf"));
  importararchiv_Click(*e.ws);
  const Workspace& ws = *e.ws;
  exigir(ws.vaspread1.dataRowCount() == ws.vaSpread6.dataRowCount());
  exigir(!QFile::exists(ruta(QStringLiteral("archtabs.tmp"))));
  // Every line left has its defaults and belongs to an order of vaSpread9.
  for (int r = 1; r <= ws.vaspread1.dataRowCount(); ++r)
    exigir(!ws.vaspread1.isEmpty(7, r) && !ws.vaspread1.isEmpty(9, r) && !ws.vaspread1.isEmpty(10, r));
  return 0;
}
