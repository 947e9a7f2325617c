// What the notice's procedures say and write that the golden notices of
// aviso-lote cannot reach: the builder's own checks, the field rules, the
// header boxes, the send command and the fixed-format pass.
#include <QFile>

#include "client/form5.h"
#include "editing/container_kinds.h"
#include "notice/builder.h"
#include "notice/header_fields.h"
#include "client/conexion_ajustes.h"
#include "notice/envio_aviso.h"
#include "notice/output.h"
#include "notice/validation.h"
#include "shipment.h"

namespace {

class ReglasTest : public WorkspaceTest {};

// The delivery kinds are written again on every line when no line is refused,
// up to the line whose container is refused, and on none when a quantity is.
TEST_F(ReglasTest, TiposDeEntregaHastaLaFalla) {
  const struct Caso {
    int columna;  // of the first line (0: none changed)
    const char* valor;
    bool segunda;  // the second line's kind written again
  } casos[] = {{colDetalle::Cantidad, "", false},          {colDetalle::Cantidad, "0", false},
               {colDetalle::Cantidad, "123456789012345", false}, {colDetalle::Contenedor, "", false},
               {colDetalle::Contenedor, "A1234", false},   {0, "", true}};
  const QString tipo = descripcionContenedor(lineaDePrueba().contenedor);
  for (const Caso& k : casos) {
    SCOPED_TRACE(std::to_string(k.columna) + " " + k.valor);
    ejemplo(*ws);
    for (Grid* g : {&ws->vaspread1, &ws->vaSpread6}) g->setText(colDetalle::TipoEntrega, 2, Q("x"));
    if (k.columna) ws->vaspread1.setText(k.columna, 1, Q(k.valor));
    EXPECT_EQ(validar(*ws), k.columna ? Resultado::Rechazado : Resultado::Hecho);
    EXPECT_EQ(ws->vaspread1.text(colDetalle::TipoEntrega, 2) == tipo, k.segunda);
    EXPECT_EQ(ws->vaSpread6.text(colDetalle::TipoEntrega, 2) == tipo, k.segunda);
  }
}

// The second order misses a value the builder asks for: the whole build is refused.
TEST_F(ReglasTest, ValoresQueFaltan) {
  struct Caso {
    int columna;   // of vaSpread9 (0: the detail line's colour, -1: its size)
    const char* mensaje;
  } casos[] = {{2, "Falta Información en Tipo de Movimiento"},
               {3, "Falta Información en Número de Vorarido"},
               {1, "Falta Información en el Número de Pedido"},
               {4, "Falta Información en el Número de Factura"},
               {5, "Falta Información en el Importe de la Factura"},
               {0, "Falta Información de:\r\n\r\nCOLOR\r\n\r\nEn el renglón:  2"},
               {-1, "Falta Información de:\r\n\r\nTALLA\r\n\r\nEn el renglón:  2"}};
  for (const Caso& k : casos) {
    prompter.limpiar();
    ejemplo(*ws);
    Orden o2 = ordenDePrueba();
    o2.orden = QStringLiteral("22222222");
    o2.factura = QStringLiteral("F-2");
    ponerOrdenes(*ws, {ordenDePrueba(), o2});
    Linea b = lineaDePrueba();
    b.orden = o2.orden;
    ws->vaspread1.setRowTexts(3, b.celdas());
    ws->vaspread1.setRowTexts(4, b.celdas());
    if (k.columna > 0) ws->vaSpread9.setText(k.columna, 2, QString());
    if (k.columna == 1) ws->vaSpread9.setText(2, 2, QStringLiteral("Alta"));
    if (k.columna <= 0) ws->vaspread1.setText(k.columna == 0 ? 9 : 10, 4, QString());
    EXPECT_EQ(preparar(*ws), Resultado::Rechazado) << k.mensaje;
    EXPECT_EQ(prompter.textos(), QStringList{Q(k.mensaje)});
    EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Datos Incompletos"));
  }
  // The supplier or the RFC missing opens the client dialog.
  for (int fila : {14, 16}) {
    prompter.limpiar();
    ejemplo(*ws);
    ws->vaSpread2.setText(2, fila, QString());
    prompter.alDialogo = [](DialogoModelo& m) { dynamic_cast<Form5Modelo&>(m).Cancelar_Click(); };
    EXPECT_EQ(preparar(*ws), Resultado::Rechazado);
    EXPECT_EQ(prompter.dialogosVistos.size(), fila == 14 ? 1 : 2);
    EXPECT_EQ(prompter.textos(), QStringList{fila == 14 ? Q("Falta Información en el Número de Proveedor")
                                                        : Q("Falta Información en el RFC")});
  }
}

TEST(ReglasCampos, CadaCampoSegunSuRegla) {
  using namespace registro;
  struct Caso {
    QString (*f)(const QString&);
    const char* valor;
    const char* escrito;
  } casos[] = {{importe, "1500", "00000150000"},     {importe, "0.5", "00000000050"},
               {importe, ".75", "00000000075"},      {importe, "123456789012", "12345678901200"},
               {sku, "12345678", "12345678  "},       {cantidad, "12345678", "1234567800"},
               {codigoMovimiento, "Baja", "B"},      {codigoMovimiento, "Cambio", "C"},
               {codigoMovimiento, " Pedido Múltiple ", "M"}, {codigoMovimiento, "alta", "alta"},
               {codigoMercancia, "Colgado", "2"},     {codigoMercancia, "Frágil", "6"},
               {codigoMercancia, "C. Azul Normal", "1"}, {codigoMercancia, "otra cosa", "otra cosa"},
               {formatoImporte, "12.5", "12.50"},     {formatoImporte, "0.75", ".75"},
               {formatoImporte, "0", ".00"},          {formatoImporte, "2.345", "2.35"},
               {formatoImporte, "9.995", "10.00"},    {formatoImporte, "0.994", ".99"},
               {formatoImporte, "12345678901234.5", "12345678901234.50"}, {formatoImporte, "", ""},
               {formatoImporte, "1.2.3", "1.2.3"},   {formatoImporte, ".", "."}};
  for (const Caso& k : casos) EXPECT_EQ(k.f(Q(k.valor)), Q(k.escrito)) << k.valor;
  EXPECT_EQ(puntuacionABlancos(QStringLiteral("A/B.C-D"), true), QStringLiteral("A B C D"));
  EXPECT_EQ(puntuacionABlancos(QStringLiteral("A/B.C-D")), QStringLiteral("A/B C D"));
  EXPECT_EQ(fechaTexto::leer(QStringLiteral("3/4/27")), QDate(2027, 4, 3));
  EXPECT_EQ(fechaTexto::leer(QStringLiteral("03-04-1999")), QDate(1999, 4, 3));
  EXPECT_EQ(fechaTexto::leer(QStringLiteral("03/04/45")), QDate(1945, 4, 3));
  for (const char* malo : {"13/13/2026", "2026/12/01", "ab/cd/efgh", ""})
    EXPECT_FALSE(fechaTexto::leer(Q(malo)).isValid()) << malo;
}

TEST_F(ReglasTest, CajasDelEncabezado) {
  struct Caso {
    int caja;
    const char* tecleado;
    const char* queda;
    bool todo;  // every key taken
  } casos[] = {{3, "a-b12", "AB12", false}, {3, "abcdef", "ABCD", false}, {6, "f-100\bx", "F10X", false},
               {1, "ñá9", "Ñ9", false}, {7, "1,500.5a", "1500.5", false}, {2, "-x", "-x", true},
               {5, "a-", "a-", true}, {3, "ab\b", "A", true}};
  for (const Caso& k : casos) {
    ws->Text1[k.caja].clear();
    EXPECT_EQ(Text1_Teclear(*ws, k.caja, Q(k.tecleado)), k.todo) << k.tecleado;
    EXPECT_EQ(ws->Text1[k.caja], Q(k.queda)) << k.tecleado;
  }
  EXPECT_EQ(prompter.beeps, 5);
  ws->Text1[7] = QStringLiteral("0.5");
  Text1_LostFocus(*ws, 7);
  EXPECT_EQ(ws->Text1[7], QStringLiteral(".50"));
  // The movement type and the date hand over to their controls.
  ws->Text1[2] = QStringLiteral("Baja");
  Text1_GotFocus(*ws, 2);
  EXPECT_EQ(ws->Combo1.indice, 1);
  EXPECT_EQ(ws->foco, QStringLiteral("Combo1"));
  // An hour the list does not offer leaves the one chosen.
  for (const char* h : {"08:00", "09:00"}) ws->Combo3.agregar(Q(h));
  EXPECT_TRUE(elegirHora(*ws, Q("09:00")));
  EXPECT_FALSE(elegirHora(*ws, Q("06:15")));
  EXPECT_EQ(horaEntrega(*ws), Q("09:00"));
  ws->Text1[4] = QStringLiteral("09/12/2026");
  Text1_GotFocus(*ws, 4);
  EXPECT_EQ(ws->DTPicker1_4, QDate(2026, 12, 9));
  EXPECT_FALSE(ws->controles[QStringLiteral("Text1_4")].tabStop);
  DTPicker1_LostFocus(*ws, 4);
  EXPECT_TRUE(ws->controles[QStringLiteral("Text1_4")].tabStop);
  for (const char* l : {"ENTRO AL EVENTO-----Text1_KeyPress", "ENTRO AL EVENTO----Text1_GotFocus"})
    EXPECT_TRUE(textosLog().contains(Q(l))) << l;

  for (int i = 1; i <= 7; ++i) ws->Text1[i] = QStringLiteral("v") + QString::number(i);
  EXPECT_EQ(Resultado::Hecho, encabezadocampos(*ws, QStringLiteral("preparar"), 7));
  EXPECT_EQ(ws->vaSpread3.text(7, 7), QStringLiteral("v7"));
  EXPECT_EQ(Resultado::Fallido, encabezadocampos(*ws, QStringLiteral("otra"), 7));
  EXPECT_EQ(Resultado::Fallido, encabezadocampos(*ws, QStringLiteral("importararchiv"), 8));
  EXPECT_EQ(ws->Text1[3], QStringLiteral("v3"));
  EXPECT_EQ(Resultado::Hecho, encabezadocampos(*ws, QStringLiteral("importararchiv"), 7));
  EXPECT_TRUE(ws->Text1[3].isEmpty());
  ASSERT_EQ(prompter.mensajes.size(), 2u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Error Inesperado en los Campos del Encabezado"));
  EXPECT_TRUE(prompter.mensajes[1].texto.startsWith(Q("Error Inesperado en los Campos del Encabezado\r\n(9) ")));
  EXPECT_EQ(prompter.mensajes[1].titulo, QStringLiteral("Error"));
}

TEST_F(ReglasTest, EnviarYDialogoDeGuardar) {
  ejemplo(*ws);
  // With no connection set there is nowhere to send: said before any check.
  EXPECT_EQ(enviararchiv_Click(*ws), Resultado::Rechazado);
  EXPECT_EQ(prompter.textos(),
            QStringList{Q("Falta configurar la conexión con el servidor: Configuración > Conexión FTP.")});
  EXPECT_EQ(ws->vaSpread3.dataRowCount(), 0);
  prompter.limpiar();
  prompter.ocupado.clear();
  arch_env_Click(*ws);  // the save dialog cancelled: nothing said, nothing written
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(prompter.ocupado, Q("+-+-")) << "busy while the lines are laid out, not during the dialog";
  ASSERT_EQ(prompter.dialogosArchivo.size(), 1u);
  const DialogoArchivo& d = prompter.dialogosArchivo[0];
  EXPECT_EQ(d.titulo, QStringLiteral("Guardar el archivo como:"));
  EXPECT_EQ(d.filtro, QStringLiteral("Aviso de Vorarido de Tornavela txt|*.txt"));
  EXPECT_TRUE(d.confirmarSobrescribir);
  // The send makes the file command's checks, with its messages.
  Conexion c;
  c.servidor = Q("127.0.0.1");
  c.usuario = Q("prov01");
  ponerConexion(*ws, c);
  ws->vaspread1.deleteAllRows();
  EXPECT_EQ(b_enviar_Click(*ws), Resultado::Rechazado);
  EXPECT_EQ(prompter.textos(), QStringList{QStringLiteral("No hay información para generar el archivo")});
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_FALSE(textosLog().contains(Q("TERMINO EL EVENTO-----b_enviar_Click")));
  EXPECT_FALSE(QFile::exists(ws->ruta(Q("enviados"))));

  const QString f = escribir(QStringLiteral("imagen.txt"), QByteArray("HD\tA\t1\r\n\r\nCN\t2\nDT\t3"));
  escribir(QStringLiteral("arch.txt"), QByteArray("viejo"));
  EXPECT_TRUE(formatofijo(*ws, f).ok);
  EXPECT_EQ(leer(f), QByteArray("HDA1\r\n\r\nCN2\r\nDT3\r\n"));
  EXPECT_FALSE(QFile::exists(ws->ruta(QStringLiteral("arch.txt"))));
}

}  // namespace
