// Undo and redo in the window: each kind of command taken back and done again,
// every table compared cell for cell (colours and locks too) with the state
// before and after, the window state and the cursor with them.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QFile>
#include <QProcess>
#include <QPushButton>

#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/recuperador.h"
#include "client/form5.h"
#include "consolidation/form2.h"
#include "editing/splitting.h"
#include "fixture.h"
#include "ventana_apoyo.h"
#include "workspace/recuperacion.h"

using apoyo::clic;
using apoyo::tecla;

namespace {

class DeshacerTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  void disparar(MainWindow& w, const char* nombre) {
    QAction* a = w.accion(QString::fromLatin1(nombre));
    ASSERT_TRUE(a && a->isEnabled()) << nombre;
    a->trigger();
    apoyo::procesar();
  }
  static void consolidar(DialogoModelo& d) {
    auto* f2 = dynamic_cast<Form2Modelo*>(&d);
    ASSERT_NE(f2, nullptr);
    for (const char* oc : {"4500001234", "4500001235"}) {
      ASSERT_TRUE(f2->seleccionarList1(Form2Modelo::textoEntrada(QString::fromLatin1(oc), Q("123"))));
      f2->Command1_Click();
    }
    f2->Command2_Click();
  }
  // Client data, two orders imported, quantities and containers typed, the
  // per-order header, date and hour; saved as a work file.
  std::unique_ptr<Ventana> ventana(const QString& carpetaPrograma = QString()) {
    auto w = std::make_unique<Ventana>(carpetaPrograma.isEmpty() ? carpeta() : carpetaPrograma, &prompter, &reloj);
    w->show();
    apoyo::procesar();
    return w;
  }
  std::unique_ptr<Ventana> embarque(const QString& carpetaPrograma = QString()) {
    auto w = std::make_unique<Ventana>(carpetaPrograma.isEmpty() ? carpeta() : carpetaPrograma, &prompter, &reloj);
    w->show();
    QApplication::setActiveWindow(w.get());
    apoyo::procesar();
    prompter.alDialogo = [](DialogoModelo& d) {
      auto* f5 = dynamic_cast<Form5Modelo*>(&d);
      f5->teclear(Form5Modelo::Caja::ncliente, Q("12345"));
      f5->teclear(Form5Modelo::Caja::Text2, Q("0000456789"));
      f5->teclear(Form5Modelo::Caja::rfc, Q("abcd010101-xy1"));
      f5->aceptar_Click();
    };
    disparar(*w, "generales");
    prompter.archivosAbrir.push_back(QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tres.inf"));
    prompter.alDialogo = consolidar;
    disparar(*w, "importararchiv");
    VistaGrid* v1 = w->vistaDetalle();
    for (int r = 1; r <= 5; ++r) {
      clic(v1, 11, r);
      apoyo::escribir(v1, QString::number(r + 2));
      tecla(v1, Qt::Key_Return);
      apoyo::escribir(v1, QStringLiteral("C0000000%1").arg((r + 1) / 2));
      tecla(v1, Qt::Key_Return);
    }
    VistaGrid* v9 = w->vistaPedidos();
    for (int r = 1; r <= 2; ++r) {
      clic(v9, 3, r);
      apoyo::escribir(v9, QStringLiteral("A10%1").arg(r));
      tecla(v9, Qt::Key_Tab);
      apoyo::escribir(v9, QStringLiteral("F-100%1").arg(r));
      tecla(v9, Qt::Key_Tab);
      apoyo::escribir(v9, Q("880"));
      tecla(v9, Qt::Key_Return);
    }
    w->findChild<QDateEdit*>(QStringLiteral("DTPicker1_4"))->setDate(QDate(2026, 12, 15));
    auto* horas = w->findChild<QComboBox*>(QStringLiteral("Combo3"));
    horas->setCurrentIndex(2);
    emit horas->activated(2);
    apoyo::procesar();
    prompter.archivosGuardar.push_back(carpeta() + Q("/base.viv"));
    disparar(*w, "guardararchiv");
    EXPECT_TRUE(prompter.mensajes.empty()) << prompter.textos().join(Q(" | ")).toStdString();
    // The status bar says where the work file went.
    EXPECT_EQ(w->findChild<QLabel*>(Q("archivoTrabajo"))->text(), QDir::toNativeSeparators(carpeta() + Q("/base.viv")));
    prompter.limpiar();
    return w;
  }
};

TEST_F(DeshacerTest, CadaComandoSeDeshaceYSeRehaceTablaPorTabla) {
  auto w = embarque();
  Workspace& ws = w->ws();
  VistaGrid* v1 = w->vistaDetalle();
  EXPECT_FALSE(ws.sinGuardar);
  auto filas = [v1](int de, int a) {
    v1->selectionModel()->select(QItemSelection(v1->model()->index(de - 1, 0), v1->model()->index(a - 1, 14)),
                                 QItemSelectionModel::ClearAndSelect);
  };
  struct Caso {
    const char* nombre;
    std::function<void()> preparar, hacer;
  };
  const Caso casos[] = {
      {"cantidad", [&] { clic(v1, 11, 2); }, [&] { apoyo::escribir(v1, Q("1")); tecla(v1, Qt::Key_Return); }},
      {"contenedor", [&] { clic(v1, 15, 2); }, [&] { apoyo::escribir(v1, Q("C00000009")); tecla(v1, Qt::Key_Return); }},
      {"pegar", [&] { prompter.escribirPortapapeles(Q("2")); clic(v1, 11, 1); }, [&] { disparar(*w, "pegar"); }},
      {"cortar", [&] { clic(v1, 15, 1); }, [&] { disparar(*w, "cortar"); }},
      {"suprimir", [&] { clic(v1, 15, 1); }, [&] { disparar(*w, "suprimir"); }},
      {"eliminar_ren", [&] { filas(2, 3); }, [&] { disparar(*w, "eliminar_ren"); }},
      {"Command1", [&] { filas(2, 3); }, [&] { w->findChild<QPushButton*>(Q("Command1"))->click(); apoyo::procesar(); }},
      {"borrar", [&] { clic(v1, 11, 4); }, [&] { disparar(*w, "borrar"); }},
      {"insertar", [&] { clic(v1, 11, 2); }, [&] { disparar(*w, "insertar"); }},
      {"uno", [&] { clic(v1, 11, 2); }, [&] { disparar(*w, "uno"); }},
      {"two",
       [&] {
         clic(v1, 11, 3);
         prompter.alDialogo = [](DialogoModelo& d) {
           auto* f6 = dynamic_cast<SepararModelo*>(&d);
           f6->cantidades = {Q("1"), Q("3")};
           f6->Command1_Click();
         };
       },
       [&] { disparar(*w, "two"); }},
      {"arch_env", [&] { prompter.archivosGuardar.push_back(carpeta() + Q("/aviso.txt")); },
       [&] { disparar(*w, "arch_env"); }},
      {"nuevaforma", [] {}, [&] { disparar(*w, "nuevaforma"); }},
      {"importar cancelado", [] {}, [&] { disparar(*w, "importararchiv"); }},
      {"importararchiv",
       [&] {
         prompter.archivosAbrir.push_back(QStringLiteral(AVISO_TEST_DATA "/intake/pedidos_tres.inf"));
         prompter.alDialogo = consolidar;
       },
       [&] { disparar(*w, "importararchiv"); }},
      {"abrirarchiv", [&] { prompter.archivosAbrir.push_back(carpeta() + Q("/base.viv")); ws.vaspread1.setText(15, 5, Q("C00000007")); },
       [&] { disparar(*w, "abrirarchiv"); }},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    c.preparar();
    apoyo::procesar();
    const apoyo::Foto antes = apoyo::Foto::de(ws);
    c.hacer();
    const apoyo::Foto despues = apoyo::Foto::de(ws);
    ASSERT_FALSE(antes == despues);
    if (c.nombre == std::string("cantidad")) EXPECT_TRUE(ws.sinGuardar);
    tecla(v1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(apoyo::Foto::de(ws) == antes);
    EXPECT_EQ(w->vistaDetalle()->model()->rowCount() >= ws.vaspread1.dataRowCount(), true);
    tecla(v1, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(apoyo::Foto::de(ws) == despues);
    tecla(v1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(apoyo::Foto::de(ws) == antes);
  }
  EXPECT_TRUE(prompter.mensajes.empty()) << prompter.textos().join(Q(" | ")).toStdString();
  EXPECT_EQ(textosLog().count(Q("ENTRO AL EVENTO-----deshacer")), 2 * std::size(casos));
  EXPECT_EQ(textosLog().count(Q("ENTRO AL EVENTO-----rehacer")), std::size(casos));
  // Ctrl+Shift+Z redoes too: the work file open again, saved as it is.
  EXPECT_EQ(ws.vaspread1.text(15, 5), Q("C00000007"));
  tecla(v1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ws.vaspread1.text(15, 5), Q("C00000003"));
  EXPECT_FALSE(ws.sinGuardar);
  EXPECT_EQ(w->findChild<QLabel*>(Q("archivoTrabajo"))->toolTip(), carpeta() + Q("/base.viv"));
}

// Run by the next test in a process of its own, which it then kills: the
// shipment, one line split, a quantity typed, and the minute's write.
TEST_F(DeshacerTest, HijoQueSeraMatado) {
  const QString carpetaPadre = qEnvironmentVariable("AVISO_HIJO");
  if (carpetaPadre.isEmpty()) GTEST_SKIP() << "only as the child of VentanaMatadaSeRecuperaExacta";
  auto w = embarque(carpetaPadre);
  VistaGrid* v1 = w->vistaDetalle();
  clic(v1, 11, 3);
  prompter.alDialogo = [](DialogoModelo& d) {
    auto* f6 = dynamic_cast<SepararModelo*>(&d);
    f6->cantidades = {Q("1"), Q("4")};
    f6->Command1_Click();
  };
  disparar(*w, "two");
  w->recuperador().intervalo = 50;  // the minute, shortened
  clic(v1, 11, 1);
  apoyo::escribir(v1, Q("2"));
  tecla(v1, Qt::Key_Return);
  for (int i = 0; i < 20; ++i) {
    QTest::qWait(25);
    w->recuperador().esperar();
  }
  QFile foto(carpetaPadre + Q("/foto.txt"));
  ASSERT_TRUE(foto.open(QIODevice::WriteOnly));
  foto.write(apoyo::Foto::de(w->ws()).texto().toUtf8());
  foto.close();
  std::printf("LISTO\n");
  std::fflush(stdout);
  QTest::qWait(60000);
}

TEST_F(DeshacerTest, VentanaMatadaSeRecuperaExacta) {
  QProcess hijo;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(Q("AVISO_HIJO"), carpeta());
  hijo.setProcessEnvironment(env);
  hijo.start(QCoreApplication::applicationFilePath(), {Q("--gtest_filter=DeshacerTest.HijoQueSeraMatado")});
  QByteArray salida;
  while (!salida.contains("LISTO") && hijo.waitForReadyRead(120000)) salida += hijo.readAllStandardOutput();
  ASSERT_TRUE(salida.contains("LISTO")) << salida.toStdString();
  hijo.kill();  // SIGKILL: nothing of the window runs any more
  hijo.waitForFinished();
  ASSERT_TRUE(QFile::exists(carpeta() + Q("/recuperacion.dat")));

  prompter.respuestas.push_back(Respuesta::Si);
  auto w = ventana();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(prompter.mensajes[0].texto, Q("Se encontró trabajo sin guardar del 07/12/2026 10:30 (6 renglones). ¿Desea recuperarlo?"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Pregunta);
  EXPECT_EQ(prompter.mensajes[0].botones, Botones::SiNo);
  EXPECT_EQ(apoyo::Foto::de(w->ws()).texto(), QString::fromUtf8(leer(carpeta() + Q("/foto.txt"))));
  EXPECT_TRUE(w->ws().sinGuardar);
}

TEST_F(DeshacerTest, CierreSegundaVentanaYTrabajoApartado) {
  auto w = embarque();
  const QString vivo = carpeta() + Q("/recuperacion.dat");
  EXPECT_FALSE(QFile::exists(vivo));  // saved: nothing to recover
  clic(w->vistaDetalle(), 11, 2);
  apoyo::escribir(w->vistaDetalle(), Q("1"));
  tecla(w->vistaDetalle(), Qt::Key_Return);
  {
    // A second window neither offers nor touches the first one's work, and says so.
    auto otra = ventana();
    EXPECT_TRUE(prompter.mensajes.empty());
    EXPECT_EQ(otra->findChild<QLabel*>(Q("archivoTrabajo"))->text(),
              Q("Otra ventana del programa guarda su trabajo para recuperarlo; esta no lo guarda."));
    otra->close();
  }
  const apoyo::Foto antes = apoyo::Foto::de(w->ws());
  w->close();  // the close box
  ASSERT_TRUE(QFile::exists(vivo));
  w.reset();

  // No keeps it aside; Archivo > Recuperar trabajo... brings it back.
  w = ventana();
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_FALSE(QFile::exists(vivo));
  const QStringList apartados = recuperacion::apartados(carpeta());
  ASSERT_EQ(apartados.size(), 1);
  EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 0);
  w->elegirApartado = [](const QStringList& o) {
    EXPECT_EQ(o, QStringList{Q("07/12/2026 10:30:00 (5 renglones)")});
    return 0;
  };
  disparar(*w, "recuperar");
  EXPECT_TRUE(apoyo::Foto::de(w->ws()) == antes);
  // Nuevo over it keeps it aside again (here under the same date), and Ctrl+Z brings it back.
  disparar(*w, "nuevaforma");
  EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 0);
  tecla(w->vistaDetalle(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(apoyo::Foto::de(w->ws()) == antes);

  // A file cut short is never offered as work.
  const QByteArray entero = leer(apartados[0]);
  for (qsizetype n : {qsizetype(0), qsizetype(40), entero.size() / 2, entero.size() - 1}) {
    escribir(Q("corto.dat"), entero.left(n));
    EXPECT_EQ(recuperacion::leer(carpeta() + Q("/corto.dat")), nullptr) << n;
  }
}

// The work file remembered: the recent list in Archivo, the hour it was saved
// with, its delivery date from line 7 while the picker would take it, the
// folder and name the dialogs offer.
TEST_F(DeshacerTest, TrabajoRecienteConSuFechaYHora) {
  auto w = embarque();  // saved as base.viv with 15/12/2026 at 09:00
  const QString base = carpeta() + Q("/base.viv");
  QAction* reciente = w->accion(Q("reciente1"));
  EXPECT_TRUE(reciente->isVisible());
  EXPECT_EQ(reciente->text(), Q("&1 base.viv"));
  EXPECT_FALSE(w->accion(Q("reciente2"))->isVisible());
  struct Caso {
    const char* hoy;
    const char* fecha;  // the picker after the open
  };
  for (const Caso& c : {Caso{"2026-12-07", "2026-12-15"}, Caso{"2026-12-16", "2026-12-16"}}) {
    reloj.poner(QDateTime(QDate::fromString(QString::fromLatin1(c.hoy), Qt::ISODate), QTime(10, 30)));
    disparar(*w, "nuevaforma");
    w->ws().DTPicker1_4 = reloj.hoy();
    w->ws().Combo3.indice = 0;
    reciente->trigger();
    apoyo::procesar();
    EXPECT_EQ(w->ws().vaspread1.dataRowCount(), 5);
    EXPECT_EQ(w->ws().DTPicker1_4, QDate::fromString(QString::fromLatin1(c.fecha), Qt::ISODate)) << c.hoy;
    EXPECT_EQ(w->ws().Combo3.texto, Q("09:00"));
  }
  // Guardar (Ctrl+S) writes it again without asking.
  const size_t dialogos = prompter.dialogosArchivo.size();
  w->ws().vaspread1.setText(15, 5, Q("C00000003"));
  disparar(*w, "guardar_actual");
  EXPECT_EQ(prompter.dialogosArchivo.size(), dialogos);
  EXPECT_EQ(w->findChild<QLabel*>(Q("archivoTrabajo"))->text(), QDir::toNativeSeparators(base));
  // Saving again offers the work file's folder and name; the notice, its name as .txt.
  prompter.archivosGuardar.push_back(QString());
  disparar(*w, "guardararchiv");
  prompter.archivosGuardar.push_back(QString());
  disparar(*w, "arch_env");
  ASSERT_GE(prompter.dialogosArchivo.size(), 2u);
  const DialogoArchivo& trabajo = prompter.dialogosArchivo[prompter.dialogosArchivo.size() - 2];
  EXPECT_EQ(trabajo.carpetaInicial, carpeta());
  EXPECT_EQ(trabajo.nombre, Q("base.viv"));
  EXPECT_EQ(prompter.dialogosArchivo.back().nombre, Q("base.txt"));
  EXPECT_EQ(Preferencias(carpeta()).recientes(), QStringList{base});
}

}  // namespace
