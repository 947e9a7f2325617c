#pragma once
// Form1, the main window: a view over the Workspace. Commands run core
// procedures and the window then shows the workspace state.
#include <QMainWindow>
#include <QHash>
#include <functional>
#include <memory>

#include "app/qtprompter.h"
#include "workspace/workspace.h"

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableView;
class GridModel;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // carpeta: the program folder; prompter: the one the workspace talks through
  // (the window's own QtPrompter unless a test injects a script).
  MainWindow(const QString& carpeta, Prompter* prompter = nullptr, const Reloj* reloj = nullptr);
  ~MainWindow() override;

  Workspace& ws() { return *ws_; }
  QtPrompter& qtPrompter() { return qtPrompter_; }
  QAction* accion(const QString& nombre) const { return acciones_.value(nombre); }
  QTableView* vistaDetalle() const { return vaspread1_; }
  QTableView* vistaPedidos() const { return vaSpread9_; }

  // Runs a command unless another one is running; then shows the workspace.
  void ejecutar(const std::function<void()>& comando);
  // Connects a menu/toolbar action (by objectName) to a command.
  void conectar(const QString& accion, const std::function<void()>& comando);
  // Shows the workspace state in the widgets.
  void refrescar();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  QAction* nuevaAccion(QMenu* menu, const QString& nombre, const QString& texto);
  void crearMenus();
  void crearBarra();
  void crearCentro();
  void crearBarraEstado();
  void aplicarControles();
  void colocarProgreso();

  RelojFijo* relojPropio_ = nullptr;
  std::unique_ptr<Reloj> reloj_;
  QtPrompter qtPrompter_;
  std::unique_ptr<Workspace> ws_;
  QHash<QString, QAction*> acciones_;
  QHash<QString, QMenu*> menus_;
  QTableView* vaspread1_ = nullptr;
  QTableView* vaSpread9_ = nullptr;
  QTableView* vaSpread5_ = nullptr;
  GridModel* modelo1_ = nullptr;
  GridModel* modelo9_ = nullptr;
  GridModel* modelo5_ = nullptr;
  QLineEdit* Text1_[8] = {};
  QComboBox* Combo1_ = nullptr;
  QComboBox* Combo2_ = nullptr;
  QComboBox* Combo3_ = nullptr;
  QDateEdit* DTPicker1_4_ = nullptr;
  QProgressBar* ProgressBar1_ = nullptr;
  QLabel* panel_[4] = {};
  bool ocupado_ = false;
  bool refrescando_ = false;
};
