#pragma once
// Form1, the main window: a view over the Workspace. Commands run core
// procedures and the window then shows the workspace state.
#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/marcas.h"
#include "app/preferencias.h"
#include "app/qtprompter.h"
#include "workspace/workspace.h"

class QAction;
class QComboBox;
class QDateEdit;
class CampoFecha;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class BarraBusqueda;
class GridModel;
class QTimer;
struct FilaComando;
class Recuperador;
class VistaGrid;
class VistaPreviaModelo;
class ModoEmpaque;
struct Busqueda;

class MainWindow;

// The prompter the workspace talks through. main() makes it before the
// workspace, and the window over that workspace afterwards: everything goes
// to `destino` (the window's message boxes, file dialogs and forms, or a
// test's script), and the window, while there is one, hears when a command
// waits for the user or lets it repaint.
class PrompterVentana : public Prompter {
 public:
  // destino: none for the window's own QtPrompter.
  explicit PrompterVentana(Prompter* destino = nullptr);
  PrompterVentana(const PrompterVentana&) = delete;
  PrompterVentana& operator=(const PrompterVentana&) = delete;

  Respuesta mostrar(const Mensaje& m) override;
  QString abrirArchivo(const DialogoArchivo& d) override;
  QString guardarArchivo(const DialogoArchivo& d) override;
  void ejecutarDialogo(DialogoModelo& modelo) override;
  void beep() override { destino_.beep(); }
  void procesarEventos() override;
  void cursorOcupado(bool ocupado) override { destino_.cursorOcupado(ocupado); }
  QString leerPortapapeles() const override { return destino_.leerPortapapeles(); }
  void escribirPortapapeles(const QString& texto) override { destino_.escribirPortapapeles(texto); }

 private:
  friend class MainWindow;
  struct Espera;
  QtPrompter qt_;
  Prompter& destino_;
  QPointer<MainWindow> ventana_;  // null once the window has gone
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // A window over `ws`, which talks through `prompter`; both outlive the window.
  MainWindow(Workspace& ws, PrompterVentana& prompter);
  ~MainWindow() override;

  Workspace& ws() { return *ws_; }
  QtPrompter& qtPrompter() { return prompter_.qt_; }
  // A menu item, menu (by its name) or toolbar image, by objectName.
  QAction* accion(const QString& nombre) const { return acciones_.value(nombre); }
  QMenu* menu(const QString& nombre) const { return menus_.value(nombre); }
  // True when a command is wired to the menu item, toolbar image or button.
  bool conectado(const QString& nombre) const { return comandos_.contains(nombre); }
  VistaGrid* vistaDetalle() const { return vaspread1_; }
  VistaGrid* vistaPedidos() const { return vaSpread9_; }
  VistaGrid* vistaResumen() const { return vaSpread5_; }

  // Runs a command unless another one is running (then false); an open cell
  // editor is committed first and the grids' selections are handed to the
  // workspace. Afterwards the window shows the workspace.
  // `que` names the undo step ("escribir cantidad").
  bool ejecutar(const std::function<void()>& comando, const QString& que = {});
  void tomarFecha();
  // A command begins or has ended (its frame, the outermost one).
  void alComando(bool empieza);
  // Shows the workspace state in the widgets.
  void refrescar();
  // True once the window has been closed (the program ends).
  bool terminado() const { return terminado_; }
  // True while a command runs.
  bool ocupado() const { return ocupado_; }
  BarraBusqueda* barraBusqueda() const { return buscar_; }
  // The marks and totals of the detail grid as of their last update.
  const MarcasDetalle& marcas() const { return marcas_; }
  // Brings the marks, totals and the status bar up to date with the lines
  // changed; after a change it is done once the window has nothing else to
  // do and no command runs.
  void revisarDetalle();
  // The size and place remembered in preferencias.ini when they fit the
  // screen; else the screen's available area, maximized on a small screen.
  void colocarEnPantalla();
  // Chooses among the kept-aside recovery files (their descriptions, the
  // newest first): the index, -1 cancelled. Unset: a list box asks.
  std::function<int(const QStringList&)> elegirApartado;
  Recuperador& recuperador() { return *recuperador_; }

  // The window's own commands, as the command table runs them.
  // Archivo > Recuperar trabajo...: a kept-aside recovery file, chosen from a list.
  Resultado recuperarTrabajo();
  // Archivo > Guardar: the save command; once there is a work file it is written again without asking.
  Resultado guardarActual();
  // The packing mode with a barcode reader (Editar > Empacar con lector).
  ModoEmpaque& empaque() { return *empaque_; }
  // Cortar: a text box with the focus cuts its own text; otherwise the command cuts the grid's selection.
  Resultado cortar();
  // Archivo > Salir ends at once; the button salir asks first.
  Resultado salirAhora();
  Resultado salirConPregunta();
  Resultado abrirBusqueda();
  // F3, Shift+F3: the next or previous match, or the find bar when there is none.
  Resultado buscarOtra(bool adelante);
  Resultado siguienteMarcado();
  // F6: the detail grid, the per-order table, the delivery date and hour in turn.
  Resultado siguienteZona();
  Resultado mostrarGuia();
  Preferencias& preferencias() { return preferencias_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QAction* nuevaAccion(QMenu* menu, const QString& nombre, const QString& texto);
  // Wires the row's menu item, image, button or key (named `nombre`) to `orden`.
  void conectar(const FilaComando& f, const QString& nombre, const std::function<Resultado()>& orden);
  void crearMenus();
  void crearBarra();
  void crearCentro();
  void crearBarraEstado();
  void crearAtajos();
  void mostrarTotales();
  // A step of a long command: the status panels and the progress bar, nothing else.
  void mostrarAvance();
  // The line of the detail grid the cursor goes to (its column by the leave-cell rule).
  void irARenglon(int fila, int col);
  bool buscarRenglon(const Busqueda& b, bool adelante);
  void guardarLugar();
  void conectarComandos();
  void conectarGrids();
  void conectarCampos();
  void aplicarControles();
  void colocarProgreso();
  // The work file's name and whether it is saved, and the undo items.
  void mostrarTrabajo();
  void avisarRecuperacion(const QString& texto);
  // File dialogs open in the folder last used for their kind of file and
  // offer the work file's name; the folder chosen is remembered.
  DialogoArchivo prepararDialogo(DialogoArchivo d, bool guardar) const;
  // The folder a PDF of the preview is offered in.
  void carpetaPdf(VistaPreviaModelo& vista) const;
  QString recordarCarpeta(const DialogoArchivo& d, const QString& elegido);
  // After a command: a work file saved or opened joins the recent ones, with
  // its hour; an opened one gets the hour back.
  void recordarTrabajo();
  void mostrarRecientes();
  Resultado abrirReciente(int i);
  // The progress bar: the command's own count when it gives one, else a bar
  // that moves by itself while a long command lets the window repaint.
  void mostrarProgreso();
  // A focus handler: runs like a command, but never while one runs (the
  // focus moves when a command shows a message or puts the focus somewhere).
  void alFoco(const std::function<void()>& manejador, const QString& que);

  // The command wired to each menu item, toolbar image or button, by name
  // (salir's "Yes" runs the one of the button guardar).
  QHash<QString, std::function<Resultado()>> comandos_;
  friend class PrompterVentana;
  Workspace* ws_;
  PrompterVentana& prompter_;
  QHash<QString, QAction*> acciones_;
  QHash<QString, QMenu*> menus_;
  VistaGrid* vaspread1_ = nullptr;
  VistaGrid* vaSpread9_ = nullptr;
  VistaGrid* vaSpread5_ = nullptr;
  GridModel* modelo1_ = nullptr;
  GridModel* modelo9_ = nullptr;
  GridModel* modelo5_ = nullptr;
  QLineEdit* Text1_[8] = {};
  QComboBox* Combo1_ = nullptr;
  QComboBox* Combo2_ = nullptr;
  QComboBox* Combo3_ = nullptr;
  CampoFecha* DTPicker1_4_ = nullptr;
  QProgressBar* ProgressBar1_ = nullptr;
  QLabel* panel_[4] = {};
  QLabel* trabajo_ = nullptr;   // the work file and "sin guardar"
  QLabel* errores_ = nullptr;   // lines in error and with warnings
  QLabel* totales_ = nullptr;
  BarraBusqueda* buscar_ = nullptr;
  MarcasDetalle marcas_;
  QTimer* revision_ = nullptr;  // the marks follow once a burst of changes or a command is over
  bool lugarRecordado_ = false;  // the size and place go to preferencias.ini
  std::unique_ptr<Recuperador> recuperador_;
  QString avisoRecuperacion_;  // what the recovery copy says (no copy, a copy that fails), shown a moment
  QString mostrandoRuta_;      // the file just written, shown a moment
  Preferencias preferencias_;
  QString siguienteAbrir_;     // the answer of the next open dialog (a recent file)
  QString siguienteGuardar_;   // the answer of the next save dialog (Guardar)
  bool ocupado_ = false;
  bool enBucle_ = false;    // the running command has let the window repaint
  bool esperando_ = false;  // a message, file dialog or form waits for the user
  bool refrescando_ = false;
  bool terminado_ = false;
  bool pintando_ = false;
  bool fechaPendiente_ = false;  // a picked delivery date waits to be taken
  ModoEmpaque* empaque_ = nullptr;  // packing with a barcode reader (F9)
};
