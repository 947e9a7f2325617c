#pragma once
// Configuración > "Conexión FTP": a form over ConexionFtpModelo. Every box has
// its access key; "Probar conexión" runs outside the window's thread while the
// form waits, so the window keeps painting.
#include <QDialog>

#include "client/conexion_ftp.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ConexionFtpDialogo : public QDialog {
  Q_OBJECT
 public:
  explicit ConexionFtpDialogo(ConexionFtpModelo& modelo, QWidget* padre = nullptr);
  ConexionFtpModelo& modelo() { return m_; }
  // Shows the model's boxes; gives the focus where the model says; closes when it has closed.
  void leer();

 private:
  QLineEdit* caja(const QString& nombre, QString* valor, bool oculta = false);
  void escribir();
  void despues();
  void probar();

  ConexionFtpModelo& m_;
  QLineEdit *servidor_ = nullptr, *puerto_ = nullptr, *usuario_ = nullptr, *clave_ = nullptr, *carpeta_ = nullptr,
            *nombre_ = nullptr, *espera_ = nullptr, *proxyServidor_ = nullptr, *proxyPuerto_ = nullptr,
            *proxyUsuario_ = nullptr, *proxyClave_ = nullptr;
  QComboBox *protocolo_ = nullptr, *proxy_ = nullptr;
  QCheckBox* recordar_ = nullptr;
  QLabel* nota_ = nullptr;
  QPushButton *probar_ = nullptr, *aceptar_ = nullptr, *Cancelar_ = nullptr;
  bool leyendo_ = false;
};

// Runs `trabajo` on a worker thread; the caller's thread keeps handling
// paint events (not user input) until it ends.
ResultadoSubida fueraDelHilo(const std::function<ResultadoSubida()>& trabajo);

// Archivo > "Historial de envíos": the sends in a table, newest first.
class HistorialEnviosModelo;
class HistorialEnviosDialogo : public QDialog {
  Q_OBJECT
 public:
  explicit HistorialEnviosDialogo(HistorialEnviosModelo& modelo, QWidget* padre = nullptr);
};
