// The window's ways to the work file: b_save, Archivo > Guardar como ... and
// the button guardar save it (salir's Yes too); Archivo > Abrir and b_abrir
// open it; the button abrir does nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QPushButton>

#include "app/mainwindow.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

class VentanaTrabajoTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  std::unique_ptr<MainWindow> abrir() {
    auto w = std::make_unique<Ventana>(carpeta(), &prompter, &reloj);
    w->show();
    apoyo::procesar();
    return w;
  }
  static void unaOrden(Workspace& w) {
    w.vaspread1.setRowTexts(1, {Q("4500000001"), Q("12"), Q("01/12/26"), Q("20/12/26"), Q("0101"), Q("77001"),
                                Q("MOD"), Q("7501"), Q("ROJO"), Q("CH"), Q("5")});
    w.vaSpread9.setRowTexts(1, {Q("4500000001"), Q("Alta"), Q("1234")});
  }
};

TEST_F(VentanaTrabajoTest, MenusBarraYBotonesLleganAGuardarYAbrir) {
  auto w = abrir();
  unaOrden(w->ws());
  const QString ruta = dir.filePath(Q("envio.006"));
  for (const char* n : {"b_save", "guardararchiv", "guardar"}) {
    QFile::remove(ruta);
    prompter.archivosGuardar.push_back(ruta);
    const size_t antes = prompter.dialogosArchivo.size();
    if (QAction* a = w->accion(Q(n))) a->trigger();
    else w->findChild<QPushButton*>(Q(n))->click();
    apoyo::procesar();
    ASSERT_EQ(prompter.dialogosArchivo.size(), antes + 1) << n;
    EXPECT_EQ(prompter.dialogosArchivo.back().titulo, Q("Guardar el archivo como:")) << n;
    EXPECT_TRUE(QFile::exists(ruta)) << n;
  }
  EXPECT_EQ(textosLog().count(Q("ENTRO AL EVENTO-----b_save_Click")), 1);
  EXPECT_EQ(textosLog().count(Q("ENTRO AL EVENTO-----guardar_Click")), 1);

  for (const char* n : {"abrirarchiv", "b_abrir"}) {
    w->ws().vaspread1.deleteAllRows();
    w->ws().vaSpread9.deleteAllRows();
    prompter.archivosAbrir.push_back(ruta);
    w->accion(Q(n))->trigger();
    apoyo::procesar();
    EXPECT_EQ(prompter.dialogosArchivo.back().titulo, Q("Selección de archivo para Abrir")) << n;
    EXPECT_EQ(w->ws().vaspread1.text(2, 1), Q("0012")) << n;
    EXPECT_EQ(w->ws().vaSpread9.dataRowCount(), 1) << n;
    EXPECT_TRUE(w->ws().vaSpread9.locked(2, 1)) << n;
  }
  EXPECT_TRUE(prompter.mensajes.empty());

  // The button abrir has no action.
  const size_t dialogos = prompter.dialogosArchivo.size();
  w->findChild<QPushButton*>(Q("abrir"))->click();
  apoyo::procesar();
  EXPECT_EQ(prompter.dialogosArchivo.size(), dialogos);
  EXPECT_FALSE(w->conectado(Q("abrir")));

  // salir, Yes: the save of the button guardar; the window stays open.
  prompter.respuestas.push_back(Respuesta::Si);
  prompter.archivosGuardar.push_back(dir.filePath(Q("al_salir.006")));
  w->findChild<QPushButton*>(Q("salir"))->click();
  apoyo::procesar();
  EXPECT_TRUE(QFile::exists(dir.filePath(Q("al_salir.006"))));
  EXPECT_FALSE(w->terminado());
}

}  // namespace
