#pragma once
// The workspace of the main window Form1: every table, the header fields, the
// lists and the window state the procedures change. The window observes it;
// procedures never reach into a widget.
#include <QDate>
#include <QStringList>
#include <QVector>
#include <functional>
#include <map>

#include "workspace/clock.h"
#include "workspace/columnas.h"
#include "workspace/comando.h"
#include "workspace/grid.h"
#include "workspace/historial.h"
#include "workspace/log.h"
#include "workspace/prompter.h"
#include "workspace/resultado.h"
#include "workspace/textfile.h"

// Title of a message box shown without a title of its own.
extern const QString kTituloAplicacion;      // "DUDIZOD"
extern const QString kTituloVentana;         // "AVISO DE VORARIDO ver 9.4"
extern const QString kDireccionFtpOmision;   // designed default FTP server address
extern const QString kCorreoSoporte;         // support address of the work file's line 5

// A drop-down list or combo box of the main window.
struct Lista {
  QStringList entradas;
  QVector<int> datos;  // number attached to each entry (Combo1)
  int indice = -1;     // chosen entry, -1 none
  QString texto;       // the text shown
  void vaciar() { entradas.clear(); datos.clear(); indice = -1; texto.clear(); }
  void agregar(const QString& e, int dato = 0) { entradas.append(e); datos.append(dato); }
};

struct EstadoControl {
  bool habilitado = true;
  bool visible = true;
  bool tabStop = true;
};

class Workspace {
 public:
  Workspace(QString carpetaPrograma, Prompter& prompter, const Reloj& reloj);
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const QString carpeta;  // the program folder
  Prompter& prompter;
  const Reloj& reloj;
  EventLog log;

  // Tables
  Grid vaspread1{QStringLiteral("vaspread1"), Grid::kLimiteRenglones, colDetalle::Pedida};  // detail grid
  Grid vaSpread2{QStringLiteral("vaSpread2"), Grid::kLimiteRenglones, 3};   // client settings
  Grid vaSpread3{QStringLiteral("vaSpread3"), Grid::kLimiteRenglones, 256}; // file image
  Grid vaSpread4{QStringLiteral("vaSpread4"), Grid::kLimiteRenglones, 3};   // application settings
  Grid vaSpread5{QStringLiteral("vaSpread5"), Grid::kLimiteRenglones, 15};  // order summary / scratch
  Grid vaSpread6{QStringLiteral("vaSpread6"), Grid::kLimiteRenglones, colDetalle::Almacen};  // order line store
  Grid vaSpread7{QStringLiteral("vaSpread7"), Grid::kLimiteRenglones, colDetalle::Pedida};  // holds no data
  Grid vaSpread8{QStringLiteral("vaSpread8"), Grid::kLimiteRenglones, 64};  // builder's scratch
  Grid vaSpread9{QStringLiteral("vaSpread9"), Grid::kLimiteRenglones, colPedidos::Ultima};   // per-order header table

  // Lists and header fields
  Lista Combo1;  // movement type list
  Lista Combo2;  // order list
  Lista Combo3;  // delivery hour
  QString Text1[8];  // 1..7 used
  QString Text2;
  QDate DTPicker1_4;         // delivery date
  QDate DTPicker1_4_minimo;  // earliest date offered
  QString cual_grid;         // "1" or "9": grid that last had the focus
  bool sinvalidar = false;   // checks of the detail grid suspended
  QString panel[4];          // status-bar panels 1..3 (3: "Cargando...", "Validando...")
  int progreso = 0, progresoMaximo = 0;
  QString foco;              // control that the window must give the focus to
  QString ultimoAviso;       // the notice file the file command last wrote ("" when none yet)

  // Last-insertion record of the row commands, read by duplicarspread6.
  struct UltimaInsercion {
    int filaInsertada = 0;   // row at which the blank row was inserted
    int limiteFilas = 0;     // row limit of vaspread1 after the insertion
    int filaOrigen = 0;      // row whose copy duplicarrenglon made
    int filaDuplicada = 0;   // active row once the copy target was selected
  } ultimaInsercion;
  // True while a split dialog writes its quantities (no quantity limit check).
  bool aplicandoSeparacion = false;

  // Enabled / visible / tab-stop state of named controls, menus and toolbar images.
  std::map<QString, EstadoControl> controles;
  void habilitar(const QString& control, bool si) { controles[control].habilitado = si; }
  bool habilitado(const QString& control) const;
  void mostrar(const QString& control, bool si) { controles[control].visible = si; }
  void tabStop(const QString& control, bool si) { controles[control].tabStop = si; }

  // Services
  void EscribirLog(const QString& texto) { log.EscribirLog(texto); }
  Respuesta MsgBox(const QString& texto, Botones botones = Botones::Ok, const QString& titulo = QString(),
                   Icono icono = Icono::Ninguno);
  // "Error inesperado #" with the error number and description, shown and logged.
  void errorInesperado(int numero, const QString& descripcion);
  void errorInesperado(const texto::Resultado& r) { errorInesperado(r.numero, r.descripcion); }
  // Refuses (with a message) when `renglones` rows would not fit in `grid`.
  bool cabeEnLimite(const Grid& grid, int renglones);
  // DoEvents: lets the window repaint, at most once every pausaDoEvents
  // milliseconds (0: at every call, so a test sees every step).
  void doEvents();
  int pausaDoEvents = 40;
  // The busy pointer; commands set it through their frame (Comando).
  void ocupado(bool si) {
    ocupado_ = si;
    prompter.cursorOcupado(si);
  }
  bool estaOcupado() const { return ocupado_; }
  // The innermost command frame open, none between commands.
  Comando* comandoAbierto = nullptr;
  // Moves a visible grid's cursor and asks the window to show it.
  void cursor(Grid& g, int col, int row) { g.setActiveCell(col, row); }
  QString ruta(const QString& archivo) const { return carpeta + QLatin1Char('/') + archivo; }

  // Called by the window after a command to show the state.
  std::function<void()> alCambiar;

  // The work file last opened or saved (empty: none), and whether the
  // workspace holds changes that no save has kept yet.
  QString archivoTrabajo;
  bool sinGuardar = false;
  // The order file last imported (empty: none): no save replaces it.
  QString archivoPedidos;
  // Whether `ruta`, chosen in a save dialog, is a file the work came from:
  // the order file imported, or (`conTrabajo`) the work file open, which only
  // a save of the work itself replaces. Then it says so and is true.
  bool esEntrada(const QString& ruta, bool conTrabajo, const QString& titulo);
  // The notice or work file a command has just written (the window shows
  // where, a moment, and empties it).
  QString archivoEscrito;
  // The work file a command has just opened (the window brings back the
  // hour it was saved with, and empties it).
  QString archivoAbierto;
  // A save or an open made the workspace the file's content.
  void trabajoGuardado(const QString& ruta) {
    archivoTrabajo = ruta;
    sinGuardar = false;
    historial.guardado();
  }
  // Undo and redo of the commands (off unless the window turns it on).
  Historial historial{*this};

 private:
  qint64 ultimoDoEvents_ = 0;
  bool ocupado_ = false;
};

// Sets the tables' designed contents (headers, settings labels and defaults).
void disenoInicial(Workspace& ws);

// New (Archivo > Nuevo, b_nuevo): clears the workspace.
Resultado nuevaforma_Click(Workspace& ws);
Resultado b_nuevo_Click(Workspace& ws);
