#include "notice/builder.h"

#include <QFile>

#include "client/form5.h"
#include "shipment.h"

namespace {

using namespace registro;

class BuilderTest : public WorkspaceTest {};

const QString kHD = QStringLiteral("HDA00072026120720261207202612090900") + QStringLiteral("45678") + blancos(5) +
                    QStringLiteral("ABCD010101-AB1") + QStringLiteral(" 12345678") + QStringLiteral("F 100") +
                    blancos(8) + QStringLiteral("00000150050") + QStringLiteral("0123") + QStringLiteral("12345");

TEST_F(BuilderTest, WorkedExampleComesOutExactly) {
  ejemplo(*ws);
  ASSERT_TRUE(preparar(*ws));
  EXPECT_TRUE(prompter.mensajes.empty());
  const QStringList esperado = {
      kHD,
      QStringLiteral("CN678901A123456789"),
      QStringLiteral("DT 750100000001UPC01234567  AB 12") + blancos(15) + QStringLiteral("M") + blancos(9) +
          QStringLiteral("AZUL") + blancos(16) + QStringLiteral("0000002400PZ 000001"),
      QStringLiteral("DT7501000000025EAN01234568  CD 34") + blancos(15) + QStringLiteral("G") + blancos(9) +
          QStringLiteral("ROJO") + blancos(16) + QStringLiteral("0000000600PZ 000001"),
  };
  EXPECT_EQ(lineasImagen(*ws), esperado);
  EXPECT_EQ(esperado[0].size(), 101);
  EXPECT_EQ(esperado[2].size(), 97);
  // One field per cell: the HD fills columns 1 to 14, the CN 1 to 4, the DT 1 to 10.
  EXPECT_EQ(ws->vaSpread3.rowTexts(1).size(), 14);
  EXPECT_EQ(ws->vaSpread3.text(8, 1), QStringLiteral("45678     "));
  EXPECT_EQ(ws->vaSpread3.rowTexts(2), (QStringList{QStringLiteral("CN"), QStringLiteral("67890"),
                                                    QStringLiteral("1"), QStringLiteral("A123456789")}));
  EXPECT_EQ(ws->vaSpread3.rowTexts(3).size(), 10);

  // The byte-for-byte notice kept beside the tests.
  QFile f(QStringLiteral(AVISO_TEST_DATA "/notice/ejemplo_un_pedido.txt"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), texto::a1252(esperado.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));

  // The scratch tables hold the order's lines: all 15 columns, then the nine converted ones.
  EXPECT_EQ(ws->vaSpread5.dataRowCount(), 2);
  EXPECT_EQ(ws->vaSpread5.text(14, 1), QStringLiteral("Cajas - azules"));
  EXPECT_EQ(ws->vaSpread8.rowTexts(2),
            (QStringList{QStringLiteral("1234567890"), QStringLiteral("1234568"), QStringLiteral("CD.34"),
                         QStringLiteral("7501000000025"), QStringLiteral("ROJO"), QStringLiteral("G"),
                         QStringLiteral("6"), QStringLiteral("1"), QStringLiteral("A123456789")}));
  const QStringList log = textosLog();
  EXPECT_TRUE(log.contains(QStringLiteral("ENTRO A LA  FUNCION----preparar")));
  EXPECT_TRUE(log.contains(QStringLiteral("ENTRO A LA  FUNCION----preparar-----ENCABEZADO 1")));
  EXPECT_TRUE(log.contains(QStringLiteral("TERMINO LA  FUNCION----preparar")));
}

TEST_F(BuilderTest, FieldRules) {
  EXPECT_EQ(importe(QStringLiteral("1500")), QStringLiteral("00000150000"));
  EXPECT_EQ(importe(QStringLiteral("0.5")), QStringLiteral("00000000050"));
  EXPECT_EQ(importe(QStringLiteral("99.99")), QStringLiteral("00000009999"));
  EXPECT_EQ(importe(QStringLiteral("1500.5")), QStringLiteral("00000150050"));
  EXPECT_EQ(importe(QStringLiteral(".75")), QStringLiteral("00000000075"));
  EXPECT_EQ(importe(QStringLiteral("15.")), QStringLiteral("00000001500"));
  EXPECT_EQ(importe(QStringLiteral("123456789012")), QStringLiteral("12345678901200"));

  EXPECT_EQ(sku(QStringLiteral("1234567")), QStringLiteral("01234567  "));
  EXPECT_EQ(sku(QStringLiteral("12345678")), QStringLiteral("12345678  "));
  EXPECT_EQ(sku(QStringLiteral("123456789")), QStringLiteral("123456789"));
  EXPECT_EQ(cantidad(QStringLiteral("24")), QStringLiteral("0000002400"));
  EXPECT_EQ(cantidad(QStringLiteral("12345678")), QStringLiteral("1234567800"));

  EXPECT_EQ(codigoMovimiento(QStringLiteral("Alta")), QStringLiteral("A"));
  EXPECT_EQ(codigoMovimiento(QStringLiteral("Baja")), QStringLiteral("B"));
  EXPECT_EQ(codigoMovimiento(QStringLiteral("Cambio")), QStringLiteral("C"));
  EXPECT_EQ(codigoMovimiento(Q(" Pedido Múltiple ")), QStringLiteral("M"));
  EXPECT_EQ(codigoMovimiento(QStringLiteral("alta")), QStringLiteral("alta"));
  EXPECT_EQ(codigoMovimiento(QStringLiteral(" Alta")), QStringLiteral(" Alta"));

  EXPECT_EQ(codigoMercancia(QStringLiteral("Colgado")), QStringLiteral("2"));
  EXPECT_EQ(codigoMercancia(Q("Frágil")), QStringLiteral("6"));
  EXPECT_EQ(codigoMercancia(Q("Cajas - cartón")), QStringLiteral("1"));
  EXPECT_EQ(codigoMercancia(QStringLiteral("C. Azul Normal")), QStringLiteral("1"));
  EXPECT_EQ(codigoMercancia(QStringLiteral("otra cosa")), QStringLiteral("otra cosa"));

  EXPECT_EQ(ceroIzquierda(QString(), 4), QString());
  EXPECT_EQ(blancoDerecha(QString(), 10), QString());
  EXPECT_EQ(blancoDerecha(QString(), 3, true), blancos(3));
  EXPECT_EQ(puntuacionABlancos(QStringLiteral("A/B.C-D"), true), QStringLiteral("A B C D"));
  EXPECT_EQ(puntuacionABlancos(QStringLiteral("A/B.C-D")), QStringLiteral("A/B C D"));
}

TEST_F(BuilderTest, DetailFieldsOfOneLine) {
  ponerCliente(*ws);
  ponerOrdenes(*ws, {Orden{}});
  Linea a;  // 11-digit bar code, 8-character SKU, model with a slash
  a.barras = QStringLiteral("12345678901");
  a.sku = QStringLiteral("12345678");
  a.modelo = QStringLiteral("X/Y-Z.1");
  a.talla = QStringLiteral("10.5");
  a.color = QStringLiteral("AZUL-MARINO");
  a.costo.clear();
  a.precio.clear();
  Linea b;  // no bar code, 9-character SKU
  b.barras.clear();
  b.sku = QStringLiteral("123456789");
  b.contenedor = QStringLiteral("B123456789");
  Linea c;  // blank bar code of three blanks
  c.barras = QStringLiteral("   ");
  c.contenedor = QStringLiteral("C123456789");
  c.tipo = Q("Cajas - cartón");
  ponerLineas(*ws, {a, b, c});
  ponerEntrega(*ws, QDate(2026, 12, 9), QStringLiteral("07:00"));
  ASSERT_TRUE(preparar(*ws));
  ASSERT_EQ(ws->vaSpread3.dataRowCount(), 7);
  EXPECT_EQ(ws->vaSpread3.text(7, 1), QStringLiteral("0700"));
  EXPECT_EQ(ws->vaSpread3.rowTexts(3),
            (QStringList{QStringLiteral("DT"), QStringLiteral("  12345678901"), QStringLiteral("UPC"),
                         QStringLiteral("12345678  "), QStringLiteral("X Y Z 1") + blancos(13),
                         QStringLiteral("10 5      "), QStringLiteral("AZUL MARINO") + blancos(9),
                         QStringLiteral("0000002400"), QStringLiteral("PZ "), QStringLiteral("000001")}));
  EXPECT_EQ(ws->vaSpread3.text(2, 5), blancos(13));
  EXPECT_EQ(ws->vaSpread3.text(3, 5), QStringLiteral("EAN"));
  EXPECT_EQ(ws->vaSpread3.text(4, 5), QStringLiteral("123456789"));
  EXPECT_EQ(ws->vaSpread3.text(2, 7), blancos(13));
  EXPECT_EQ(ws->vaSpread3.text(3, 7), QStringLiteral("EAN"));
  EXPECT_EQ(ws->vaSpread3.rowTexts(6), (QStringList{QStringLiteral("CN"), QStringLiteral("67890"),
                                                    QStringLiteral("1"), QStringLiteral("C123456789")}));
}

TEST_F(BuilderTest, LongNumbersAreWrittenWholeAndShortOnesPadded) {
  ponerCliente(*ws, QStringLiteral("1234"), QStringLiteral("12.345-678"));
  Orden o;
  o.orden = QStringLiteral("1234567890");
  o.vorarido = QStringLiteral("123456");
  o.factura = QStringLiteral("FAC-2026.000123");
  o.importe = QStringLiteral("1500");
  ponerOrdenes(*ws, {o});
  Linea l;
  l.orden = o.orden;
  l.depto = QStringLiteral("12345");
  l.tienda = QStringLiteral("123");
  ponerLineas(*ws, {l});
  ponerEntrega(*ws);
  ASSERT_TRUE(preparar(*ws));
  const QStringList hd = ws->vaSpread3.rowTexts(1);
  EXPECT_EQ(hd[2], QStringLiteral("123456"));
  EXPECT_EQ(hd[7], QStringLiteral("12 345 678"));
  EXPECT_EQ(hd[9], QStringLiteral("1234567890"));
  EXPECT_EQ(hd[10], QStringLiteral("FAC 2026 000123"));
  EXPECT_EQ(hd[11], QStringLiteral("00000150000"));
  EXPECT_EQ(hd[12], QStringLiteral("2345"));
  EXPECT_EQ(hd[13], QStringLiteral("00123"));
  EXPECT_EQ(ws->vaSpread3.text(2, 2), QStringLiteral("00123"));
}

TEST_F(BuilderTest, OneContainerRecordPerContainerAndEveryDetailKept) {
  ponerCliente(*ws);
  ponerOrdenes(*ws, {Orden{}});
  Linea a;
  a.contenedor = QStringLiteral("A000000001");
  Linea a2 = a;  // the same SKU split over a second container
  a2.contenedor = QStringLiteral("B000000002");
  a2.cantidad = QStringLiteral("4");
  Linea b = a2;  // a SKU that reads like the first container
  b.sku = QStringLiteral("A000000001");
  Linea c = a;   // back in the first container after the others (not sorted)
  c.sku = QStringLiteral("7654321");
  ponerLineas(*ws, {a, a2, b, c});
  ponerEntrega(*ws);
  ASSERT_TRUE(preparar(*ws));
  QStringList tipos;
  for (int r = 1; r <= ws->vaSpread3.dataRowCount(); ++r)
    tipos.append(ws->vaSpread3.text(1, r) + QLatin1Char(':') + ws->vaSpread3.text(4, r));
  EXPECT_EQ(tipos, (QStringList{QStringLiteral("HD:20261207"), QStringLiteral("CN:A000000001"),
                                QStringLiteral("DT:01234567  "), QStringLiteral("CN:B000000002"),
                                QStringLiteral("DT:01234567  "), QStringLiteral("DT:A000000001"),
                                QStringLiteral("DT:07654321  ")}));
  EXPECT_EQ(ws->vaSpread3.text(8, 5), QStringLiteral("0000000400"));
}

TEST_F(BuilderTest, TwoOrdersStandApartByOneEmptyRow) {
  ponerCliente(*ws);
  Orden o1;
  Orden o2;
  o2.orden = QStringLiteral("87654321");
  o2.tipo = Q("Pedido Múltiple");
  o2.factura = QStringLiteral("F-200");
  o1.tipo = Q("Pedido Múltiple");
  ponerOrdenes(*ws, {o1, o2});
  Linea a;
  a.contenedor = QStringLiteral("A000000001");
  Linea b;
  b.orden = o2.orden;
  b.contenedor = QStringLiteral("A000000002");
  b.tienda = QStringLiteral("99999");
  Linea c = a;
  c.sku = QStringLiteral("1111111");
  ponerLineas(*ws, {a, b, c});
  ponerEntrega(*ws);
  ASSERT_TRUE(preparar(*ws));
  const QStringList lineas = lineasImagen(*ws);
  ASSERT_EQ(lineas.size(), 8);
  EXPECT_TRUE(lineas[0].startsWith(QStringLiteral("HDM0007")));
  EXPECT_TRUE(lineas[1].startsWith(QStringLiteral("CN678901A000000001")));
  EXPECT_TRUE(lineas[2].startsWith(QStringLiteral("DT")));
  EXPECT_TRUE(lineas[3].startsWith(QStringLiteral("DT")));
  EXPECT_TRUE(lineas[4].isEmpty());
  EXPECT_TRUE(lineas[5].startsWith(QStringLiteral("HDM0007")));
  EXPECT_TRUE(lineas[5].contains(QStringLiteral(" 87654321F 200")));
  EXPECT_TRUE(lineas[5].endsWith(QStringLiteral("012399999")));
  EXPECT_EQ(lineas[6], QStringLiteral("CN999991A000000002"));
  EXPECT_TRUE(lineas[7].startsWith(QStringLiteral("DT")));
  // The scratch tables end with the last order's line.
  EXPECT_EQ(ws->vaSpread8.dataRowCount(), 1);
  EXPECT_EQ(ws->vaSpread8.text(1, 1), QStringLiteral("99999"));
}

TEST_F(BuilderTest, OneAreaAcrossOrders) {
  ponerCliente(*ws);
  Linea a;
  Linea h;
  h.tipo = QStringLiteral("Colgado");
  h.contenedor = QStringLiteral("H000000001");
  // One order may mix areas.
  ponerOrdenes(*ws, {Orden{}});
  ponerLineas(*ws, {a, h});
  ponerEntrega(*ws);
  EXPECT_TRUE(preparar(*ws));
  EXPECT_EQ(ws->vaSpread3.text(3, 4), QStringLiteral("2"));
  EXPECT_TRUE(prompter.mensajes.empty());

  Orden o2;
  o2.orden = QStringLiteral("22222222");
  o2.factura = QStringLiteral("F-2");
  h.orden = o2.orden;
  ponerOrdenes(*ws, {Orden{}, o2});
  ponerLineas(*ws, {a, h});
  EXPECT_FALSE(preparar(*ws));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Los contenedores deben ser de la misma área."));
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Aviso"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Informacion);
  EXPECT_FALSE(textosLog().endsWith(QStringLiteral("TERMINO LA  FUNCION----preparar")));
}

TEST_F(BuilderTest, MissingDetailValues) {
  ponerCliente(*ws);
  Orden o2;
  o2.orden = QStringLiteral("22222222");
  o2.factura = QStringLiteral("F-2");
  ponerOrdenes(*ws, {Orden{}, o2});
  Linea a;
  a.costo.clear();
  a.precio.clear();
  a.barras.clear();
  Linea b;
  b.orden = o2.orden;
  Linea c = b;
  c.color.clear();
  ponerLineas(*ws, {a, b, c});
  ponerEntrega(*ws);
  EXPECT_FALSE(preparar(*ws));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Falta Información de:\r\n\r\nCOLOR\r\n\r\nEn el renglón:  2"));
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Datos Incompletos"));
  // The cursor stands on the line itself, row 3 of the detail grid.
  EXPECT_EQ(ws->vaspread1.activeCol(), 9);
  EXPECT_EQ(ws->vaspread1.activeRow(), 3);
  EXPECT_EQ(ws->foco, QStringLiteral("vaspread1"));

  prompter.limpiar();
  c.color = QStringLiteral("VERDE");
  c.talla.clear();
  ponerLineas(*ws, {a, b, c});
  EXPECT_FALSE(preparar(*ws));
  EXPECT_EQ(prompter.ultimo(), Q("Falta Información de:\r\n\r\nTALLA\r\n\r\nEn el renglón:  2"));
}

TEST_F(BuilderTest, MissingHeaderValuesInTheirOrder) {
  struct Caso {
    int columna;
    const char* mensaje;
  };
  const Caso casos[] = {{2, "Falta Información en Tipo de Movimiento"},
                        {3, "Falta Información en Número de Vorarido"},
                        {1, "Falta Información en el Número de Pedido"},
                        {4, "Falta Información en el Número de Factura"},
                        {5, "Falta Información en el Importe de la Factura"}};
  for (const Caso& caso : casos) {
    prompter.limpiar();
    ejemplo(*ws);
    Orden o2;
    o2.orden = QStringLiteral("22222222");
    o2.factura = QStringLiteral("F-2");
    ponerOrdenes(*ws, {Orden{}, o2});
    Linea b;
    b.orden = o2.orden;
    ws->vaspread1.setRowTexts(3, celdasLinea(b));
    // The second order misses the value, the first is complete: the whole build is refused.
    ws->vaSpread9.setText(caso.columna, 2, QString());
    if (caso.columna == 1) ws->vaSpread9.setText(2, 2, QStringLiteral("Alta"));
    EXPECT_FALSE(preparar(*ws)) << caso.mensaje;
    ASSERT_EQ(prompter.mensajes.size(), 1u) << caso.mensaje;
    EXPECT_EQ(prompter.mensajes[0].texto, Q(caso.mensaje));
    EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Datos Incompletos"));
  }
  // Two missing values: the movement type is asked for first.
  prompter.limpiar();
  ejemplo(*ws);
  ws->vaSpread9.setText(4, 1, QString());
  ws->vaSpread9.setText(2, 1, QString());
  EXPECT_FALSE(preparar(*ws));
  EXPECT_EQ(prompter.textos(), QStringList{Q("Falta Información en Tipo de Movimiento")});
}

TEST_F(BuilderTest, MissingSupplierOrRfcOpensTheClientDialog) {
  ejemplo(*ws);
  ws->vaSpread2.setText(2, 14, QString());
  bool abierto = false;
  prompter.alDialogo = [&](DialogoModelo& m) {
    auto& f = dynamic_cast<Form5Modelo&>(m);
    EXPECT_EQ(f.ncliente, QStringLiteral("1234"));
    abierto = true;
    f.Cancelar_Click();
  };
  EXPECT_FALSE(preparar(*ws));
  EXPECT_TRUE(abierto);
  EXPECT_EQ(prompter.textos(), QStringList{Q("Falta Información en el Número de Proveedor")});
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Datos Incompletos"));

  prompter.limpiar();
  abierto = false;
  ponerCliente(*ws, QStringLiteral("1234"), QStringLiteral("45678"), QString());
  EXPECT_FALSE(preparar(*ws));
  EXPECT_TRUE(abierto);
  EXPECT_EQ(prompter.textos(), QStringList{Q("Falta Información en el RFC")});
}

TEST_F(BuilderTest, NoOrderGivesNoResult) {
  ejemplo(*ws);
  ws->vaSpread9.deleteAllRows();
  ws->vaSpread3.setText(1, 1, QStringLiteral("viejo"));
  EXPECT_FALSE(preparar(*ws));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaSpread3.dataRowCount(), 0);
}

TEST_F(BuilderTest, ManyLinesFitTheImage) {
  ponerCliente(*ws);
  ponerOrdenes(*ws, {Orden{}});
  std::vector<Linea> lineas(30000);
  for (size_t i = 0; i < lineas.size(); ++i) {
    lineas[i].sku = QString::number(1000000 + static_cast<int>(i));
    lineas[i].contenedor = QStringLiteral("A%1").arg(static_cast<int>(i / 10), 9, 10, QLatin1Char('0'));
  }
  ponerLineas(*ws, lineas);
  ponerEntrega(*ws);
  ASSERT_TRUE(preparar(*ws));
  // One HD, 3,000 CN and 30,000 DT records.
  EXPECT_EQ(ws->vaSpread3.dataRowCount(), 1 + 3000 + 30000);
  EXPECT_EQ(ws->vaSpread3.text(4, ws->vaSpread3.dataRowCount()), QStringLiteral("01029999  "));
}

}  // namespace
