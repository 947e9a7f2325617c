#include "consolidation/form2.h"

#include "consolidation/fechas.h"
#include "fixture.h"

namespace {

// Order line: order, department, shipping date, cancellation date, store, SKU, quantity.
QString linea(const char* oc, const char* depto, const char* tienda, const char* sku, const char* cant = "1",
              const char* cancelacion = "20/12/26") {
  return QStringList{Q(oc), Q(depto), QStringLiteral("01/12/26"), Q(cancelacion), Q(tienda), Q(sku),
                     QStringLiteral("M"), QStringLiteral("750"), QStringLiteral("AZUL"), QStringLiteral("CH"),
                     Q(cant), QStringLiteral("10.00"), QStringLiteral("19.90")}
      .join(QLatin1Char('\t'));
}

const QString kEncabezado = QStringLiteral("OC\tDEPTO\tFV\tFC\tTIENDA\tSKU");

class Form2Test : public WorkspaceTest {
 protected:
  Form2Modelo dlg{*ws};

  // Loads the lines the way the import hands them over: the dialog table with
  // the heading line, the detail grids from the second line on.
  void cargar(const QStringList& lineas) {
    QStringList todas{kEncabezado};
    todas += lineas;
    dlg.vaSpread2.fromLines(todas);
    for (int i = 0; i < lineas.size(); ++i) {
      const QStringList c = lineas[i].split(QLatin1Char('\t'));
      ws->vaspread1.setRowTexts(i + 1, c);
      ws->vaspread1.setText(16, i + 1, c.value(10));
      ws->vaSpread6.setRowTexts(i + 1, c);
    }
    dlg.Form_Activate();
  }
  void elegir(const QString& texto) {
    ASSERT_TRUE(dlg.seleccionarList1(texto)) << texto.toStdString();
    dlg.Command1_Click();
  }
  QStringList columna(const Grid& g, int col) const {
    QStringList t;
    for (int r = 1; r <= g.dataRowCount(); ++r) t.append(g.text(col, r));
    return t;
  }
};

TEST_F(Form2Test, ListaDeOrdenesPorCorridas) {
  cargar({linea("100", "12", "1", "A"), linea("100", "12", "2", "B"), linea("200", "12", "1", "C"),
          linea("100", "34", "1", "D"), linea("100", "12", "3", "E")});
  EXPECT_EQ(dlg.titulo, Q("ASN Tornavela"));
  EXPECT_EQ(dlg.forma(), Q("Form2"));
  EXPECT_EQ(dlg.Label1, Q("Añada las Ordenes de Compra con las que desea trabajar"));
  // A run of one order and department gives one entry; coming back gives another.
  EXPECT_EQ(dlg.List1.textos(), (QStringList{Q("100 - 12"), Q("200 - 12"), Q("100 - 34"), Q("100 - 12")}));
  EXPECT_TRUE(textosLog().contains(Q("FORM2-----ENTRO AL EVENTO-----Form_Activate")));
  // Activating again rebuilds the list rather than doubling it.
  dlg.Form_Activate();
  EXPECT_EQ(dlg.List1.size(), 4);
}

TEST_F(Form2Test, AnadirYBorrar) {
  cargar({linea("100", "12", "1", "A"), linea("200", "12", "1", "B"), linea("300", "45", "1", "C")});
  dlg.Command1_Click();  // nothing selected
  EXPECT_EQ(dlg.List2.size(), 0);
  elegir(Q("100 - 12"));
  elegir(Q("100 - 12"));  // the same entry twice is added once
  EXPECT_EQ(dlg.List2.textos(), QStringList{Q("100 - 12")});
  elegir(Q("300 - 45"));  // another department
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Las Ordenes de Compra deben ser del mismo departamento"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Informacion);
  EXPECT_EQ(dlg.List2.textos(), QStringList{Q("100 - 12")});
  elegir(Q("200 - 12"));
  EXPECT_EQ(dlg.List2.textos(), (QStringList{Q("100 - 12"), Q("200 - 12")}));

  prompter.limpiar();
  dlg.List2.indice = -1;
  dlg.Command3_Click();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Seleccione una Orden de Compra para ser borrada"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(dlg.List2.size(), 2);
  ASSERT_TRUE(dlg.seleccionarList2(Q("100 - 12")));
  dlg.Command3_Click();
  EXPECT_EQ(dlg.List2.textos(), QStringList{Q("200 - 12")});
  EXPECT_EQ(dlg.List2.indice, -1);
  const QStringList log = textosLog();
  EXPECT_TRUE(log.contains(Q("FORM2-----ENTRO AL EVENTO-----Command1_Click")));
  EXPECT_TRUE(log.contains(Q("FORM2-----ENTRO AL EVENTO-----Command3_Click")));
  EXPECT_FALSE(dlg.cerrado);
}

TEST_F(Form2Test, UnaOrdenQuitaLasDemasLineas) {
  cargar({linea("100", "12", "1", "A", "3", "24/12/26"), linea("200", "12", "1", "B"),
          linea("100", "12", "2", "C", "5"), linea("300", "12", "2", "D")});
  elegir(Q("100 - 12"));
  dlg.Command2_Click();
  EXPECT_TRUE(dlg.cerrado);
  EXPECT_TRUE(dlg.aceptado());
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(columna(ws->vaspread1, 6), (QStringList{Q("A"), Q("C")}));
  EXPECT_EQ(columna(ws->vaSpread6, 6), (QStringList{Q("A"), Q("C")}));
  EXPECT_EQ(columna(ws->vaspread1, 16), (QStringList{Q("3"), Q("5")}));
  // The dialog table lost its heading row and the other orders' lines.
  EXPECT_EQ(columna(dlg.vaSpread2, 6), (QStringList{Q("A"), Q("C")}));
  ASSERT_EQ(ws->vaSpread9.dataRowCount(), 1);
  EXPECT_EQ(ws->vaSpread9.rowTexts(1), (QStringList{Q("100"), QString(), QString(), QString(), QString(), Q("12"),
                                                     Q("07/12/2026"), Q("24/12/2026")}));
  EXPECT_EQ(ws->vaSpread9.dropDownList(2, 1), QStringList{Q("Alta")});
  EXPECT_FALSE(ws->vaSpread9.locked(2, 1));
  EXPECT_FALSE(ws->vaSpread9.columnFlag(2));
}

TEST_F(Form2Test, TresOrdenesSonPedidoMultiple) {
  cargar({linea("300", "12", "1", "A", "1", "15/01/27"), linea("100", "12", "1", "B", "1", "16/01/27"),
          linea("400", "99", "5", "X"), linea("200", "12", "2", "C", "1", "17/1/2027")});
  // Chosen in another order than List1's: the header rows follow List1.
  elegir(Q("200 - 12"));
  elegir(Q("300 - 12"));
  elegir(Q("100 - 12"));
  dlg.Command2_Click();
  ASSERT_TRUE(dlg.aceptado());
  ASSERT_EQ(ws->vaSpread9.dataRowCount(), 3);
  EXPECT_EQ(columna(ws->vaSpread9, 1), (QStringList{Q("300"), Q("100"), Q("200")}));
  EXPECT_EQ(columna(ws->vaSpread9, 7), (QStringList(3, Q("07/12/2026"))));
  EXPECT_EQ(columna(ws->vaSpread9, 8), (QStringList{Q("15/01/2027"), Q("16/01/2027"), Q("17/01/2027")}));
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(ws->vaSpread9.text(2, r), Q("Pedido Múltiple"));
    EXPECT_TRUE(ws->vaSpread9.locked(2, r));
    EXPECT_EQ(ws->vaSpread9.dropDownList(2, r), QStringList{Q("Pedido Múltiple")});
  }
  EXPECT_TRUE(ws->vaSpread9.columnFlag(2));
  EXPECT_EQ(columna(ws->vaspread1, 1), (QStringList{Q("300"), Q("100"), Q("200")}));
  EXPECT_EQ(columna(ws->vaSpread6, 1), (QStringList{Q("300"), Q("100"), Q("200")}));
}

TEST_F(Form2Test, PruebaDeConsolidacion) {
  // A in stores 1 and 2, B in stores 2 and 3: store 2 has both, they consolidate.
  cargar({linea("A", "12", "1", "S1"), linea("A", "12", "2", "S2"), linea("B", "12", "2", "S3"),
          linea("B", "12", "3", "S4")});
  elegir(Q("A - 12"));
  elegir(Q("B - 12"));
  dlg.Command2_Click();
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_TRUE(dlg.aceptado());
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 2);
}

TEST_F(Form2Test, PruebaDeConsolidacionRechazada) {
  // A only in store 1, B only in store 3: no store receives both.
  cargar({linea("A", "12", "1", "S1"), linea("B", "12", "3", "S4")});
  elegir(Q("A - 12"));
  elegir(Q("B - 12"));
  dlg.Command2_Click();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Las OC que seleccionó no se pueden consolidar"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Informacion);
  // Refused: the dialog stays open and nothing changed.
  EXPECT_FALSE(dlg.cerrado);
  EXPECT_EQ(dlg.fin, Form2Modelo::Fin::Abierto);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 2);
  EXPECT_EQ(dlg.vaSpread2.dataRowCount(), 3);
  EXPECT_EQ(dlg.List2.size(), 2);
}

TEST_F(Form2Test, LaPruebaMiraTodasLasOrdenesDelArchivo) {
  // A and C share store 7; A and B share none. Chosen A and B still pass,
  // because the test looks at every order of the file.
  cargar({linea("A", "12", "7", "S1"), linea("C", "12", "7", "S2"), linea("B", "12", "3", "S3")});
  elegir(Q("A - 12"));
  elegir(Q("B - 12"));
  dlg.Command2_Click();
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(columna(ws->vaspread1, 1), (QStringList{Q("A"), Q("B")}));
}

TEST_F(Form2Test, OrdenQueVuelveDaUnSoloRenglon) {
  // Order 100's lines are not together: List1 shows it twice, the header table once.
  cargar({linea("100", "12", "1", "A"), linea("200", "12", "1", "B"), linea("100", "12", "2", "C")});
  ASSERT_EQ(dlg.List1.size(), 3);
  elegir(Q("100 - 12"));
  dlg.Command2_Click();
  ASSERT_EQ(ws->vaSpread9.dataRowCount(), 1);
  EXPECT_EQ(ws->vaSpread9.text(1, 1), Q("100"));
  EXPECT_TRUE(ws->vaSpread9.text(2, 1).isEmpty());
  EXPECT_FALSE(ws->vaSpread9.locked(2, 1));
  EXPECT_EQ(columna(ws->vaspread1, 6), (QStringList{Q("A"), Q("C")}));
}

TEST_F(Form2Test, AceptarSinOrdenesQuitaTodo) {
  cargar({linea("100", "12", "1", "A"), linea("200", "12", "1", "B")});
  dlg.Command2_Click();
  EXPECT_TRUE(dlg.aceptado());
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
}

TEST_F(Form2Test, CancelarVaciaLasTablas) {
  cargar({linea("100", "12", "1", "A"), linea("200", "12", "1", "B")});
  ws->vaSpread9.setText(1, 1, Q("viejo"));
  elegir(Q("100 - 12"));
  dlg.Command4_Click();
  EXPECT_TRUE(dlg.cerrado);
  EXPECT_TRUE(dlg.cancelado());
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
}

TEST_F(Form2Test, OrdenConGuionYBlancoSeReconoce) {
  // Entries are matched by the values they came from, not by cutting the text.
  cargar({linea("A 1-2", "1-3", "1", "X"), linea("B", "1-3", "1", "Y")});
  elegir(Q("A 1-2 - 1-3"));
  elegir(Q("B - 1-3"));
  EXPECT_TRUE(prompter.mensajes.empty());
  dlg.Command2_Click();
  EXPECT_EQ(columna(ws->vaSpread9, 1), (QStringList{Q("A 1-2"), Q("B")}));
  EXPECT_EQ(columna(ws->vaSpread9, 6), (QStringList{Q("1-3"), Q("1-3")}));
}

TEST(Fechas, LecturaYReescritura) {
  EXPECT_EQ(fechas::aDdMmAaaa(Q("7/1/27")), Q("07/01/2027"));
  EXPECT_EQ(fechas::aDdMmAaaa(Q("31/12/29")), Q("31/12/2029"));
  EXPECT_EQ(fechas::aDdMmAaaa(Q("01/01/30")), Q("01/01/1930"));
  EXPECT_EQ(fechas::aDdMmAaaa(Q("2026-12-07")), Q("07/12/2026"));
  EXPECT_EQ(fechas::aDdMmAaaa(Q("31/02/26")), Q("31/02/26"));  // no such day: unchanged
  EXPECT_EQ(fechas::aDdMmAaaa(Q("sin fecha")), Q("sin fecha"));
  EXPECT_EQ(fechas::aDdMmAaaa(QString()), QString());
  EXPECT_EQ(fechas::aDdMmAa(Q("07/12/2026")), Q("07/12/26"));
  EXPECT_EQ(fechas::aDdMmAa(Q("7.3.1999")), Q("07/03/99"));
  // Outside 1930-2029 two digits would read back as another date.
  EXPECT_EQ(fechas::aDdMmAa(Q("15/03/1925")), Q("15/03/1925"));
  EXPECT_EQ(fechas::aDdMmAa(Q("1/3/2031")), Q("01/03/2031"));
  EXPECT_EQ(fechas::aDdMmAa(Q("12/2026")), Q("12/2026"));
  EXPECT_EQ(fechas::leer(Q(" 05/06/07 ")), QDate(2007, 6, 5));
}

}  // namespace
