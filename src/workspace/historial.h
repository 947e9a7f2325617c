#pragma once
// Undo and redo. One step per command: while the outermost command frame is
// open the workspace's tables journal the inverse of every change (see
// Grid::Diario), and the window state the procedures change (lists, header
// fields, dates, enabled controls, the work file) is kept as it was before
// and after. A step keeps what changed, not copies of the tables.
#include <QDate>
#include <QString>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "workspace/grid.h"
#include "workspace/resultado.h"

class Workspace;

// The part of the workspace that is no table.
struct EstadoVentana {
  QStringList combos[3];
  QVector<int> datos[3];
  int indices[3] = {};
  QString textos[3];
  QString Text1[8];
  QString Text2;
  QDate fecha, fechaMinima;
  QString cual_grid;
  bool sinvalidar = false;
  std::map<QString, std::tuple<bool, bool, bool>> controles;
  int ultimaInsercion[4] = {};
  QString archivoTrabajo;
  bool sinGuardar = false;

  static EstadoVentana de(const Workspace& ws);
  void poner(Workspace& ws) const;
  bool operator==(const EstadoVentana& o) const;
  // The same for the user: what only follows the focus (which controls take
  // Tab, the grid last focused) left aside.
  bool mismoTrabajo(const EstadoVentana& o) const;
};

class Historial {
 public:
  static constexpr int kPasos = 100;

  explicit Historial(Workspace& ws) : ws_(ws) {}
  Historial(const Historial&) = delete;
  Historial& operator=(const Historial&) = delete;

  // Off until the window turns it on: the batch program keeps no history.
  void activar(bool si);
  bool activo() const { return activo_; }
  // A command begins and ends (frames nest: the outermost one is the step).
  void abrir();
  void cerrar();
  // A save or open during the open step: the workspace is the file's content.
  void guardado() { guardado_ = true; }
  // What the open step does, in the user's words ("escribir cantidad"); the
  // outermost command names it.
  void nombrar(const QString& que);
  // What Deshacer and Rehacer would take back or do again ("" unnamed).
  QString queDeshacer() const { return hechos_.empty() ? QString() : hechos_.back().nombre; }
  QString queRehacer() const { return deshechos_.empty() ? QString() : deshechos_.back().nombre; }

  bool puedeDeshacer() const { return !hechos_.empty(); }
  bool puedeRehacer() const { return !deshechos_.empty(); }
  bool deshacer();
  bool rehacer();
  int pasos() const { return static_cast<int>(hechos_.size()); }
  // Steps kept; the oldest go first.
  int limite = kPasos;

 private:
  struct Paso {
    std::vector<std::pair<Grid*, Grid::Diario>> diarios;
    std::shared_ptr<const EstadoVentana> antes, despues;
    int cursores[2][2] = {};  // detail grid and header table: col, row before the command
    int cursoresDespues[2][2] = {};
    QString nombre;
  };
  std::vector<Grid*> tablas() const;
  std::shared_ptr<const EstadoVentana> estado();
  void cursores(int (&c)[2][2]) const;
  // Applies a step backwards and returns the step that goes forward again.
  Paso aplicar(Paso& p);
  bool pasar(std::deque<Paso>& desde, std::deque<Paso>& hacia);

  Workspace& ws_;
  bool activo_ = false;
  int nivel_ = 0;
  bool omitir_ = false;
  bool guardado_ = false;
  std::vector<Grid::Diario> abiertos_;
  Paso abierto_;
  std::shared_ptr<const EstadoVentana> ultimo_;
  std::deque<Paso> hechos_, deshechos_;
};

// Editar > Deshacer (Ctrl+Z) and Rehacer (Ctrl+Y, Ctrl+Shift+Z).
Resultado deshacer_Click(Workspace& ws);
Resultado rehacer_Click(Workspace& ws);
