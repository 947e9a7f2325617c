// The paste into the detail grid: the input is the clipboard text (its first
// two bytes the active cell), pasted over three lines of an order, once with
// the active cell only and once over two selected ranges. A paste fills the
// existing lines only and never touches the order line store.
#include "comun.h"
#include "editing/row_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  if (n < 2 || n > 200000) return 0;
  for (int vez = 0; vez < 2; ++vez) {
    Entorno e;
    Workspace& ws = *e.ws;
    for (int r = 1; r <= 3; ++r) {
      const QStringList linea = QStringLiteral("4500001234|123|01/12/26|20/12/26|0101|%1|MOD|7501000000011|ROJO|CH|5|"
                                               "45.50|99.90|||12").arg(77000 + r).split(QLatin1Char('|'));
      ws.vaspread1.setRowTexts(r, linea);
      ws.vaSpread6.setRowTexts(r, linea.mid(0, 15));
    }
    const QStringList antes6 = filas(ws.vaSpread6);
    ws.cual_grid = QStringLiteral("1");
    ws.vaspread1.setActiveCell(1 + datos[0] % 18, 1 + datos[1] % 5);
    if (vez == 1) ws.vaspread1.setSelections({GridBlock{1 + datos[0] % 16, 1, 16, 2}, GridBlock{-1, 3, -1, 9}});
    ws.prompter.escribirPortapapeles(texto::desde1252(bytes(datos + 2, n - 2)));
    pegar_Click(ws);
    exigir(ws.vaspread1.dataRowCount() <= 3);
    exigir(filas(ws.vaSpread6) == antes6);
  }
  return 0;
}
