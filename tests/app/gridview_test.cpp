// The grid view: where the cursor rests, how an edit reaches the change
// handler, keys, the right button, several selected ranges, the cell editors.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>

#include "app/gridmodel.h"
#include "app/gridview.h"
#include "ventana_apoyo.h"

using apoyo::clic;
using apoyo::escribir;
using apoyo::procesar;
using apoyo::tecla;

namespace {

// The detail grid's rule: the cursor rests on 11 and 15 only.
QPoint regla11y15(int col, int row) {
  if (col >= 0 && col <= 10) return {11, row};
  if (col >= 12 && col <= 14) return {15, row};
  return {col, row};
}

class VistaGridTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  Grid grid{QStringLiteral("vaspread1"), Grid::kLimiteRenglones, 16};
  GridModel modelo{grid, 15};
  std::unique_ptr<VistaGrid> vista;
  struct Cambio {
    int col, row;
    QString texto;
  };
  std::vector<Cambio> cambios;

  void SetUp() override {
    for (int r = 1; r <= 6; ++r) {
      QStringList fila;
      for (int c = 1; c <= 16; ++c) fila.append(QStringLiteral("%1.%2").arg(c).arg(r));
      grid.setRowTexts(r, fila);
    }
    modelo.columnasEditables = {11, 15};
    vista = std::make_unique<VistaGrid>(&modelo);
    vista->reglaSalida = regla11y15;
    vista->resize(1400, 400);
    vista->show();
    QApplication::setActiveWindow(vista.get());
    vista->setFocus();
    procesar();
  }

  QPoint cursor() const { return {vista->currentIndex().column() + 1, vista->currentIndex().row() + 1}; }
  QPoint activa() const { return {grid.activeCol(), grid.activeRow()}; }
};

TEST_F(VistaGridTest, ElCursorSoloDescansaDondeLaReglaLoDeja) {
  clic(vista.get(), 3, 2);
  EXPECT_EQ(cursor(), QPoint(11, 2));
  EXPECT_EQ(activa(), QPoint(11, 2));
  // The highlight follows the cursor after a plain click.
  ASSERT_EQ(vista->selectionModel()->selectedIndexes().size(), 1);
  EXPECT_EQ(vista->selectionModel()->selectedIndexes().first(), vista->currentIndex());
  clic(vista.get(), 13, 4);
  EXPECT_EQ(cursor(), QPoint(15, 4));

  clic(vista.get(), 11, 2);
  tecla(vista.get(), Qt::Key_Right);  // over COSTO, PRECIO and TIPO DE ENTREGA
  EXPECT_EQ(cursor(), QPoint(15, 2));
  tecla(vista.get(), Qt::Key_Right);  // nothing right of the container
  EXPECT_EQ(cursor(), QPoint(15, 2));
  tecla(vista.get(), Qt::Key_Left);   // back over them to the quantity
  EXPECT_EQ(cursor(), QPoint(11, 2));
  tecla(vista.get(), Qt::Key_Tab);
  EXPECT_EQ(cursor(), QPoint(15, 2));
  tecla(vista.get(), Qt::Key_Tab);    // to the next line's quantity
  EXPECT_EQ(cursor(), QPoint(11, 3));
  tecla(vista.get(), Qt::Key_Backtab);
  EXPECT_EQ(cursor(), QPoint(15, 2));
  tecla(vista.get(), Qt::Key_Home);
  EXPECT_EQ(cursor(), QPoint(11, 2));
  tecla(vista.get(), Qt::Key_Down);
  EXPECT_EQ(cursor(), QPoint(11, 3));
  tecla(vista.get(), Qt::Key_Return);  // Enter outside the editor: one line down
  EXPECT_EQ(cursor(), QPoint(11, 4));
  EXPECT_EQ(activa(), QPoint(11, 4));
}

TEST_F(VistaGridTest, LaEdicionLlegaAlManejadorYElCursorVaDondeElDiga) {
  // A handler that writes the cell and, for a quantity, moves to the container.
  vista->alCambiarCelda = [this](int col, int row, const QString& t) {
    cambios.push_back({col, row, t});
    grid.setText(col, row, t);
    if (col == 11) grid.setActiveCell(15, row);
  };
  clic(vista.get(), 11, 1);
  escribir(vista.get(), QStringLiteral("7"));
  EXPECT_TRUE(vista->editando());
  EXPECT_TRUE(cambios.empty());  // nothing reaches the handler before the editor closes
  tecla(vista.get(), Qt::Key_Return);
  ASSERT_EQ(cambios.size(), 1u);
  EXPECT_EQ(cambios[0].col, 11);
  EXPECT_EQ(cambios[0].row, 1);
  EXPECT_EQ(cambios[0].texto, QStringLiteral("7"));  // typing replaced the old text
  EXPECT_EQ(grid.text(11, 1), QStringLiteral("7"));
  EXPECT_EQ(cursor(), QPoint(15, 1));

  // Tab after a container that the handler leaves where it is: the user's move goes on.
  escribir(vista.get(), QStringLiteral("C1"));
  tecla(vista.get(), Qt::Key_Tab);
  ASSERT_EQ(cambios.size(), 2u);
  EXPECT_EQ(cambios[1].texto, QStringLiteral("C1"));
  EXPECT_EQ(cursor(), QPoint(11, 2));

  // An editor closed with Escape, or with the text unchanged, changes nothing.
  escribir(vista.get(), QStringLiteral("9"));
  tecla(vista.get(), Qt::Key_Escape);
  EXPECT_EQ(cambios.size(), 2u);
  EXPECT_EQ(grid.text(11, 2), QStringLiteral("11.2"));
}

TEST_F(VistaGridTest, UnValorRechazadoDejaElCursorEnLaCelda) {
  // The handler refuses: sets the cell back and keeps the cursor there.
  vista->alCambiarCelda = [this](int col, int row, const QString& t) {
    cambios.push_back({col, row, t});
    grid.setText(col, row, QStringLiteral("12"));
    grid.setActiveCell(11, row);
  };
  clic(vista.get(), 11, 3);
  escribir(vista.get(), QStringLiteral("13"));
  tecla(vista.get(), Qt::Key_Tab);  // Tab does not carry the cursor past a refusal
  ASSERT_EQ(cambios.size(), 1u);
  EXPECT_EQ(cursor(), QPoint(11, 3));
  EXPECT_EQ(modelo.data(modelo.index(2, 10), Qt::DisplayRole).toString(), QStringLiteral("12"));
}

TEST_F(VistaGridTest, ClicEnOtraCeldaConfirmaLaEdicion) {
  vista->alCambiarCelda = [this](int col, int row, const QString& t) {
    cambios.push_back({col, row, t});
    grid.setText(col, row, t);
  };
  clic(vista.get(), 15, 2);
  escribir(vista.get(), QStringLiteral("P5"));
  clic(vista.get(), 11, 5);
  ASSERT_EQ(cambios.size(), 1u);
  EXPECT_EQ(cambios[0].row, 2);
  EXPECT_EQ(grid.text(15, 2), QStringLiteral("P5"));
  EXPECT_EQ(cursor(), QPoint(11, 5));  // the handler left the cursor: the click stands

  // A command about to run takes what is typed at once.
  escribir(vista.get(), QStringLiteral("4"));
  vista->terminarEdicion();
  ASSERT_EQ(cambios.size(), 2u);
  EXPECT_EQ(grid.text(11, 5), QStringLiteral("4"));
  EXPECT_FALSE(vista->editando());
}

TEST_F(VistaGridTest, TeclasFocoYBotonDerechoVanALosManejadores) {
  std::vector<int> teclas;
  vista->alTecla = [&](int codigo) {
    teclas.push_back(codigo);
    return codigo == 46;
  };
  int enfoques = 0;
  vista->alEnfocar = [&] { ++enfoques; };
  QPoint menuEn;
  vista->alMenu = [&](const QPoint& p) { menuEn = p; };

  clic(vista.get(), 11, 2);
  tecla(vista.get(), Qt::Key_Delete);
  tecla(vista.get(), Qt::Key_Down);
  EXPECT_EQ(teclas, (std::vector<int>{46, 40}));
  EXPECT_EQ(cursor(), QPoint(11, 3));  // keys not handled keep their own effect

  vista->clearFocus();
  vista->setFocus();
  procesar();
  EXPECT_GE(enfoques, 1);

  const QPoint p = apoyo::centro(vista.get(), 5, 1);
  QContextMenuEvent derecho(QContextMenuEvent::Mouse, p, vista->viewport()->mapToGlobal(p));
  QCoreApplication::sendEvent(vista->viewport(), &derecho);
  EXPECT_EQ(menuEn, vista->viewport()->mapToGlobal(p));
}

TEST_F(VistaGridTest, VariosRangosSeleccionadosConElRaton) {
  clic(vista.get(), 11, 2);
  EXPECT_TRUE(vista->bloquesSeleccionados().isEmpty());  // the cursor alone is no selection
  apoyo::arrastrar(vista.get(), 11, 2, 15, 3);
  apoyo::arrastrar(vista.get(), 11, 5, 11, 6, Qt::ControlModifier);
  const QVector<GridBlock> b = vista->bloquesSeleccionados();
  ASSERT_EQ(b.size(), 2);
  EXPECT_EQ(b[0].row1, 2);
  EXPECT_EQ(b[0].row2, 3);
  EXPECT_EQ(b[0].col2, 15);
  EXPECT_EQ(b[1].row1, 5);
  EXPECT_EQ(b[1].row2, 6);
  EXPECT_EQ(b[1].col1, 11);

  // Ctrl+click on single cells: one selection each.
  clic(vista.get(), 11, 1);
  clic(vista.get(), 11, 4, Qt::ControlModifier);
  const QVector<GridBlock> c = vista->bloquesSeleccionados();
  ASSERT_EQ(c.size(), 2);
  EXPECT_EQ(c[0].row1, 1);
  EXPECT_EQ(c[1].row1, 4);

  // Shift+click extends from the cursor.
  clic(vista.get(), 11, 1);
  clic(vista.get(), 11, 3, Qt::ShiftModifier);
  const QVector<GridBlock> d = vista->bloquesSeleccionados();
  ASSERT_EQ(d.size(), 1);
  EXPECT_EQ(d[0].row1, 1);
  EXPECT_EQ(d[0].row2, 3);
}

TEST_F(VistaGridTest, FiltroDeTeclasYListaDesplegable) {
  Grid g9(QStringLiteral("vaSpread9"), Grid::kLimiteRenglones, 8);
  g9.setRowTexts(1, {QStringLiteral("12345678"), QStringLiteral("Alta")});
  g9.setRowTexts(2, {QStringLiteral("87654321"), QStringLiteral("Pedido Múltiple")});
  g9.setCellList(2, 1, {QStringLiteral("Alta"), QStringLiteral("Baja")});
  g9.setLocked(2, 2, true);
  GridModel m9(g9, 8);
  m9.columnasEditables = {2, 3, 4, 5};
  VistaGrid v9(&m9);
  std::vector<QChar> vistos;
  v9.delegado()->filtroCaracter = [&](int col, QChar c) -> QChar {
    vistos.push_back(c);
    if (col != 3) return c;
    if (c == QLatin1Char('-')) return QChar();
    return c.toUpper();
  };
  v9.resize(900, 200);
  v9.show();
  QApplication::setActiveWindow(&v9);
  v9.setFocus();
  procesar();

  clic(&v9, 3, 1);
  escribir(&v9, QStringLiteral("a-1"));
  auto* editor = qobject_cast<QLineEdit*>(v9.delegado()->editorAbierto());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), QStringLiteral("A1"));
  tecla(&v9, Qt::Key_Return);
  EXPECT_EQ(g9.text(3, 1), QStringLiteral("A1"));
  EXPECT_EQ(vistos.size(), 3u);

  clic(&v9, 4, 1);
  escribir(&v9, QStringLiteral("b-2"));
  tecla(&v9, Qt::Key_Return);
  EXPECT_EQ(g9.text(4, 1), QStringLiteral("b-2"));  // another column passes unchanged

  // The movement type offers the cell's list.
  clic(&v9, 2, 1);
  tecla(&v9, Qt::Key_F2);
  auto* combo = qobject_cast<QComboBox*>(v9.delegado()->editorAbierto());
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(1), QStringLiteral("Baja"));
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  procesar();
  EXPECT_EQ(g9.text(2, 1), QStringLiteral("Baja"));

  // A locked cell opens no editor.
  clic(&v9, 2, 2);
  tecla(&v9, Qt::Key_F2);
  EXPECT_FALSE(v9.editando());
  EXPECT_EQ(g9.text(2, 2), QStringLiteral("Pedido Múltiple"));
}

TEST_F(VistaGridTest, ElModeloSigueAlGrid) {
  {
    // The grid tells its views after a change, so the tester watches cell
    // changes and resets; row moves are checked by their counts below.
    QAbstractItemModelTester probador(&modelo, QAbstractItemModelTester::FailureReportingMode::Fatal);
    grid.setText(11, 2, QStringLiteral("8"));
    grid.beginBulk();
    grid.setText(1, 1, QStringLiteral("z"));
    grid.endBulk();
    grid.setHeaderText(3, QStringLiteral("FECHA"));
  }
  EXPECT_EQ(modelo.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("FECHA"));
  grid.insertRows(2, 3);
  EXPECT_EQ(modelo.rowCount(), 9);
  grid.deleteRows(1, 4);
  EXPECT_EQ(modelo.rowCount(), 5);
  EXPECT_EQ(modelo.index(0, 0).data().toString(), QStringLiteral("1.2"));
  grid.setText(1, 12, QStringLiteral("x"));
  EXPECT_EQ(modelo.rowCount(), 12);
  grid.beginBulk();
  grid.deleteAllRows();
  grid.endBulk();
  EXPECT_EQ(modelo.rowCount(), 0);
  // The cursor follows the grid when the core moves it.
  grid.setRowTexts(1, {QStringLiteral("a")});
  grid.setRowTexts(2, {QStringLiteral("b")});
  grid.setActiveCell(15, 2);
  vista->seguirCursorDelGrid();
  EXPECT_EQ(cursor(), QPoint(15, 2));
  // A system move onto a skipped column lands where the rule says.
  grid.setActiveCell(1, 1);
  vista->seguirCursorDelGrid();
  EXPECT_EQ(cursor(), QPoint(11, 1));
  EXPECT_EQ(activa(), QPoint(11, 1));
}

}  // namespace
