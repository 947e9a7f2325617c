#include "notice/header_fields.h"

#include "fixture.h"

namespace {

class HeaderFieldsTest : public WorkspaceTest {
 protected:
  QString teclear(int indice, const QString& texto) {
    ws->Text1[indice].clear();
    Text1_Teclear(*ws, indice, texto);
    return ws->Text1[indice];
  }
};

TEST_F(HeaderFieldsTest, EncabezadoImportEmptiesAllSevenAndPrepararCopiesToRowSeven) {
  for (int i = 1; i <= 7; ++i) ws->Text1[i] = QStringLiteral("v") + QString::number(i);
  EXPECT_TRUE(encabezadocampos(*ws, QStringLiteral("preparar"), 7));
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(ws->vaSpread3.text(i, 7), QStringLiteral("v") + QString::number(i));
  EXPECT_TRUE(ws->vaSpread3.text(8, 7).isEmpty());
  EXPECT_EQ(ws->vaSpread3.dataRowCount(), 7);

  EXPECT_TRUE(encabezadocampos(*ws, QStringLiteral("importararchiv"), 7));
  for (int i = 1; i <= 7; ++i) EXPECT_TRUE(ws->Text1[i].isEmpty()) << i;
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_TRUE(textosLog().contains(QStringLiteral("TERMINO LA FUNCION-----encabezadocampos")));
}

TEST_F(HeaderFieldsTest, EncabezadoRefusesUnknownModeAndBadCount) {
  ws->Text1[3] = QStringLiteral("12");
  EXPECT_FALSE(encabezadocampos(*ws, QStringLiteral("otra"), 7));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Error Inesperado en los Campos del Encabezado"));
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("DUDIZOD"));
  EXPECT_EQ(ws->Text1[3], QStringLiteral("12"));

  EXPECT_FALSE(encabezadocampos(*ws, QStringLiteral("importararchiv"), 8));
  ASSERT_EQ(prompter.mensajes.size(), 2u);
  EXPECT_EQ(prompter.mensajes[1].titulo, QStringLiteral("Error"));
  EXPECT_TRUE(prompter.mensajes[1].texto.startsWith(Q("Error Inesperado en los Campos del Encabezado\r\n(9) ")));
  EXPECT_EQ(ws->Text1[3], QStringLiteral("12"));
}

TEST_F(HeaderFieldsTest, KeyFiltersUpperCaseAndBeep) {
  EXPECT_EQ(Text1_KeyPress(*ws, 3, QLatin1Char('a')), QLatin1Char('A'));
  EXPECT_EQ(Text1_KeyPress(*ws, 6, QChar(0x00F1)), QChar(0x00D1));  // ñ -> Ñ
  EXPECT_EQ(prompter.beeps, 0);
  EXPECT_TRUE(Text1_KeyPress(*ws, 3, QLatin1Char('-')).isNull());
  EXPECT_EQ(prompter.beeps, 1);
  EXPECT_TRUE(Text1_KeyPress(*ws, 1, QChar(0x00E1)).isNull());  // á has no place in a number
  EXPECT_EQ(Text1_KeyPress(*ws, 3, QChar(0x08)), QChar(0x08));
  EXPECT_EQ(Text1_KeyPress(*ws, 7, QChar(0x08)), QChar(0x08));
  EXPECT_TRUE(Text1_KeyPress(*ws, 7, QLatin1Char(',')).isNull());
  EXPECT_TRUE(Text1_KeyPress(*ws, 7, QLatin1Char('a')).isNull());
  EXPECT_EQ(Text1_KeyPress(*ws, 7, QLatin1Char('.')), QLatin1Char('.'));
  EXPECT_EQ(prompter.beeps, 4);
  // Free boxes take anything.
  EXPECT_EQ(Text1_KeyPress(*ws, 2, QLatin1Char('-')), QLatin1Char('-'));
  EXPECT_EQ(Text1_KeyPress(*ws, 5, QLatin1Char('a')), QLatin1Char('a'));
  EXPECT_EQ(prompter.beeps, 4);
  EXPECT_TRUE(textosLog().contains(QStringLiteral("ENTRO AL EVENTO-----Text1_KeyPress")));

  EXPECT_EQ(teclear(3, QStringLiteral("a-b12")), QStringLiteral("AB12"));
  EXPECT_EQ(teclear(3, QStringLiteral("abcdef")), QStringLiteral("ABCD"));  // four at most
  EXPECT_EQ(teclear(6, Q("f-100\bx")), QStringLiteral("F10X"));
  EXPECT_EQ(teclear(7, QStringLiteral("1,500.5")), QStringLiteral("1500.5"));
}

TEST_F(HeaderFieldsTest, AmountFormat) {
  EXPECT_EQ(formatoImporte(QStringLiteral("12.5")), QStringLiteral("12.50"));
  EXPECT_EQ(formatoImporte(QStringLiteral("0.75")), QStringLiteral(".75"));
  EXPECT_EQ(formatoImporte(QStringLiteral("0.5")), QStringLiteral(".50"));
  EXPECT_EQ(formatoImporte(QStringLiteral("1234.5")), QStringLiteral("1234.50"));
  EXPECT_EQ(formatoImporte(QStringLiteral("1500")), QStringLiteral("1500.00"));
  EXPECT_EQ(formatoImporte(QStringLiteral("0")), QStringLiteral(".00"));
  EXPECT_EQ(formatoImporte(QStringLiteral("2.345")), QStringLiteral("2.35"));
  EXPECT_EQ(formatoImporte(QStringLiteral("9.995")), QStringLiteral("10.00"));
  EXPECT_EQ(formatoImporte(QStringLiteral("0.994")), QStringLiteral(".99"));
  EXPECT_EQ(formatoImporte(QStringLiteral("12345678901234.5")), QStringLiteral("12345678901234.50"));
  EXPECT_EQ(formatoImporte(QString()), QString());
  EXPECT_EQ(formatoImporte(QStringLiteral("1.2.3")), QStringLiteral("1.2.3"));
  EXPECT_EQ(formatoImporte(QStringLiteral("abc")), QStringLiteral("abc"));
  EXPECT_EQ(formatoImporte(QStringLiteral(".")), QStringLiteral("."));

  ws->Text1[7] = QStringLiteral("12.5");
  Text1_LostFocus(*ws, 7);
  EXPECT_EQ(ws->Text1[7], QStringLiteral("12.50"));
  ws->Text1[7].clear();
  Text1_LostFocus(*ws, 7);
  EXPECT_TRUE(ws->Text1[7].isEmpty());
  ws->Text1[3] = QStringLiteral("0.5");
  Text1_LostFocus(*ws, 3);
  EXPECT_EQ(ws->Text1[3], QStringLiteral("0.5"));
}

TEST_F(HeaderFieldsTest, MovementTypeAndDateBoxesHandOver) {
  ws->Text1[2] = QStringLiteral("Baja");
  Text1_GotFocus(*ws, 2);
  EXPECT_EQ(ws->Combo1.texto, QStringLiteral("Baja"));
  EXPECT_EQ(ws->Combo1.indice, 1);
  EXPECT_EQ(ws->foco, QStringLiteral("Combo1"));
  EXPECT_TRUE(ws->controles[QStringLiteral("Combo1")].visible);
  EXPECT_FALSE(ws->controles[QStringLiteral("Text1_2")].tabStop);

  ws->Combo1.texto = QStringLiteral("Alta");
  ws->Text1[2] = QStringLiteral("Otro");
  Text1_GotFocus(*ws, 2);
  EXPECT_EQ(ws->Combo1.texto, QStringLiteral("Alta"));

  ws->Text1[4] = QStringLiteral("09/12/2026");
  Text1_GotFocus(*ws, 4);
  EXPECT_EQ(ws->DTPicker1_4, QDate(2026, 12, 9));
  EXPECT_EQ(ws->foco, QStringLiteral("DTPicker1_4"));
  EXPECT_FALSE(ws->controles[QStringLiteral("Text1_4")].tabStop);
  // A text that gives no date leaves the picker alone.
  ws->Text1[4] = QStringLiteral("31/02/2027");
  Text1_GotFocus(*ws, 4);
  EXPECT_EQ(ws->DTPicker1_4, QDate(2026, 12, 9));
  DTPicker1_LostFocus(*ws, 4);
  EXPECT_TRUE(ws->controles[QStringLiteral("Text1_4")].tabStop);
  EXPECT_TRUE(textosLog().contains(QStringLiteral("ENTRO AL EVENTO----Text1_GotFocus")));
  EXPECT_TRUE(prompter.mensajes.empty());
}

TEST_F(HeaderFieldsTest, WeekendIsRefusedAndWeekdayMirrored) {
  ws->DTPicker1_4 = QDate(2026, 12, 10);
  DTPicker1_Change(*ws, 4);
  EXPECT_EQ(ws->Text1[4], QStringLiteral("10/12/2026"));
  EXPECT_TRUE(prompter.mensajes.empty());

  ws->DTPicker1_4 = QDate(2026, 12, 13);  // a Sunday
  DTPicker1_Change(*ws, 4);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("No se pueden seleccionar Sábados y Domingos"));
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Aviso"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Informacion);
  EXPECT_EQ(ws->DTPicker1_4, QDate(2026, 12, 7));
  EXPECT_EQ(ws->Text1[4], QStringLiteral("10/12/2026"));

  // Another picker index does nothing.
  ws->DTPicker1_4 = QDate(2026, 12, 12);
  DTPicker1_Change(*ws, 3);
  EXPECT_EQ(prompter.mensajes.size(), 1u);

  EXPECT_FALSE(elegirFechaEntrega(*ws, QDate(2026, 12, 4)));  // before today: not offered
  EXPECT_EQ(ws->DTPicker1_4, QDate(2026, 12, 12));
  EXPECT_FALSE(elegirFechaEntrega(*ws, QDate(2026, 12, 19)));  // Saturday
  EXPECT_EQ(ws->DTPicker1_4, QDate(2026, 12, 7));
  EXPECT_TRUE(elegirFechaEntrega(*ws, QDate(2026, 12, 9)));
  EXPECT_EQ(ws->Text1[4], QStringLiteral("09/12/2026"));
}

TEST_F(HeaderFieldsTest, LeavingThePickerListsEveryLateOrderInOneBox) {
  ws->vaSpread9.setRowTexts(1, {QStringLiteral("111"), {}, {}, {}, {}, {}, {}, QStringLiteral("08/12/2026")});
  ws->vaSpread9.setRowTexts(2, {QStringLiteral("222"), {}, {}, {}, {}, {}, {}, QString()});
  ws->vaSpread9.setRowTexts(3, {QStringLiteral("333"), {}, {}, {}, {}, {}, {}, QStringLiteral("09/12/2026")});
  ws->vaSpread9.setRowTexts(4, {QStringLiteral("444"), {}, {}, {}, {}, {}, {}, QStringLiteral("10/12/2026")});
  ws->DTPicker1_4 = QDate(2026, 12, 9);
  DTPicker1_LostFocus(*ws, 4);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto,
            Q("La fecha de entrega no puede ser mayor a la fecha de cancelación de la OC: 111\r\n"));
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("DUDIZOD"));
  EXPECT_EQ(ws->DTPicker1_4, QDate(2026, 12, 9));

  ws->DTPicker1_4 = QDate(2026, 12, 11);
  DTPicker1_LostFocus(*ws, 4);
  ASSERT_EQ(prompter.mensajes.size(), 2u);
  EXPECT_EQ(prompter.mensajes[1].texto,
            Q("La fecha de entrega no puede ser mayor a la fecha de cancelación de la OC: 111\r\n"
              "La fecha de entrega no puede ser mayor a la fecha de cancelación de la OC: 333\r\n"
              "La fecha de entrega no puede ser mayor a la fecha de cancelación de la OC: 444\r\n"));

  ws->DTPicker1_4 = QDate(2026, 12, 8);
  DTPicker1_LostFocus(*ws, 4);
  EXPECT_EQ(prompter.mensajes.size(), 2u);
}

TEST_F(HeaderFieldsTest, DatesAreReadDayFirst) {
  EXPECT_EQ(fechaTexto::leer(QStringLiteral("03/04/2027")), QDate(2027, 4, 3));
  EXPECT_EQ(fechaTexto::leer(QStringLiteral("3/4/27")), QDate(2027, 4, 3));
  EXPECT_EQ(fechaTexto::leer(QStringLiteral("03-04-1999")), QDate(1999, 4, 3));
  EXPECT_EQ(fechaTexto::leer(QStringLiteral("03/04/45")), QDate(1945, 4, 3));
  EXPECT_FALSE(fechaTexto::leer(QStringLiteral("13/13/2026")).isValid());
  EXPECT_FALSE(fechaTexto::leer(QStringLiteral("2026/12/01")).isValid());
  EXPECT_FALSE(fechaTexto::leer(QStringLiteral("ab/cd/efgh")).isValid());
  EXPECT_FALSE(fechaTexto::leer(QString()).isValid());
  EXPECT_EQ(fechaTexto::ddmmaaaa(QDate(2026, 1, 5)), QStringLiteral("05/01/2026"));
}

}  // namespace
