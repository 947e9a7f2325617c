#include "client/conexion_ajustes.h"

#include "client/scrambling.h"
#include "subida/claves.h"
#include "workspace/workspace.h"

namespace {

using namespace colAjustes;

// Labels of the connection's rows, written with every save so that an older
// info.cfg gains them.
const std::pair<int, const char*> kEtiquetas[] = {
    {filaCliente::Usuario, "Nombre de Usuario:"},      {filaCliente::Clave, "Contraseña:"},
    {filaCliente::Recordar, "Recordar Contraseña:"},   {filaCliente::UsarFirewall, "Usar Firewall:"},
    {filaCliente::TipoFirewall, "Tipo de Firewall:"},  {filaCliente::HostFirewall, "host de Firewall:"},
    {filaCliente::PuertoFirewall, "Puerto de Firewall:"}, {filaCliente::UsuarioFirewall, "Usuario Firewall:"},
    {filaCliente::ClaveFirewall, "Contraseña Firewall:"}, {filaCliente::FtpHost, "Ftp Host"},
    {filaCliente::Timeout, "timeout"},                  {filaCliente::Protocolo, "Protocolo:"},
    {filaCliente::Puerto, "Puerto:"},                   {filaCliente::CarpetaRemota, "Carpeta remota:"},
    {filaCliente::NombreRemoto, "Nombre remoto:"}};

// Letters without accents, lower case, blanks and hyphens out: how two
// spellings of one word compare.
QString sencillo(const QString& texto) {
  QString s = texto.normalized(QString::NormalizationForm_D).toLower();
  QString r;
  for (QChar c : s)
    if (c.isLetterOrNumber() && c.category() != QChar::Mark_NonSpacing) r.append(c);
  return r;
}

bool verdadero(const QString& texto) {
  static const QStringList si = {QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("true"),
                                 QStringLiteral("verdadero"), QStringLiteral("si"), QStringLiteral("s")};
  return si.contains(sencillo(texto));
}

int numero(const QString& texto, int maximo) {
  bool ok = false;
  const int n = texto.trimmed().toInt(&ok);
  return ok && n >= 0 && n <= maximo ? n : 0;
}

QString valor(const Workspace& ws, int fila) { return ws.vaSpread2.text(Valor, fila).trimmed(); }

const QString kPatronOmision = QStringLiteral("{proveedor}_{aaaammdd}_{hhmmss}.txt");

}  // namespace

QString textoProtocolo(Protocolo p) {
  switch (p) {
    case Protocolo::Sftp: return QStringLiteral("SFTP");
    case Protocolo::FtpsExplicito: return QStringLiteral("FTPS explícito");
    case Protocolo::FtpsImplicito: return QStringLiteral("FTPS implícito");
    case Protocolo::Ftp: return QStringLiteral("FTP");
  }
  return QStringLiteral("SFTP");
}

Protocolo protocoloDeTexto(const QString& texto) {
  const QString s = sencillo(texto);
  if (s == QStringLiteral("ftp")) return Protocolo::Ftp;
  if (s.startsWith(QStringLiteral("ftps")))
    return s.contains(QStringLiteral("impl")) ? Protocolo::FtpsImplicito : Protocolo::FtpsExplicito;
  return Protocolo::Sftp;  // the safe one when the row is empty or unknown
}

QString textoProxy(Proxy p) {
  switch (p) {
    case Proxy::Ninguno: return QString();
    case Proxy::Socks5: return QStringLiteral("SOCKS5");
    case Proxy::HttpConnect: return QStringLiteral("HTTP CONNECT");
  }
  return QString();
}

Proxy proxyDeTexto(const QString& texto) {
  const QString s = sencillo(texto);
  if (s.startsWith(QStringLiteral("socks"))) return Proxy::Socks5;
  if (s.startsWith(QStringLiteral("http"))) return Proxy::HttpConnect;
  return Proxy::Ninguno;
}

Conexion conexionDe(const Workspace& ws) {
  Conexion c;
  c.protocolo = protocoloDeTexto(valor(ws, filaCliente::Protocolo));
  c.servidor = valor(ws, filaCliente::FtpHost);
  c.puerto = numero(valor(ws, filaCliente::Puerto), 65535);
  c.usuario = valor(ws, filaCliente::Usuario);
  c.recordar = verdadero(valor(ws, filaCliente::Recordar));
  c.carpeta = valor(ws, filaCliente::CarpetaRemota);
  const QString patron = valor(ws, filaCliente::NombreRemoto);
  c.nombre = patron.isEmpty() ? kPatronOmision : patron;
  c.espera = numero(valor(ws, filaCliente::Timeout), 24 * 3600);
  c.proxy = verdadero(valor(ws, filaCliente::UsarFirewall)) ? proxyDeTexto(valor(ws, filaCliente::TipoFirewall))
                                                            : Proxy::Ninguno;
  c.proxyServidor = valor(ws, filaCliente::HostFirewall);
  c.proxyPuerto = numero(valor(ws, filaCliente::PuertoFirewall), 65535);
  c.proxyUsuario = valor(ws, filaCliente::UsuarioFirewall);
  return c;
}

void ponerConexion(Workspace& ws, const Conexion& c) {
  Grid& g = ws.vaSpread2;
  for (const auto& [fila, etiqueta] : kEtiquetas) g.setText(Clave, fila, QString::fromUtf8(etiqueta));
  const auto numeroTexto = [](int n) { return n > 0 ? QString::number(n) : QString(); };
  g.setText(Valor, filaCliente::Usuario, c.usuario);
  g.setText(Valor, filaCliente::Clave, QString());
  g.setText(Valor, filaCliente::Recordar, c.recordar ? QStringLiteral("1") : QStringLiteral("0"));
  g.setText(Valor, filaCliente::UsarFirewall, c.proxy != Proxy::Ninguno ? QStringLiteral("1") : QStringLiteral("0"));
  g.setText(Valor, filaCliente::TipoFirewall, textoProxy(c.proxy));
  g.setText(Valor, filaCliente::HostFirewall, c.proxyServidor);
  g.setText(Valor, filaCliente::PuertoFirewall, numeroTexto(c.proxyPuerto));
  g.setText(Valor, filaCliente::UsuarioFirewall, c.proxyUsuario);
  g.setText(Valor, filaCliente::ClaveFirewall, QString());
  g.setText(Valor, filaCliente::FtpHost, c.servidor);
  g.setText(Valor, filaCliente::Timeout, QString::number(c.espera));
  g.setText(Valor, filaCliente::Protocolo, textoProtocolo(c.protocolo));
  g.setText(Valor, filaCliente::Puerto, numeroTexto(c.puerto));
  g.setText(Valor, filaCliente::CarpetaRemota, c.carpeta);
  g.setText(Valor, filaCliente::NombreRemoto, c.nombre == kPatronOmision ? QString() : c.nombre);
  ws.vaSpread4.setText(Valor, filaAplicacion::FtpHost, c.servidor);
}

texto::Resultado guardarAjustes(Workspace& ws) {
  ws.vaSpread2.setText(Valor, filaCliente::Clave, QString());
  ws.vaSpread2.setText(Valor, filaCliente::ClaveFirewall, QString());
  return ws.vaSpread2.saveSheet(ws.ruta(QStringLiteral("info.cfg")));
}

texto::Resultado guardarAplicacion(Workspace& ws) {
  // The table keeps the plain address; only the file holds it scrambled.
  Grid archivo(QStringLiteral("dudizod.ini"), Grid::kLimiteRenglones, 3);
  for (int f = 1; f <= ws.vaSpread4.dataRowCount(); ++f) archivo.setRowTexts(f, ws.vaSpread4.rowTexts(f));
  archivo.setText(Clave, filaAplicacion::FtpHost, QStringLiteral("--->"));
  archivo.setText(Valor, filaAplicacion::FtpHost, EnCode(ws, ws.vaSpread4.text(Valor, filaAplicacion::FtpHost)));
  return archivo.saveTabText(ws.ruta(QStringLiteral("dudizod.ini")));
}

texto::Resultado guardarConexion(Workspace& ws, const Conexion& c) {
  ponerConexion(ws, c);
  const texto::Resultado r = guardarAplicacion(ws);
  if (!r.ok) return r;
  return guardarAjustes(ws);
}

void moverClavesViejas(Workspace& ws) {
  const QString clave = ws.vaSpread2.text(Valor, filaCliente::Clave);
  const QString claveProxy = ws.vaSpread2.text(Valor, filaCliente::ClaveFirewall);
  if (clave.isEmpty() && claveProxy.isEmpty()) return;
  const Conexion c = conexionDe(ws);
  QString error;
  bool movidas = almacenDisponible();
  if (movidas && !clave.isEmpty()) movidas = guardarClave(cuentaServidor(c), clave, &error);
  if (movidas && !claveProxy.isEmpty()) movidas = guardarClave(cuentaProxy(c), claveProxy, &error);
  ws.vaSpread2.setText(Valor, filaCliente::Recordar,
                       movidas && !clave.isEmpty() ? QStringLiteral("1") : QStringLiteral("0"));
  const texto::Resultado r = guardarAjustes(ws);
  QString texto;
  if (movidas) {
    ws.EscribirLog(QStringLiteral("Las contraseñas de info.cfg pasaron al almacén de contraseñas del sistema"));
  } else {
    texto = QStringLiteral("El archivo de configuración info.cfg guardaba la contraseña de la conexión FTP sin "
                           "cifrar. ");
    texto += error.isEmpty() ? QStringLiteral("Este equipo no tiene un almacén de contraseñas disponible.") : error;
    texto += QStringLiteral(" La contraseña se quitó del archivo y se pedirá en cada envío.");
  }
  if (!r.ok) {
    if (!texto.isEmpty()) texto += QStringLiteral("\r\n\r\n");
    texto += QStringLiteral("No se pudo quitar la contraseña del archivo info.cfg (") + r.descripcion +
             QStringLiteral("): bórrela a mano o dé permiso de escritura en la carpeta del programa.");
  }
  if (!texto.isEmpty()) {
    ws.MsgBox(texto, Botones::Ok, QStringLiteral("Aviso Importante"), Icono::Exclamacion);
    ws.EscribirLog(texto);
  }
}
