#pragma once
// The shipment in its own words: who sends it and to whom, when it is
// delivered, its orders, its lines and the containers that carry them.
//
// Every field keeps the text the files carry ("12abc" stays "12abc"), so a
// shipment read from a file and written again is the same file byte for
// byte; typed views (`piezas()`) serve those who compute. Made from the
// workspace by one function (notice/envio_actual.h) and from files by the pure
// readers of this folder; the documents, the notice checker, the send and the
// packing mode read it.
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

// One order line, in the fields of the order files and the detail grid.
struct Linea {
  QString orden, depto, fechaEmbarque, fechaCancelacion, tienda, sku, modelo, upc, color, talla;
  QString cantidad;  // shipped
  QString costo, precio, tipoEntrega, contenedor;
  QString pedida;  // the ordered quantity (the limit of `cantidad`); empty when the file carries none

  // The cells of a detail row, in column order (order, department, ... container,
  // ordered quantity); missing cells are empty, cells past the 16th ignored.
  static Linea deCeldas(const QStringList& celdas);
  QStringList celdas() const;  // the 16 cells
  // The shipped quantity as a whole number (blanks around it allowed); 0
  // when the text is none.
  qint64 piezas() const;
  bool piezasEsNumero() const;
};

// One order of the shipment, as the per-order header table holds it.
struct Orden {
  QString orden, tipoMovimiento, numVorarido, factura, importe, depto, fechaVorarido, fechaCancelacion;
  // Of the shipment's lines: how many are this order's, and their pieces.
  int lineas = 0;
  qint64 piezas = 0;

  static Orden deCeldas(const QStringList& celdas);
  QStringList celdas() const;  // the 8 cells
};

// A container as its lines group it.
struct Contenedor {
  QString codigo, tienda, depto;
  QString tipoEntrega;    // the delivery type its code's first letter gives
  QStringList ordenes;    // orders of its lines, in the notice's order
  std::vector<Linea> lineas;  // by order (the shipment's order of orders), then as they came
  qint64 piezas = 0;
  int numero = 0, deTienda = 0;  // "Contenedor numero de deTienda" among its store's
  int fila = 0;                  // its first line in the detail grid, when made from the workspace
};

// The containers of one store, consecutive in Envio::contenedores.
struct Tienda {
  QString tienda;
  int primero = 0, cuantos = 0;
  int lineas = 0;
  qint64 piezas = 0;
};

struct Envio {
  QString proveedor, cliente, rfc;
  QDate entrega;  // null: not given
  QString hora;   // "hh:mm"; empty: not given
  std::vector<Orden> ordenes;            // as the per-order header table lists them
  std::vector<Contenedor> contenedores;  // by store, then in the order the lines brought them
  std::vector<Tienda> tiendas;           // in the order of their text
  int lineas = 0;
  qint64 piezas = 0;

  // Groups the lines (in the notice's order: by container, repeated lines
  // merged) into containers, keeping only the lines of the shipment's orders;
  // counts lines and pieces per order, container, store and shipment.
  void agrupar(const std::vector<Linea>& lineas);
};
