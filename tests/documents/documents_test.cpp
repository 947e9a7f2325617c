// The window's document commands over a prompter; what the labels and the
// packing list hold, their bar codes and their refusals are in the golden
// cases etiquetas and documentos of aviso-lote.
#include <QGuiApplication>
#include <QProcess>

#include "documents/document_commands.h"
#include "documents/packing_list.h"
#include "notice/output.h"
#include "shipment.h"

namespace {

class DocumentsTest : public WorkspaceTest {
 protected:
  void SetUp() override { ejemplo(*ws); }
  // Standard output of a program of the test tools (poppler-utils).
  static QString correr(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << programa.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
  }
  QString pdf(const std::function<bool(QPagedPaintDevice&)>& pintar) {
    const QString ruta = dir.filePath(QStringLiteral("documento.pdf"));
    EXPECT_TRUE(guardarPdf(ruta, QStringLiteral("prueba"), pintar).ok);
    return ruta;
  }
};

// The window's commands: the format asked for, then the preview, which paints
// what the PDF holds; closing either without going on cancels.
TEST_F(DocumentsTest, TheMenuCommandsAskTheFormatThenPreview) {
  struct Caso {
    bool etiquetas, eligeFormato, imprime;
    Resultado resultado;
    int paginas;
  };
  const Caso casos[] = {{true, true, true, Resultado::Hecho, 1},
                        {true, false, true, Resultado::Cancelado, 0},
                        {true, true, false, Resultado::Cancelado, 1},
                        {false, true, true, Resultado::Hecho, 1}};
  for (const Caso& c : casos) {
    QStringList vistos;
    int paginas = 0;
    prompter.alDialogo = [&](DialogoModelo& d) {
      vistos << d.forma();
      if (auto* f = dynamic_cast<FormatoEtiquetasModelo*>(&d)) {
        if (c.eligeFormato) f->aceptar(FormatoEtiqueta::A4);
        else f->cancelar();
      }
      auto* v = dynamic_cast<VistaPreviaModelo*>(&d);
      if (!v) return;
      const QString ruta = pdf(v->pintar);
      paginas = correr(QStringLiteral("pdfinfo"), {ruta}).section(QStringLiteral("Pages:"), 1).section(
          QLatin1Char('\n'), 0, 0).trimmed().toInt();
      v->impreso = c.imprime;
    };
    EXPECT_EQ(c.etiquetas ? etiquetas_Click(*ws) : listaempaque_Click(*ws), c.resultado);
    EXPECT_EQ(paginas, c.paginas);
    EXPECT_EQ(vistos.size(), (c.etiquetas ? 1 : 0) + (c.eligeFormato ? 1 : 0));
  }
  EXPECT_TRUE(textosLog().contains(QStringLiteral("TERMINO EL EVENTO-----listaempaque_Click")));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
