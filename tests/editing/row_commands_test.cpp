// Row and clipboard commands of the detail grid: insert, duplicate, delete
// rows and ranges, clear a cell, cut, copy and paste.
#include "editing/row_commands.h"

#include "editing/detail_rules.h"
#include "fixture.h"

namespace {

const QString kPregunta =
    Q("Recuerde seleccionar una celda del renglón a duplicar... ¿Realmente desea duplicar este renglón?");

class RenglonesTest : public WorkspaceTest {
 protected:
  // `n` lines in vaspread1 and vaSpread6: SKU "SKU<r>", quantity and ordered
  // quantity 10 + r.
  void lineas(int n) {
    for (int r = 1; r <= n; ++r) {
      const QString cantidad = QString::number(10 + r);
      const QStringList celdas = {Q("4500001234"), Q("123"), Q("01/12/26"), Q("20/12/26"), Q("0101"),
                                  QStringLiteral("SKU%1").arg(r), Q("sin modelo"), Q("750100000000"),
                                  Q("sin color"), Q("sin talla"), cantidad, Q("10.00"), Q("20.00"),
                                  Q("Pallets"), QStringLiteral("P%1").arg(r)};
      ws->vaspread1.setRowTexts(r, celdas);
      ws->vaspread1.setText(16, r, cantidad);
      ws->vaSpread6.setRowTexts(r, celdas);
    }
  }
  // Column 6 (SKU) of rows 1..data row count.
  static QStringList skus(const Grid& g) {
    QStringList s;
    for (int r = 1; r <= g.dataRowCount(); ++r) s.append(g.text(6, r));
    return s;
  }
  int cuenta(const QString& linea) const { return static_cast<int>(textosLog().count(linea)); }
};

TEST_F(RenglonesTest, DuplicarLaFilaTresDeCincoCopiaTodaLaFilaSoloEnElDetalle) {
  lineas(5);
  ws->vaspread1.setRowLimit(50000);
  ws->cursor(ws->vaspread1, 11, 3);
  prompter.respuestas.push_back(Respuesta::Si);
  b_duplicar_Click(*ws);

  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, kPregunta);
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("RECORDATORIO"));
  EXPECT_EQ(prompter.mensajes[0].botones, Botones::SiNo);
  EXPECT_EQ(skus(ws->vaspread1), (QStringList{Q("SKU1"), Q("SKU2"), Q("SKU3"), Q("SKU3"), Q("SKU4"), Q("SKU5")}));
  EXPECT_EQ(ws->vaspread1.rowTexts(4), ws->vaspread1.rowTexts(3));
  EXPECT_EQ(ws->vaspread1.text(16, 4), Q("13"));  // the hidden ordered quantity too
  EXPECT_EQ(ws->vaspread1.activeRow(), 4);
  EXPECT_EQ(ws->vaspread1.rowLimit(), 50001);
  // The order line store is not touched: from row 4 down the two are out of line.
  EXPECT_EQ(skus(ws->vaSpread6), (QStringList{Q("SKU1"), Q("SKU2"), Q("SKU3"), Q("SKU4"), Q("SKU5")}));
  // The copied row is on the clipboard, the way a spreadsheet takes it.
  EXPECT_EQ(prompter.leerPortapapeles(), ws->vaspread1.rowTexts(3).join(QLatin1Char('\t')));
  // The record duplicarspread6 will read.
  EXPECT_EQ(ws->ultimaInsercion.filaInsertada, 4);
  EXPECT_EQ(ws->ultimaInsercion.limiteFilas, 50001);
  EXPECT_EQ(ws->ultimaInsercion.filaOrigen, 3);
  EXPECT_EQ(ws->ultimaInsercion.filaDuplicada, 4);
  EXPECT_EQ(textosLog(), (QStringList{Q("ENTRO AL EVENTO-----b_duplicar_Click"),
                                      Q("ENTRO EN LA FUNCION-----duplicarrenglon"),
                                      Q("ENTRO AL EVENTO-----insertar_Click"),
                                      Q("TERMINO EL EVENTO-----insertar_Click"),
                                      Q("TERMINO LA FUNCION-----duplicarrenglon"),
                                      Q("TERMINO EL EVENTO-----b_duplicar_Click")}));

  // duplicarspread6 repeats the same insertion on the store: both in line again.
  duplicarspread6(*ws);
  EXPECT_EQ(skus(ws->vaSpread6), skus(ws->vaspread1));
  EXPECT_EQ(ws->vaSpread6.rowTexts(4), ws->vaSpread6.rowTexts(3));
  EXPECT_EQ(cuenta(Q("ENTRO A LA FUNCION-----duplicarspread6-----inserta un renglon")), 1);
  EXPECT_EQ(cuenta(Q("TERMINO LA FUNCION-----duplicarspread6")), 1);
}

TEST_F(RenglonesTest, LosMenusDuplicanUnaDosCincoYDiezVeces) {
  lineas(3);
  ws->cursor(ws->vaspread1, 11, 2);
  cinco_Click(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(skus(ws->vaspread1), (QStringList{Q("SKU1"), Q("SKU2"), Q("SKU2"), Q("SKU2"), Q("SKU2"), Q("SKU2"),
                                              Q("SKU2"), Q("SKU3")}));
  for (int r = 3; r <= 7; ++r) EXPECT_EQ(ws->vaspread1.rowTexts(r), ws->vaspread1.rowTexts(2)) << r;
  EXPECT_EQ(ws->vaspread1.activeRow(), 7);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 3);
  EXPECT_EQ(cuenta(Q("ENTRO EN LA FUNCION-----duplicarrenglon")), 5);
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----cinco_Click")), 1);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----cinco_Click")), 1);

  ws->cursor(ws->vaspread1, 11, 8);
  diez_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 18);
  EXPECT_EQ(ws->vaspread1.text(6, 18), Q("SKU3"));
  EXPECT_EQ(ws->vaspread1.activeRow(), 18);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----diez_Click()")), 1);

  ws->cursor(ws->vaspread1, 11, 1);
  dos_Click(*ws);
  EXPECT_EQ(skus(ws->vaspread1).mid(0, 4), (QStringList{Q("SKU1"), Q("SKU1"), Q("SKU1"), Q("SKU2")}));
  EXPECT_EQ(ws->vaspread1.activeRow(), 3);
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----dos_Click")), 1);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----dos_Click")), 1);

  // "Un Renglón" writes no event lines of its own.
  const int antes = static_cast<int>(textosLog().size());
  uno_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 21);
  EXPECT_EQ(ws->vaspread1.activeRow(), 4);
  const QStringList nuevas = textosLog().mid(antes);
  EXPECT_EQ(nuevas.first(), Q("ENTRO EN LA FUNCION-----duplicarrenglon"));
  EXPECT_EQ(nuevas.last(), Q("TERMINO LA FUNCION-----duplicarrenglon"));
}

TEST_F(RenglonesTest, SinLineasODiciendoNoNadaCambia) {
  // An empty grid: every duplicate says so and logs no exit line.
  for (auto comando : {&b_duplicar_Click, &uno_Click, &dos_Click, &cinco_Click, &diez_Click}) {
    prompter.limpiar();
    comando(*ws);
    ASSERT_EQ(prompter.mensajes.size(), 1u);
    EXPECT_EQ(prompter.mensajes[0].texto, Q("No hay datos en el grid!"));
    EXPECT_EQ(prompter.mensajes[0].titulo, Q("Información Incompleta"));
  }
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----b_duplicar_Click")), 0);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----diez_Click()")), 0);
  EXPECT_EQ(cuenta(Q("ENTRO EN LA FUNCION-----duplicarrenglon")), 0);
  // The other commands on an empty grid leave it empty and raise nothing.
  ws->cual_grid = Q("1");
  insertar_Click(*ws);
  borrar_Click(*ws);
  eliminar_ren_Click(*ws);
  Command1_Click(*ws);
  suprimir_Click(*ws);
  cortar_Click(*ws);
  b_copy_Click(*ws);
  prompter.escribirPortapapeles(Q("X1\tY"));
  b_paste_Click(*ws);
  duplicarspread6(*ws);  // no duplication yet: nothing to repeat
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 0);
  EXPECT_EQ(ws->vaspread1.storedRows(), 0);
  EXPECT_FALSE(ws->sinvalidar);

  // No to the question: nothing changes, both lines are logged.
  lineas(5);
  textosLog();
  ws->cursor(ws->vaspread1, 11, 3);
  prompter.limpiar();
  const int antes = static_cast<int>(textosLog().size());
  b_duplicar_Click(*ws);  // the script answers No
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("RECORDATORIO"));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 5);
  EXPECT_EQ(ws->vaspread1.activeRow(), 3);
  EXPECT_EQ(textosLog().mid(antes), (QStringList{Q("ENTRO AL EVENTO-----b_duplicar_Click"),
                                                 Q("TERMINO EL EVENTO-----b_duplicar_Click")}));

  // The cursor below the last line: a duplicate copies nothing.
  ws->cursor(ws->vaspread1, 11, 9);
  dos_Click(*ws);
  insertar_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 5);
  EXPECT_EQ(ws->vaspread1.storedRows(), 5);
}

TEST_F(RenglonesTest, BorrarRenglonActuaSobreElGridDeCualGrid) {
  lineas(4);
  ws->vaSpread7.setText(1, 2, Q("siete"));
  ws->vaSpread7.setText(1, 3, Q("tres"));
  for (int r = 1; r <= 3; ++r) ws->vaSpread9.setRowTexts(r, {QStringLiteral("450000%1").arg(r), Q("Alta")});
  ws->cual_grid = Q("9");
  ws->cursor(ws->vaSpread9, 3, 2);
  ws->cursor(ws->vaspread1, 11, 2);
  borrar_Click(*ws);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 2);
  EXPECT_EQ(ws->vaSpread9.text(1, 2), Q("4500003"));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 4);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 4);

  ws->cual_grid = Q("1");
  borrar_Click(*ws);
  EXPECT_EQ(skus(ws->vaspread1), (QStringList{Q("SKU1"), Q("SKU3"), Q("SKU4")}));
  EXPECT_EQ(skus(ws->vaSpread6), (QStringList{Q("SKU1"), Q("SKU3"), Q("SKU4")}));
  EXPECT_EQ(ws->vaSpread7.text(1, 2), Q("tres"));
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 2);

  // Neither grid named: nothing.
  ws->cual_grid.clear();
  borrar_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 3);

  // "Eliminar renglones" with nothing selected is the same as Borrar.
  ws->cual_grid = Q("1");
  ws->cursor(ws->vaspread1, 15, 1);
  eliminar_ren_Click(*ws);
  EXPECT_EQ(skus(ws->vaspread1), (QStringList{Q("SKU3"), Q("SKU4")}));
  EXPECT_EQ(skus(ws->vaSpread6), (QStringList{Q("SKU3"), Q("SKU4")}));

  const QStringList log = textosLog();
  EXPECT_EQ(log.count(Q("MODULO2-----ENTRO A LA FUNCION-----borrar_renglones")), 4);
  EXPECT_EQ(log.count(Q("ENTRO AL EVENTO-----borrar_Click")), 3);
  EXPECT_EQ(log.count(Q("TERMINO EL EVENTO-----eliminar_ren_Click")), 1);
  EXPECT_EQ(log.count(Q("MODULO2-----ERROR EN LA FUNCION-----borrar_renglones")), 0);
}

TEST_F(RenglonesTest, VariosRangosSeBorranExactamente) {
  lineas(12);
  // Rows 2-3, 6 (a range of one row, columns 11 to 15), 9-10 overlapping 10-11.
  ws->vaspread1.setSelections({{11, 2, 11, 3}, {11, 6, 15, 6}, {1, 9, 15, 10}, {15, 10, 15, 11}});
  ws->cursor(ws->vaspread1, 11, 12);
  eliminar_ren_Click(*ws);
  const QStringList quedan = {Q("SKU1"), Q("SKU4"), Q("SKU5"), Q("SKU7"), Q("SKU8"), Q("SKU12")};
  EXPECT_EQ(skus(ws->vaspread1), quedan);
  EXPECT_EQ(skus(ws->vaSpread6), quedan);
  EXPECT_TRUE(ws->vaspread1.selections().isEmpty());
  EXPECT_EQ(ws->vaspread1.activeRow(), 6);  // the cursor stays on a line
  EXPECT_EQ(cuenta(Q("MODULO2-----ENTRO A LA FUNCION-----borrar_renglones")), 0);

  // Command1: the selected rows of the detail grid only; nothing selected, nothing.
  ws->vaspread1.setSelections({{11, 1, 11, 1}, {11, 5, 15, 6}});
  Command1_Click(*ws);
  EXPECT_EQ(skus(ws->vaspread1), (QStringList{Q("SKU4"), Q("SKU5"), Q("SKU7")}));
  EXPECT_EQ(skus(ws->vaSpread6), quedan);
  Command1_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 3);
  EXPECT_EQ(textosLog().mid(textosLog().size() - 2),
            (QStringList{Q("ENTRO AL EVENTO-----Command1_Click"), Q("TERMINO EL EVENTO-----Command1_Click")}));

  // Ranges below the last line delete nothing.
  ws->vaspread1.setSelections({{11, 7, 11, 900}});
  eliminar_ren_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 3);
}

TEST_F(RenglonesTest, SuprimirYCortarVacianSoloLaCeldaDelGrid) {
  lineas(3);
  ws->cual_grid = Q("1");
  ws->cursor(ws->vaspread1, 11, 2);
  suprimir_Click(*ws);
  EXPECT_EQ(ws->vaspread1.text(11, 2), QString());
  EXPECT_EQ(ws->vaSpread6.text(11, 2), Q("12"));  // the store keeps the quantity
  EXPECT_EQ(textosLog(), (QStringList{Q("ENTRO AL EVENTO----suprimir_Click"), Q("TERMINO EL EVENTO----suprimir_Click")}));

  // In vaSpread9 a locked movement type keeps its text.
  ws->vaSpread9.setRowTexts(1, {Q("4500001234"), Q("Pedido Múltiple"), Q("V1")});
  ws->vaSpread9.setLocked(2, 1, true);
  ws->cual_grid = Q("9");
  ws->cursor(ws->vaSpread9, 2, 1);
  suprimir_Click(*ws);
  EXPECT_EQ(ws->vaSpread9.text(2, 1), Q("Pedido Múltiple"));
  ws->cursor(ws->vaSpread9, 3, 1);
  suprimir_Click(*ws);
  EXPECT_EQ(ws->vaSpread9.text(3, 1), QString());

  // Cut: the selection of the grid in cual_grid goes to the clipboard and is emptied.
  ws->cual_grid = Q("1");
  ws->vaspread1.setSelections({{11, 1, 15, 1}});
  cortar_Click(*ws);
  EXPECT_EQ(prompter.leerPortapapeles(), Q("11\t10.00\t20.00\tPallets\tP1"));
  for (int c = 11; c <= 15; ++c) EXPECT_EQ(ws->vaspread1.text(c, 1), QString()) << c;
  EXPECT_EQ(ws->vaspread1.text(10, 1), Q("sin talla"));
  EXPECT_EQ(ws->vaSpread6.text(15, 1), Q("P1"));
  EXPECT_FALSE(ws->sinvalidar);
}

TEST_F(RenglonesTest, CopiarYPegarPorCadaRangoSeleccionado) {
  lineas(6);
  ws->cual_grid = Q("9");  // copy always reads the detail grid
  ws->cursor(ws->vaspread1, 15, 1);
  b_copy_Click(*ws);
  EXPECT_EQ(prompter.leerPortapapeles(), Q("P1"));
  EXPECT_FALSE(ws->sinvalidar);

  // One cell pasted over rows 2 to 4: each row at the range's first column.
  ws->vaspread1.setSelections({{15, 2, 15, 4}});
  b_paste_Click(*ws);
  for (int r = 2; r <= 4; ++r) EXPECT_EQ(ws->vaspread1.text(15, r), Q("P1")) << r;
  EXPECT_EQ(ws->vaspread1.text(15, 5), Q("P5"));
  EXPECT_EQ(ws->vaSpread6.text(15, 3), Q("P3"));  // the store is not touched
  EXPECT_FALSE(ws->sinvalidar);  // the checks are back once the paste is done
  EXPECT_EQ(textosLog().mid(0, 2), (QStringList{Q("ENTRO AL EVENTO-----b_paste_Click"), Q("ENTRO AL EVENTO-----pegar_Click")}));
  EXPECT_EQ(textosLog().last(), Q("TERMINO EL EVENTO-----b_paste_Click"));

  // Two ranges side by side copy as one block; a spreadsheet's block (LF
  // rows, final line end) fills a range of as many rows in its order.
  ws->vaspread1.setSelections({{11, 5, 11, 6}, {15, 5, 15, 6}});
  b_copy_Click(*ws);
  EXPECT_EQ(prompter.leerPortapapeles(), Q("15\tP5\r\n16\tP6"));
  prompter.escribirPortapapeles(Q("7\tC7\n8\tC8\n"));
  ws->vaspread1.setSelections({{11, 1, 15, 2}, {11, 4, 11, 4}});
  pegar_Click(*ws);
  EXPECT_EQ(ws->vaspread1.rowTexts(1).mid(10, 2), (QStringList{Q("7"), Q("C7")}));
  EXPECT_EQ(ws->vaspread1.rowTexts(2).mid(10, 2), (QStringList{Q("8"), Q("C8")}));
  // A range of one row takes the whole block from its first row.
  EXPECT_EQ(ws->vaspread1.rowTexts(4).mid(10, 2), (QStringList{Q("7"), Q("C7")}));
  EXPECT_EQ(ws->vaspread1.rowTexts(5).mid(10, 2), (QStringList{Q("8"), Q("C8")}));
  EXPECT_EQ(ws->vaspread1.text(11, 3), Q("13"));

  // A pasted quantity above the ordered one is set back, with the message.
  prompter.limpiar();
  prompter.escribirPortapapeles(Q("99"));
  ws->vaspread1.setSelections({});
  ws->cursor(ws->vaspread1, 11, 6);
  pegar_Click(*ws);
  EXPECT_EQ(ws->vaspread1.text(11, 6), Q("16"));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("La cantidad no puede ser mayor que < 16 > "));

  // Nothing lands below the last line.
  prompter.escribirPortapapeles(Q("1\r\n2\r\n3"));
  ws->cursor(ws->vaspread1, 11, 5);
  pegar_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 6);
  EXPECT_EQ(ws->vaspread1.text(11, 6), Q("2"));
  EXPECT_EQ(ws->vaspread1.storedRows(), 6);
}

TEST_F(RenglonesTest, TextoDelPortapapeles) {
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

}  // namespace
