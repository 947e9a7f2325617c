#include "workspace/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace texto {
namespace {

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

// What a path names when it is no regular file ("una carpeta", ...); empty
// for a regular file or a path that names nothing.
QString queEs(const QFileInfo& info) {
  if (!info.exists() || info.isFile()) return {};
  if (info.isDir()) return QStringLiteral("una carpeta");
#ifdef Q_OS_UNIX
  struct stat st;
  if (::stat(QFile::encodeName(info.absoluteFilePath()).constData(), &st) == 0) {
    if (S_ISFIFO(st.st_mode)) return QStringLiteral("una tubería (FIFO)");
    if (S_ISSOCK(st.st_mode)) return QStringLiteral("un socket");
  }
#endif
  return QStringLiteral("un dispositivo");
}

Resultado noEsArchivo(const QString& ruta, const QString& que) {
  return Resultado::falla(75, QStringLiteral("No se puede leer ") + ruta + QStringLiteral(": no es un archivo, es ") + que);
}

// Opens a regular file for reading. On POSIX the file is opened without
// waiting (a pipe put in its place after the look before is not waited on)
// and looked at again through its handle.
Resultado abrirParaLeer(QFile& f, const QString& ruta) {
  const QString que = queEs(QFileInfo(ruta));
  if (!que.isEmpty()) return noEsArchivo(ruta, que);
#ifdef Q_OS_UNIX
  const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) {
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return noEsArchivo(ruta, QStringLiteral("un dispositivo"));
    }
    if (f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return Resultado::exito();
    ::close(fd);
  }
#endif
  f.setFileName(ruta);
  if (!f.open(QIODevice::ReadOnly)) return deError(f.error(), ruta, f.errorString());
  return Resultado::exito();
}

// Makes a rename in the folder of `ruta` durable. POSIX syncs the folder
// itself; on Windows the rename QSaveFile makes (MoveFileEx) is journaled by
// the file system and there is no folder handle to flush.
void sincronizarCarpeta(const QString& ruta) {
#ifdef Q_OS_UNIX
  const int fd = ::open(QFile::encodeName(QFileInfo(ruta).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
#else
  Q_UNUSED(ruta);
#endif
}

}  // namespace

Resultado leerBytes(const QString& ruta, QByteArray& bytes) {
  QFile f;
  const Resultado abierto = abrirParaLeer(f, ruta);
  if (!abierto.ok) return abierto;
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

Resultado leerPorPartes(const QString& ruta, qint64 maximo, const std::function<void(const QByteArray&)>& recibir) {
  QFile f;
  const Resultado abierto = abrirParaLeer(f, ruta);
  if (!abierto.ok) return abierto;
  if (f.size() > maximo)
    return Resultado::falla(7, QStringLiteral("El archivo es demasiado grande para leerlo: ") + ruta +
                                   QStringLiteral(" (%1 bytes; el máximo es de %2 bytes)").arg(f.size()).arg(maximo));
  constexpr qint64 kParte = qint64(1) << 20;
  qint64 leidos = 0;
  while (!f.atEnd()) {
    const QByteArray parte = f.read(kParte);
    if (f.error() != QFileDevice::NoError) return deError(QFileDevice::ReadError, ruta, f.errorString());
    if (parte.isEmpty()) break;
    leidos += parte.size();
    // A file that grew while it was read is held to the same limit.
    if (leidos > maximo)
      return Resultado::falla(7, QStringLiteral("El archivo es demasiado grande para leerlo: ") + ruta +
                                     QStringLiteral(" (más de %1 bytes)").arg(maximo));
    recibir(parte);
  }
  return Resultado::exito();
}

Resultado destinoValido(const QString& ruta) {
  // A folder refuses the write by itself, and says so.
  const QFileInfo info(ruta);
  const QString que = info.isDir() ? QString() : queEs(info);
  if (que.isEmpty()) return Resultado::exito();
  return Resultado::falla(75, QStringLiteral("No se puede escribir ") + ruta + QStringLiteral(": no es un archivo, es ") + que);
}

bool mismoArchivo(const QString& a, const QString& b) {
  const QFileInfo x(a), y(b);
#ifdef Q_OS_UNIX
  struct stat sa, sb;
  const bool hayA = ::stat(QFile::encodeName(a).constData(), &sa) == 0;
  const bool hayB = ::stat(QFile::encodeName(b).constData(), &sb) == 0;
  if (hayA != hayB) return false;
  if (hayA) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#else
  if (x.exists() && y.exists()) return x.canonicalFilePath() == y.canonicalFilePath();
#endif
  const auto canonica = [](const QFileInfo& i) {
    const QString carpeta = QFileInfo(i.absolutePath()).canonicalFilePath();
    return (carpeta.isEmpty() ? i.absolutePath() : carpeta) + QLatin1Char('/') + i.fileName();
  };
  return canonica(x) == canonica(y);
}

Resultado leerLineas(const QString& ruta, QStringList& lineas) {
  QByteArray bytes;
  Resultado r = leerBytes(ruta, bytes);
  if (!r.ok) return r;
  lineas = partirLineas(desde1252(bytes));
  return r;
}

Reemplazo::Reemplazo(const QString& ruta) : archivo_(std::make_unique<QSaveFile>(ruta)) {}
Reemplazo::~Reemplazo() = default;

QIODevice& Reemplazo::dispositivo() { return *archivo_; }

bool Reemplazo::vaciar() { return archivo_->flush(); }

Resultado Reemplazo::escribir(const Escritor& escritor) {
  QSaveFile& f = *archivo_;
  const QString ruta = f.fileName();
  const Resultado destino = destinoValido(ruta);
  if (!destino.ok) return destino;
  if (!f.open(QIODevice::WriteOnly)) {
    QFileInfo info(ruta);
    if (!QFileInfo(info.absolutePath()).isWritable() || (info.exists() && !info.isWritable()))
      return Resultado::falla(75, QStringLiteral("Error de acceso a la ruta o al archivo: ") + ruta + QStringLiteral(" (") + f.errorString() + QStringLiteral(")"));
    return deError(f.error(), ruta, f.errorString());
  }
  Resultado r = escritor(dispositivo());
  // The commit would rename even when what was still buffered could not be
  // written (a full disk takes a small file whole into the buffer): the
  // final flush and the file's error state are checked before it.
  if (r.ok && (!vaciar() || f.error() != QFileDevice::NoError)) {
    const QString causa = f.errorString();
    r = Resultado::falla(61, causa.isEmpty() || causa == QStringLiteral("Unknown error") ? QStringLiteral("escritura incompleta") : causa);
  }
  if (!r.ok) {
    f.cancelWriting();
    return Resultado::falla(r.numero, QStringLiteral("No se pudo escribir el archivo: ") + ruta + QStringLiteral(" (") + r.descripcion + QStringLiteral(")"));
  }
  if (!f.commit()) return deError(f.error() == QFileDevice::NoError ? QFileDevice::WriteError : f.error(), ruta, f.errorString());
  sincronizarCarpeta(ruta);
  return Resultado::exito();
}

Resultado reemplazar(const QString& ruta, const Escritor& escritor) { return Reemplazo(ruta).escribir(escritor); }

Resultado escribirArchivo(const QString& ruta, const QByteArray& bytes) {
  return reemplazar(ruta, [&bytes](QIODevice& d) { return escribirEn(d, bytes); });
}

Resultado escribirLineas(const QString& ruta, const QStringList& lineas) {
  return reemplazar(ruta, [&lineas](QIODevice& d) { return escribirEn(d, unirLineas(lineas)); });
}

Resultado escribirTemporal(const QString& ruta, const QByteArray& bytes) {
  const Resultado destino = destinoValido(ruta);
  if (!destino.ok) return destino;
  // Refused in the words a replacing writer uses, so the message is the same.
  const QFileInfo info(ruta);
  if (info.isDir()) return deError(QFileDevice::WriteError, ruta, QStringLiteral("Filename refers to a directory"));
  QFile f(ruta);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    if (!QFileInfo(info.absolutePath()).isWritable() || (info.exists() && !info.isWritable()))
      return Resultado::falla(75, QStringLiteral("Error de acceso a la ruta o al archivo: ") + ruta + QStringLiteral(" (") + f.errorString() + QStringLiteral(")"));
    return deError(f.error(), ruta, f.errorString());
  }
  Resultado r = escribirEn(f, bytes);
  if (r.ok && !f.flush()) r = Resultado::falla(61, f.errorString());
  if (!r.ok) {
    f.close();
    QFile::remove(ruta);
    return Resultado::falla(r.numero, QStringLiteral("No se pudo escribir el archivo: ") + ruta + QStringLiteral(" (") +
                                          r.descripcion + QStringLiteral(")"));
  }
  return r;
}

Resultado anexar(const QString& ruta, const QByteArray& bytes) {
#ifdef Q_OS_UNIX
  // The log appends a line at a time: a bare open, write and close. A pipe
  // in the file's place is opened without waiting and refused.
  const QByteArray nativa = QFile::encodeName(ruta);
  const int fd = ::open(nativa.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) {
    const int e = errno;
    if (e == EACCES || e == EPERM || e == EROFS) return Resultado::falla(70, QStringLiteral("Permiso denegado: ") + ruta);
    if (e == ENOENT || e == ENOTDIR) return Resultado::falla(76, QStringLiteral("No se encontró la ruta de acceso: ") + ruta);
    return Resultado::falla(75, QStringLiteral("Error de acceso a la ruta o al archivo: ") + ruta);
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Resultado::falla(75, QStringLiteral("Error de acceso a la ruta o al archivo: ") + ruta);
  }
  const char* p = bytes.constData();
  qint64 escritos = 0;
  while (escritos < bytes.size()) {
    const ssize_t n = ::write(fd, p + escritos, static_cast<size_t>(bytes.size() - escritos));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    escritos += n;
  }
  const int errorEscritura = escritos < bytes.size() ? errno : 0;
  const bool cerrado = ::close(fd) == 0;
  if (errorEscritura == ENOSPC) return Resultado::falla(61, QStringLiteral("Disco lleno: ") + ruta);
  if (escritos < bytes.size() || !cerrado) return Resultado::falla(61, QStringLiteral("No se pudo escribir: ") + ruta);
  return Resultado::exito();
#else
  QFile f(ruta);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return deError(f.error(), ruta, f.errorString());
  Resultado r = escribirEn(f, bytes);
  if (r.ok && !f.flush()) r = Resultado::falla(61, f.errorString());
  f.close();
  return r;
#endif
}

bool dialogoCancelado(const QString& nombre) {
  return nombre.trimmed().isEmpty() || nombre.contains(QLatin1Char('*')) || nombre.contains(QLatin1Char('?'));
}

}  // namespace texto
