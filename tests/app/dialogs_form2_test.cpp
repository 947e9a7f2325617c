// The consolidation form over its model: lists, buttons, closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/dialogs/form2dialogo.h"
#include "app/dialogs/forms.h"
#include "app/qtprompter.h"
#include "fixture.h"

namespace {

int argc = 1;
char arg0[] = "test_app";
char* argv[] = {arg0, nullptr};
// The application object of this suite, when no other test made one. It goes
// with the suite, so a later suite of the same program may make its own.
QApplication* propia = nullptr;
void aplicacion() {
  if (!QCoreApplication::instance()) propia = new QApplication(argc, argv);
}
void sinAplicacion() {
  delete propia;
  propia = nullptr;
}

// With AVISO_CAPTURAS set to a folder, the form's picture goes there.
void captura(QWidget& w, const char* nombre) {
  const QString carpeta = qEnvironmentVariable("AVISO_CAPTURAS");
  if (carpeta.isEmpty()) return;
  w.show();
  QApplication::processEvents();
  w.grab().save(carpeta + QStringLiteral("/dialogo_") + QString::fromLatin1(nombre) + QStringLiteral(".png"));
}

// Order line: order, department, dates, store, SKU and quantity.
QStringList linea(const QString& oc, const QString& depto, const QString& tienda, const QString& sku) {
  return {oc, depto, QStringLiteral("01/12/26"), QStringLiteral("20/12/26"), tienda, sku,
          QStringLiteral("M"), QStringLiteral("750"), QStringLiteral("AZUL"), QStringLiteral("CH"),
          QStringLiteral("5")};
}

class Form2DialogoTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { aplicacion(); }
  static void TearDownTestSuite() { sinAplicacion(); }
  Form2Modelo modelo{*ws};

  // The tables as the import leaves them: the dialog table with the heading
  // line, the detail grids from the second line on; List1 built.
  void cargar(const QVector<QStringList>& lineas) {
    QStringList todas{QStringLiteral("OC\tDEPTO\tFV\tFC\tTIENDA\tSKU")};
    for (int i = 0; i < lineas.size(); ++i) {
      todas.append(lineas[i].join(QLatin1Char('\t')));
      ws->vaspread1.setRowTexts(i + 1, lineas[i]);
      ws->vaSpread6.setRowTexts(i + 1, lineas[i]);
    }
    modelo.vaSpread2.fromLines(todas);
    modelo.Form_Activate();
  }
  static QStringList textos(QListWidget* l) {
    QStringList t;
    for (int i = 0; i < l->count(); ++i) t.append(l->item(i)->text());
    return t;
  }
  static void clic(QListWidget* l, int fila) {
    l->show();
    const QRect r = l->visualItemRect(l->item(fila));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
  }
  static void pulsar(QDialog& d, const char* boton) {
    QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(boton)), Qt::LeftButton);
  }
};

TEST_F(Form2DialogoTest, MuestraElModeloYLlevaLosClicsASusManejadores) {
  cargar({linea(Q("100"), Q("12"), Q("1"), Q("A")), linea(Q("200"), Q("12"), Q("2"), Q("B")),
          linea(Q("300"), Q("45"), Q("1"), Q("C"))});
  Form2Dialogo d(modelo);
  d.show();
  EXPECT_EQ(d.objectName(), Q("Form2"));
  EXPECT_EQ(d.windowTitle(), Q("ASN Tornavela"));
  EXPECT_TRUE(d.isModal());
  EXPECT_EQ(d.findChild<QLabel*>(Q("Label1"))->text(), Q("Añada las Ordenes de Compra con las que desea trabajar"));
  EXPECT_EQ(d.findChild<QPushButton*>(Q("Command1"))->text(), Q(">>Añadir >>"));
  EXPECT_EQ(d.findChild<QPushButton*>(Q("Command2"))->text(), Q("Aceptar"));
  EXPECT_EQ(d.findChild<QPushButton*>(Q("Command3"))->text(), Q("Borrar"));
  EXPECT_EQ(d.findChild<QPushButton*>(Q("Command4"))->text(), Q("Cancelar"));
  auto* l1 = d.findChild<QListWidget*>(Q("List1"));
  auto* l2 = d.findChild<QListWidget*>(Q("List2"));
  ASSERT_TRUE(l1 && l2);
  EXPECT_EQ(textos(l1), (QStringList{Q("100 - 12"), Q("200 - 12"), Q("300 - 45")}));
  EXPECT_EQ(l2->count(), 0);

  // Added with nothing selected: nothing happens.
  pulsar(d, "Command1");
  EXPECT_EQ(l2->count(), 0);
  EXPECT_TRUE(textosLog().contains(Q("FORM2-----ENTRO AL EVENTO-----Command1_Click")));

  clic(l1, 1);
  EXPECT_EQ(modelo.List1.indice, 1);
  EXPECT_TRUE(textosLog().contains(Q("FORM2-----ENTRO AL EVENTO-----Barra_V1")));
  pulsar(d, "Command1");
  EXPECT_EQ(textos(l2), QStringList{Q("200 - 12")});

  // The model refuses another department; the form shows its list unchanged.
  clic(l1, 2);
  pulsar(d, "Command1");
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Las Ordenes de Compra deben ser del mismo departamento"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(textos(l2), QStringList{Q("200 - 12")});

  clic(l1, 0);
  pulsar(d, "Command1");
  EXPECT_EQ(textos(l2), (QStringList{Q("200 - 12"), Q("100 - 12")}));

  // Borrar: first without a selection in List2, then with one.
  prompter.limpiar();
  pulsar(d, "Command3");
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Seleccione una Orden de Compra para ser borrada"));
  clic(l2, 0);
  EXPECT_EQ(modelo.List2.indice, 0);
  EXPECT_TRUE(textosLog().contains(Q("FORM2---ENTRO AL EVENTO-----Barra_V2")));
  pulsar(d, "Command3");
  EXPECT_EQ(textos(l2), QStringList{Q("100 - 12")});
  EXPECT_EQ(modelo.List2.textos(), QStringList{Q("100 - 12")});
  // The removed entry leaves no selection behind.
  EXPECT_EQ(l2->currentRow(), -1);
  EXPECT_TRUE(d.isVisible());
  captura(d, "form2");
}

TEST_F(Form2DialogoTest, AceptarConsolidaYCierra) {
  // Order 100 goes to store 1 only, order 200 to store 3 only: they cannot travel together.
  cargar({linea(Q("100"), Q("12"), Q("1"), Q("A")), linea(Q("200"), Q("12"), Q("3"), Q("B")),
          linea(Q("300"), Q("12"), Q("3"), Q("C"))});
  Form2Dialogo d(modelo);
  d.show();
  auto* l1 = d.findChild<QListWidget*>(Q("List1"));
  clic(l1, 0);
  pulsar(d, "Command1");
  clic(l1, 1);
  pulsar(d, "Command1");
  // Store 3 receives orders 200 and 300, so the file passes the test.
  pulsar(d, "Command2");
  EXPECT_TRUE(modelo.aceptado());
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), int(QDialog::Accepted));
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 2);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 2);
}

TEST_F(Form2DialogoTest, ConsolidacionImposibleDejaLaFormaAbierta) {
  cargar({linea(Q("100"), Q("12"), Q("1"), Q("A")), linea(Q("200"), Q("12"), Q("3"), Q("B"))});
  Form2Dialogo d(modelo);
  d.show();
  auto* l1 = d.findChild<QListWidget*>(Q("List1"));
  clic(l1, 0);
  pulsar(d, "Command1");
  clic(l1, 1);
  pulsar(d, "Command1");
  pulsar(d, "Command2");
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Las OC que seleccionó no se pueden consolidar"));
  EXPECT_TRUE(d.isVisible());
  EXPECT_FALSE(modelo.cerrado);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 2);

  pulsar(d, "Command4");
  EXPECT_TRUE(modelo.cancelado());
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), int(QDialog::Rejected));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 0);
}

TEST_F(Form2DialogoTest, EntradaLargaDaBarraHorizontal) {
  const QString larga = QString(120, QLatin1Char('9'));
  cargar({linea(larga, Q("12"), Q("1"), Q("A"))});
  Form2Dialogo d(modelo);
  d.show();
  QApplication::processEvents();
  auto* l1 = d.findChild<QListWidget*>(Q("List1"));
  EXPECT_GT(l1->horizontalScrollBar()->maximum(), 0);
}

TEST_F(Form2DialogoTest, ElPrompterDeLaVentanaLaAbreYCierraConElModelo) {
  cargar({linea(Q("100"), Q("12"), Q("1"), Q("A"))});
  QWidget ventana;
  QtPrompter p(&ventana);
  registrarFormas(p);
  bool vista = false;
  // Once the modal loop runs, the open form is pressed like a user would.
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    vista = d && d->objectName() == Q("Form2") && d->parentWidget() == &ventana;
    if (d) pulsar(*d, "Command4");
  });
  p.ejecutarDialogo(modelo);
  EXPECT_TRUE(vista);
  EXPECT_TRUE(modelo.cancelado());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(Form2DialogoTest, ConElTecladoYVariasALaVezCadaUnaPorLasMismasReglas) {
  cargar({linea(Q("100"), Q("12"), Q("1"), Q("A")), linea(Q("200"), Q("45"), Q("1"), Q("B")),
          linea(Q("300"), Q("12"), Q("1"), Q("C")), linea(Q("400"), Q("12"), Q("1"), Q("D"))});
  Form2Dialogo d(modelo);
  d.show();
  QApplication::setActiveWindow(&d);
  auto* l1 = d.findChild<QListWidget*>(Q("List1"));
  auto* l2 = d.findChild<QListWidget*>(Q("List2"));
  l1->setFocus();
  QTest::keyClick(l1, Qt::Key_Home);
  QTest::keyClick(l1, Qt::Key_Return);
  EXPECT_EQ(textos(l2), QStringList{Q("100 - 12")});
  // Three more at once: the other department is refused with its message, the rest go in.
  clic(l1, 1);
  QTest::mouseClick(l1->viewport(), Qt::LeftButton, Qt::ShiftModifier, l1->visualItemRect(l1->item(3)).center());
  EXPECT_EQ(l1->selectedItems().size(), 3);
  pulsar(d, "Command1");
  EXPECT_EQ(prompter.textos(), QStringList{Q("Las Ordenes de Compra deben ser del mismo departamento")});
  EXPECT_EQ(textos(l2), (QStringList{Q("100 - 12"), Q("300 - 12"), Q("400 - 12")}));
  // A double click adds; an order already there is not added twice.
  QTest::mouseDClick(l1->viewport(), Qt::LeftButton, {}, l1->visualItemRect(l1->item(0)).center());
  EXPECT_EQ(l2->count(), 3);
  // Enter on Aceptar and Esc leave the form open.
  d.findChild<QPushButton*>(Q("Command2"))->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(modelo.fin, Form2Modelo::Fin::Abierto);
}

}  // namespace
