#include "notice/envio_aviso.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include "client/conexion_ajustes.h"
#include "client/conexion_ftp.h"
#include "notice/output.h"
#include "subida/claves.h"
#include "subida/historial_envios.h"
#include "subida/subida.h"
#include "workspace/workspace.h"

namespace {

const QString kTitulo = QStringLiteral("Enviar aviso");

// The connection is set in Configuración > "Conexión FTP"; until then there
// is nowhere to send.
bool conexionLista(Workspace& ws, const Conexion& c) {
  if (!c.servidor.isEmpty() && !c.usuario.isEmpty()) return true;
  ws.MsgBox(QStringLiteral("Falta configurar la conexión con el servidor: Configuración > Conexión FTP."), Botones::Ok,
            kTitulo, Icono::Exclamacion);
  return false;
}

// The same content already reached that server: the user decides.
bool enviarOtraVez(Workspace& ws, const Conexion& c, const QString& sha) {
  const std::optional<EnvioRegistrado> antes = envioAnterior(ws.carpeta, sha, direccionServidor(c));
  if (!antes) return true;
  const QString texto = QStringLiteral("Este aviso ya se envió el ") +
                        antes->cuando.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" a las ") +
                        antes->cuando.toString(QStringLiteral("HH:mm")) + QStringLiteral(" a ") + c.servidor +
                        QStringLiteral(" como ") + antes->nombreRemoto + QStringLiteral(". ¿Enviarlo otra vez?");
  return ws.MsgBox(texto, Botones::SiNo, kTitulo, Icono::Pregunta) == Respuesta::Si;
}

// A remembered password, or the one the user types now.
std::optional<QString> clave(Workspace& ws, const Conexion& c, bool proxy) {
  if (c.recordar) {
    const std::optional<QString> guardada = leerClave(proxy ? cuentaProxy(c) : cuentaServidor(c));
    if (guardada) return guardada;
  }
  const QString texto = proxy ? QStringLiteral("Contraseña del usuario \"") + c.proxyUsuario +
                                    QStringLiteral("\" del firewall ") + c.proxyServidor + QStringLiteral(":")
                              : QStringLiteral("Contraseña del usuario \"") + c.usuario + QStringLiteral("\" en ") +
                                    c.servidor + QStringLiteral(":");
  return ws.prompter.pedirClave(kTitulo, texto);
}

ResultadoSubida subirConAvance(Workspace& ws, PedidoSubida p) {
  ResultadoSubida r;
  ws.prompter.conAvance(QStringLiteral("Enviando ") + p.nombreRemoto + QStringLiteral(" a ") + p.conexion.servidor,
                        [&](const Prompter::Avance& avance) {
                          p.avance = avance;
                          r = subir(p);
                        });
  return r;
}

}  // namespace

Resultado b_enviar_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----b_enviar_Click"),
              QStringLiteral("TERMINO EL EVENTO-----b_enviar_Click"), Comando::Salida::AlHacerse);
  ws.panel[3] = QStringLiteral("Validando...");
  // The panel rests again however the command ends.
  struct Panel {
    Workspace& ws;
    ~Panel() { ws.panel[3].clear(); }
  } panel{ws};
  const Conexion c = conexionDe(ws);
  if (!conexionLista(ws, c)) return cmd.fin(Resultado::Rechazado);
  if (const Resultado r = revisarYPreparar(ws, cmd); r != Resultado::Hecho) return cmd.fin(r);

  const QDateTime ahora = ws.reloj.ahora();
  PedidoSubida p;
  p.nombreRemoto = nombreRemoto(c.nombre, ws.vaSpread2.text(colAjustes::Valor, filaCliente::Proveedor), ahora);
  // The pattern may give a name that is no file of its own: none at all, or
  // the history's.
  const QString nombre = p.nombreRemoto.trimmed();
  if (nombre.isEmpty() || nombre == QStringLiteral(".") || nombre == QStringLiteral("..") ||
      nombre.compare(QStringLiteral("historial.txt"), Qt::CaseInsensitive) == 0) {
    ws.MsgBox(QStringLiteral("El nombre remoto \"") + p.nombreRemoto +
                  QStringLiteral("\" no sirve para el aviso: revise el nombre remoto en Configuración > Conexión FTP."),
              Botones::Ok, kTitulo, Icono::Exclamacion);
    return cmd.fin(Resultado::Rechazado);
  }
  const QByteArray bytes = textoAviso(ws);
  const QString sha = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
  if (!enviarOtraVez(ws, c, sha)) return cmd.fin(Resultado::Cancelado);
  p.carpetaPrograma = ws.carpeta;
  p.conexion = c;
  const std::optional<QString> claveServidor = clave(ws, c, false);
  if (!claveServidor) return cmd.fin(Resultado::Cancelado);
  p.clave = *claveServidor;
  if (c.proxy != Proxy::Ninguno && !c.proxyUsuario.isEmpty()) {
    const std::optional<QString> claveProxy = clave(ws, c, true);
    if (!claveProxy) return cmd.fin(Resultado::Cancelado);
    p.proxyClave = *claveProxy;
  }

  // The notice sent is kept in enviados/ under the name it has on the server.
  const QString carpeta = ws.ruta(QStringLiteral("enviados"));
  if (!QDir().mkpath(carpeta)) {
    ws.errorInesperado(75, QStringLiteral("No se pudo crear la carpeta ") + carpeta);
    return cmd.fin(Resultado::Fallido);
  }
  p.archivo = carpeta + QLatin1Char('/') + p.nombreRemoto;
  const texto::Resultado escrito =
      texto::reemplazar(p.archivo, [&bytes](QIODevice& d) { return texto::escribirEn(d, bytes); });
  if (!escrito.ok) {
    ws.errorInesperado(escrito);
    return cmd.fin(Resultado::Fallido);
  }
  ws.ultimoAviso = p.archivo;
  ws.panel[3] = QStringLiteral("Enviando...");

  ResultadoSubida r = subirConAvance(ws, p);
  if (huellaPorAceptar(r) && aceptarHuellaNueva(ws, c, r)) {
    p.aceptarHuella = r.huella;
    r = subirConAvance(ws, p);
  }
  EnvioRegistrado linea;
  linea.cuando = ahora;
  linea.archivo = p.archivo;
  linea.sha256 = sha;
  linea.servidor = direccionServidor(c);
  linea.nombreRemoto = r.nombreRemoto.isEmpty() ? p.nombreRemoto : r.nombreRemoto;
  linea.bytes = r.bytes;
  linea.resultado = r.hecho() ? QStringLiteral("enviado") : r.mensaje;
  QString error;
  const bool anotado = anotarEnvio(ws.carpeta, linea, &error);
  ws.EscribirLog(QStringLiteral("Envío de ") + p.nombreRemoto + QStringLiteral(" a ") + linea.servidor +
                 QStringLiteral(": ") + linea.resultado);
  QString texto = r.hecho() ? QStringLiteral("El aviso se envió a ") + c.servidor + QStringLiteral(" como ") +
                                  linea.nombreRemoto + QStringLiteral(" (%1 bytes).").arg(r.bytes)
                            : r.mensaje;
  // A send that went through may still have something to say (the server's
  // identity could not be kept, for one).
  if (r.hecho() && !r.mensaje.isEmpty()) texto += QStringLiteral("\r\n\r\n") + r.mensaje;
  if (!anotado) texto += QStringLiteral("\r\n\r\nNo se pudo anotar el envío en el historial: ") + error;
  ws.MsgBox(texto, Botones::Ok, kTitulo,
            r.hecho() ? Icono::Informacion : r.falla == FallaSubida::Cancelada ? Icono::Exclamacion : Icono::Critico);
  if (r.hecho()) return cmd.fin(Resultado::Hecho);
  if (r.falla == FallaSubida::Cancelada) return cmd.fin(Resultado::Cancelado);
  return cmd.fin(r.rehusado() ? Resultado::Rechazado : Resultado::Fallido);
}

Resultado enviararchiv_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----enviararchiv_Click"),
              QStringLiteral("TERMINO EL EVENTO-----enviararchiv_Click"));
  return cmd.fin(b_enviar_Click(ws));
}

Resultado enviar_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----enviar_Click"), QStringLiteral("TERMINO EL EVENTO-----enviar_Click"));
  return cmd.fin(b_enviar_Click(ws));
}

const QString HistorialEnviosModelo::kTitulo = QStringLiteral("Historial de envíos");

Resultado historialenvios_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----historialenvios_Click"),
              QStringLiteral("TERMINO EL EVENTO-----historialenvios_Click"));
  HistorialEnviosModelo forma;
  const QList<EnvioRegistrado> lineas = leerHistorialEnvios(ws.carpeta);
  for (auto it = lineas.crbegin(); it != lineas.crend(); ++it) forma.lineas.append(*it);
  if (forma.lineas.isEmpty()) {
    ws.MsgBox(QStringLiteral("Todavía no se ha enviado ningún aviso desde esta carpeta del programa."), Botones::Ok,
              HistorialEnviosModelo::kTitulo, Icono::Informacion);
    return cmd.fin(Resultado::Hecho);
  }
  ws.prompter.ejecutarDialogo(forma);
  return cmd.fin(Resultado::Hecho);
}
