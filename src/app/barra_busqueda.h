#pragma once
// The find bar over the detail grid (Ctrl+F): which field, the text, whole or
// by its beginning. Enter or F3 looks for the next line, Shift+Enter or
// Shift+F3 for the previous one, Esc closes the bar and gives the grid back
// the keys.
#include <QWidget>
#include <functional>

#include "editing/busqueda.h"

class QComboBox;
class QLabel;
class QLineEdit;

class BarraBusqueda : public QWidget {
  Q_OBJECT
 public:
  explicit BarraBusqueda(QWidget* padre = nullptr);

  // Shows the bar with the focus in its text, which stays selected.
  void abrir();
  Busqueda busqueda() const;
  // Looks again in the direction asked; false when there is nothing to look for.
  bool buscar(bool adelante);
  // Said beside the text after a search ("" clears it).
  void decir(const QString& texto);

  // Runs the search; answers whether a line was found.
  std::function<bool(const Busqueda&, bool adelante)> alBuscar;
  std::function<void()> alCerrar;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QComboBox* campo_ = nullptr;
  QLineEdit* texto_ = nullptr;
  QComboBox* modo_ = nullptr;
  QLabel* resultado_ = nullptr;
};
