#pragma once
// The marks of the detail grid: which cells hold what the file command would
// refuse (errors) and what the notice writes although it looks wrong
// (warnings), from the shared line checks; and the totals of the shipment,
// of an order and of a container. Painting and tool tips read them cell by
// cell.
//
// They follow the grids: a changed cell re-checks its line and the lines of
// the containers it leaves and joins (their first line decides the store and
// department they go to), and the totals move by that line's difference; a
// change of the per-order table re-checks the lines of the orders whose
// warnings changed. Rows inserted, removed or reordered, a grid refilled (a
// command's frame ends) or more changed lines than a pass costs: one review
// of every line. Changes are gathered and applied when asked (seguir).
#include <QHash>
#include <QString>
#include <memory>
#include <unordered_map>
#include <vector>

#include "editing/totales.h"
#include "notice/line_checks.h"
#include "workspace/grid.h"

enum class Marca : unsigned char { Ninguna, Aviso, Error };

class MarcasDetalle {
 public:
  // Follows `detalle` and its per-order table `encabezado` (both outlive it).
  MarcasDetalle(Grid& detalle, Grid& encabezado);
  ~MarcasDetalle();
  MarcasDetalle(const MarcasDetalle&) = delete;
  MarcasDetalle& operator=(const MarcasDetalle&) = delete;

  // Reviews every line again.
  void revisar();
  // True when the grids changed since the marks were last brought up to date.
  bool pendiente() const { return todo_ || encabezado_ || !cambiadas_.empty(); }
  // Brings the marks and totals up to date with what changed.
  void seguir();

  Marca marca(int col, int fila) const;
  // What is wrong with the cell, one sentence a line; empty when unmarked.
  QString tip(int col, int fila) const;
  // The first marked line after `fila`, going round; 0 when none.
  int siguiente(int fila) const;
  // The marked cell of a line where the cursor may rest (quantity or container).
  int columnaMarcada(int fila) const;

  int errores() const { return errores_; }
  int avisos() const { return avisos_; }
  // The totals as contarEnvio counts them, for line `fila`.
  Totales totales(int fila) const;
  // The review of line `fila` (none out of the lines).
  const RevisionLinea* linea(int fila) const;
  // Lines re-checked by the last seguir, and whether it reviewed them all.
  int revisadas() const { return revisadas_; }
  bool completa() const { return completa_; }

 private:
  class Observador;
  // What a line adds to the containers and the totals.
  struct Renglon {
    QString contenedor;  // as typed: the key of its container's lines
    QString recortado;   // without blanks around: what the totals count
    QString orden;
    qint64 piezas = 0;
    RevisionLinea r;
  };
  struct Acumulado {
    int lineas = 0;
    qint64 piezas = 0;
  };
  struct DeOrden {
    int lineas = 0;
    qint64 piezas = 0;
    QHash<QString, int> contenedores;  // trimmed code -> its lines in the order
  };

  void cambio(int fila1, int fila2);
  void sumar(int fila, int signo);
  void ponerRevision(int fila, const RevisionLinea& r);
  void revisarGrupo(const QString& clave, const RevisionDetalle& rev);
  void leerRenglon(int fila, Renglon& r) const;
  void ajustarLineas(int n, std::vector<int>& cambiadas);
  void seguirEncabezado(const RevisionDetalle& rev, std::vector<int>& cambiadas);

  const Grid& detalle_;
  const Grid& encabezado_grid_;
  std::unique_ptr<Observador> obsDetalle_, obsEncabezado_;
  std::vector<Renglon> lineas_;
  // Lines of each container code (as typed), in row order.
  QHash<QString, std::vector<int>> grupos_;
  QHash<QString, Acumulado> porContenedor_;  // trimmed non-empty code
  QHash<QString, DeOrden> porOrden_;
  QHash<QString, unsigned char> avisosOrden_;
  qint64 piezas_ = 0;
  int errores_ = 0;
  int avisos_ = 0;
  // Pending: every line, the per-order table, or these lines.
  bool todo_ = true;
  bool encabezado_ = false;
  std::vector<int> cambiadas_;
  int revisadas_ = 0;
  bool completa_ = false;
};
