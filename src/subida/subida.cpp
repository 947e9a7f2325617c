#include "subida/subida.h"

#include <curl/curl.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <chrono>
#include <optional>
#include <thread>

#include "subida/servidores.h"

namespace {

// ------------------------------------------------------------------ identity

QString huellaDeResumen(const QByteArray& resumen) {
  return QStringLiteral("SHA256:") + QString::fromLatin1(resumen.toBase64(QByteArray::OmitTrailingEquals));
}

QString tipoClaveSsh(int tipo) {
  switch (tipo) {
    case CURLKHTYPE_RSA1: return QStringLiteral("ssh-rsa1");
    case CURLKHTYPE_RSA: return QStringLiteral("ssh-rsa");
    case CURLKHTYPE_DSS: return QStringLiteral("ssh-dss");
    case CURLKHTYPE_ECDSA: return QStringLiteral("ecdsa-sha2");
    case CURLKHTYPE_ED25519: return QStringLiteral("ssh-ed25519");
    default: break;
  }
  return QStringLiteral("ssh");
}

bool esTls(Protocolo p) { return p == Protocolo::FtpsExplicito || p == Protocolo::FtpsImplicito; }

// What the check of the server's key or certificate knew, saw and decided.
struct Identidad {
  QString servidor;  // host name or address, for the certificate's name check
  QString esperada;  // fingerprint kept in servidores.txt
  QString aceptar;   // fingerprint the user accepts on this first contact
  QString vista;
  QString tipo;
  QString motivo;  // why the certificate chain was not trusted
  bool rechazada = false;
  bool nueva = false;  // accepted now: goes into servidores.txt once the login works

  // An SFTP key: known, or accepted now by its fingerprint; anything else is refused.
  bool decidir() {
    if (!esperada.isEmpty()) {
      rechazada = vista != esperada;
      return !rechazada;
    }
    nueva = !aceptar.isEmpty() && vista == aceptar;
    rechazada = !nueva;
    return nueva;
  }
};

int claveSsh(void* datos, int tipo, const char* clave, size_t largo) {
  auto* id = static_cast<Identidad*>(datos);
  id->vista = huellaDeResumen(QCryptographicHash::hash(QByteArray(clave, static_cast<qsizetype>(largo)),
                                                        QCryptographicHash::Sha256));
  id->tipo = tipoClaveSsh(tipo);
  return id->decidir() ? CURLKHMATCH_OK : CURLKHMATCH_MISMATCH;
}

int indiceIdentidad() {
  static const int indice = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
  return indice;
}

bool nombreCoincide(X509* certificado, const QString& servidor) {
  const QByteArray s = servidor.toUtf8();
  const int ip = X509_check_ip_asc(certificado, s.constData(), 0);  // -2: not an address
  if (ip != -2) return ip == 1;
  return X509_check_host(certificado, s.constData(), static_cast<size_t>(s.size()), 0, nullptr) == 1;
}

// Why the chain is not trusted, in the user's words.
QString motivoCertificado(X509_STORE_CTX* almacen) {
  const int error = X509_STORE_CTX_get_error(almacen);
  switch (error) {
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT: return QStringLiteral("lo firmó el mismo servidor");
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
      return QStringLiteral("no lo firmó una autoridad que el sistema reconozca");
    case X509_V_ERR_CERT_HAS_EXPIRED: return QStringLiteral("venció");
    case X509_V_ERR_CERT_NOT_YET_VALID: return QStringLiteral("aún no es válido");
    default: break;
  }
  return QStringLiteral("no se pudo comprobar: ") + QString::fromUtf8(X509_verify_cert_error_string(error));
}

// The certificate is trusted when the system's authorities vouch for it and it
// names the server, or when its own fingerprint is the one the user accepted.
int verificarCertificado(int valido, X509_STORE_CTX* almacen) {
  auto* ssl = static_cast<SSL*>(X509_STORE_CTX_get_ex_data(almacen, SSL_get_ex_data_X509_STORE_CTX_idx()));
  auto* id = static_cast<Identidad*>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), indiceIdentidad()));
  X509* hoja = X509_STORE_CTX_get0_cert(almacen);
  unsigned char resumen[EVP_MAX_MD_SIZE];
  unsigned int largo = 0;
  if (!hoja || !X509_digest(hoja, EVP_sha256(), resumen, &largo)) return 0;
  id->vista = huellaDeResumen(QByteArray(reinterpret_cast<const char*>(resumen), static_cast<qsizetype>(largo)));
  id->tipo = QStringLiteral("x509");
  if (valido && X509_STORE_CTX_get_error_depth(almacen) > 0) return 1;
  if (valido && nombreCoincide(hoja, id->servidor)) {
    id->rechazada = false;
    return 1;
  }
  id->motivo = valido ? QStringLiteral("no corresponde al nombre del servidor") : motivoCertificado(almacen);
  return id->decidir() ? 1 : 0;
}

CURLcode prepararTls(CURL*, void* contexto, void* datos) {
  auto* ctx = static_cast<SSL_CTX*>(contexto);
  SSL_CTX_set_ex_data(ctx, indiceIdentidad(), datos);
  X509_STORE_set_default_paths(SSL_CTX_get_cert_store(ctx));
  SSL_CTX_set_verify(ctx, SSL_VERIFY_PEER, verificarCertificado);
  return CURLE_OK;
}

// ------------------------------------------------------------------ one curl operation

struct Paso {
  CURLcode rc = CURLE_OK;
  long respuesta = 0;  // the FTP server's last reply code
  QString detalle;     // libcurl's own description
  bool proxy = false;  // the firewall proxy said no
  bool ok() const { return rc == CURLE_OK; }
};

size_t leerArchivo(char* destino, size_t tam, size_t n, void* datos) {
  const qint64 leidos = static_cast<QFile*>(datos)->read(destino, static_cast<qint64>(tam * n));
  return leidos < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(leidos);
}

size_t juntarTexto(char* origen, size_t tam, size_t n, void* datos) {
  static_cast<QByteArray*>(datos)->append(origen, static_cast<qsizetype>(tam * n));
  return tam * n;
}

size_t descartar(char*, size_t tam, size_t n, void*) { return tam * n; }

int notaCurl(CURL*, curl_infotype tipo, char* texto, size_t largo, void* datos) {
  if (tipo == CURLINFO_TEXT) static_cast<QByteArray*>(datos)->append(texto, static_cast<qsizetype>(largo));
  return 0;
}

struct CurlGlobal {
  CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

// One send: one libcurl handle, so that the steps reuse the connection.
class Sesion {
 public:
  explicit Sesion(const PedidoSubida& p) : p_(p), c_(p.conexion) {
    static CurlGlobal global;
    curl_ = curl_easy_init();
    id_.servidor = c_.servidor;
    if (const auto s = servidorConocido(p.carpetaPrograma, c_)) id_.esperada = s->huella;
    id_.aceptar = p.aceptarHuella.trimmed();
    usuario_ = c_.usuario.toUtf8();
    clave_ = p.clave.toUtf8();
    proxyUsuario_ = c_.proxyUsuario.toUtf8();
    proxyClave_ = p.proxyClave.toUtf8();
  }
  ~Sesion() { curl_easy_cleanup(curl_); }
  Sesion(const Sesion&) = delete;
  Sesion& operator=(const Sesion&) = delete;

  const Identidad& identidad() const { return id_; }

  // The remote file's size; -1 when it does not exist (rc of the step otherwise).
  Paso tamano(const QString& nombre, qint64& bytes) {
    bytes = -1;
    preparar(url(nombre));
    curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, descartar);
    if (p_.conexion.protocolo == Protocolo::Sftp) curl_easy_setopt(curl_, CURLOPT_FILETIME, 1L);
    Paso paso = correr();
    if (paso.rc == CURLE_REMOTE_FILE_NOT_FOUND) return Paso{};
    if (paso.ok()) {
      curl_off_t largo = -1, momento = -1;
      curl_easy_getinfo(curl_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &largo);
      curl_easy_getinfo(curl_, CURLINFO_FILETIME_T, &momento);
      // After a NOBODY request on SFTP a missing file is no error: it has
      // neither size nor time. An empty file has its time and no size.
      if (largo < 0 && momento < 0) return Paso{};
      bytes = qMax<curl_off_t>(largo, 0);
    }
    return paso;
  }

  // Uploads under `temporal`, then renames it to `final` on the server.
  Paso subirComo(QFile& archivo, qint64 total, const QString& temporal, const QString& final) {
    archivo.seek(0);
    preparar(url(temporal));
    curl_easy_setopt(curl_, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl_, CURLOPT_READFUNCTION, leerArchivo);
    curl_easy_setopt(curl_, CURLOPT_READDATA, &archivo);
    curl_easy_setopt(curl_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(total));
    curl_easy_setopt(curl_, CURLOPT_NEW_FILE_PERMS, 0644L);
    total_ = total;
    curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, avanceCurl);
    curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, this);
    curl_slist* comandos = nullptr;
    if (c_.protocolo == Protocolo::Sftp) {
      comandos = agregar(comandos, QStringLiteral("rename ") + rutaComando(temporal) + QLatin1Char(' ') + rutaComando(final));
    } else {
      comandos = agregar(comandos, QStringLiteral("RNFR ") + temporal);
      comandos = agregar(comandos, QStringLiteral("RNTO ") + final);
    }
    curl_easy_setopt(curl_, CURLOPT_POSTQUOTE, comandos);
    const Paso paso = correr();
    curl_slist_free_all(comandos);
    return paso;
  }

  // Removes a file left behind; nothing is said when it cannot.
  void borrar(const QString& nombre) {
    preparar(url(QString()));
    curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
    // FTP: after the change into the folder, wherever a reused connection stood.
    const bool sftp = c_.protocolo == Protocolo::Sftp;
    curl_slist* comandos = agregar(nullptr, sftp ? QStringLiteral("rm ") + rutaComando(nombre) : QStringLiteral("DELE ") + nombre);
    curl_easy_setopt(curl_, sftp ? CURLOPT_QUOTE : CURLOPT_POSTQUOTE, comandos);
    correr();
    curl_slist_free_all(comandos);
  }

  Paso listar(QStringList& nombres) {
    QByteArray texto;
    preparar(url(QString()));
    curl_easy_setopt(curl_, CURLOPT_DIRLISTONLY, 1L);
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, juntarTexto);
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &texto);
    const Paso paso = correr();
    for (const QByteArray& l : texto.split('\n')) {
      const QString n = QString::fromUtf8(l.trimmed());
      if (!n.isEmpty() && n != QStringLiteral(".") && n != QStringLiteral("..")) nombres.append(n);
    }
    return paso;
  }

  bool cancelado() const { return cancelado_; }

  // After an SFTP upload failed: whether the file could still be closed, that
  // is, the session was alive and the server refused the data it was sent.
  bool sesionViva() const { return !notas_.contains("Failed to close libssh2 file"); }

 private:
  static int avanceCurl(void* datos, curl_off_t, curl_off_t, curl_off_t, curl_off_t subidos) {
    auto* s = static_cast<Sesion*>(datos);
    if (!s->p_.avance || subidos == s->ultimo_ || subidos >= s->total_) return 0;
    s->ultimo_ = subidos;
    s->cancelado_ = !s->p_.avance(subidos, s->total_);
    return s->cancelado_ ? 1 : 0;
  }

  static curl_slist* agregar(curl_slist* lista, const QString& comando) {
    return curl_slist_append(lista, comando.toUtf8().constData());
  }

  QStringList tramos() const { return c_.carpeta.split(QLatin1Char('/'), Qt::SkipEmptyParts); }
  bool absoluta() const { return c_.carpeta.startsWith(QLatin1Char('/')); }

  // The file's path as the URL carries it: SFTP from the user's home ("/~/")
  // unless the folder is absolute; FTP from the login folder.
  QByteArray url(const QString& nombre) const {
    QByteArray u = c_.protocolo == Protocolo::Sftp ? "sftp://" : c_.protocolo == Protocolo::FtpsImplicito ? "ftps://" : "ftp://";
    u += c_.servidor.contains(QLatin1Char(':')) ? '[' + c_.servidor.toUtf8() + ']' : QUrl::toAce(c_.servidor);
    u += ':' + QByteArray::number(puertoDe(c_));
    if (c_.protocolo == Protocolo::Sftp) u += absoluta() ? "/" : "/~/";
    else u += absoluta() ? "/%2F" : "/";
    for (const QString& t : tramos()) u += QUrl::toPercentEncoding(t) + '/';
    return u + QUrl::toPercentEncoding(nombre);
  }

  // The path of an SFTP command, quoted; a relative one starts at the user's home.
  QString rutaComando(const QString& nombre) const {
    QString r = absoluta() ? QStringLiteral("/") : QString();
    for (const QString& t : tramos()) r += t + QLatin1Char('/');
    r += nombre;
    r.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + r + QLatin1Char('"');
  }

  void preparar(const QByteArray& direccion) {
    curl_easy_reset(curl_);
    url_ = direccion;
    error_[0] = 0;
    const long espera = esperaDe(c_);
    curl_easy_setopt(curl_, CURLOPT_URL, url_.constData());
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, error_);
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl_, CURLOPT_DEBUGFUNCTION, notaCurl);
    curl_easy_setopt(curl_, CURLOPT_DEBUGDATA, &notas_);
    notas_.clear();
    curl_easy_setopt(curl_, CURLOPT_USERNAME, usuario_.constData());
    curl_easy_setopt(curl_, CURLOPT_PASSWORD, clave_.constData());
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, espera);
    curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, espera);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, espera);
    if (c_.protocolo == Protocolo::Sftp) {
      curl_easy_setopt(curl_, CURLOPT_SSH_AUTH_TYPES, static_cast<long>(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
      curl_easy_setopt(curl_, CURLOPT_SSH_HOSTKEYFUNCTION, claveSsh);
      curl_easy_setopt(curl_, CURLOPT_SSH_HOSTKEYDATA, &id_);
    } else if (esTls(c_.protocolo)) {
      curl_easy_setopt(curl_, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
      // The check is ours (verificarCertificado): the authorities, the name, or the accepted fingerprint.
      curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 0L);
      curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 0L);
      curl_easy_setopt(curl_, CURLOPT_SSL_CTX_FUNCTION, prepararTls);
      curl_easy_setopt(curl_, CURLOPT_SSL_CTX_DATA, &id_);
      // Over TLS 1.3 the server's session tickets on an upload's data connection
      // are never read, so closing it resets it and the server answers 426.
      curl_easy_setopt(curl_, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2 | CURL_SSLVERSION_MAX_TLSv1_2));
    }
    if (c_.proxy != Proxy::Ninguno) {
      proxy_ = (c_.proxy == Proxy::Socks5 ? "socks5h://" : "http://") + c_.proxyServidor.toUtf8() + ':' +
               QByteArray::number(c_.proxyPuerto > 0 ? c_.proxyPuerto : c_.proxy == Proxy::Socks5 ? 1080 : 8080);
      curl_easy_setopt(curl_, CURLOPT_PROXY, proxy_.constData());
      if (c_.proxy == Proxy::HttpConnect) curl_easy_setopt(curl_, CURLOPT_HTTPPROXYTUNNEL, 1L);
      if (!proxyUsuario_.isEmpty()) {
        curl_easy_setopt(curl_, CURLOPT_PROXYUSERNAME, proxyUsuario_.constData());
        curl_easy_setopt(curl_, CURLOPT_PROXYPASSWORD, proxyClave_.constData());
      }
    }
  }

  Paso correr() {
    Paso paso;
    paso.rc = curl_easy_perform(curl_);
    curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &paso.respuesta);
    long tunel = 0;
    curl_easy_getinfo(curl_, CURLINFO_HTTP_CONNECTCODE, &tunel);
    paso.proxy = c_.proxy != Proxy::Ninguno && (paso.rc == CURLE_PROXY || paso.rc == CURLE_COULDNT_RESOLVE_PROXY ||
                                                 tunel >= 300);
    paso.detalle = QString::fromUtf8(error_[0] ? error_ : curl_easy_strerror(paso.rc));
    return paso;
  }

  const PedidoSubida& p_;
  const Conexion& c_;
  CURL* curl_ = nullptr;
  Identidad id_;
  QByteArray notas_;  // libcurl's own account of the step
  QByteArray url_, usuario_, clave_, proxy_, proxyUsuario_, proxyClave_;
  char error_[CURL_ERROR_SIZE] = {};
  qint64 total_ = 0, ultimo_ = -1;
  bool cancelado_ = false;
};

// ------------------------------------------------------------------ failures

QString quien(const Conexion& c) { return QStringLiteral("\"") + c.servidor + QStringLiteral("\""); }

QString carpetaDicha(const Conexion& c) {
  return c.carpeta.isEmpty() ? QStringLiteral("la carpeta inicial del usuario")
                             : QStringLiteral("la carpeta remota \"") + c.carpeta + QStringLiteral("\"");
}

FallaSubida fallaDe(const Paso& paso, const Identidad& id, Protocolo p, bool cancelado) {
  if (cancelado || paso.rc == CURLE_ABORTED_BY_CALLBACK) return FallaSubida::Cancelada;
  if (paso.proxy) return FallaSubida::Otra;
  if (id.rechazada) {
    if (!id.esperada.isEmpty()) return FallaSubida::HuellaCambiada;
    return id.tipo == QStringLiteral("x509") ? FallaSubida::CertificadoRehusado : FallaSubida::HuellaDesconocida;
  }
  const bool ftp = p != Protocolo::Sftp;
  switch (paso.rc) {
    case CURLE_COULDNT_RESOLVE_HOST: return FallaSubida::ServidorDesconocido;
    case CURLE_COULDNT_CONNECT: return FallaSubida::ConexionRehusada;
    case CURLE_LOGIN_DENIED: return FallaSubida::Credenciales;
    case CURLE_OPERATION_TIMEDOUT: return FallaSubida::TiempoAgotado;
    case CURLE_REMOTE_DISK_FULL: return FallaSubida::DiscoLleno;
    case CURLE_REMOTE_FILE_NOT_FOUND: return FallaSubida::CarpetaInexistente;
    case CURLE_REMOTE_ACCESS_DENIED:
      // FTP says so when it cannot enter the folder; SFTP when it may not write there.
      return ftp ? FallaSubida::CarpetaInexistente : FallaSubida::CarpetaSinPermiso;
    case CURLE_UPLOAD_FAILED:
      if (paso.respuesta == 452 || paso.respuesta == 552 || paso.respuesta == 451) return FallaSubida::DiscoLleno;
      if (paso.respuesta == 553 || paso.respuesta == 550 || paso.respuesta == 532 || paso.respuesta == 450)
        return FallaSubida::CarpetaSinPermiso;
      return FallaSubida::Otra;
    case CURLE_PARTIAL_FILE:
      if (ftp && (paso.respuesta == 451 || paso.respuesta == 452 || paso.respuesta == 552)) return FallaSubida::DiscoLleno;
      return FallaSubida::ConexionPerdida;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_SSH:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_PEER_FAILED_VERIFICATION: return FallaSubida::ConexionPerdida;
    default: break;
  }
  return FallaSubida::Otra;
}

QString mensajeDe(FallaSubida f, const Conexion& c, const Identidad& id, const Paso& paso, int intentos) {
  switch (f) {
    case FallaSubida::Ninguna: return {};
    case FallaSubida::ServidorDesconocido:
      return QStringLiteral("No se encontró el servidor ") + quien(c) +
             QStringLiteral(": revise su nombre en Configuración > Conexión FTP.");
    case FallaSubida::ConexionRehusada:
      return QStringLiteral("El servidor ") + quien(c) + QStringLiteral(" no aceptó la conexión en el puerto ") +
             QString::number(puertoDe(c)) + QStringLiteral(": revise el puerto y el protocolo.");
    case FallaSubida::Credenciales:
      return QStringLiteral("El servidor rechazó el usuario \"") + c.usuario +
             QStringLiteral("\" o su contraseña. No se envió nada.");
    case FallaSubida::HuellaDesconocida:
      return QStringLiteral("El servidor ") + quien(c) + QStringLiteral(" no es conocido. La huella de su clave (") +
             id.tipo + QStringLiteral(") es ") + id.vista +
             QStringLiteral(". Compruébela con el administrador del servidor antes de aceptarla. No se envió nada.");
    case FallaSubida::HuellaCambiada:
      return QStringLiteral("¡ATENCIÓN! La identidad del servidor ") + quien(c) +
             QStringLiteral(" cambió: se esperaba la huella ") + id.esperada + QStringLiteral(" y presentó ") +
             id.vista +
             QStringLiteral(". Puede ser otro equipo haciéndose pasar por el servidor. No se envió nada; consulte "
                            "al administrador del servidor.");
    case FallaSubida::CertificadoRehusado:
      return QStringLiteral("El certificado del servidor ") + quien(c) +
             QStringLiteral(" no es de confianza (") + id.motivo + QStringLiteral("). Su huella es ") + id.vista +
             QStringLiteral(". Acéptela solo si el administrador del servidor la confirma. No se envió nada.");
    case FallaSubida::CarpetaInexistente:
      return QStringLiteral("No existe ") + carpetaDicha(c) + QStringLiteral(" en el servidor ") + quien(c) +
             QStringLiteral(".");
    case FallaSubida::CarpetaSinPermiso:
      return QStringLiteral("El usuario \"") + c.usuario + QStringLiteral("\" no tiene permiso de escribir en ") +
             carpetaDicha(c) + QStringLiteral(" del servidor ") + quien(c) + QStringLiteral(".");
    case FallaSubida::DiscoLleno:
      return QStringLiteral("El servidor ") + quien(c) +
             QStringLiteral(" no pudo guardar el archivo: su disco está lleno (o se acabó el espacio del usuario). "
                            "No quedó el archivo en el servidor.");
    case FallaSubida::ConexionPerdida:
      return QStringLiteral("Se perdió la conexión con el servidor ") + quien(c) +
             (intentos == 1 ? QStringLiteral(". No quedó el archivo en el servidor.")
                            : QStringLiteral("; se intentó %1 veces. No quedó el archivo en el servidor.").arg(intentos));
    case FallaSubida::TiempoAgotado:
      return QStringLiteral("El servidor ") + quien(c) + QStringLiteral(" no respondió en %1 segundos.").arg(esperaDe(c));
    case FallaSubida::Cancelada:
      return QStringLiteral("Envío cancelado: no quedó el archivo en el servidor.");
    case FallaSubida::ArchivoLocal:
    case FallaSubida::Otra: break;
  }
  if (paso.proxy)
    return QStringLiteral("El firewall \"") + c.proxyServidor +
           QStringLiteral("\" no dejó pasar la conexión (revise su usuario y contraseña en Configuración > Conexión "
                          "FTP): ") +
           paso.detalle;
  return QStringLiteral("No se pudo enviar el archivo al servidor ") + quien(c) + QStringLiteral(": ") + paso.detalle;
}

ResultadoSubida resultado(FallaSubida f, const QString& mensaje, const Identidad& id) {
  ResultadoSubida r;
  r.falla = f;
  r.mensaje = mensaje;
  r.huella = id.vista;
  r.tipoHuella = id.tipo;
  return r;
}

// Keeps a key or certificate accepted by its fingerprint, once the server let us in.
QString recordarIdentidad(const PedidoSubida& p, const Identidad& id) {
  if (!id.nueva) return {};
  ServidorConocido s{nombreProtocolo(p.conexion.protocolo), p.conexion.servidor, puertoDe(p.conexion), id.tipo,
                     id.vista, QDate::currentDate()};
  QString error;
  return aceptarServidor(p.carpetaPrograma, s, &error) ? QString() : error;
}

bool nombreValido(const QString& n) {
  return !n.isEmpty() && !n.contains(QLatin1Char('/')) && !n.contains(QLatin1Char('\\')) && n != QStringLiteral(".") &&
         n != QStringLiteral("..") && !n.contains(QLatin1Char('\n')) && !n.contains(QLatin1Char('\r'));
}

void esperarMs(const PedidoSubida& p, int ms) {
  if (p.esperar) p.esperar(ms);
  else std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

QString temporalDe(const QString& final) { return final + QStringLiteral(".parcial"); }

ResultadoSubida conNombre(ResultadoSubida r, const QString& nombre) {
  r.nombreRemoto = nombre;
  return r;
}

// Why the request cannot go at all: the notice file or the remote name. Opens the file.
std::optional<ResultadoSubida> pedidoInvalido(const PedidoSubida& p, QFile& archivo) {
  const Identidad nadie;
  const QFileInfo info(p.archivo);
  const QString porque = !info.exists()                       ? QStringLiteral("no existe.")
                         : !info.isFile()                     ? QStringLiteral("no es un archivo.")
                         : !archivo.open(QIODevice::ReadOnly) ? archivo.errorString()
                                                              : QString();
  if (!porque.isEmpty())
    return resultado(FallaSubida::ArchivoLocal,
                     QStringLiteral("No se pudo leer el archivo del aviso ") + QDir::toNativeSeparators(p.archivo) +
                         QStringLiteral(": ") + porque,
                     nadie);
  if (!nombreValido(p.nombreRemoto))
    return resultado(FallaSubida::Otra,
                     QStringLiteral("El nombre remoto \"") + p.nombreRemoto +
                         QStringLiteral("\" no sirve: no puede estar vacío ni llevar \"/\" o \"\\\"."),
                     nadie);
  return std::nullopt;
}

enum class Desenlace { Enviado, Rehusado, Fallo };

struct Intento {
  Desenlace desenlace = Desenlace::Fallo;
  Paso paso;            // the step that failed
  bool escribiendo = false;  // it failed once the upload had begun
  QString mensaje;      // why it was refused
};

// One try: the final name must be free (or, after a cut, hold the whole
// file); upload under the temporary name, rename, compare the size.
Intento intentar(Sesion& s, QFile& archivo, qint64 total, const QString& final, bool reintento) {
  Intento t;
  const QString temporal = temporalDe(final);
  qint64 remoto = -1;
  t.paso = s.tamano(final, remoto);
  if (t.paso.ok() && remoto >= 0) {
    if (reintento && remoto == total) {  // the cut came after the rename
      s.borrar(temporal);
      t.desenlace = Desenlace::Enviado;
      return t;
    }
    t.desenlace = Desenlace::Rehusado;
    t.mensaje = QStringLiteral("Ya hay en el servidor un archivo llamado \"") + final +
                QStringLiteral("\"; no se reemplaza. No se envió nada.");
    return t;
  }
  if (!t.paso.ok()) return t;
  t.escribiendo = true;
  t.paso = s.subirComo(archivo, total, temporal, final);
  if (!t.paso.ok()) return t;
  t.escribiendo = false;
  t.paso = s.tamano(final, remoto);
  if (!t.paso.ok()) return t;
  if (remoto == total) {
    t.desenlace = Desenlace::Enviado;
    return t;
  }
  // A short file under the final name would be read as the notice: it goes.
  s.borrar(final);
  t.desenlace = Desenlace::Rehusado;
  t.mensaje = QStringLiteral("El servidor guardó %1 bytes de los %2 del aviso en \"").arg(remoto).arg(total) + final +
              QStringLiteral("\"; se borró. No se envió el aviso.");
  return t;
}

}  // namespace

bool ResultadoSubida::rehusado() const {
  return falla == FallaSubida::Credenciales || falla == FallaSubida::HuellaDesconocida ||
         falla == FallaSubida::HuellaCambiada || falla == FallaSubida::CertificadoRehusado;
}

ResultadoSubida subir(const PedidoSubida& p) {
  QFile archivo(p.archivo);
  if (auto r = pedidoInvalido(p, archivo)) return *r;
  const qint64 total = archivo.size();
  if (p.avance && !p.avance(0, total)) {
    const Identidad nadie;
    return resultado(FallaSubida::Cancelada, mensajeDe(FallaSubida::Cancelada, p.conexion, nadie, {}, 0), nadie);
  }
  Sesion s(p);
  Intento t;
  for (int intento = 0;; ++intento) {
    if (intento > 0) esperarMs(p, 1000 << (intento - 1));
    t = intentar(s, archivo, total, p.nombreRemoto, intento > 0);
    if (t.desenlace != Desenlace::Fallo) break;
    FallaSubida f = fallaDe(t.paso, s.identidad(), p.conexion.protocolo, s.cancelado());
    // SFTP says no more than "failure" when the server cannot store what it is sent.
    if (t.escribiendo && t.paso.rc == CURLE_SSH && p.conexion.protocolo == Protocolo::Sftp && s.sesionViva())
      f = FallaSubida::DiscoLleno;
    if (f == FallaSubida::ConexionPerdida && intento < p.reintentos) continue;
    // What a try cut short left under the temporary name goes; before the upload there is nothing.
    if (t.escribiendo && f != FallaSubida::TiempoAgotado) s.borrar(temporalDe(p.nombreRemoto));
    return conNombre(resultado(f, mensajeDe(f, p.conexion, s.identidad(), t.paso, intento + 1), s.identidad()),
                     p.nombreRemoto);
  }
  if (t.desenlace == Desenlace::Rehusado) return conNombre(resultado(FallaSubida::Otra, t.mensaje, s.identidad()), p.nombreRemoto);
  const QString error = recordarIdentidad(p, s.identidad());
  if (p.avance) p.avance(total, total);
  ResultadoSubida r = conNombre(resultado(FallaSubida::Ninguna, error, s.identidad()), p.nombreRemoto);
  r.bytes = total;
  return r;
}

ResultadoSubida probarConexion(const PedidoSubida& p) {
  Sesion s(p);
  QStringList nombres;
  const Paso paso = s.listar(nombres);
  const FallaSubida f = paso.ok() ? FallaSubida::Ninguna : fallaDe(paso, s.identidad(), p.conexion.protocolo, false);
  ResultadoSubida r = resultado(f, mensajeDe(f, p.conexion, s.identidad(), paso, 1), s.identidad());
  if (f != FallaSubida::Ninguna) return r;
  r.listado = nombres;
  r.mensaje = QStringLiteral("Conexión correcta con ") + quien(p.conexion) + QStringLiteral(": ") +
              carpetaDicha(p.conexion) + QStringLiteral(" tiene %1 archivos.").arg(nombres.size());
  if (const QString error = recordarIdentidad(p, s.identidad()); !error.isEmpty()) r.mensaje += QLatin1Char(' ') + error;
  return r;
}

QString nombreRemoto(const QString& patron, const QString& proveedor, const QDateTime& cuando) {
  QString n = patron.trimmed().isEmpty() ? Conexion{}.nombre : patron;
  n.replace(QStringLiteral("{proveedor}"), proveedor.trimmed());
  n.replace(QStringLiteral("{aaaammdd}"), cuando.toString(QStringLiteral("yyyyMMdd")));
  n.replace(QStringLiteral("{hhmmss}"), cuando.toString(QStringLiteral("HHmmss")));
  n.replace(QStringLiteral("{aaaa}"), cuando.toString(QStringLiteral("yyyy")));
  n.replace(QStringLiteral("{mm}"), cuando.toString(QStringLiteral("MM")));
  n.replace(QStringLiteral("{dd}"), cuando.toString(QStringLiteral("dd")));
  // A name never climbs out of the remote folder.
  n.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
  return n;
}
