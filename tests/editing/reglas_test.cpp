// What the window scripts cannot reach of the editing rules: the number
// readers, the clipboard text, the leave-cell rules at their edges, the
// checks switched off while the system writes, the row limit of a split and a
// maximum that is no number.
#include <gtest/gtest.h>

#include "editing/detail_rules.h"
#include "editing/row_commands.h"
#include "editing/splitting.h"
#include "fixture.h"

namespace {

TEST(LecturaTest, NumerosYLoQueNoLoEs) {
  double v = -1;
  for (const char* si : {"10", " 4 ", "2.5", ".5", "3.", "+2", "-1", "007"}) EXPECT_TRUE(leerCantidad(Q(si), v)) << si;
  EXPECT_TRUE(leerCantidad(Q("2.5"), v));
  EXPECT_DOUBLE_EQ(v, 2.5);
  for (const char* no : {"", " ", "abc", "12abc", "1,5", "1.2.3", "-", ".", "1e3", "0x10", "inf", "nan"})
    EXPECT_FALSE(leerCantidad(Q(no), v)) << no;
  const std::pair<const char*, double> iniciales[] = {{"12", 12},  {"12abc", 12}, {"  7", 7},  {"2.5", 2.5},
                                                     {".5", 0.5},  {"-3", -3},    {"1e2", 100}, {"5E", 5},
                                                     {"1.2.3", 1.2}, {"1,200", 1}, {"", 0},     {"abc", 0}, {".", 0}};
  for (const auto& [t, n] : iniciales) EXPECT_DOUBLE_EQ(numeroInicial(Q(t)), n) << t;
  for (const char* si : {"0", " 4 cajas"}) EXPECT_TRUE(empiezaConNumero(Q(si))) << si;
  for (const char* no : {"n/d", "-", ""}) EXPECT_FALSE(empiezaConNumero(Q(no))) << no;
}

TEST(LecturaTest, TextoDelPortapapelesYRangos) {
  EXPECT_TRUE(filasPortapapeles(QString()).isEmpty());
  EXPECT_EQ(filasPortapapeles(Q("a\tb\r\nc")), (QVector<QStringList>{{Q("a"), Q("b")}, {Q("c"), QString()}}));
  EXPECT_EQ(filasPortapapeles(Q("a\rb\r")), (QVector<QStringList>{{Q("a")}, {Q("b")}}));
  EXPECT_EQ(filasPortapapeles(Q("\n")), (QVector<QStringList>{{QString()}}));
  Grid g;
  g.setRowTexts(1, {Q("1"), Q(""), Q("3")});
  EXPECT_EQ(textoPortapapeles(g, 1, 1, 4, 2), Q("1\t\t3\t\r\n\t\t\t"));
  // Overlapping ranges count once; rows outside the grid are ignored.
  for (int r = 1; r <= 5; ++r) g.setText(1, r, QString::number(r));
  EXPECT_EQ(eliminarRangos(g, {{1, 2, 1, 3}, {1, 3, 1, 4}, {1, 9, 1, 12}}), 3);
  EXPECT_EQ(g.dataRowCount(), 2);
  EXPECT_EQ(g.text(1, 2), Q("5"));
}

class ReglasTest : public WorkspaceTest {
 protected:
  // `n` lines of quantity and ordered quantity 12.
  void lineas(int n) {
    for (int r = 1; r <= n; ++r) {
      const QStringList celdas = {Q("4500001234"), Q("123"), Q("01/12/26"), Q("20/12/26"), Q("0101"),
                                  QStringLiteral("SKU%1").arg(r), Q("M"), Q("750100000000"), Q("C"), Q("T"),
                                  Q("12"), Q("10.00"), Q("20.00")};
      ws->vaspread1.setRowTexts(r, celdas);
      ws->vaspread1.setText(16, r, Q("12"));
      ws->vaSpread6.setRowTexts(r, celdas);
    }
  }
  QPoint cursor() const { return {ws->vaspread1.activeCol(), ws->vaspread1.activeRow()}; }
};

TEST_F(ReglasTest, ReglasDeSalidaEnCadaFrontera) {
  const std::pair<int, int> detalle[] = {{0, 11},  {1, 11},  {10, 11}, {11, 11}, {12, 15},
                                         {14, 15}, {15, 15}, {16, 16}, {-1, -1}};
  for (const auto& [pedida, destino] : detalle) EXPECT_EQ(vaspread1_LeaveCell(*ws, pedida, 7), QPoint(destino, 7));
  const std::pair<int, int> pedidos[] = {{-1, -1}, {0, 0}, {1, 2}, {2, 2}, {3, 3}, {5, 5}, {6, 5}, {9, 5}};
  for (const auto& [pedida, destino] : pedidos) EXPECT_EQ(vaSpread9_LeaveCell(*ws, pedida, 3), QPoint(destino, 3));
  EXPECT_EQ(textosLog().count(Q("TERMINO EL EVENTO-----vaspread1_LeaveCell")), 9);
  EXPECT_EQ(textosLog().count(Q("TERMINO EL EVENTO-----vaSpread9_LeaveCell")), 0);
  // Locked cells, columns outside 2..5 and rows without an order take nothing.
  ws->vaSpread9.setRowTexts(1, {Q("4500001234"), Q("Pedido Múltiple")});
  ws->vaSpread9.setLocked(2, 1, true);
  for (const auto& [col, fila] : {std::pair{2, 1}, {1, 1}, {6, 1}, {3, 2}})
    EXPECT_FALSE(vaSpread9_Teclear(*ws, col, fila, Q("1"))) << col << "," << fila;
  EXPECT_TRUE(vaSpread9_Teclear(*ws, 5, 1, Q("99.x\b50")));  // the letter is erased by backspace
  EXPECT_EQ(ws->vaSpread9.rowTexts(1), (QStringList{Q("4500001234"), Q("Pedido Múltiple"), {}, {}, Q("99.50")}));
  // The detail's header tips: none past its columns.
  for (int col : {0, 16, 99}) EXPECT_TRUE(vaspread1_TextTipFetch(*ws, col, 0).texto.isEmpty()) << col;
  EXPECT_FALSE(vaspread1_TextTipFetch(*ws, 15, 0).texto.isEmpty());
  // Delete is the one key the tables keep for themselves; the view has the others.
  for (auto* tecla : {&vaspread1_KeyDown, &vaSpread9_KeyDown}) {
    EXPECT_TRUE(tecla(*ws, kTeclaSuprimir));
    EXPECT_FALSE(tecla(*ws, 'A'));
  }
}

TEST_F(ReglasTest, ConLasRevisionesSuspendidasNadaSeRevisaNiSeBaja) {
  lineas(3);
  ws->sinvalidar = true;
  ws->cursor(ws->vaspread1, 15, 1);
  ws->vaspread1.setText(15, 1, Q("x1"));
  vaspread1_Change(*ws, 15, 1);
  EXPECT_EQ(ws->vaspread1.text(14, 1), QString());
  EXPECT_EQ(ws->vaSpread6.text(15, 1), Q("x1"));
  EXPECT_EQ(cursor(), QPoint(15, 1));
  // A quantity moves right even then, unchecked.
  ws->cursor(ws->vaspread1, 11, 2);
  ws->vaspread1.setText(11, 2, Q("99"));
  vaspread1_Change(*ws, 11, 2);
  EXPECT_EQ(ws->vaSpread6.text(11, 2), Q("12"));
  EXPECT_EQ(cursor(), QPoint(15, 2));
  // A split applying its quantities skips the limit only.
  ws->sinvalidar = false;
  ws->aplicandoSeparacion = true;
  ws->cursor(ws->vaspread1, 15, 3);
  ws->vaspread1.setText(11, 3, Q("99"));
  ws->vaspread1.setText(15, 3, Q("B1"));
  vaspread1_Change(*ws, 15, 3);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.text(14, 3), Q("Cajas - azules"));
  EXPECT_EQ(ws->vaSpread6.text(11, 3), Q("12"));
  // Lines without an ordered quantity have no limit.
  ws->vaspread1.setText(16, 1, QString());
  ws->vaspread1.setText(11, 1, Q("500"));
  ws->vaspread1.setColLimit(15);
  ws->vaspread1.setText(11, 2, Q("999"));
  EXPECT_EQ(revisarCantidades(*ws), 0);
}

TEST_F(ReglasTest, EscrituraDelSistemaRestauraYRevisaAlTerminar) {
  lineas(4);
  {
    EscrituraDelSistema fuera(*ws);
    {
      EscrituraDelSistema dentro(*ws);
      ws->vaspread1.setText(11, 2, Q("20"));
    }
    EXPECT_TRUE(ws->sinvalidar);             // the outer command still writes
    EXPECT_TRUE(prompter.mensajes.empty());  // checked once, at the end
    ws->vaspread1.setText(11, 4, Q("50"));
  }
  EXPECT_FALSE(ws->sinvalidar);
  EXPECT_EQ(prompter.textos(), QStringList{Q("La cantidad no puede ser mayor que < 12 > \r\nSe regresaron 2 renglones a "
                                             "su cantidad pedida; el primero es el renglón 2.")});
  EXPECT_EQ(cursor(), QPoint(11, 2));
  // A flag already on stays on; terminar() ends it early, once.
  ws->sinvalidar = true;
  { EscrituraDelSistema g(*ws); }
  EXPECT_TRUE(ws->sinvalidar);
  ws->sinvalidar = false;
  prompter.limpiar();
  EscrituraDelSistema g(*ws);
  ws->vaspread1.setText(11, 1, Q("13"));
  g.terminar();
  g.terminar();
  EXPECT_FALSE(ws->sinvalidar);
  EXPECT_EQ(prompter.mensajes.size(), 1u);
}

TEST_F(ReglasTest, ElLimiteDeRenglonesSeRespeta) {
  lineas(4);
  Form3Modelo(*ws).Form_Load();
  EXPECT_FALSE(ws->sinvalidar) << "loading the form leaves the checks on";
  ws->vaspread1.setActiveCell(11, 2);
  ws->vaspread1.setRowLimit(6);
  ws->vaSpread6.setRowLimit(6);
  prompter.alDialogo = [](DialogoModelo& d) {
    if (auto* m = dynamic_cast<Form3Modelo*>(&d)) {
      m->Text3 = Q("4");
      m->Text3_LostFocus();
      for (int i = 1; i <= 4; ++i) m->vaSpread1.setText(1, i, Q("1"));
      m->Command1_Click();
      EXPECT_FALSE(m->cerrado);
      m->Command2_Click();
    } else if (auto* f = dynamic_cast<SepararModelo*>(&d)) {
      f->cantidades = {Q("1"), Q("1"), Q("1")};
      f->Command1_Click();
    }
  };
  // A maximum that is no number closes the form without a change.
  SepararModelo m(*ws, 2);
  m.CantidadMaxima = Q("diez");
  m.cantidades = {Q("1"), Q("1")};
  m.Command1_Click();
  EXPECT_EQ(prompter.textos(), QStringList{Q("La cantidad máxima del SKU no es un número!")});
  EXPECT_TRUE(m.cerrado && !m.aplicado);
  prompter.limpiar();
  mult_renglones_Click(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso Importante"));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 4);
  EXPECT_FALSE(ws->aplicandoSeparacion);
  // Two more rows fit exactly.
  tresrenglones(*ws);
  EXPECT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 6);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 6);
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(ws->vaSpread6.text(11, r), ws->vaspread1.text(11, r)) << r;
}

}  // namespace
