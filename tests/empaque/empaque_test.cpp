// The scan rules of the packing mode: which line a scan reaches, what it
// refuses, and what one undo step takes back.
#include <gtest/gtest.h>

#include "empaque/empaque.h"
#include "empaque/gtin.h"
#include "empaque/resumen_empaque.h"
#include "fixture.h"

namespace {

// Articles of the shipment below (valid check digits).
const char* const kA = "7501000000029";  // SKU S1, stores 0101 and 0102
const char* const kB = "750100000010";   // SKU S2, a UPC-A of 12 digits, 0101
const char* const kC = "7501000000043";  // SKU S3, order O2 without an ordered quantity
const char* const kD = "7501000000104";  // SKU S4, packed by hand already

class EmpaqueTest : public WorkspaceTest {
 protected:
  EmpaqueTest() { cargar(); }

  void cargar() {
    // order, store, SKU, UPC, quantity, container, ordered
    const char* const lineas[][7] = {
        {"O1", "0101", "S1", kA, "6", "", "6"},     {"O1", "0102", "S1", kA, "4", "", "4"},
        {"O1", "0101", "S2", kB, "24", "", "24"},   {"O2", "0101", "S3", kC, "5", "", ""},
        {"O1", "0101", "S4", kD, "2", "C000000009", "2"},
    };
    int r = 0;
    for (const auto& l : lineas) {
      ++r;
      for (Grid* g : {&ws->vaspread1, &ws->vaSpread6}) {
        g->setText(colDetalle::Orden, r, Q(l[0]));
        g->setText(colDetalle::Depto, r, QStringLiteral("123"));
        g->setText(colDetalle::Tienda, r, Q(l[1]));
        g->setText(colDetalle::Sku, r, Q(l[2]));
        g->setText(colDetalle::Upc, r, Q(l[3]));
        g->setText(colDetalle::Cantidad, r, Q(l[4]));
        g->setText(colDetalle::Contenedor, r, Q(l[5]));
      }
      ws->vaspread1.setText(colDetalle::Pedida, r, Q(l[6]));
    }
  }

  // Every line as "order store SKU quantity container".
  QStringList lineas(const Grid& g) const {
    QStringList t;
    for (int r = 1; r <= g.dataRowCount(); ++r)
      t << QStringList{g.text(colDetalle::Orden, r), g.text(colDetalle::Tienda, r), g.text(colDetalle::Sku, r),
                       g.text(colDetalle::Cantidad, r), g.text(colDetalle::Contenedor, r)}
               .join(QLatin1Char(' '));
    return t;
  }
};

TEST(GtinTest, ClavesYDigitoVerificador) {
  struct Caso {
    const char* texto;
    const char* gtin;  // nullptr: no article code
    const char* upc;   // nullptr: no UPC cell
    bool verificador;
  } casos[] = {
      {"7501000000029", "7501000000029", "7501000000029", true},
      {"07501000000029", "7501000000029", "7501000000029", true},  // GTIN-14 of the same article
      {" 750100000010 ", "750100000010", "750100000010", true},
      {"0750100000010", "750100000010", "750100000010", true},     // UPC-A read as an EAN-13
      {"40063812", "40063812", "40063812", true},                  // EAN-8
      {"7501000000025", "7501000000025", "7501000000025", false},  // misread
      {"4006382", nullptr, "4006382", false},                      // 7 digits: no GTIN
      {"123456789012345", nullptr, nullptr, false},                // 15 digits
      {"75010000A0029", nullptr, nullptr, false},
      {"", nullptr, nullptr, false},
      {"00000000", "0", "0", true},      {"0", nullptr, "0", false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.texto);
    const QString gtin = claveGtin(Q(c.texto)), upc = claveUpc(Q(c.texto));
    EXPECT_EQ(gtin.isNull(), c.gtin == nullptr);
    if (c.gtin) EXPECT_EQ(gtin, Q(c.gtin));
    EXPECT_EQ(upc.isNull(), c.upc == nullptr);
    if (c.upc) EXPECT_EQ(upc, Q(c.upc));
    EXPECT_EQ(digitoVerificadorBueno(Q(c.texto)), c.verificador);
  }
}

// Scans in order; the lines they leave and what the last one said.
TEST_F(EmpaqueTest, EscaneosYRenglones) {
  const QString a = Q(kA), b = Q(kB), c = Q(kC), d = Q(kD);
  struct Caso {
    const char* nombre;
    QStringList escaneos;  // "TIENDA x" says the store
    QStringList lineas;    // afterwards
    bool ultimoAceptado;
    const char* mensaje;   // part of the last scan's message
  } casos[] = {
      {"un artículo de una sola tienda da la tienda al contenedor",
       {QStringLiteral("A000000001"), b, b},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 2 A000000001"), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       true, "renglón 3, tienda 0101, orden O1, SKU S2: 2 en este contenedor / 24 pedidas"},
      {"N* suma varias piezas y cuenta como GTIN con ceros",
       {QStringLiteral("A000000001"), QStringLiteral("6*0") + b, QStringLiteral("2*"), b},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 8 A000000001"), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       true, "+2 750100000010: renglón 3"},
      {"el artículo que pasa a otro contenedor hace un renglón nuevo debajo del suyo",
       {QStringLiteral("A000000001"), b, QStringLiteral("A000000002"), QStringLiteral("3*") + b},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 1 A000000001"), Q("O1 0101 S2 3 A000000002"), Q("O2 0101 S3 5 "),
        Q("O1 0101 S4 2 C000000009")},
       true, "renglón 4"},
      {"volver a un contenedor lo sigue llenando",
       {QStringLiteral("A000000001"), b, QStringLiteral("A000000002"), b, QStringLiteral("A000000001"), b},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 2 A000000001"), Q("O1 0101 S2 1 A000000002"), Q("O2 0101 S3 5 "),
        Q("O1 0101 S4 2 C000000009")},
       true, "2 en este contenedor"},
      {"la copia en otro contenedor deja al primero lo que tenía",
       {QStringLiteral("A000000001"), b, QStringLiteral("A000000002"), b, QStringLiteral("A000000001")},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 1 A000000001"), Q("O1 0101 S2 1 A000000002"), Q("O2 0101 S3 5 "),
        Q("O1 0101 S4 2 C000000009")},
       true, "Contenedor A000000001 (tienda 0101, 1 pieza): se sigue llenando."},
      {"más de lo pedido se rechaza y no cambia nada",
       {QStringLiteral("A000000001"), QStringLiteral("TIENDA 0102"), QStringLiteral("4*") + a, a},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 A000000001"), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "más de lo pedido. La orden O1 pidió 4 piezas para la tienda 0102 y ya van 4 empacadas."},
      {"lo empacado a mano cuenta contra lo pedido",
       {QStringLiteral("A000000001"), d},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "pidió 2 piezas para la tienda 0101 y ya van 2"},
      {"sin cantidad pedida no hay límite",
       {QStringLiteral("A000000001"), QStringLiteral("9*") + c, c},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 10 A000000001"), Q("O1 0101 S4 2 C000000009")},
       true, "10 en este contenedor / sin cantidad pedida"},
      {"un artículo antes de un contenedor",
       {b}, {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "escanee antes la etiqueta del contenedor"},
      {"un código que no está en el envío",
       {QStringLiteral("A000000001"), QStringLiteral("7501234567893")},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "7501234567893: no es un artículo de este envío."},
      {"un dígito verificador equivocado se leyó mal",
       {QStringLiteral("A000000001"), QStringLiteral("7501000000025")},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "probablemente se leyó mal"},
      {"un artículo de otra tienda que la del contenedor",
       {QStringLiteral("A000000001"), QStringLiteral("TIENDA 0102"), b},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "no va a la tienda 0102 del contenedor A000000001"},
      {"un artículo de varias tiendas sin tienda dicha",
       {QStringLiteral("A000000001"), a},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "va a las tiendas 0101, 0102: no se dijo la tienda del contenedor A000000001"},
      {"un contenedor corto",
       {QStringLiteral("A1234")}, {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "INCOMPLETO: El contenedor debe tener 9 digitos"},
      {"una primera letra desconocida",
       {QStringLiteral("X12345678")}, {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "El contenedor debe comenzar con A"},
      {"la tienda de un contenedor con renglones no cambia",
       {QStringLiteral("C000000009"), QStringLiteral("TIENDA 0102")},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "El contenedor C000000009 ya es de la tienda 0101"},
      {"una tienda que no está en el envío",
       {QStringLiteral("A000000001"), QStringLiteral("TIENDA 0999")},
       {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "La tienda 0999 no tiene renglones en este envío"},
      {"N* delante de un contenedor",
       {QStringLiteral("2*A000000001")}, {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "van antes de un artículo"},
      {"N* fuera de medida",
       {QStringLiteral("0*") + b}, {Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 24 "), Q("O2 0101 S3 5 "), Q("O1 0101 S4 2 C000000009")},
       false, "van de 1 a 9999"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    reiniciar();  // a fresh shipment for each case
    cargar();
    Empaque empaque(*ws);
    Escaneo e;
    for (const QString& s : caso.escaneos)
      e = s.startsWith(QLatin1String("TIENDA ")) ? empaque.fijarTienda(s.mid(7)) : empaque.escanear(s);
    EXPECT_EQ(lineas(ws->vaspread1), caso.lineas);
    EXPECT_EQ(lineas(ws->vaSpread6), caso.lineas) << "the order line store follows";
    EXPECT_EQ(e.aceptado(), caso.ultimoAceptado) << qPrintable(e.mensaje);
    EXPECT_TRUE(e.mensaje.contains(Q(caso.mensaje))) << qPrintable(e.mensaje);
  }
}

}  // namespace

namespace {

// One undo step per scan, named after it; after an undo the next scan counts
// from the lines as they came back.
TEST_F(EmpaqueTest, DeshacerUnEscaneo) {
  ws->historial.activar(true);
  Empaque empaque(*ws);
  const QString b = Q(kB);
  empaque.escanear(QStringLiteral("A000000001"));
  empaque.escanear(b);
  empaque.escanear(QStringLiteral("A000000002"));
  empaque.escanear(b);  // a new line
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 6);
  EXPECT_EQ(ws->historial.queDeshacer(), QStringLiteral("escanear ") + b);
  const int pasos = ws->historial.pasos();
  empaque.escanear(QStringLiteral("7501234567893"));  // refused: no step
  EXPECT_EQ(ws->historial.pasos(), pasos);
  ASSERT_TRUE(ws->historial.deshacer());
  EXPECT_EQ(lineas(ws->vaspread1),
            (QStringList{Q("O1 0101 S1 6 "), Q("O1 0102 S1 4 "), Q("O1 0101 S2 1 A000000001"), Q("O2 0101 S3 5 "),
                         Q("O1 0101 S4 2 C000000009")}));
  EXPECT_EQ(lineas(ws->vaSpread6), lineas(ws->vaspread1));
  EXPECT_EQ(empaque.piezas(), 0) << "A000000002 holds nothing any more";
  empaque.escanear(QStringLiteral("A000000001"));
  EXPECT_EQ(empaque.piezas(), 1);
  const Escaneo e = empaque.escanear(b);
  EXPECT_EQ(e.fila, 3);
  EXPECT_EQ(e.piezas, 2);
  // Typing by hand is seen as well: the clerk lowers the line to 20 ordered.
  ws->vaspread1.setText(colDetalle::Pedida, 3, QStringLiteral("2"));
  EXPECT_FALSE(empaque.escanear(b).aceptado());
}

// A new container's first article going to several stores: the clerk says
// which, among those that still need it; the container keeps that store.
TEST_F(EmpaqueTest, LaTiendaSeElige) {
  Empaque empaque(*ws);
  QStringList ofrecidas;
  prompter.alDialogo = [&ofrecidas](DialogoModelo& m) {
    auto& t = static_cast<TiendaEmpaqueModelo&>(m);
    ofrecidas = t.tiendas;
    t.aceptar(QStringLiteral("0102"));
  };
  empaque.escanear(QStringLiteral("A000000001"));
  const Escaneo e = empaque.escanear(QStringLiteral("2*") + Q(kA));
  EXPECT_EQ(ofrecidas, (QStringList{QStringLiteral("0101"), QStringLiteral("0102")}));
  EXPECT_EQ(e.tienda, QStringLiteral("0102"));
  EXPECT_EQ(e.fila, 2);
  EXPECT_EQ(empaque.tienda(), QStringLiteral("0102"));
  EXPECT_EQ(empaque.estado(), Q("EMPACANDO · contenedor A000000001 · tienda 0102 · 2 piezas"));
  // Store 0102 is full now: only 0101 is offered for the next carton.
  empaque.escanear(QStringLiteral("A000000002"));
  prompter.alDialogo = [&ofrecidas](DialogoModelo& m) {
    auto& t = static_cast<TiendaEmpaqueModelo&>(m);
    ofrecidas = t.tiendas;
    t.cancelar();
  };
  EXPECT_FALSE(empaque.escanear(QStringLiteral("3*") + Q(kA)).aceptado());
  EXPECT_EQ(ofrecidas, QStringList{QStringLiteral("0101")});
}

// Closing a container tells its lines; ending the mode lists and removes the
// lines never scanned, in one undo step.
TEST_F(EmpaqueTest, CerrarYTerminar) {
  ws->historial.activar(true);
  Empaque empaque(*ws);
  empaque.escanear(QStringLiteral("A000000001"));
  empaque.escanear(QStringLiteral("5*") + Q(kB));
  empaque.escanear(Q(kC));
  const Empaque::Cierre c = empaque.cerrarContenedor();
  EXPECT_EQ(c.contenedor, QStringLiteral("A000000001"));
  EXPECT_EQ(c.tienda, QStringLiteral("0101"));
  EXPECT_EQ(c.filas, (std::vector<int>{3, 4}));
  EXPECT_EQ(c.piezas, 6);
  EXPECT_TRUE(empaque.contenedor().isEmpty());
  EXPECT_EQ(empaque.estado(), Q("EMPACANDO · escanee la etiqueta de un contenedor"));
  EXPECT_FALSE(empaque.escanear(Q(kB)).aceptado()) << "no container after closing";

  EXPECT_EQ(empaque.sinEscanear(), (std::vector<int>{1, 2}));
  EXPECT_EQ(empaque.quitarSinEscanear(), 2);
  const QStringList quedan{Q("O1 0101 S2 5 A000000001"), Q("O2 0101 S3 1 A000000001"), Q("O1 0101 S4 2 C000000009")};
  EXPECT_EQ(lineas(ws->vaspread1), quedan);
  EXPECT_EQ(lineas(ws->vaSpread6), quedan);
  EXPECT_EQ(ws->historial.queDeshacer(), QStringLiteral("quitar renglones sin escanear"));
  EXPECT_EQ(empaque.quitarSinEscanear(), 0);
  ASSERT_TRUE(ws->historial.deshacer());
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 5);
}

TEST_F(EmpaqueTest, Resumen) {
  Empaque empaque(*ws);
  for (const QString& s : {QStringLiteral("A000000001"), QStringLiteral("3*") + Q(kB), Q(kC), QStringLiteral("A000000002")})
    ASSERT_TRUE(empaque.escanear(s).aceptado()) << qPrintable(s);
  const ResumenEmpaque r = resumirEmpaque(ws->vaspread1);
  EXPECT_EQ(textoResumen(r).join(QLatin1Char('\n')).toStdString(),
            (QStringList{Q("Contenedores: 2"), Q("  A000000001  tienda 0101  2 renglones  4 piezas"),
                         Q("  C000000009  tienda 0101  1 renglón  2 piezas"), Q(""),
                         Q("Orden / tienda / SKU: pedidas, empacadas, faltan"),
                         Q("  O1 / 0101 / S1 (7501000000029): 6, 0: faltan 6"),
                         Q("  O1 / 0101 / S2 (750100000010): 24, 3: faltan 21"),
                         Q("  O1 / 0101 / S4 (7501000000104): 2, 2: completo"),
                         Q("  O1 / 0102 / S1 (7501000000029): 4, 0: faltan 4"),
                         Q("  O2 / 0101 / S3 (7501000000043): -, 1: sin cantidad pedida: 1 empacadas"), Q(""),
                         Q("Total: 36 pedidas, 6 empacadas, 31 faltan"),
                         Q("1 artículos sin cantidad pedida: no tienen límite y no se cuentan en las pedidas.")})
                .join(QLatin1Char('\n'))
                .toStdString());
}

}  // namespace

namespace {

// An order whose lines were never scanned leaves the shipment with them: the
// notice carries no order without lines. One undo step brings both back.
TEST_F(EmpaqueTest, OrdenSinRenglones) {
  ws->historial.activar(true);
  ws->vaSpread9.setRowTexts(1, {QStringLiteral("O1"), Q("Pedido Múltiple")});
  ws->vaSpread9.setRowTexts(2, {QStringLiteral("O2"), Q("Pedido Múltiple")});
  Empaque empaque(*ws);
  empaque.escanear(QStringLiteral("A000000001"));
  empaque.escanear(Q(kB));
  QStringList ordenes;
  EXPECT_EQ(empaque.quitarSinEscanear(&ordenes), 3);
  EXPECT_EQ(ordenes, QStringList{QStringLiteral("O2")});
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 1);
  EXPECT_EQ(ws->vaSpread9.text(colPedidos::Orden, 1), QStringLiteral("O1"));
  ASSERT_TRUE(ws->historial.deshacer());
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 2);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 5);
}

}  // namespace
