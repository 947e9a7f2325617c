#pragma once
// How to reach the retailer's server: a plain value that the settings tables
// fill and the upload reads.
#include <QString>

enum class Protocolo { Sftp, FtpsExplicito, FtpsImplicito, Ftp };
enum class Proxy { Ninguno, Socks5, HttpConnect };

struct Conexion {
  Protocolo protocolo = Protocolo::Sftp;
  QString servidor;
  int puerto = 0;  // 0: the protocol's own
  QString usuario;
  bool recordar = false;
  QString carpeta;
  QString nombre = QStringLiteral("{proveedor}_{aaaammdd}_{hhmmss}.txt");
  int espera = 0;  // seconds; 0 means 60
  Proxy proxy = Proxy::Ninguno;
  QString proxyServidor;
  int proxyPuerto = 0;
  QString proxyUsuario;
};

// The port actually used: the given one, or the protocol's own.
int puertoDe(const Conexion& c);
// Seconds to wait for an answer: 0 stands for 60.
int esperaDe(const Conexion& c);
// "sftp", "ftps", "ftps-implicito", "ftp": the protocol as servidores.txt and the history write it.
QString nombreProtocolo(Protocolo p);
// "sftp://host:port": how the history and the messages name the server.
QString direccionServidor(const Conexion& c);
