// The window for a clerk at speed: the marks of the detail grid, F8, find,
// totals, F6, the shortcuts, the weekend warning, and the window on a
// 1366x768 screen at three scalings.
#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>

#include "app/barra_busqueda.h"
#include "app/gridmodel.h"
#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/marcas.h"
#include "editing/container_kinds.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

// A detail line: order, department, store, SKU, quantity, container, ordered.
void linea(Workspace& ws, int r, const QString& orden, const QString& depto, const QString& tienda, const QString& sku,
           const QString& cantidad, const QString& contenedor, const QString& pedida = Q("12")) {
  ws.vaspread1.setRowTexts(r, {orden, depto, Q("01/12/26"), Q("20/12/26"), tienda, sku, Q("M"), Q("750100000000"),
                               Q("C"), Q("T"), cantidad, Q("10.00"), Q("20.00"), Q("Pallets"), contenedor});
  ws.vaspread1.setText(16, r, pedida);
}

class VentanaTecladoTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  std::unique_ptr<MainWindow> abrir() {
    auto w = std::make_unique<Ventana>(carpeta(), &prompter, &reloj);
    Workspace& ws = w->ws();
    linea(ws, 1, Q("450001"), Q("10"), Q("0101"), Q("SKU1"), Q("5"), Q("A00000001"));
    linea(ws, 2, Q("450001"), Q("10"), Q("0101"), Q("SKU2"), Q("dos"), Q("A00000001"));
    linea(ws, 3, Q("450002"), Q("10"), Q("0102"), Q("SKU3"), Q("7"), Q("A00000002"));
    linea(ws, 4, Q("450002"), Q("10"), Q("0102"), Q("SKU33"), Q("3"), Q("Z1"));
    w->refrescar();
    w->resize(1300, 700);
    w->show();
    QApplication::setActiveWindow(w.get());
    w->vistaDetalle()->setFocus();
    apoyo::procesar();
    return w;
  }
  static int fila(MainWindow& w) { return w.vistaDetalle()->currentIndex().row() + 1; }
  static QString texto(MainWindow& w, const char* etiqueta) {
    return w.findChild<QLabel*>(QString::fromLatin1(etiqueta))->text();
  }
};

// What each line is marked with, where, and what its tip says.
TEST_F(VentanaTecladoTest, ReglasDeLasMarcas) {
  struct Caso {
    const char *cantidad, *contenedor, *tienda, *depto, *orden, *pedida;
    int col;
    Marca marca;
    QString tip;
    Marca primera = Marca::Ninguna;  // the container's first line: both disagree
  } casos[] = {
      {"4", "A00000009", "0101", "10", "450001", "12", 11, Marca::Ninguna, {}},
      {"", "A00000009", "0101", "10", "450001", "12", 11, Marca::Error, Q("ERROR, no puede haber cantidades en blanco!")},
      {"0", "A00000009", "0101", "10", "450001", "12", 11, Marca::Error, Q("ERROR, no puede haber cantidades = 0!")},
      {"3.5", "A00000009", "0101", "10", "450001", "12", 11, Marca::Error,
       Q("ERROR, las cantidades deben ser números enteros mayores que 0!")},
      {"4", " ", "0101", "10", "450001", "12", 15, Marca::Error, Q("ERROR: El contenedor esta en blanco!")},
      {"4", "Z00000009", "0101", "10", "450001", "12", 15, Marca::Error, kMensajeContenedor},
      {"4", "A0009", "0101", "10", "450001", "12", 15, Marca::Error, Q("INCOMPLETO: El contenedor debe tener 9 digitos")},
      // Row 1 holds A00000001 for store 0101, department 10.
      {"4", "A00000001", "0102", "10", "450001", "12", 15, Marca::Error,
       Q("ERROR: No puede ir un contenedor a dos Tiendas diferentes"), Marca::Error},
      {"4", "A00000001", "0101", "11", "450001", "12", 15, Marca::Error,
       Q("ERROR: No puede ir un contenedor a dos Departamentos diferentes"), Marca::Error},
      {"13", "A00000009", "0101", "10", "450001", "12", 11, Marca::Aviso, Q("La cantidad es mayor que la cantidad pedida.")},
      {"4", "A00000009", "0101", "10", "4500000001", "12", 1, Marca::Aviso,
       Q("La orden de compra tiene más de 9 caracteres: el aviso la escribe completa y recorre los campos siguientes.")},
      {"4", "A00000009", "0101", "10", "450001", "12", 15, Marca::Ninguna, {}},
  };
  for (const Caso& c : casos) {
    linea(*ws, 1, Q("450001"), Q("10"), Q("0101"), Q("SKU1"), Q("5"), Q("A00000001"));
    linea(*ws, 2, Q(c.orden), Q(c.depto), Q(c.tienda), Q("SKU2"), Q(c.cantidad), Q(c.contenedor), Q(c.pedida));
    MarcasDetalle m;
    m.revisar(ws->vaspread1, ws->vaSpread9);
    EXPECT_EQ(m.marca(c.col, 2), c.marca) << c.cantidad << "|" << c.contenedor;
    EXPECT_EQ(m.tip(c.col, 2), c.tip) << c.cantidad << "|" << c.contenedor;
    EXPECT_EQ(m.marca(c.col, 1), c.primera);
  }
  // The order's values too: a shipment number over 4 and an invoice over 13.
  ws->vaSpread9.setRowTexts(1, {Q("450001"), Q("Alta"), Q("12345"), Q("12345678901234")});
  MarcasDetalle m;
  m.revisar(ws->vaspread1, ws->vaSpread9);
  EXPECT_EQ(m.tip(1, 1).count(QLatin1Char('\n')), 1);
  EXPECT_EQ(m.avisos(), 2);
}

TEST_F(VentanaTecladoTest, MarcasF8TotalesYBuscar) {
  auto w = abrir();
  VistaGrid* v = w->vistaDetalle();
  EXPECT_EQ(texto(*w, "renglonesMarcados"), Q("Con error: 2  Con aviso: 0 (F8)"));
  // The mark leaves the text and the background alone; its tip says why.
  const QModelIndex q2 = v->model()->index(1, 10);
  EXPECT_EQ(q2.data().toString(), Q("dos"));
  EXPECT_FALSE(q2.data(Qt::BackgroundRole).isValid());
  EXPECT_EQ(q2.data(Qt::ToolTipRole).toString(), Q("ERROR, las cantidades deben ser números enteros mayores que 0!"));
  EXPECT_FALSE(v->model()->index(0, 10).data(Qt::ToolTipRole).isValid());
  apoyo::clic(v, 11, 1);
  apoyo::tecla(v, Qt::Key_F8);
  EXPECT_EQ(fila(*w), 2);
  EXPECT_EQ(v->currentIndex().column() + 1, 11);
  apoyo::tecla(v, Qt::Key_F8);
  EXPECT_EQ(fila(*w), 4);
  EXPECT_EQ(v->currentIndex().column() + 1, 15);
  EXPECT_EQ(texto(*w, "totales"), Q("Envío: 4 ren. 15 pzs. 3 cont. | OC: 2 ren. 10 pzs. 2 cont. | Cont.: 1 ren. 3 pzs."))
      << texto(*w, "totales").toStdString();

  // Typed right, the mark goes and the totals follow.
  apoyo::clic(v, 11, 2);
  apoyo::escribir(v, Q("6"));
  apoyo::tecla(v, Qt::Key_Return);
  EXPECT_EQ(texto(*w, "renglonesMarcados"), Q("Con error: 1  Con aviso: 0 (F8)"));
  apoyo::clic(v, 11, 1);
  EXPECT_EQ(texto(*w, "totales"), Q("Envío: 4 ren. 21 pzs. 3 cont. | OC: 2 ren. 11 pzs. 1 cont. | Cont.: 2 ren. 11 pzs."))
      << texto(*w, "totales").toStdString();

  // Find: Ctrl+F, a SKU by its beginning, Enter and F3 forward, Shift+F3 back.
  QTest::keyClick(w.get(), Qt::Key_F, Qt::ControlModifier);
  BarraBusqueda* b = w->barraBusqueda();
  ASSERT_TRUE(b->isVisible());
  b->findChild<QComboBox*>(Q("buscarModo"))->setCurrentIndex(1);
  apoyo::escribir(b, Q("sku3"));
  apoyo::tecla(b, Qt::Key_Return);
  EXPECT_EQ(fila(*w), 3);
  apoyo::tecla(b, Qt::Key_F3);
  EXPECT_EQ(fila(*w), 4);
  apoyo::tecla(b, Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(fila(*w), 3);
  b->findChild<QComboBox*>(Q("buscarCampo"))->setCurrentIndex(4);  // container
  b->findChild<QLineEdit*>(Q("buscarTexto"))->setText(Q("B"));
  apoyo::tecla(b, Qt::Key_Return);
  EXPECT_EQ(fila(*w), 3);
  EXPECT_EQ(b->findChild<QLabel*>(Q("buscarResultado"))->text(), Q("No se encontró"));
  apoyo::tecla(b, Qt::Key_Escape);
  EXPECT_FALSE(b->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), v);
}

TEST_F(VentanaTecladoTest, F6AtajosYGuia) {
  auto w = abrir();
  Workspace& s = w->ws();
  s.habilitar(QStringLiteral("Combo3"), true);
  s.Combo3.entradas = {Q("08:00")};
  w->refrescar();
  QStringList zonas;
  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    apoyo::procesar();
    zonas << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(zonas, (QStringList{Q("vaSpread9"), Q("DTPicker1_4"), Q("Combo3"), Q("vaspread1")}));

  // The shortcuts reach their menu items from the detail grid.
  const std::pair<QKeySequence, const char*> atajos[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_N), "nuevaforma"}, {QKeySequence(Qt::CTRL | Qt::Key_O), "abrirarchiv"},
      {QKeySequence(Qt::CTRL | Qt::Key_I), "importararchiv"}, {QKeySequence(Qt::CTRL | Qt::Key_E), "arch_env"},
      {QKeySequence(Qt::CTRL | Qt::Key_S), "guardar_actual"}, {QKeySequence(Qt::Key_F1), "guia"}};
  for (const auto& [tecla, nombre] : atajos) {
    QSignalSpy disparo(w->accion(QString::fromLatin1(nombre)), &QAction::triggered);
    w->accion(QString::fromLatin1(nombre))->setEnabled(true);
    QTest::keySequence(w->vistaDetalle(), tecla);
    apoyo::procesar();
    EXPECT_EQ(disparo.count(), 1) << nombre;
  }
  // Guardar is the save command; F1 the guide, or why there is none.
  ASSERT_FALSE(prompter.mensajes.empty());
  EXPECT_EQ(prompter.mensajes.back().texto, Q("No se encontró la guía del usuario (guia_usuario.md) junto al programa."));
  escribir(Q("guia_usuario.md"), QByteArray("# Guía\n\n**F6** cambia de zona."));
  w->accion(Q("guia"))->trigger();
  auto* guia = w->findChild<QTextBrowser*>(Q("textoGuia"));
  ASSERT_NE(guia, nullptr);
  EXPECT_TRUE(guia->toPlainText().contains(Q("cambia de zona")));
}

TEST_F(VentanaTecladoTest, ElAvisoDeFinDeSemanaSaleUnaVez) {
  auto w = abrir();
  auto* fecha = w->findChild<QDateEdit*>(Q("DTPicker1_4"));
  // A click on a Saturday of the calendar: the picker sets it more than once.
  QCalendarWidget* cal = fecha->calendarWidget();
  const QDate sabado(2026, 12, 12);
  cal->setSelectedDate(sabado);
  emit cal->clicked(sabado);
  emit cal->activated(sabado);
  apoyo::procesar();
  EXPECT_EQ(prompter.textos(), QStringList{Q("No se pueden seleccionar Sábados y Domingos")});
  EXPECT_EQ(fecha->date(), QDate(2026, 12, 7));
  // A weekday is taken as it is.
  fecha->setDate(QDate(2026, 12, 9));
  apoyo::procesar();
  EXPECT_EQ(w->ws().Text1[4], Q("09/12/2026"));
  EXPECT_EQ(prompter.mensajes.size(), 1u);
}

// Run once per scaling in a process of its own, on an offscreen screen of 1366x768.
TEST_F(VentanaTecladoTest, CabeEnUnaPantallaDe1366x768ATresEscalas) {
  if (qEnvironmentVariableIsSet("AVISO_ESCALA")) {
    auto w = std::make_unique<Ventana>(carpeta(), &prompter, &reloj);
    w->colocarEnPantalla();
    w->show();
    apoyo::procesar();
    const QRect pantalla = w->screen()->availableGeometry();
    // At 125 % the screen is 1092.8 points wide: one point of rounding is no overflow.
    EXPECT_TRUE(pantalla.adjusted(0, 0, 1, 1).contains(w->frameGeometry()))
        << pantalla.width() << "x" << pantalla.height() << " " << w->frameGeometry().width() << "x"
        << w->frameGeometry().height() << "+" << w->frameGeometry().x() << "+" << w->frameGeometry().y();
    QStringList fuera;
    for (const char* n : {"vaspread1", "vaSpread9", "vaSpread5", "Combo2", "DTPicker1_4", "Combo3", "Text1_2",
                          "Text1_3", "Text1_6", "Text1_7", "Command1", "abrir", "guardar", "enviar", "cancelar",
                          "Importar", "salir", "StatusBar1", "Output", "ProgressBar1", "panel2", "panel3",
                          "archivoTrabajo", "renglonesMarcados", "totales"}) {
      auto* c = w->findChild<QWidget*>(QString::fromLatin1(n));
      const QRect r = c ? QRect(c->mapTo(w.get(), QPoint(0, 0)), c->size()) : QRect();
      if (!c || !c->isVisible() || r.height() < 8 || !w->rect().contains(r)) fuera << QString::fromLatin1(n);
    }
    for (QAction* a : w->findChild<QToolBar*>(Q("Toolbar1"))->actions())
      if (!a->isSeparator() && !w->findChild<QToolBar*>(Q("Toolbar1"))->widgetForAction(a)->isVisible())
        fuera << a->objectName();
    // The detail grid shows more lines than the per-order table.
    EXPECT_GT(w->vistaDetalle()->height(), w->vistaPedidos()->height());
    EXPECT_TRUE(fuera.isEmpty()) << fuera.join(Q(", ")).toStdString();
    // Moved and closed, it opens again where it was left.
    if (!w->isMaximized()) w->setGeometry(w->geometry().adjusted(40, 20, -60, -30));
    const QRect lugar = w->geometry();
    w->close();
    Ventana otra(carpeta(), &prompter, &reloj);
    otra.colocarEnPantalla();
    EXPECT_EQ(otra.isMaximized() ? w->geometry() : otra.geometry(), lugar);
    return;
  }
  const QString config = carpeta() + Q("/pantalla.json");
  escribir(config, R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": 1366, "height": 768,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  for (const char* escala : {"1", "1.25", "1.5"}) {
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(Q("QT_QPA_PLATFORM"), Q("offscreen:configfile=") + config);
    e.insert(Q("QT_SCALE_FACTOR"), Q(escala));
    e.insert(Q("AVISO_ESCALA"), Q(escala));
    p.setProcessEnvironment(e);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QCoreApplication::applicationFilePath(), {Q("--gtest_filter=VentanaTecladoTest.CabeEn*")});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << escala << "\n" << p.readAll().toStdString();
  }
}

}  // namespace
