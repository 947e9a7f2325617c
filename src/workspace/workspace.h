#pragma once
// The workspace of the main window Form1: every table, the header fields, the
// lists and the window state the procedures change. The window observes it;
// procedures never reach into a widget.
#include <QDate>
#include <QStringList>
#include <QVector>
#include <functional>
#include <map>
#include <vector>

#include "workspace/clock.h"
#include "workspace/columnas.h"
#include "workspace/comando.h"
#include "workspace/estado_trabajo.h"
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

// The work in EstadoTrabajo (what undo and the recovery copy keep whole),
// the tables beside it, and the rest: services, what a command tells the
// window in passing, and the files the work came from.
class Workspace : public EstadoTrabajo {
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
  // The tables that hold the work (undo and the recovery copy keep them); the
  // file image, the builder's scratch and the settings tables are filled
  // afresh by every command that reads them.
  std::vector<Grid*> tablasDelTrabajo() { return {&vaspread1, &vaSpread5, &vaSpread6, &vaSpread7, &vaSpread9}; }

  // What a command tells the window in passing (no part of the work).
  QString panel[4];          // status-bar panels 1..3 (3: "Cargando...", "Validando...")
  int progreso = 0, progresoMaximo = 0;
  QString foco;              // control that the window must give the focus to
  QString ultimoAviso;       // the notice file the file command last wrote ("" when none yet)

  // True while a split dialog writes its quantities (no quantity limit check).
  bool aplicandoSeparacion = false;

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
  // Called when a command (the outermost frame) begins (true) and when it has
  // ended, its undo step closed (false).
  std::function<void(bool)> alComando;

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
