#include "consolidation/form2.h"

#include "consolidation/fechas.h"
#include "fixture.h"

#include <functional>
#include <memory>

namespace {

// Order line: order, department, shipping date, cancellation date, store, SKU, quantity.
QString linea(const char* oc, const char* depto, const char* tienda, const char* sku, const char* cant = "1",
              const char* cancelacion = "20/12/26") {
  return QStringList{Q(oc), Q(depto), QStringLiteral("01/12/26"), Q(cancelacion), Q(tienda), Q(sku),
                     QStringLiteral("M"), QStringLiteral("750"), QStringLiteral("AZUL"), QStringLiteral("CH"),
                     Q(cant), QStringLiteral("10.00"), QStringLiteral("19.90")}
      .join(QLatin1Char('\t'));
}

QStringList columna(const Grid& g, int col) {
  QStringList t;
  for (int r = 1; r <= g.dataRowCount(); ++r) t.append(g.text(col, r));
  return t;
}

const QString kEncabezado = QStringLiteral("OC\tDEPTO\tFV\tFC\tTIENDA\tSKU");

class Form2Test : public WorkspaceTest {
 protected:
  std::unique_ptr<Form2Modelo> d = std::make_unique<Form2Modelo>(*ws);
  Form2Modelo& dlg() { return *d; }

  // Loads the lines the way the import hands them over: the dialog table with
  // the heading line, the detail grids from the second line on.
  void cargar(const QStringList& lineas) {
    QStringList todas{kEncabezado};
    todas += lineas;
    dlg().vaSpread2.fromLines(todas);
    for (int i = 0; i < lineas.size(); ++i) {
      const QStringList c = lineas[i].split(QLatin1Char('\t'));
      ws->vaspread1.setRowTexts(i + 1, c);
      ws->vaspread1.setText(16, i + 1, c.value(10));
      ws->vaSpread6.setRowTexts(i + 1, c);
    }
    dlg().Form_Activate();
  }
  void elegir(const QString& texto) {
    ASSERT_TRUE(dlg().seleccionarList1(texto)) << texto.toStdString();
    dlg().Command1_Click();
  }
};

TEST_F(Form2Test, ListaDeOrdenesPorCorridas) {
  cargar({linea("100", "12", "1", "A"), linea("100", "12", "2", "B"), linea("200", "12", "1", "C"),
          linea("100", "34", "1", "D"), linea("100", "12", "3", "E")});
  EXPECT_EQ(dlg().titulo, Q("ASN Tornavela"));
  EXPECT_EQ(dlg().forma(), Q("Form2"));
  EXPECT_EQ(dlg().Label1, Q("Añada las Ordenes de Compra con las que desea trabajar"));
  // A run of one order and department gives one entry; coming back gives another.
  EXPECT_EQ(dlg().List1.textos(), (QStringList{Q("100 - 12"), Q("200 - 12"), Q("100 - 34"), Q("100 - 12")}));
  EXPECT_TRUE(textosLog().contains(Q("FORM2-----ENTRO AL EVENTO-----Form_Activate")));
  // Activating again rebuilds the list rather than doubling it.
  dlg().Form_Activate();
  EXPECT_EQ(dlg().List1.size(), 4);
}

TEST_F(Form2Test, AnadirYBorrar) {
  cargar({linea("100", "12", "1", "A"), linea("200", "12", "1", "B"), linea("300", "45", "1", "C")});
  dlg().Command1_Click();  // nothing selected
  EXPECT_EQ(dlg().List2.size(), 0);
  elegir(Q("100 - 12"));
  elegir(Q("100 - 12"));  // the same entry twice is added once
  EXPECT_EQ(dlg().List2.textos(), QStringList{Q("100 - 12")});
  elegir(Q("300 - 45"));  // another department
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Las Ordenes de Compra deben ser del mismo departamento"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Informacion);
  EXPECT_EQ(dlg().List2.textos(), QStringList{Q("100 - 12")});
  elegir(Q("200 - 12"));
  EXPECT_EQ(dlg().List2.textos(), (QStringList{Q("100 - 12"), Q("200 - 12")}));

  prompter.limpiar();
  dlg().List2.indice = -1;
  dlg().Command3_Click();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Seleccione una Orden de Compra para ser borrada"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(dlg().List2.size(), 2);
  ASSERT_TRUE(dlg().seleccionarList2(Q("100 - 12")));
  dlg().Command3_Click();
  EXPECT_EQ(dlg().List2.textos(), QStringList{Q("200 - 12")});
  EXPECT_EQ(dlg().List2.indice, -1);
  const QStringList log = textosLog();
  EXPECT_TRUE(log.contains(Q("FORM2-----ENTRO AL EVENTO-----Command1_Click")));
  EXPECT_TRUE(log.contains(Q("FORM2-----ENTRO AL EVENTO-----Command3_Click")));
  EXPECT_FALSE(dlg().cerrado);
}

// Aceptar or Cancelar after the orders chosen: the message, the SKUs left in
// the detail grids, the per-order table.
TEST_F(Form2Test, AceptarYCancelar) {
  using Extra = std::function<void(Workspace&, Form2Modelo&)>;
  const auto multiple = [](Workspace& w, Form2Modelo& d) {
    for (int r = 1; r <= 3; ++r) {
      EXPECT_TRUE(w.vaSpread9.locked(2, r));
      EXPECT_EQ(w.vaSpread9.dropDownList(2, r), QStringList{Q("Pedido Múltiple")});
    }
    EXPECT_TRUE(w.vaSpread9.columnFlag(2));
  };
  const auto una = [](Workspace& w, Form2Modelo& d) {
    EXPECT_EQ(w.vaSpread9.dropDownList(2, 1), QStringList{Q("Alta")});
    EXPECT_FALSE(w.vaSpread9.locked(2, 1));
    EXPECT_FALSE(w.vaSpread9.columnFlag(2));
    EXPECT_EQ(columna(w.vaspread1, 16), (QStringList{Q("3"), Q("5")}));
    EXPECT_EQ(columna(d.vaSpread2, 6), (QStringList{Q("A"), Q("C")}));  // its heading row gone too
  };
  const auto abierto = [](Workspace& w, Form2Modelo& d) {
    EXPECT_FALSE(d.cerrado);
    EXPECT_EQ(d.vaSpread2.dataRowCount(), 3);
    EXPECT_EQ(d.List2.size(), 2);
  };
  const struct Caso {
    const char* nombre;
    QStringList lineas, elegidas;
    bool aceptar;
    const char* mensaje;
    QStringList skus, ordenes;
    Extra extra;
  } casos[] = {
      {"una orden quita las demás líneas",
       {linea("100", "12", "1", "A", "3", "24/12/26"), linea("200", "12", "1", "B"), linea("100", "12", "2", "C", "5"),
        linea("300", "12", "2", "D")},
       {Q("100 - 12")}, true, nullptr, {Q("A"), Q("C")}, {Q("100|||||12|07/12/2026|24/12/2026")}, una},
      {"tres órdenes, en el orden de la lista",
       {linea("300", "12", "1", "A", "1", "15/01/27"), linea("100", "12", "1", "B", "1", "16/01/27"),
        linea("400", "99", "5", "X"), linea("200", "12", "2", "C", "1", "17/1/2027")},
       {Q("200 - 12"), Q("300 - 12"), Q("100 - 12")}, true, nullptr, {Q("A"), Q("B"), Q("C")},
       {Q("300|Pedido Múltiple||||12|07/12/2026|15/01/2027"), Q("100|Pedido Múltiple||||12|07/12/2026|16/01/2027"),
        Q("200|Pedido Múltiple||||12|07/12/2026|17/01/2027")},
       multiple},
      {"una tienda recibe las dos",
       {linea("A", "12", "1", "S1"), linea("A", "12", "2", "S2"), linea("B", "12", "2", "S3"), linea("B", "12", "3", "S4")},
       {Q("A - 12"), Q("B - 12")}, true, nullptr, {Q("S1"), Q("S2"), Q("S3"), Q("S4")},
       {Q("A|Pedido Múltiple||||12|07/12/2026|20/12/2026"), Q("B|Pedido Múltiple||||12|07/12/2026|20/12/2026")}, {}},
      {"ninguna tienda recibe las dos", {linea("A", "12", "1", "S1"), linea("B", "12", "3", "S4")},
       {Q("A - 12"), Q("B - 12")}, true, "Las OC que seleccionó no se pueden consolidar", {Q("S1"), Q("S4")}, {}, abierto},
      {"la prueba mira todas las órdenes del archivo",
       {linea("A", "12", "7", "S1"), linea("C", "12", "7", "S2"), linea("B", "12", "3", "S3")},
       {Q("A - 12"), Q("B - 12")}, true, nullptr, {Q("S1"), Q("S3")},
       {Q("A|Pedido Múltiple||||12|07/12/2026|20/12/2026"), Q("B|Pedido Múltiple||||12|07/12/2026|20/12/2026")}, {}},
      {"una orden que vuelve da un renglón",
       {linea("100", "12", "1", "A"), linea("200", "12", "1", "B"), linea("100", "12", "2", "C")}, {Q("100 - 12")},
       true, nullptr, {Q("A"), Q("C")}, {Q("100|||||12|07/12/2026|20/12/2026")}, {}},
      {"aceptar sin órdenes", {linea("100", "12", "1", "A"), linea("200", "12", "1", "B")}, {}, true, nullptr, {}, {}, {}},
      {"cancelar", {linea("100", "12", "1", "A"), linea("200", "12", "1", "B")}, {Q("100 - 12")}, false, nullptr, {}, {}, {}},
      {"orden con guion y blanco", {linea("A 1-2", "1-3", "1", "X"), linea("B", "1-3", "1", "Y")},
       {Q("A 1-2 - 1-3"), Q("B - 1-3")}, true, nullptr, {Q("X"), Q("Y")},
       {Q("A 1-2|Pedido Múltiple||||1-3|07/12/2026|20/12/2026"), Q("B|Pedido Múltiple||||1-3|07/12/2026|20/12/2026")}, {}},
  };
  for (const Caso& k : casos) {
    SCOPED_TRACE(k.nombre);
    d.reset();  // the dialog holds the workspace; it goes first
    reiniciar();
    prompter.limpiar();
    d = std::make_unique<Form2Modelo>(*ws);
    cargar(k.lineas);
    if (!k.aceptar) ws->vaSpread9.setText(1, 1, Q("viejo"));  // Cancelar empties it too
    for (const QString& e : k.elegidas) elegir(e);
    k.aceptar ? dlg().Command2_Click() : dlg().Command4_Click();
    EXPECT_EQ(prompter.textos(), k.mensaje ? QStringList{Q(k.mensaje)} : QStringList());
    EXPECT_EQ(dlg().cerrado, !k.mensaje);
    EXPECT_EQ(dlg().aceptado(), k.aceptar && !k.mensaje);
    EXPECT_EQ(columna(ws->vaspread1, 6), k.skus);
    EXPECT_EQ(columna(ws->vaSpread6, 6), k.skus);
    QStringList ordenes;
    for (int r = 1; r <= ws->vaSpread9.dataRowCount(); ++r) ordenes << ws->vaSpread9.rowTexts(r).join(QLatin1Char('|'));
    EXPECT_EQ(ordenes, k.ordenes);
    if (k.extra) k.extra(*ws, dlg());
  }
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
