#pragma once
// The work that is no table: the lists, the header fields, the dates, which
// controls are open, the work file. One value, copied whole: undo keeps it as
// it was before and after each command, the recovery copy writes it, and a
// field added here goes with both without another line anywhere.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <array>
#include <map>
#include <tuple>

// A drop-down list or combo box of the main window.
struct Lista {
  QStringList entradas;
  QVector<int> datos;  // number attached to each entry (Combo1)
  int indice = -1;     // chosen entry, -1 none
  QString texto;       // the text shown
  void vaciar() { entradas.clear(); datos.clear(); indice = -1; texto.clear(); }
  void agregar(const QString& e, int dato = 0) { entradas.append(e); datos.append(dato); }
  bool operator==(const Lista& o) const {
    // QVector's own == hands memcmp a null pointer when one side was never filled.
    return entradas == o.entradas && datos.size() == o.datos.size() &&
           std::equal(datos.cbegin(), datos.cend(), o.datos.cbegin()) && indice == o.indice && texto == o.texto;
  }
  bool operator!=(const Lista& o) const { return !(*this == o); }
};

struct EstadoControl {
  bool habilitado = true;
  bool visible = true;
  bool tabStop = true;
  bool operator==(const EstadoControl& o) const {
    return habilitado == o.habilitado && visible == o.visible && tabStop == o.tabStop;
  }
  bool operator!=(const EstadoControl& o) const { return !(*this == o); }
};

struct EstadoTrabajo {
  // Last-insertion record of the row commands, read by duplicarspread6.
  struct UltimaInsercion {
    int filaInsertada = 0;   // row at which the blank row was inserted
    int limiteFilas = 0;     // row limit of vaspread1 after the insertion
    int filaOrigen = 0;      // row whose copy duplicarrenglon made
    int filaDuplicada = 0;   // active row once the copy target was selected
    bool operator==(const UltimaInsercion& o) const {
      return filaInsertada == o.filaInsertada && limiteFilas == o.limiteFilas && filaOrigen == o.filaOrigen &&
             filaDuplicada == o.filaDuplicada;
    }
    bool operator!=(const UltimaInsercion& o) const { return !(*this == o); }
  };

  Lista Combo1;  // movement type list
  Lista Combo2;  // order list
  Lista Combo3;  // delivery hour
  std::array<QString, 8> Text1;  // 1..7 used
  QString Text2;
  QDate DTPicker1_4;         // delivery date
  QDate DTPicker1_4_minimo;  // earliest date offered
  QString cual_grid;         // "1" or "9": grid that last had the focus
  bool sinvalidar = false;   // checks of the detail grid suspended
  // Enabled / visible / tab-stop state of named controls, menus and toolbar images.
  std::map<QString, EstadoControl> controles;
  UltimaInsercion ultimaInsercion;
  // The work file last opened or saved (empty: none), and whether the
  // workspace holds changes that no save has kept yet.
  QString archivoTrabajo;
  bool sinGuardar = false;

  // Every field, then what only follows the focus (which controls take Tab,
  // the grid last focused): the same work for the user when the first part is equal.
  bool operator==(const EstadoTrabajo& o) const;
  bool operator!=(const EstadoTrabajo& o) const { return !(*this == o); }
  bool mismoTrabajo(const EstadoTrabajo& o) const;
};

// Every field of `e`, by reference: first the work, then what only follows
// the focus. A field added to EstadoTrabajo stops this from compiling until
// it is named here, so no comparison (and no test that walks the fields) can
// leave it out.
template <class E>
auto partesDelTrabajo(E& e) {
  auto& [Combo1, Combo2, Combo3, Text1, Text2, fecha, fechaMinima, cual_grid, sinvalidar, controles, ultimaInsercion,
         archivoTrabajo, sinGuardar] = e;
  return std::make_pair(std::tie(Combo1, Combo2, Combo3, Text1, Text2, fecha, fechaMinima, sinvalidar, ultimaInsercion,
                                 archivoTrabajo, sinGuardar),
                        std::tie(cual_grid, controles));
}

template <class E>
auto camposDelTrabajo(E& e) {
  const auto p = partesDelTrabajo(e);
  return std::tuple_cat(p.first, p.second);
}

inline bool EstadoTrabajo::operator==(const EstadoTrabajo& o) const {
  return partesDelTrabajo(*this) == partesDelTrabajo(o);
}

inline bool EstadoTrabajo::mismoTrabajo(const EstadoTrabajo& o) const {
  return partesDelTrabajo(*this).first == partesDelTrabajo(o).first;
}
