#pragma once
// The packing summary: per container the pieces packed in it; per order,
// store and article the pieces ordered, packed (on lines with a container)
// and missing, or over where the line carries no ordered quantity.
#include <QString>
#include <QStringList>
#include <vector>

class Grid;

struct ResumenEmpaque {
  struct Contenedor {
    QString codigo, tienda;
    int lineas = 0;
    qint64 piezas = 0;
  };
  struct Articulo {
    QString orden, tienda, sku, upc, modelo;
    qint64 pedidas = -1;  // -1: no ordered quantity
    qint64 empacadas = 0;
    qint64 faltan() const { return pedidas < 0 ? 0 : pedidas - empacadas; }  // < 0: over
  };
  std::vector<Contenedor> contenedores;  // in the order of their first line
  std::vector<Articulo> articulos;       // by order, store, SKU
  qint64 pedidas = 0, empacadas = 0, faltantes = 0;
  int sinLimite = 0;  // articles without an ordered quantity
};

// From the detail grid as it stands.
ResumenEmpaque resumirEmpaque(const Grid& detalle);

// The summary as lines of text, for the window and the printed page.
QStringList textoResumen(const ResumenEmpaque& r);
