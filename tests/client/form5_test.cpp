#include "client/form5.h"

#include <QDir>
#include <QFile>

#include "fixture.h"
#include "startup/startup.h"

namespace {

using Caja = Form5Modelo::Caja;

class Form5Test : public WorkspaceTest {
 protected:
  void valores(const QString& cliente, const QString& proveedor, const QString& rfc) {
    ws->vaSpread2.setText(2, 2, cliente);
    ws->vaSpread2.setText(2, 14, proveedor);
    ws->vaSpread2.setText(2, 16, rfc);
  }
  QString infoCfg() const { return dir.filePath(QStringLiteral("info.cfg")); }
};

TEST_F(Form5Test, LoadFillsTheBoxes) {
  ws->vaSpread2.setText(2, 1, QStringLiteral("006"));
  valores(QStringLiteral("1234"), QStringLiteral("45678"), QStringLiteral("ABCD010101-AB1"));
  Form5Modelo f(*ws);
  EXPECT_EQ(f.forma(), QStringLiteral("Form5"));
  EXPECT_EQ(Form5Modelo::kTitulo, Q("Configuración"));
  f.Form_Load();
  EXPECT_EQ(f.aplicacion, QStringLiteral("006"));
  EXPECT_EQ(f.ncliente, QStringLiteral("1234"));
  EXPECT_EQ(f.Text2, QStringLiteral("45678"));
  EXPECT_EQ(f.rfc, QStringLiteral("ABCD010101-AB1"));
  EXPECT_TRUE(textosLog().contains(QStringLiteral("FORM5-----ENTRO AL EVENTO-----Form_Load")));
}

TEST_F(Form5Test, KeyFiltersAndLengths) {
  Form5Modelo f(*ws);
  EXPECT_FALSE(f.teclear(Caja::ncliente, QStringLiteral("12a4")));
  EXPECT_EQ(f.ncliente, QStringLiteral("124"));
  EXPECT_EQ(prompter.beeps, 1);
  EXPECT_FALSE(f.teclear(Caja::ncliente, QStringLiteral("567")));  // five at most
  EXPECT_EQ(f.ncliente, QStringLiteral("12456"));
  EXPECT_TRUE(f.teclear(Caja::ncliente, Q("\b\b")));
  EXPECT_EQ(f.ncliente, QStringLiteral("124"));

  EXPECT_TRUE(f.teclear(Caja::Text2, QStringLiteral("0123456789")));
  EXPECT_FALSE(f.teclear(Caja::Text2, QStringLiteral("1")));
  EXPECT_EQ(f.Text2, QStringLiteral("0123456789"));

  EXPECT_TRUE(f.teclear(Caja::rfc, Q("abcd ñ&-")));
  EXPECT_EQ(f.rfc, Q("ABCD Ñ&-"));
  const int antes = prompter.beeps;
  EXPECT_TRUE(f.KeyPress(Caja::rfc, QLatin1Char('.')).isNull());
  EXPECT_TRUE(f.KeyPress(Caja::rfc, QChar(0x00E9)).isNull());  // é
  EXPECT_EQ(prompter.beeps, antes + 2);
  EXPECT_EQ(f.KeyPress(Caja::ncliente, QLatin1Char('7')), QLatin1Char('7'));
  EXPECT_TRUE(f.teclear(Caja::rfc, QStringLiteral("010101")));
  EXPECT_FALSE(f.teclear(Caja::rfc, QStringLiteral("Z")));
  EXPECT_EQ(f.rfc.size(), 14);
}

TEST_F(Form5Test, ShortRfcIsReportedOnLeavingButNeverTrapsTheUser) {
  Form5Modelo f(*ws);
  f.teclear(Caja::rfc, QStringLiteral("ABCD010101-AB"));
  EXPECT_FALSE(f.rfc_LostFocus(QStringLiteral("ncliente")));
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, QStringLiteral("Faltan caracteres en el campo de RFC"));
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Aviso"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Ninguno);
  EXPECT_EQ(f.foco, QStringLiteral("rfc"));

  EXPECT_TRUE(f.rfc_LostFocus(QStringLiteral("Cancelar")));
  f.Cancelar_Click();
  EXPECT_TRUE(f.cerrado);
  EXPECT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(ws->vaSpread2.text(2, 16).isEmpty());
  EXPECT_FALSE(QFile::exists(infoCfg()));

  Form5Modelo g(*ws);
  g.rfc = QStringLiteral("ABCD010101-AB1");
  EXPECT_TRUE(g.rfc_LostFocus(QStringLiteral("ncliente")));
}

TEST_F(Form5Test, AcceptChecksInOrder) {
  valores(QString(), QStringLiteral("999"), QString());
  Form5Modelo f(*ws);
  f.Form_Load();
  auto ultimo = [&](const QString& texto, const QString& titulo, const QString& foco) {
    ASSERT_FALSE(prompter.mensajes.empty());
    EXPECT_EQ(prompter.mensajes.back().texto, texto);
    EXPECT_EQ(prompter.mensajes.back().titulo, titulo);
    EXPECT_EQ(f.foco, foco);
    EXPECT_FALSE(f.cerrado);
  };
  f.Text2.clear();
  f.aceptar_Click();
  ultimo(Q("Falta el número de Cliente"), QStringLiteral("Datos Incompletos"), QStringLiteral("ncliente"));
  EXPECT_EQ(ws->Text1[1], QStringLiteral("999"));  // the stored supplier number, before any change

  f.teclear(Caja::ncliente, QStringLiteral("12a4"));
  f.aceptar_Click();
  ultimo(Q("El número de cliente debe ser de cuatro caracteres numéricos"), QStringLiteral("Datos Incorrectos"),
         QStringLiteral("ncliente"));

  f.teclear(Caja::ncliente, QStringLiteral("5"));
  f.aceptar_Click();
  ultimo(Q("Falta el número de proveedor"), QStringLiteral("Datos Incompletos"), QStringLiteral("Text2"));

  f.teclear(Caja::Text2, QStringLiteral("45678"));
  f.aceptar_Click();
  ultimo(QStringLiteral("Falta el RFC"), QStringLiteral("Datos Incompletos"), QStringLiteral("rfc"));

  f.teclear(Caja::rfc, QStringLiteral("ABCD010101-AB"));
  f.aceptar_Click();
  ultimo(QStringLiteral("Faltan caracteres en el campo de RFC"), QStringLiteral("Aviso"), QStringLiteral("rfc"));
  EXPECT_TRUE(ws->vaSpread2.text(2, 2).isEmpty());
  EXPECT_EQ(ws->vaSpread2.text(2, 14), QStringLiteral("999"));
  EXPECT_FALSE(QFile::exists(infoCfg()));

  f.teclear(Caja::rfc, QStringLiteral("1"));
  const size_t antes = prompter.mensajes.size();
  f.aceptar_Click();
  EXPECT_TRUE(f.cerrado);
  EXPECT_EQ(prompter.mensajes.size(), antes);
  EXPECT_EQ(ws->vaSpread2.text(2, 2), QStringLiteral("1245"));
  EXPECT_EQ(ws->vaSpread2.text(2, 14), QStringLiteral("45678"));
  EXPECT_EQ(ws->vaSpread2.text(2, 16), QStringLiteral("ABCD010101-AB1"));
  EXPECT_EQ(ws->Text1[1], QStringLiteral("999"));
  EXPECT_TRUE(textosLog().contains(QStringLiteral("FORM5-----TERMINO EL EVENTO-----aceptar_Click")));
}

TEST_F(Form5Test, AcceptSavesTheWholeTableAndARestartReadsItBack) {
  ws->vaSpread2.setText(2, 3, QStringLiteral("usuario"));
  prompter.alDialogo = [](DialogoModelo& m) {
    auto& f = dynamic_cast<Form5Modelo&>(m);
    f.ncliente.clear();
    f.teclear(Caja::ncliente, QStringLiteral("12345"));
    f.Text2 = QStringLiteral("45678");
    f.rfc = QStringLiteral("ABCD010101-AB1");
    f.aceptar_Click();
  };
  generales_Click(*ws);
  EXPECT_EQ(prompter.dialogosVistos, QStringList{QStringLiteral("Form5")});
  ASSERT_TRUE(QFile::exists(infoCfg()));
  const QByteArray guardado = leer(infoCfg());

  reiniciar();
  Form_Load(*ws);
  EXPECT_EQ(ws->vaSpread2.text(2, 2), QStringLiteral("12345"));
  EXPECT_EQ(ws->vaSpread2.text(2, 3), QStringLiteral("usuario"));
  EXPECT_EQ(ws->vaSpread2.text(2, 16), QStringLiteral("ABCD010101-AB1"));
  EXPECT_EQ(ws->Text1[1], QStringLiteral("45678"));

  // Reopening shows the stored values; Cancel after changes leaves table and file as they were.
  prompter.alDialogo = [](DialogoModelo& m) {
    auto& f = dynamic_cast<Form5Modelo&>(m);
    EXPECT_EQ(f.ncliente, QStringLiteral("12345"));
    f.ncliente = QStringLiteral("9999");
    f.Cancelar_Click();
  };
  generales_Click(*ws);
  EXPECT_EQ(ws->vaSpread2.text(2, 2), QStringLiteral("12345"));
  EXPECT_EQ(leer(infoCfg()), guardado);
}

TEST_F(Form5Test, AFailedSaveIsReported) {
  // A folder named info.cfg: no one can replace it by a file.
  QDir(carpeta()).mkdir(QStringLiteral("info.cfg"));
  Form5Modelo f(*ws);
  f.ncliente = QStringLiteral("1234");
  f.Text2 = QStringLiteral("45678");
  f.rfc = QStringLiteral("ABCD010101-AB1");
  f.aceptar_Click();
  const std::vector<Mensaje>& propios = prompter.mensajes;
  ASSERT_EQ(propios.size(), 1u);
  EXPECT_TRUE(propios[0].texto.startsWith(Q("No se pudo guardar el archivo de configuración info.cfg:")));
  EXPECT_EQ(propios[0].titulo, QStringLiteral("Aviso Importante"));
  EXPECT_EQ(propios[0].icono, Icono::Critico);
  EXPECT_TRUE(QFileInfo(infoCfg()).isDir());
  EXPECT_EQ(ws->vaSpread2.text(2, 2), QStringLiteral("1234"));  // usable for this session
  EXPECT_TRUE(f.cerrado);
}

}  // namespace
