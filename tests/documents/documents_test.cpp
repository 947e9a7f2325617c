// The window's document commands over a prompter; what the labels and the
// packing list hold, their bar codes and their refusals are in the golden
// cases etiquetas and documentos of aviso-lote.
#include <QGuiApplication>
#include <QPdfWriter>
#include <QProcess>

#include "documents/document_commands.h"
#include "documents/empaque_documentos.h"
#include "documents/notice_review.h"
#include "documents/labels.h"
#include "documents/packing_list.h"
#include "notice/envio_actual.h"
#include "notice/output.h"
#include "shipment.h"

namespace {

class DocumentsTest : public WorkspaceTest {
 protected:
  void SetUp() override { ejemplo(*ws); }
  QString pdf(const std::function<bool(QPagedPaintDevice&)>& pintar) {
    const QString ruta = dir.filePath(QStringLiteral("documento.pdf"));
    EXPECT_TRUE(guardarPdf(ruta, QStringLiteral("prueba"), pintar).ok);
    return ruta;
  }
  // The pages of a PDF as pdfinfo (poppler-utils) counts them.
  static int paginas(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(p.waitForFinished(60000));
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    return info.section(QStringLiteral("Pages:"), 1).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
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
    int n = 0;
    prompter.alDialogo = [&](DialogoModelo& d) {
      vistos << d.forma();
      if (auto* f = dynamic_cast<FormatoEtiquetasModelo*>(&d)) {
        if (c.eligeFormato) f->aceptar(FormatoEtiqueta::A4);
        else f->cancelar();
      }
      auto* v = dynamic_cast<VistaPreviaModelo*>(&d);
      if (!v) return;
      n = paginas(pdf(v->pintar));
      v->impreso = c.imprime;
    };
    prompter.ocupado.clear();
    EXPECT_EQ(c.etiquetas ? etiquetas_Click(*ws) : listaempaque_Click(*ws), c.resultado);
    EXPECT_EQ(prompter.ocupado, Q("+-")) << "busy while the shipment is gathered";
    EXPECT_EQ(n, c.paginas);
    EXPECT_EQ(vistos.size(), (c.etiquetas ? 1 : 0) + (c.eligeFormato ? 1 : 0));
  }
  EXPECT_TRUE(textosLog().contains(QStringLiteral("TERMINO EL EVENTO-----listaempaque_Click")));
  // A document that cannot be started says so.
  QPdfWriter sinCarpeta(dir.filePath(Q("no-hay/documento.pdf")));
  EXPECT_FALSE(pintarResumenEmpaque({Q("x")}, Envio{}, sinCarpeta));
  EXPECT_FALSE(pintarListaEmpaque(envioDe(*ws), sinCarpeta));
  EXPECT_FALSE(pintarEtiquetas(envioDe(*ws), FormatoEtiqueta::A4, sinCarpeta));
  // The packing summary before any container is closed: its own page only.
  EXPECT_EQ(paginas(pdf([](QPagedPaintDevice& d) { return pintarResumenEmpaque({Q("Nada empacado")}, Envio{}, d); })), 1);
}

// F10's label of one container: refused when the container has no lines or
// its code makes no bar code; else the format is asked.
TEST_F(DocumentsTest, LaEtiquetaDeUnContenedor) {
  ws->vaspread1.setText(colDetalle::Contenedor, 2, Q("A€2345678"));
  const struct {
    const char* codigo;
    Resultado resultado;
  } casos[] = {{"A999999999", Resultado::Rechazado}, {"A€2345678", Resultado::Rechazado}, {"A123456789", Resultado::Cancelado}};
  for (const auto& c : casos) {
    prompter.limpiar();
    EXPECT_EQ(etiquetaContenedor(*ws, Q(c.codigo)), c.resultado) << c.codigo;
    EXPECT_EQ(prompter.mensajes.size(), c.resultado == Resultado::Rechazado ? 1u : 0u) << c.codigo;
  }
  QPdfWriter bien(dir.filePath(Q("e.pdf")));  // nor are all the labels with that code among them
  EXPECT_FALSE(pintarEtiquetas(envioDe(*ws), FormatoEtiqueta::A4, bien));
}

// Revisar aviso compared with a work file: a dialog cancelled, or a file that
// cannot be read, leaves what the window shows.
TEST_F(DocumentsTest, ElAvisoSeComparaSoloConUnTrabajoLeido) {
  const QString entrada = Q(AVISO_TEST_DATA "/../golden/revisar/entrada/");
  RevisionAvisoModelo m;
  m.ruta = entrada + Q("ejemplo.txt");
  const struct {
    const char* trabajo;  // nullptr: the dialog cancelled
    bool comparado;
  } casos[] = {{nullptr, false}, {"no-hay.code", false}, {"ejemplo.code", true}, {"no-hay.code", false}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.trabajo ? c.trabajo : "cancelado");
    prompter.limpiar();
    if (c.trabajo) prompter.archivosAbrir.push_back(entrada + Q(c.trabajo));
    const QString antes = m.trabajo;
    EXPECT_EQ(m.compararConTrabajo(prompter, entrada), c.comparado);
    EXPECT_EQ(m.trabajo, c.comparado ? entrada + Q(c.trabajo) : antes);
    EXPECT_EQ(prompter.mensajes.size(), c.trabajo && !c.comparado ? 1u : 0u);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
