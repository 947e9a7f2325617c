#include "workspace/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace texto {
namespace {

// Bytes 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes, which
// are read as the C1 control character of the same number.
const char16_t kAlto[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

qint64 gLimiteDisco = -1;
qint64 gEscritos = 0;

int byteDe(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  for (int i = 0; i < 32; ++i) {
    if (kAlto[i] == u) return 0x80 + i;
    if (kAlto[i] == 0 && u == 0x80 + i) return u;
  }
  return -1;
}

Resultado deError(QFileDevice::FileError e, const QString& ruta, const QString& detalle) {
  switch (e) {
    case QFileDevice::OpenError:
      if (!QFileInfo::exists(ruta)) return Resultado::falla(53, QStringLiteral("No se encontró el archivo: ") + ruta);
      return Resultado::falla(75, QStringLiteral("Error de acceso a la ruta o al archivo: ") + ruta + QStringLiteral(" (") + detalle + QStringLiteral(")"));
    case QFileDevice::PermissionsError:
      return Resultado::falla(70, QStringLiteral("Permiso denegado: ") + ruta);
    case QFileDevice::ResourceError:
      return Resultado::falla(61, QStringLiteral("Disco lleno al escribir: ") + ruta);
    case QFileDevice::WriteError:
      return Resultado::falla(61, QStringLiteral("No se pudo escribir el archivo: ") + ruta + QStringLiteral(" (") + detalle + QStringLiteral(")"));
    case QFileDevice::ReadError:
      return Resultado::falla(57, QStringLiteral("Error de lectura del archivo: ") + ruta + QStringLiteral(" (") + detalle + QStringLiteral(")"));
    case QFileDevice::RenameError:
      return Resultado::falla(58, QStringLiteral("No se pudo reemplazar el archivo: ") + ruta + QStringLiteral(" (") + detalle + QStringLiteral(")"));
    default:
      return Resultado::falla(75, QStringLiteral("Error de acceso a la ruta o al archivo: ") + ruta + QStringLiteral(" (") + detalle + QStringLiteral(")"));
  }
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

bool representableEn1252(QChar c) { return byteDe(c) >= 0; }

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

Resultado leerBytes(const QString& ruta, QByteArray& bytes) {
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) return deError(f.error(), ruta, f.errorString());
  // No file of the system comes near this; reading a bigger one whole (and its
  // text twice that size) would only exhaust the memory.
  if (f.size() > kMaximoBytesLectura)
    return Resultado::falla(7, QStringLiteral("El archivo es demasiado grande para leerlo: ") + ruta +
                                   QStringLiteral(" (%1 bytes; el máximo es de %2 bytes)")
                                       .arg(f.size())
                                       .arg(kMaximoBytesLectura));
  bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) return deError(QFileDevice::ReadError, ruta, f.errorString());
  return Resultado::exito();
}

Resultado leerLineas(const QString& ruta, QStringList& lineas) {
  QByteArray bytes;
  Resultado r = leerBytes(ruta, bytes);
  if (!r.ok) return r;
  lineas = partirLineas(desde1252(bytes));
  return r;
}

QByteArray unirLineas(const QStringList& lineas, bool finalConSalto) {
  qsizetype total = 0;
  for (const QString& l : lineas) total += l.size() + 2;
  QString s;
  s.reserve(total);
  for (qsizetype i = 0; i < lineas.size(); ++i) {
    s += lineas[i];
    if (finalConSalto || i + 1 < lineas.size()) s += QStringLiteral("\r\n");
  }
  return a1252(s);
}

void simularDiscoLlenoTras(qint64 bytes) {
  gLimiteDisco = bytes;
  gEscritos = 0;
}

Resultado escribirEn(QIODevice& dispositivo, const QByteArray& bytes) {
  qint64 aEscribir = bytes.size();
  bool lleno = false;
  if (gLimiteDisco >= 0 && gEscritos + aEscribir > gLimiteDisco) {
    aEscribir = qMax<qint64>(0, gLimiteDisco - gEscritos);
    lleno = true;
  }
  const qint64 n = aEscribir > 0 ? dispositivo.write(bytes.constData(), aEscribir) : 0;
  if (n > 0) gEscritos += n;
  if (lleno) return Resultado::falla(61, QStringLiteral("Disco lleno"));
  if (n != bytes.size()) {
    return Resultado::falla(61, QStringLiteral("No se pudo escribir: ") + dispositivo.errorString());
  }
  return Resultado::exito();
}

Resultado escribirArchivo(const QString& ruta, const QByteArray& bytes) {
  QSaveFile f(ruta);
  if (!f.open(QIODevice::WriteOnly)) {
    QFileInfo info(ruta);
    if (!QFileInfo(info.absolutePath()).isWritable() || (info.exists() && !info.isWritable()))
      return Resultado::falla(75, QStringLiteral("Error de acceso a la ruta o al archivo: ") + ruta + QStringLiteral(" (") + f.errorString() + QStringLiteral(")"));
    return deError(f.error(), ruta, f.errorString());
  }
  Resultado r = escribirEn(f, bytes);
  if (!r.ok) {
    f.cancelWriting();
    return Resultado::falla(r.numero, r.descripcion + QStringLiteral(": ") + ruta);
  }
  if (!f.commit()) return deError(f.error() == QFileDevice::NoError ? QFileDevice::WriteError : f.error(), ruta, f.errorString());
  return Resultado::exito();
}

Resultado escribirLineas(const QString& ruta, const QStringList& lineas) {
  return escribirArchivo(ruta, unirLineas(lineas));
}

Resultado anexar(const QString& ruta, const QByteArray& bytes) {
#ifdef Q_OS_UNIX
  // The log appends a line at a time: a bare open, write and close.
  const QByteArray nativa = QFile::encodeName(ruta);
  const int fd = ::open(nativa.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int e = errno;
    if (e == EACCES || e == EPERM || e == EROFS) return Resultado::falla(70, QStringLiteral("Permiso denegado: ") + ruta);
    if (e == ENOENT || e == ENOTDIR) return Resultado::falla(76, QStringLiteral("No se encontró la ruta de acceso: ") + ruta);
    return Resultado::falla(75, QStringLiteral("Error de acceso a la ruta o al archivo: ") + ruta);
  }
  qint64 aEscribir = bytes.size();
  const bool lleno = gLimiteDisco >= 0 && gEscritos + aEscribir > gLimiteDisco;
  if (lleno) aEscribir = qMax<qint64>(0, gLimiteDisco - gEscritos);
  const char* p = bytes.constData();
  qint64 escritos = 0;
  while (escritos < aEscribir) {
    const ssize_t n = ::write(fd, p + escritos, static_cast<size_t>(aEscribir - escritos));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    escritos += n;
  }
  const int errorEscritura = escritos < aEscribir ? errno : 0;
  gEscritos += escritos;
  const bool cerrado = ::close(fd) == 0;
  if (lleno || errorEscritura == ENOSPC) return Resultado::falla(61, QStringLiteral("Disco lleno"));
  if (escritos < aEscribir || !cerrado)
    return Resultado::falla(61, QStringLiteral("No se pudo escribir: ") + ruta);
  return Resultado::exito();
#else
  QFile f(ruta);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return deError(f.error(), ruta, f.errorString());
  Resultado r = escribirEn(f, bytes);
  f.close();
  return r;
#endif
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

bool dialogoCancelado(const QString& nombre) {
  return nombre.trimmed().isEmpty() || nombre.contains(QLatin1Char('*')) || nombre.contains(QLatin1Char('?'));
}

}  // namespace texto
