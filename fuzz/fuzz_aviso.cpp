// The checks and the notice builder over fuzzed tables: the input is tab text
// laid out as a work file's detail and header part (detail lines, a line whose
// first cell is "DUDIZOD3.0", then one line per order), loaded straight into
// the detail grids and the per-order table, then validar, preparar and the
// notice text. A notice built is written to a file as the file command
// writes it and gives those bytes; the input itself, as a file, goes through
// the tab removal, which leaves its lines without tabs, each ended by CR LF. The
// notice checker reads the notice back: from cells the window's rules admit,
// it finds no fault.
#include <QSet>

#include "comun.h"
#include "envio/aviso.h"
#include "notice/builder.h"
#include "notice/output.h"
#include "notice/validation.h"
#include "workspace/textfile.h"

namespace {

// Cells as the window lets them in: no control character anywhere, a store
// (column 5) of digits, a quantity (column 11) without blanks, a department
// on the first detail line.
bool admitidas(const QStringList& lineas) {
  for (qsizetype i = 0; i < lineas.size(); ++i) {
    const QStringList celdas = lineas[i].split(QLatin1Char('\t'));
    for (qsizetype c = 0; c < celdas.size(); ++c) {
      for (QChar ch : celdas[c]) {
        if (ch.unicode() < 0x20 || (ch.unicode() >= 0x7F && ch.unicode() < 0xA0)) return false;
        if (c == 4 && (ch < QLatin1Char('0') || ch > QLatin1Char('9'))) return false;
        if (c == 10 && ch == QLatin1Char(' ')) return false;
      }
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  if (n > 200000) return 0;
  const QByteArray entrada = bytes(datos, n);
  const QStringList lineas = texto::partirLineas(texto::desde1252(entrada));
  qsizetype corte = lineas.size();
  for (qsizetype i = 0; i < lineas.size(); ++i)
    if (lineas[i].startsWith(QStringLiteral("DUDIZOD3.0"))) {
      corte = i;
      break;
    }
  Entorno e;
  Workspace& ws = *e.ws;
  for (const auto& [fila, valor] : {std::pair{1, "006"}, {2, "1234"}, {14, "45678"}, {16, "ABCD010101-AB1"}})
    ws.vaSpread2.setText(2, fila, QString::fromLatin1(valor));
  ws.vaspread1.fromLines(lineas.mid(0, corte));
  ws.vaSpread6.fromLines(lineas.mid(0, corte));
  ws.vaSpread9.fromLines(corte < lineas.size() ? lineas.mid(corte + 1) : QStringList());
  ws.DTPicker1_4 = QDate(2026, 12, 9);
  ws.Text1[4] = QStringLiteral("09/12/2026");
  ws.Combo3.texto = QStringLiteral("09:00");
  ws.vaspread1.sortRows({SortKey{15, true}});
  ws.vaSpread6.sortRows({SortKey{15, true}});
  if (validar(ws) == Resultado::Hecho && verificardatosok(ws) == Resultado::Hecho &&
      preparar(ws) == Resultado::Hecho) {
    const QByteArray aviso = textoAviso(ws);
    // Fixed width: no tab, every line ended by CR LF.
    exigir(!aviso.contains('\t'));
    exigir(aviso.isEmpty() || aviso.endsWith("\r\n"));
    const QString archivo = ruta(QStringLiteral("aviso.txt"));
    exigir(texto::reemplazar(archivo, [&ws](QIODevice& d) { return escribirAviso(ws, d); }).ok);
    exigir(formatofijo(ws, archivo).ok);
    QFile f(archivo);
    exigir(f.open(QIODevice::ReadOnly) && f.readAll() == aviso);
    // What the file command makes sure of before it builds: every order has lines.
    QSet<QString> conLineas;
    for (int r = 1; r <= ws.vaspread1.dataRowCount(); ++r) conLineas.insert(ws.vaspread1.text(1, r));
    bool todas = true;
    for (int i = 1; i <= ws.vaSpread9.dataRowCount(); ++i) todas = todas && conLineas.contains(ws.vaSpread9.text(1, i));
    const bool conDepartamento = !ws.vaspread1.text(2, 1).isEmpty();
    if (admitidas(lineas) && conDepartamento && todas) {
      const AvisoLeido leido = leerAviso(aviso);
      for (const Hallazgo& h : leido.hallazgos)
        if (h.falta)
          std::fprintf(stderr, "línea %d, columna %d: %s\n%s\n", h.linea, h.columna, qPrintable(h.texto),
                       qPrintable(leido.lineas.value(h.linea - 1)));
      exigir(leido.faltas() == 0);
    }
  }
  escribir(QStringLiteral("imagen.txt"), entrada);
  exigir(formatofijo(ws, ruta(QStringLiteral("imagen.txt"))).ok);
  QFile f(ruta(QStringLiteral("imagen.txt")));
  exigir(f.open(QIODevice::ReadOnly));
  const QByteArray sinTabs = f.readAll();
  // Line by line: a line of tabs alone stays, empty.
  QStringList esperado = texto::partirLineas(texto::desde1252(entrada));
  for (QString& l : esperado) l.remove(QLatin1Char('\t'));
  exigir(!sinTabs.contains('\t'));
  exigir(texto::partirLineas(texto::desde1252(sinTabs)) == esperado);
  exigir(sinTabs.isEmpty() || sinTabs.endsWith("\r\n"));
  return 0;
}
