// The work file under faults: a saved file cut at any byte, other line ends
// and a byte order mark, a file too big to read, a target that cannot be
// replaced. An open either refuses and changes nothing or loads what the file
// holds.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "apoyo.h"
#include "intake/inf_import.h"
#include "workfile/workfile.h"
#include "startup/startup.h"

namespace {

// The cells of a grid as one readable text, for the comparisons.
std::string celdas(const Grid& g) { return fallas::celdas(g).join(QLatin1Char('/')).toStdString(); }

const QString kErrorLog = QStringLiteral("Error al generar el archivo Log");

class TrabajoFallasTest : public WorkspaceTest {
 protected:
  void SetUp() override {
    Form_Load(*ws);
    ws->vaSpread2.setText(2, 2, Q("778899"));
    prompter.limpiar();
  }

  // Four detail lines of two orders, and the two orders.
  void envio() {
    for (int r = 1; r <= 4; ++r) {
      const QString oc = r <= 2 ? Q("4500000001") : Q("4500000002");
      ws->vaspread1.setRowTexts(r, {oc, Q("12"), Q("01/12/26"), Q("20/12/26"), Q("0101"), QString::number(77000 + r),
                                    Q("MOD-A"), Q("7501000000011"), Q("ROJO"), Q("CH"), Q("5"), Q("45.50"),
                                    Q("99.90"), Q("Cajas - cartón"), QStringLiteral("C00000000%1").arg(r), Q("12")});
    }
    for (int k = 1; k <= 2; ++k)
      ws->vaSpread9.setRowTexts(k, {QStringLiteral("450000000%1").arg(k), Q("Alta"), Q("1234"), Q("FAC1"),
                                    Q("100.00"), Q("12"), Q("01/12/2026"), Q("20/12/2026")});
  }
  void guardar(const QString& ruta) {
    prompter.archivosGuardar.push_back(ruta);
    guardararchiv_Click(*ws);
  }
  void abrir(const QString& ruta) {
    prompter.archivosAbrir.push_back(ruta);
    abrirarchiv_Click(*ws);
  }
  QStringList otros() const {
    QStringList t;
    for (const Mensaje& m : prompter.mensajes)
      if (m.texto != kErrorLog) t.append(m.texto);
    return t;
  }
  // Something in the three tables, to see whether an open touched them.
  void tablasPrevias() {
    ws->vaspread1.deleteAllRows();
    ws->vaSpread6.deleteAllRows();
    ws->vaSpread9.deleteAllRows();
    ws->vaspread1.setRowTexts(1, {Q("PREVIA"), Q("1")});
    ws->vaSpread6.setRowTexts(1, {Q("PREVIA"), Q("6")});
    ws->vaSpread9.setRowTexts(1, {Q("PREVIA"), Q("Baja")});
  }
  std::string tablas() const {
    return celdas(ws->vaspread1) + " -- " + celdas(ws->vaSpread6) + " -- " + celdas(ws->vaSpread9);
  }
};

TEST_F(TrabajoFallasTest, CortadoEnCualquierByteRehusaOCargaLoQueTiene) {
  envio();
  const QString ruta = dir.filePath(Q("envio.006"));
  guardar(ruta);
  const QByteArray bytes = leer(ruta);
  // The tables of the whole file.
  abrir(ruta);
  ASSERT_TRUE(prompter.mensajes.empty());
  const std::string detalle = celdas(ws->vaspread1), detalle6 = celdas(ws->vaSpread6);
  const QStringList ordenes = fallas::celdas(ws->vaSpread9);
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 4);
  ASSERT_EQ(ordenes.size(), 2);

  const QString cortado = dir.filePath(Q("cortado.006"));
  int rehusados = 0, cargados = 0;
  for (qsizetype n = 0; n <= bytes.size(); ++n) {
    SCOPED_TRACE(n);
    escribir(cortado, bytes.left(n));
    tablasPrevias();
    const std::string antes = tablas();
    prompter.limpiar();
    abrir(cortado);
    if (!prompter.mensajes.empty()) {
      ++rehusados;
      ASSERT_EQ(prompter.mensajes.size(), 1u);
      EXPECT_TRUE(prompter.ultimo().contains(Q("No se cargó ningún dato."))) << prompter.ultimo().toStdString();
      EXPECT_EQ(tablas(), antes);
      continue;
    }
    ++cargados;
    if (n < trabajo::kFirma.size()) {
      // Not even the mark: a text file of one line, loaded as one (no detail).
      EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
      EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
      continue;
    }
    // Loaded: every detail line, and the orders whose lines are whole.
    EXPECT_EQ(celdas(ws->vaspread1), detalle);
    EXPECT_EQ(celdas(ws->vaSpread6), detalle6);
    const QStringList o = fallas::celdas(ws->vaSpread9);
    EXPECT_TRUE(o == ordenes.mid(0, o.size())) << o.join(QLatin1Char('/')).toStdString();
  }
  EXPECT_GT(rehusados, bytes.size() / 2);
  EXPECT_GT(cargados, 2);
}

TEST_F(TrabajoFallasTest, FinesDeLineaSoloCrOLfYMarcaUtf8DanLasMismasTablas) {
  envio();
  const QString ruta = dir.filePath(Q("envio.006"));
  guardar(ruta);
  const QByteArray bytes = leer(ruta);
  abrir(ruta);
  const std::string esperado = tablas();
  ASSERT_TRUE(prompter.mensajes.empty());

  QByteArray soloCr = bytes, soloLf = bytes;
  soloCr.replace("\r\n", "\r");
  soloLf.replace("\r\n", "\n");
  const std::pair<const char*, QByteArray> casos[] = {
      {"solo CR", soloCr}, {"solo LF", soloLf}, {"marca UTF-8", QByteArray("\xEF\xBB\xBF") + bytes},
      {"Ctrl+Z al final", bytes + '\x1A'}};
  for (const auto& [nombre, contenido] : casos) {
    tablasPrevias();
    prompter.limpiar();
    abrir(escribir(Q("variante.006"), contenido));
    EXPECT_TRUE(prompter.mensajes.empty()) << nombre << " " << prompter.ultimo().toStdString();
    EXPECT_EQ(tablas(), esperado) << nombre;
  }

  // A NUL byte inside a detail line: refused whole.
  QByteArray nulo = bytes;
  nulo[nulo.indexOf("4500000002")] = '\0';
  tablasPrevias();
  const std::string antes = tablas();
  prompter.limpiar();
  abrir(escribir(Q("nulo.006"), nulo));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(prompter.ultimo().contains(Q("no es un archivo de texto"))) << prompter.ultimo().toStdString();
  EXPECT_EQ(tablas(), antes);
}

TEST_F(TrabajoFallasTest, OrdenesSinDetalleConLaMarcaEnUnaOrdenSeAbrenTodas) {
  // Found by the fuzz harness: orders without detail lines, one of them with
  // the work file's mark in its first cell. The save puts the trailer on
  // line 8; the open must take that one, not the order's, and lose no order.
  const QStringList numeros{Q("4500000001"), Q("X DUDIZOD3.0"), Q("4500000003")};
  for (int k = 1; k <= 3; ++k)
    ws->vaSpread9.setRowTexts(k, {numeros[k - 1], Q("Pedido Múltiple"), Q("1234"), Q("FAC1"), Q("100.00"), Q("12"),
                                  Q("01/12/2026"), Q("20/12/2026")});
  const std::string ordenes = celdas(ws->vaSpread9);
  const QString ruta = dir.filePath(Q("sin_detalle.006"));
  guardar(ruta);
  ASSERT_TRUE(otros().isEmpty()) << otros().join(Q(" / ")).toStdString();
  const QByteArray primera = leer(ruta);
  tablasPrevias();
  abrir(ruta);
  EXPECT_TRUE(prompter.mensajes.empty()) << prompter.ultimo().toStdString();
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(celdas(ws->vaSpread9), ordenes);
  guardar(dir.filePath(Q("otra_vez.006")));
  EXPECT_EQ(leer(dir.filePath(Q("otra_vez.006"))), primera);
}

TEST_F(TrabajoFallasTest, ArchivoDemasiadoGrandeNoSeLee) {
  // A sparse file past the read limit: refused before it is read.
  const QString grande = dir.filePath(Q("grande.006"));
  {
    QFile f(grande);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("DUDIZOD3.0\r\n");
    ASSERT_TRUE(f.resize(texto::kMaximoBytesLectura + 1));
  }
  tablasPrevias();
  const std::string antes = tablas();
  abrir(grande);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(prompter.ultimo().startsWith(Q("Error inesperado # 7\r\nEl archivo es demasiado grande para leerlo: ")))
      << prompter.ultimo().toStdString();
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Critico);
  EXPECT_EQ(tablas(), antes);

  // The same for an order file (the import has emptied the workspace first).
  QFile::rename(grande, dir.filePath(Q("grande.inf")));
  prompter.limpiar();
  prompter.archivosAbrir.push_back(dir.filePath(Q("grande.inf")));
  importararchiv_Click(*ws);
  ASSERT_FALSE(prompter.mensajes.empty());
  EXPECT_TRUE(fallas::empiezaCon(prompter, Q("Error inesperado # 7\r\n")) != nullptr) << prompter.ultimo().toStdString();
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
}

TEST_F(TrabajoFallasTest, ArchivoDeTrabajoDeSoloLecturaQuedaIgual) {
  if (!fallas::permisosValen()) GTEST_SKIP() << "permissions do not bind for the superuser";
  envio();
  QTemporaryDir destino;
  const QString ruta = destino.filePath(Q("envio.006"));
  const QByteArray viejo("trabajo anterior\r\n");
  escribir(ruta, viejo);
  QFile::setPermissions(ruta, QFile::ReadOwner | QFile::ReadGroup);
  guardar(ruta);
  QFile::setPermissions(ruta, QFile::ReadOwner | QFile::WriteOwner);
  ASSERT_EQ(otros().size(), 1);
  EXPECT_TRUE(otros()[0].startsWith(Q("Error inesperado # "))) << otros()[0].toStdString();
  EXPECT_EQ(leer(ruta), viejo);
  EXPECT_EQ(fallas::contenido(destino.path()), QStringList{Q("envio.006")});
}

}  // namespace
