#include "app/dialogs/cajatexto.h"

#include <QFocusEvent>
#include <QKeyEvent>

CajaTexto::CajaTexto(const QString& nombre, QWidget* padre) : QLineEdit(padre) { setObjectName(nombre); }

void CajaTexto::keyPressEvent(QKeyEvent* e) {
  const QString t = e->text();
  // Shortcuts (Ctrl+C, Ctrl+V ...) and keys without a character (arrows,
  // Delete) are the box's own; a typed character goes to the model first.
  const bool caracter = t.size() == 1 && !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                        e->key() != Qt::Key_Delete && e->key() != Qt::Key_Escape;
  if (!caracter || !alTeclear) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  QChar c = t.at(0);
  if (e->key() == Qt::Key_Backspace) c = QChar(8);
  if (!alTeclear(c)) {
    e->accept();  // dropped
    return;
  }
  if (c == QChar(8)) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  if (c == t.at(0)) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  // The model turned the key into another character (a capital letter).
  QKeyEvent cambiado(e->type(), e->key(), e->modifiers(), QString(c), e->isAutoRepeat(), e->count());
  QLineEdit::keyPressEvent(&cambiado);
  e->accept();
}

void CajaTexto::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  // A popup (context menu) or a message box of the model itself is no leaving
  // of the box; only a move to another control of the form is.
  if (callado || !alSalir) return;
  if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason) return;
  alSalir();
}
