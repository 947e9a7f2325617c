#pragma once
// Real servers on 127.0.0.1 for the upload tests, each its own process on a
// free port, started by the test and stopped when it ends. They log in the
// ordinary user `avisoprueba`, which the first one creates (the tests run as
// root); every test works in a folder of its own in that user's home, so two
// runs of the suite at once do not meet.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace servidores {

const QString kUsuario = QStringLiteral("avisoprueba");
const QString kClave = QStringLiteral("Prueba-123");

// Creates the user once (password field set with chpasswd, never locked).
void asegurarUsuario();
QString casaUsuario();

// A folder of the user's home that only this test uses, owned by the user.
class CarpetaRemota {
 public:
  CarpetaRemota();
  ~CarpetaRemota();
  QString ruta() const { return ruta_; }       // as this machine sees it
  QString relativa() const { return nombre_; }  // from the user's home
  // A folder inside it, owned by the user with those permissions (0555: read-only).
  QString crear(const QString& nombre, int permisos = 0755);
  // A small tmpfs of `kb` KB mounted as a folder inside it: a disk that fills.
  QString discoPequeno(const QString& nombre, int kb);

 private:
  QString nombre_, ruta_;
  QStringList montajes_;
};

// A server process that listens on a free port of 127.0.0.1.
class Proceso {
 public:
  virtual ~Proceso();
  int puerto() const { return puerto_; }
  QString salida() const;  // what it wrote, for a failed test's message

 protected:
  // Starts a script of this folder that prints the port it listens on.
  void arrancarScript(const QString& script, const QStringList& argumentos);
  // Starts `programa` with the arguments a port gives, until one port is its own and accepts.
  void arrancar(const QString& programa, const std::function<QStringList(int puerto)>& argumentos);
  QTemporaryDir dir_;
  std::unique_ptr<QProcess> proceso_;
  int puerto_ = 0;
};

// sshd with its own host key and the SFTP subsystem.
class ServidorSftp : public Proceso {
 public:
  ServidorSftp();
  QString huella() const { return huella_; }  // "SHA256:..." as ssh-keygen -l says it
  // A second key of the same kind: the server that changed its identity.
  void cambiarClave();

 private:
  void generarClave();
  QString huella_;
};

// vsftpd with a self-signed certificate, explicit (AUTH TLS) or implicit TLS;
// or, with `tls` false, plain FTP.
class ServidorFtps : public Proceso {
 public:
  explicit ServidorFtps(bool implicito, bool tls = true);
  QString huella() const { return huella_; }  // "SHA256:" and the base64 of the certificate's SHA-256

 private:
  QString huella_;
};

// A relay in front of a server: the first connection is cut after `corte`
// bytes from the client; the later ones pass whole.
class Relevo : public Proceso {
 public:
  // `puerto` 0: a free one.
  Relevo(int destino, qint64 corte, int puerto = 0);
};

// A firewall proxy: "socks5" or "http" (CONNECT), user "fw", password "fw-clave".
class ProxyPrueba : public Proceso {
 public:
  explicit ProxyPrueba(const QString& modo);
  // "HOST:PORT" of each tunnel opened so far.
  QStringList tuneles();

 private:
  QStringList tuneles_;
};

// A port that accepts connections and never says a word.
class PuertoMudo {
 public:
  PuertoMudo();
  ~PuertoMudo();
  int puerto() const { return puerto_; }

 private:
  int socket_ = -1, puerto_ = 0;
};

// Runs a program and returns its exit status; its output goes to *salida.
int correr(const QString& programa, const QStringList& argumentos, QByteArray* salida = nullptr,
           const QByteArray& entrada = {});

}  // namespace servidores
