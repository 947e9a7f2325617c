#pragma once
// The retailer's order files, read from their bytes: the comma-separated
// ".inf" file and the tab-delimited text file. One line each (the first is
// the heading), fields in the order of Linea. No quoting: a comma of an
// ".inf" line always separates, and a tab inside a field splits it too.
#include <QByteArray>
#include <QStringList>
#include <vector>

#include "envio/envio.h"
#include "envio/lectura.h"

struct ArchivoPedidos {
  // Every line with its fields joined by TAB (for an ".inf" file, the tab
  // copy), the heading first; blank lines at the end left out.
  QStringList lineas;
  Falla falla;

  // The order lines (the heading left out), as Linea.
  std::vector<Linea> pedidos() const;
};

// Reads an ".inf" order file (fields separated by commas) or a tab-delimited
// one (`separador` TAB). Faults: bytes that are no text (line and column of
// the first bad byte), no line at all, a last line that ends without its
// line end and has fewer fields than the line before it (an interrupted
// copy; a cut inside the last field cannot be told from a whole line). A
// final end-of-file mark Ctrl+Z is no part of the text.
ArchivoPedidos leerPedidos(QByteArray bytes, char separador);
inline ArchivoPedidos leerPedidosInf(QByteArray bytes) { return leerPedidos(std::move(bytes), ','); }
inline ArchivoPedidos leerPedidosTab(QByteArray bytes) { return leerPedidos(std::move(bytes), '\t'); }
