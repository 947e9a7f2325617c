// The forms of the labels and the packing list through the window's prompter:
// the format chosen in its list, then Qt's print preview with one page per
// thermal label or six labels a sheet.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTimer>

#include "../notice/shipment.h"
#include "app/dialogs/forms.h"
#include "app/qtprompter.h"
#include "documents/document_commands.h"
#include "ventana_apoyo.h"

namespace {

class DocumentosDialogoTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }
};

// Reads the preview that is open, then closes it without printing.
void leerVistaPrevia(QString& titulo, int& paginas) {
  QTimer::singleShot(0, [&titulo, &paginas] {
    auto* v = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    if (!v) return;
    titulo = v->windowTitle();
    paginas = v->findChild<QPrintPreviewWidget*>()->pageCount();
    v->reject();
  });
}

TEST_F(DocumentosDialogoTest, FormatoElegidoYVistaPreviaDeQt) {
  QWidget ventana;
  QtPrompter p(&ventana);
  registrarFormas(p);
  Workspace w(carpeta(), p, reloj);
  ponerCliente(w);
  ponerOrdenes(w, {Orden{}});
  std::vector<Linea> lineas(7);
  for (size_t i = 0; i < lineas.size(); ++i) {
    lineas[i].sku = QString::number(1000000 + i);
    lineas[i].contenedor = QStringLiteral("A12345678%1").arg(i);
  }
  ponerLineas(w, lineas);

  // 4 x 6: a page a label; a Letter sheet: six labels a page.
  for (const auto& [indice, paginas] : {std::pair{0, 7}, std::pair{1, 2}}) {
    QString titulo;
    int vistas = -1;
    QTimer::singleShot(0, [&, indice = indice] {
      auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!d) return;
      EXPECT_EQ(d->objectName(), QStringLiteral("FormatoEtiquetas"));
      d->findChild<QComboBox*>(QStringLiteral("formato"))->setCurrentIndex(indice);
      leerVistaPrevia(titulo, vistas);
      d->findChild<QPushButton*>(QStringLiteral("aceptar"))->click();
    });
    EXPECT_EQ(etiquetas_Click(w), Resultado::Cancelado);
    EXPECT_EQ(titulo, QStringLiteral("Etiquetas de contenedor"));
    EXPECT_EQ(vistas, paginas);
  }
  // Cancelar in the format's form: no preview.
  QTimer::singleShot(0, [] {
    if (auto* d = QApplication::activeModalWidget())
      d->findChild<QPushButton*>(QStringLiteral("cancelar"))->click();
  });
  EXPECT_EQ(etiquetas_Click(w), Resultado::Cancelado);

  QString titulo;
  int vistas = -1;
  leerVistaPrevia(titulo, vistas);
  EXPECT_EQ(listaempaque_Click(w), Resultado::Cancelado);
  EXPECT_EQ(titulo, QStringLiteral("Lista de empaque"));
  EXPECT_EQ(vistas, 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
