#include "editing/busqueda.h"

#include "workspace/grid.h"

int columnaBusqueda(CampoBusqueda campo) {
  switch (campo) {
    case CampoBusqueda::Orden: return 1;
    case CampoBusqueda::Tienda: return 5;
    case CampoBusqueda::Sku: return 6;
    case CampoBusqueda::Upc: return 8;
    case CampoBusqueda::Contenedor: return 15;
  }
  return 1;
}

int buscarRenglon(const Grid& detalle, const Busqueda& b, int desde, bool adelante) {
  const QString buscado = b.texto.trimmed();
  const int n = detalle.dataRowCount();
  if (buscado.isEmpty() || n == 0) return 0;
  const int col = columnaBusqueda(b.campo);
  auto coincide = [&](int fila) {
    const QStringView celda = detalle.vista(col, fila).trimmed();
    if (b.exacta) return celda.compare(buscado, Qt::CaseInsensitive) == 0;
    return celda.startsWith(buscado, Qt::CaseInsensitive);
  };
  int fila = qBound(0, desde, n + 1);
  for (int paso = 0; paso < n; ++paso) {
    fila = adelante ? (fila >= n ? 1 : fila + 1) : (fila <= 1 ? n : fila - 1);
    if (coincide(fila)) return fila;
  }
  return 0;
}
