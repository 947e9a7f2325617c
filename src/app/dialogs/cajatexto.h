#pragma once
// A text box of a dialog form that hands its typed keys and its focus loss to
// the model: the model decides whether a key is taken (and as which
// character) and what leaving the box does.
#include <QLineEdit>
#include <functional>

class CajaTexto : public QLineEdit {
  Q_OBJECT
 public:
  explicit CajaTexto(const QString& nombre, QWidget* padre = nullptr);

  // A typed character (backspace included). Returns false to drop the key;
  // may change the character into the one to enter.
  std::function<bool(QChar& tecla)> alTeclear;
  // The box has lost the focus (not while the form itself moves the focus).
  std::function<void()> alSalir;
  // Set while the form moves the focus itself, so no focus loss is reported.
  bool callado = false;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
};
