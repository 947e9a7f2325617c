// The split forms over their models, the window's prompter opening them, and
// the Separar menu and toolbar image reaching the split commands.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <functional>

#include "app/dialogs/forms.h"
#include "app/dialogs/split_dialogs.h"
#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/qtprompter.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

class SepararDialogoTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  // Three lines; line 2 has quantity 10 and SKU "SKU2"; the cursor on it.
  void lineas(Workspace& w, const QString& cantidad = Q("10")) {
    for (int r = 1; r <= 3; ++r) {
      const QString q = r == 2 ? cantidad : Q("7");
      const QStringList celdas = {Q("4500001234"), Q("123"), Q("01/12/26"), Q("20/12/26"), Q("0101"),
                                  QStringLiteral("SKU%1").arg(r), Q("sin modelo"), Q("750100000000"),
                                  Q("sin color"), Q("sin talla"), q, Q("10.00"), Q("20.00")};
      w.vaspread1.setRowTexts(r, celdas);
      w.vaspread1.setText(16, r, q);
      w.vaSpread6.setRowTexts(r, celdas);
    }
    w.vaspread1.setActiveCell(11, 2);
  }
  static QStringList cantidades(const Grid& g) {
    QStringList q;
    for (int r = 1; r <= g.dataRowCount(); ++r) q.append(g.text(11, r));
    return q;
  }
  static QStringList etiquetas(QWidget& d) {
    QStringList t;
    for (QLabel* l : d.findChildren<QLabel*>()) t.append(l->text());
    return t;
  }
  static void pulsar(QWidget& d, const char* boton) {
    QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(boton)), Qt::LeftButton);
    apoyo::procesar();
  }
  static void teclear(QWidget& d, const QString& caja, const QString& texto) {
    auto* e = d.findChild<QLineEdit*>(caja);
    ASSERT_NE(e, nullptr) << caja.toStdString();
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, texto);
  }
};

TEST_F(SepararDialogoTest, LaFormaDeCincoMuestraSusTextosYPasaLasCajasAlModelo) {
  lineas(*ws);
  SepararModelo m(*ws, 5);
  m.SKU = Q("SKU2");
  m.Tienda = Q("0101");
  m.CantidadMaxima = Q("10");
  SepararDialogo d(m);
  d.show();
  apoyo::procesar();
  EXPECT_EQ(d.objectName(), Q("Form7"));
  EXPECT_EQ(d.windowTitle(), Q("Separar en cinco renglones"));
  const QStringList t = etiquetas(d);
  for (const char* e : {"SKU:", "Tienda:", "Cantidad   máxima", "Cant 1", "Camt 2", "Cant 3", "Cant 4", "Cant 5"})
    EXPECT_TRUE(t.contains(Q(e))) << e;
  EXPECT_FALSE(t.contains(Q("Cant 2")));
  auto* marco = d.findChild<QGroupBox*>(Q("Frame1"));
  ASSERT_NE(marco, nullptr);
  EXPECT_EQ(marco->title(), Q("Configuración:"));
  EXPECT_EQ(d.findChild<QLineEdit*>(Q("sku"))->text(), Q("SKU2"));
  EXPECT_EQ(d.findChild<QLineEdit*>(Q("tienda"))->text(), Q("0101"));
  EXPECT_EQ(d.findChild<QLineEdit*>(Q("maxima"))->text(), Q("10"));
  EXPECT_EQ(d.findChild<QPushButton*>(Q("Command1"))->text(), Q("Aceptar"));
  EXPECT_EQ(d.findChild<QPushButton*>(Q("Command2"))->text(), Q("Cancelar"));
  apoyo::captura(d, Q("dialogo_Form7"));

  // A missing box: the message, the form stays open with the focus on that box.
  teclear(d, Q("cant1"), Q("1"));
  teclear(d, Q("cant2"), Q("2"));
  teclear(d, Q("cant4"), Q("3"));
  teclear(d, Q("cant5"), Q("4"));
  pulsar(d, "Command1");
  EXPECT_EQ(prompter.textos(), QStringList{Q("Falta el valor para cant 3!")});
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), d.findChild<QLineEdit*>(Q("cant3")));

  teclear(d, Q("cant3"), Q("0"));
  pulsar(d, "Command1");
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("4"), Q("3"), Q("0"), Q("2"), Q("1"), Q("7")}));
}

TEST_F(SepararDialogoTest, LaFormaDeDiezYLaDeDosCierranTrasAceptar) {
  lineas(*ws);
  SepararModelo diez(*ws, 10);
  SepararDialogo d10(diez);
  EXPECT_EQ(d10.objectName(), Q("Form8"));
  EXPECT_EQ(d10.findChildren<QLineEdit*>().size(), 13);  // three boxes of the line, ten quantities
  EXPECT_TRUE(etiquetas(d10).contains(Q("Cant 10")));
  EXPECT_TRUE(etiquetas(d10).contains(Q("Camt 2")));

  // A sum above the maximum closes the form and leaves the grids alone.
  SepararModelo dos(*ws, 2);
  dos.SKU = Q("SKU2");
  dos.CantidadMaxima = Q("10");
  SepararDialogo d(dos);
  d.show();
  EXPECT_EQ(d.windowTitle(), Q("Separar renglón"));
  teclear(d, Q("cant1"), Q("6"));
  teclear(d, Q("cant2"), Q("5"));
  pulsar(d, "Command1");
  EXPECT_EQ(prompter.textos(), QStringList{Q("La sumatoria de cant1 y cant2 pasa la cantidad máxima del SKU <SKU2> ")});
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("10"), Q("7")}));
}

TEST_F(SepararDialogoTest, Form3TomaElNumeroDeRenglonesYLasCantidadesDeSuGrid) {
  lineas(*ws);
  Form3Modelo m(*ws);
  m.Form_Load();
  m.SKU = Q("SKU2");
  m.Tienda = Q("0101");
  m.CantMax = Q("10");
  Form3Dialogo d(m);
  d.show();
  QApplication::setActiveWindow(&d);
  apoyo::procesar();
  EXPECT_EQ(d.windowTitle(), Q("Separar en múltiples renglones"));
  const QStringList t = etiquetas(d);
  for (const char* e : {"SKU:", "Tienda:", "Cant. max.", "Número de renglones en los que se desea dividir el SKU:",
                        "Cantidades por renglón:"})
    EXPECT_TRUE(t.contains(Q(e))) << e;
  auto* grid = d.findChild<QTableView*>(Q("vaSpread1"));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), Q("Cantidades"));
  EXPECT_EQ(grid->model()->rowCount(), 0);
  QAbstractItemModelTester revisor(grid->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);

  // Leaving the box gives the grid its rows.
  teclear(d, Q("Text3"), Q("3"));
  grid->setFocus(Qt::TabFocusReason);
  apoyo::procesar();
  ASSERT_EQ(grid->model()->rowCount(), 3);
  EXPECT_TRUE(prompter.mensajes.empty());

  // A row left empty: the message, the form stays open.
  grid->model()->setData(grid->model()->index(0, 0), Q("2"));
  grid->model()->setData(grid->model()->index(1, 0), Q("3"));
  pulsar(d, "Command1");
  EXPECT_EQ(prompter.textos(), QStringList{Q("No se pueden dejar renglones en blanco o en ceros.")});
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(grid->currentIndex().row(), 2);

  // Typed into the third cell as a user would; Enter on the last line accepts.
  apoyo::clic(grid, 1, 3);
  QTest::keyClicks(apoyo::destinoTeclas(grid), Q("5"));
  apoyo::captura(d, Q("dialogo_Form3"));
  prompter.limpiar();
  QTest::keyClick(apoyo::destinoTeclas(grid), Qt::Key_Return);
  apoyo::procesar();
  EXPECT_EQ(m.vaSpread1.text(1, 3), Q("5"));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("2"), Q("3"), Q("5"), Q("7")}));
  EXPECT_EQ(cantidades(ws->vaSpread6), cantidades(ws->vaspread1));
}

TEST_F(SepararDialogoTest, Form3RechazaUnNumeroDeRenglonesDesmedidoAlSalirDeLaCaja) {
  lineas(*ws);
  Form3Modelo m(*ws);
  m.CantMax = Q("10");
  Form3Dialogo d(m);
  d.show();
  QApplication::setActiveWindow(&d);
  apoyo::procesar();
  teclear(d, Q("Text3"), Q("100000"));
  auto* grid = d.findChild<QTableView*>(Q("vaSpread1"));
  grid->setFocus(Qt::TabFocusReason);
  apoyo::procesar();
  EXPECT_EQ(prompter.textos(), QStringList{Q("El número de renglones no puede ser mayor que 50000.")});
  EXPECT_EQ(grid->model()->rowCount(), 0);
  EXPECT_EQ(QApplication::focusWidget(), d.findChild<QLineEdit*>(Q("Text3")));
  // Cancelar from the box: no check of what it holds.
  prompter.limpiar();
  pulsar(d, "Command2");
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("10"), Q("7")}));
}

TEST_F(SepararDialogoTest, ElPrompterDeLaVentanaAbreCadaForma) {
  QWidget ventana;
  QtPrompter p(&ventana);
  registrarFormas(p);
  for (int n : {2, 3, 4, 5, 10}) {
    SepararModelo m(*ws, n);
    QString vista;
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!d) return;
      vista = d->objectName();
      pulsar(*d, "Command2");
    });
    p.ejecutarDialogo(m);
    EXPECT_EQ(vista, m.forma());
    EXPECT_TRUE(m.cerrado);
  }
  Form3Modelo f3(*ws);
  QString vista;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!d) return;
    vista = d->objectName();
    pulsar(*d, "Command2");
  });
  p.ejecutarDialogo(f3);
  EXPECT_EQ(vista, Q("Form3"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SepararDialogoTest, ElMenuSepararYLaImagenLlevanALasSeparaciones) {
  auto w = std::make_unique<Ventana>(carpeta(), &prompter, &reloj);
  w->show();
  apoyo::procesar();
  lineas(w->ws());
  // As an import leaves them: the Editar menu and the split image open.
  w->ws().habilitar(Q("editar"), true);
  w->ws().habilitar(Q("b_separar"), true);
  w->ws().alCambiar();
  prompter.alDialogo = [](DialogoModelo& d) {
    if (auto* m = dynamic_cast<SepararModelo*>(&d)) {
      for (QString& c : m->cantidades) c = Q("1");
      m->Command1_Click();
    } else if (auto* f = dynamic_cast<Form3Modelo*>(&d)) {
      f->Text3 = Q("2");
      f->Text3_LostFocus();
      f->vaSpread1.setText(1, 1, Q("1"));
      f->vaSpread1.setText(1, 2, Q("1"));
      f->Command1_Click();
    }
  };
  const std::pair<const char*, const char*> pasos[] = {{"two", "Form6"},   {"three", "Form9"},
                                                       {"four", "Form10"}, {"five", "Form7"},
                                                       {"ten", "Form8"},   {"mult_renglones", "Form3"},
                                                       {"b_separar", "Form3"}};
  for (const auto& [accion, forma] : pasos) {
    prompter.dialogosVistos.clear();
    w->ws().vaspread1.setActiveCell(11, 2);
    w->ws().vaspread1.setText(11, 2, Q("20"));
    QAction* a = w->accion(QString::fromLatin1(accion));
    ASSERT_NE(a, nullptr) << accion;
    a->trigger();
    apoyo::procesar();
    EXPECT_EQ(prompter.dialogosVistos, QStringList{Q(forma)}) << accion;
  }
  EXPECT_TRUE(prompter.mensajes.empty());
  // 3 lines, then 1 + 2 + 3 + 4 + 9 + 1 + 1 more.
  EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 24);
  EXPECT_EQ(w->ws().vaSpread6.dataRowCount(), 24);
}

TEST_F(SepararDialogoTest, EnLaVentanaLasFormasDeVerdadSeparanYColoreanLaVista) {
  // The window's own prompter: real forms. A message box would be a fault
  // here; it is closed and counted so the test cannot wait on it.
  auto w = std::make_unique<Ventana>(carpeta(), nullptr, &reloj);
  w->show();
  QApplication::setActiveWindow(w.get());
  apoyo::procesar();
  int cajas = 0;
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    if (auto* mb = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++cajas;
      mb->reject();
    }
  });
  vigia.start(50);

  lineas(w->ws());
  w->ws().habilitar(Q("editar"), true);
  w->ws().habilitar(Q("b_separar"), true);
  w->ws().alCambiar();
  auto* vista = w->findChild<VistaGrid*>(Q("vaspread1"));
  ASSERT_NE(vista, nullptr);
  apoyo::clic(vista, 11, 2);

  // Acts on the first split form that is open, once, whenever it opens.
  QString forma;
  std::function<void(QDialog&)> accion;
  QTimer mano;
  QObject::connect(&mano, &QTimer::timeout, [&] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!d || qobject_cast<QMessageBox*>(d) || !accion) return;
    forma = d->objectName();
    auto a = std::move(accion);
    accion = nullptr;
    a(*d);
  });
  mano.start(20);
  accion = [&](QDialog& dd) {
    QDialog* d = &dd;
    teclear(*d, Q("cant1"), Q("4"));
    teclear(*d, Q("cant2"), Q("6"));
    pulsar(*d, "Command1");
  };
  w->accion(Q("two"))->trigger();
  apoyo::procesar();
  EXPECT_EQ(forma, Q("Form6"));
  // The view's cursor is on the copy, the last line made.
  EXPECT_EQ(vista->currentIndex().row(), 2);
  EXPECT_EQ(vista->currentIndex().column(), 10);
  EXPECT_EQ(cantidades(w->ws().vaspread1), QStringList({Q("7"), Q("6"), Q("4"), Q("7")}));
  EXPECT_EQ(cantidades(w->ws().vaSpread6), cantidades(w->ws().vaspread1));
  QAbstractItemModel* m = vista->model();
  EXPECT_EQ(m->data(m->index(2, 0), Qt::BackgroundRole).value<QColor>(), QColor(206, 231, 255));
  EXPECT_EQ(m->data(m->index(2, 13), Qt::BackgroundRole).value<QColor>(), QColor(206, 231, 255));
  EXPECT_FALSE(m->data(m->index(2, 10), Qt::BackgroundRole).isValid());
  EXPECT_FALSE(m->data(m->index(2, 14), Qt::BackgroundRole).isValid());
  EXPECT_FALSE(m->data(m->index(1, 0), Qt::BackgroundRole).isValid());

  // The toolbar image opens Form3 for the line under the cursor (the copy, 4 pieces).
  apoyo::clic(vista, 11, 3);
  forma.clear();
  accion = [&](QDialog& dd) {
    QDialog* d = &dd;
    teclear(*d, Q("Text3"), Q("2"));
    auto* grid = d->findChild<QTableView*>(Q("vaSpread1"));
    grid->setFocus(Qt::TabFocusReason);
    apoyo::procesar();
    grid->model()->setData(grid->model()->index(0, 0), Q("1"));
    grid->model()->setData(grid->model()->index(1, 0), Q("3"));
    pulsar(*d, "Command1");
  };
  w->accion(Q("b_separar"))->trigger();
  apoyo::procesar();
  EXPECT_EQ(forma, Q("Form3"));
  EXPECT_EQ(cantidades(w->ws().vaspread1), QStringList({Q("7"), Q("6"), Q("1"), Q("3"), Q("7")}));
  EXPECT_EQ(m->data(m->index(3, 0), Qt::BackgroundRole).value<QColor>(), QColor(206, 231, 255));
  EXPECT_EQ(cajas, 0);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  apoyo::captura(*w, Q("ventana_separada"));
}

TEST_F(SepararDialogoTest, EnterPasaALaCajaSiguienteYAceptaEnLaUltimaEscCancela) {
  lineas(*ws);
  SepararModelo dos(*ws, 2);
  dos.SKU = Q("SKU2");
  dos.CantidadMaxima = Q("10");
  SepararDialogo d(dos);
  d.show();
  QApplication::setActiveWindow(&d);
  apoyo::procesar();
  apoyo::escribir(&d, Q("4"));
  apoyo::tecla(&d, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), Q("cant2"));
  apoyo::escribir(&d, Q("6"));
  apoyo::tecla(&d, Qt::Key_Return);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(cantidades(ws->vaspread1), QStringList({Q("7"), Q("6"), Q("4"), Q("7")}));

  // Form3: Enter takes the number to the grid, goes down it and accepts on its last line.
  Form3Modelo m(*ws);
  m.Form_Load();
  m.SKU = Q("SKU2");
  m.CantMax = Q("10");
  Form3Dialogo f(m);
  f.show();
  QApplication::setActiveWindow(&f);
  apoyo::procesar();
  apoyo::escribir(&f, Q("2"));
  apoyo::tecla(&f, Qt::Key_Return);
  auto* grid = f.findChild<QTableView*>(Q("vaSpread1"));
  ASSERT_EQ(grid->model()->rowCount(), 2);
  grid->setCurrentIndex(grid->model()->index(0, 0));
  for (const char* q : {"3", "4"}) {
    apoyo::escribir(grid, Q(q));
    apoyo::tecla(grid, Qt::Key_Return);
  }
  EXPECT_EQ(m.vaSpread1.text(1, 2), Q("4"));
  EXPECT_TRUE(prompter.mensajes.empty()) << prompter.textos().join(Q("|")).toStdString();
  EXPECT_EQ(f.result(), QDialog::Accepted);

  // Esc is Cancelar, in both.
  SepararModelo otro(*ws, 3);
  SepararDialogo d3(otro);
  d3.show();
  QApplication::setActiveWindow(&d3);
  apoyo::procesar();
  apoyo::tecla(&d3, Qt::Key_Escape);
  EXPECT_TRUE(otro.cerrado);
  EXPECT_FALSE(d3.isVisible());
  Form3Modelo m3(*ws);
  Form3Dialogo f3(m3);
  f3.show();
  QApplication::setActiveWindow(&f3);
  apoyo::procesar();
  QTest::keyClick(f3.findChild<QLineEdit*>(Q("Text3")), Qt::Key_Escape);
  EXPECT_TRUE(m3.cerrado);
  EXPECT_FALSE(f3.isVisible());
}

}  // namespace
