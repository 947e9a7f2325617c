// The tab-delimited order import and the choice of its first order.
#include "comun.h"
#include "intake/order_selection.h"
#include "intake/tab_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  escribir(QStringLiteral("pedidos.txt"), crecer(datos, n));
  Entorno e;
  Workspace& ws = *e.ws;
  e.prompter.archivo = ruta(QStringLiteral("pedidos.txt"));
  arrch_tabulador_Click(ws);
  exigir(ws.vaspread1.dataRowCount() == ws.vaSpread6.dataRowCount());
  if (!ws.Combo2.entradas.isEmpty()) {
    ws.Combo2.indice = 0;
    ws.Combo2.texto = ws.Combo2.entradas.first();
    Combo2_Click(ws);
    exigir(ws.vaspread1.dataRowCount() == ws.vaSpread6.dataRowCount());
    for (int r = 1; r <= ws.vaspread1.dataRowCount(); ++r) exigir(ws.vaspread1.text(1, r) == ws.Combo2.texto);
  }
  return 0;
}
