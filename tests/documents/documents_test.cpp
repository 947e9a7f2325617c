#include <QGuiApplication>
#include <QProcess>
#include <QImage>
#include <QRegularExpression>
#include <map>

#include "documents/document_commands.h"
#include "documents/packing_list.h"
#include "notice/output.h"
#include "shipment.h"

namespace {

class DocumentsTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    ponerCliente(*ws);
    Orden o2;
    o2.orden = QStringLiteral("22222222");
    o2.factura = QStringLiteral("F-200");
    ponerOrdenes(*ws, {Orden{}, o2});
    ponerEntrega(*ws);
    struct L { const char *orden, *tienda, *sku, *cantidad, *contenedor; };
    const L ls[] = {
        {"12345678", "1234500003", "1000001", "10", "A00000001"},
        {"22222222", "1234500001", "1000002", "4", "S000000021"},
        {"12345678", "1234500003", "1000001", "5", "A00000001"},   // merged with the first
        {"22222222", "1234500003", "1000003", "7", "A00000001"},   // second order, same container
        {"12345678", "1234500001", "1000004", "1", "C00000009"},
        {"12345678", "1234500002", "1000005", "2", "V00000004"},
        {"22222222", "1234500002", "1000006", "3", "E00000005"},
        {"12345678", "1234500002", "1000007", "12", "I00000006"},
        {"22222222", "1234500002", "1000008", "9", "D00000007"},
        {"12345678", "1234500001", "1000009", "6", "B00000008"},
        {"22222222", "1234500001", "1000010", "8", "B00000008"},
    };
    std::vector<Linea> v;
    for (const L& l : ls) {
      Linea x;
      x.orden = Q(l.orden); x.tienda = Q(l.tienda); x.sku = Q(l.sku); x.cantidad = Q(l.cantidad);
      x.contenedor = Q(l.contenedor);
      v.push_back(x);
    }
    v[4].color = QStringLiteral("AZUL MARINO CON RAYA");  // fits the notice, not the list's column
    ponerLineas(*ws, v);
  }
  // Standard output of a program of the test tools (poppler-utils, zbar-tools).
  static QString correr(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << programa.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
  }
  // The PDF's text line by line as laid out, blanks between words made one.
  static QString textoPdf(const QString& ruta) {
    static const QRegularExpression blancos(QStringLiteral(" +"));
    return correr(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), ruta, QStringLiteral("-")})
        .replace(blancos, QStringLiteral(" "));
  }
  QString pdf(const std::function<bool(QPagedPaintDevice&)>& pintar) {
    const QString ruta = dir.filePath(QStringLiteral("documento.pdf"));
    EXPECT_TRUE(guardarPdf(ruta, QStringLiteral("prueba"), pintar).ok);
    return ruta;
  }
  EnvioDocumentos envio() {
    EnvioDocumentos e;
    EXPECT_EQ(armarEnvio(*ws, e), Resultado::Hecho) << prompter.ultimo().toStdString();
    return e;
  }
};

// Stores in the order of their text, containers in code order within each.
const QStringList kOrdenEtiquetas = {
    QStringLiteral("B00000008"), QStringLiteral("C00000009"), QStringLiteral("S000000021"),
    QStringLiteral("D00000007"), QStringLiteral("E00000005"), QStringLiteral("I00000006"),
    QStringLiteral("V00000004"), QStringLiteral("A00000001")};

TEST_F(DocumentsTest, EveryLabelDecodesToItsContainerInOrder) {
  const QStringList detalle = ws->vaspread1.toLines();
  const EnvioDocumentos e = envio();
  EXPECT_EQ(ws->vaspread1.toLines(), detalle);  // made from a copy
  for (FormatoEtiqueta f : {FormatoEtiqueta::Termica4x6, FormatoEtiqueta::Carta, FormatoEtiqueta::A4}) {
    SCOPED_TRACE(nombreFormato(f).toStdString());
    const QString ruta = pdf([&](QPagedPaintDevice& d) { return pintarEtiquetas(e, f, d); });
    const QString texto = textoPdf(ruta);
    for (const QString& c : kOrdenEtiquetas) EXPECT_TRUE(texto.contains(c)) << c.toStdString();
    for (const char* t : {"Contenedor 3 de 3", "Contenedor 4 de 4", "Contenedor 1 de 1", "RENGLONES: 2 PIEZAS: 22",
                          "ORDEN DE COMPRA: 12345678, 22222222", "LUGAR-TIENDA 1234500002", "PROVEEDOR 45678",
                          "ENTREGA: 09/12/2026 09:00", "TIPO DE ENTREGA: Contenedor Verde Mediano"})
      EXPECT_TRUE(texto.contains(Q(t))) << t;
    // Every label cut out of its rendered page, decoded on its own.
    const int porPagina = etiquetasPorPagina(f);
    const int paginas = (static_cast<int>(kOrdenEtiquetas.size()) + porPagina - 1) / porPagina;
    correr(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-gray"), ruta,
                                        dir.filePath(QStringLiteral("p"))});
    QStringList recortes;
    for (int i = 0; i < kOrdenEtiquetas.size(); ++i) {
      const QImage pagina(dir.filePath(QStringLiteral("p-%1.pgm").arg(i / porPagina + 1, paginas >= 10 ? 2 : 1,
                                                                        10, QLatin1Char('0'))));
      ASSERT_FALSE(pagina.isNull());
      const QRectF r = lugarEtiqueta(f, i % porPagina);
      const double px = 100.0 / 72;
      recortes << dir.filePath(QStringLiteral("e%1.png").arg(i));
      ASSERT_TRUE(pagina.copy(QRectF(r.topLeft() * px, r.size() * px).toRect()).save(recortes.last()));
    }
    const QString codigos = correr(QStringLiteral("zbarimg"), QStringList{QStringLiteral("-q"), QStringLiteral("--raw")} + recortes);
    EXPECT_EQ(codigos.split(QLatin1Char('\n'), Qt::SkipEmptyParts), kOrdenEtiquetas);
  }
}

// The packing list's subtotals and totals are the notice's DT records summed:
// the shipment above, and again with a container whose lines fill pages.
TEST_F(DocumentsTest, PackingListTotalsAreTheNoticesDetailRecords) {
  for (int extra : {0, 150}) {
    SCOPED_TRACE(extra);
    SetUp();
    for (int i = 1; i <= extra; ++i) {
      const int r = ws->vaspread1.dataRowCount() + 1;
      ws->vaspread1.setRowTexts(r, ws->vaspread1.rowTexts(1));
      ws->vaspread1.setText(6, r, QString::number(2000000 + i));
      ws->vaSpread6.setRowTexts(r, ws->vaspread1.rowTexts(r).mid(0, 15));
    }
    const QString ruta = pdf([e = envio()](QPagedPaintDevice& d) { return pintarListaEmpaque(e, d); });
    const QString texto = textoPdf(ruta);
    QStringList esperado = {Q("PROVEEDOR: 45678 CLIENTE: 1234 ENTREGA: 09/12/2026 09:00"),
                            Q("ORDEN DE COMPRA 22222222 FACTURA/REMISION F-200"),
                            Q("Total LUGAR-TIENDA 1234500001: 3 contenedores, 4 renglones, 19 piezas")};
    esperado << (extra ? Q("CONTENEDOR A00000001 Cajas - azules Contenedor 1 de 1 (contin\u00faa)")
                       : Q("P\u00e1gina 1 de 1"));
    for (const QString& t : esperado) EXPECT_TRUE(texto.contains(t)) << t.toStdString();
    std::map<QString, std::pair<int, qint64>> lista, aviso;  // what -> lines, pieces
    static const QRegularExpression total(
        QStringLiteral("(?:Subtotal contenedor (\\S+?)|Total ORDEN DE COMPRA (\\S+) \\([^)]*\\)|TOTAL DEL ENV\u00cdO): "
                       "(?:\\d+ contenedores?, )?(\\d+) rengl(?:\u00f3n|ones), ([\\d,]+) piezas?"));
    for (auto m = total.globalMatch(texto); m.hasNext();) {
      const auto t = m.next();
      lista[t.captured(1) + t.captured(2)] = {t.captured(3).toInt(),
                                              t.captured(4).remove(QLatin1Char(',')).toLongLong()};
    }

    prompter.archivosGuardar.push_back(dir.filePath(QStringLiteral("aviso.txt")));
    arch_env_Click(*ws);
    QString orden, contenedor;
    for (const QString& l : texto::partirLineas(texto::desde1252(leer(dir.filePath(QStringLiteral("aviso.txt")))))) {
      if (l.startsWith(QStringLiteral("HD"))) orden = l.mid(59, 9).trimmed();
      if (l.startsWith(QStringLiteral("CN"))) contenedor = l.mid(8);
      if (!l.startsWith(QStringLiteral("DT"))) continue;
      const qint64 piezas = l.mid(78, 10).toLongLong() / 100;
      for (const QString& k : {orden, contenedor, QString()}) {
        ++aviso[k].first;
        aviso[k].second += piezas;
      }
    }
    EXPECT_EQ(aviso.size(), 11u);  // 8 containers, 2 orders, the shipment
    EXPECT_EQ(lista, aviso);
  }
}

// The window's commands: the format asked for, then the preview, which paints
// what the PDF holds; closing either without going on cancels.
TEST_F(DocumentsTest, TheMenuCommandsAskTheFormatThenPreview) {
  struct Caso {
    bool etiquetas, eligeFormato, imprime;
    Resultado resultado;
    int paginas;
  };
  const Caso casos[] = {{true, true, true, Resultado::Hecho, 2},
                        {true, false, true, Resultado::Cancelado, 0},
                        {true, true, false, Resultado::Cancelado, 2},
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

// The line checks of the file command: the first fault is shown and no document made.
TEST_F(DocumentsTest, AFaultyLineIsShownAndNothingIsMade) {
  struct Caso {
    int fila, col;
    const char* texto;
    int colFalla, filaFalla;
    const char* mensaje;
  };
  const Caso casos[] = {
      {3, 11, "0", 11, 3, "ERROR, no puede haber cantidades = 0!"},
      {5, 11, "2x", 11, 5, "ERROR, las cantidades deben ser n\u00fameros enteros mayores que 0!"},
      {9, 15, "D0000007", 15, 9, "INCOMPLETO: El contenedor debe tener 9 digitos"},
      {7, 5, "1234500009", 15, 6, "ERROR: No puede ir un contenedor a dos Tiendas diferentes"},
  };
  for (const Caso& c : casos) {
    SetUp();
    prompter.limpiar();
    ws->vaspread1.setText(c.col, c.fila, Q(c.texto));
    if (c.col == 5) ws->vaspread1.setText(15, c.fila, ws->vaspread1.text(15, 6));
    const QStringList detalle = ws->vaspread1.toLines();
    EnvioDocumentos e;
    EXPECT_EQ(armarEnvio(*ws, e), Resultado::Rechazado);
    EXPECT_EQ(prompter.textos(), QStringList{Q(c.mensaje)});
    EXPECT_EQ(ws->vaspread1.activeCol(), c.colFalla);
    EXPECT_EQ(ws->vaspread1.activeRow(), c.filaFalla);
    EXPECT_EQ(ws->vaspread1.toLines(), detalle);
  }
  // A code Code 128 cannot carry: refused for the labels, with the cursor on its line.
  SetUp();
  prompter.limpiar();
  ws->vaspread1.setText(15, 6, QStringLiteral("V0000000\u20ac4"));
  EnvioDocumentos e;
  EXPECT_EQ(revisarEtiquetas(*ws, e), Resultado::Rechazado);
  EXPECT_EQ(prompter.ultimo(), QStringLiteral("El contenedor no se puede escribir como c\u00f3digo de barras: V0000000\u20ac4"));
  EXPECT_EQ(ws->vaspread1.activeRow(), 6);
  // A PDF that cannot be written is an unexpected error, and no file.
  const QString ruta = dir.filePath(QStringLiteral("no/existe.pdf"));
  EXPECT_EQ(escribirListaEmpaque(*ws, e, ruta), Resultado::Fallido);
  EXPECT_TRUE(prompter.ultimo().startsWith(QStringLiteral("Error inesperado #"))) << prompter.ultimo().toStdString();
  EXPECT_FALSE(QFile::exists(ruta));

  ws->vaspread1.deleteAllRows();
  prompter.limpiar();
  EXPECT_EQ(armarEnvio(*ws, e), Resultado::Rechazado);
  EXPECT_EQ(prompter.ultimo(), QStringLiteral("No hay informaci\u00f3n para generar el documento"));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
