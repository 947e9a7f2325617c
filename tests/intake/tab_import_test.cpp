#include "intake/tab_import.h"

#include <QFile>

#include "fixture.h"
#include "intake/order_selection.h"

namespace {

const QString kDatos = QStringLiteral(AVISO_TEST_DATA "/intake/");

class TabImportTest : public WorkspaceTest {
 protected:
  void importar(const QString& ruta) {
    prompter.archivosAbrir.push_back(ruta);
    arrch_tabulador_Click(*ws);
  }
  QString archivo(const char* nombre, const QStringList& lineas) {
    return escribir(Q(nombre), texto::unirLineas(lineas));
  }
  void elegirOrden(const QString& oc) {
    ws->Combo2.indice = static_cast<int>(ws->Combo2.entradas.indexOf(oc));
    ws->Combo2.texto = oc;
    Combo2_Click(*ws);
  }
  QStringList columna(const Grid& g, int col) const {
    QStringList t;
    for (int r = 1; r <= g.dataRowCount(); ++r) t.append(g.text(col, r));
    return t;
  }
  static QStringList bloqueados() {
    return {Q("Combo1"), Q("Text1_2"), Q("Text1_3"), Q("Text1_4"), Q("Text1_5"), Q("Text1_6"), Q("Text1_7"),
            Q("b_nuevo"), Q("b_abrir"), Q("b_save"), Q("b_cut"), Q("b_copy"), Q("b_paste"), Q("b_separar"),
            Q("b_duplicar"), Q("b_import"), Q("b_enviar"), Q("archivo"), Q("editar"), Q("configaplic"),
            Q("help"), Q("DTPicker1_4")};
  }
};

TEST_F(TabImportTest, EncabezadoComoRenglonUnoHastaLaEleccion) {
  ws->Text1[3] = Q("AB12");
  importar(kDatos + QStringLiteral("pedidos_tab.txt"));
  ASSERT_EQ(prompter.dialogosArchivo.size(), 1u);
  const DialogoArchivo& d = prompter.dialogosArchivo[0];
  EXPECT_EQ(d.titulo, Q("Selección de archivo para Importar"));
  EXPECT_EQ(d.filtro, Q("Archivo tipo txt|*.txt|Archivo de Texto |*.txt"));
  EXPECT_EQ(d.nombre, Q("*.txt"));
  EXPECT_EQ(d.carpetaInicial, carpeta());

  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Por favor seleccione una orden de compra!"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("DUDIZOD"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Ninguno);
  EXPECT_EQ(ws->foco, Q("Combo2"));
  // Same order in two departments: one entry.
  EXPECT_EQ(ws->Combo2.entradas, (QStringList{Q("7700001"), Q("7700002")}));
  EXPECT_TRUE(ws->habilitado(Q("Combo2")));
  EXPECT_TRUE(ws->habilitado(Q("Text2")));
  for (const QString& c : bloqueados()) EXPECT_FALSE(ws->habilitado(c)) << c.toStdString();
  EXPECT_TRUE(ws->Text1[3].isEmpty());

  for (const Grid* g : {&ws->vaspread1, &ws->vaSpread6}) {
    ASSERT_EQ(g->dataRowCount(), 7) << g->name().toStdString();
    EXPECT_EQ(g->text(1, 1), Q("ORDEN"));
    EXPECT_EQ(g->text(3, 1), Q("FECHA EMBARQUE"));
    EXPECT_EQ(columna(*g, 3).mid(1), (QStringList{Q("01/12/26"), Q("01/12/26"), Q("02/12/26"), Q("01/12/26"),
                                                  Q("01/12/26"), Q("01/12/26")}));
    EXPECT_EQ(g->text(4, 2), Q("18/12/26"));
    EXPECT_EQ(g->text(4, 7), Q("pendiente"));  // no date: unchanged
    EXPECT_EQ(g->text(14, 7), Q("T1"));         // field 14 is taken over
    EXPECT_EQ(g->text(7, 7), Q("sin modelo"));
    EXPECT_EQ(g->text(9, 7), Q("sin color"));
    EXPECT_EQ(g->text(10, 7), Q("sin talla"));
    EXPECT_EQ(g->text(7, 4), Q("PANTALÓN"));
  }
  EXPECT_EQ(ws->vaspread1.colLimit(), 15);
  EXPECT_EQ(ws->vaSpread5.rowTexts(1), (QStringList{Q("DEPTO"), Q("FECHA EMBARQUE"), Q("FECHA CANCELACION")}));
  EXPECT_EQ(ws->vaSpread3.dataRowCount(), 0);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
  EXPECT_EQ(ws->vaspread1.activeCol(), 11);

  // Leaving the list before choosing is refused, every time.
  prompter.limpiar();
  ws->foco.clear();
  Combo2_LostFocus(*ws);
  Combo2_LostFocus(*ws);
  ASSERT_EQ(prompter.mensajes.size(), 2u);
  EXPECT_EQ(prompter.mensajes[1].texto, Q("No puede seguir si NO selecciona una orden de compra!"));
  EXPECT_EQ(prompter.mensajes[1].titulo, Q("DUDIZOD"));
  EXPECT_EQ(ws->foco, Q("Combo2"));
}

TEST_F(TabImportTest, EleccionFiltraFusionaYOrdenaAmbasTablas) {
  importar(kDatos + QStringLiteral("pedidos_tab.txt"));
  prompter.limpiar();
  elegirOrden(Q("7700001"));
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_FALSE(ws->habilitado(Q("Combo2")));
  for (const Grid* g : {&ws->vaspread1, &ws->vaSpread6}) {
    // Store 0105, SKU 55001: 2, empty and 5 give 7; the same SKU in store 0104 stays apart.
    EXPECT_EQ(columna(*g, 5), (QStringList{Q("0104"), Q("0104"), Q("0105")})) << g->name().toStdString();
    EXPECT_EQ(columna(*g, 6), (QStringList{Q("55001"), Q("55003"), Q("55001")}));
    EXPECT_EQ(columna(*g, 11), (QStringList{Q("3"), Q("7"), Q("7")}));
    EXPECT_EQ(columna(*g, 1), QStringList(3, Q("7700001")));
  }
  EXPECT_EQ(ws->vaSpread5.rowTexts(1), (QStringList{Q("210"), Q("01/12/26"), Q("18/12/26")}));
  // The chosen order has its header row, as a single consolidated order would.
  ASSERT_EQ(ws->vaSpread9.dataRowCount(), 1);
  EXPECT_EQ(ws->vaSpread9.rowTexts(1), (QStringList{Q("7700001"), QString(), QString(), QString(), QString(),
                                                     Q("210"), Q("07/12/2026"), Q("18/12/2026")}));
  EXPECT_EQ(ws->vaSpread9.dropDownList(2, 1), QStringList{Q("Alta")});
  EXPECT_FALSE(ws->vaSpread9.locked(2, 1));
  for (const QString& c : bloqueados())
    if (c != Q("Text1_5")) EXPECT_TRUE(ws->habilitado(c)) << c.toStdString();
  EXPECT_TRUE(ws->habilitado(Q("Combo3")));
  EXPECT_TRUE(ws->panel[3].isEmpty());
  EXPECT_EQ(ws->foco, Q("vaspread1"));

  const QStringList log = textosLog();
  const int i = log.indexOf(Q("ENTRO AL EVENTO-----Combo2_Click"));
  ASSERT_GE(i, 0);
  EXPECT_EQ(log.mid(i), (QStringList{
                            Q("ENTRO AL EVENTO-----Combo2_Click"),
                            Q("ENTRO AL EVENTO-----Combo2_Click-----Hace la selección de orden de compra en vaspread1"),
                            Q("ENTRO AL EVENTO-----Combo2_Click-----Hace la selección de orden de compra en vaspread6"),
                            Q("ENTRO AL EVENTO-----Combo2_Click-----Ordenar por tienda"),
                            Q("ENTRO AL EVENTO-----Combo2_Click-----Ordenar por SKU"),
                            Q("ENTRO AL EVENTO-----Combo2_Click-----Ordenar por color"),
                            Q("TERMINO EL EVENTO-----Combo2_Click"),
                        }));
  // One choice per import.
  prompter.limpiar();
  Combo2_LostFocus(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());
  elegirOrden(Q("7700002"));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 3);
}

TEST_F(TabImportTest, TextoQueNoEstaEnLaListaNoEsEleccion) {
  importar(kDatos + QStringLiteral("pedidos_tab.txt"));
  elegirOrden(Q("9999"));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 7);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 7);
  EXPECT_TRUE(ws->habilitado(Q("Combo2")));
  EXPECT_FALSE(ws->habilitado(Q("archivo")));
  // As after opening a work file: an open but empty list chooses nothing.
  ws->Combo2.vaciar();
  Combo2_Click(*ws);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 7);
}

TEST_F(TabImportTest, CantidadQueNoEsNumeroQuedaAparte) {
  const QString ruta = archivo("q.txt", {Q("E"), Q("1\t1\t\t\t5\t6\t\t\t\t\t2"), Q("1\t1\t\t\t5\t6\t\t\t\t\tdos"),
                                          Q("1\t1\t\t\t5\t6\t\t\t\t\t 1.5 "), Q("1\t1\t\t\t5\t6\t\t\t\t\t3")});
  importar(ruta);
  elegirOrden(Q("1"));
  EXPECT_EQ(columna(ws->vaspread1, 11), (QStringList{Q("6.5"), Q("dos")}));
  EXPECT_EQ(columna(ws->vaSpread6, 11), (QStringList{Q("6.5"), Q("dos")}));
}

TEST_F(TabImportTest, FechasDeCuatroYDosDigitos) {
  const QString ruta = archivo("f.txt", {Q("E"), Q("1\t1\t5/3/2027\t15/03/1925\t1"), Q("1\t1\t05/03/27\t2031-01-09\t2"),
                                          Q("1\t1\t32/01/27\t\t3"), Q("1\t1\t1/1/29\t1/1/30\t4")});
  importar(ruta);
  EXPECT_EQ(columna(ws->vaspread1, 3).mid(1), (QStringList{Q("05/03/27"), Q("05/03/27"), Q("32/01/27"), Q("01/01/29")}));
  // Years outside 1930-2029 keep four digits, so that they read back as the same date.
  EXPECT_EQ(columna(ws->vaspread1, 4).mid(1), (QStringList{Q("15/03/1925"), Q("09/01/2031"), QString(), Q("01/01/30")}));
  elegirOrden(Q("1"));
  EXPECT_EQ(ws->vaSpread9.text(8, 1), Q("15/03/1925"));
}

TEST_F(TabImportTest, ArchivoSinEncabezado) {
  const QString ruta = archivo("s.txt", {Q("10\t1\t\t\t5\tA"), Q("20\t1\t\t\t5\tB"), Q("10\t1\t\t\t6\tC")});
  importar(ruta);
  // The first line is loaded, but its order is offered only because it comes back.
  EXPECT_EQ(ws->Combo2.entradas, (QStringList{Q("20"), Q("10")}));
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 3);
  elegirOrden(Q("10"));
  EXPECT_EQ(columna(ws->vaspread1, 6), (QStringList{Q("A"), Q("C")}));
}

TEST_F(TabImportTest, SoloEncabezadoDejaLaVentanaBloqueada) {
  const QString ruta = archivo("e.txt", {Q("ORDEN\tDEPTO\tFECHA\tFECHA\tTIENDA\tSKU")});
  importar(ruta);
  EXPECT_TRUE(ws->Combo2.entradas.isEmpty());
  ASSERT_EQ(ws->vaspread1.dataRowCount(), 1);
  EXPECT_EQ(ws->vaspread1.text(10, 1), Q("sin talla"));
  for (const QString& c : bloqueados()) EXPECT_FALSE(ws->habilitado(c)) << c.toStdString();
  prompter.limpiar();
  Combo2_LostFocus(*ws);
  EXPECT_EQ(prompter.ultimo(), Q("No puede seguir si NO selecciona una orden de compra!"));
}

TEST_F(TabImportTest, EmpiezaConElAreaDeTrabajoLimpia) {
  // An earlier, longer import leaves nothing behind.
  for (int r = 1; r <= 10; ++r) {
    ws->vaspread1.setText(1, r, Q("viejo"));
    ws->vaSpread6.setText(1, r, Q("viejo"));
  }
  ws->vaSpread9.setText(1, 1, Q("viejo"));
  const QString ruta = archivo("n.txt", {Q("E"), Q("1\t1\t\t\t5\t6")});
  importar(ruta);
  EXPECT_EQ(ws->vaspread1.dataRowCount(), 2);
  EXPECT_EQ(ws->vaSpread6.dataRowCount(), 2);
  EXPECT_EQ(ws->vaSpread9.dataRowCount(), 0);
  elegirOrden(Q("1"));
  EXPECT_EQ(ws->vaSpread9.text(1, 1), Q("1"));
}

TEST_F(TabImportTest, DialogoCanceladoOArchivoMaloNoTocaNada) {
  ws->vaspread1.setText(1, 1, Q("trabajo"));
  arrch_tabulador_Click(*ws);  // cancelled
  prompter.archivosAbrir.push_back(Q("*.txt"));
  arrch_tabulador_Click(*ws);
  EXPECT_TRUE(prompter.mensajes.empty());

  const QString binario = escribir(Q("b.txt"), QByteArray("OC\t1\0\0\0", 7));
  importar(binario);
  const QString vacio = escribir(Q("v.txt"), QByteArray("\r\n"));
  importar(vacio);
  importar(carpeta() + Q("/falta.txt"));
  ASSERT_EQ(prompter.mensajes.size(), 3u);
  EXPECT_EQ(prompter.mensajes[0].texto,
            Q("El archivo: ") + binario + Q(" no es un archivo de texto con órdenes de compra.\r\nNo se cargó ningún dato."));
  EXPECT_EQ(prompter.mensajes[1].texto, Q("El archivo: ") + vacio + Q(" no contiene órdenes de compra"));
  EXPECT_EQ(prompter.mensajes[2].texto, Q("El archivo: ") + carpeta() + Q("/falta.txt no se encuentra"));
  for (const Mensaje& m : prompter.mensajes) EXPECT_EQ(m.titulo, Q("Datos incorrectos"));
  EXPECT_EQ(ws->vaspread1.text(1, 1), Q("trabajo"));
  EXPECT_EQ(textosLog().last(), Q("TERMINO EL EVENTO-----arrch_tabulador_Click"));
}

TEST_F(TabImportTest, TiposDeMovimiento) {
  ws->Combo1.indice = 2;  // "Múltiples Pedidos!"
  ws->Text1[2] = Q("Baja");
  Combo1_Click(*ws);
  EXPECT_TRUE(ws->Text1[2].isEmpty());
  ws->Combo1.indice = 0;
  Combo1_Click(*ws);
  EXPECT_EQ(ws->Text1[2], Q("Alta"));
  ws->Combo1.indice = 1;
  Combo1_Click(*ws);
  EXPECT_EQ(ws->Text1[2], Q("Baja"));
  ws->Combo1.indice = -1;
  Combo1_Click(*ws);
  EXPECT_TRUE(ws->Text1[2].isEmpty());
  ws->tabStop(Q("Text1_2"), false);
  Combo1_LostFocus(*ws);
  EXPECT_FALSE(ws->controles[Q("Combo1")].visible);
  EXPECT_TRUE(ws->controles[Q("Text1_2")].tabStop);
  const QStringList log = textosLog();
  EXPECT_TRUE(log.contains(Q("ENTRO AL EVENTO-----Sub Combo1_Click")));
  EXPECT_TRUE(log.contains(Q("TERMINO EL EVENTO-----Sub Combo1_Click")));
  EXPECT_TRUE(log.contains(Q("TERMINO EL EVENTO-----Combo1_LostFocus")));
}

TEST(Cantidades, LecturaYTexto) {
  double v = -1;
  EXPECT_TRUE(pedidos::leerCantidad(QString(), v));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(pedidos::leerCantidad(Q(" 12 "), v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(pedidos::leerCantidad(Q(".5"), v));
  EXPECT_EQ(v, 0.5);
  EXPECT_FALSE(pedidos::leerCantidad(Q("1.2.3"), v));
  EXPECT_FALSE(pedidos::leerCantidad(Q("1,5"), v));
  EXPECT_FALSE(pedidos::leerCantidad(Q("-"), v));
  EXPECT_FALSE(pedidos::leerCantidad(Q("1e3"), v));
  EXPECT_EQ(pedidos::textoCantidad(7), Q("7"));
  EXPECT_EQ(pedidos::textoCantidad(2.5), Q("2.5"));
}

}  // namespace
