// Finding a line by one of its codes, and the totals of a shipment.
#include "editing/busqueda.h"
#include "editing/totales.h"
#include "workspace/grid.h"

#include <gtest/gtest.h>

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

// Order, store, SKU, UPC, quantity, container of each line.
void detalle(Grid& g, const QVector<QStringList>& lineas) {
  for (int r = 0; r < lineas.size(); ++r) {
    const QStringList& l = lineas[r];
    for (auto [col, i] : {std::pair{1, 0}, {5, 1}, {6, 2}, {8, 3}, {11, 4}, {15, 5}}) g.setText(col, r + 1, l[i]);
  }
}

const QVector<QStringList> kEnvio = {
    {Q("4500000001"), Q("0101"), Q("SKU-10"), Q("7501000000011"), Q("5"), Q("A00000001")},
    {Q("4500000001"), Q("0102"), Q("SKU-11"), Q("7501000000028"), Q("7"), Q("A00000002")},
    {Q("4500000002"), Q("0101"), Q("sku-100"), Q("7501000000035"), Q(" 3 "), Q("A00000001")},
    {Q("4500000002"), Q("0101"), Q("SKU-12"), Q("7501000000042"), Q("2x"), Q("")},
};

TEST(BusquedaTest, CadaCampoExactoOPorElPrincipioYDandoLaVuelta) {
  Grid g;
  detalle(g, kEnvio);
  struct Caso {
    CampoBusqueda campo;
    const char* texto;
    bool exacta, adelante;
    int desde, fila;
  } casos[] = {
      {CampoBusqueda::Sku, "sku-10", true, true, 0, 1},       // capitals do not count
      {CampoBusqueda::Sku, "SKU-10", false, true, 1, 3},      // by its beginning: SKU-100 is next
      {CampoBusqueda::Sku, "SKU-1", false, true, 4, 1},       // goes round
      {CampoBusqueda::Sku, "SKU-1", false, false, 1, 4},      // backwards, round
      {CampoBusqueda::Sku, " SKU-12 ", true, true, 0, 4},     // blanks around do not count
      {CampoBusqueda::Sku, "SKU-1", true, true, 0, 0},        // whole: none
      {CampoBusqueda::Orden, "4500000002", true, true, 3, 4},
      {CampoBusqueda::Tienda, "0102", true, true, 2, 2},      // only itself: found on the start line
      {CampoBusqueda::Upc, "750100000003", false, true, 0, 3},
      {CampoBusqueda::Contenedor, "a00000001", true, true, 1, 3},
      {CampoBusqueda::Contenedor, "", false, true, 0, 0},     // nothing to look for
  };
  for (const Caso& c : casos) {
    const Busqueda b{c.campo, Q(c.texto), c.exacta};
    EXPECT_EQ(buscarRenglon(g, b, c.desde, c.adelante), c.fila) << c.texto << " desde " << c.desde;
  }
  Grid una;  // the only line is found from itself
  detalle(una, {kEnvio[0]});
  EXPECT_EQ(buscarRenglon(una, {CampoBusqueda::Sku, Q("SKU-10"), true}, 1, true), 1);
}

TEST(TotalesTest, EnvioOrdenYContenedorDeUnRenglon) {
  for (const auto& [q, n] : {std::pair<const char*, qint64>{"", 0}, {" 12 ", 12}, {"999999999999", 999999999999}, {"1000000000000", 0}, {"2x", 0}})
    EXPECT_EQ(piezasDe(QString::fromUtf8(q)), n) << q;
  Grid g;
  detalle(g, kEnvio);
  // Pieces count whole quantities only; the line without container adds none.
  Totales t = contarEnvio(g, 3);
  EXPECT_EQ(t.envio, (Cuenta{4, 15, 2}));
  EXPECT_EQ(t.orden, (Cuenta{2, 3, 1}));
  EXPECT_EQ(t.contenedor, (Cuenta{2, 8, 1}));
  t = contarEnvio(g, 4);
  EXPECT_EQ(t.contenedor, Cuenta{});
  t = contarEnvio(g, 0);
  EXPECT_EQ(t.orden, Cuenta{});
  EXPECT_EQ(contarEnvio(Grid(), 1).envio, Cuenta{});
}

}  // namespace
