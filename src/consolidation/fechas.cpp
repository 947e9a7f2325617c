#include "consolidation/fechas.h"

#include <QStringList>

namespace fechas {
namespace {

bool soloDigitos(const QString& s) {
  if (s.isEmpty()) return false;
  for (QChar c : s)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

int anioDeDosDigitos(int yy) { return yy < 30 ? 2000 + yy : 1900 + yy; }

}  // namespace

QDate leer(const QString& texto) {
  const QString t = texto.trimmed();
  if (t.isEmpty() || t.size() > 10) return {};
  QChar sep;
  for (QChar c : t) {
    if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.')) { sep = c; break; }
  }
  if (sep.isNull()) return {};
  const QStringList partes = t.split(sep);
  if (partes.size() != 3) return {};
  for (const QString& p : partes)
    if (!soloDigitos(p)) return {};
  int d = 0, m = 0, y = 0;
  if (partes[0].size() == 4) {  // yyyy-mm-dd
    if (partes[1].size() > 2 || partes[2].size() > 2) return {};
    y = partes[0].toInt();
    m = partes[1].toInt();
    d = partes[2].toInt();
  } else {
    if (partes[0].size() > 2 || partes[1].size() > 2) return {};
    d = partes[0].toInt();
    m = partes[1].toInt();
    const QString& a = partes[2];
    if (a.size() == 4) y = a.toInt();
    else if (a.size() == 2 || a.size() == 1) y = anioDeDosDigitos(a.toInt());
    else return {};
  }
  if (y < 100) return {};
  const QDate f(y, m, d);
  return f.isValid() ? f : QDate();
}

QString ddmmaaaa(const QDate& fecha) {
  return QStringLiteral("%1/%2/%3")
      .arg(fecha.day(), 2, 10, QLatin1Char('0'))
      .arg(fecha.month(), 2, 10, QLatin1Char('0'))
      .arg(fecha.year(), 4, 10, QLatin1Char('0'));
}

QString aDdMmAaaa(const QString& texto) {
  const QDate f = leer(texto);
  return f.isValid() ? ddmmaaaa(f) : texto;
}

QString aDdMmAa(const QString& texto) {
  const QDate f = leer(texto);
  if (!f.isValid()) return texto;
  if (f.year() < 1930 || f.year() > 2029) return ddmmaaaa(f);
  return QStringLiteral("%1/%2/%3")
      .arg(f.day(), 2, 10, QLatin1Char('0'))
      .arg(f.month(), 2, 10, QLatin1Char('0'))
      .arg(f.year() % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace fechas
