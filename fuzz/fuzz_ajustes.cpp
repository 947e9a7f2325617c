// The settings readers at start-up: the first byte chooses info.cfg or
// dudizod.ini, the rest is the file; the text is also unscrambled directly.
// Then the writers and readers round trip: the text laid into the client
// table and saved as info.cfg reads back as the same sheet, and the
// application table saved as dudizod.ini reads back as the same lines.
#include "client/scrambling.h"
#include "comun.h"
#include "startup/startup.h"
#include "workspace/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  if (n == 0) return 0;
  const bool ini = datos[0] & 1;
  QFile::remove(ruta(QStringLiteral("info.cfg")));
  QFile::remove(ruta(QStringLiteral("dudizod.ini")));
  escribir(ini ? QStringLiteral("dudizod.ini") : QStringLiteral("info.cfg"), datos + 1, n - 1);
  const QByteArray antes = bytes(datos + 1, n - 1);
  {
    Entorno e;
    Form_Load(*e.ws);
    // The file read is never changed by reading it.
    QFile f(ruta(ini ? QStringLiteral("dudizod.ini") : QStringLiteral("info.cfg")));
    exigir(f.open(QIODevice::ReadOnly) && f.readAll() == antes);
    exigir(e.ws->vaSpread2.rowLimit() > 0);
  }
  const QString t = texto::desde1252(antes.left(4096));
  (void)DeCode(t);

  const QStringList lineas = texto::partirLineas(texto::desde1252(antes));
  Grid cliente(QStringLiteral("vaSpread2"), Grid::kLimiteRenglones, 3), leido(QStringLiteral("leido"), Grid::kLimiteRenglones, 3);
  if (lineas.size() > cliente.rowLimit()) return 0;
  cliente.fromLines(lineas);
  exigir(cliente.saveSheet(ruta(QStringLiteral("info.cfg"))).ok);
  exigir(leido.loadSheet(ruta(QStringLiteral("info.cfg"))).ok);
  exigir(leido.sheetBytes() == cliente.sheetBytes());
  exigir(cliente.saveTabText(ruta(QStringLiteral("dudizod.ini"))).ok);
  exigir(leido.loadTabText(ruta(QStringLiteral("dudizod.ini"))).ok);
  exigir(leido.toLines() == cliente.toLines());
  return 0;
}
