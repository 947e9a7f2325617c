#include <gtest/gtest.h>

#include <QFile>

#include "client/scrambling.h"
#include "fixture.h"
#include "startup/startup.h"

class StartupTest : public WorkspaceTest {};

TEST_F(StartupTest, FirstStartWritesTheDefaultsAndLogsInOrder) {
  Form_Load(*ws);
  const QByteArray ini = leer(carpeta() + QStringLiteral("/dudizod.ini"));
  const QStringList lineas = texto::partirLineas(texto::desde1252(ini));
  ASSERT_EQ(lineas.size(), 3);
  EXPECT_TRUE(ini.endsWith("\r\n"));
  EXPECT_EQ(lineas[0], Q("Aplicación:\t006\tAviso de Vorarido de Tornavela"));
  const QStringList l2 = lineas[1].split(QLatin1Char('\t'));
  EXPECT_EQ(l2[0], QStringLiteral("--->"));
  EXPECT_EQ(l2[1].size(), kDireccionFtpOmision.size() * 3);
  EXPECT_EQ(DeCode(l2[1]), kDireccionFtpOmision);
  EXPECT_TRUE(lineas[2].startsWith(QStringLiteral("Forma\t06")));

  EXPECT_EQ(ws->vaSpread2.text(2, 1), QStringLiteral("006"));
  EXPECT_EQ(ws->vaSpread2.text(3, 1), QStringLiteral("Aviso de Vorarido de Tornavela"));
  EXPECT_EQ(ws->vaSpread2.text(2, 13), kDireccionFtpOmision);
  EXPECT_EQ(ws->vaSpread2.text(2, 15), QStringLiteral("06"));
  EXPECT_EQ(ws->vaSpread2.text(2, 20), QStringLiteral("0"));
  EXPECT_EQ(ws->vaSpread4.text(2, 2), kDireccionFtpOmision);
  EXPECT_EQ(ws->DTPicker1_4, QDate(2026, 12, 7));
  EXPECT_EQ(ws->Text1[4], QStringLiteral("07/12/2026"));
  EXPECT_FALSE(ws->habilitado(QStringLiteral("Combo2")));
  EXPECT_FALSE(ws->habilitado(QStringLiteral("editar")));

  const QString e = QStringLiteral("ENTRO AL EVENTO-----Form_Load");
  EXPECT_EQ(textosLog(), (QStringList{
                             e,
                             e + Q("-----verifica si existe el archivo de configuración"),
                             e + QStringLiteral("-----Gernera el archivo dudizod.ini por defecto"),
                             QStringLiteral("MODULO2-----ENTRO A LA FUNCION-----EnCode"),
                             e + QStringLiteral("-----establece los valores de vaspread2 con los datos del vaspread4 (dudizod.ini)"),
                             e + QStringLiteral("-----poner la fecha actual en el control DTPicker1(4)"),
                             QStringLiteral("TERMINO EL EVENTO-----Form_Load"),
                         }));
  EXPECT_TRUE(prompter.mensajes.empty());
}

TEST_F(StartupTest, SecondStartReadsBackTheSameTables) {
  Form_Load(*ws);
  ws->vaSpread2.setText(2, 2, QStringLiteral("1234"));
  ws->vaSpread2.setText(2, 14, QStringLiteral("45678"));
  ASSERT_TRUE(ws->vaSpread2.saveSheet(carpeta() + QStringLiteral("/info.cfg")).ok);
  const QByteArray antes = ws->vaSpread2.sheetBytes();
  const QByteArray ini = leer(carpeta() + QStringLiteral("/dudizod.ini"));
  reiniciar();
  Form_Load(*ws);
  EXPECT_EQ(ws->vaSpread2.sheetBytes(), antes);
  EXPECT_EQ(ws->vaSpread4.text(2, 2), kDireccionFtpOmision);
  EXPECT_EQ(ws->Text1[1], QStringLiteral("45678"));
  EXPECT_EQ(leer(carpeta() + QStringLiteral("/dudizod.ini")), ini);  // not rewritten
  EXPECT_TRUE(textosLog().contains(
      Q("ENTRO AL EVENTO-----Form_Load-----carga los valores guardados en el archivo de configuración")));
}

TEST_F(StartupTest, DamagedSettingsAreReportedAndTheDefaultsUsed) {
  escribir(QStringLiteral("info.cfg"), QByteArray("\x00\x01\x02garbage", 10));
  escribir(QStringLiteral("dudizod.ini"), QByteArray("\xff\xfe\x00\x00 binario", 12));
  Form_Load(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 2u);
  EXPECT_TRUE(prompter.mensajes[0].texto.contains(QStringLiteral("info.cfg")));
  EXPECT_TRUE(prompter.mensajes[1].texto.contains(QStringLiteral("dudizod.ini")));
  EXPECT_EQ(ws->vaSpread2.text(1, 14), QStringLiteral("Numerodeproveedor:"));
  EXPECT_EQ(ws->vaSpread2.text(2, 1), QStringLiteral("006"));
  EXPECT_EQ(ws->vaSpread2.text(2, 13), kDireccionFtpOmision);
  // Nothing the user had is overwritten behind their back.
  EXPECT_EQ(leer(carpeta() + QStringLiteral("/info.cfg")), QByteArray("\x00\x01\x02garbage", 10));
}

TEST_F(StartupTest, NewClearsTheWorkspaceButNotTheHeaderOrSettings) {
  Form_Load(*ws);
  ws->vaspread1.setRowTexts(1, {QStringLiteral("1"), QStringLiteral("2")});
  ws->vaSpread6.setRowTexts(1, {QStringLiteral("1")});
  ws->vaSpread9.setRowTexts(1, {QStringLiteral("1"), QStringLiteral("Alta")});
  ws->vaSpread9.setColumnList(2, {QStringLiteral("Alta")});
  ws->vaSpread9.setColumnFlag(2, true);
  ws->vaSpread5.setRowTexts(1, {QStringLiteral("123")});
  ws->Combo2.agregar(QStringLiteral("1-2"));
  ws->Text1[3] = QStringLiteral("7");
  nuevaforma_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread5.dataRowCount(), 0);
  EXPECT_TRUE(ws->Combo2.entradas.isEmpty());
  EXPECT_TRUE(ws->habilitado(QStringLiteral("Combo2")));
  EXPECT_TRUE(ws->vaSpread9.dropDownList(2, 1).isEmpty());
  EXPECT_FALSE(ws->vaSpread9.columnFlag(2));
  EXPECT_EQ(ws->Text1[3], QStringLiteral("7"));
  EXPECT_EQ(ws->vaSpread2.text(2, 1), QStringLiteral("006"));
  EXPECT_EQ(textosLog().mid(textosLog().size() - 2),
            (QStringList{QStringLiteral("ENTRO AL EVENTO-----nuevaforma_Click"), QStringLiteral("TERMINO EL EVENTO-----nuevaforma_Click")}));
  nuevaforma_Click(*ws);  // on an empty workspace: no error
  EXPECT_TRUE(prompter.mensajes.empty());
}
