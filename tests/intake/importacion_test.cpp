// The import commands as the window drives them: their file dialogs, the
// consolidation dialog cancelled or closed, the order list of a tab-delimited
// file. What they load is in the golden cases of aviso-lote.
#include <QFile>

#include "consolidation/form2.h"
#include "fixture.h"
#include "intake/inf_import.h"
#include "intake/order_selection.h"
#include "intake/tab_import.h"

namespace {

const QString kTres = QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tres.inf");
const QString kTab = QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tab.txt");

class ImportacionTest : public WorkspaceTest {
 protected:
  // Every table an import fills is empty, no temporary file is left.
  void esperarVacio() {
    for (const Grid* g : {&ws->vaspread1, &ws->vaSpread6, &ws->vaSpread9, &ws->vaSpread3, &ws->vaSpread5})
      EXPECT_EQ(g->dataRowCount(), 0) << g->name().toStdString();
    EXPECT_TRUE(ws->Combo2.entradas.isEmpty());
    EXPECT_FALSE(QFile::exists(ws->ruta(QStringLiteral("archtabs.tmp"))));
  }
};

TEST_F(ImportacionTest, DialogosDeArchivo) {
  prompter.archivosAbrir = {kTres, kTab};
  importararchiv_Click(*ws);
  EXPECT_EQ(prompter.ocupado, Q("+-+-")) << "busy while the file is read and laid out";
  prompter.ocupado.clear();
  arrch_tabulador_Click(*ws);
  EXPECT_EQ(prompter.ocupado, Q("+-+-+-"));
  ASSERT_EQ(prompter.dialogosArchivo.size(), 2u);
  for (const DialogoArchivo& d : prompter.dialogosArchivo) {
    EXPECT_EQ(d.titulo, Q("Selección de archivo para Importar"));
    EXPECT_EQ(d.carpetaInicial, carpeta());
  }
  EXPECT_EQ(prompter.dialogosArchivo[0].filtro, Q("Archivo tipo inf|*.inf|Archivo de Texto |*.txt"));
  EXPECT_EQ(prompter.dialogosArchivo[0].nombre, Q("*.inf"));
  EXPECT_EQ(prompter.dialogosArchivo[1].filtro, Q("Archivo tipo txt|*.txt|Archivo de Texto |*.txt"));
  EXPECT_EQ(prompter.dialogosArchivo[1].nombre, Q("*.txt"));
}

// Cancel, a window closed without a button, a cancelled file dialog: nothing loaded.
TEST_F(ImportacionTest, ConsolidacionAbandonada) {
  const std::function<void(DialogoModelo&)> formas[] = {
      [](DialogoModelo& m) {
        auto& f = dynamic_cast<Form2Modelo&>(m);
        f.seleccionarList1(Q("4500001234 - 123"));
        f.Command1_Click();
        f.Command4_Click();
      },
      {}};
  for (const auto& forma : formas) {
    prompter.alDialogo = forma;
    prompter.archivosAbrir = {kTres};
    ws->habilitar(Q("editar"), false);
    importararchiv_Click(*ws);
    esperarVacio();
    EXPECT_FALSE(ws->habilitado(Q("editar")));
  }
  EXPECT_EQ(prompter.dialogosVistos, (QStringList{Q("Form2"), Q("Form2")}));
  ws->sinvalidar = true;
  escribir(Q("archtabs.tmp"), "viejo\r\n");
  b_import_Click(*ws);  // the button clears the flag and the old temporary file
  EXPECT_FALSE(ws->sinvalidar);
  esperarVacio();
  EXPECT_TRUE(prompter.mensajes.empty());
}

TEST_F(ImportacionTest, ListaDeOrdenesDelArchivoConTabuladores) {
  prompter.archivosAbrir = {kTab};
  ws->vaspread1.setEnabled(false);
  arrch_tabulador_Click(*ws);
  EXPECT_TRUE(ws->vaspread1.enabled());
  EXPECT_EQ(ws->Combo2.entradas, (QStringList{Q("7700001"), Q("7700002")}));
  EXPECT_EQ(ws->foco, Q("Combo2"));
  for (const char* c : {"archivo", "editar", "b_save", "DTPicker1_4"}) EXPECT_FALSE(ws->habilitado(Q(c))) << c;
  // Leaving the list before choosing is refused, every time; a text not in the list chooses nothing.
  Combo2_LostFocus(*ws);
  Combo2_LostFocus(*ws);
  ws->Combo2.texto = Q("9999");
  Combo2_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 7);
  EXPECT_EQ(prompter.textos(), (QStringList{Q("Por favor seleccione una orden de compra!"),
                                            Q("No puede seguir si NO selecciona una orden de compra!"),
                                            Q("No puede seguir si NO selecciona una orden de compra!")}));
  ws->Combo2.indice = 0;
  ws->Combo2.texto = Q("7700001");
  prompter.ocupado.clear();
  EXPECT_EQ(Combo2_Click(*ws), Resultado::Hecho);
  EXPECT_EQ(prompter.ocupado, Q("+-")) << "busy while the order's lines are picked";
  for (const char* c : {"archivo", "editar", "b_save", "DTPicker1_4", "Combo3"}) EXPECT_TRUE(ws->habilitado(Q(c))) << c;
  EXPECT_FALSE(ws->habilitado(Q("Combo2")));
  EXPECT_EQ(ws->vaSpread9.dropDownList(2, 1), QStringList{Q("Alta")});
  // One choice per import.
  prompter.limpiar();
  Combo2_LostFocus(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
}

TEST_F(ImportacionTest, TiposDeMovimientoYCantidades) {
  const struct {
    int indice;
    const char* texto;
  } tipos[] = {{2, ""}, {0, "Alta"}, {1, "Baja"}, {-1, ""}};
  for (const auto& t : tipos) {
    ws->Text1[2] = Q("Cambio");
    ws->Combo1.indice = t.indice;
    Combo1_Click(*ws);
    EXPECT_EQ(ws->Text1[2], Q(t.texto)) << t.indice;
  }
  ws->tabStop(Q("Text1_2"), false);
  Combo1_LostFocus(*ws);
  EXPECT_FALSE(ws->controles[Q("Combo1")].visible);
  EXPECT_TRUE(ws->controles[Q("Text1_2")].tabStop);
  for (const char* l : {"ENTRO AL EVENTO-----Sub Combo1_Click", "TERMINO EL EVENTO-----Sub Combo1_Click",
                        "ENTRO AL EVENTO-----Combo1_LostFocus", "TERMINO EL EVENTO-----Combo1_LostFocus"})
    EXPECT_TRUE(textosLog().contains(Q(l))) << l;

  const struct {
    const char* texto;
    bool ok;
    double valor;
  } cantidades[] = {{"", true, 0}, {" 12 ", true, 12}, {".5", true, 0.5}, {"1.2.3", false, 0},
                    {"1,5", false, 0}, {"-", false, 0}, {"1e3", false, 0}};
  for (const auto& c : cantidades) {
    double v = 0;
    EXPECT_EQ(pedidos::leerCantidad(Q(c.texto), v), c.ok) << c.texto;
    if (c.ok) EXPECT_EQ(v, c.valor) << c.texto;
  }
  EXPECT_EQ(pedidos::textoCantidad(2.5), Q("2.5"));
}

}  // namespace
