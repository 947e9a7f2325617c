#include "subida/claves.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTimer>
#include <qt6keychain/keychain.h>

#include "subida/conexion.h"

namespace {

const QString kServicio = QStringLiteral("AVISO DE VORARIDO");
// A store that answers answers within a moment; a locked one that would ask
// for its own password, or a bus that never replies, must not hold the
// program: past this the store counts as missing.
constexpr int kEsperaMs = 8000;

struct Respuesta {
  QKeychain::Error error = QKeychain::OtherError;
  QString texto;
};

// Runs a job to its end within the bound. Without an application object
// there is no event loop to run it in, so no store.
Respuesta correr(QKeychain::Job& job) {
  Respuesta r;
  if (!QCoreApplication::instance()) {
    r.texto = QStringLiteral("no hay un ciclo de eventos");
    return r;
  }
  job.setAutoDelete(false);
  job.setInsecureFallback(false);  // a password never goes to a plain file
  QEventLoop ciclo;
  bool terminado = false;
  QObject::connect(&job, &QKeychain::Job::finished, &ciclo, [&] {
    terminado = true;
    ciclo.quit();
  });
  QTimer::singleShot(kEsperaMs, &ciclo, &QEventLoop::quit);
  job.start();
  if (!terminado) ciclo.exec(QEventLoop::ExcludeUserInputEvents);
  if (!terminado) {
    r.error = QKeychain::OtherError;
    r.texto = QStringLiteral("el almacén de contraseñas no contestó");
    return r;
  }
  r.error = job.error();
  r.texto = job.errorString();
  return r;
}

bool almacenFalta(QKeychain::Error e) {
  return e == QKeychain::NoBackendAvailable || e == QKeychain::NotImplemented || e == QKeychain::OtherError ||
         e == QKeychain::AccessDenied || e == QKeychain::AccessDeniedByUser;
}

}  // namespace

bool almacenDisponible() {
  QKeychain::ReadPasswordJob job(kServicio);
  job.setKey(QStringLiteral("prueba del almacén"));
  return !almacenFalta(correr(job).error);
}

bool guardarClave(const QString& cuenta, const QString& clave, QString* error) {
  QKeychain::WritePasswordJob job(kServicio);
  job.setKey(cuenta);
  job.setTextData(clave);
  const Respuesta r = correr(job);
  if (r.error == QKeychain::NoError) return true;
  if (error)
    *error = QStringLiteral("No se pudo guardar la contraseña en el almacén de contraseñas del sistema (") + r.texto +
             QStringLiteral(").");
  return false;
}

std::optional<QString> leerClave(const QString& cuenta) {
  QKeychain::ReadPasswordJob job(kServicio);
  job.setKey(cuenta);
  if (correr(job).error != QKeychain::NoError) return std::nullopt;
  return job.textData();
}

bool borrarClave(const QString& cuenta) {
  QKeychain::DeletePasswordJob job(kServicio);
  job.setKey(cuenta);
  const QKeychain::Error e = correr(job).error;
  return e == QKeychain::NoError || e == QKeychain::EntryNotFound;
}

QString cuentaServidor(const Conexion& c) {
  return QStringLiteral("servidor:") + c.usuario + QLatin1Char('@') + c.servidor;
}

QString cuentaProxy(const Conexion& c) {
  return QStringLiteral("proxy:") + c.proxyUsuario + QLatin1Char('@') + c.proxyServidor;
}

std::optional<QString> claveDeArchivo(const QString& ruta, QString* error) {
  const auto falla = [&](const QString& por) -> std::optional<QString> {
    if (error) *error = QStringLiteral("No se pudo leer la contraseña de ") + ruta + QStringLiteral(": ") + por;
    return std::nullopt;
  };
  const QFileInfo info(ruta);
  if (!info.exists()) return falla(QStringLiteral("el archivo no existe."));
  if (!info.isFile()) return falla(QStringLiteral("no es un archivo común."));
  constexpr qint64 kMaximo = 4096;
  if (info.size() > kMaximo) return falla(QStringLiteral("el archivo es demasiado grande para ser una contraseña."));
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) return falla(f.errorString() + QLatin1Char('.'));
  const QByteArray bytes = f.read(kMaximo + 1);
  QByteArray linea = bytes.left(bytes.indexOf('\n') < 0 ? bytes.size() : bytes.indexOf('\n'));
  if (linea.endsWith('\r')) linea.chop(1);
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString clave = utf8.decode(linea);
  if (utf8.hasError()) return falla(QStringLiteral("el texto no es UTF-8."));
  if (clave.isEmpty()) return falla(QStringLiteral("el primer renglón está vacío."));
  return clave;
}
