// The client dialog's boxes as the user types and leaves them; its checks on
// Aceptar, the file it saves and a save that fails are in the golden cases
// cliente and cliente_rehusado.
#include "client/form5.h"

#include <QFile>

#include "fixture.h"

using Caja = Form5Modelo::Caja;

TEST_F(WorkspaceTest, Form5TeclasLargosYSalidaDelRfc) {
  ws->vaSpread2.setText(2, 1, Q("006"));
  ws->vaSpread2.setText(2, 2, Q("1234"));
  Form5Modelo f(*ws);
  EXPECT_EQ(Form5Modelo::kTitulo, Q("Configuración"));
  f.Form_Load();
  EXPECT_EQ(f.aplicacion, Q("006"));
  f.ncliente.clear();
  const struct {
    Caja caja;
    const char* tecleado;
    bool todo;          // every key taken
    const char* queda;  // the box afterwards
  } teclas[] = {{Caja::ncliente, "12a4", false, "124"},    {Caja::ncliente, "567", false, "12456"},
                {Caja::ncliente, "\b\b", true, "124"},     {Caja::Text2, "0123456789", true, "0123456789"},
                {Caja::Text2, "1", false, "0123456789"},   {Caja::rfc, "abcd ñ&-", true, "ABCD Ñ&-"},
                {Caja::rfc, ".é", false, "ABCD Ñ&-"},      {Caja::rfc, "010101Z", false, "ABCD Ñ&-010101"}};
  for (const auto& t : teclas) {
    EXPECT_EQ(f.teclear(t.caja, Q(t.tecleado)), t.todo) << t.tecleado;
    EXPECT_EQ(t.caja == Caja::ncliente ? f.ncliente : t.caja == Caja::Text2 ? f.Text2 : f.rfc, Q(t.queda)) << t.tecleado;
  }
  EXPECT_EQ(prompter.beeps, 3);  // "a", "." and "é"; a box that is full takes no key silently

  // A short RFC is told on leaving its box, but never keeps the user from Cancelar.
  f.rfc = Q("ABCD010101-AB");
  EXPECT_FALSE(f.rfc_LostFocus(Q("ncliente")));
  EXPECT_EQ(prompter.textos(), QStringList{Q("Faltan caracteres en el campo de RFC")});
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(f.foco, Q("rfc"));
  EXPECT_TRUE(f.rfc_LostFocus(Q("Cancelar")));
  f.Cancelar_Click();
  EXPECT_TRUE(f.cerrado);
  EXPECT_EQ(ws->vaSpread2.text(2, 2), Q("1234"));
  EXPECT_FALSE(QFile::exists(dir.filePath(Q("info.cfg"))));
  f.rfc = Q("ABCD010101-AB1");
  EXPECT_TRUE(f.rfc_LostFocus(Q("ncliente")));
  EXPECT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_TRUE(textosLog().contains(Q("FORM5-----ENTRO AL EVENTO-----Form_Load")));
}
