// How each command ends: done, refused by a check, cancelled by the user or failed;
// the frame gives back the busy pointer on every path.
#include <functional>

#include "fixture.h"
#include "client/form5.h"
#include "consolidation/form2.h"
#include "editing/row_commands.h"
#include "editing/splitting.h"
#include "intake/inf_import.h"
#include "intake/order_selection.h"
#include "intake/tab_import.h"
#include "notice/envio_aviso.h"
#include "notice/output.h"
#include "workfile/workfile.h"

namespace {

QString datos(const QString& archivo) { return QStringLiteral(AVISO_TEST_DATA "/batch/") + archivo; }
std::string str(const QStringList& l) { return l.join(QLatin1Char('\n')).toStdString(); }

using Dialogo = std::function<void(DialogoModelo&)>;

const Resultado H = Resultado::Hecho, R = Resultado::Rechazado, C = Resultado::Cancelado, F = Resultado::Fallido;

void clienteCompleto(Workspace& w) {
  w.vaSpread2.setText(2, 2, QStringLiteral("1234"));
  w.vaSpread2.setText(2, 14, QStringLiteral("45678"));
  w.vaSpread2.setText(2, 16, QStringLiteral("ABCD010101-AB1"));
  w.Combo3.indice = 2;
  w.Combo3.texto = QStringLiteral("09:00");
}

}  // namespace

TEST_F(WorkspaceTest, CadaComandoDiceComoTermino) {
  const QString inf = datos(QStringLiteral("un_pedido.inf")), trabajo = datos(QStringLiteral("trabajo_un_pedido.code"));
  const QString binario = escribir(QStringLiteral("binario.code"), QByteArray("DUDIZOD3.0\0\x01\r\n", 14));
  const QString noHay = dir.filePath(QStringLiteral("no-hay/x")), nuevo = dir.filePath(QStringLiteral("nuevo"));
  const Dialogo unaOrden = [](DialogoModelo& m) {
    auto& f = static_cast<Form2Modelo&>(m);
    f.seleccionarList1(QStringLiteral("12345678 - 123"));
    f.Command1_Click();
    f.Command2_Click();
  };
  const auto forma5 = [](const char* cliente) {
    return Dialogo([cliente](DialogoModelo& m) {
      auto& f = static_cast<Form5Modelo&>(m);
      f.ncliente = QString::fromLatin1(cliente);
      f.Text2 = QStringLiteral("45678");
      f.rfc = QStringLiteral("ABCD010101-AB1");
      f.aceptar_Click();
    });
  };
  const Dialogo separar = [](DialogoModelo& m) {
    auto& f = static_cast<SepararModelo&>(m);
    f.cantidades = {QStringLiteral("20"), QStringLiteral("4")};
    f.Command1_Click();
  };
  struct Caso {
    const char* nombre;
    bool conTrabajo;  // the work file of one order is opened first
    QStringList abrir, guardar;
    std::deque<Respuesta> respuestas;
    Dialogo dialogo;
    std::function<Resultado(Workspace&)> comando;
    Resultado esperado;
  } casos[] = {
      {"nuevo", false, {}, {}, {}, {}, b_nuevo_Click, H},
      {"importar sin archivo", false, {}, {}, {}, {}, importararchiv_Click, C},
      {"importar lo que no hay", false, {noHay}, {}, {}, {}, importararchiv_Click, F},
      {"importar, diálogo cerrado", false, {inf}, {}, {}, {}, b_import_Click, C},
      {"importar una orden", false, {inf}, {}, {}, unaOrden, Importar_Click, H},
      {"importar tabuladores y elegir", false, {datos(QStringLiteral("pedidos_tab.txt"))}, {}, {}, {},
       [](Workspace& w) {
         arrch_tabulador_Click(w);
         w.Combo2.texto = QStringLiteral("7700001");
         return Combo2_Click(w);
       },
       H},
      {"elegir sin lista", false, {}, {}, {}, {}, Combo2_Click, R},
      {"abrir sin archivo", false, {}, {}, {}, {}, b_abrir_Click, C},
      {"abrir lo que no es trabajo", false, {binario}, {}, {}, {}, abrirarchiv_Click, F},
      {"guardar sin datos", false, {}, {}, {}, {}, guardararchiv_Click, R},
      {"guardar sin nombre", true, {}, {}, {}, {}, b_save_Click, C},
      {"guardar donde no se puede", true, {}, {noHay}, {}, {}, guardar_Click, F},
      {"guardar", true, {}, {nuevo}, {}, {}, guardararchiv_Click, H},
      {"aviso sin hora", true, {}, {}, {}, {}, arch_env_Click, R},
      {"aviso sin nombre", true, {}, {}, {}, {},
       [](Workspace& w) {
         clienteCompleto(w);
         return arch_env_Click(w);
       },
       C},
      {"aviso", true, {}, {nuevo}, {}, {},
       [](Workspace& w) {
         clienteCompleto(w);
         return arch_env_Click(w);
       },
       H},
      {"enviar sin datos", false, {}, {}, {}, {}, enviararchiv_Click, R},
      {"datos generales cerrados", false, {}, {}, {}, {}, generales_Click, C},
      {"datos generales cortos", false, {}, {}, {}, forma5("12"), generales_Click, C},
      {"datos generales", false, {}, {}, {}, forma5("1234"), generales_Click, H},
      {"insertar sin renglones", false, {}, {}, {}, {}, insertar_Click, R},
      {"insertar", true, {}, {}, {}, {}, insertar_Click, H},
      {"duplicar sin renglones", false, {}, {}, {}, {}, dos_Click, R},
      {"duplicar: no", true, {}, {}, {}, {}, b_duplicar_Click, C},
      {"duplicar: sí", true, {}, {}, {Respuesta::Si}, {}, b_duplicar_Click, H},
      {"borrar sin grid", true, {}, {}, {}, {}, borrar_Click, R},
      {"suprimir sin grid", true, {}, {}, {}, {}, suprimir_Click, R},
      {"pegar nada", true, {}, {}, {}, {}, b_paste_Click, R},
      {"separar sin renglones", false, {}, {}, {}, {}, two_Click, R},
      {"separar cancelado", true, {}, {}, {}, {}, b_separar_Click, C},
      {"separar", true, {}, {}, {}, separar, two_Click, H},
  };
  for (const Caso& k : casos) {
    reiniciar();
    if (k.conTrabajo) {
      prompter.archivosAbrir = {trabajo};
      ASSERT_EQ(abrirarchiv_Click(*ws), H);
    }
    prompter.archivosAbrir = {k.abrir.begin(), k.abrir.end()};
    prompter.archivosGuardar = {k.guardar.begin(), k.guardar.end()};
    prompter.respuestas = k.respuestas;
    prompter.alDialogo = k.dialogo;
    prompter.escribirPortapapeles(QString());
    EXPECT_EQ(k.comando(*ws), k.esperado) << k.nombre << "\n" << str(prompter.textos());
    // The frame gives back the busy pointer and closes on every path.
    EXPECT_FALSE(ws->estaOcupado()) << k.nombre;
    EXPECT_EQ(ws->comandoAbierto, nullptr) << k.nombre;
  }
  // The handlers of the buttons and the menu log where they began and ended.
  const QStringList log = textosLog();
  for (const char* h : {"b_nuevo_Click", "importararchiv_Click", "b_import_Click", "Importar_Click", "arrch_tabulador_Click",
                        "Combo2_Click", "b_save_Click", "guardar_Click", "enviararchiv_Click", "generales_Click",
                        "insertar_Click", "b_duplicar_Click", "borrar_Click", "b_paste_Click", "b_separar_Click"})
    EXPECT_TRUE(log.contains(Q("ENTRO AL EVENTO-----") + Q(h)) && log.contains(Q("TERMINO EL EVENTO-----") + Q(h))) << h;
}
