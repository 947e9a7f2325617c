#pragma once
// The checks of one detail line: whether the file command would refuse it and
// why, and what the notice would write although it looks wrong. One place for
// the checks before a notice, the marks of the detail grid and the documents
// of a shipment, so the three never disagree.
//
// Cheap: a whole detail grid is reviewed in one pass with one hash of its
// containers; reviewing one line afterwards costs a few cell reads.
#include <QHash>
#include <QString>
#include <QStringView>
#include <vector>

class Grid;
class Workspace;

// Why the file command refuses a line. Declared in the order of its checks:
// every quantity is checked before any container, every container before the
// containers are compared across lines.
enum class FallaLinea : unsigned char {
  Ninguna,
  CantidadEnBlanco,   // column 11
  CantidadCero,
  CantidadNoEntera,
  CantidadGrande,     // more pieces than the notice's quantity field holds
  ContenedorEnBlanco, // column 15
  ContenedorLetra,
  ContenedorCorto,
  DosTiendas,         // column 15: its container also goes to another store
  DosDepartamentos,   // ... or to another department
  SumaGrande,         // column 11: its repeated lines, merged, sum more than the field holds
};

// What the notice writes although it looks wrong (bits of RevisionLinea::avisos).
enum AvisoLinea : unsigned char {
  CantidadMayor = 1,  // quantity above the ordered one (column 16)
  VoraridoLargo = 2,  // its order's shipment number over 4 characters
  OrdenLarga = 4,     // its order number over 9 characters
  FacturaLarga = 8,   // its order's invoice over 13 characters
};

struct RevisionLinea {
  FallaLinea cantidad = FallaLinea::Ninguna;
  FallaLinea contenedor = FallaLinea::Ninguna;  // the code itself
  FallaLinea coherencia = FallaLinea::Ninguna;  // against the other lines of its container
  unsigned char avisos = 0;
  bool rechazada() const { return primera() != FallaLinea::Ninguna; }
  FallaLinea primera() const;
};

// How a fault is told: the message and title of its box and the cell to correct.
struct TextoFalla {
  QString mensaje;
  QString titulo;  // empty: the application's default title
  int columna = 0;
};
TextoFalla textoFalla(FallaLinea f);
// One sentence per warning set in `avisos`, in the order of the bits.
QStringList textosAvisos(unsigned char avisos);

// The most pieces the DT record's quantity field holds (its two implied
// decimals take two of its columns).
qint64 maximoCantidad();

// The quantity and container checks alone, on a cell's text.
FallaLinea fallaCantidad(QStringView cantidad);
FallaLinea fallaContenedor(QStringView contenedor);

// The lines of a detail grid under review, with the per-order header table
// for the warnings. What it gathers across lines (the containers, the orders'
// values) is read when it is made: make another after the grids change.
class RevisionDetalle {
 public:
  RevisionDetalle(const Grid& detalle, const Grid& encabezado);
  int lineas() const { return lineas_; }
  RevisionLinea linea(int fila) const;

  // For a follower that keeps the containers itself: the orders' values only.
  struct SinContenedores {};
  RevisionDetalle(const Grid& detalle, const Grid& encabezado, SinContenedores);
  // Line `fila`, given the first line of its container and, when it is that
  // first line, the container's conflict.
  RevisionLinea linea(int fila, int primera, FallaLinea conflicto) const;
  // How line `fila` disagrees with `primera`, the first line of its container.
  FallaLinea comparar(int primera, int fila) const;
  // The warnings each order's header values give its lines (orders without any left out).
  const QHash<QString, unsigned char>& avisosOrdenes() const { return avisosOrden_; }

  // The fault the file command reports first and its row (0: none).
  struct Primera {
    int fila = 0;
    FallaLinea falla = FallaLinea::Ninguna;
  };
  Primera primeraFalla() const;

 private:
  struct Grupo {
    int primera = 0;  // first row of the container
    FallaLinea conflicto = FallaLinea::Ninguna;
  };
  void leerEncabezado(const Grid& encabezado);

  const Grid& g_;
  int lineas_ = 0;
  QHash<QString, Grupo> contenedores_;
  QHash<QString, unsigned char> avisosOrden_;  // order number -> its header's warnings
};

// The first row of the first group of repeated lines (same order, store, SKU
// and container) whose merged quantity would not fit the field; 0 when none.
// The quantities are taken as checked by fallaCantidad.
int filaSumaGrande(const Grid& detalle);

// Shows the fault found on row `fila` of the detail grid as the checks before a
// notice show it: its box, the cursor on its cell, the focus on the grid.
void avisarFalla(Workspace& ws, int fila, FallaLinea falla);
