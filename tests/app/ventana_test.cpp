// What a window script cannot say: the Qt message boxes and file dialogs of
// the window's own prompter, the pointer and the progress bar around a
// command, a command that fails, the menu bar taking the keys. (The window on
// a small screen at three scalings: the scripts pantalla_*.)
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFileDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <atomic>
#include <thread>

#include "app/mainwindow.h"
#include "app/qtprompter.h"
#include "fixture.h"
#include "ventana_apoyo.h"

namespace {

class VentanaTest : public WorkspaceTest {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }
  int cuenta(const QString& linea) const { return static_cast<int>(textosLog().count(linea)); }
};

// The next box to open, as "title|text|icon|buttons|default", answered with
// the button of caption `pulsar` (empty: Escape); `antes` looks first.
std::unique_ptr<apoyo::AlAbrirse> leerCaja(const QString& pulsar, QString& vista, std::function<void()> antes = {}) {
  return std::make_unique<apoyo::AlAbrirse>([pulsar, &vista, antes](QWidget* w) {
    if (antes) antes();
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box) return;
    QStringList botones;
    for (QAbstractButton* b : box->buttons()) botones.append(b->text());
    botones.sort();
    vista = QStringList{box->windowTitle(), box->text(), QString::number(box->icon()), botones.join(QLatin1Char(',')),
                        box->defaultButton() ? box->defaultButton()->text() : QString()}
                .join(QLatin1Char('|'));
    if (box->windowModality() != Qt::WindowModal || !box->parentWidget()) vista += Q("|sin dueño");
    if (pulsar.isEmpty()) return QTest::keyClick(box, Qt::Key_Escape);
    for (QAbstractButton* b : box->buttons())
      if (b->text() == pulsar) b->click();
  });
}

TEST_F(VentanaTest, CajasDeMensajeConSuIconoYElBotonInofensivoPorOmision) {
  QWidget ventana;
  QtPrompter p(&ventana);
  ventana.show();
  const QString pregunta = Q("¿Desea guardar los cambios?");
  const struct {
    Mensaje m;
    const char* pulsar;
    Respuesta r;
    const char* vista;
  } casos[] = {
      {{pregunta, Q("DUDIZOD"), Icono::Ninguno, Botones::SiNoCancelar}, "&Sí", Respuesta::Si,
       "DUDIZOD|¿Desea guardar los cambios?|4|&No,&Sí,Cancelar|Cancelar"},
      {{pregunta, Q("DUDIZOD"), Icono::Ninguno, Botones::SiNoCancelar}, "", Respuesta::Cancelar, nullptr},
      {{pregunta, Q("DUDIZOD"), Icono::Ninguno, Botones::SiNoCancelar}, "&No", Respuesta::No, nullptr},
      {{Q("Recuerde"), Q("RECORDATORIO"), Icono::Ninguno, Botones::SiNo}, "", Respuesta::No,
       "RECORDATORIO|Recuerde|4|&No,&Sí|&No"},
      {{Q("x"), Q("A"), Icono::Critico, Botones::Ok}, "Aceptar", Respuesta::Ok, "A|x|3|Aceptar|Aceptar"},
      {{Q("x"), Q("A"), Icono::Informacion, Botones::Ok}, "Aceptar", Respuesta::Ok, "A|x|1|Aceptar|Aceptar"},
      {{Q("x"), Q("A"), Icono::Exclamacion, Botones::Ok}, "Aceptar", Respuesta::Ok, "A|x|2|Aceptar|Aceptar"},
      {{Q("x"), Q("A"), Icono::Ninguno, Botones::Ok}, "Aceptar", Respuesta::Ok, "A|x|0|Aceptar|Aceptar"},
  };
  for (const auto& c : casos) {
    QString vista;
    const auto caja = leerCaja(Q(c.pulsar), vista);
    EXPECT_EQ(p.mostrar(c.m), c.r) << c.pulsar;
    if (c.vista) EXPECT_EQ(vista.toStdString(), c.vista);
  }
}

// The password box hides what is typed and tells Cancelar from an answer; the
// progress of a job on a worker thread stops when Cancelar is pressed.
TEST_F(VentanaTest, ContrasenaOcultaYAvanceConCancelar) {
  QWidget ventana;
  QtPrompter p(&ventana);
  ventana.show();
  for (const bool aceptar : {true, false}) {
    QString vista;
    const apoyo::AlAbrirse alAbrirse([&vista, aceptar](QWidget* w) {
      auto* caja = w->findChild<QLineEdit*>();
      if (!caja) return;
      vista = w->windowTitle() + Q("|") + QString::number(caja->echoMode());
      caja->setText(Q("s3cr3t"));
      for (auto* b : w->findChildren<QPushButton*>())
        if (b->text() == (aceptar ? Q("&Aceptar") : Q("&Cancelar"))) b->click();
    });
    const std::optional<QString> clave = p.pedirClave(Q("Enviar aviso"), Q("Contraseña:"));
    EXPECT_EQ(clave.value_or(Q("(nada)")), aceptar ? Q("s3cr3t") : Q("(nada)"));
    EXPECT_EQ(vista, Q("Enviar aviso|") + QString::number(QLineEdit::Password));
  }

  // A job that goes on until told to stop: Cancelar stops it, the window waits for it.
  std::atomic<bool> detenido{false};
  QString titulo;
  const apoyo::AlAbrirse alAbrirse([&titulo](QWidget* w) {
    titulo = w->windowTitle();
    for (auto* b : w->findChildren<QPushButton*>())
      if (b->text() == Q("&Cancelar")) b->click();
  });
  p.conAvance(Q("Enviando a.txt"), [&detenido](const Prompter::Avance& avance) {
    for (qint64 n = 0; avance(n % 1000, 1000); ++n) std::this_thread::yield();
    detenido = true;
  });
  EXPECT_TRUE(detenido);
  EXPECT_EQ(titulo, Q("Enviando a.txt"));
  // A job that ends by itself closes the progress without a word.
  qint64 visto = 0;
  p.conAvance(Q("Enviando b.txt"), [&visto](const Prompter::Avance& avance) {
    visto = avance(500, 500) ? 500 : -1;
  });
  EXPECT_EQ(visto, 500);
}

TEST_F(VentanaTest, DialogosDeArchivoEnEspanolFiltrosYPunteroOcupado) {
  QWidget ventana;
  QtPrompter p(&ventana);
  QString elegido;
  EXPECT_EQ(QtPrompter::filtroQt(Q("Archivos INF|*.inf|Todos|*.*"), 2, &elegido), Q("Archivos INF (*.inf);;Todos (*.*)"));
  EXPECT_EQ(elegido, Q("Todos (*.*)"));
  QStringList vistas;
  auto leer = [&vistas] {
    return std::make_unique<apoyo::AlAbrirse>([&vistas](QWidget* w) {
      auto* d = qobject_cast<QFileDialog*>(w);
      if (!d) return;
      vistas.append(d->windowTitle());
      for (auto e : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType, QFileDialog::Accept,
                     QFileDialog::Reject})
        vistas.append(d->labelText(e));
      d->reject();
    });
  };
  DialogoArchivo d{Q("Selección de archivo para Importar"), Q("Archivo tipo inf|*.inf"), 1, carpeta()};
  {
    const auto dialogo = leer();
    EXPECT_EQ(p.abrirArchivo(d), QString());
  }
  d.titulo = Q("Guardar");
  {
    const auto dialogo = leer();
    EXPECT_EQ(p.guardarArchivo(d), QString());
  }
  EXPECT_EQ(vistas.join(Q("|")), Q("Selección de archivo para Importar|Buscar en:|Nombre de archivo:|Tipo de archivo:|"
                                   "&Abrir|Cancelar|Guardar|Buscar en:|Nombre de archivo:|Tipo de archivo:|&Guardar|Cancelar"));
  // A name typed without extension is saved with the kind's own.
  const std::tuple<const char*, int, const char*> extensiones[] = {
      {"Dudizod 006|*.006", 1, "006"}, {"INF|*.inf|Texto|*.txt", 2, "txt"}, {"Todos|*.*", 1, ""}};
  for (const auto& [filtro, inicial, ext] : extensiones)
    EXPECT_EQ(QtPrompter::extension({QString(), Q(filtro), inicial}), Q(ext));
  apoyo::AlAbrirse nombrar([](QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    d->selectFile(Q("trabajo"));
    QMetaObject::invokeMethod(d, "accept");
  });
  EXPECT_EQ(p.guardarArchivo({QString(), Q("Dudizod 006|*.006"), 1, carpeta()}), carpeta() + Q("/trabajo.006"));

  // Busy twice is busy once; a box shown meanwhile has the plain pointer.
  p.cursorOcupado(true);
  p.cursorOcupado(true);
  Qt::CursorShape durante = Qt::WaitCursor;
  QString vista;
  const auto caja = leerCaja(Q("Aceptar"), vista, [&] { durante = QApplication::overrideCursor()->shape(); });
  p.mostrar({Q("x"), Q("DUDIZOD")});
  EXPECT_EQ(durante, Qt::ArrowCursor);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  p.cursorOcupado(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // The system clipboard.
  p.escribirPortapapeles(Q("4\tA1\r\n5\tA2"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Q("4\tA1\r\n5\tA2"));
  QGuiApplication::clipboard()->setText(Q("de una hoja"));
  EXPECT_EQ(p.leerPortapapeles(), Q("de una hoja"));
}

// Notes the progress bar at each message.
struct PrompterConBarra : ScriptedPrompter {
  QProgressBar* barra = nullptr;
  int alPreguntar = -1;
  Respuesta mostrar(const Mensaje& m) override {
    alPreguntar = barra->maximum();
    return ScriptedPrompter::mostrar(m);
  }
};

TEST_F(VentanaTest, AlrededorDeUnComandoElPunteroLaBarraYLasFallas) {
  PrompterConBarra p;
  auto w = std::make_unique<Ventana>(carpeta(), &p, &reloj);
  auto* barra = p.barra = w->findChild<QProgressBar*>(Q("ProgressBar1"));
  auto reposo = [&] { return barra->maximum() == 1 && barra->value() == 0; };
  int corridas = 0;
  EXPECT_TRUE(w->ejecutar([&] {
    ++corridas;
    EXPECT_FALSE(w->ejecutar([&] { ++corridas; }));  // none enters while one runs
    w->ws().alCambiar();
    EXPECT_TRUE(reposo());  // showing the state is no sign of a long loop
    w->ws().prompter.procesarEventos();
    EXPECT_EQ(barra->maximum(), 0);  // the bar moves by itself
    w->ws().MsgBox(Q("Aviso de prueba"));
    EXPECT_EQ(barra->maximum(), 0);
  }));
  EXPECT_EQ(p.alPreguntar, 1);  // it stands still while a message waits
  EXPECT_EQ(corridas, 1);
  EXPECT_TRUE(reposo());
  w->ejecutar([] { throw std::runtime_error("falla"); });
  ASSERT_EQ(p.mensajes.size(), 2u);
  EXPECT_EQ(p.mensajes[1].texto, Q("Error inesperado # 5\r\nfalla"));
  EXPECT_EQ(p.mensajes[1].titulo, Q("DUDIZOD"));
  EXPECT_EQ(p.mensajes[1].icono, Icono::Critico);
  EXPECT_FALSE(w->ocupado());

  // The window's own prompter: the busy pointer shows while a command lets the
  // window repaint, and goes also when the command throws what is no exception.
  Ventana propia(carpeta(), nullptr, &reloj);
  propia.ejecutar([&] {
    propia.ws().prompter.procesarEventos();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  });
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  QString vista;
  const auto caja = leerCaja(Q("Aceptar"), vista);
  propia.ejecutar([] { throw 42; });
  EXPECT_TRUE(vista.startsWith(Q("DUDIZOD|Error inesperado # 51"))) << vista.toStdString();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  propia.ws().prompter.procesarEventos();  // outside a command nothing changes it
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(VentanaTest, LaBarraDeMenusNoEsUnCambioDeFoco) {
  Ventana w(carpeta(), &prompter, &reloj);
  auto* importe = w.findChild<QLineEdit*>(Q("Text1_7"));
  importe->setText(Q("12.5"));
  QFocusEvent alMenu(QEvent::FocusOut, Qt::MenuBarFocusReason);
  QCoreApplication::sendEvent(importe, &alMenu);
  apoyo::procesar();
  EXPECT_EQ(importe->text(), Q("12.5"));
  QFocusEvent fuera(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(importe, &fuera);
  apoyo::procesar();
  EXPECT_EQ(importe->text(), Q("12.50"));
  EXPECT_EQ(cuenta(Q("ENTRO AL EVENTO----Text1_LostFocus")), 1);
}

}  // namespace
