#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTableView>

#include "app/mainwindow.h"
#include "fixture.h"

namespace {
int argc = 1;
char arg0[] = "test_app";
char* argv[] = {arg0, nullptr};
QApplication& app() {
  static QApplication a(argc, argv);
  return a;
}
}  // namespace

class MainWindowTest : public WorkspaceTest {
 protected:
  void SetUp() override { app(); }
};

TEST_F(MainWindowTest, StartsWithItsTitleAndNewClearsIt) {
  MainWindow w(carpeta(), &prompter, &reloj);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("AVISO DE VORARIDO ver 9.4"));
  EXPECT_EQ(w.vistaDetalle()->model()->columnCount(), 15);
  EXPECT_EQ(w.vistaDetalle()->model()->headerData(14, Qt::Horizontal).toString(), QStringLiteral("CONTENEDOR"));
  EXPECT_TRUE(QFile::exists(carpeta() + QStringLiteral("/dudizod.ini")));
  w.ws().vaspread1.setRowTexts(1, {QStringLiteral("1"), QStringLiteral("2")});
  w.ws().vaSpread9.setRowTexts(1, {QStringLiteral("1")});
  EXPECT_EQ(w.vistaDetalle()->model()->rowCount(), 1);
  w.accion(QStringLiteral("b_nuevo"))->trigger();
  EXPECT_EQ(w.ws().vaspread1.dataRowCount(), 0);
  EXPECT_EQ(w.vistaDetalle()->model()->rowCount(), 0);
  EXPECT_EQ(w.ws().vaSpread9.dataRowCount(), 0);
  EXPECT_TRUE(textosLog().contains(QStringLiteral("TERMINO EL EVENTO-----b_nuevo_Click")));
  EXPECT_EQ(w.accion(QStringLiteral("b_nuevo"))->toolTip(), QStringLiteral(" NUEVO ARCHIVO "));
}
