#pragma once
// Finding a line of the detail grid by one of its codes, as a clerk looks for
// it on a carton or a bar code: the order, the store, the SKU, the UPC/EAN or
// the container, whole or by its beginning.
#include <QString>

class Grid;

enum class CampoBusqueda { Orden, Tienda, Sku, Upc, Contenedor };

struct Busqueda {
  CampoBusqueda campo = CampoBusqueda::Sku;
  QString texto;
  bool exacta = true;  // false: the cell begins with the text
};

// Column of the detail grid that holds the field.
int columnaBusqueda(CampoBusqueda campo);

// The first line after `desde` (before it, going back) whose field matches,
// going round the grid and ending on `desde` itself; 0 when none does.
// Blanks around the text and the cell do not count, nor capitals.
int buscarRenglon(const Grid& detalle, const Busqueda& b, int desde, bool adelante);
