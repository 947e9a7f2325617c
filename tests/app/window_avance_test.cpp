// The progress bar of the "Output" panel during the long commands of a
// shipment of 3,000 lines: the notice build, the save and the open
// each move it from the first line to the last, and it rests afterwards.
// The steps are seen by the prompter each time the command lets the window
// repaint (with no pause between two repaints), not by the clock.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QProgressBar>

#include "app/mainwindow.h"
#include "client/form5.h"
#include "consolidation/form2.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

constexpr int kLineas = 3000;

// Records the bar as the window shows it each time a command lets it repaint.
class PrompterConBarra : public ScriptedPrompter {
 public:
  QProgressBar* barra = nullptr;
  std::vector<std::pair<int, int>> pasos;  // (value, maximum)
  void procesarEventos() override {
    if (barra) pasos.emplace_back(barra->value(), barra->maximum());
  }
};

class VentanaAvanceTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  // An INF file of one order with kLineas lines, each of its own store and SKU.
  QString archivoGrande() {
    QByteArray b = "ORDEN,DEPTO,FECHA EMBARQUE,FECHA CANCELACION,TIENDA,SKU,MODELO,UPC,COLOR,TALLA,CANTIDAD,COSTO,"
                   "PRECIO,TIPO,CONTENEDOR\r\n";
    for (int i = 1; i <= kLineas; ++i)
      b += QStringLiteral("4500007777,123,01/12/26,20/12/26,%1,%2,MOD,7501000000011,ROJO,CH,8,10.00,20.00,,\r\n")
               .arg(i % 90 + 100, 4, 10, QLatin1Char('0'))
               .arg(500000 + i)
               .toLatin1();
    return escribir(Q("grande.inf"), b);
  }

  // The steps the bar took during one command, and whether it rests afterwards.
  static void revisar(const std::vector<std::pair<int, int>>& pasos, int maximo, const char* comando) {
    SCOPED_TRACE(comando);
    std::vector<int> contados;
    for (const auto& [valor, tope] : pasos)
      if (tope == maximo) contados.push_back(valor);
    ASSERT_GE(static_cast<int>(contados.size()), kLineas);
    EXPECT_LE(contados.front(), 1);
    EXPECT_EQ(contados.back(), maximo);
    EXPECT_TRUE(std::is_sorted(contados.begin(), contados.end()));
  }
};

TEST_F(VentanaAvanceTest, AvisoGuardarYAbrirMuevenLaBarraDeLineaEnLinea) {
  PrompterConBarra p;
  Ventana w(carpeta(), &p, &reloj);
  w.show();
  apoyo::procesar();
  Workspace& ws = w.ws();
  ws.pausaDoEvents = 0;  // every step reaches the window
  auto* barra = w.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
  ASSERT_NE(barra, nullptr);
  p.barra = barra;
  auto enReposo = [&] { return barra->maximum() == 1 && barra->value() == 0; };

  p.alDialogo = [](DialogoModelo& d) {
    if (auto* f5 = dynamic_cast<Form5Modelo*>(&d)) {
      f5->teclear(Form5Modelo::Caja::ncliente, Q("12345"));
      f5->teclear(Form5Modelo::Caja::Text2, Q("0000456789"));
      f5->teclear(Form5Modelo::Caja::rfc, Q("abcd010101-xy1"));
      f5->aceptar_Click();
    } else if (auto* f2 = dynamic_cast<Form2Modelo*>(&d)) {
      ASSERT_TRUE(f2->seleccionarList1(Form2Modelo::textoEntrada(Q("4500007777"), Q("123"))));
      f2->Command1_Click();
      f2->Command2_Click();
    }
  };
  w.accion(QStringLiteral("generales"))->trigger();
  p.archivosAbrir.push_back(archivoGrande());
  w.accion(QStringLiteral("importararchiv"))->trigger();
  ASSERT_TRUE(p.mensajes.empty()) << p.ultimo().toStdString();
  ASSERT_EQ(ws.vaspread1.dataRowCount(), kLineas);
  // The import counts its lines too.
  EXPECT_NE(std::find_if(p.pasos.begin(), p.pasos.end(), [](const auto& s) { return s.second > 1; }), p.pasos.end());

  // Quantities, containers (one a store) and the order's header, as typed.
  for (int r = 1; r <= kLineas; ++r) {
    const QString contenedor = QStringLiteral("C%1").arg(ws.vaspread1.text(5, r).toInt(), 8, 10, QLatin1Char('0'));
    for (Grid* g : {&ws.vaspread1, &ws.vaSpread6}) {
      g->setText(11, r, Q("8"));
      g->setText(14, r, Q("Cajas - cartón"));
      g->setText(15, r, contenedor);
    }
  }
  ws.vaSpread9.setText(2, 1, Q("Alta"));
  ws.vaSpread9.setText(3, 1, Q("A101"));
  ws.vaSpread9.setText(4, 1, Q("F-1001"));
  ws.vaSpread9.setText(5, 1, Q("1500.50"));
  w.findChild<QDateEdit*>(QStringLiteral("DTPicker1_4"))->setDate(QDate(2026, 12, 15));
  auto* horas = w.findChild<QComboBox*>(QStringLiteral("Combo3"));
  const int nueve = horas->findText(Q("09:00"));
  ASSERT_GE(nueve, 0);
  horas->setCurrentIndex(nueve);
  emit horas->activated(nueve);
  apoyo::procesar();
  ASSERT_TRUE(p.mensajes.empty()) << p.ultimo().toStdString();

  // The notice build.
  p.pasos.clear();
  p.archivosGuardar.push_back(carpeta() + Q("/aviso.txt"));
  w.accion(QStringLiteral("arch_env"))->trigger();
  ASSERT_TRUE(p.mensajes.empty()) << p.ultimo().toStdString();
  ASSERT_TRUE(QFile::exists(carpeta() + Q("/aviso.txt")));
  revisar(p.pasos, kLineas, "arch_env");
  EXPECT_TRUE(enReposo());

  // The save.
  p.pasos.clear();
  const QString trabajo = carpeta() + Q("/grande.viv");
  p.archivosGuardar.push_back(trabajo);
  w.accion(QStringLiteral("guardararchiv"))->trigger();
  ASSERT_TRUE(p.mensajes.empty()) << p.ultimo().toStdString();
  ASSERT_TRUE(QFile::exists(trabajo));
  revisar(p.pasos, kLineas, "guardararchiv");
  EXPECT_TRUE(enReposo());

  // The open, into a cleared window: every line of the file past the header
  // fields counts (the detail, the trailer and the order's header line).
  w.accion(QStringLiteral("nuevaforma"))->trigger();
  ASSERT_EQ(ws.vaspread1.dataRowCount(), 0);
  p.pasos.clear();
  p.archivosAbrir.push_back(trabajo);
  w.accion(QStringLiteral("abrirarchiv"))->trigger();
  ASSERT_TRUE(p.mensajes.empty()) << p.ultimo().toStdString();
  ASSERT_EQ(ws.vaspread1.dataRowCount(), kLineas);
  revisar(p.pasos, kLineas + 2, "abrirarchiv");
  EXPECT_TRUE(enReposo());
}

}  // namespace
