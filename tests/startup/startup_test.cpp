// The start-up and Nuevo on the workspace's state; the files and log lines
// they write are in the golden cases of aviso-lote.
#include <gtest/gtest.h>

#include "fixture.h"
#include "startup/startup.h"

class StartupTest : public WorkspaceTest {};

TEST_F(StartupTest, PrimerArranqueSegundoArranqueYNuevo) {
  Form_Load(*ws);
  const std::tuple<int, int, QString> celdas[] = {{2, 1, Q("006")}, {3, 1, Q("Aviso de Vorarido de Tornavela")},
                                                  {2, 13, kDireccionFtpOmision}, {2, 15, Q("06")}, {2, 20, Q("0")}};
  for (const auto& [c, r, t] : celdas) EXPECT_EQ(ws->vaSpread2.text(c, r), t) << c << "," << r;
  EXPECT_EQ(ws->vaSpread4.text(2, 2), kDireccionFtpOmision);
  EXPECT_EQ(ws->DTPicker1_4, QDate(2026, 12, 7));
  EXPECT_EQ(ws->Text1[4], Q("07/12/2026"));
  EXPECT_FALSE(ws->habilitado(Q("Combo2")));
  EXPECT_FALSE(ws->habilitado(Q("editar")));
  EXPECT_TRUE(prompter.mensajes.empty());

  // A second start reads back the same tables and does not rewrite dudizod.ini.
  ws->vaSpread2.setText(2, 14, Q("45678"));
  ASSERT_TRUE(ws->vaSpread2.saveSheet(dir.filePath(Q("info.cfg"))).ok);
  const QByteArray antes = ws->vaSpread2.sheetBytes(), ini = leer(dir.filePath(Q("dudizod.ini")));
  reiniciar();
  Form_Load(*ws);
  EXPECT_EQ(ws->vaSpread2.sheetBytes(), antes);
  EXPECT_EQ(ws->Text1[1], Q("45678"));
  EXPECT_EQ(leer(dir.filePath(Q("dudizod.ini"))), ini);

  // Nuevo clears the workspace, not the header boxes nor the settings.
  ws->vaspread1.setRowTexts(1, {Q("1"), Q("2")});
  ws->vaSpread6.setRowTexts(1, {Q("1")});
  ws->vaSpread9.setRowTexts(1, {Q("1"), Q("Alta")});
  ws->vaSpread9.setColumnList(2, {Q("Alta")});
  ws->vaSpread9.setColumnFlag(2, true);
  ws->vaSpread5.setRowTexts(1, {Q("123")});
  ws->Combo2.agregar(Q("1-2"));
  ws->Text1[3] = Q("7");
  ws->vaspread1.setEnabled(false);
  for (int vez = 0; vez < 2; ++vez) {
    nuevaforma_Click(*ws);
    EXPECT_TRUE(ws->vaspread1.enabled());
    for (const Grid* g : {&ws->vaspread1, &ws->vaSpread6, &ws->vaSpread9, &ws->vaSpread5})
      EXPECT_EQ(g->dataRowCount(), 0) << g->name().toStdString();
    EXPECT_TRUE(ws->Combo2.entradas.isEmpty());
    EXPECT_TRUE(ws->habilitado(Q("Combo2")));
    EXPECT_TRUE(ws->vaSpread9.dropDownList(2, 1).isEmpty());
    EXPECT_FALSE(ws->vaSpread9.columnFlag(2));
    EXPECT_EQ(ws->Text1[3], Q("7"));
    EXPECT_EQ(ws->vaSpread2.text(2, 1), Q("006"));
    EXPECT_EQ(textosLog().mid(textosLog().size() - 2),
              (QStringList{Q("ENTRO AL EVENTO-----nuevaforma_Click"), Q("TERMINO EL EVENTO-----nuevaforma_Click")}));
  }
  EXPECT_TRUE(prompter.mensajes.empty());
}
