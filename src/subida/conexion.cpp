#include "subida/conexion.h"

int puertoDe(const Conexion& c) {
  if (c.puerto > 0) return c.puerto;
  switch (c.protocolo) {
    case Protocolo::Sftp: return 22;
    case Protocolo::FtpsImplicito: return 990;
    case Protocolo::FtpsExplicito:
    case Protocolo::Ftp: break;
  }
  return 21;
}

int esperaDe(const Conexion& c) { return c.espera > 0 ? c.espera : 60; }

QString nombreProtocolo(Protocolo p) {
  switch (p) {
    case Protocolo::Sftp: return QStringLiteral("sftp");
    case Protocolo::FtpsExplicito: return QStringLiteral("ftps");
    case Protocolo::FtpsImplicito: return QStringLiteral("ftps-implicito");
    case Protocolo::Ftp: break;
  }
  return QStringLiteral("ftp");
}

QString direccionServidor(const Conexion& c) {
  const QString host = c.servidor.contains(QLatin1Char(':')) ? QLatin1Char('[') + c.servidor + QLatin1Char(']') : c.servidor;
  return nombreProtocolo(c.protocolo) + QStringLiteral("://") + host + QLatin1Char(':') + QString::number(puertoDe(c));
}
