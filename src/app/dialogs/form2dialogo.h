#pragma once
// The consolidation dialog Form2 ("ASN Tornavela"): a form over Form2Modelo.
// The user picks orders in List1, adds them to List2 and accepts; every click
// goes to the model, and the lists are shown again from it afterwards.
#include <QDialog>

#include "consolidation/form2.h"

class QLabel;
class QListWidget;
class QPushButton;

class Form2Dialogo : public QDialog {
  Q_OBJECT
 public:
  explicit Form2Dialogo(Form2Modelo& modelo, QWidget* padre = nullptr);

  Form2Modelo& modelo() { return m_; }
  // Shows the model's lists and selections; closes when the model has closed.
  void leer();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void despues();  // after every handler
  void anadir();   // >>Añadir >> on each order selected in List1
  void clicLista(QListWidget* lista, int fila);

  Form2Modelo& m_;
  QLabel* Label1_ = nullptr;
  QListWidget* List1_ = nullptr;
  QListWidget* List2_ = nullptr;
  QPushButton* Command1_ = nullptr;
  QPushButton* Command2_ = nullptr;
  QPushButton* Command3_ = nullptr;
  QPushButton* Command4_ = nullptr;
  bool leyendo_ = false;
};
