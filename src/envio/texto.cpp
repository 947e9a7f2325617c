#include "envio/texto.h"

#include <QIODevice>

namespace texto {
namespace {

// Bytes 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes, which
// are read as the C1 control character of the same number.
const char16_t kAlto[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int byteDe(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  for (int i = 0; i < 32; ++i) {
    if (kAlto[i] == u) return 0x80 + i;
    if (kAlto[i] == 0 && u == 0x80 + i) return u;
  }
  return -1;
}

}  // namespace

QString desde1252(const QByteArray& bytes) {
  QString s(bytes.size(), Qt::Uninitialized);
  QChar* out = s.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    char16_t u = b;
    if (b >= 0x80 && b < 0xA0 && kAlto[b - 0x80] != 0) u = kAlto[b - 0x80];
    out[i] = QChar(u);
  }
  return s;
}


QByteArray a1252(const QString& texto) {
  QByteArray b(texto.size(), Qt::Uninitialized);
  char* out = b.data();
  for (qsizetype i = 0; i < texto.size(); ++i) {
    const char16_t u = texto[i].unicode();
    if (u < 0x80) { out[i] = static_cast<char>(u); continue; }
    const int v = byteDe(texto[i]);
    out[i] = static_cast<char>(v < 0 ? '?' : v);
  }
  return b;
}

QStringList partirLineas(const QString& texto) {
  QStringList lineas;
  qsizetype inicio = 0;
  const qsizetype n = texto.size();
  const QChar* d = texto.constData();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t u = d[i].unicode();
    if (u == u'\r' || u == u'\n') {
      lineas.append(texto.mid(inicio, i - inicio));
      if (u == u'\r' && i + 1 < n && d[i + 1].unicode() == u'\n') ++i;
      inicio = i + 1;
    }
  }
  if (inicio < n) lineas.append(texto.mid(inicio));
  return lineas;
}

QByteArray unirLineas(const QStringList& lineas, bool finalConSalto) {
  // Encoded straight into the bytes: no joined text is built first.
  qsizetype total = 0;
  for (const QString& l : lineas) total += l.size() + 2;
  QByteArray b(total, Qt::Uninitialized);
  char* out = b.data();
  for (qsizetype i = 0; i < lineas.size(); ++i) {
    const QString& l = lineas[i];
    const QChar* d = l.constData();
    for (qsizetype k = 0; k < l.size(); ++k) {
      const char16_t u = d[k].unicode();
      if (u < 0x80) {
        *out++ = static_cast<char>(u);
        continue;
      }
      const int v = byteDe(d[k]);
      *out++ = static_cast<char>(v < 0 ? '?' : v);
    }
    if (finalConSalto || i + 1 < lineas.size()) {
      *out++ = '\r';
      *out++ = '\n';
    }
  }
  b.truncate(out - b.constData());
  return b;
}

Resultado escribirEn(QIODevice& dispositivo, const QByteArray& bytes) {
  const qint64 n = dispositivo.write(bytes);
  if (n == bytes.size()) return Resultado::exito();
  const QString causa = dispositivo.errorString();
  return Resultado::falla(61, causa.isEmpty() || causa == QStringLiteral("Unknown error") ? QStringLiteral("escritura incompleta") : causa);
}

bool esTexto(const QByteArray& bytes) {
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n; ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b >= 0x20 || b == '\t' || b == '\n' || b == '\r' || b == '\f') continue;
    if (b == 0x1A && i == n - 1) continue;
    return false;
  }
  return true;
}

}  // namespace texto
