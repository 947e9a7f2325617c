// The main window: its menu tree, toolbar and buttons, the About box, leaving
// the program, and what the window does around every command.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QToolBar>

#include "app/comandos.h"
#include "consolidation/form2.h"
#include "app/gridmodel.h"
#include "app/gridview.h"
#include "app/mainwindow.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

class VentanaTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  std::unique_ptr<MainWindow> abrir() {
    auto w = std::make_unique<Ventana>(carpeta(), &prompter, &reloj);
    w->show();
    QApplication::setActiveWindow(w.get());
    apoyo::procesar();
    return w;
  }

  // The menu tree as lines "name|caption", submenu entries indented by two
  // blanks; a separator shows as "name|-".
  static void arbol(const QMenu* m, int nivel, QStringList& salida) {
    for (const QAction* a : m->actions()) {
      const QString sangria(nivel * 2, QLatin1Char(' '));
      salida.append(sangria + a->objectName() + QLatin1Char('|') + (a->isSeparator() ? QStringLiteral("-") : a->text()));
      if (a->menu()) arbol(a->menu(), nivel + 1, salida);
    }
  }
  int cuenta(const QString& linea) const { return static_cast<int>(textosLog().count(linea)); }
};

TEST_F(VentanaTest, ArbolDeMenusExacto) {
  auto w = abrir();
  QStringList real;
  for (const QAction* a : w->menuBar()->actions()) {
    real.append(a->objectName() + QLatin1Char('|') + a->text());
    arbol(a->menu(), 1, real);
  }
  const QStringList esperado = {
      Q("archivo|&Archivo"),
      Q("  nuevaforma|&Nuevo"),
      Q("  abrirarchiv|&Abrir"),
      Q("  importararchivo|&Importar"),
      Q("    importararchiv|Archivo INF"),
      Q("    arrch_tabulador|Archivo delimitado por Tabuladores"),
      Q("  arch_env|Crear archivo a enviar"),
      Q("  etiquetas|Etiquetas de contenedor..."),
      Q("  listaempaque|Lista de empaque..."),
      Q("  revisaraviso|Revisar aviso..."),
      Q("  guardar_actual|Guardar"),
      Q("  guardararchiv|&Guardar como ..."),
      Q("  recuperar|Recuperar trabajo..."),
      Q("  separación1|-"),
      Q("  enviararchiv|&Enviar"),
      Q("  separación2|-"),
      Q("  reciente1|"),
      Q("  reciente2|"),
      Q("  reciente3|"),
      Q("  reciente4|"),
      Q("  reciente5|"),
      Q("  separación3|-"),
      Q("  saliraplic|&Salir"),
      Q("editar|&Editar"),
      Q("  deshacer|Deshacer"),
      Q("  rehacer|Rehacer"),
      Q("  sepDeshacer|-"),
      Q("  cortar|Cortar"),
      Q("  copiar|Copiar"),
      Q("  pegar|Pegar"),
      Q("  suprimir|Suprimir celda"),
      Q("  eliminar_ren|Eliminar renglones"),
      Q("  sep|-"),
      Q("  separar|Separar contenedor en"),
      Q("    two|Dos Renglón"),
      Q("    three|Tres renglones "),
      Q("    four|Cuatro Renglones"),
      Q("    five|Cinco Renglones"),
      Q("    ten|Diez Renglones"),
      Q("    mult_renglones|Múltiples renglones"),
      Q("  duplicar|Duplicar renglón"),
      Q("    uno|Un Renglón"),
      Q("    dos|Dos Renglones"),
      Q("    cinco|Cinco Renglones"),
      Q("    diez|Diez Renglones"),
      Q("  separador3|-"),
      Q("  insertar|&Insertar renglón"),
      Q("  borrar|&Borrar renglón"),
      Q("  separador4|-"),
      Q("  buscar|Buscar..."),
      Q("  marcado|Siguiente renglón marcado"),
      Q("configaplic|&Configuración"),
      Q("  generales|&Datos Generales"),
      Q("  separador|-"),
      Q("  ftp|&Conexión FTP"),
      Q("help|&?"),
      Q("  guia|Guía del usuario"),
      Q("  acerca|&Acerca de ..."),
  };
  EXPECT_EQ(real, esperado);
  apoyo::captura(*w, Q("ventana_inicio"));
}

TEST_F(VentanaTest, BarraConImagenesYBotonesConSusTextos) {
  auto w = abrir();
  auto* barra = w->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  ASSERT_NE(barra, nullptr);
  QStringList real;
  for (const QAction* a : barra->actions()) {
    if (a->isSeparator() || a->objectName().isEmpty()) continue;
    real.append(a->objectName() + QLatin1Char('|') + a->toolTip());
    EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
    EXPECT_FALSE(a->icon().pixmap(32, 32).isNull()) << a->objectName().toStdString();
  }
  const QStringList esperado = {
      Q("b_nuevo| NUEVO ARCHIVO "),   Q("b_abrir| ABRIR ARCHIVO "), Q("b_save| GUARDAR ARCHIVO "),
      Q("b_import| IMPORTAR ARCHIVO "), Q("b_enviar| ENVIAR "),      Q("b_cut| CORTAR "),
      Q("b_copy| COPIAR "),           Q("b_paste| PEGAR "),         Q("b_separar| SEPARAR CONTENEDOR "),
      Q("b_duplicar|DUPLICAR RENGLÓN")};
  EXPECT_EQ(real, esperado);

  const std::tuple<const char*, const char*, const char*> botones[] = {
      {"abrir", "A&brir", "Abrir un archivo previamente guardado"},
      {"guardar", "&Guardar", "Guardar archivo en el disco"},
      {"enviar", "E&nviar", "Subir información al servidor via FTP"},
      {"cancelar", "&Cancelar", "Subir información al servidor via FTP"},
      {"Importar", "&Importar", "Subir información al servidor via FTP"},
      {"salir", "&Salir", ""},
      {"Command1", "Eliminar varios rangos", ""}};
  for (const auto& [nombre, texto, tip] : botones) {
    auto* b = w->findChild<QPushButton*>(QString::fromLatin1(nombre));
    ASSERT_NE(b, nullptr) << nombre;
    EXPECT_EQ(b->text(), Q(texto));
    EXPECT_EQ(b->toolTip(), Q(tip));
  }
  // Widgets carry the system's names.
  for (const char* n : {"vaspread1", "vaSpread9", "vaSpread5", "Combo1", "Combo2", "Combo3", "DTPicker1_4",
                        "Text1_2", "Text1_3", "Text1_6", "Text1_7", "StatusBar1", "ProgressBar1", "Output"})
    EXPECT_NE(w->findChild<QWidget*>(QString::fromLatin1(n)), nullptr) << n;
}

TEST_F(VentanaTest, AcercaDeYConexionFtp) {
  auto w = abrir();
  w->accion(QStringLiteral("acerca"))->trigger();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  const Mensaje& m = prompter.mensajes[0];
  const QStringList lineas = m.texto.split(QStringLiteral("\r\n"));
  EXPECT_EQ(lineas.value(0), Q("  AVISO DE VORARIDO ver 9.4"));
  EXPECT_TRUE(lineas.contains(kAvisoFabricante));
  EXPECT_EQ(lineas.last(), kSitioWeb);
  EXPECT_TRUE(kSitioWeb.startsWith(Q("https://")));
  EXPECT_EQ(m.icono, Icono::Ninguno);
  EXPECT_EQ(m.botones, Botones::Ok);
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----acerca_Click")), 1);

  // "Conexión FTP" is there, enabled, and does nothing.
  QAction* ftp = w->accion(QStringLiteral("ftp"));
  ASSERT_NE(ftp, nullptr);
  const int lineasAntes = static_cast<int>(textosLog().size());
  ftp->trigger();
  EXPECT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(static_cast<int>(textosLog().size()), lineasAntes);
}

TEST_F(VentanaTest, CerrarYArchivoSalirTerminanSinPreguntar) {
  {
    auto w = abrir();
    w->ws().vaspread1.setRowTexts(1, {Q("1"), Q("2")});
    w->close();
    EXPECT_TRUE(w->terminado());
    EXPECT_TRUE(prompter.mensajes.empty());
  }
  auto w = abrir();
  w->ws().vaspread1.setRowTexts(1, {Q("1"), Q("2")});
  w->accion(QStringLiteral("saliraplic"))->trigger();
  EXPECT_TRUE(w->terminado());
  EXPECT_TRUE(prompter.mensajes.empty());
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----saliraplic_Click")), 1);
}

TEST_F(VentanaTest, NuevoLimpiaYLaVentanaLoMuestra) {
  auto w = abrir();
  EXPECT_EQ(w->windowTitle(), Q("AVISO DE VORARIDO ver 9.4"));
  EXPECT_EQ(w->vistaDetalle()->model()->columnCount(), 15);
  EXPECT_EQ(w->vistaDetalle()->model()->headerData(14, Qt::Horizontal).toString(), Q("CONTENEDOR"));
  EXPECT_TRUE(QFile::exists(carpeta() + Q("/dudizod.ini")));
  w->ws().vaspread1.setRowTexts(1, {Q("1"), Q("2")});
  w->ws().vaSpread9.setRowTexts(1, {Q("1")});
  EXPECT_EQ(w->vistaDetalle()->model()->rowCount(), 1);
  w->accion(QStringLiteral("b_nuevo"))->trigger();
  EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 0);
  EXPECT_EQ(w->vistaDetalle()->model()->rowCount(), 0);
  EXPECT_EQ(w->ws().vaSpread9.dataRowCount(), 0);
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----b_nuevo_Click")), 1);
  EXPECT_EQ(cuenta(Q("TERMINO EL EVENTO-----b_nuevo_Click")), 1);
  w->accion(QStringLiteral("nuevaforma"))->trigger();
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----nuevaforma_Click")), 2);
}

TEST_F(VentanaTest, UnComandoNoEntraMientrasOtroCorreYElPunteroVuelve) {
  auto w = abrir();
  int corridas = 0;
  bool dentro = false;
  EXPECT_TRUE(w->ejecutar([&] {
    ++corridas;
    EXPECT_TRUE(w->ocupado());
    w->ws().ocupado(true);
    w->ws().progresoMaximo = 10;
    w->ws().progreso = 4;
    w->refrescar();
    auto* barra = w->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    EXPECT_EQ(barra->value(), 4);
    // A click on a menu item meanwhile is refused.
    dentro = w->ejecutar([&] { ++corridas; });
    w->accion(QStringLiteral("b_nuevo"))->trigger();
  }));
  EXPECT_FALSE(dentro);
  EXPECT_EQ(corridas, 1);
  EXPECT_FALSE(w->ocupado());
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----b_nuevo_Click")), 0);

  // With the window's own prompter the busy pointer shows and goes.
  {
    Ventana propia(carpeta(), nullptr, &reloj);
    propia.ejecutar([&] {
      propia.ws().ocupado(true);
      ASSERT_NE(QApplication::overrideCursor(), nullptr);
      EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    });
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }

  // A command that throws still gives the pointer back, with the error shown and logged.
  w->ejecutar([&] { throw std::runtime_error("falla"); });
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Error inesperado # 5\r\nfalla"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Critico);
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("DUDIZOD"));
  EXPECT_EQ(cuenta(Q("Error inesperado # 5\r\nfalla").split(Q("\r\n")).first()), 1);
  EXPECT_FALSE(w->ocupado());
}

TEST_F(VentanaTest, CamposDelEncabezadoPasanPorSusFiltros) {
  auto w = abrir();
  auto* numero = w->findChild<QLineEdit*>(QStringLiteral("Text1_3"));
  auto* importe = w->findChild<QLineEdit*>(QStringLiteral("Text1_7"));
  auto* factura = w->findChild<QLineEdit*>(QStringLiteral("Text1_6"));
  ASSERT_TRUE(numero && importe && factura);
  EXPECT_EQ(numero->maxLength(), 4);
  EXPECT_EQ(importe->maxLength(), 11);
  EXPECT_EQ(factura->maxLength(), 13);
  numero->setFocus();
  apoyo::procesar();
  apoyo::escribir(numero, Q("a-ñ1"));
  EXPECT_EQ(numero->text(), Q("AÑ1"));
  EXPECT_EQ(w->ws().Text1[3], Q("AÑ1"));
  EXPECT_EQ(prompter.beeps, 1);
  QTest::keyClick(numero, Qt::Key_Backspace);
  EXPECT_EQ(w->ws().Text1[3], Q("AÑ"));

  importe->setFocus();
  apoyo::procesar();
  apoyo::escribir(importe, Q("12,.5"));
  EXPECT_EQ(prompter.beeps, 2);
  factura->setFocus();  // leaving the amount formats it
  apoyo::procesar();
  EXPECT_EQ(importe->text(), Q("12.50"));
  EXPECT_EQ(w->ws().Text1[7], Q("12.50"));

  // The hour list and the delivery date reach the workspace.
  auto* hora = w->findChild<QComboBox*>(QStringLiteral("Combo3"));
  ASSERT_EQ(hora->count(), 9);
  EXPECT_EQ(hora->currentIndex(), -1);
  hora->setCurrentIndex(2);
  emit hora->activated(2);
  apoyo::procesar();
  EXPECT_EQ(w->ws().Combo3.texto, Q("09:00"));
  auto* fecha = w->findChild<QDateEdit*>(QStringLiteral("DTPicker1_4"));
  EXPECT_EQ(fecha->minimumDate(), QDate(2026, 12, 7));
  fecha->setDate(QDate(2026, 12, 9));
  apoyo::procesar();
  EXPECT_EQ(w->ws().Text1[4], Q("09/12/2026"));
  prompter.limpiar();
  fecha->setDate(QDate(2026, 12, 12));  // a Saturday
  apoyo::procesar();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("No se pueden seleccionar Sábados y Domingos"));
  EXPECT_EQ(prompter.mensajes[0].titulo, Q("Aviso"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Informacion);
  EXPECT_EQ(fecha->date(), QDate(2026, 12, 7));
  EXPECT_EQ(w->ws().Text1[4], Q("09/12/2026"));
}

// The consolidation dialog answered with the orders given, then Aceptar.
std::function<void(DialogoModelo&)> consolidar(const QStringList& entradas) {
  return [entradas](DialogoModelo& d) {
    auto* f2 = dynamic_cast<Form2Modelo*>(&d);
    if (!f2) return;
    for (const QString& e : entradas) {
      EXPECT_TRUE(f2->seleccionarList1(e)) << e.toStdString();
      f2->Command1_Click();
    }
    f2->Command2_Click();
  };
}

QString datos(const char* nombre) {
  return QStringLiteral(AVISO_APP_DATOS "/") + QString::fromLatin1(nombre);
}

TEST_F(VentanaTest, LaImagenImportarTraeLasOrdenesConsolidadas) {
  auto w = abrir();
  // Before an import the edit menu and the clipboard images are off.
  EXPECT_FALSE(w->accion(QStringLiteral("editar"))->isEnabled());
  EXPECT_FALSE(w->accion(QStringLiteral("b_cut"))->isEnabled());
  EXPECT_FALSE(w->findChild<QComboBox*>(QStringLiteral("Combo2"))->isEnabled());
  w->ws().sinvalidar = true;
  prompter.archivosAbrir.push_back(datos("dos_ordenes.inf"));
  prompter.alDialogo = consolidar({Form2Modelo::textoEntrada(Q("4500007001"), Q("210")),
                                   Form2Modelo::textoEntrada(Q("4500007002"), Q("210"))});
  w->accion(QStringLiteral("b_import"))->trigger();
  EXPECT_EQ(prompter.dialogosVistos, QStringList{Q("Form2")});
  EXPECT_FALSE(w->ws().sinvalidar);  // the toolbar image clears it
  EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 3);
  EXPECT_EQ(w->vistaDetalle()->model()->rowCount(), 3);
  EXPECT_EQ(w->vistaPedidos()->model()->rowCount(), 2);
  EXPECT_EQ(w->vistaPedidos()->model()->index(0, 1).data().toString(), Q("Pedido Múltiple"));
  EXPECT_EQ(w->vistaResumen()->model()->index(0, 0).data().toString(), Q("210"));
  EXPECT_TRUE(w->accion(QStringLiteral("editar"))->isEnabled());
  EXPECT_FALSE(w->findChild<QComboBox*>(QStringLiteral("Combo2"))->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----b_import_Click")), 1);
  apoyo::captura(*w, Q("ventana_importada"));

  // The menu item and the button run the same import.
  prompter.archivosAbrir.push_back(datos("dos_ordenes.inf"));
  prompter.alDialogo = consolidar({Form2Modelo::textoEntrada(Q("4500007003"), Q("330"))});
  w->accion(QStringLiteral("importararchiv"))->trigger();
  EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 1);
  EXPECT_EQ(w->ws().vaSpread9.dropDownList(2, 1), QStringList{Q("Alta")});
  prompter.archivosAbrir.clear();  // cancelled open dialog: nothing else happens
  w->findChild<QPushButton*>(QStringLiteral("Importar"))->click();
  EXPECT_EQ(prompter.dialogosVistos.size(), 2);
  EXPECT_EQ(prompter.dialogosArchivo.size(), 3u);
  EXPECT_EQ(prompter.dialogosArchivo.back().titulo, Q("Selección de archivo para Importar"));
}

TEST_F(VentanaTest, DespuesDelArchivoDeTabuladoresLaVentanaEsperaLaOrden) {
  auto w = abrir();
  prompter.archivosAbrir.push_back(QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tab.txt"));
  // The tab-delimited import sits in a submenu; its action runs it.
  w->accion(QStringLiteral("arrch_tabulador"))->trigger();
  apoyo::procesar();
  ASSERT_FALSE(prompter.mensajes.empty());
  EXPECT_EQ(prompter.ultimo(), Q("Por favor seleccione una orden de compra!"));
  auto* combo2 = w->findChild<QComboBox*>(QStringLiteral("Combo2"));
  EXPECT_TRUE(combo2->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), combo2);
  EXPECT_FALSE(w->accion(QStringLiteral("archivo"))->isEnabled());
  EXPECT_FALSE(w->findChild<QLineEdit*>(QStringLiteral("Text1_3"))->isEnabled());

  // Leaving the list without a choice is refused, every time.
  for (int vez = 1; vez <= 2; ++vez) {
    prompter.limpiar();
    w->vistaDetalle()->setFocus(Qt::TabFocusReason);
    apoyo::procesar();
    ASSERT_EQ(prompter.mensajes.size(), 1u) << vez;
    EXPECT_EQ(prompter.mensajes[0].texto, Q("No puede seguir si NO selecciona una orden de compra!"));
    EXPECT_EQ(prompter.mensajes[0].titulo, Q("DUDIZOD"));
    EXPECT_EQ(QApplication::focusWidget(), combo2);
  }

  const int i = combo2->findText(Q("7700001"));
  ASSERT_GE(i, 0);
  combo2->setCurrentIndex(i);
  emit combo2->activated(i);
  apoyo::procesar();
  EXPECT_FALSE(combo2->isEnabled());
  EXPECT_TRUE(w->accion(QStringLiteral("archivo"))->isEnabled());
  EXPECT_TRUE(w->findChild<QLineEdit*>(QStringLiteral("Text1_3"))->isEnabled());
  const int filas = w->ws().vaspread1.dataRowCount();
  ASSERT_GT(filas, 0);
  EXPECT_EQ(w->vistaDetalle()->model()->rowCount(), filas);
  for (int r = 1; r <= filas; ++r) EXPECT_EQ(w->ws().vaspread1.text(1, r), Q("7700001"));
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO-----Combo2_Click")), 1);

  // The movement type: Text1(2) hands over to Combo1.
  auto* tipo = w->findChild<QLineEdit*>(QStringLiteral("Text1_2"));
  auto* combo1 = w->findChild<QComboBox*>(QStringLiteral("Combo1"));
  tipo->setFocus(Qt::TabFocusReason);
  apoyo::procesar();
  EXPECT_TRUE(combo1->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), combo1);
  combo1->setCurrentIndex(1);
  emit combo1->activated(1);
  apoyo::procesar();
  EXPECT_EQ(w->ws().Text1[2], Q("Baja"));
  EXPECT_EQ(tipo->text(), Q("Baja"));
  w->findChild<QLineEdit*>(QStringLiteral("Text1_3"))->setFocus(Qt::TabFocusReason);
  apoyo::procesar();
  EXPECT_FALSE(combo1->isVisible());
}

}  // namespace
