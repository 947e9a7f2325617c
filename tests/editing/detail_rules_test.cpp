// Typing in the detail grid and the per-order header table: container codes,
// the quantity limit, where the cursor goes, keys, focus and tool tips.
#include "editing/detail_rules.h"

#include "editing/container_kinds.h"
#include "fixture.h"

namespace {

const QString kLimite12 = Q("La cantidad no puede ser mayor que < 12 > ");

class DetalleTest : public WorkspaceTest {
 protected:
  // `n` lines in vaspread1 and vaSpread6, quantity and ordered quantity `pedida`.
  void lineas(int n, const QString& pedida = Q("12")) {
    for (int r = 1; r <= n; ++r) {
      const QStringList celdas = {Q("4500001234"), Q("123"), Q("01/12/26"), Q("20/12/26"), Q("0101"),
                                  QStringLiteral("SKU%1").arg(r), Q("sin modelo"), Q("750100000000"),
                                  Q("sin color"), Q("sin talla"), pedida, Q("10.00"), Q("20.00")};
      ws->vaspread1.setRowTexts(r, celdas);
      ws->vaspread1.setText(16, r, pedida);
      ws->vaSpread6.setRowTexts(r, celdas);
    }
  }
  void teclear(int col, int row, const QString& t) {
    prompter.limpiar();
    vaspread1_Editar(*ws, col, row, t);
  }
  QPoint cursor() const { return {ws->vaspread1.activeCol(), ws->vaspread1.activeRow()}; }
  int cuenta(const QString& linea) const { return static_cast<int>(textosLog().count(linea)); }
};

TEST_F(DetalleTest, LasCatorceLetrasDescribenYLasDemasSeRechazan) {
  const std::pair<const char*, const char*> validas[] = {
      {"A", "Cajas - azules"}, {"B", "Cajas - azules"},           {"S", "Cajas - azules"},
      {"C", "Cajas - cartón"}, {"D", "C. Azul Normal"},           {"E", "Contenedor Verde Mediano"},
      {"F", "Frágil"},         {"G", "Cartón Grande"},            {"H", "Colgado"},
      {"I", "C. Azul Chico"},  {"P", "Pallets"},                  {"Q", "Tarima"},
      {"R", "Refrigerado"},    {"V", "Cajas - verdes"}};
  lineas(20);
  int fila = 1;
  for (const auto& [letra, descripcion] : validas) {
    // The length is not looked at: one letter alone is a code too.
    const QString codigo = fila % 2 ? Q(letra) + Q("00012345") : Q(letra);
    teclear(15, fila, codigo);
    EXPECT_TRUE(prompter.mensajes.empty()) << letra;
    EXPECT_EQ(ws->vaspread1.text(14, fila), Q(descripcion)) << letra;
    EXPECT_EQ(ws->vaSpread6.text(14, fila), Q(descripcion)) << letra;
    EXPECT_EQ(ws->vaSpread6.text(15, fila), codigo);
    EXPECT_EQ(cursor(), QPoint(15, fila + 1)) << letra;  // the next line's container
    ++fila;
  }
  EXPECT_EQ(descripcionContenedor(Q("P1")), Q("Pallets"));

  // Lower case, a digit, a blank and capitals outside the table.
  for (const char* malo : {"s00012345", "a1", "100012345", " A0001", "J00012345", "M1", "X00000001"}) {
    ws->vaspread1.setText(14, 17, Q("antes"));
    ws->vaSpread6.setText(14, 17, Q("antes"));
    teclear(15, 17, Q(malo));
    ASSERT_EQ(prompter.mensajes.size(), 1u) << malo;
    EXPECT_EQ(prompter.mensajes[0].texto,
              Q("El contenedor debe comenzar con A, B, C, D, E, F, G, H, I, P, Q, R, S ó V"));
    EXPECT_EQ(prompter.mensajes[0].titulo, kTituloAplicacion);
    EXPECT_EQ(prompter.mensajes[0].botones, Botones::Ok);
    // Stored as typed, description untouched, cursor still moves down.
    EXPECT_EQ(ws->vaspread1.text(15, 17), Q(malo));
    EXPECT_EQ(ws->vaSpread6.text(15, 17), Q(malo));
    EXPECT_EQ(ws->vaspread1.text(14, 17), Q("antes"));
    EXPECT_EQ(ws->vaSpread6.text(14, 17), Q("antes"));
    EXPECT_EQ(cursor(), QPoint(15, 18));
  }
}

TEST_F(DetalleTest, ContenedorCambiadoOBorradoNoTocaLaDescripcion) {
  lineas(3);
  teclear(15, 1, Q("C00000001"));
  EXPECT_EQ(ws->vaspread1.text(14, 1), Q("Cajas - cartón"));
  teclear(15, 1, Q("X00000001"));
  EXPECT_EQ(ws->vaspread1.text(14, 1), Q("Cajas - cartón"));
  EXPECT_EQ(ws->vaSpread6.text(14, 1), Q("Cajas - cartón"));
  // Emptied: no message, no description change, the store follows the cell.
  teclear(15, 2, Q("P1"));
  teclear(15, 2, QString());
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.text(14, 2), Q("Pallets"));
  EXPECT_EQ(ws->vaSpread6.text(15, 2), QString());
  EXPECT_EQ(cursor(), QPoint(15, 3));
  // On the last line the cursor stays on its container.
  teclear(15, 3, Q("R9"));
  EXPECT_EQ(cursor(), QPoint(15, 3));
}

TEST_F(DetalleTest, ElValidadorAnotaSusLineas) {
  lineas(2);
  teclear(15, 1, Q("A1"));
  teclear(15, 2, Q("Z1"));
  const QStringList log = textosLog();
  EXPECT_EQ(cuenta(Q("ENTRO A LA FUNCION-----validacioncontenedor")), 2);
  EXPECT_EQ(cuenta(Q("TERMINO LA FUNCION-----validacioncontenedor")), 1);  // none after a refusal
  // An empty code: the entry line only.
  teclear(15, 2, QString());
  EXPECT_EQ(cuenta(Q("ENTRO A LA FUNCION-----validacioncontenedor")), 3);
  EXPECT_EQ(cuenta(Q("TERMINO LA FUNCION-----validacioncontenedor")), 1);
}

TEST_F(DetalleTest, CantidadDentroDelLimiteSeGuardaYVaAlContenedor) {
  lineas(3);
  teclear(11, 2, Q("5"));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.text(11, 2), Q("5"));
  EXPECT_EQ(ws->vaSpread6.text(11, 2), Q("5"));
  EXPECT_EQ(cursor(), QPoint(15, 2));
  // Exactly the maximum, and a text that begins with the maximum.
  teclear(11, 1, Q("12"));
  EXPECT_TRUE(prompter.mensajes.empty());
  teclear(11, 3, Q("12abc"));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.text(11, 3), Q("12abc"));
  EXPECT_EQ(ws->vaSpread6.text(11, 3), Q("12abc"));
  EXPECT_EQ(cursor(), QPoint(15, 3));
  const QStringList esperado = {
      Q("ENTRO AL EVENTO-----vaspread1_Change"),
      Q("ENTRO AL EVENTO-----vaspread1_Change-----Validar contenedores"),
      Q("ENTRO AL EVENTO-----vaspread1_Change-----Validar cuand se modifican las cantidades"),
      Q("ENTRO AL EVENTO-----vaspread1_Change-----Esto es para bajar al renglón siguiente"),
      Q("ENTRO AL EVENTO-----vaspread1_Change-----Para que se mueva a la derecha a partir de la columna de cantidad"),
      Q("TERMINO EL EVENTO-----vaspread1_Change")};
  EXPECT_EQ(textosLog().mid(0, 6), esperado);
}

TEST_F(DetalleTest, CantidadSobreElLimiteRegresaAlMaximo) {
  lineas(3);
  teclear(11, 2, Q("5"));
  teclear(11, 2, Q("13"));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, kLimite12);
  EXPECT_EQ(prompter.mensajes[0].titulo, kTituloAplicacion);
  EXPECT_EQ(ws->vaspread1.text(11, 2), Q("12"));
  EXPECT_EQ(ws->vaSpread6.text(11, 2), Q("5"));  // the store keeps its previous quantity
  EXPECT_EQ(cursor(), QPoint(11, 2));
  // The handler ended at once: one exit line (from the first change) for two entries.
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----vaspread1_Change")), 2);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----vaspread1_Change")), 1);
  // Decimals count: 12.5 is above 12, 12.0 is not.
  teclear(11, 1, Q("12.5"));
  EXPECT_EQ(prompter.textos(), QStringList{kLimite12});
  teclear(11, 1, Q(" 12.0"));
  EXPECT_TRUE(prompter.mensajes.empty());
}

TEST_F(DetalleTest, CantidadVaciadaDejaElAlmacen) {
  lineas(2);
  teclear(11, 1, Q("7"));
  teclear(11, 1, QString());
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.text(11, 1), QString());
  EXPECT_EQ(ws->vaSpread6.text(11, 1), Q("7"));
  EXPECT_EQ(cursor(), QPoint(15, 1));
  // Both empty: nothing is stored, nothing refused.
  ws->vaSpread6.setText(11, 2, QString());
  teclear(11, 2, QString());
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaSpread6.text(11, 2), QString());
}

TEST_F(DetalleTest, LineasSinCantidadPedidaNoTienenLimite) {
  // After the tab-delimited import the grid has 15 columns.
  lineas(2, Q("4"));
  ws->vaspread1.setColLimit(15);
  teclear(11, 1, Q("40"));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.text(11, 1), Q("40"));
  EXPECT_EQ(ws->vaSpread6.text(11, 1), Q("40"));
  EXPECT_EQ(cursor(), QPoint(15, 1));
  // A column 16 that is empty or holds no number limits nothing either; 0 does.
  ws->vaspread1.setColLimit(16);
  ws->vaspread1.setText(16, 1, QString());
  teclear(11, 1, Q("41"));
  EXPECT_TRUE(prompter.mensajes.empty());
  ws->vaspread1.setText(16, 1, Q("n/d"));
  teclear(11, 1, Q("42"));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaSpread6.text(11, 1), Q("42"));
  ws->vaspread1.setText(16, 2, Q("0"));
  teclear(11, 2, Q("1"));
  EXPECT_EQ(prompter.textos(), QStringList{Q("La cantidad no puede ser mayor que < 0 > ")});
  EXPECT_EQ(ws->vaspread1.text(11, 2), Q("0"));
}

TEST_F(DetalleTest, UnContenedorEnUnaLineaSobrePasadaAvisaDeLaCantidad) {
  lineas(2);
  ws->vaspread1.setText(11, 1, Q("30"));  // written by something else
  teclear(15, 1, Q("A1"));
  EXPECT_EQ(prompter.textos(), QStringList{kLimite12});
  EXPECT_EQ(ws->vaspread1.text(11, 1), Q("12"));
  EXPECT_EQ(ws->vaSpread6.text(15, 1), Q("A1"));
  EXPECT_EQ(ws->vaspread1.text(14, 1), Q("Cajas - azules"));
  EXPECT_EQ(cursor(), QPoint(11, 1));
}

TEST_F(DetalleTest, ConLasRevisionesSuspendidasNadaSeRevisaNiSeBaja) {
  lineas(3);
  ws->sinvalidar = true;
  ws->cursor(ws->vaspread1, 15, 1);
  ws->vaspread1.setText(15, 1, Q("x1"));
  vaspread1_Change(*ws, 15, 1);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws->vaspread1.text(14, 1), QString());
  EXPECT_EQ(ws->vaSpread6.text(15, 1), Q("x1"));
  EXPECT_EQ(cursor(), QPoint(15, 1));
  // A quantity moves right even then, unchecked.
  ws->cursor(ws->vaspread1, 11, 2);
  ws->vaspread1.setText(11, 2, Q("99"));
  vaspread1_Change(*ws, 11, 2);
  EXPECT_TRUE(prompter.mensajes.empty());
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
}

TEST_F(DetalleTest, ElTecleoDelUsuarioSiempreSeRevisa) {
  // A flag left on by some command does not switch the checks off for the user.
  lineas(2);
  ws->sinvalidar = true;
  teclear(11, 1, Q("13"));
  EXPECT_EQ(prompter.textos(), QStringList{kLimite12});
  EXPECT_FALSE(ws->sinvalidar);
  ws->sinvalidar = true;
  teclear(15, 1, Q("H1"));
  EXPECT_EQ(ws->vaspread1.text(14, 1), Q("Colgado"));
  EXPECT_EQ(cursor(), QPoint(15, 2));
}

TEST_F(DetalleTest, EscrituraDelSistemaRestauraYRevisaAlTerminar) {
  lineas(4);
  {
    EscrituraDelSistema fuera(*ws);
    EXPECT_TRUE(ws->sinvalidar);
    {
      EscrituraDelSistema dentro(*ws);
      ws->vaspread1.setText(11, 2, Q("20"));
    }
    EXPECT_TRUE(ws->sinvalidar);          // the outer command still writes
    EXPECT_TRUE(prompter.mensajes.empty());  // checked once, at the end
    ws->vaspread1.setText(11, 4, Q("50"));
    ws->vaspread1.setText(11, 3, Q("12"));
  }
  EXPECT_FALSE(ws->sinvalidar);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto,
            kLimite12 + Q("\r\nSe regresaron 2 renglones a su cantidad pedida; el primero es el renglón 2."));
  EXPECT_EQ(ws->vaspread1.text(11, 2), Q("12"));
  EXPECT_EQ(ws->vaspread1.text(11, 4), Q("12"));
  EXPECT_EQ(ws->vaspread1.text(11, 3), Q("12"));
  EXPECT_EQ(cursor(), QPoint(11, 2));

  // A command that writes nothing above the limit says nothing; a flag
  // already on before the command stays on.
  prompter.limpiar();
  { EscrituraDelSistema g(*ws); }
  EXPECT_TRUE(prompter.mensajes.empty());
  ws->sinvalidar = true;
  { EscrituraDelSistema g(*ws); }
  EXPECT_TRUE(ws->sinvalidar);
  // terminar() ends it early, once.
  ws->sinvalidar = false;
  EscrituraDelSistema g(*ws);
  ws->vaspread1.setText(11, 1, Q("13"));
  g.terminar();
  EXPECT_FALSE(ws->sinvalidar);
  EXPECT_EQ(prompter.textos(), QStringList{kLimite12});
  g.terminar();
  EXPECT_EQ(prompter.mensajes.size(), 1u);
}

TEST_F(DetalleTest, RevisarCantidadesRespetaLasLineasSinCantidadPedida) {
  lineas(3);
  ws->vaspread1.setText(16, 1, QString());
  ws->vaspread1.setText(11, 1, Q("500"));
  ws->vaspread1.setText(11, 2, Q("12abc"));
  EXPECT_EQ(revisarCantidades(*ws), 0);
  EXPECT_EQ(ws->vaspread1.text(11, 1), Q("500"));
  ws->vaspread1.setColLimit(15);
  ws->vaspread1.setText(11, 3, Q("999"));
  EXPECT_EQ(revisarCantidades(*ws), 0);
  EXPECT_TRUE(prompter.mensajes.empty());
}

TEST_F(DetalleTest, ReglaDeSalidaDelDetalleEnCadaFrontera) {
  const std::pair<int, int> casos[] = {{0, 11},  {1, 11},  {3, 11},  {10, 11}, {11, 11}, {12, 15},
                                       {13, 15}, {14, 15}, {15, 15}, {16, 16}, {-1, -1}};
  for (const auto& [pedida, destino] : casos)
    EXPECT_EQ(vaspread1_LeaveCell(*ws, pedida, 7), QPoint(destino, 7)) << pedida;
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----vaspread1_LeaveCell")), 11);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----vaspread1_LeaveCell")), 11);
}

TEST_F(DetalleTest, ReglaDeSalidaDeLosEncabezadosDePedido) {
  const std::pair<int, int> casos[] = {{-1, -1}, {0, 0}, {1, 2}, {2, 2}, {3, 3},
                                       {5, 5},   {6, 5}, {8, 5}, {9, 5}};
  for (const auto& [pedida, destino] : casos)
    EXPECT_EQ(vaSpread9_LeaveCell(*ws, pedida, 3), QPoint(destino, 3)) << pedida;
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----vaSpread9_LeaveCell")), 9);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----vaSpread9_LeaveCell")), 0);
}

TEST_F(DetalleTest, FiltroDeTeclasDeLosEncabezadosDePedido) {
  for (int col : {3, 5}) {
    EXPECT_EQ(vaSpread9_KeyPress(*ws, col, QLatin1Char('a')), QLatin1Char('A')) << col;
    EXPECT_EQ(vaSpread9_KeyPress(*ws, col, QChar(u'ñ')), QChar(u'Ñ')) << col;
    EXPECT_EQ(vaSpread9_KeyPress(*ws, col, QLatin1Char('7')), QLatin1Char('7')) << col;
    EXPECT_EQ(vaSpread9_KeyPress(*ws, col, QLatin1Char('.')), QLatin1Char('.')) << col;
    EXPECT_EQ(vaSpread9_KeyPress(*ws, col, QLatin1Char('\b')), QLatin1Char('\b')) << col;
    for (QChar malo : Q("- ,é/"))
      EXPECT_TRUE(vaSpread9_KeyPress(*ws, col, malo).isNull()) << col;
  }
  // Other columns pass the key unchanged.
  EXPECT_EQ(vaSpread9_KeyPress(*ws, 4, QLatin1Char('-')), QLatin1Char('-'));
  EXPECT_EQ(vaSpread9_KeyPress(*ws, 4, QLatin1Char('a')), QLatin1Char('a'));
  EXPECT_EQ(vaSpread9_KeyPress(*ws, 2, QLatin1Char('x')), QLatin1Char('x'));
  EXPECT_EQ(prompter.beeps, 0);  // swallowed without a sound
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----vaSpread9_KeyPress")), 23);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----vaSpread9_KeyPress")), 23);
}

TEST_F(DetalleTest, TeclearUnTextoEnLosEncabezadosDePedido) {
  ws->vaSpread9.setRowTexts(1, {Q("4500001234"), Q("Alta")});
  ws->vaSpread9.setRowTexts(2, {Q("4500001235"), Q("Pedido Múltiple")});
  ws->vaSpread9.setLocked(2, 2, true);
  EXPECT_TRUE(vaSpread9_Teclear(*ws, 3, 1, Q("ab12")));
  EXPECT_EQ(ws->vaSpread9.text(3, 1), Q("AB12"));
  EXPECT_EQ(ws->vaSpread9.activeCol(), 3);
  EXPECT_FALSE(vaSpread9_Teclear(*ws, 5, 1, Q("1,234-50")));
  EXPECT_EQ(ws->vaSpread9.text(5, 1), Q("123450"));
  EXPECT_TRUE(vaSpread9_Teclear(*ws, 5, 1, Q("99.x\b50")));  // the letter is erased by backspace
  EXPECT_EQ(ws->vaSpread9.text(5, 1), Q("99.50"));
  EXPECT_TRUE(vaSpread9_Teclear(*ws, 4, 1, Q("fa-001")));
  EXPECT_EQ(ws->vaSpread9.text(4, 1), Q("fa-001"));
  // Locked cells, columns outside 2..5 and rows without an order take nothing.
  EXPECT_FALSE(vaSpread9_Teclear(*ws, 2, 2, Q("Alta")));
  EXPECT_EQ(ws->vaSpread9.text(2, 2), Q("Pedido Múltiple"));
  EXPECT_FALSE(vaSpread9_Teclear(*ws, 1, 1, Q("1")));
  EXPECT_FALSE(vaSpread9_Teclear(*ws, 6, 1, Q("1")));
  EXPECT_FALSE(vaSpread9_Teclear(*ws, 3, 3, Q("1")));
  EXPECT_EQ(ws->vaSpread9.text(1, 1), Q("4500001234"));
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 2);
}

TEST_F(DetalleTest, FocoYTeclasDeLosGrids) {
  vaSpread9_GotFocus(*ws);
  EXPECT_EQ(ws->cual_grid, Q("9"));
  vaspread1_GotFocus(*ws);
  EXPECT_EQ(ws->cual_grid, Q("1"));
  EXPECT_TRUE(textosLog().isEmpty());  // focus writes no log line
  // Keys other than Delete do nothing but log.
  EXPECT_FALSE(vaspread1_KeyDown(*ws, 40));
  EXPECT_FALSE(vaSpread9_KeyDown(*ws, 13));
  EXPECT_EQ(textosLog(), (QStringList{Q("ENTRO AL EVENTO-----vaspread1_KeyDown"),
                                      Q("TERMINO EL EVENTO-----vaspread1_KeyDown"),
                                      Q("ENTRO AL EVENTO-----vaSpread9_KeyDown"),
                                      Q("TERMINO EL EVENTO-----vaSpread9_KeyDown")}));
}

#if __has_include("editing/row_commands.h")
TEST_F(DetalleTest, LaTeclaSuprimirLimpiaLaCeldaDelGridEnfocado) {
  lineas(3);
  ws->vaSpread9.setRowTexts(1, {Q("4500001234"), Q("Alta"), Q("V1")});
  vaspread1_GotFocus(*ws);
  ws->cursor(ws->vaspread1, 11, 2);
  EXPECT_TRUE(vaspread1_KeyDown(*ws, 46));
  EXPECT_EQ(ws->vaspread1.text(11, 2), QString());
  EXPECT_EQ(ws->vaSpread6.text(11, 2), Q("12"));  // the store keeps the quantity
  EXPECT_EQ(ws->vaSpread9.text(3, 1), Q("V1"));
  // The grid named in cual_grid is the one cleared, whichever handler got the key.
  vaSpread9_GotFocus(*ws);
  ws->cursor(ws->vaSpread9, 3, 1);
  EXPECT_TRUE(vaSpread9_KeyDown(*ws, 46));
  EXPECT_EQ(ws->vaSpread9.text(3, 1), QString());
  EXPECT_EQ(ws->vaspread1.text(11, 1), Q("12"));
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO----suprimir_Click")), 2);
}
#endif

TEST_F(DetalleTest, TipsDeLosEncabezados) {
  const QStringList tips1 = {
      Q(" ORDEN DE COMPRA "), Q(" DEPARTAMENTO "), Q(" FECHA DE VORARIDO "), Q(" FECHA DE CANCELACION "),
      Q(" LUGAR - TIENDA "), Q(" SKU "), Q(" MODELO "), Q(" UPC/EAN "), Q(" COLOR "), Q(" TALLA "),
      Q(" RECUERDE QUE LA CANTIDAD DEBE SER MAYOR QUE O. "), QString(), QString(), Q(" TIPO DE ENTREGA "),
      Q(" RECUERDE QUE EL CONTENEDOR DEBE COMENZAR CON A, B, C, D, E, F, G, H, I, P, Q, R, S ó V. ")};
  for (int c = 1; c <= 15; ++c) {
    const TipCelda t = vaspread1_TextTipFetch(*ws, c, 0);
    EXPECT_EQ(t.texto, tips1[c - 1]) << c;
    EXPECT_TRUE(t.mostrar);
    EXPECT_TRUE(t.variasLineas);
    EXPECT_EQ(t.anchoTwips, 2200);
    EXPECT_EQ(vaspread1_TextTipFetch(*ws, c, 1).texto, QString()) << c;  // heading row only
  }
  EXPECT_EQ(vaspread1_TextTipFetch(*ws, 16, 0).texto, QString());
  const QStringList tips5 = {Q(" ORDEN DE COMPRA "), Q(" DEPARTAMENTO "), Q(" FECHA DE VORARIDO "),
                             Q(" FECHA DE CANCELACION ")};
  for (int c = 1; c <= 4; ++c) {
    EXPECT_EQ(vaspread5_TextTipFetch(*ws, c, 0).texto, tips5[c - 1]) << c;
    EXPECT_EQ(vaspread5_TextTipFetch(*ws, c, 2).texto, QString()) << c;
  }
  EXPECT_EQ(vaspread5_TextTipFetch(*ws, 5, 0).texto, QString());
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----vaspread1_TextTipFetch")), 31);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----vaspread5_TextTipFetch")), 9);
}

TEST(NumeroInicial, LeeElNumeroConQueEmpiezaElTexto) {
  EXPECT_EQ(numeroInicial(Q("12")), 12.0);
  EXPECT_EQ(numeroInicial(Q("12abc")), 12.0);
  EXPECT_EQ(numeroInicial(Q("  7")), 7.0);
  EXPECT_EQ(numeroInicial(Q("2.5")), 2.5);
  EXPECT_EQ(numeroInicial(Q(".5")), 0.5);
  EXPECT_EQ(numeroInicial(Q("-3")), -3.0);
  EXPECT_EQ(numeroInicial(Q("1e2")), 100.0);
  EXPECT_EQ(numeroInicial(Q("5E")), 5.0);
  EXPECT_EQ(numeroInicial(Q("1.2.3")), 1.2);
  EXPECT_EQ(numeroInicial(Q("1,200")), 1.0);
  EXPECT_EQ(numeroInicial(QString()), 0.0);
  EXPECT_EQ(numeroInicial(Q("abc")), 0.0);
  EXPECT_EQ(numeroInicial(Q(".")), 0.0);
  EXPECT_TRUE(empiezaConNumero(Q("0")));
  EXPECT_TRUE(empiezaConNumero(Q(" 4 cajas")));
  EXPECT_FALSE(empiezaConNumero(Q("n/d")));
  EXPECT_FALSE(empiezaConNumero(Q("-")));
  EXPECT_FALSE(empiezaConNumero(QString()));
}

}  // namespace
