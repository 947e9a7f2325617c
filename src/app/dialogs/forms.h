#pragma once
// The dialog forms of the window, one per model form name.
class QtPrompter;
class QDialog;
class QPushButton;
class QString;
class QWidget;
template <typename T> class QList;

// Registers the form of every dialog model ("Form2", "Form3", "Form5" to
// "Form10") with the window's prompter.
void registrarFormas(QtPrompter& p);

// Runs a form modally. While it is open the prompter's message boxes belong to
// it, so they show above the form and not behind it.
void ejecutarForma(QtPrompter& p, QDialog& forma);

// A window made to fit the available area of its screen (a window manager's
// frame left aside), centred on it: never larger than the screen, whatever
// the scale, so that its buttons stay in reach.
void ajustarAPantalla(QWidget& ventana);

// A form's button with its control name. Enter in a list or a box must not
// press a button by itself, so none is an automatic default.
QPushButton* boton(QWidget* padre, const QString& nombre, const QString& texto);

// The keyboard of a form with boxes: Enter in a box moves to the next one (the
// focus leaves it as with Tab, so its leaving rules apply) and on the last one
// presses `aceptar`; Esc presses `cancelar` (without one, Esc does nothing).
void teclasDeForma(QDialog& forma, const QList<QWidget*>& cajas, QPushButton* aceptar, QPushButton* cancelar);
