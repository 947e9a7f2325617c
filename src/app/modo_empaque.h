#pragma once
// The window's packing mode (Editar > "Empacar con lector", F9): a bar with
// the scan box, which keeps the focus while the mode is on (a barcode reader
// types into whatever has it), and the last scan's answer; the status bar
// tells the container, its store and pieces. Each Enter in the box is one
// command of the window (one undo step, "escanear CODE"), answered at once
// with a short sound, a distinct one when refused.
#include <QObject>
#include <QPointer>
#include <memory>

#include "workspace/resultado.h"

class Empaque;
class MainWindow;
class QLabel;
class QLineEdit;
class QSoundEffect;
class QToolBar;
class QtPrompter;
class Workspace;

class ModoEmpaque : public QObject {
  Q_OBJECT
 public:
  ModoEmpaque(MainWindow& ventana, Workspace& ws);
  ~ModoEmpaque() override;

  bool activo() const { return empaque_ != nullptr; }
  // Empacar con lector: on, or off without a question.
  Resultado alternar();
  // Cerrar contenedor: its lines and pieces, its label printed when asked.
  Resultado cerrarContenedor();
  // Terminar empaque: the lines never scanned listed, removed or kept on the
  // clerk's answer; the mode ends.
  Resultado terminar();
  // After every command: the status, the items that need the mode, the focus.
  void mostrar();
  // The scan, as Enter in the box sends it (the window's command).
  void escanear(const QString& texto);

 private:
  void responder(bool aceptado, const QString& mensaje);
  void sonar(bool aceptado);

  MainWindow& ventana_;
  Workspace& ws_;
  std::unique_ptr<Empaque> empaque_;
  QToolBar* barra_ = nullptr;
  QLineEdit* caja_ = nullptr;
  QLabel* mensaje_ = nullptr;
  QLabel* estado_ = nullptr;
  QSoundEffect* bueno_ = nullptr;
  QSoundEffect* rechazado_ = nullptr;
};

// The forms of the mode: the store of a new container, the packing summary.
void registrarFormasEmpaque(QtPrompter& p);
