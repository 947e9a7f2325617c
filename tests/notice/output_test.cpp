#include "notice/output.h"

#include <QDir>
#include <QFile>

#include "shipment.h"

namespace {

class OutputTest : public WorkspaceTest {
 protected:
  void SetUp() override { ejemplo(*ws); }
  QString destino() const { return carpeta() + QStringLiteral("/aviso.txt"); }
  // Runs the file command answering the save dialog with `destino()`.
  void crear() {
    prompter.archivosGuardar.push_back(destino());
    arch_env_Click(*ws);
  }
  QByteArray esperado() const {
    QFile f(QStringLiteral(AVISO_TEST_DATA "/notice/ejemplo_un_pedido.txt"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

TEST_F(OutputTest, TheNoticeIsWrittenWholeWithoutTabs) {
  crear();
  EXPECT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();
  EXPECT_EQ(leer(destino()), esperado());
  EXPECT_FALSE(leer(destino()).contains('\t'));
  EXPECT_FALSE(QFile::exists(ws->ruta(QStringLiteral("arch.txt"))));
  EXPECT_TRUE(textosLog().contains(QStringLiteral("Vorarido Exitoso!!!")));
  EXPECT_EQ(ws->ultimoAviso, destino());  // what "Revisar aviso..." offers first

  // The save dialog as designed.
  ASSERT_EQ(prompter.dialogosArchivo.size(), 1u);
  const DialogoArchivo& d = prompter.dialogosArchivo[0];
  EXPECT_EQ(d.titulo, QStringLiteral("Guardar el archivo como:"));
  EXPECT_EQ(d.filtro, QStringLiteral("Aviso de Vorarido de Tornavela txt|*.txt"));
  EXPECT_EQ(d.nombre, QStringLiteral("*.txt"));
  EXPECT_EQ(d.carpetaInicial, carpeta());
  EXPECT_TRUE(d.confirmarSobrescribir);

  // Cancelling the dialog: no message, no file, the earlier one untouched.
  QFile::remove(destino());
  arch_env_Click(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_FALSE(QFile::exists(destino()));
}

TEST_F(OutputTest, TwoOrdersGiveAnEmptyLineBetweenThem) {
  Orden o2;
  o2.orden = QStringLiteral("22222222");
  o2.factura = QStringLiteral("F-200");
  ponerOrdenes(*ws, {Orden{}, o2});
  Linea a;
  Linea b;
  b.orden = o2.orden;
  b.contenedor = QStringLiteral("B000000002");
  ponerLineas(*ws, {b, a});
  crear();
  ASSERT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();
  const QList<QByteArray> lineas = leer(destino()).split('\n');
  int vacias = 0;
  for (const QByteArray& l : lineas.mid(0, lineas.size() - 1)) {
    EXPECT_TRUE(l.endsWith('\r'));
    if (l == "\r") ++vacias;
  }
  EXPECT_EQ(vacias, 1);
  EXPECT_TRUE(lineas.last().isEmpty());  // the file ends with CR LF
}

TEST_F(OutputTest, ChecksComeInTheirOrder) {
  // No hour: only that message, whatever else is wrong.
  ws->Combo3.texto.clear();
  ws->Combo3.indice = -1;
  ws->vaSpread9.setText(5, 1, QStringLiteral("0"));
  ws->DTPicker1_4 = QDate(2027, 1, 5);
  arch_env_Click(*ws);
  EXPECT_EQ(prompter.textos(), QStringList{QStringLiteral("Favor de seleccionar una hora de entrega")});
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("ASN"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Informacion);
  EXPECT_TRUE(prompter.dialogosArchivo.empty());

  // Late deliveries: one box listing every late order; the same day passes.
  prompter.limpiar();
  ponerEntrega(*ws, QDate(2027, 1, 1));
  Orden o2;
  o2.orden = QStringLiteral("22222222");
  o2.factura = QStringLiteral("F-2");
  Orden o3 = o2;
  o3.orden = QStringLiteral("33333333");
  o3.factura = QStringLiteral("F-3");
  o3.cancelacion = QStringLiteral("01/01/2027");
  ponerOrdenes(*ws, {Orden{}, o2, o3});
  arch_env_Click(*ws);
  EXPECT_EQ(prompter.textos(),
            QStringList{Q("La fecha de entrega no puede ser mayor a la fecha de cancelación de la OC: 12345678\r\n"
                          "La fecha de entrega no puede ser mayor a la fecha de cancelación de la OC: 22222222\r\n")});

  // Zero amounts: "0.00", "0" and empty, each named; 0.01 passes.
  prompter.limpiar();
  ponerEntrega(*ws, QDate(2026, 12, 31));
  ws->vaSpread9.setText(5, 1, QStringLiteral("0.00"));
  ws->vaSpread9.setText(5, 2, QStringLiteral("0"));
  ws->vaSpread9.setText(5, 3, QString());
  arch_env_Click(*ws);
  EXPECT_EQ(prompter.textos(),
            QStringList{Q("El importe de la factura no puede ser cero para la OC: 12345678\r\n"
                          "El importe de la factura no puede ser cero para la OC: 22222222\r\n"
                          "El importe de la factura no puede ser cero para la OC: 33333333\r\n")});
  EXPECT_EQ(ws->foco, QStringLiteral("vaSpread9"));

  // Same invoice on two orders, refused before any notice is built.
  prompter.limpiar();
  for (int i = 1; i <= 3; ++i) ws->vaSpread9.setText(5, i, QStringLiteral("0.01"));
  ws->vaSpread9.setText(4, 3, QStringLiteral("F-2"));
  arch_env_Click(*ws);
  EXPECT_EQ(prompter.textos(),
            QStringList{QStringLiteral("No se puede repetir el Num de Factura para varias Ordenes de Compra.")});
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Aviso Importante"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Critico);
  EXPECT_EQ(ws->vaSpread3.dataRowCount(), 0);

  // An order without lines.
  prompter.limpiar();
  ws->vaSpread9.setText(4, 3, QStringLiteral("F-3"));
  arch_env_Click(*ws);
  EXPECT_EQ(prompter.textos(), QStringList{QStringLiteral("No existe Contenedor para la Orden de Compra 22222222")});
  EXPECT_TRUE(prompter.dialogosArchivo.empty());
}

TEST_F(OutputTest, TheContainerSortStaysWhenTheCommandIsRefused) {
  Linea a;
  a.contenedor = QStringLiteral("B000000001");
  Linea b;
  b.sku = QStringLiteral("7654321");
  b.contenedor = QStringLiteral("A000000001");
  Linea c;
  c.sku = QStringLiteral("1111111");
  c.contenedor = QStringLiteral("B000000001");
  c.cantidad = QStringLiteral("0");
  ponerLineas(*ws, {a, b, c});
  arch_env_Click(*ws);
  EXPECT_EQ(prompter.textos(), QStringList{QStringLiteral("ERROR, no puede haber cantidades = 0!")});
  EXPECT_EQ(ws->vaspread1.text(15, 1), QStringLiteral("A000000001"));
  EXPECT_EQ(ws->vaspread1.text(6, 2), a.sku);
  EXPECT_EQ(ws->vaspread1.text(6, 3), c.sku);
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(ws->vaSpread6.text(6, r), ws->vaspread1.text(6, r));
  EXPECT_EQ(ws->vaspread1.activeRow(), 3);
}

TEST_F(OutputTest, NoOrdersRefusesTheLinesWithoutAFile) {
  // The notice is built from the per-order table: an empty one would leave out every line.
  ws->vaSpread9.deleteAllRows();
  crear();
  EXPECT_EQ(prompter.textos(), QStringList{Q("Existen renglones de la Orden de Compra 12345678 que no está en la tabla de órdenes")});
  EXPECT_FALSE(QFile::exists(destino()));
}

TEST_F(OutputTest, TheSendCommandBuildsButWritesNothing) {
  enviararchiv_Click(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_TRUE(prompter.dialogosArchivo.empty());
  EXPECT_GT(ws->vaSpread3.dataRowCount(), 0);
  EXPECT_TRUE(ws->panel[3].isEmpty());
  const QStringList log = textosLog();
  EXPECT_TRUE(log.contains(QStringLiteral("ENTRO AL EVENTO-----enviararchiv_Click")));
  EXPECT_TRUE(log.contains(QStringLiteral("TERMINO EL EVENTO-----b_enviar_Click")));
  EXPECT_TRUE(log.contains(QStringLiteral("TERMINO EL EVENTO-----enviararchiv_Click")));

  prompter.limpiar();
  ws->vaspread1.deleteAllRows();
  ws->vaSpread6.deleteAllRows();
  b_enviar_Click(*ws);
  EXPECT_EQ(prompter.textos(), QStringList{QStringLiteral("No hay datos que enviar")});
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Información Incompleta"));
  EXPECT_TRUE(ws->panel[3].isEmpty());
}

TEST_F(OutputTest, FormatofijoRemovesTabsAndEndsEveryLineWithCrLf) {
  const QString f = escribir(QStringLiteral("imagen.txt"), QByteArray("HD\tA\t1\r\n\r\nCN\t2\nDT\t3"));
  escribir(QStringLiteral("arch.txt"), QByteArray("viejo"));
  EXPECT_TRUE(formatofijo(*ws, f).ok);
  EXPECT_EQ(leer(f), QByteArray("HDA1\r\n\r\nCN2\r\nDT3\r\n"));
  EXPECT_FALSE(QFile::exists(ws->ruta(QStringLiteral("arch.txt"))));
}

}  // namespace
