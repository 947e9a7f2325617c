#pragma once
// The dialog Configuración > "Conexión FTP": where and how the notice is
// sent. The boxes hold text as typed; Aceptar checks them, writes the
// settings (dudizod.ini and info.cfg) and puts the passwords into the
// credential store when they are to be remembered and there is one.
// "Probar conexión" connects with the values shown, lists the remote folder
// and says what it found or what failed. A first contact shows the server's
// fingerprint, which the user accepts or refuses.
#include <QString>
#include <QStringList>
#include <functional>

#include "subida/subida.h"
#include "workspace/prompter.h"
#include "workspace/resultado.h"

class Workspace;

class ConexionFtpModelo : public DialogoModelo {
 public:
  static const QString kTitulo;            // "Conexión FTP"
  static const QStringList kProtocolos;    // the protocol list, in Protocolo's order
  static const QStringList kProxies;       // the firewall list, in Proxy's order
  static const QString kSinAlmacen;        // the note shown when no store can remember a password
  static const QString kAdvertenciaFtp;    // the note shown while plain FTP is chosen

  explicit ConexionFtpModelo(Workspace& ws);
  QString forma() const override { return QStringLiteral("ConexionFtp"); }

  Workspace& ws;
  // The boxes.
  QString servidor, puerto, usuario, clave, carpeta, nombre, espera;
  int protocolo = 0;  // index into kProtocolos
  bool recordar = false;
  int proxy = 0;      // index into kProxies
  QString proxyServidor, proxyPuerto, proxyUsuario, proxyClave;
  // Whether a credential store can remember the passwords (Form_Load asks).
  bool almacen = false;
  // Box that must get the focus; empty: unchanged.
  QString foco;

  // How "Probar conexión" reaches the server; the window runs it on a worker
  // thread, a script calls it directly.
  std::function<ResultadoSubida(const PedidoSubida&)> probador = probarConexion;

  // Fills the boxes from the settings and the remembered passwords.
  void Form_Load();
  // The notes the dialog shows under the boxes (store missing, plain FTP).
  QString nota() const;
  // Checks the boxes in order; the first fault is shown, its box focused.
  bool revisar();
  // The connection the boxes describe (revisar() first).
  Conexion conexion() const;
  Resultado aceptar_Click();
  Resultado Cancelar_Click();
  Resultado probar_Click();
  Resultado resultado = Resultado::Cancelado;

 private:
  void log(const QString& texto);
  bool rehusar(const QString& texto, const QString& caja);
  bool guardarClaves(const Conexion& anterior, const Conexion& nueva);
};

// A first contact: an unknown key, or a certificate no authority signs, that
// the user may accept by its fingerprint.
bool huellaPorAceptar(const ResultadoSubida& r);
// Asks the user to accept a server's key or certificate seen for the first
// time; true when accepted (then it is tried again with that fingerprint).
bool aceptarHuellaNueva(Workspace& ws, const Conexion& c, const ResultadoSubida& r);

// Configuración > "&Conexión FTP": opens the dialog.
Resultado ftp_Click(Workspace& ws);
