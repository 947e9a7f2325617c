#pragma once
// Undo and redo. One step per command: while the outermost command frame is
// open the workspace's tables journal the inverse of every change (see
// Grid::Diario), and the rest of the work (EstadoTrabajo, whole) is kept as
// it was before and after. A step keeps what changed, not copies of the tables.
#include <QDate>
#include <QString>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "workspace/estado_trabajo.h"
#include "workspace/grid.h"
#include "workspace/resultado.h"

class Workspace;

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
    std::shared_ptr<const EstadoTrabajo> antes, despues;
    int cursores[2][2] = {};  // detail grid and header table: col, row before the command
    int cursoresDespues[2][2] = {};
    QString nombre;
  };
  std::shared_ptr<const EstadoTrabajo> estado();
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
  std::shared_ptr<const EstadoTrabajo> ultimo_;
  std::deque<Paso> hechos_, deshechos_;
};

// Editar > Deshacer (Ctrl+Z) and Rehacer (Ctrl+Y, Ctrl+Shift+Z).
Resultado deshacer_Click(Workspace& ws);
Resultado rehacer_Click(Workspace& ws);
