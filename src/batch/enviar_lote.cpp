#include "batch/enviar_lote.h"

#include <QDir>
#include <QFileInfo>

#include "batch/lote.h"
#include "client/conexion_ajustes.h"
#include "documents/notice_check.h"
#include "subida/claves.h"
#include "subida/historial_envios.h"
#include "subida/subida.h"
#include "workspace/comando.h"
#include "workspace/workspace.h"

namespace lote {

namespace {

const QString kTitulo = QStringLiteral("Enviar");

// The notice must be one the retailer reads without a fault.
QString faltaDelAviso(const QString& ruta) {
  const Revision r = revisarAviso(ruta, QString(), false);
  if (!r.error.isEmpty()) return r.error;
  if (r.aviso.faltas() > 0)
    return QStringLiteral("El aviso %1 tiene %2 faltas; no se envía (aviso-lote revisar las muestra).")
        .arg(QDir::toNativeSeparators(ruta))
        .arg(r.aviso.faltas());
  return {};
}

}  // namespace

int enviar(Workspace& ws, const DatosEnvio& e, const std::function<void(const QString&, const QString&)>& decir) {
  const Conexion c = conexionDe(ws);
  const auto rehusar = [&](const QString& texto, int estado) {
    decir(kTitulo, texto);
    return estado;
  };
  // The connection was never set up: the default address alone names no account.
  if (c.servidor.trimmed().isEmpty() || c.usuario.trimmed().isEmpty())
    return rehusar(QStringLiteral("Falta el servidor o el usuario de la conexión: délos con aviso-lote conexion "
                                  "--servidor HOST --usuario USUARIO."),
                   kError);
  const QString aviso = QFileInfo(e.aviso).absoluteFilePath();
  if (const QString falta = faltaDelAviso(aviso); !falta.isEmpty()) return rehusar(falta, kError);

  PedidoSubida p;
  p.carpetaPrograma = ws.carpeta;
  p.conexion = c;
  p.archivo = aviso;
  p.aceptarHuella = e.aceptarHuella;
  if (!e.claveArchivo.isEmpty()) {
    QString error;
    const auto clave = claveDeArchivo(e.claveArchivo, &error);
    if (!clave) return rehusar(QStringLiteral("--clave-archivo: ") + error, kError);
    p.clave = *clave;
  } else if (const auto clave = leerClave(cuentaServidor(c))) {
    p.clave = *clave;
  } else {
    return rehusar(QStringLiteral("No hay contraseña guardada para el usuario \"") + c.usuario +
                       QStringLiteral("\" del servidor \"") + c.servidor +
                       QStringLiteral("\": dela en un archivo con --clave-archivo ARCHIVO."),
                   kError);
  }
  if (c.proxy != Proxy::Ninguno && !c.proxyUsuario.isEmpty()) p.proxyClave = leerClave(cuentaProxy(c)).value_or(QString());

  const QDateTime ahora = ws.reloj.ahora();
  p.nombreRemoto = nombreRemoto(c.nombre, ws.vaSpread2.text(2, 14), ahora);
  const QString sha = sha256DeArchivo(aviso);
  const QString servidor = direccionServidor(c);
  if (const auto antes = envioAnterior(ws.carpeta, sha, servidor); antes && !e.reenviar)
    return rehusar(QStringLiteral("Este aviso ya se envió el ") + antes->cuando.toString(QStringLiteral("dd/MM/yyyy")) +
                       QStringLiteral(" a las ") + antes->cuando.toString(QStringLiteral("HH:mm")) +
                       QStringLiteral(" a ") + servidor + QStringLiteral(" como \"") + antes->nombreRemoto +
                       QStringLiteral("\". No se envió otra vez (--reenviar lo envía)."),
                   kRehusado);

  Comando marco(ws, QStringLiteral("ENTRO AL EVENTO-----enviar"), QStringLiteral("TERMINO EL EVENTO-----enviar"));
  ws.EscribirLog(QStringLiteral("ENTRO AL EVENTO-----enviar-----") + servidor + QLatin1Char('/') + p.nombreRemoto);
  const ResultadoSubida r = subir(p);
  EnvioRegistrado linea{ahora, aviso, sha, servidor, p.nombreRemoto, r.bytes,
                        r.hecho() ? QStringLiteral("enviado") : r.mensaje};
  QString errorHistorial;
  const bool anotado = anotarEnvio(ws.carpeta, linea, &errorHistorial);
  ws.EscribirLog(QStringLiteral("ENTRO AL EVENTO-----enviar-----") + (r.hecho() ? QStringLiteral("enviado") : r.mensaje));
  marco.fin(r.hecho() ? Resultado::Hecho : r.rehusado() ? Resultado::Rechazado : Resultado::Fallido);
  if (r.hecho()) {
    decir(kTitulo, QStringLiteral("Aviso enviado a ") + servidor + QStringLiteral(" como \"") + p.nombreRemoto +
                       QStringLiteral("\" (%1 bytes).").arg(r.bytes));
    if (!r.mensaje.isEmpty()) decir(kTitulo, r.mensaje);
  } else {
    QString texto = r.mensaje;
    if (r.falla == FallaSubida::HuellaDesconocida || r.falla == FallaSubida::CertificadoRehusado)
      texto += QStringLiteral(" Para aceptarla: --aceptar-huella ") + r.huella;
    decir(kTitulo, texto);
  }
  if (!anotado) decir(kTitulo, errorHistorial);
  if (r.hecho()) return kHecho;
  return r.rehusado() ? kRehusado : kError;
}

}  // namespace lote
