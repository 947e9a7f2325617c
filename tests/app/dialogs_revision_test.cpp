// Archivo > "Revisar aviso...": the open dialog preset with the last notice
// written, the notice read back into the read-only window, the comparison
// with a work file, and a double click on a finding going to its place.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTreeWidget>

#include "app/dialogs/notice_review_dialog.h"
#include "app/qtprompter.h"
#include "documents/notice_review.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

class RevisionDialogoTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }
  static QString caso(const char* c, const char* archivo) {
    return QStringLiteral(AVISO_TEST_DATA "/revisar/") + QLatin1String(c) + QLatin1Char('/') + QLatin1String(archivo);
  }
};

TEST_F(RevisionDialogoTest, ElComandoLeeElAvisoYLoMuestra) {
  ws->ultimoAviso = caso("contra_trabajo", "aviso.txt");
  EXPECT_EQ(revisaraviso_Click(*ws), Resultado::Cancelado);
  ASSERT_EQ(prompter.dialogosArchivo.size(), 1u);
  EXPECT_EQ(prompter.dialogosArchivo[0].nombre, QStringLiteral("aviso.txt"));
  EXPECT_EQ(prompter.dialogosArchivo[0].carpetaInicial, QStringLiteral(AVISO_TEST_DATA "/revisar/contra_trabajo"));

  prompter.archivosAbrir = {dir.filePath(QStringLiteral("no-hay.txt"))};
  EXPECT_EQ(revisaraviso_Click(*ws), Resultado::Fallido);
  EXPECT_TRUE(prompter.ultimo().startsWith(QStringLiteral("No se pudo leer el aviso.")));

  int faltas = -1, comparadas = -1;
  prompter.archivosAbrir = {ws->ultimoAviso};
  prompter.alDialogo = [&](DialogoModelo& m) {
    auto& r = dynamic_cast<RevisionAvisoModelo&>(m);
    faltas = r.aviso.faltas();
    prompter.archivosAbrir = {caso("contra_trabajo", "trabajo.code")};
    EXPECT_TRUE(r.compararConTrabajo(prompter, carpeta()));
    comparadas = r.aviso.faltas();
    EXPECT_FALSE(r.compararConTrabajo(prompter, carpeta()));  // cancelled: the comparison stays
    EXPECT_EQ(r.aviso.faltas(), comparadas);
  };
  EXPECT_EQ(revisaraviso_Click(*ws), Resultado::Hecho);
  EXPECT_EQ(faltas, 0);
  EXPECT_EQ(comparadas, 3);
}

TEST_F(RevisionDialogoTest, LaVentanaMuestraElAvisoYVaALaFalta) {
  QWidget ventana;
  QtPrompter p(&ventana);
  RevisionAvisoModelo m;
  m.ruta = caso("campos_mal", "aviso.txt");
  m.aviso = leerAviso(leer(m.ruta));
  RevisionAvisoDialogo d(m, p, &ventana);
  auto* arbol = d.findChild<QTreeWidget*>(QStringLiteral("arbolAviso"));
  auto* hallazgos = d.findChild<QTreeWidget*>(QStringLiteral("hallazgos"));
  auto* texto = d.findChild<QPlainTextEdit*>(QStringLiteral("textoAviso"));
  ASSERT_TRUE(arbol && hallazgos && texto);
  // One order and the notice's total; the order's 13 header fields, then its container with two lines.
  ASSERT_EQ(arbol->topLevelItemCount(), 2);
  QTreeWidgetItem* pedido = arbol->topLevelItem(0);
  ASSERT_EQ(pedido->childCount(), 14);
  EXPECT_EQ(pedido->child(4)->text(0), QStringLiteral("fecha de entrega"));
  EXPECT_EQ(pedido->child(13)->child(1)->childCount(), 9);
  EXPECT_EQ(texto->document()->blockCount(), 4);
  ASSERT_EQ(hallazgos->topLevelItemCount(), 6);
  // The fault in the quantity of line 3, column 87.
  QTreeWidgetItem* falta = hallazgos->topLevelItem(4);
  emit hallazgos->itemDoubleClicked(falta, 0);
  EXPECT_EQ(texto->textCursor().blockNumber(), 2);
  EXPECT_EQ(texto->textCursor().selectionStart() - texto->textCursor().block().position(), 86);
  EXPECT_EQ(texto->textCursor().selectedText(), QStringLiteral(" "));
}

}  // namespace
