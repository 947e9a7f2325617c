// The road of one shipment through the window, as a clerk takes it: client
// data, an INF file with two orders consolidated, quantities and containers
// typed in the detail grid, a line split over two containers, the per-order
// header, delivery date and hour, the notice, the work file saved, leaving
// through the exit button; then a new start, the work file opened and the
// notice made again, byte for byte the same.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QPushButton>

#include "app/gridview.h"
#include "app/mainwindow.h"
#include "client/form5.h"
#include "consolidation/form2.h"
#include "editing/splitting.h"
#include "fixture.h"
#include "ventana_apoyo.h"

using apoyo::clic;
using apoyo::tecla;

namespace {

class RecorridoTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  std::unique_ptr<MainWindow> abrir() {
    auto w = std::make_unique<Ventana>(carpeta(), &prompter, &reloj);
    w->show();
    QApplication::setActiveWindow(w.get());
    apoyo::procesar();
    return w;
  }
  void disparar(MainWindow& w, const char* nombre) {
    QAction* a = w.accion(QString::fromLatin1(nombre));
    ASSERT_NE(a, nullptr) << nombre;
    ASSERT_TRUE(a->isEnabled()) << nombre;
    a->trigger();
    apoyo::procesar();
  }
  // The delivery date and hour, through their widgets.
  void fechaYHora(MainWindow& w, const QDate& fecha, const QString& hora) {
    auto* picker = w.findChild<QDateEdit*>(QStringLiteral("DTPicker1_4"));
    picker->setDate(fecha);
    apoyo::procesar();
    auto* horas = w.findChild<QComboBox*>(QStringLiteral("Combo3"));
    const int i = horas->findText(hora);
    ASSERT_GE(i, 0);
    horas->setCurrentIndex(i);
    emit horas->activated(i);
    apoyo::procesar();
  }
  int cuenta(const QString& linea) const { return static_cast<int>(textosLog().count(linea)); }
  QString mensajes() const { return prompter.textos().join(QStringLiteral(" | ")); }
};

TEST_F(RecorridoTest, DelArchivoDeOrdenesAlAvisoYDeVueltaDesdeElTrabajoGuardado) {
  const QString aviso1 = carpeta() + Q("/aviso1.txt");
  const QString aviso2 = carpeta() + Q("/aviso2.txt");
  const QString trabajo = carpeta() + Q("/embarque.viv");
  {
    auto w = abrir();
    Workspace& ws = w->ws();

    // Client data, typed into the form through its key filters.
    prompter.alDialogo = [](DialogoModelo& d) {
      auto* f5 = dynamic_cast<Form5Modelo*>(&d);
      ASSERT_NE(f5, nullptr);
      f5->teclear(Form5Modelo::Caja::ncliente, Q("12345"));
      f5->teclear(Form5Modelo::Caja::Text2, Q("0000456789"));
      f5->teclear(Form5Modelo::Caja::rfc, Q("abcd010101-xy1"));
      f5->aceptar_Click();
    };
    disparar(*w, "generales");
    ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
    ASSERT_TRUE(QFile::exists(carpeta() + Q("/info.cfg")));

    // The order file; the two orders of department 123 travel together.
    prompter.archivosAbrir.push_back(QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tres.inf"));
    prompter.alDialogo = [](DialogoModelo& d) {
      auto* f2 = dynamic_cast<Form2Modelo*>(&d);
      ASSERT_NE(f2, nullptr);
      for (const char* oc : {"4500001234", "4500001235"}) {
        ASSERT_TRUE(f2->seleccionarList1(Form2Modelo::textoEntrada(QString::fromLatin1(oc), Q("123"))));
        f2->Command1_Click();
      }
      f2->Command2_Click();
    };
    disparar(*w, "importararchiv");
    ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
    ASSERT_EQ(ws.vaspread1.dataRowCount(), 5);
    ASSERT_EQ(ws.vaSpread9.dataRowCount(), 2);
    apoyo::captura(*w, Q("recorrido_importado"));

    // Quantities and containers, with the keyboard: quantity, Enter, container, Enter...
    // (the two orders travel together, so every container is of one area).
    VistaGrid* v1 = w->vistaDetalle();
    const QStringList cantidades = {Q("3"), Q("5"), Q("11"), Q("9"), Q("7")};
    const QStringList contenedores = {Q("C00000001"), Q("C00000001"), Q("C00000002"), Q("C00000002"),
                                      Q("C00000003")};
    for (int r = 1; r <= 5; ++r) {
      clic(v1, 11, r);
      apoyo::escribir(v1, cantidades[r - 1]);
      tecla(v1, Qt::Key_Return);
      apoyo::escribir(v1, contenedores[r - 1]);
      tecla(v1, Qt::Key_Return);
    }
    ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
    for (int r = 1; r <= 5; ++r) {
      EXPECT_EQ(ws.vaspread1.text(11, r), cantidades[r - 1]) << r;
      EXPECT_EQ(ws.vaSpread6.text(11, r), cantidades[r - 1]) << r;
      EXPECT_EQ(ws.vaspread1.text(15, r), contenedores[r - 1]) << r;
    }
    EXPECT_EQ(ws.vaspread1.text(14, 1), Q("Cajas - cartón"));
    EXPECT_EQ(ws.vaspread1.text(14, 5), Q("Cajas - cartón"));

    // Line 3 goes in two containers: Editar > Separar contenedor en > Dos Renglón,
    // 4 pieces on the copy and 7 on the line itself; the copy then gets its own container.
    clic(v1, 11, 3);
    prompter.alDialogo = [](DialogoModelo& d) {
      auto* f6 = dynamic_cast<SepararModelo*>(&d);
      ASSERT_NE(f6, nullptr);
      ASSERT_EQ(f6->renglones(), 2);
      f6->cantidades = {Q("4"), Q("7")};
      f6->Command1_Click();
    };
    disparar(*w, "two");
    ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
    ASSERT_EQ(ws.vaspread1.dataRowCount(), 6);
    EXPECT_EQ(ws.vaspread1.text(11, 3), Q("7"));
    EXPECT_EQ(ws.vaspread1.text(11, 4), Q("4"));
    EXPECT_EQ(ws.vaspread1.text(6, 4), ws.vaspread1.text(6, 3));
    clic(v1, 15, 4);
    apoyo::escribir(v1, Q("C00000004"));
    tecla(v1, Qt::Key_Return);
    ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
    EXPECT_EQ(ws.vaspread1.text(15, 4), Q("C00000004"));
    EXPECT_EQ(ws.vaSpread6.text(11, 4), Q("4"));
    apoyo::captura(*w, Q("ventana_captura"));

    // The per-order header: shipment number, invoice, amount.
    VistaGrid* v9 = w->vistaPedidos();
    const QStringList numeros = {Q("A101"), Q("A102")};
    const QStringList facturas = {Q("F-1001"), Q("F-1002")};
    const QStringList importes = {Q("1500.50"), Q("880")};
    for (int r = 1; r <= 2; ++r) {
      clic(v9, 3, r);
      apoyo::escribir(v9, numeros[r - 1]);
      tecla(v9, Qt::Key_Tab);
      apoyo::escribir(v9, facturas[r - 1]);
      tecla(v9, Qt::Key_Tab);
      apoyo::escribir(v9, importes[r - 1]);
      tecla(v9, Qt::Key_Return);
    }
    ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
    EXPECT_EQ(ws.vaSpread9.text(2, 1), Q("Pedido Múltiple"));
    EXPECT_EQ(ws.vaSpread9.text(4, 2), Q("F-1002"));

    fechaYHora(*w, QDate(2026, 12, 15), Q("09:00"));
    ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
    EXPECT_EQ(ws.Text1[4], Q("15/12/2026"));

    // The notice.
    prompter.archivosGuardar.push_back(aviso1);
    disparar(*w, "arch_env");
    ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
    ASSERT_TRUE(QFile::exists(aviso1));
    EXPECT_EQ(cuenta(Q("Vorarido Exitoso!!!")), 1);
    apoyo::captura(*w, Q("ventana_aviso"));

    // The work file.
    prompter.archivosGuardar.push_back(trabajo);
    disparar(*w, "guardararchiv");
    ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
    ASSERT_TRUE(QFile::exists(trabajo));

    // Leaving through the exit button: the grid holds lines, so it asks; No ends the program.
    prompter.respuestas.push_back(Respuesta::No);
    w->findChild<QPushButton*>(QStringLiteral("salir"))->click();
    apoyo::procesar();
    ASSERT_EQ(prompter.mensajes.size(), 1u);
    EXPECT_EQ(prompter.mensajes[0].texto, Q("¿Desea guardar los cambios?"));
    EXPECT_EQ(prompter.mensajes[0].titulo, Q("DUDIZOD"));
    EXPECT_TRUE(w->terminado());
    prompter.limpiar();
  }

  // A new start opens the work file and makes the same notice.
  auto w = abrir();
  EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 0);
  prompter.archivosAbrir.push_back(trabajo);
  disparar(*w, "abrirarchiv");
  ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
  EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 6);
  EXPECT_EQ(w->vistaDetalle()->model()->rowCount(), 6);
  // The notice sorted the lines by container before the save.
  QStringList reabiertos;
  for (int r = 1; r <= 6; ++r) reabiertos.append(w->ws().vaspread1.text(15, r));
  EXPECT_EQ(reabiertos, (QStringList{Q("C00000001"), Q("C00000001"), Q("C00000002"), Q("C00000002"),
                                     Q("C00000003"), Q("C00000004")}));
  EXPECT_EQ(w->ws().vaSpread9.dataRowCount(), 2);
  fechaYHora(*w, QDate(2026, 12, 15), Q("09:00"));
  prompter.archivosGuardar.push_back(aviso2);
  disparar(*w, "arch_env");
  ASSERT_TRUE(prompter.mensajes.empty()) << mensajes().toStdString();
  const QByteArray primero = leer(aviso1);
  ASSERT_FALSE(primero.isEmpty());
  EXPECT_EQ(leer(aviso2), primero);
  EXPECT_TRUE(primero.startsWith("HD"));
  EXPECT_FALSE(primero.contains('\t'));
}

}  // namespace
