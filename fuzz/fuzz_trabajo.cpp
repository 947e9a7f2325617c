// Opening a work file: the fuzzed bytes are the file chosen in the open
// dialog. Either the open refuses with a message and the tables stay as they
// were, or the detail grids and the per-order table hold the file's lines
// within their limits. A loaded file that the save accepts is saved, opened
// and saved again: the second save gives the same bytes as the first.
#include "comun.h"
#include "workfile/workfile.h"
#include "workspace/textfile.h"

namespace {

using fuzz::filas;

QByteArray leer(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool abrir(fuzz::Entorno& e, const QString& ruta) {
  e.prompter.archivo = ruta;
  const int antes = e.prompter.mensajes;
  abrirarchiv_Click(*e.ws);
  return e.prompter.mensajes == antes;
}

bool guardar(fuzz::Entorno& e, const QString& ruta) {
  QFile::remove(ruta);
  e.prompter.guardar = ruta;
  const int antes = e.prompter.mensajes;
  guardararchiv_Click(*e.ws);
  return e.prompter.mensajes == antes && QFile::exists(ruta);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  escribir(QStringLiteral("entrada.006"), crecer(datos, n));
  Entorno e;
  Workspace& ws = *e.ws;
  // One line per copied cell would only slow the run; the copy is the same.
  ws.log.setTrazaPorCelda(false);
  disenoInicial(ws);
  ws.vaSpread2.setText(2, 1, QStringLiteral("006"));
  ws.vaSpread2.setText(2, 2, QStringLiteral("1234"));
  // Something in the tables beforehand, to see that a refusal keeps it.
  ws.vaspread1.setRowTexts(1, {QStringLiteral("ANTES"), QStringLiteral("12")});
  ws.vaSpread6.setRowTexts(1, {QStringLiteral("ANTES"), QStringLiteral("12")});
  ws.vaSpread9.setRowTexts(1, {QStringLiteral("ANTES"), QStringLiteral("Alta")});
  const QStringList antes1 = filas(ws.vaspread1), antes6 = filas(ws.vaSpread6), antes9 = filas(ws.vaSpread9);

  if (!abrir(e, ruta(QStringLiteral("entrada.006")))) {
    exigir(filas(ws.vaspread1) == antes1 && filas(ws.vaSpread6) == antes6 && filas(ws.vaSpread9) == antes9);
    return 0;
  }
  // The order line store holds the same lines, cut to its 15 columns (a line
  // with data only in column 16 is an empty row there).
  exigir(ws.vaSpread6.dataRowCount() <= ws.vaspread1.dataRowCount());
  for (int r = 1; r <= ws.vaspread1.dataRowCount(); ++r)
    for (int c = 1; c <= 15; ++c) exigir(ws.vaSpread6.text(c, r) == ws.vaspread1.text(c, r));
  exigir(ws.vaspread1.dataRowCount() <= Grid::kLimiteRenglones);
  exigir(ws.vaspread1.dataColCount() <= 16 && ws.vaSpread9.dataColCount() <= 8);
  exigir(ws.Combo2.entradas.isEmpty());
  for (int k = 1; k <= ws.vaSpread9.dataRowCount(); ++k) exigir(ws.vaSpread9.locked(2, k));

  const QString primero = ruta(QStringLiteral("primero.006")), segundo = ruta(QStringLiteral("segundo.006"));
  if (!guardar(e, primero)) return 0;
  const QByteArray bytes = leer(primero);
  exigir(bytes.startsWith("DUDIZOD3.0") && bytes.endsWith("\r\n"));
  exigir(abrir(e, primero));
  exigir(guardar(e, segundo));
  exigir(leer(segundo) == bytes);
  return 0;
}
