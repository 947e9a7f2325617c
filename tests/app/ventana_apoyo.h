#pragma once
// What the window tests share: the application object, keys and clicks on
// grid cells, and pictures of the window for the user guide.
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <functional>

#include "app/mainwindow.h"

// The window as main() makes it: the prompter and the workspace first, the
// window over them last, so the window goes first.
struct ProgramaDePrueba {
  ProgramaDePrueba(const QString& carpeta, Prompter* p, const Reloj* r)
      : relevo(p), espacio(carpeta, relevo, r ? *r : relojPropio) {}
  Reloj relojPropio;
  PrompterVentana relevo;
  Workspace espacio;
};
class Ventana : private ProgramaDePrueba, public MainWindow {
 public:
  // prompter: none for the window's own message boxes and dialogs.
  Ventana(const QString& carpeta, Prompter* prompter, const Reloj* reloj)
      : ProgramaDePrueba(carpeta, prompter, reloj), MainWindow(espacio, relevo) {}
};
#include "workspace/workspace.h"

namespace apoyo {

// The application object of a suite, when no other suite made one; it goes
// with the suite that made it.
class Aplicacion {
 public:
  static void crear() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char arg0[] = "test_app";
    static char* argv[] = {arg0, nullptr};
    propia() = new QApplication(argc, argv);
  }
  static void borrar() {
    delete propia();
    propia() = nullptr;
  }

 private:
  static QApplication*& propia() {
    static QApplication* a = nullptr;
    return a;
  }
};

// What an undo must give back.
struct Foto {
  QStringList tablas;
  EstadoTrabajo estado;
  int col = 0, fila = 0;
  static Foto de(Workspace& ws) {
    Foto f{{}, ws, ws.vaspread1.activeCol(), ws.vaspread1.activeRow()};
    for (Grid* g : {&ws.vaspread1, &ws.vaSpread5, &ws.vaSpread6, &ws.vaSpread7, &ws.vaSpread9}) {
      f.tablas << g->name() + QStringLiteral(" %1 %2 %3 %4").arg(g->storedRows()).arg(g->rowLimit()).arg(g->colLimit()).arg(g->enabled());
      for (int r = 1; r <= g->storedRows(); ++r) {
        QString l = g->rowTexts(r).join(QLatin1Char('|'));
        for (int c = 1; c <= g->colLimit(); ++c)
          if (g->backColor(c, r) != Grid::kSinColor || g->locked(c, r) || !g->dropDownList(c, r).isEmpty())
            l += QStringLiteral(" [%1:%2:%3:%4]").arg(c).arg(g->backColor(c, r), 0, 16).arg(g->locked(c, r)).arg(g->dropDownList(c, r).join(QLatin1Char(',')));
        f.tablas << l;
      }
    }
    return f;
  }
  // The tables and the window state as text (to pass between processes).
  QString texto() const {
    QStringList t = tablas;
    const EstadoTrabajo& e = estado;
    for (const Lista* l : {&e.Combo1, &e.Combo2, &e.Combo3}) t << l->entradas.join(QLatin1Char(',')) << QString::number(l->indice) << l->texto;
    for (const QString& x : e.Text1) t << x;
    t << e.DTPicker1_4.toString(Qt::ISODate) << e.cual_grid << e.archivoTrabajo << QString::number(e.sinGuardar);
    for (const auto& [n, c] : e.controles) t << n + QString::number(c.habilitado) + QString::number(c.visible);
    t << QStringLiteral("%1,%2").arg(col).arg(fila);
    return t.join(QLatin1Char('\n'));
  }
  bool operator==(const Foto& o) const { return tablas == o.tablas && estado == o.estado && col == o.col && fila == o.fila; }
};

// Counts what the event loop hands out.
class Contador : public QObject {
 public:
  int eventos = 0;

 protected:
  bool eventFilter(QObject*, QEvent*) override {
    ++eventos;
    return false;
  }
};

// Runs the event loop until a turn of it has nothing to hand out: the queued
// calls, zero timers, repaints and window-system events that a step set off
// have all run, however many turns they take (and however loaded the machine).
inline void procesar() {
  Contador c;
  QCoreApplication::instance()->installEventFilter(&c);
  for (int vuelta = 0; vuelta < 10000; ++vuelta) {
    c.eventos = 0;
    QCoreApplication::processEvents();
    if (c.eventos == 0) return;
  }
  qFatal("El bucle de eventos no se queda quieto");
}

// While it lives, calls `hacer` with the next modal window to open (a form, a
// message box, a file dialog) from inside that window's own event loop, once it
// shows: never before it is up, however the code that opens it lets the loop
// run first.
class AlAbrirse : public QObject {
 public:
  explicit AlAbrirse(std::function<void(QWidget*)> hacer) : hacer_(std::move(hacer)) {
    QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(o);
    if (e->type() != QEvent::Show || !w || !w->isWindow() || !w->isModal()) return false;
    QCoreApplication::instance()->removeEventFilter(this);
    QMetaObject::invokeMethod(w, [w, hacer = hacer_] { hacer(w); }, Qt::QueuedConnection);
    return false;
  }

 private:
  std::function<void(QWidget*)> hacer_;
};

// Centre of cell (col, row), both from 1, in the view's viewport.
inline QPoint centro(QAbstractItemView* v, int col, int row) {
  return v->visualRect(v->model()->index(row - 1, col - 1)).center();
}

inline void clic(QAbstractItemView* v, int col, int row, Qt::KeyboardModifiers mods = Qt::NoModifier,
                 Qt::MouseButton boton = Qt::LeftButton) {
  QTest::mouseClick(v->viewport(), boton, mods, centro(v, col, row));
  procesar();
}

// Drags the mouse from one cell to another (a range).
inline void arrastrar(QAbstractItemView* v, int col1, int row1, int col2, int row2,
                      Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::mousePress(v->viewport(), Qt::LeftButton, mods, centro(v, col1, row1));
  QMouseEvent mover(QEvent::MouseMove, centro(v, col2, row2), v->viewport()->mapToGlobal(centro(v, col2, row2)),
                    Qt::NoButton, Qt::LeftButton, mods);
  QCoreApplication::sendEvent(v->viewport(), &mover);
  QTest::mouseRelease(v->viewport(), Qt::LeftButton, mods, centro(v, col2, row2));
  procesar();
}

// The widget that takes the keys now: the open editor, else the view.
inline QWidget* destinoTeclas(QWidget* v) {
  QWidget* f = QApplication::focusWidget();
  return f ? f : v;
}

inline void tecla(QWidget* v, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(destinoTeclas(v), k, mods);
  procesar();
}

// Types one character into a widget as the keyboard would (also accented ones).
inline void caracter(QWidget* w, QChar c) {
  if (c.unicode() < 128) {
    QTest::keyClicks(w, QString(c));
    return;
  }
  QKeyEvent abajo(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
  QCoreApplication::sendEvent(w, &abajo);
  QKeyEvent arriba(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
  QCoreApplication::sendEvent(w, &arriba);
}

inline void escribir(QWidget* v, const QString& texto) {
  for (const QChar c : texto) caracter(destinoTeclas(v), c);
  procesar();
}

// With AVISO_CAPTURAS set to a folder, a picture of the widget goes there.
inline void captura(QWidget& w, const QString& nombre) {
  const QString carpeta = qEnvironmentVariable("AVISO_CAPTURAS");
  if (carpeta.isEmpty()) return;
  procesar();
  w.grab().save(carpeta + QLatin1Char('/') + nombre + QStringLiteral(".png"));
}

}  // namespace apoyo
