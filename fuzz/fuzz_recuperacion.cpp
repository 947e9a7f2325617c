// The recovery file's reader over any bytes: it never asks for more memory
// than the rest of the file could fill, and a copy it accepts is written and
// read back to the same bytes, and restores into a workspace. The bytes are
// read twice: as they come, and with their last four bytes made the checksum
// of the rest, so that changes past the checksum reach the reader behind it.
#include <QtEndian>

#include "comun.h"
#include "workspace/recuperacion.h"

namespace {

void probar(const QByteArray& b) {
  using fuzz::exigir;
  const recuperacion::Lectura l = recuperacion::leerBytes(b);
  exigir(!l.copia == !l.falla.isEmpty());
  if (!l.copia) return;
  for (const auto& g : l.copia->tablas) exigir(g->storedRows() <= 4 * Grid::kLimiteRenglones);
  const QByteArray otra = recuperacion::bytes(*l.copia);
  const recuperacion::Lectura de = recuperacion::leerBytes(otra);
  exigir(de.copia != nullptr && !de.copia->sinSuma);
  exigir(recuperacion::bytes(*de.copia) == otra);
  fuzz::Entorno e;
  recuperacion::restaurar(*e.ws, *l.copia);
  exigir(e.ws->sinGuardar);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  QByteArray b = fuzz::bytes(datos, n);
  probar(b);
  if (b.size() >= 8) {
    qToBigEndian(recuperacion::crc32(b.constData(), b.size() - 4), b.data() + b.size() - 4);
    probar(b);
  }
  return 0;
}
