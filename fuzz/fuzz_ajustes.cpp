// The settings readers at start-up: the first byte chooses info.cfg or
// dudizod.ini, the rest is the file; the text is also unscrambled directly.
#include "client/scrambling.h"
#include "comun.h"
#include "workspace/startup.h"
#include "workspace/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  if (n == 0) return 0;
  const bool ini = datos[0] & 1;
  QFile::remove(ruta(QStringLiteral("info.cfg")));
  QFile::remove(ruta(QStringLiteral("dudizod.ini")));
  escribir(ini ? QStringLiteral("dudizod.ini") : QStringLiteral("info.cfg"), datos + 1, n - 1);
  const QByteArray antes = QByteArray(reinterpret_cast<const char*>(datos + 1), static_cast<int>(n - 1));
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
  return 0;
}
