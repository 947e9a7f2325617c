// Every writer through a device that fails after N bytes. The first byte
// chooses the writer, the next two N (up to 65535, or the final flush), the
// rest is tab text laid into the table it writes. A writer reports a failure
// exactly when N is short of its bytes, and what it handed over is the start
// of its whole output; through a replacing write of a real file the old file
// stays byte for byte on failure and holds the whole output on success.
#include <QBuffer>

#include "../tests/support/dispositivo_fallido.h"
#include "comun.h"
#include "notice/output.h"
#include "workfile/workfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  if (n < 3 || n > 100000) return 0;
  const int cual = datos[0] % 5;
  const qint64 limite = (qint64(datos[1]) << 8 | datos[2]) == 0xFFFF ? ReemplazoFallido::kAlVaciar
                                                                      : (qint64(datos[1]) << 8 | datos[2]);
  const QStringList lineas = texto::partirLineas(texto::desde1252(bytes(datos + 3, n - 3)));
  Entorno e;
  Workspace& ws = *e.ws;
  ws.log.setTrazaPorCelda(false);
  Grid* tablas[] = {&ws.vaSpread3, &ws.vaSpread3, &ws.vaSpread9, &ws.vaSpread2, &ws.vaSpread4};
  if (lineas.size() > tablas[cual]->rowLimit()) return 0;
  tablas[cual]->fromLines(lineas);
  ws.vaSpread9.fromLines(lineas.mid(0, 8));
  const texto::Escritor escritores[] = {
      [&ws](QIODevice& d) { return escribirAviso(ws, d); },
      [&ws](QIODevice& d) { return escribirTrabajo(ws, d); },
      [&ws](QIODevice& d) { return ws.vaSpread9.saveTabText(d); },
      [&ws](QIODevice& d) { return ws.vaSpread2.saveSheet(d); },
      [&ws](QIODevice& d) { return ws.vaSpread4.saveTabText(d); },
  };
  const texto::Escritor& escritor = escritores[cual];

  QBuffer todo;
  todo.open(QIODevice::WriteOnly);
  exigir(escritor(todo).ok);
  const QByteArray completo = todo.data();

  QBuffer parte;
  parte.open(QIODevice::WriteOnly);
  DispositivoFallido fallido(limite == ReemplazoFallido::kAlVaciar ? completo.size() : limite, &parte);
  const texto::Resultado r = escritor(fallido);
  exigir(r.ok == (limite == ReemplazoFallido::kAlVaciar || limite >= completo.size()));
  exigir(completo.startsWith(parte.data()));
  exigir(r.ok == (parte.data() == completo));

  const QString destino = ruta(QStringLiteral("destino.txt"));
  const QByteArray viejo("anterior\r\n");
  escribir(QStringLiteral("destino.txt"), viejo);
  const texto::Resultado reemplazo = ReemplazoFallido(destino, limite).escribir(escritor);
  QFile f(destino);
  exigir(f.open(QIODevice::ReadOnly));
  exigir(reemplazo.ok ? f.readAll() == completo : f.readAll() == viejo);
  exigir(reemplazo.ok == (limite != ReemplazoFallido::kAlVaciar && limite >= completo.size()));
  return 0;
}
