// The main window around its commands: leaving with the save question, which
// controls are open at each step of the road, the keyboard, the busy pointer
// and the progress bar, and the Spanish file dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTimer>

#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/qtprompter.h"
#include "consolidation/form2.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

// Records, at every message, how far the command's progress count had come.
class PrompterConAvance : public ScriptedPrompter {
 public:
  Workspace* ws = nullptr;
  std::vector<std::pair<int, int>> avances;  // (progreso, progresoMaximo) at each message
  std::function<void()> alMostrar;
  Respuesta mostrar(const Mensaje& m) override {
    if (ws) avances.emplace_back(ws->progreso, ws->progresoMaximo);
    if (alMostrar) alMostrar();
    return ScriptedPrompter::mostrar(m);
  }
};

class VentanaComandosTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  std::unique_ptr<MainWindow> abrir(ScriptedPrompter* p = nullptr) {
    auto w = std::make_unique<Ventana>(carpeta(), p ? p : &prompter, &reloj);
    w->show();
    QApplication::setActiveWindow(w.get());
    apoyo::procesar();
    return w;
  }
  int cuenta(const QString& linea) const { return static_cast<int>(textosLog().count(linea)); }

  // The open/closed state of every control the commands switch, as "name" or
  // "-name" (closed), in a fixed order.
  static QStringList estado(MainWindow& w) {
    QStringList s;
    for (const char* n : {"archivo", "editar", "configaplic", "help", "b_nuevo", "b_abrir", "b_save", "b_import",
                          "b_enviar", "b_cut", "b_copy", "b_paste", "b_separar", "b_duplicar"}) {
      QAction* a = w.accion(QString::fromLatin1(n));
      EXPECT_NE(a, nullptr) << n;
      if (a) s.append((a->isEnabled() ? QString() : QStringLiteral("-")) + QString::fromLatin1(n));
    }
    for (const char* n : {"Combo1", "Combo2", "Combo3", "DTPicker1_4", "Text1_2", "Text1_3", "Text1_6", "Text1_7",
                          "guardar", "Importar", "salir"}) {
      auto* c = w.findChild<QWidget*>(QString::fromLatin1(n));
      EXPECT_NE(c, nullptr) << n;
      if (c) s.append((c->isEnabled() ? QString() : QStringLiteral("-")) + QString::fromLatin1(n));
    }
    return s;
  }
};

QString datosApp(const char* nombre) { return QStringLiteral(AVISO_APP_DATOS "/") + QString::fromLatin1(nombre); }

TEST_F(VentanaComandosTest, SalirPreguntaSoloConLineasYSusTresRespuestas) {
  // An empty detail grid: the program ends without a question, even with orders in vaSpread9.
  {
    auto w = abrir();
    w->ws().vaSpread9.setRowTexts(1, {Q("4500007001")});
    w->findChild<QPushButton*>(QStringLiteral("salir"))->click();
    apoyo::procesar();
    EXPECT_TRUE(prompter.mensajes.empty());
    EXPECT_TRUE(w->terminado());
  }

  auto w = abrir();
  auto* salir = w->findChild<QPushButton*>(QStringLiteral("salir"));
  w->ws().vaspread1.setRowTexts(1, {Q("4500007001"), Q("210")});
  const int entradasAntes = cuenta(Q("ENTRO AL EVENTO-----salir_Click"));

  // Cancel: everything stays, the entry line is logged once more.
  prompter.respuestas.push_back(Respuesta::Cancelar);
  salir->click();
  apoyo::procesar();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("¿Desea guardar los cambios?"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("DUDIZOD"));
  EXPECT_EQ(prompter.mensajes[0].botones, Botones::SiNoCancelar);
  EXPECT_FALSE(w->terminado());
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----salir_Click")), entradasAntes + 2);
  EXPECT_EQ(w->ws().vaspread1.text(1, 1), Q("4500007001"));

  // Yes: the save command runs and the program stays open, also when the
  // save is cancelled; nothing but the program's own files is written.
  prompter.limpiar();
  prompter.respuestas.push_back(Respuesta::Si);
  salir->click();
  apoyo::procesar();
  ASSERT_GE(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("¿Desea guardar los cambios?"));
  EXPECT_FALSE(w->terminado());
  EXPECT_EQ(w->ws().vaspread1.text(1, 1), Q("4500007001"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // No: the program ends without saving.
  prompter.limpiar();
  prompter.respuestas.push_back(Respuesta::No);
  salir->click();
  apoyo::procesar();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(w->terminado());
}

TEST_F(VentanaComandosTest, QueQuedaAbiertoAlInicioTrasImportarYTrasElegirLaOrden) {
  auto w = abrir();
  const QStringList inicio = {
      Q("archivo"), Q("-editar"), Q("configaplic"), Q("help"), Q("b_nuevo"), Q("b_abrir"), Q("b_save"),
      Q("b_import"), Q("b_enviar"), Q("-b_cut"), Q("-b_copy"), Q("-b_paste"), Q("-b_separar"), Q("b_duplicar"),
      Q("Combo1"), Q("-Combo2"), Q("Combo3"), Q("DTPicker1_4"), Q("Text1_2"), Q("Text1_3"), Q("Text1_6"),
      Q("Text1_7"), Q("guardar"), Q("Importar"), Q("salir")};
  EXPECT_EQ(estado(*w), inicio);

  // INF import with its orders chosen in the consolidation dialog: the edit
  // commands open, the order list stays closed (its choice would wipe the lines).
  prompter.archivosAbrir.push_back(datosApp("dos_ordenes.inf"));
  prompter.alDialogo = [](DialogoModelo& d) {
    auto* f2 = dynamic_cast<Form2Modelo*>(&d);
    if (!f2) return;
    EXPECT_TRUE(f2->seleccionarList1(Form2Modelo::textoEntrada(Q("4500007001"), Q("210"))));
    f2->Command1_Click();
    f2->Command2_Click();
  };
  w->accion(QStringLiteral("importararchiv"))->trigger();
  QStringList importado = inicio;
  for (QString& s : importado)
    if (s == Q("-editar") || s == Q("-b_cut") || s == Q("-b_copy") || s == Q("-b_paste") || s == Q("-b_separar"))
      s.remove(0, 1);
  EXPECT_EQ(estado(*w), importado);
  ASSERT_EQ(w->ws().vaspread1.dataRowCount(), 2);
  // A click in the closed order list changes nothing.
  auto* combo2 = w->findChild<QComboBox*>(QStringLiteral("Combo2"));
  emit combo2->activated(0);
  apoyo::procesar();
  EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 2);

  // Tab-delimited import: everything is closed but the order list.
  prompter.alDialogo = nullptr;
  prompter.archivosAbrir.push_back(QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tab.txt"));
  w->accion(QStringLiteral("arrch_tabulador"))->trigger();
  apoyo::procesar();
  const QStringList bloqueado = {
      Q("-archivo"), Q("-editar"), Q("-configaplic"), Q("-help"), Q("-b_nuevo"), Q("-b_abrir"), Q("-b_save"),
      Q("-b_import"), Q("-b_enviar"), Q("-b_cut"), Q("-b_copy"), Q("-b_paste"), Q("-b_separar"), Q("-b_duplicar"),
      Q("-Combo1"), Q("Combo2"), Q("Combo3"), Q("-DTPicker1_4"), Q("-Text1_2"), Q("-Text1_3"), Q("-Text1_6"),
      Q("-Text1_7"), Q("-guardar"), Q("-Importar"), Q("salir")};
  EXPECT_EQ(estado(*w), bloqueado);
  // The movement-type list stays out of sight until Text1(2) hands over to it.
  EXPECT_FALSE(w->findChild<QComboBox*>(QStringLiteral("Combo1"))->isVisible());
  EXPECT_TRUE(w->findChild<QLineEdit*>(QStringLiteral("Text1_2"))->isVisible());
  // The heading line is row 1 until the choice.
  EXPECT_EQ(w->ws().vaspread1.text(1, 1), Q("ORDEN"));

  // The choice opens the window again; the order list closes.
  const int i = combo2->findText(Q("7700002"));
  ASSERT_GE(i, 0);
  combo2->setCurrentIndex(i);
  emit combo2->activated(i);
  apoyo::procesar();
  EXPECT_EQ(estado(*w), importado);
  ASSERT_EQ(w->ws().vaspread1.dataRowCount(), 1);
  EXPECT_EQ(w->ws().vaspread1.text(6, 1), Q("55002"));
  // The chosen order has its row in the per-order header table.
  EXPECT_EQ(w->vistaPedidos()->model()->rowCount(), 1);
  EXPECT_EQ(w->ws().vaSpread9.text(1, 1), Q("7700002"));
  EXPECT_EQ(w->ws().panel[3], QString());
}

TEST_F(VentanaComandosTest, CadaMenuSeAbreConAltYSusLetrasNoSeRepiten) {
  auto w = abrir();
  auto letra = [](const QString& texto) {
    const int i = texto.indexOf(QLatin1Char('&'));
    return i >= 0 && i + 1 < texto.size() ? texto[i + 1].toLower() : QChar();
  };
  QSet<QChar> barra;
  for (QAction* a : w->menuBar()->actions()) {
    const QChar c = letra(a->text());
    EXPECT_FALSE(c.isNull()) << a->objectName().toStdString();
    EXPECT_FALSE(barra.contains(c)) << a->objectName().toStdString();
    barra.insert(c);
    // Inside a menu two items never share their letter.
    QSet<QChar> dentro;
    for (QAction* i : a->menu()->actions()) {
      const QChar ci = letra(i->text());
      if (ci.isNull()) continue;
      EXPECT_FALSE(dentro.contains(ci)) << i->objectName().toStdString();
      dentro.insert(ci);
    }
  }
  // Alt and the letter open the menu.
  QTest::keyClick(w.get(), Qt::Key_A, Qt::AltModifier);
  apoyo::procesar();
  QMenu* archivo = w->menu(QStringLiteral("archivo"));
  EXPECT_TRUE(archivo->isVisible());
  archivo->close();
  apoyo::procesar();
}

TEST_F(VentanaComandosTest, LaBarraDeMenusNoEsUnCambioDeFoco) {
  auto w = abrir();
  auto* importe = w->findChild<QLineEdit*>(QStringLiteral("Text1_7"));
  importe->setFocus(Qt::TabFocusReason);
  apoyo::procesar();
  importe->setText(Q("12.5"));
  apoyo::procesar();
  const int antes = cuenta(Q("ENTRO AL EVENTO----Text1_LostFocus"));
  // Alt gives the keys to the menu bar: the box has not been left.
  QFocusEvent alMenu(QEvent::FocusOut, Qt::MenuBarFocusReason);
  QCoreApplication::sendEvent(importe, &alMenu);
  apoyo::procesar();
  EXPECT_EQ(importe->text(), Q("12.5"));
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO----Text1_LostFocus")), antes);
  // Leaving it for another field formats the amount.
  QFocusEvent fuera(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(importe, &fuera);
  apoyo::procesar();
  EXPECT_EQ(importe->text(), Q("12.50"));
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO----Text1_LostFocus")), antes + 1);
}

TEST_F(VentanaComandosTest, LaBarraDeAvanceSeMueveYVuelveAReposo) {
  PrompterConAvance p;
  auto w = abrir(&p);
  p.ws = &w->ws();
  auto* barra = w->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
  ASSERT_NE(barra, nullptr);
  auto enReposo = [&] { return barra->minimum() == 0 && barra->maximum() == 1 && barra->value() == 0; };
  EXPECT_TRUE(enReposo());

  // A long command without a count of its own: the bar moves by itself as
  // soon as the command lets the window repaint, and rests afterwards.
  int maximoAlPreguntar = -1;
  w->ejecutar([&] {
    EXPECT_TRUE(enReposo());
    w->ws().alCambiar();  // showing the state is no sign of a long loop
    EXPECT_TRUE(enReposo());
    w->ws().prompter.procesarEventos();
    EXPECT_EQ(barra->maximum(), 0);
    // While a message waits for the user the bar stands still.
    p.alMostrar = [&] { maximoAlPreguntar = barra->maximum(); };
    w->ws().MsgBox(Q("Aviso de prueba"));
    p.alMostrar = nullptr;
    EXPECT_EQ(barra->maximum(), 0);
    w->ws().progresoMaximo = 200;
    w->ws().progreso = 50;
    w->ws().alCambiar();
    EXPECT_EQ(barra->maximum(), 200);
    EXPECT_EQ(barra->value(), 50);
  });
  EXPECT_TRUE(enReposo());
  EXPECT_EQ(maximoAlPreguntar, 1);
  EXPECT_EQ(w->ws().progresoMaximo, 0);

  // The INF import, when its consolidation dialog opens.
  std::pair<int, int> alConsolidar{-1, -1};
  p.alDialogo = [&](DialogoModelo& d) {
    alConsolidar = {w->ws().progreso, w->ws().progresoMaximo};
    if (auto* f2 = dynamic_cast<Form2Modelo*>(&d)) f2->Command4_Click();
  };
  p.archivosAbrir.push_back(datosApp("dos_ordenes.inf"));
  w->accion(QStringLiteral("b_import"))->trigger();
  EXPECT_EQ(alConsolidar, std::make_pair(4, 4));
  EXPECT_TRUE(enReposo());
  // The imports count their lines: at the order question of the
  // tab-delimited import every line of the file has been copied.
  p.archivosAbrir.push_back(QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tab.txt"));
  w->accion(QStringLiteral("arrch_tabulador"))->trigger();
  ASSERT_FALSE(p.avances.empty());
  EXPECT_EQ(p.ultimo(), Q("Por favor seleccione una orden de compra!"));
  EXPECT_EQ(p.avances.back(), std::make_pair(7, 7));
  EXPECT_TRUE(enReposo());

  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(VentanaComandosTest, ElPunteroOcupadoVuelveAunqueElComandoFalle) {
  Ventana w(carpeta(), nullptr, &reloj);  // the window's own prompter
  QTimer::singleShot(0, [] {
    // The error box of the failing command, answered as a user would.
    if (auto* caja = qobject_cast<QDialog*>(QApplication::activeModalWidget())) caja->accept();
  });
  w.ejecutar([&] {
    w.ws().ocupado(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    throw 42;  // not even a standard exception
  });
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(w.ocupado());
  EXPECT_EQ(cuenta(Q("Error inesperado # 51")), 1);

  // A command that lets the window repaint shows the busy pointer even when
  // it sets none itself; it goes when the command ends.
  w.ejecutar([&] {
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    w.ws().prompter.procesarEventos();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  });
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // Outside a command nothing changes the pointer.
  w.ws().prompter.procesarEventos();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(VentanaComandosTest, LosDialogosDeArchivoHablanEspanol) {
  QWidget ventana;
  QtPrompter qp(&ventana);
  QStringList vistas;
  auto leer = [&vistas] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dlg) {
      vistas.append(QStringLiteral("(ninguno)"));
      return;
    }
    vistas.append(dlg->windowTitle());
    for (auto e : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType, QFileDialog::Accept,
                   QFileDialog::Reject})
      vistas.append(dlg->labelText(e));
    dlg->reject();
  };
  DialogoArchivo d;
  d.titulo = Q("Selección de archivo para Importar");
  d.filtro = Q("Archivo tipo inf|*.inf|Archivo de Texto |*.txt");
  d.carpetaInicial = carpeta();
  QTimer::singleShot(0, leer);
  EXPECT_EQ(qp.abrirArchivo(d), QString());  // cancelled
  d.titulo = Q("Guardar");
  QTimer::singleShot(0, leer);
  EXPECT_EQ(qp.guardarArchivo(d), QString());
  const QStringList esperado = {Q("Selección de archivo para Importar"), Q("Buscar en:"), Q("Nombre de archivo:"),
                                Q("Tipo de archivo:"), Q("&Abrir"), Q("Cancelar"),
                                Q("Guardar"), Q("Buscar en:"), Q("Nombre de archivo:"),
                                Q("Tipo de archivo:"), Q("&Guardar"), Q("Cancelar")};
  EXPECT_EQ(vistas, esperado);
}

}  // namespace
