#include "empaque/gtin.h"

namespace {

bool soloDigitos(QStringView t) {
  for (QChar c : t)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return !t.isEmpty();
}

QString sinCeros(QStringView t) {
  qsizetype i = 0;
  while (i < t.size() - 1 && t[i] == QLatin1Char('0')) ++i;
  return t.mid(i).toString();
}

}  // namespace

QString claveGtin(QStringView codigo) {
  const QStringView t = codigo.trimmed();
  if (t.size() < 8 || t.size() > 14 || !soloDigitos(t)) return {};
  return sinCeros(t);
}

QString claveUpc(QStringView celda) {
  const QStringView t = celda.trimmed();
  if (t.size() > 14 || !soloDigitos(t)) return {};
  return sinCeros(t);
}

bool digitoVerificadorBueno(QStringView digitos) {
  const QStringView t = digitos.trimmed();
  if (t.size() < 2 || !soloDigitos(t)) return false;
  int suma = 0;
  // From the right, past the check digit: weights 3, 1, 3, ...
  for (qsizetype i = t.size() - 2, k = 0; i >= 0; --i, ++k) suma += (t[i].unicode() - u'0') * (k % 2 == 0 ? 3 : 1);
  return (10 - suma % 10) % 10 == t.back().unicode() - u'0';
}
