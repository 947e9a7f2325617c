// The client data form over its model: key filters, the RFC rule, the buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/dialogs/form5dialogo.h"
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
  QApplication::processEvents();
  w.grab().save(carpeta + QStringLiteral("/dialogo_") + QString::fromLatin1(nombre) + QStringLiteral(".png"));
}

class Form5DialogoTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { aplicacion(); }
  static void TearDownTestSuite() { sinAplicacion(); }
  void SetUp() override {
    ws->vaSpread2.setText(2, 1, Q("ASN"));
    ws->vaSpread2.setText(2, 2, Q("4321"));
    ws->vaSpread2.setText(2, 14, Q("998877"));
    ws->vaSpread2.setText(2, 16, Q("ABCD010101-XY1"));
    modelo.Form_Load();
  }
  Form5Modelo modelo{*ws};

  // Shows the form as the active window, so that focus moves as for a user.
  void abrir(Form5Dialogo& d) {
    d.show();
    QApplication::setActiveWindow(&d);
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  }
  static QLineEdit* caja(QDialog& d, const char* nombre) { return d.findChild<QLineEdit*>(Q(nombre)); }
  static void pulsar(QDialog& d, const char* boton) {
    QTest::mouseClick(d.findChild<QPushButton*>(Q(boton)), Qt::LeftButton);
  }
  static QStringList etiquetas(QDialog& d) {
    QStringList t;
    for (QLabel* l : d.findChildren<QLabel*>()) t.append(l->text());
    return t;
  }
  // Types into a box that has the focus, key by key (any character, ñ included).
  static void teclear(QLineEdit* e, const char* texto) {
    e->setFocus();
    for (QChar c : Q(texto)) {
      const int tecla = c.unicode() < 0x80 ? QChar(c).toUpper().unicode() : int(Qt::Key_unknown);
      QKeyEvent pulsada(QEvent::KeyPress, tecla, Qt::NoModifier, QString(c));
      QApplication::sendEvent(e, &pulsada);
    }
  }
};

TEST_F(Form5DialogoTest, MuestraLosDatosYFiltraLasTeclas) {
  Form5Dialogo d(modelo);
  abrir(d);
  EXPECT_EQ(d.objectName(), Q("Form5"));
  EXPECT_EQ(d.windowTitle(), Q("Configuración"));
  const QStringList t = etiquetas(d);
  for (const char* e : {"Datos de Configuración", "Aplicación:", "Número de Cliente:", "Número de proveedor:", "RFC:"})
    EXPECT_TRUE(t.contains(Q(e))) << e;
  EXPECT_TRUE(t.contains(Form5Modelo::kEjemploRfc));
  EXPECT_EQ(d.findChild<QPushButton*>(Q("aceptar"))->text(), Q("&Aceptar"));
  EXPECT_EQ(d.findChild<QPushButton*>(Q("Cancelar"))->text(), Q("&Cancelar"));
  EXPECT_EQ(caja(d, "aplicación")->text(), Q("ASN"));
  EXPECT_EQ(caja(d, "ncliente")->text(), Q("4321"));
  EXPECT_EQ(caja(d, "Text2")->text(), Q("998877"));
  EXPECT_EQ(caja(d, "rfc")->text(), Q("ABCD010101-XY1"));
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  captura(d, "form5");

  // Digits only in the client number; a letter is dropped with a beep.
  caja(d, "ncliente")->clear();
  teclear(caja(d, "ncliente"), "12a4");
  EXPECT_EQ(caja(d, "ncliente")->text(), Q("124"));
  EXPECT_EQ(modelo.ncliente, Q("124"));
  EXPECT_EQ(prompter.beeps, 1);
  EXPECT_TRUE(textosLog().contains(Q("FORM5-----ENTRO AL EVENTO-----ncliente_KeyPress")));
  // Backspace passes the filter; the box keeps its maximum length.
  QTest::keyClick(caja(d, "ncliente"), Qt::Key_Backspace);
  teclear(caja(d, "ncliente"), "56789");
  EXPECT_EQ(modelo.ncliente, Q("12567"));
  EXPECT_EQ(prompter.beeps, 1);

  caja(d, "Text2")->clear();
  teclear(caja(d, "Text2"), "7-7");
  EXPECT_EQ(modelo.Text2, Q("77"));
  EXPECT_EQ(prompter.beeps, 2);

  // The RFC takes lower-case letters as capitals, Ñ and & too, but no dot.
  caja(d, "rfc")->clear();
  teclear(caja(d, "rfc"), "abñd&.");
  EXPECT_EQ(caja(d, "rfc")->text(), Q("ABÑD&"));
  EXPECT_EQ(modelo.rfc, Q("ABÑD&"));
  EXPECT_EQ(prompter.beeps, 3);
}

TEST_F(Form5DialogoTest, ElRfcCortoDevuelveElFocoPeroCancelarCierra) {
  Form5Dialogo d(modelo);
  abrir(d);
  QLineEdit* rfc = caja(d, "rfc");
  rfc->clear();
  teclear(rfc, "abcd010101-xy");  // 13 characters
  caja(d, "ncliente")->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Faltan caracteres en el campo de RFC"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(QApplication::focusWidget(), rfc);
  EXPECT_TRUE(textosLog().contains(Q("FORM5-----ENTRO AL EVENTO-----rfc_LostFocus")));

  // The form moving the focus back is no second leaving of the box.
  QApplication::processEvents();
  EXPECT_EQ(prompter.mensajes.size(), 1u);

  const QByteArray antes = leer(carpeta() + Q("/info.cfg"));
  QTest::mouseClick(d.findChild<QPushButton*>(Q("Cancelar")), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(modelo.cerrado);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(ws->vaSpread2.text(2, 16), Q("ABCD010101-XY1"));
  EXPECT_EQ(leer(carpeta() + Q("/info.cfg")), antes);
}

TEST_F(Form5DialogoTest, AceptarRechazaConElFocoEnLaCajaYLuegoGuarda) {
  Form5Dialogo d(modelo);
  abrir(d);
  caja(d, "ncliente")->clear();
  teclear(caja(d, "ncliente"), "124");
  caja(d, "Text2")->setFocus();
  pulsar(d, "aceptar");
  QApplication::processEvents();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("El número de cliente debe ser de cuatro caracteres numéricos"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Datos Incorrectos"));
  EXPECT_EQ(QApplication::focusWidget(), caja(d, "ncliente"));
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(ws->vaSpread2.text(2, 2), Q("4321"));

  teclear(caja(d, "ncliente"), "55");  // the box was selected: typing replaces it
  EXPECT_EQ(modelo.ncliente, Q("55"));
  caja(d, "ncliente")->clear();
  teclear(caja(d, "ncliente"), "12345");
  pulsar(d, "aceptar");
  QApplication::processEvents();
  EXPECT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), int(QDialog::Accepted));
  EXPECT_EQ(ws->vaSpread2.text(2, 2), Q("12345"));
  EXPECT_EQ(ws->Text1[1], Q("998877"));
  EXPECT_TRUE(QFile::exists(carpeta() + Q("/info.cfg")));
  // What was saved reads back as the settings table.
  Grid leida;
  ASSERT_TRUE(leida.loadSheet(carpeta() + Q("/info.cfg")).ok);
  EXPECT_EQ(leida.text(2, 2), Q("12345"));
  EXPECT_EQ(leida.text(2, 16), Q("ABCD010101-XY1"));
}

TEST_F(Form5DialogoTest, ElMenuLaAbrePorElPrompterDeLaVentana) {
  QWidget ventana;
  QtPrompter p(&ventana);
  registrarFormas(p);
  Workspace w(carpeta(), p, reloj);
  w.vaSpread2.setText(2, 2, Q("7777"));
  QString visto;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!d) return;
    visto = d->objectName() + Q(":") + d->findChild<QLineEdit*>(Q("ncliente"))->text();
    pulsar(*d, "Cancelar");
  });
  generales_Click(w);
  EXPECT_EQ(visto, Q("Form5:7777"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(Form5DialogoTest, EnterPasaDeCajaEnCajaYAceptaEnLaUltimaEscCancela) {
  Form5Dialogo d(modelo);
  abrir(d);
  caja(d, "ncliente")->setFocus();
  caja(d, "ncliente")->selectAll();
  teclear(caja(d, "ncliente"), "5678");
  for (const char* siguiente : {"Text2", "rfc"}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), caja(d, siguiente));
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(d.result(), int(QDialog::Accepted));
  EXPECT_EQ(ws->vaSpread2.text(2, 2), Q("5678"));

  Form5Modelo otro(*ws);
  otro.Form_Load();
  Form5Dialogo e(otro);
  abrir(e);
  teclear(caja(e, "ncliente"), "9");
  QTest::keyClick(caja(e, "ncliente"), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_TRUE(otro.cerrado);
  EXPECT_FALSE(e.isVisible());
  EXPECT_EQ(ws->vaSpread2.text(2, 2), Q("5678"));
}

}  // namespace
