// Saving and opening work files from the window's commands: the same bytes
// after a round trip, the checks before the save dialog, header.txt, cells
// with tabs. The files aviso-lote writes and opens are in the golden cases.
#include <QDir>

#include "consolidation/form2.h"
#include "fixture.h"
#include "intake/inf_import.h"
#include "workfile/workfile.h"
#include "startup/startup.h"

namespace {

class TrabajoTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    Form_Load(*ws);
    ws->vaSpread2.setText(2, 2, Q("778899"));
    prompter.limpiar();
  }
  static QStringList linea(const QString& orden, const QString& sku) {
    return {orden, Q("12"), Q("01/12/26"), Q("20/12/26"), Q("0101"), sku, Q("MOD-A"), Q("7501000000011"), Q("ROJO"),
            Q("CH"), Q("5"), Q("45.50"), Q("99.90"), Q("CAJA"), Q("C0001"), Q("12")};
  }
  static QStringList orden(const QString& oc, const QString& tipo) {
    return {oc, tipo, Q("1234"), Q("FAC1"), Q("100.00"), Q("12"), Q("01/12/2026"), Q("20/12/2026")};
  }
  void unaOrden(const QString& tipo) {
    for (int r = 1; r <= 3; ++r) ws->vaspread1.setRowTexts(r, linea(Q("4500000001"), QString::number(77000 + r)));
    ws->vaSpread9.setRowTexts(1, orden(Q("4500000001"), tipo));
  }
  QString guardarEn(const QString& nombre) {
    const QString ruta = dir.filePath(nombre);
    prompter.archivosGuardar.push_back(ruta);
    b_save_Click(*ws);
    return ruta;
  }
  QStringList lineas(const QString& ruta) const { return texto::partirLineas(texto::desde1252(leer(ruta))); }
};

TEST_F(TrabajoTest, GuardarAbrirYGuardarDaLosMismosBytes) {
  prompter.alDialogo = [](DialogoModelo& m) {
    auto& f = dynamic_cast<Form2Modelo&>(m);
    for (const char* e : {"4500001234 - 123", "4500001235 - 123"}) {
      f.seleccionarList1(Q(e));
      f.Command1_Click();
    }
    f.Command2_Click();
  };
  prompter.archivosAbrir.push_back(QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tres.inf"));
  importararchiv_Click(*ws);
  for (int i = 1; i <= 7; ++i) ws->Text1[i] = QStringLiteral("T%1").arg(i);
  prompter.ocupado.clear();
  const QByteArray bytes = leer(guardarEn(Q("envio.006")));
  EXPECT_EQ(prompter.ocupado, Q("+-+-")) << "busy while the lines are copied and while they are written";
  const DialogoArchivo& d = prompter.dialogosArchivo.back();
  EXPECT_EQ(d.titulo, Q("Guardar el archivo como:"));
  EXPECT_EQ(d.filtro, Q("Aviso de Vorarido de Tornavela 006|*.006"));
  EXPECT_TRUE(d.confirmarSobrescribir);
  EXPECT_TRUE(lineas(dir.filePath(Q("envio.006")))[6].startsWith(Q("T1\tT2\tT3\tT4\tT5\tT6\tT7\t")));
  nuevaforma_Click(*ws);
  prompter.archivosAbrir.push_back(dir.filePath(Q("envio.006")));
  prompter.ocupado.clear();
  b_abrir_Click(*ws);
  EXPECT_EQ(prompter.ocupado, Q("+-"));
  EXPECT_EQ(prompter.dialogosArchivo.back().titulo, Q("Selección de archivo para Abrir"));
  EXPECT_EQ(prompter.dialogosArchivo.back().nombre, Q("*.006"));
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 5);
  EXPECT_TRUE(ws->vaSpread9.locked(2, 2));
  for (int i = 1; i <= 7; ++i) ws->Text1[i] = QStringLiteral("T%1").arg(i);
  EXPECT_EQ(leer(guardarEn(Q("otra.006"))), bytes);
  EXPECT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();
}

// A save dialog answered with a file the work came from: the order file
// imported is never replaced, the work file open only by the work itself.
TEST_F(TrabajoTest, LosGuardadosNoReemplazanSusEntradas) {
  unaOrden(Q("Alta"));
  const QString pedidos = escribir(Q("pedidos.inf"), QByteArray("ORDEN\r\n"));
  ws->archivoPedidos = pedidos;
  EXPECT_EQ(guardarEn(Q("pedidos.inf")), pedidos);
  EXPECT_EQ(leer(pedidos), QByteArray("ORDEN\r\n"));
  EXPECT_TRUE(prompter.ultimo().contains(Q("es el archivo de pedidos importado"))) << prompter.ultimo().toStdString();
  const QString trabajo = guardarEn(Q("envio.006"));
  ASSERT_EQ(ws->archivoTrabajo, trabajo);
  prompter.limpiar();
  guardarEn(Q("envio.006"));
  EXPECT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();

  const struct {
    QString ruta;
    bool conTrabajo, entrada;
  } casos[] = {
      {pedidos, false, true},
      {dir.filePath(Q("./pedidos.inf")), true, true},
      {trabajo, true, true},   // the notice over the work file it comes from
      {trabajo, false, false}, // the work file saved again
      {dir.filePath(Q("aviso.txt")), true, false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.ruta.toStdString());
    prompter.limpiar();
    EXPECT_EQ(ws->esEntrada(c.ruta, c.conTrabajo, Q("Aviso")), c.entrada);
    EXPECT_EQ(prompter.mensajes.empty(), !c.entrada);
  }
}

TEST_F(TrabajoTest, ComprobacionesAntesDelDialogo) {
  b_save_Click(*ws);
  unaOrden(QString());
  guardararchiv_Click(*ws);
  ws->vaSpread9.setText(2, 1, Q("Alta"));
  ws->vaspread1.setText(6, 2, QString());
  ws->vaspread1.setText(11, 3, QString());
  ws->vaspread1.setText(12, 1, QString());  // the cost may be empty
  guardar_Click(*ws);
  EXPECT_EQ(prompter.textos(), (QStringList{Q("No hay información para guardar"),
                                            Q("Seleccione el Tipo de Movimiento para la Orden de Compra"),
                                            Q("Falta Información de:\r\n\r\nSKU\r\n\r\nEn el renglón:  2")}));
  EXPECT_EQ(ws->vaspread1.activeCol(), 6);
  EXPECT_EQ(ws->vaspread1.activeRow(), 2);
  EXPECT_TRUE(prompter.dialogosArchivo.empty());
  EXPECT_EQ(QDir(carpeta()).entryList({Q("*.006")}, QDir::Files).size(), 0);
  EXPECT_EQ(prompter.ocupado, Q("+-")) << "the busy pointer goes before the message";
}

// Three orders are a multiple order; header.txt holds only the last save's orders.
TEST_F(TrabajoTest, PedidoMultipleYHeaderTxt) {
  ws->vaspread1.setRowTexts(1, linea(Q("1"), Q("1")));
  for (int k = 1; k <= 3; ++k) ws->vaSpread9.setRowTexts(k, orden(QString::number(k), k == 1 ? Q("Alta") : QString()));
  guardarEn(Q("a.006"));
  ASSERT_EQ(lineas(ws->ruta(Q("header.txt"))).size(), 3);
  for (int k = 1; k <= 3; ++k) EXPECT_TRUE(ws->vaSpread9.locked(2, k));
  EXPECT_EQ(ws->vaSpread9.text(2, 3), Q("Pedido Múltiple"));
  ws->vaSpread9.deleteRows(2, 2);
  guardarEn(Q("b.006"));
  EXPECT_EQ(lineas(ws->ruta(Q("header.txt"))).size(), 1);
}

TEST_F(TrabajoTest, CeldasConTabuladorOSalto) {
  unaOrden(Q("Alta"));
  ws->vaspread1.setText(7, 1, Q("MOD\tA\r\nB"));
  ws->vaSpread9.setText(3, 1, Q("12\t34"));
  const QStringList l = lineas(guardarEn(Q("tab.006")));
  ASSERT_EQ(l.size(), 3 + 8 + 1);
  EXPECT_EQ(l[7].count(QLatin1Char('\t')), 15);
  EXPECT_EQ(l[7].section(QLatin1Char('\t'), 6, 6), Q("MOD A  B"));
  EXPECT_EQ(l[11].section(QLatin1Char('\t'), 2, 2), Q("12 34"));
}

TEST(Formato0000, NumerosConCerosYTextosSinCambio) {
  const char* casos[][2] = {{"12", "0012"}, {"00012", "0012"}, {"12345", "12345"}, {"0", "0000"},
                            {"-5", "-0005"}, {"12.5", "0013"},  {"9999.7", "10000"}, {"12A", "12A"},
                            {"1.2.3", "1.2.3"}, {"", ""},       {"-", "-"}};
  for (const auto& c : casos) EXPECT_EQ(trabajo::formato0000(Q(c[0])), Q(c[1])) << c[0];
}

}  // namespace
