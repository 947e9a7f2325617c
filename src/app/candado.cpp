#include "app/candado.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <climits>

#include "workspace/clock.h"
#include "workspace/textfile.h"

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {
const QString kAjena = QStringLiteral("Otra ventana del programa guarda su trabajo para recuperarlo; esta no lo guarda.");
const QString kSinEscribir =
    QStringLiteral("La carpeta del programa no permite escribir: el trabajo sin guardar no se podrá recuperar.");

struct Datos {
  qint64 pid = 0;
  QString programa, host;
  QDateTime momento;
  bool valido = false;
};

Datos leerDatos(const QByteArray& bytes) {
  Datos d;
  const QList<QByteArray> l = bytes.split('\n');
  if (l.size() != 5 || !l[4].isEmpty()) return d;
  bool ok = false;
  d.pid = l[0].toLongLong(&ok);
  d.programa = QString::fromUtf8(l[1]);
  d.host = QString::fromUtf8(l[2]);
  d.momento = QDateTime::fromString(QString::fromLatin1(l[3]), Qt::ISODate);
  d.valido = ok && d.pid > 0 && !d.host.isEmpty() && d.momento.isValid();
  return d;
}

bool vivo(qint64 pid) {
#ifdef Q_OS_UNIX
  return pid > 0 && pid <= INT_MAX && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
#else
  return pid > 0;
#endif
}
}  // namespace

QByteArray Candado::contenido(qint64 pid, const QString& programa, const QString& host, const QDateTime& momento) {
  return QByteArray::number(pid) + '\n' + programa.toUtf8() + '\n' + host.toUtf8() + '\n' +
         momento.toUTC().toString(Qt::ISODate).toLatin1() + '\n';
}

qint64 Candado::pidPropio() {
#ifdef Q_OS_UNIX
  return ::getpid();
#else
  return QCoreApplication::applicationPid();
#endif
}

// The name the system gives the process (Linux: /proc/PID/comm, readable for
// any process); empty when the process does not exist.
QString Candado::programaDe(qint64 pid) {
  QFile f(QStringLiteral("/proc/%1/comm").arg(pid));
  if (f.open(QIODevice::ReadOnly)) return QString::fromUtf8(f.readAll()).trimmed();
  return vivo(pid) ? QStringLiteral("?") : QString();
}

QString Candado::hostPropio() { return QSysInfo::machineHostName(); }

bool Candado::vigente(const QByteArray& bytes) const {
  const Datos d = leerDatos(bytes);
  if (!d.valido) return false;
  if (d.host != hostPropio()) return qAbs(d.momento.secsTo(reloj_.ahora())) < kVigenciaAjena;
  const QString programa = programaDe(d.pid);
  return !programa.isEmpty() && programa == programaDe(pidPropio());
}

bool Candado::esPropio() const {
  QByteArray bytes;
  if (!texto::leerBytes(ruta_, bytes).ok) return false;
  const Datos d = leerDatos(bytes);
  return d.valido && d.pid == pidPropio() && d.host == hostPropio();
}

// Created only where no file is (a crash right after it leaves it empty,
// which the next start takes over).
bool Candado::crear() {
  QFile f(ruta_);
  if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
  const QByteArray b = contenido(pidPropio(), programaDe(pidPropio()), hostPropio(), reloj_.ahora());
  return f.write(b) == b.size() && f.flush();
}

bool Candado::tomar() {
  tomado_ = false;
  porque_.clear();
  for (int intento = 0; intento < 2; ++intento) {
    if (crear()) return tomado_ = true;
    const QFileInfo info(ruta_);
    if (!info.exists() && !info.isSymLink()) break;  // not there, and still not made: the folder refuses
    if (info.isDir()) {
      if (QDir().rmdir(ruta_)) continue;
      porque_ = QStringLiteral("En la carpeta del programa hay una carpeta llamada recuperacion.lock que no se puede "
                               "quitar: el trabajo sin guardar no se podrá recuperar.");
      return false;
    }
    QByteArray bytes;
    const bool leido = info.isFile() && !info.isSymLink() && texto::leerBytes(ruta_, bytes).ok;
    if (leido && vigente(bytes)) {
      porque_ = kAjena;
      return false;
    }
    if (QFile::remove(ruta_)) continue;
    porque_ = leido ? kSinEscribir
                    : QStringLiteral("El archivo recuperacion.lock de la carpeta del programa no se puede leer ni "
                                     "quitar: el trabajo sin guardar no se podrá recuperar.");
    return false;
  }
  porque_ = kSinEscribir;
  return false;
}

// Rewritten in place, without a sync: it costs the window nothing, and a
// lock cut by a crash is one the next start takes over anyway.
void Candado::refrescar() {
  if (!tomado_ || !esPropio()) return;
  QFile f(ruta_);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly)) return;
  f.write(contenido(pidPropio(), programaDe(pidPropio()), hostPropio(), reloj_.ahora()));
}

void Candado::soltar() {
  if (!tomado_) return;
  tomado_ = false;
  if (esPropio()) QFile::remove(ruta_);
}
