#include "servidores.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <atomic>
#include <mutex>
#include <stdexcept>

namespace servidores {

namespace {

void falla(const QString& que) { throw std::runtime_error(que.toStdString()); }

// A port of 127.0.0.1 that nobody listens on right now.
int puertoLibre() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t largo = sizeof a;
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &largo) != 0)
    falla(QStringLiteral("no hay puerto libre"));
  ::close(s);
  return ntohs(a.sin_port);
}

bool acepta(int puerto) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<uint16_t>(puerto));
  const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

passwd* usuario() {
  passwd* p = ::getpwnam(kUsuario.toLocal8Bit().constData());
  if (!p) falla(QStringLiteral("falta el usuario ") + kUsuario);
  return p;
}

void darAlUsuario(const QString& ruta) {
  passwd* p = usuario();
  if (::chown(QFile::encodeName(ruta).constData(), p->pw_uid, p->pw_gid) != 0)
    falla(QStringLiteral("chown ") + ruta);
}

QString huellaDeBytes(const QByteArray& bytes) {
  return QStringLiteral("SHA256:") +
         QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)
                                 .toBase64(QByteArray::OmitTrailingEquals));
}

}  // namespace

int correr(const QString& programa, const QStringList& argumentos, QByteArray* salida, const QByteArray& entrada) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(programa, argumentos);
  if (!p.waitForStarted(-1)) return -1;
  if (!entrada.isEmpty()) p.write(entrada);
  p.closeWriteChannel();
  p.waitForFinished(-1);
  if (salida) *salida = p.readAll();
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void asegurarUsuario() {
  static std::once_flag hecho;
  std::call_once(hecho, [] {
    if (!::getpwnam(kUsuario.toLocal8Bit().constData()))
      correr(QStringLiteral("useradd"), {QStringLiteral("-m"), QStringLiteral("-s"), QStringLiteral("/bin/bash"), kUsuario});
    QByteArray salida;
    if (correr(QStringLiteral("chpasswd"), {}, &salida, (kUsuario + QLatin1Char(':') + kClave + QLatin1Char('\n')).toUtf8()) != 0)
      falla(QStringLiteral("chpasswd: ") + QString::fromLocal8Bit(salida));
    QDir().mkpath(casaUsuario());
    QDir().mkpath(QStringLiteral("/run/sshd"));
  });
}

QString casaUsuario() { return QFile::decodeName(usuario()->pw_dir); }

// ------------------------------------------------------------------ remote folder

CarpetaRemota::CarpetaRemota() {
  asegurarUsuario();
  static std::atomic<int> cuenta{0};
  nombre_ = QStringLiteral("prueba-%1-%2").arg(::getpid()).arg(++cuenta);
  ruta_ = QDir(casaUsuario()).filePath(nombre_);
  QDir(ruta_).removeRecursively();
  if (!QDir().mkpath(ruta_)) falla(QStringLiteral("no se creó ") + ruta_);
  darAlUsuario(ruta_);
}

CarpetaRemota::~CarpetaRemota() {
  for (const QString& m : montajes_) ::umount2(QFile::encodeName(m).constData(), MNT_DETACH);
  QDir(ruta_).removeRecursively();
}

QString CarpetaRemota::crear(const QString& nombre, int permisos) {
  const QString r = QDir(ruta_).filePath(nombre);
  QDir().mkpath(r);
  darAlUsuario(r);
  QFile::setPermissions(r, QFileDevice::Permissions());
  ::chmod(QFile::encodeName(r).constData(), static_cast<mode_t>(permisos));
  return r;
}

QString CarpetaRemota::discoPequeno(const QString& nombre, int kb) {
  const QString r = crear(nombre);
  passwd* p = usuario();
  const QByteArray opciones = QStringLiteral("size=%1k,mode=0755,uid=%2,gid=%3").arg(kb).arg(p->pw_uid).arg(p->pw_gid).toLatin1();
  if (::mount("tmpfs", QFile::encodeName(r).constData(), "tmpfs", 0, opciones.constData()) != 0)
    falla(QStringLiteral("no se pudo montar un tmpfs en ") + r);
  montajes_.append(r);
  return r;
}

// ------------------------------------------------------------------ processes

Proceso::~Proceso() {
  if (proceso_ && proceso_->state() != QProcess::NotRunning) {
    proceso_->terminate();
    if (!proceso_->waitForFinished(10000)) proceso_->kill();
    proceso_->waitForFinished(-1);
  }
}

QString Proceso::salida() const { return proceso_ ? QString::fromLocal8Bit(proceso_->readAll()) : QString(); }

void Proceso::arrancar(const QString& programa, const std::function<QStringList(int)>& argumentos) {
  QString motivo;
  for (int intento = 0; intento < 5; ++intento) {
    const int puerto = puertoLibre();
    proceso_ = std::make_unique<QProcess>();
    proceso_->setProcessChannelMode(QProcess::MergedChannels);
    proceso_->start(programa, argumentos(puerto));
    if (!proceso_->waitForStarted(-1)) falla(programa + QStringLiteral(" no arrancó"));
    // Until it listens, or ends (another took the port in the meantime).
    while (!acepta(puerto)) {
      if (proceso_->waitForFinished(20)) break;
    }
    if (proceso_->state() == QProcess::Running) {
      puerto_ = puerto;
      return;
    }
    motivo = QString::fromLocal8Bit(proceso_->readAll());
  }
  falla(programa + QStringLiteral(" no escuchó: ") + motivo);
}

ServidorSftp::ServidorSftp() {
  asegurarUsuario();
  const QString clave = dir_.filePath(QStringLiteral("clave_servidor"));
  if (correr(QStringLiteral("ssh-keygen"), {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"),
                                             QStringLiteral("-N"), QString(), QStringLiteral("-f"), clave}) != 0)
    falla(QStringLiteral("ssh-keygen"));
  QByteArray lista;
  correr(QStringLiteral("ssh-keygen"), {QStringLiteral("-l"), QStringLiteral("-E"), QStringLiteral("sha256"),
                                        QStringLiteral("-f"), clave + QStringLiteral(".pub")},
         &lista);
  huella_ = QString::fromLatin1(lista).section(QLatin1Char(' '), 1, 1);
  const QString config = dir_.filePath(QStringLiteral("sshd_config"));
  QFile f(config);
  f.open(QIODevice::WriteOnly);
  f.write(QStringLiteral("ListenAddress 127.0.0.1\nHostKey %1\nUsePAM no\nPasswordAuthentication yes\n"
                         "KbdInteractiveAuthentication no\nPubkeyAuthentication yes\nSubsystem sftp internal-sftp\n"
                         "PidFile none\nStrictModes no\nAllowUsers %2\nMaxStartups 50\n")
              .arg(clave, kUsuario)
              .toUtf8());
  f.close();
  arrancar(QStringLiteral("/usr/sbin/sshd"), [config](int puerto) {
    return QStringList{QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"), config, QStringLiteral("-p"),
                       QString::number(puerto)};
  });
}

ServidorFtps::ServidorFtps(bool implicito, bool tls) {
  asegurarUsuario();
  const QString cert = dir_.filePath(QStringLiteral("cert.pem")), llave = dir_.filePath(QStringLiteral("llave.pem"));
  QByteArray salida;
  if (correr(QStringLiteral("openssl"),
             {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
              QStringLiteral("-nodes"), QStringLiteral("-keyout"), llave, QStringLiteral("-out"), cert,
              QStringLiteral("-days"), QStringLiteral("30"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
              QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost")},
             &salida) != 0)
    falla(QStringLiteral("openssl req: ") + QString::fromLocal8Bit(salida));
  correr(QStringLiteral("openssl"),
         {QStringLiteral("x509"), QStringLiteral("-in"), cert, QStringLiteral("-outform"), QStringLiteral("DER")}, &salida);
  huella_ = huellaDeBytes(salida);
  QDir().mkpath(QStringLiteral("/var/run/vsftpd/empty"));
  const QString dir = dir_.path();
  arrancar(QStringLiteral("/usr/sbin/vsftpd"), [=](int puerto) {
    const QString config = QDir(dir).filePath(QStringLiteral("vsftpd.conf"));
    QFile f(config);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(QStringLiteral("listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nlisten_port=%1\nbackground=NO\n"
                           "anonymous_enable=NO\nlocal_enable=YES\nwrite_enable=YES\nlocal_umask=022\n"
                           "ssl_enable=%5\nimplicit_ssl=%2\nrsa_cert_file=%3\nrsa_private_key_file=%4\n"
                           "force_local_logins_ssl=YES\nforce_local_data_ssl=YES\nrequire_ssl_reuse=NO\n"
                           "strict_ssl_read_eof=NO\nstrict_ssl_write_shutdown=NO\nssl_request_cert=NO\nseccomp_sandbox=NO\npasv_enable=YES\nconnect_from_port_20=NO\n"
                           "secure_chroot_dir=/var/run/vsftpd/empty\npam_service_name=vsftpd\nxferlog_enable=NO\n"
                           "max_clients=0\nmax_per_ip=0\ndelay_failed_login=0\n")
                .arg(puerto)
                .arg(implicito ? QStringLiteral("YES") : QStringLiteral("NO"), cert, llave,
                     tls ? QStringLiteral("YES") : QStringLiteral("NO"))
                .toUtf8());
    f.close();
    return QStringList{config};
  });
}

void Proceso::arrancarScript(const QString& script, const QStringList& argumentos) {
  proceso_ = std::make_unique<QProcess>();
  proceso_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  proceso_->start(QStringLiteral("python3"), QStringList{QStringLiteral(AVISO_TEST_SUPPORT "/") + script} + argumentos);
  while (!proceso_->canReadLine())
    if (!proceso_->waitForReadyRead(-1)) falla(script + QStringLiteral(" no arrancó"));
  puerto_ = proceso_->readLine().trimmed().toInt();
}

Relevo::Relevo(int destino, qint64 corte, int puerto) {
  arrancarScript(QStringLiteral("relevo.py"), {QString::number(destino), QString::number(corte), QString::number(puerto)});
}

ProxyPrueba::ProxyPrueba(const QString& modo) { arrancarScript(QStringLiteral("proxy.py"), {modo}); }

QStringList ProxyPrueba::tuneles() {
  proceso_->waitForReadyRead(0);
  while (proceso_->canReadLine()) tuneles_.append(QString::fromLatin1(proceso_->readLine().trimmed()));
  return tuneles_;
}

PuertoMudo::PuertoMudo() {
  socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t largo = sizeof a;
  if (::bind(socket_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(socket_, 8) != 0 ||
      ::getsockname(socket_, reinterpret_cast<sockaddr*>(&a), &largo) != 0)
    falla(QStringLiteral("no se abrió el puerto mudo"));
  puerto_ = ntohs(a.sin_port);
}

PuertoMudo::~PuertoMudo() { ::close(socket_); }

}  // namespace servidores
