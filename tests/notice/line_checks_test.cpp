#include "notice/line_checks.h"

#include "shipment.h"

namespace {

using F = FallaLinea;

// One line per case, laid into one grid: quantity, ordered quantity, container,
// store, order; what the review of that line must say.
struct Caso {
  const char* cantidad;
  const char* pedida;
  const char* contenedor;
  const char* tienda;
  const char* orden;
  F cantidadFalla, contenedorFalla, coherencia;
  unsigned char avisos;
};

const Caso kCasos[] = {
    {"24", "100", "A123456789", "1", "12345678", F::Ninguna, F::Ninguna, F::Ninguna, 0},
    {" ", "100", "A123456789", "1", "12345678", F::CantidadEnBlanco, F::Ninguna, F::Ninguna, 0},
    {"00", "100", "A123456789", "1", "12345678", F::CantidadCero, F::Ninguna, F::Ninguna, 0},
    {"-0.0", "100", "A123456789", "1", "12345678", F::CantidadCero, F::Ninguna, F::Ninguna, 0},
    {"2.5", "100", "A123456789", "1", "12345678", F::CantidadNoEntera, F::Ninguna, F::Ninguna, 0},
    {"12ab", "", "A123456789", "1", "12345678", F::CantidadNoEntera, F::Ninguna, F::Ninguna, 0},
    {"101", "100", "A123456789", "1", "12345678", F::Ninguna, F::Ninguna, F::Ninguna, CantidadMayor},
    {"0101", "0100", "A123456789", "1", "12345678", F::Ninguna, F::Ninguna, F::Ninguna, CantidadMayor},
    {"99", "100 piezas", "A123456789", "1", "12345678", F::Ninguna, F::Ninguna, F::Ninguna, 0},
    {"101", "100 piezas", "A123456789", "1", "12345678", F::Ninguna, F::Ninguna, F::Ninguna, CantidadMayor},
    {"5000", "", "A123456789", "1", "12345678", F::Ninguna, F::Ninguna, F::Ninguna, 0},
    {"1", "100", "  ", "1", "12345678", F::Ninguna, F::ContenedorEnBlanco, F::Ninguna, 0},
    {"1", "100", "a12345678", "1", "12345678", F::Ninguna, F::ContenedorLetra, F::Ninguna, 0},
    {"1", "100", " A12345678", "1", "12345678", F::Ninguna, F::ContenedorLetra, F::Ninguna, 0},
    {"1", "100", "A1234567 ", "1", "12345678", F::Ninguna, F::ContenedorCorto, F::Ninguna, 0},
    {"1", "100", "A1234567 ", "2", "12345678", F::Ninguna, F::ContenedorCorto, F::Ninguna, 0},  // not compared
    // B...: its first line is in conflict too, with the first line that disagrees.
    {"1", "100", "B00000001", "1", "12345678", F::Ninguna, F::Ninguna, F::DosDepartamentos, 0},
    {"1", "100", "B00000001", "1", "12345678", F::Ninguna, F::Ninguna, F::Ninguna, 0},
    {"1", "100", "B00000001", "1", "", F::Ninguna, F::Ninguna, F::DosDepartamentos, 0},  // depto 9 below
    {"1", "100", "B00000001", "2", "12345678", F::Ninguna, F::Ninguna, F::DosTiendas, 0},
    // Orders of the per-order header table with values too long for their fields.
    {"1", "100", "C00000001", "1", "1234567890", F::Ninguna, F::Ninguna, F::Ninguna, OrdenLarga | VoraridoLargo},
    {"1", "100", "C00000001", "1", "22222222", F::Ninguna, F::Ninguna, F::Ninguna, FacturaLarga},
    // The DT record's quantity field takes 99,999,999 pieces (two of its ten columns are decimals).
    {"99999999", "", "E00000001", "1", "12345678", F::Ninguna, F::Ninguna, F::Ninguna, 0},
    {"0000000099999999", "", "E00000001", "1", "12345678", F::Ninguna, F::Ninguna, F::Ninguna, 0},
    {"100000000", "", "E00000001", "1", "12345678", F::CantidadGrande, F::Ninguna, F::Ninguna, 0},
    {"123456789", "", "E00000001", "1", "12345678", F::CantidadGrande, F::Ninguna, F::Ninguna, 0},
    {"99999999999999999999", "", "E00000001", "1", "12345678", F::CantidadGrande, F::Ninguna, F::Ninguna, 0},
    // The last line is a line like the others.
    {"1", "100", "F00000001", "1", "12345678", F::Ninguna, F::Ninguna, F::DosTiendas, 0},
    {"1", "100", "F00000001", "2", "12345678", F::Ninguna, F::Ninguna, F::DosTiendas, 0},
};

TEST(LineChecks, EveryRuleOnItsOwnLine) {
  Grid detalle(QStringLiteral("vaspread1"), Grid::kLimiteRenglones, 16);
  Grid encabezado(QStringLiteral("vaSpread9"), Grid::kLimiteRenglones, 8);
  encabezado.setRowTexts(1, {QStringLiteral("12345678"), QStringLiteral("Alta"), QStringLiteral("1234"),
                             QStringLiteral("1234567890123")});
  encabezado.setRowTexts(2, {QStringLiteral("1234567890"), QStringLiteral("Alta"), QStringLiteral("12345")});
  encabezado.setRowTexts(3, {QStringLiteral("22222222"), QStringLiteral("Alta"), QStringLiteral("7"),
                             QStringLiteral("12345678901234")});
  int r = 0;
  for (const Caso& c : kCasos) {
    Linea l = lineaDePrueba();
    l.cantidad = Q(c.cantidad);
    l.pedida = Q(c.pedida);
    l.contenedor = Q(c.contenedor);
    l.tienda = Q(c.tienda);
    l.orden = Q(c.orden);
    if (l.orden.isEmpty()) l.depto = QStringLiteral("9");
    detalle.setRowTexts(++r, l.celdas());
  }
  const RevisionDetalle revision(detalle, encabezado);
  ASSERT_EQ(revision.lineas(), r);
  for (int i = 1; i <= r; ++i) {
    const Caso& c = kCasos[i - 1];
    const RevisionLinea l = revision.linea(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(l.cantidad, c.cantidadFalla);
    EXPECT_EQ(l.contenedor, c.contenedorFalla);
    EXPECT_EQ(l.coherencia, c.coherencia);
    EXPECT_EQ(l.avisos, c.avisos);
    EXPECT_EQ(l.rechazada(), c.cantidadFalla != F::Ninguna || c.contenedorFalla != F::Ninguna ||
                                 c.coherencia != F::Ninguna);
  }
  // The file command's order: every quantity, then every container, then the
  // containers across lines, each time the first line.
  EXPECT_EQ(revision.primeraFalla().fila, 2);
  EXPECT_EQ(revision.primeraFalla().falla, F::CantidadEnBlanco);
  for (int i : {2, 3, 4, 5, 6, 25, 26, 27}) detalle.setText(11, i, QStringLiteral("1"));
  EXPECT_EQ(RevisionDetalle(detalle, encabezado).primeraFalla().fila, 12);
  for (int i : {12, 13, 14, 15, 16}) detalle.setText(15, i, QStringLiteral("D1234567%1").arg(i));
  const RevisionDetalle::Primera p = RevisionDetalle(detalle, encabezado).primeraFalla();
  EXPECT_EQ(p.fila, 17);
  EXPECT_EQ(p.falla, F::DosDepartamentos);

  EXPECT_EQ(textoFalla(F::CantidadNoEntera).titulo, QStringLiteral("Datos incorrectos"));
  EXPECT_EQ(textoFalla(F::DosTiendas).columna, 15);
  EXPECT_EQ(textosAvisos(CantidadMayor | OrdenLarga | VoraridoLargo | FacturaLarga).size(), 4);
  EXPECT_EQ(maximoCantidad(), 99999999);
  EXPECT_EQ(textoFalla(F::CantidadGrande).columna, 11);
  EXPECT_EQ(textoFalla(F::SumaGrande).columna, 11);
}

// Repeated lines (order, store, SKU, container) are merged into one DT
// record: their sum must fit the field as each quantity does.
TEST(LineChecks, MergedQuantitiesMustFitTheField) {
  struct Fila {
    const char *orden, *sku, *contenedor, *cantidad;
  };
  struct Caso {
    std::vector<Fila> filas;
    int fila;  // the first row of the first group too large, 0: none
  } casos[] = {
      {{{"1", "10", "A00000001", "99999999"}}, 0},
      {{{"1", "10", "A00000001", "50000000"}, {"1", "10", "A00000001", "49999999"}}, 0},
      {{{"1", "10", "A00000001", "50000000"}, {"1", "10", "A00000001", "50000000"}}, 1},
      // Another SKU, order or container is another record.
      {{{"1", "10", "A00000001", "50000000"}, {"1", "11", "A00000001", "50000000"},
        {"2", "10", "A00000001", "50000000"}, {"1", "10", "A00000002", "50000000"}}, 0},
      {{{"1", "11", "A00000001", "1"}, {"1", "10", "A00000001", "60000000"}, {"1", "11", "A00000001", "99999999"},
        {"1", "10", "A00000001", "60000000"}}, 1},
      {{{"1", "12", "A00000001", "1"}, {"1", "10", "A00000001", "60000000"}, {"1", "10", "A00000001", "60000000"}}, 2},
  };
  for (const Caso& c : casos) {
    Grid detalle(QStringLiteral("vaspread1"), Grid::kLimiteRenglones, 16);
    int r = 0;
    for (const Fila& f : c.filas) {
      Linea l = lineaDePrueba();
      l.orden = Q(f.orden);
      l.sku = Q(f.sku);
      l.contenedor = Q(f.contenedor);
      l.cantidad = Q(f.cantidad);
      detalle.setRowTexts(++r, l.celdas());
    }
    SCOPED_TRACE(c.filas.size());
    EXPECT_EQ(filaSumaGrande(detalle), c.fila);
  }
}

}  // namespace
