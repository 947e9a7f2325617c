#pragma once
// The upload of a notice to the retailer's server over SFTP, FTPS or FTP.
#include "subida/conexion.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

enum class FallaSubida {
  Ninguna, ServidorDesconocido, ConexionRehusada, Credenciales, HuellaDesconocida, HuellaCambiada,
  CertificadoRehusado, CarpetaInexistente, CarpetaSinPermiso, DiscoLleno, ConexionPerdida, TiempoAgotado,
  Cancelada, ArchivoLocal, Otra
};

struct ResultadoSubida {
  FallaSubida falla = FallaSubida::Otra;
  QString mensaje;     // Spanish, for the user
  QString huella;      // "SHA256:..." of the key or certificate seen
  QString tipoHuella;  // "ssh-ed25519", "x509", ...
  qint64 bytes = 0;
  QString nombreRemoto;
  QStringList listado;  // probarConexion: the remote folder's names
  bool hecho() const { return falla == FallaSubida::Ninguna; }
  // The server or the user said no: trying again the same way changes nothing.
  bool rehusado() const;
};

struct PedidoSubida {
  QString carpetaPrograma;  // servidores.txt lies there
  Conexion conexion;
  QString clave;
  QString proxyClave;
  QString archivo;
  QString nombreRemoto;
  QString aceptarHuella;  // "SHA256:..." the user accepted for a first contact
  std::function<bool(qint64 hechos, qint64 total)> avance;  // false: cancel
  int reintentos = 3;
  std::function<void(int ms)> esperar;  // back-off between tries; empty: sleep
};

// Uploads under a temporary name, renames it to the final one, compares the remote size.
ResultadoSubida subir(const PedidoSubida& pedido);
// Connects and lists the remote folder.
ResultadoSubida probarConexion(const PedidoSubida& pedido);
// The remote name from a pattern: {proveedor}, {aaaammdd}, {hhmmss}, {aaaa}, {mm}, {dd}.
QString nombreRemoto(const QString& patron, const QString& proveedor, const QDateTime& cuando);
