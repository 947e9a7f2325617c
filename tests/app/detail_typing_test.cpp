// Typing in the window's detail grid and per-order header table: what is
// typed through the cell editors reaches the grid rules, and the cursor goes
// where they say, with the keyboard alone.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>

#include "app/gridview.h"
#include "app/mainwindow.h"
#include "consolidation/form2.h"
#include "fixture.h"
#include "intake/inf_import.h"
#include "ventana_apoyo.h"

using apoyo::clic;
using apoyo::tecla;

namespace {

class TecleoDetalleTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  void SetUp() override {
    w = std::make_unique<Ventana>(carpeta(), &prompter, &reloj);
    w->show();
    QApplication::setActiveWindow(w.get());
    apoyo::procesar();
  }

  // Imports an INF file with `n` lines of order 4500008001, the ordered
  // quantity of line k being k + 2, through the toolbar image.
  void importar(int n) {
    QStringList lineas = {Q("ORDEN,DEPTO,FECHA EMBARQUE,FECHA CANCELACION,TIENDA,SKU,MODELO,UPC,COLOR,TALLA,"
                            "CANTIDAD,COSTO,PRECIO,TIPO,CONTENEDOR")};
    for (int k = 1; k <= n; ++k)
      lineas.append(QStringLiteral("4500008001,210,01/12/26,30/12/26,0101,%1,M,75000,ROJO,CH,%2,5.00,9.00,,")
                        .arg(70000 + k)
                        .arg(k + 2));
    prompter.archivosAbrir.push_back(escribir(Q("pedido.inf"), texto::unirLineas(lineas)));
    prompter.alDialogo = [](DialogoModelo& m) {
      auto& f = dynamic_cast<Form2Modelo&>(m);
      f.seleccionarList1(Form2Modelo::textoEntrada(Q("4500008001"), Q("210")));
      f.Command1_Click();
      f.Command2_Click();
    };
    w->accion(QStringLiteral("b_import"))->trigger();
    apoyo::procesar();
    prompter.limpiar();
  }

  QPoint cursor(VistaGrid* v) const { return {v->currentIndex().column() + 1, v->currentIndex().row() + 1}; }
  int cuenta(const QString& linea) const { return static_cast<int>(textosLog().count(linea)); }

  std::unique_ptr<MainWindow> w;
};

TEST_F(TecleoDetalleTest, LoTecleadoLlegaALasReglasYElCursorSigue) {
  importar(3);
  Workspace& ws = w->ws();
  VistaGrid* v1 = w->vistaDetalle();
  ASSERT_EQ(ws.vaspread1.dataRowCount(), 3);
  const QString maximo3 = ws.vaspread1.text(16, 3);
  ASSERT_FALSE(maximo3.isEmpty());

  clic(v1, 3, 1);  // a skipped column lands on the quantity
  EXPECT_EQ(cursor(v1), QPoint(11, 1));
  EXPECT_EQ(ws.cual_grid, Q("1"));

  apoyo::escribir(v1, Q("2"));
  tecla(v1, Qt::Key_Return);  // commits and goes to the container of the line
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws.vaspread1.text(11, 1), Q("2"));
  EXPECT_EQ(ws.vaSpread6.text(11, 1), Q("2"));
  EXPECT_EQ(cursor(v1), QPoint(15, 1));

  apoyo::escribir(v1, Q("a1"));  // lower case: refused, kept as typed, cursor to the next line
  tecla(v1, Qt::Key_Return);
  EXPECT_EQ(prompter.textos(), QStringList{Q("El contenedor debe comenzar con A, B, C, D, E, F, G, H, I, P, Q, R, S ó V")});
  EXPECT_EQ(ws.vaspread1.text(15, 1), Q("a1"));
  EXPECT_EQ(ws.vaSpread6.text(15, 1), Q("a1"));
  EXPECT_EQ(cursor(v1), QPoint(15, 2));

  prompter.limpiar();
  apoyo::escribir(v1, Q("C7"));
  tecla(v1, Qt::Key_Tab);  // Tab commits too; the rule moves down
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(ws.vaspread1.text(14, 2), Q("Cajas - cartón"));
  EXPECT_EQ(v1->model()->index(1, 13).data().toString(), Q("Cajas - cartón"));
  EXPECT_EQ(cursor(v1), QPoint(15, 3));

  tecla(v1, Qt::Key_Left);  // back over the skipped columns
  EXPECT_EQ(cursor(v1), QPoint(11, 3));
  apoyo::escribir(v1, Q("999"));
  tecla(v1, Qt::Key_Tab);
  EXPECT_EQ(prompter.textos(), QStringList{Q("La cantidad no puede ser mayor que < ") + maximo3 + Q(" > ")});
  EXPECT_EQ(ws.vaspread1.text(11, 3), maximo3);
  EXPECT_EQ(v1->model()->index(2, 10).data().toString(), maximo3);
  EXPECT_EQ(cursor(v1), QPoint(11, 3));  // stays on the quantity
  apoyo::captura(*w, Q("tecleo_detalle"));

  // Moving away with the mouse commits the editor as well.
  prompter.limpiar();
  apoyo::escribir(v1, Q("1"));
  clic(v1, 11, 1);
  EXPECT_EQ(ws.vaSpread6.text(11, 3), Q("1"));
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----vaspread1_Change")), 5);

  // Heading tips come from the rules.
  EXPECT_EQ(v1->model()->headerData(10, Qt::Horizontal, Qt::ToolTipRole).toString(),
            Q(" RECUERDE QUE LA CANTIDAD DEBE SER MAYOR QUE O. "));
  EXPECT_FALSE(v1->model()->headerData(11, Qt::Horizontal, Qt::ToolTipRole).isValid());
  EXPECT_EQ(w->vistaResumen()->model()->headerData(3, Qt::Horizontal, Qt::ToolTipRole).toString(),
            Q(" FECHA DE CANCELACION "));
}

TEST_F(TecleoDetalleTest, EncabezadosDePedidoFiltranYRespetanSusColumnas) {
  importar(2);
  Workspace& ws = w->ws();
  VistaGrid* v9 = w->vistaPedidos();
  ASSERT_EQ(ws.vaSpread9.dataRowCount(), 1);
  clic(v9, 1, 1);  // the order number is not for typing: lands on the movement type
  EXPECT_EQ(cursor(v9), QPoint(2, 1));
  EXPECT_EQ(ws.cual_grid, Q("9"));
  clic(v9, 7, 1);
  EXPECT_EQ(cursor(v9), QPoint(5, 1));
  tecla(v9, Qt::Key_Left);
  tecla(v9, Qt::Key_Left);
  EXPECT_EQ(cursor(v9), QPoint(3, 1));
  apoyo::escribir(v9, Q("ab-7"));
  tecla(v9, Qt::Key_Tab);
  EXPECT_EQ(ws.vaSpread9.text(3, 1), Q("AB7"));
  EXPECT_EQ(cursor(v9), QPoint(4, 1));
  apoyo::escribir(v9, Q("f-1"));
  tecla(v9, Qt::Key_Tab);
  EXPECT_EQ(ws.vaSpread9.text(4, 1), Q("f-1"));
  apoyo::escribir(v9, Q("1,250.5"));
  tecla(v9, Qt::Key_Return);
  EXPECT_EQ(ws.vaSpread9.text(5, 1), Q("1250.5"));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(prompter.beeps, 0);
  EXPECT_GT(cuenta(Q("ENTRO AL EVENTO-----vaSpread9_LeaveCell")), 0);

  // The movement type offers its list: F2 opens it, Enter takes the entry.
  clic(v9, 2, 1);
  tecla(v9, Qt::Key_F2);
  auto* lista = qobject_cast<QComboBox*>(QApplication::focusWidget());
  ASSERT_NE(lista, nullptr);
  EXPECT_EQ(lista->itemText(0), Q("Alta"));
  tecla(v9, Qt::Key_Return);
  EXPECT_EQ(ws.vaSpread9.text(2, 1), Q("Alta"));
  // A locked movement type takes nothing.
  ws.vaSpread9.setLocked(2, 1, true);
  tecla(v9, Qt::Key_F2);
  EXPECT_FALSE(v9->editando());
  apoyo::escribir(v9, Q("x"));
  EXPECT_EQ(ws.vaSpread9.text(2, 1), Q("Alta"));
}

TEST_F(TecleoDetalleTest, UnPedidoDeTrescientasLineasSoloConElTeclado) {
  importar(300);
  Workspace& ws = w->ws();
  VistaGrid* v1 = w->vistaDetalle();
  ASSERT_EQ(ws.vaspread1.dataRowCount(), 300);
  clic(v1, 1, 1);
  for (int r = 1; r <= 300; ++r) {
    ASSERT_EQ(cursor(v1), QPoint(11, r)) << r;
    apoyo::escribir(v1, QString::number(1 + r % 3));
    tecla(v1, Qt::Key_Return);
    ASSERT_EQ(cursor(v1), QPoint(15, r)) << r;
    apoyo::escribir(v1, r % 2 ? Q("P000") + QString::number(r) : Q("A000") + QString::number(r));
    tecla(v1, Qt::Key_Return);
    if (r < 300) {
      ASSERT_EQ(cursor(v1), QPoint(15, r + 1)) << r;
      tecla(v1, Qt::Key_Left);
    }
  }
  EXPECT_TRUE(prompter.mensajes.empty());
  for (int r = 1; r <= 300; ++r) {
    ASSERT_EQ(ws.vaSpread6.text(11, r), QString::number(1 + r % 3)) << r;
    ASSERT_EQ(ws.vaspread1.text(14, r), r % 2 ? Q("Pallets") : Q("Cajas - azules")) << r;
  }
  EXPECT_EQ(cursor(v1), QPoint(15, 300));
}

}  // namespace
