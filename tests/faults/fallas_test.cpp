// Faults that a golden case of aviso-lote cannot lay: every writer against a
// full disk (a device that fails after N bytes or at the final flush), and an
// order file or a work file cut at every byte. The pipes, folders, cut files
// and limits met by the commands are in tests/golden/fallas.
#include <QBuffer>
#include <QDir>

#include "../notice/shipment.h"
#include "consolidation/form2.h"
#include "dispositivo_fallido.h"
#include "intake/inf_import.h"
#include "notice/builder.h"
#include "notice/output.h"
#include "workfile/workfile.h"

namespace {

QString celdas(const Grid& g) {
  QStringList out;
  for (int r = 1; r <= g.dataRowCount(); ++r) out.append(g.rowTexts(r).join(QLatin1Char('|')));
  return out.join(QLatin1Char('/'));
}

class FallasTest : public WorkspaceTest {
 protected:
  QString tablas() const { return celdas(ws->vaspread1) + Q(" -- ") + celdas(ws->vaSpread6) + Q(" -- ") + celdas(ws->vaSpread9); }
  // Opens (or imports as INF) the bytes; the message shown, or none.
  QString cargar(const QByteArray& bytes, bool inf) {
    prompter.limpiar();
    prompter.archivosAbrir = {escribir(inf ? Q("c.inf") : Q("c.006"), bytes)};
    prompter.alDialogo = [](DialogoModelo& m) {
      auto& f = dynamic_cast<Form2Modelo&>(m);
      for (const char* e : {"4500001234 - 123", "4500001235 - 123"})
        if (f.seleccionarList1(Q(e))) f.Command1_Click();
      f.Command2_Click();
    };
    inf ? importararchiv_Click(*ws) : abrirarchiv_Click(*ws);
    EXPECT_LE(prompter.mensajes.size(), 1u);
    return prompter.ultimo();
  }
  // Something in the three tables, to see whether a refused open touched them.
  void previas() {
    ws->vaspread1.setRowTexts(1, {Q("PREVIA"), Q("1")});
    ws->vaSpread6.setRowTexts(1, {Q("PREVIA"), Q("6")});
    ws->vaSpread9.setRowTexts(1, {Q("PREVIA"), Q("Baja")});
  }
};

TEST_F(FallasTest, CadaEscritorSobreUnDiscoLlenoDejaElArchivoAnterior) {
  const std::pair<const char*, std::function<texto::Resultado(Workspace&, QIODevice&)>> escritores[] = {
      {"aviso", [](Workspace& w, QIODevice& d) { return preparar(w) == Resultado::Hecho ? escribirAviso(w, d) : texto::Resultado(); }},
      {"trabajo", [](Workspace& w, QIODevice& d) { return prepararguardar(w) == Resultado::Hecho ? escribirTrabajo(w, d) : texto::Resultado(); }},
      {"header.txt", [](Workspace& w, QIODevice& d) { return w.vaSpread9.saveTabText(d); }},
      {"info.cfg", [](Workspace& w, QIODevice& d) { return w.vaSpread2.saveSheet(d); }},
      {"dudizod.ini", [](Workspace& w, QIODevice& d) { return w.vaSpread4.saveTabText(d); }},
  };
  ejemplo(*ws);
  const QString destino = dir.filePath(Q("destino"));
  const QByteArray viejo("archivo anterior\r\n");
  for (const auto& [nombre, escribe] : escritores) {
    SCOPED_TRACE(nombre);
    const auto escritor = [&, &escribe = escribe](QIODevice& d) { return escribe(*ws, d); };
    QBuffer completo;
    completo.open(QIODevice::WriteOnly);
    ASSERT_TRUE(escritor(completo).ok);
    const qint64 total = completo.data().size();
    ASSERT_GT(total, 20);
    for (qint64 limite : {qint64(0), qint64(1), total / 2, total - 1, ReemplazoFallido::kAlVaciar}) {
      escribir(destino, viejo);
      const texto::Resultado r = ReemplazoFallido(destino, limite).escribir(escritor);
      EXPECT_FALSE(r.ok) << limite;
      EXPECT_EQ(r.numero, 61);
      EXPECT_TRUE(r.descripcion.startsWith(Q("No se pudo escribir el archivo: ") + destino)) << r.descripcion.toStdString();
      EXPECT_EQ(leer(destino), viejo) << limite;
    }
    ASSERT_TRUE(ReemplazoFallido(destino, total).escribir(escritor).ok);
    EXPECT_EQ(leer(destino), completo.data());
  }
  // No temporary file stays beside the target.
  EXPECT_EQ(QDir(carpeta()).entryList(QDir::Files | QDir::Hidden), QStringList{Q("destino")});
}

// A cut that leaves the last line fewer fields than the one before is refused
// whole; one inside the last field cannot be told from a whole line and loads.
TEST_F(FallasTest, ArchivoDePedidosCortadoEnCadaByteDeSuUltimoRenglon) {
  const QByteArray entero = leer(QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tres.inf"));
  const qsizetype inicio = entero.lastIndexOf("\r\n", entero.size() - 3) + 2;
  int rehusados = 0;
  for (qsizetype n = inicio + 1; n < entero.size(); ++n) {
    const bool faltan = entero.mid(inicio, n - inicio).count(',') < 14;
    reiniciar();
    const QString m = cargar(entero.left(n), true);
    EXPECT_EQ(m.contains(Q("su último renglón (7) está cortado")), faltan) << n << m.toStdString();
    EXPECT_EQ(ws->vaspread1.dataRowCount() == 0, faltan) << n;
    rehusados += faltan;
  }
  EXPECT_GT(rehusados, 50);
}

// A saved work file cut at any byte: refused with the tables untouched, or
// every detail line and the orders whose lines are whole.
TEST_F(FallasTest, ArchivoDeTrabajoCortadoEnCualquierByte) {
  ejemplo(*ws);
  Orden o2 = ordenDePrueba();
  o2.orden = Q("22222222");
  ponerOrdenes(*ws, {ordenDePrueba(), o2});
  prompter.archivosGuardar = {dir.filePath(Q("envio.006"))};
  ASSERT_EQ(guardararchiv_Click(*ws), Resultado::Hecho);
  const QByteArray bytes = leer(dir.filePath(Q("envio.006")));
  ASSERT_TRUE(cargar(bytes, false).isEmpty());
  const QString detalle = celdas(ws->vaspread1), detalle6 = celdas(ws->vaSpread6), ordenes = celdas(ws->vaSpread9);
  int rehusados = 0;
  for (qsizetype n = trabajo::kFirma.size(); n <= bytes.size(); ++n) {
    previas();
    const QString antes = tablas(), m = cargar(bytes.left(n), false);
    if (!m.isEmpty()) {
      ++rehusados;
      EXPECT_TRUE(m.contains(Q("No se cargó ningún dato."))) << n << m.toStdString();
      EXPECT_EQ(tablas(), antes) << n;
      continue;
    }
    EXPECT_EQ(celdas(ws->vaspread1), detalle) << n;
    EXPECT_EQ(celdas(ws->vaSpread6), detalle6) << n;
    EXPECT_TRUE(ordenes.startsWith(celdas(ws->vaSpread9))) << n;
  }
  EXPECT_GT(rehusados, bytes.size() / 2);
}

}  // namespace
