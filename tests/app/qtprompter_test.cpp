// The window's prompter: message boxes modal to the window, with their icon,
// Spanish buttons and the harmless default; file filters; the busy pointer.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/qtprompter.h"
#include "ventana_apoyo.h"

namespace {

class QtPrompterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { apoyo::Aplicacion::crear(); }
  static void TearDownTestSuite() { apoyo::Aplicacion::borrar(); }

  QMainWindow ventana;
  QtPrompter prompter{&ventana};

  struct Visto {
    QString titulo, texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    QStringList botones;
    QString omision;
    Qt::WindowModality modalidad = Qt::NonModal;
    QWidget* padre = nullptr;
  };

  // Shows the message; as soon as the box is up it is read and the button
  // with caption `pulsar` is clicked (empty: Escape).
  Respuesta mostrar(const Mensaje& m, const QString& pulsar, Visto& visto) {
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      visto.titulo = box->windowTitle();
      visto.texto = box->text();
      visto.icono = box->icon();
      visto.modalidad = box->windowModality();
      visto.padre = box->parentWidget();
      for (QAbstractButton* b : box->buttons()) visto.botones.append(b->text());
      if (box->defaultButton()) visto.omision = box->defaultButton()->text();
      if (pulsar.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
      }
      for (QAbstractButton* b : box->buttons())
        if (b->text() == pulsar) b->click();
    });
    return prompter.mostrar(m);
  }
};

TEST_F(QtPrompterTest, PreguntasConIconoYBotonInofensivoPorOmision) {
  ventana.show();
  Visto v;
  Mensaje m{QString::fromUtf8("¿Desea guardar los cambios?"), QStringLiteral("DUDIZOD"), Icono::Ninguno,
            Botones::SiNoCancelar};
  EXPECT_EQ(mostrar(m, QString::fromUtf8("&Sí"), v), Respuesta::Si);
  EXPECT_EQ(v.titulo, QStringLiteral("DUDIZOD"));
  EXPECT_EQ(v.texto, QString::fromUtf8("¿Desea guardar los cambios?"));
  EXPECT_EQ(v.botones.size(), 3);
  EXPECT_EQ(v.omision, QStringLiteral("Cancelar"));
  EXPECT_EQ(v.modalidad, Qt::WindowModal);
  EXPECT_EQ(v.padre, &ventana);
  EXPECT_EQ(v.icono, QMessageBox::Question);  // a question without an icon of its own

  Visto v2;
  EXPECT_EQ(mostrar(m, QString(), v2), Respuesta::Cancelar);  // Escape is Cancel
  Visto v3;
  EXPECT_EQ(mostrar(m, QStringLiteral("&No"), v3), Respuesta::No);

  Visto v4;
  Mensaje sino{QStringLiteral("Recuerde ..."), QStringLiteral("RECORDATORIO"), Icono::Ninguno, Botones::SiNo};
  EXPECT_EQ(mostrar(sino, QString(), v4), Respuesta::No);
  EXPECT_EQ(v4.omision, QStringLiteral("&No"));
  EXPECT_EQ(v4.icono, QMessageBox::Question);

  const std::pair<Icono, QMessageBox::Icon> iconos[] = {{Icono::Critico, QMessageBox::Critical},
                                                        {Icono::Informacion, QMessageBox::Information},
                                                        {Icono::Exclamacion, QMessageBox::Warning},
                                                        {Icono::Ninguno, QMessageBox::NoIcon}};
  for (const auto& [nuestro, deQt] : iconos) {
    Visto vi;
    Mensaje aviso{QStringLiteral("Error inesperado # 5"), QStringLiteral("DUDIZOD"), nuestro, Botones::Ok};
    EXPECT_EQ(mostrar(aviso, QStringLiteral("Aceptar"), vi), Respuesta::Ok);
    EXPECT_EQ(vi.icono, deQt);
    EXPECT_EQ(vi.botones, QStringList{QStringLiteral("Aceptar")});
  }
}

TEST_F(QtPrompterTest, FiltrosDeArchivoYPunteroOcupado) {
  QString elegido;
  EXPECT_EQ(QtPrompter::filtroQt(QStringLiteral("Archivos INF|*.inf|Todos|*.*"), 2, &elegido),
            QStringLiteral("Archivos INF (*.inf);;Todos (*.*)"));
  EXPECT_EQ(elegido, QStringLiteral("Todos (*.*)"));
  EXPECT_EQ(QtPrompter::filtroQt(QStringLiteral("description txt|*.txt"), 1, nullptr),
            QStringLiteral("description txt (*.txt)"));
  const std::tuple<const char*, int, const char*> extensiones[] = {
      {"Dudizod 006|*.006", 1, "006"}, {"INF|*.inf|Texto|*.txt", 2, "txt"}, {"Todos|*.*", 1, ""}};
  for (const auto& [filtro, inicial, ext] : extensiones)
    EXPECT_EQ(QtPrompter::extension({QString(), QString::fromUtf8(filtro), inicial}), QString::fromUtf8(ext));
  // A name typed without extension is saved with the kind's own.
  QTemporaryDir dir;
  QTimer::singleShot(0, [] {
    auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    d->selectFile(QStringLiteral("trabajo"));
    QMetaObject::invokeMethod(d, "accept");
  });
  EXPECT_EQ(prompter.guardarArchivo({QString(), QStringLiteral("Dudizod 006|*.006"), 1, dir.path()}),
            dir.filePath(QStringLiteral("trabajo.006")));

  prompter.cursorOcupado(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  prompter.cursorOcupado(true);  // twice is once
  prompter.cursorOcupado(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // A box shown while busy has the normal pointer over it, and the busy one comes back.
  prompter.cursorOcupado(true);
  Visto v;
  Qt::CursorShape durante = Qt::WaitCursor;
  QTimer::singleShot(0, [&] {
    if (QApplication::overrideCursor()) durante = QApplication::overrideCursor()->shape();
  });
  mostrar({QStringLiteral("x"), QStringLiteral("DUDIZOD"), Icono::Ninguno, Botones::Ok}, QStringLiteral("Aceptar"), v);
  EXPECT_EQ(durante, Qt::ArrowCursor);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  prompter.cursorOcupado(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
