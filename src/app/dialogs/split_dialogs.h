#pragma once
// The split dialogs: one form for the fixed-size dialogs Form6, Form9,
// Form10, Form7 and Form8 (a box per quantity, the texts each dialog's own)
// and the form of the any-size dialog Form3 (number of lines and a grid of
// quantities). Every box edit goes into the model, every button to its
// handler; the form shows the model again afterwards and closes when the
// model has closed.
#include <QDialog>
#include <QVector>

#include "editing/splitting.h"

class QLineEdit;
class QPushButton;
class QTableView;
class ModeloCantidades;

class SepararDialogo : public QDialog {
  Q_OBJECT
 public:
  explicit SepararDialogo(SepararModelo& modelo, QWidget* padre = nullptr);
  SepararModelo& modelo() { return m_; }
  void leer();

 private:
  void despues();

  SepararModelo& m_;
  QLineEdit* sku_ = nullptr;
  QLineEdit* tienda_ = nullptr;
  QLineEdit* maxima_ = nullptr;
  QVector<QLineEdit*> cajas_;
  QPushButton* Command1_ = nullptr;
  QPushButton* Command2_ = nullptr;
  bool leyendo_ = false;
};

class Form3Dialogo : public QDialog {
  Q_OBJECT
 public:
  explicit Form3Dialogo(Form3Modelo& modelo, QWidget* padre = nullptr);
  ~Form3Dialogo() override;
  Form3Modelo& modelo() { return m_; }
  void leer();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void despues();
  void salirText3();
  bool ultimaFila() const;
  void bajar();  // Enter in the quantities

  Form3Modelo& m_;
  QLineEdit* sku_ = nullptr;
  QLineEdit* tienda_ = nullptr;
  QLineEdit* maxima_ = nullptr;
  QLineEdit* Text3_ = nullptr;
  QTableView* vaSpread1_ = nullptr;
  ModeloCantidades* cantidades_ = nullptr;
  QPushButton* Command1_ = nullptr;
  QPushButton* Command2_ = nullptr;
  bool leyendo_ = false;
};
