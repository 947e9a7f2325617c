// Every menu item, toolbar image and command button of the main window runs
// its own command: tried one by one on a window holding two imported lines,
// each leaves the trace, dialog or change of its command (and only the
// items without an action leave nothing).
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <functional>

#include "app/gridview.h"
#include "app/mainwindow.h"
#include "consolidation/form2.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

class VentanaMenusTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  // A window with the two lines of order 4500007001 imported and consolidated.
  std::unique_ptr<MainWindow> conLineas() {
    auto w = std::make_unique<Ventana>(carpeta(), &prompter, &reloj);
    w->show();
    QApplication::setActiveWindow(w.get());
    apoyo::procesar();
    prompter.archivosAbrir.push_back(QStringLiteral(AVISO_APP_DATOS "/dos_ordenes.inf"));
    prompter.alDialogo = [](DialogoModelo& d) {
      auto* f2 = dynamic_cast<Form2Modelo*>(&d);
      if (!f2) return;
      EXPECT_TRUE(f2->seleccionarList1(Form2Modelo::textoEntrada(Q("4500007001"), Q("210"))));
      f2->Command1_Click();
      f2->Command2_Click();
    };
    w->accion(QStringLiteral("importararchiv"))->trigger();
    apoyo::procesar();
    prompter.alDialogo = nullptr;
    prompter.dialogosVistos.clear();
    prompter.dialogosArchivo.clear();
    prompter.limpiar();
    EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 2);
    return w;
  }

  // What one command left behind, for the checks below.
  struct Huella {
    QStringList log;          // new log lines (date and time cut off)
    QStringList dialogos;     // forms opened
    QStringList archivos;     // titles of the file dialogs
    QStringList mensajes;     // texts of the messages shown
  };
  Huella probar(MainWindow& w, const QString& nombre) {
    const int antes = static_cast<int>(textosLog().size());
    if (QAction* a = w.accion(nombre)) {
      EXPECT_TRUE(a->isEnabled()) << nombre.toStdString();
      a->trigger();
    } else if (auto* b = w.findChild<QPushButton*>(nombre)) {
      EXPECT_TRUE(b->isEnabled()) << nombre.toStdString();
      b->click();
    } else {
      ADD_FAILURE() << "no control " << nombre.toStdString();
    }
    apoyo::procesar();
    Huella h;
    h.log = textosLog().mid(antes);
    h.dialogos = prompter.dialogosVistos;
    for (const DialogoArchivo& d : prompter.dialogosArchivo) h.archivos.append(d.titulo);
    h.mensajes = prompter.textos();
    return h;
  }
};

TEST_F(VentanaMenusTest, CadaElementoLlevaASuComando) {
  // (control, what its command leaves: a log line, a form, or a file dialog title)
  struct Caso {
    const char* nombre;
    const char* linea;
    const char* forma;
  };
  const Caso casos[] = {
      {"nuevaforma", "ENTRO AL EVENTO-----nuevaforma_Click", nullptr},
      {"b_nuevo", "TERMINO EL EVENTO-----b_nuevo_Click", nullptr},
      {"abrirarchiv", "ENTRO AL EVENTO-----abrir_archivo", nullptr},
      {"b_abrir", "ENTRO AL EVENTO-----abrir_archivo", nullptr},
      {"importararchiv", "ENTRO AL EVENTO-----importararchiv_Click", nullptr},
      {"b_import", "ENTRO AL EVENTO-----b_import_Click", nullptr},
      {"Importar", "ENTRO AL EVENTO-----Importar_Click", nullptr},
      {"arrch_tabulador", "ENTRO AL EVENTO-----arrch_tabulador_Click", nullptr},
      {"arch_env", "Entro al Evento-----arch_env_Click", nullptr},
      {"etiquetas", "ENTRO AL EVENTO-----etiquetas_Click", nullptr},
      {"listaempaque", "ENTRO AL EVENTO-----listaempaque_Click", nullptr},
      {"revisaraviso", "ENTRO AL EVENTO-----revisaraviso_Click", nullptr},
      {"b_enviar", "ENTRO AL EVENTO-----b_enviar_Click", nullptr},
      {"enviararchiv", "TERMINO EL EVENTO-----enviararchiv_Click", nullptr},
      {"guardararchiv", "ENTRO AL EVENTO-----guardar_informacion", nullptr},
      {"b_save", "ENTRO AL EVENTO-----b_save_Click", nullptr},
      {"guardar", "ENTRO AL EVENTO-----guardar_Click", nullptr},
      {"generales", "ENTRO AL EVENTO-----generales_Click", "Form5"},
      {"acerca", "ENTRO AL EVENTO-----acerca_Click", nullptr},
      {"two", nullptr, "Form6"},
      {"three", nullptr, "Form9"},
      {"four", nullptr, "Form10"},
      {"five", "ENTRO AL EVENTO-----five_Click", "Form7"},
      {"ten", nullptr, "Form8"},
      {"mult_renglones", "ENTRO AL EVENTO-----mult_renglones_Click", "Form3"},
      {"b_separar", "ENTRO AL EVENTO-----b_separar_Click", "Form3"},
      {"dos", "TERMINO EL EVENTO-----dos_Click", nullptr},
      {"cinco", "TERMINO EL EVENTO-----cinco_Click", nullptr},
      {"diez", "TERMINO EL EVENTO-----diez_Click()", nullptr},
      {"b_duplicar", "TERMINO EL EVENTO-----b_duplicar_Click", nullptr},
      {"insertar", "TERMINO EL EVENTO-----insertar_Click", nullptr},
      {"borrar", "TERMINO EL EVENTO-----borrar_Click", nullptr},
      {"eliminar_ren", "TERMINO EL EVENTO-----eliminar_ren_Click", nullptr},
      {"Command1", "TERMINO EL EVENTO-----Command1_Click", nullptr},
      {"suprimir", "TERMINO EL EVENTO----suprimir_Click", nullptr},
      {"pegar", "TERMINO EL EVENTO-----pegar_Click", nullptr},
      {"b_paste", "TERMINO EL EVENTO-----b_paste_Click", nullptr},
      {"salir", "ENTRO AL EVENTO-----salir_Click", nullptr},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    auto w = conLineas();
    const QString nombre = QString::fromLatin1(c.nombre);
    EXPECT_TRUE(w->conectado(nombre));
    const Huella h = probar(*w, nombre);
    if (c.linea) EXPECT_TRUE(h.log.contains(Q(c.linea))) << h.log.join(Q(" / ")).toStdString();
    if (c.forma) EXPECT_EQ(h.dialogos, QStringList{Q(c.forma)});
    EXPECT_FALSE(w->terminado());
  }

  // What leaves no trace of its own: "Un Renglón" duplicates the line,
  // the images and the item Cortar cut the grid's cell, b_copy copies it.
  {
    auto w = conLineas();
    w->ws().vaspread1.setActiveCell(11, 1);
    w->ws().alCambiar();
    probar(*w, Q("uno"));
    EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 3);
    EXPECT_EQ(w->ws().vaspread1.text(6, 2), w->ws().vaspread1.text(6, 1));
  }
  for (const char* corte : {"cortar", "b_cut"}) {
    SCOPED_TRACE(corte);
    auto w = conLineas();
    w->ws().vaspread1.setText(15, 1, Q("C00000001"));
    apoyo::clic(w->vistaDetalle(), 15, 1);
    probar(*w, QString::fromLatin1(corte));
    EXPECT_EQ(w->ws().vaspread1.text(15, 1), QString());
    EXPECT_EQ(w->ws().prompter.leerPortapapeles().trimmed(), Q("C00000001"));
  }
  {
    auto w = conLineas();
    w->ws().vaspread1.setText(15, 2, Q("C00000002"));
    apoyo::clic(w->vistaDetalle(), 15, 2);
    probar(*w, Q("b_copy"));
    EXPECT_EQ(w->ws().prompter.leerPortapapeles().trimmed(), Q("C00000002"));
    EXPECT_EQ(w->ws().vaspread1.text(15, 2), Q("C00000002"));
  }
  // "Copiar", "Conexión FTP", and the buttons abrir, enviar and cancelar do nothing.
  for (const char* nada : {"copiar", "ftp", "abrir", "enviar", "cancelar"}) {
    SCOPED_TRACE(nada);
    auto w = conLineas();
    const Huella h = probar(*w, QString::fromLatin1(nada));
    EXPECT_TRUE(h.log.isEmpty()) << h.log.join(Q(" / ")).toStdString();
    EXPECT_TRUE(h.mensajes.isEmpty());
    EXPECT_TRUE(h.dialogos.isEmpty());
    EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 2);
  }
  // Archivo > Salir ends the program.
  auto w = conLineas();
  const Huella h = probar(*w, Q("saliraplic"));
  EXPECT_TRUE(h.log.contains(Q("ENTRO AL EVENTO-----saliraplic_Click")));
  EXPECT_TRUE(h.mensajes.isEmpty());
  EXPECT_TRUE(w->terminado());
}

// Every item of the menu tree and every image of the toolbar is wired: none
// is left without a command (the menus and submenus open their items).
TEST_F(VentanaMenusTest, NingunElementoQuedaSinComando) {
  auto w = conLineas();
  QStringList sinComando;
  std::function<void(const QMenu*)> recorrer = [&](const QMenu* m) {
    for (const QAction* a : m->actions()) {
      if (a->isSeparator()) continue;
      if (a->menu()) {
        recorrer(a->menu());
        continue;
      }
      if (!w->conectado(a->objectName()) && a->objectName() != Q("saliraplic")) sinComando.append(a->objectName());
    }
  };
  for (const QAction* a : w->menuBar()->actions()) recorrer(a->menu());
  auto* barra = w->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  ASSERT_NE(barra, nullptr);
  for (const QAction* a : barra->actions())
    if (!a->isSeparator() && !a->objectName().isEmpty() && !w->conectado(a->objectName()))
      sinComando.append(a->objectName());
  for (const char* b : {"guardar", "Importar", "salir"})
    if (!w->conectado(QString::fromLatin1(b))) sinComando.append(QString::fromLatin1(b));
  EXPECT_TRUE(sinComando.isEmpty()) << sinComando.join(Q(", ")).toStdString();
}

}  // namespace
