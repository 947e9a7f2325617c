#include "client/conexion_ftp.h"

#include "client/conexion_ajustes.h"
#include "subida/claves.h"
#include "workspace/comando.h"
#include "workspace/workspace.h"

namespace {

const QString kTituloProbar = QStringLiteral("Probar conexión");

// A port or a number of seconds as typed: empty is 0.
bool leerNumero(const QString& texto, int maximo, int& n) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) {
    n = 0;
    return true;
  }
  bool ok = false;
  n = t.toInt(&ok);
  return ok && n >= 0 && n <= maximo;
}

QString listado(const QStringList& nombres) {
  constexpr int kMostrados = 10;
  QString t = nombres.mid(0, kMostrados).join(QStringLiteral("\r\n"));
  if (nombres.size() > kMostrados) t += QStringLiteral("\r\n... y %1 más").arg(nombres.size() - kMostrados);
  return t;
}

}  // namespace

const QString ConexionFtpModelo::kTitulo = QStringLiteral("Conexión FTP");
const QStringList ConexionFtpModelo::kProtocolos = {
    QStringLiteral("SFTP (SSH)"), QStringLiteral("FTPS explícito (TLS)"), QStringLiteral("FTPS implícito (TLS)"),
    QStringLiteral("FTP sin cifrar")};
const QStringList ConexionFtpModelo::kProxies = {QStringLiteral("Ninguno"), QStringLiteral("SOCKS5"),
                                                 QStringLiteral("HTTP CONNECT")};
const QString ConexionFtpModelo::kSinAlmacen = QStringLiteral(
    "Este equipo no tiene un almacén de contraseñas disponible: la contraseña no se recuerda y se pedirá en cada "
    "envío.");
const QString ConexionFtpModelo::kAdvertenciaFtp = QStringLiteral(
    "Con FTP sin cifrar la contraseña y el aviso viajan en claro por la red.");

ConexionFtpModelo::ConexionFtpModelo(Workspace& w) : ws(w) {}

void ConexionFtpModelo::log(const QString& texto) { ws.EscribirLog(QStringLiteral("CONEXIONFTP-----") + texto); }

void ConexionFtpModelo::Form_Load() {
  const Evento evento(ws, QStringLiteral("CONEXIONFTP-----ENTRO AL EVENTO-----Form_Load"),
                      QStringLiteral("CONEXIONFTP-----TERMINO EL EVENTO-----Form_Load"));
  const Conexion c = conexionDe(ws);
  servidor = c.servidor;
  puerto = c.puerto > 0 ? QString::number(c.puerto) : QString();
  protocolo = static_cast<int>(c.protocolo);
  usuario = c.usuario;
  carpeta = c.carpeta;
  nombre = c.nombre;
  espera = QString::number(c.espera);
  proxy = static_cast<int>(c.proxy);
  proxyServidor = c.proxyServidor;
  proxyPuerto = c.proxyPuerto > 0 ? QString::number(c.proxyPuerto) : QString();
  proxyUsuario = c.proxyUsuario;
  almacen = almacenDisponible();
  recordar = c.recordar && almacen;
  clave.clear();
  proxyClave.clear();
  if (recordar) {
    clave = leerClave(cuentaServidor(c)).value_or(QString());
    if (c.proxy != Proxy::Ninguno) proxyClave = leerClave(cuentaProxy(c)).value_or(QString());
  }
  foco.clear();
  cerrado = false;
}

QString ConexionFtpModelo::nota() const {
  QStringList notas;
  if (!almacen) notas.append(kSinAlmacen);
  if (protocolo == static_cast<int>(Protocolo::Ftp)) notas.append(kAdvertenciaFtp);
  return notas.join(QStringLiteral("\n"));
}

bool ConexionFtpModelo::rehusar(const QString& texto, const QString& caja) {
  ws.MsgBox(texto, Botones::Ok, QStringLiteral("Datos Incompletos"));
  foco = caja;
  return false;
}

bool ConexionFtpModelo::revisar() {
  int n = 0;
  if (servidor.trimmed().isEmpty()) return rehusar(QStringLiteral("Falta el servidor"), QStringLiteral("servidor"));
  if (servidor.trimmed().contains(QLatin1Char(' ')) || servidor.contains(QLatin1Char('/')))
    return rehusar(QStringLiteral("El servidor se escribe sin espacios ni diagonales, por ejemplo "
                                  "sftp.tornavela.com.mx"),
                   QStringLiteral("servidor"));
  if (!leerNumero(puerto, 65535, n))
    return rehusar(QStringLiteral("El puerto debe ser un número del 1 al 65535 (vacío: el del protocolo)"),
                   QStringLiteral("puerto"));
  if (usuario.trimmed().isEmpty()) return rehusar(QStringLiteral("Falta el nombre de usuario"), QStringLiteral("usuario"));
  if (nombre.trimmed().isEmpty() || nombre.contains(QLatin1Char('/')) || nombre.contains(QLatin1Char('\\')))
    return rehusar(QStringLiteral("Falta el nombre remoto, sin diagonales, por ejemplo "
                                  "{proveedor}_{aaaammdd}_{hhmmss}.txt"),
                   QStringLiteral("nombre"));
  if (!leerNumero(espera, 24 * 3600, n))
    return rehusar(QStringLiteral("La espera debe ser un número de segundos (0: 60 segundos)"), QStringLiteral("espera"));
  if (proxy != 0 && proxyServidor.trimmed().isEmpty())
    return rehusar(QStringLiteral("Falta el servidor del firewall"), QStringLiteral("proxyServidor"));
  if (proxy != 0 && (!leerNumero(proxyPuerto, 65535, n) || n == 0))
    return rehusar(QStringLiteral("El puerto del firewall debe ser un número del 1 al 65535"),
                   QStringLiteral("proxyPuerto"));
  return true;
}

Conexion ConexionFtpModelo::conexion() const {
  Conexion c;
  c.protocolo = static_cast<Protocolo>(qBound(0, protocolo, 3));
  c.servidor = servidor.trimmed();
  leerNumero(puerto, 65535, c.puerto);
  c.usuario = usuario.trimmed();
  c.recordar = recordar && almacen;
  c.carpeta = carpeta.trimmed();
  c.nombre = nombre.trimmed();
  leerNumero(espera, 24 * 3600, c.espera);
  c.proxy = static_cast<Proxy>(qBound(0, proxy, 2));
  if (c.proxy != Proxy::Ninguno) {
    c.proxyServidor = proxyServidor.trimmed();
    leerNumero(proxyPuerto, 65535, c.proxyPuerto);
    c.proxyUsuario = proxyUsuario.trimmed();
  }
  return c;
}

// The remembered passwords follow the boxes: stored when they are to be
// remembered, removed when not, and an account that the new server or user
// replaced is removed too.
bool ConexionFtpModelo::guardarClaves(const Conexion& anterior, const Conexion& nueva) {
  if (!almacen) return true;
  if (cuentaServidor(anterior) != cuentaServidor(nueva)) borrarClave(cuentaServidor(anterior));
  if (cuentaProxy(anterior) != cuentaProxy(nueva)) borrarClave(cuentaProxy(anterior));
  QString error;
  bool ok = true;
  if (nueva.recordar && !clave.isEmpty()) ok = guardarClave(cuentaServidor(nueva), clave, &error);
  else borrarClave(cuentaServidor(nueva));
  if (ok && nueva.recordar && nueva.proxy != Proxy::Ninguno && !proxyClave.isEmpty())
    ok = guardarClave(cuentaProxy(nueva), proxyClave, &error);
  else if (!nueva.recordar || nueva.proxy == Proxy::Ninguno)
    borrarClave(cuentaProxy(nueva));
  if (!ok) {
    ws.MsgBox(error + QStringLiteral("\r\nLa contraseña se pedirá en cada envío."), Botones::Ok,
              QStringLiteral("Aviso Importante"), Icono::Exclamacion);
    log(error);
  }
  return ok;
}

Resultado ConexionFtpModelo::aceptar_Click() {
  Comando cmd(ws, QStringLiteral("CONEXIONFTP-----ENTRO AL EVENTO-----aceptar_Click"),
              QStringLiteral("CONEXIONFTP-----TERMINO EL EVENTO-----aceptar_Click"), Comando::Salida::AlTerminar);
  if (!revisar()) return cmd.fin(Resultado::Rechazado);
  if (protocolo == static_cast<int>(Protocolo::Ftp) &&
      ws.MsgBox(kAdvertenciaFtp + QStringLiteral("\r\n¿Guardar la conexión con FTP sin cifrar?"), Botones::SiNo,
                QStringLiteral("Conexión sin cifrar"), Icono::Exclamacion) != Respuesta::Si) {
    foco = QStringLiteral("protocolo");
    return cmd.fin(Resultado::Rechazado);
  }
  const Conexion anterior = conexionDe(ws);
  Conexion nueva = conexion();
  if (!guardarClaves(anterior, nueva)) nueva.recordar = false;
  const texto::Resultado r = guardarConexion(ws, nueva);
  resultado = r.ok ? Resultado::Hecho : Resultado::Fallido;
  if (!r.ok) {
    const QString texto = QStringLiteral("No se pudo guardar la conexión en los archivos de configuración:\r\n") +
                          r.descripcion +
                          QStringLiteral("\r\n\r\nLos datos se usarán sólo hasta que se cierre el programa.");
    ws.MsgBox(texto, Botones::Ok, QStringLiteral("Aviso Importante"), Icono::Critico);
    log(texto);
  }
  cerrado = true;
  return cmd.fin(resultado);
}

Resultado ConexionFtpModelo::Cancelar_Click() {
  Comando cmd(ws, QStringLiteral("CONEXIONFTP-----ENTRO AL EVENTO-----Cancelar_Click"),
              QStringLiteral("CONEXIONFTP-----TERMINO EL EVENTO-----Cancelar_Click"));
  cerrado = true;
  return cmd.fin(Resultado::Cancelado);
}

Resultado ConexionFtpModelo::probar_Click() {
  Comando cmd(ws, QStringLiteral("CONEXIONFTP-----ENTRO AL EVENTO-----probar_Click"),
              QStringLiteral("CONEXIONFTP-----TERMINO EL EVENTO-----probar_Click"));
  if (!revisar()) return cmd.fin(Resultado::Rechazado);
  PedidoSubida p;
  p.carpetaPrograma = ws.carpeta;
  p.conexion = conexion();
  p.clave = clave;
  p.proxyClave = proxyClave;
  ResultadoSubida r = probador(p);
  if (huellaPorAceptar(r)) {
    if (!aceptarHuellaNueva(ws, p.conexion, r)) {
      ws.MsgBox(QStringLiteral("No se aceptó la huella del servidor: no hubo conexión."), Botones::Ok, kTituloProbar,
                Icono::Exclamacion);
      return cmd.fin(Resultado::Cancelado);
    }
    p.aceptarHuella = r.huella;
    r = probador(p);
  }
  if (!r.hecho()) {
    log(r.mensaje);
    ws.MsgBox(r.mensaje, Botones::Ok, kTituloProbar, Icono::Critico);
    return cmd.fin(Resultado::Fallido);
  }
  const QString donde = p.conexion.carpeta.isEmpty() ? QStringLiteral("inicial")
                                                     : QStringLiteral("\"") + p.conexion.carpeta + QStringLiteral("\"");
  QString texto = QStringLiteral("Conexión correcta con ") + p.conexion.servidor + QStringLiteral(".\r\n");
  texto += r.listado.isEmpty()
               ? QStringLiteral("La carpeta remota ") + donde + QStringLiteral(" está vacía.")
               : QStringLiteral("La carpeta remota ") + donde +
                     QStringLiteral(" tiene %1 archivos:\r\n").arg(r.listado.size()) + listado(r.listado);
  ws.MsgBox(texto, Botones::Ok, kTituloProbar, Icono::Informacion);
  return cmd.fin(Resultado::Hecho);
}

bool huellaPorAceptar(const ResultadoSubida& r) {
  return !r.huella.isEmpty() &&
         (r.falla == FallaSubida::HuellaDesconocida || r.falla == FallaSubida::CertificadoRehusado);
}

bool aceptarHuellaNueva(Workspace& ws, const Conexion& c, const ResultadoSubida& r) {
  const bool certificado = r.tipoHuella.contains(QStringLiteral("x509"), Qt::CaseInsensitive);
  const QString texto =
      QStringLiteral("Es la primera conexión con el servidor ") + c.servidor + QStringLiteral(":") +
      QString::number(puertoDe(c)) + QStringLiteral(". ") +
      (certificado ? QStringLiteral("Su certificado no es de confianza para este equipo; su huella es:")
                   : QStringLiteral("Su llave (") + r.tipoHuella + QStringLiteral(") tiene la huella:")) +
      QStringLiteral("\r\n\r\n") + r.huella +
      QStringLiteral("\r\n\r\nCompruebe con el administrador del servidor que es la suya. "
                     "¿Aceptarla y conectarse?");
  const bool si = ws.MsgBox(texto, Botones::SiNo, QStringLiteral("Servidor desconocido"), Icono::Pregunta) ==
                  Respuesta::Si;
  ws.EscribirLog(QStringLiteral("Huella de ") + c.servidor + QStringLiteral(" ") + r.huella +
                 (si ? QStringLiteral(" aceptada") : QStringLiteral(" no aceptada")));
  return si;
}

Resultado ftp_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----ftp_Click"), QStringLiteral("TERMINO EL EVENTO-----ftp_Click"));
  ConexionFtpModelo forma(ws);
  forma.Form_Load();
  ws.prompter.ejecutarDialogo(forma);
  return cmd.fin(forma.resultado);
}
