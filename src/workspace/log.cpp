#include "workspace/log.h"

#include <QDir>
#include <QFileInfo>

#include "workspace/clock.h"
#include "workspace/prompter.h"
#include "workspace/textfile.h"

EventLog::EventLog(QString carpetaPrograma, const Reloj& reloj, Prompter& prompter)
    : carpetaLog_(carpetaPrograma + QStringLiteral("/Log")), reloj_(reloj), prompter_(prompter) {}

namespace {

// Two digits (or four for the year), without the cost of a format pattern.
void cifras(QString& s, int n, int ancho) {
  char b[8];
  for (int i = ancho - 1; i >= 0; --i, n /= 10) b[i] = static_cast<char>('0' + n % 10);
  s.append(QLatin1String(b, ancho));
}

}  // namespace

QString EventLog::rutaDelDia() const {
  const QDate d = reloj_.ahora().date();
  QString s;
  s.reserve(carpetaLog_.size() + 16);
  s += carpetaLog_;
  s += QStringLiteral("/Log");
  cifras(s, d.day(), 2);
  cifras(s, d.month(), 2);
  cifras(s, d.year(), 4);
  s += QStringLiteral(".txt");
  return s;
}

void EventLog::EscribirLog(const QString& texto) {
  const QString ruta = rutaDelDia();  // the clock is read once for the name...
  const QDateTime m = reloj_.ahora();  // ...and once for the line: "dd/MM/yyyy HH:mm:ss, "
  QString linea;
  linea.reserve(texto.size() + 23);
  cifras(linea, m.date().day(), 2);
  linea += QLatin1Char('/');
  cifras(linea, m.date().month(), 2);
  linea += QLatin1Char('/');
  cifras(linea, m.date().year(), 4);
  linea += QLatin1Char(' ');
  cifras(linea, m.time().hour(), 2);
  linea += QLatin1Char(':');
  cifras(linea, m.time().minute(), 2);
  linea += QLatin1Char(':');
  cifras(linea, m.time().second(), 2);
  linea += QStringLiteral(", ");
  linea += texto;
  linea += QStringLiteral("\r\n");
  const QByteArray bytes = texto::a1252(linea);
  // One open-append-close; the folder is looked at only when that fails.
  bool ok = texto::anexar(ruta, bytes).ok;
  if (!ok && !QFileInfo::exists(carpetaLog_) && QDir().mkdir(carpetaLog_)) ok = texto::anexar(ruta, bytes).ok;
  if (ok) {
    avisado_ = false;
    return;
  }
  ++perdidas_;
  if (avisado_) return;
  // Set before the box shows: the repaint under it logs too.
  avisado_ = true;
  prompter_.mostrar({QStringLiteral("Error al generar el archivo Log"), QStringLiteral("Aviso Importante"), Icono::Critico, Botones::Ok});
}
