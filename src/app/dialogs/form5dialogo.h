#pragma once
// The client data dialog Form5 ("Configuración"): a form over Form5Modelo.
// Keys typed into the three boxes pass the model's key filter, leaving the RFC
// box runs its focus-loss rule, and the buttons run the model's handlers.
#include <QDialog>

#include "client/form5.h"

class CajaTexto;
class QLabel;
class QLineEdit;
class QPushButton;

class Form5Dialogo : public QDialog {
  Q_OBJECT
 public:
  explicit Form5Dialogo(Form5Modelo& modelo, QWidget* padre = nullptr);

  Form5Modelo& modelo() { return m_; }
  // Shows the model's boxes; gives the focus where the model says; closes when it has closed.
  void leer();

 private:
  CajaTexto* nuevaCaja(Form5Modelo::Caja caja, const QString& nombre);
  void despues();
  void salirRfc(const QString& destino);

  Form5Modelo& m_;
  QLineEdit* aplicacion_ = nullptr;
  CajaTexto* ncliente_ = nullptr;
  CajaTexto* Text2_ = nullptr;
  CajaTexto* rfc_ = nullptr;
  QPushButton* aceptar_ = nullptr;
  QPushButton* Cancelar_ = nullptr;
  bool leyendo_ = false;
};
