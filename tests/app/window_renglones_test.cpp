// The row and clipboard commands in the window: ranges selected with the
// mouse and deleted from the editar menu, the Delete key, the right-button
// menu's items, the toolbar images and the system clipboard.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/qtprompter.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

class VentanaRenglonesTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  // A window with `n` lines in the detail grid and the order line store, as
  // after an order was chosen (the edit menu and its images open).
  std::unique_ptr<MainWindow> abrir(int n) {
    auto w = std::make_unique<Ventana>(carpeta(), &prompter, &reloj);
    Workspace& ws = w->ws();
    for (int r = 1; r <= n; ++r) {
      const QStringList celdas = {Q("4500001234"), Q("123"), Q("01/12/26"), Q("20/12/26"), Q("0101"),
                                  QStringLiteral("SKU%1").arg(r), Q("sin modelo"), Q("750100000000"),
                                  Q("sin color"), Q("sin talla"), Q("12"), Q("10.00"), Q("20.00"),
                                  Q("Pallets"), QStringLiteral("P%1").arg(r)};
      ws.vaspread1.setRowTexts(r, celdas);
      ws.vaspread1.setText(16, r, Q("12"));
      ws.vaSpread6.setRowTexts(r, celdas);
    }
    for (const char* c : {"editar", "b_cut", "b_copy", "b_paste", "b_duplicar", "Text1_6"}) ws.habilitar(QString::fromLatin1(c), true);
    w->refrescar();
    w->resize(1400, 800);
    w->show();
    QApplication::setActiveWindow(w.get());
    w->vistaDetalle()->setFocus();
    apoyo::procesar();
    return w;
  }
  static QStringList skus(const Grid& g) {
    QStringList s;
    for (int r = 1; r <= g.dataRowCount(); ++r) s.append(g.text(6, r));
    return s;
  }
};

TEST_F(VentanaRenglonesTest, DosRangosSeleccionadosConElRatonSeEliminan) {
  auto w = abrir(8);
  VistaGrid* v = w->vistaDetalle();
  for (const char* n : {"insertar", "borrar", "eliminar_ren", "Command1", "suprimir", "cortar", "copiar", "pegar",
                        "b_cut", "b_copy", "b_paste", "b_duplicar", "uno", "dos", "cinco", "diez"})
    EXPECT_TRUE(w->conectado(QString::fromLatin1(n))) << n;

  // Rows 2-3 by a drag, rows 6-7 by a drag with Ctrl held.
  apoyo::arrastrar(v, 11, 2, 15, 3);
  apoyo::arrastrar(v, 11, 6, 11, 7, Qt::ControlModifier);
  w->accion(QStringLiteral("eliminar_ren"))->trigger();
  apoyo::procesar();
  const QStringList quedan = {Q("SKU1"), Q("SKU4"), Q("SKU5"), Q("SKU8")};
  EXPECT_EQ(skus(w->ws().vaspread1), quedan);
  EXPECT_EQ(skus(w->ws().vaSpread6), quedan);
  EXPECT_EQ(v->model()->index(1, 5).data().toString(), Q("SKU4"));
  EXPECT_TRUE(prompter.mensajes.empty());

  // The button "Eliminar varios rangos": the detail grid alone.
  apoyo::clic(v, 11, 1);
  apoyo::clic(v, 11, 3, Qt::ControlModifier);
  w->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  apoyo::procesar();
  EXPECT_EQ(skus(w->ws().vaspread1), (QStringList{Q("SKU4"), Q("SKU8")}));
  EXPECT_EQ(skus(w->ws().vaSpread6), quedan);
}

TEST_F(VentanaRenglonesTest, SuprimirDuplicarYElPortapapelesDesdeLaVentana) {
  auto w = abrir(4);
  VistaGrid* v = w->vistaDetalle();
  Workspace& ws = w->ws();

  // Delete on a quantity empties the cell; the store keeps it.
  apoyo::clic(v, 11, 2);
  apoyo::tecla(v, Qt::Key_Delete);
  EXPECT_EQ(ws.cual_grid, Q("1"));
  EXPECT_EQ(ws.vaspread1.text(11, 2), QString());
  EXPECT_EQ(ws.vaSpread6.text(11, 2), Q("12"));
  EXPECT_EQ(v->model()->index(1, 10).data().toString(), QString());

  // The right-button menu is editar: "Cinco Renglones" of its duplicate submenu.
  apoyo::clic(v, 11, 3);
  w->accion(QStringLiteral("cinco"))->trigger();
  apoyo::procesar();
  EXPECT_EQ(ws.vaspread1.dataRowCount(), 9);
  EXPECT_EQ(ws.vaspread1.text(6, 8), Q("SKU3"));
  EXPECT_EQ(ws.vaspread1.text(6, 9), Q("SKU4"));
  EXPECT_EQ(v->currentIndex().row() + 1, 8);

  // Copy a container, paste it over a range of three rows.
  apoyo::clic(v, 15, 1);
  w->accion(QStringLiteral("b_copy"))->trigger();
  EXPECT_EQ(prompter.leerPortapapeles(), Q("P1"));
  apoyo::arrastrar(v, 15, 4, 15, 6);
  w->accion(QStringLiteral("b_paste"))->trigger();
  apoyo::procesar();
  for (int r = 4; r <= 6; ++r) EXPECT_EQ(ws.vaspread1.text(15, r), Q("P1")) << r;
  EXPECT_EQ(ws.vaspread1.text(15, 7), Q("P3"));
  EXPECT_FALSE(ws.sinvalidar);

  // Ctrl+C in the grid copies its selection; the menu item alone does nothing.
  prompter.escribirPortapapeles(QString());
  w->accion(QStringLiteral("copiar"))->trigger();
  EXPECT_EQ(prompter.leerPortapapeles(), QString());
  apoyo::arrastrar(v, 11, 8, 15, 9);
  apoyo::tecla(v, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(prompter.leerPortapapeles(), Q("12\t10.00\t20.00\tPallets\tP3\r\n12\t10.00\t20.00\tPallets\tP4"));

  // Cut with the focus in a text box cuts the box's text, not the grid.
  auto* factura = w->findChild<QLineEdit*>(QStringLiteral("Text1_6"));
  ASSERT_TRUE(factura->isEnabled());
  factura->setFocus();
  factura->setText(Q("F1"));
  factura->selectAll();
  w->accion(QStringLiteral("cortar"))->trigger();
  EXPECT_EQ(factura->text(), QString());
  EXPECT_EQ(prompter.leerPortapapeles(), Q("12\t10.00\t20.00\tPallets\tP3\r\n12\t10.00\t20.00\tPallets\tP4"));
  EXPECT_EQ(ws.vaspread1.text(11, 8), Q("12"));
  // With the grid in cual_grid focused, the same item cuts the grid's cell.
  apoyo::clic(v, 15, 9);
  w->accion(QStringLiteral("cortar"))->trigger();
  EXPECT_EQ(ws.vaspread1.text(15, 9), QString());
  EXPECT_EQ(prompter.leerPortapapeles(), Q("P4"));
}

TEST_F(VentanaRenglonesTest, ElPrompterDeLaVentanaUsaElPortapapelesDelSistema) {
  QtPrompter p;
  p.escribirPortapapeles(Q("4\tA1\r\n5\tA2"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Q("4\tA1\r\n5\tA2"));
  QGuiApplication::clipboard()->setText(Q("de una hoja"));
  EXPECT_EQ(p.leerPortapapeles(), Q("de una hoja"));
}

}  // namespace
