// One window script: guion_ventana CASO runs CASO/guion against the real main
// window (offscreen, a scripted prompter, the clock at 07/12/2026 10:30) in a
// fresh program folder holding CASO/entrada/, writes the transcript (each
// line, the messages, file dialogs and forms it met, what `volcar` asks) and
// compares it with CASO/salida and the files of CASO/esperado/.
// AVISO_GOLDEN=escribir rewrites both from the run (see tests/README.md).
// The log goes into the transcript only where the script asks for it
// (`volcar log`): the golden folders of aviso-lote hold the rest of it.
//
// Script lines (a line indented two blanks more than the one that opened a
// form acts on that form, while it is open):
//   clic NOMBRE [veces]        menu item, toolbar image or button, by objectName
//   celda VISTA COL FILA [ctrl|shift|derecho]   a click on a cell
//   rango VISTA C1 F1 C2 F2 [ctrl]              a drag over a range
//   tecla TECLA...             keys to the focused widget ("Ctrl+C", "Down*3")
//   escribir TEXTO             typed into the focused widget
//   doble ARBOL FILA           a double click on an entry of a tree
//   foco NOMBRE                the focus to a widget
//   poner NOMBRE TEXTO [shift|doble]  a box or list: its text or entry, as the user picks it
//   si|no|cancelar|ok          the answer to the next question
//   abrir|guardar [RUTA]       the answer to the next file dialog (none: cancelled)
//   portapapeles A>B/C>D       the clipboard (cells by >, rows by /), as a spreadsheet leaves it
//   renglon GRID FILA C1|C2..  cells of a workspace table, then the window shows it
//   volcar NOMBRE...           widgets by objectName; also controles, menus, foco, log (the
//                              log lines written since the last step began) and marcas (the
//                              marks and totals against a review of every line)
//   ver ARCHIVO                a written file, as text
//   cerrar                     the window closed
//   calendario FECHA           a click on a day of the delivery date's calendar
//   reiniciar                  a new start of the program on the same folder
//   foto NOMBRE | igual NOMBRE  a picture of the tables, window state and cursor; the
//                              present against it (igual archivo ARCHIVO: against a file)
//   hijo GUION                 the program killed while it runs GUION on this folder (it
//                              leaves foto.txt), then a new start
//   segunda                    a second window on the same folder, opened and closed
//   elegir N | hoy FECHA       the kept-aside work Recuperar trabajo takes; today's date
//   segundos N                 the clock N seconds on, a look of the recovery copy at a
//                              time, each one's write waited for (pasar runs them at once)
//   disco lleno N|vaciar | disco libre   the recovery copy through a full disk, or not
//   candado PID HOST MINUTOS   a lock of the recovery file left by another window
//   poner_bytes|fifo|carpeta|permisos|cambiar_byte|copiar RUTA [VALOR]   a damaged file in the folder
//   esperar                    the end of a write of the recovery copy going on
//   pasar MS                   the program's clock moves on MS milliseconds (it stands
//                              still otherwise): what falls due runs
//   captura NOMBRE             with AVISO_CAPTURAS set, a picture of the form or the window
// A key that opens a dialog of Qt's own (the print dialog) has it noted and closed.
// `volcar` also knows: menu (the menu open), accesos (the access keys of the
// window and of each menu, or of the open form, and the window's shortcuts),
// encuadre (the form or the window against the available screen).
// A file `pantalla` in the case ("1366 768 1.5") runs it on such a screen at that scale.
#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDialog>
#include <cstdio>
#include <QDir>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextStream>
#include <QToolBar>
#include <QTreeWidget>
#include <sys/stat.h>

#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/candado.h"
#include "app/recuperador.h"
#include "dispositivo_fallido.h"
#include "editing/totales.h"
#include "notice/line_checks.h"
#include "scripted_prompter.h"
#include "ventana_apoyo.h"
#include "workspace/textfile.h"

namespace {

QByteArray leerBytes(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QString leer(const QString& ruta) { return QString::fromUtf8(leerBytes(ruta)); }

const char* kIconos[] = {"sin icono", "información", "exclamación", "crítico", "pregunta"};
const char* kBotones[] = {"Ok", "SiNo", "SiNoCancelar", "OkCancelar"};
const char* kRespuestas[] = {"ok", "si", "no", "cancelar"};

QStringList archivos(const QString& carpeta);

class Guion : public ScriptedPrompter {
 public:
  Guion(const QString& caso, const QString& carpeta, const QString& guion = QStringLiteral("guion"))
      : caso_(caso), carpeta_(carpeta) {
    for (const QString& l : leer(caso + QLatin1Char('/') + guion).split(QLatin1Char('\n')))
      if (!l.trimmed().isEmpty() && !l.trimmed().startsWith(QLatin1Char('#'))) lineas_.append(l);
  }

  // hijo: the run ends with the picture of the tables in foto.txt, and waits to be killed.
  QString correr(bool hijo = false) {
    do {
      reiniciar_ = terminado_ = false;
      if (!hijo_.isEmpty()) matar(std::exchange(hijo_, QString()));
      Ventana w(carpeta_, this, &reloj_);
      w.elegirApartado = [this](const QStringList& o) {
        nota(QStringLiteral("elegir entre: ") + o.join(QStringLiteral(" · ")));
        return elegido_;
      };
      w_ = &w;
      QObject::connect(&w.recuperador(), &Recuperador::aviso, [this](const QString& t) { nota(QStringLiteral("aviso: ") + t); });
      w.ws().pausaDoEvents = 0;  // a repaint at every step, not by the clock: the same run every time
      if (QFile::exists(QDir(caso_).filePath(QStringLiteral("pantalla")))) w.colocarEnPantalla();
      else w.resize(1366, 740);
      std::vector<std::unique_ptr<QAbstractItemModelTester>> revisores;
      for (VistaGrid* v : {w.vistaDetalle(), w.vistaPedidos(), w.vistaResumen()})
        revisores.push_back(std::make_unique<QAbstractItemModelTester>(v->model()));
      w.show();
      QApplication::setActiveWindow(&w);
      apoyo::procesar();
      bloque(0);
      if (hijo) {
        QFile foto(QDir(carpeta_).filePath(QStringLiteral("foto.txt")));
        if (foto.open(QIODevice::WriteOnly)) foto.write(apoyo::Foto::de(w.ws()).texto().toUtf8());
        foto.close();
        std::printf("LISTO\n");
        std::fflush(stdout);
        std::getchar();  // nothing runs any more: the parent kills it (or its end closes this)
      }
      w_ = nullptr;
    } while (reiniciar_);
    if (i_ < lineas_.size()) salida_ += QStringLiteral("sin forma abierta: ") + lineas_[i_] + QLatin1Char('\n');
    return salida_;
  }

  Respuesta mostrar(const Mensaje& m) override {
    const Respuesta r = ScriptedPrompter::mostrar(m);
    nota(QStringLiteral("mensaje %1 %2 «%3» %4 -> %5")
             .arg(QString::fromUtf8(kIconos[int(m.icono)]), QLatin1String(kBotones[int(m.botones)]), m.titulo,
                  QString(m.texto).replace(QStringLiteral("\r\n"), QStringLiteral(" / ")),
                  QLatin1String(kRespuestas[int(r)])));
    return r;
  }
  QString abrirArchivo(const DialogoArchivo& d) override { return archivo(QStringLiteral("abrir"), d, archivosAbrir); }
  QString guardarArchivo(const DialogoArchivo& d) override {
    return archivo(QStringLiteral("guardar"), d, archivosGuardar);
  }
  void beep() override { nota(QStringLiteral("beep")); }
  // The progress bar as the window shows it each time a command lets it repaint.
  void procesarEventos() override {
    if (auto* b = w_ ? w_->findChild<QProgressBar*>(QStringLiteral("ProgressBar1")) : nullptr)
      avance_.append({b->value(), b->maximum()});
  }

  // The real form, acted on by the lines indented under the one that opened it.
  void ejecutarDialogo(DialogoModelo& modelo) override {
    nota(QStringLiteral("forma ") + modelo.forma());
    const int nivel = ++nivel_;
    apoyo::AlAbrirse alAbrirse([this, nivel](QWidget* forma) {
      QApplication::setActiveWindow(forma);
      bloque(nivel);
      if (forma == QApplication::activeModalWidget() && forma->isVisible()) {
        nota(QStringLiteral("la forma queda abierta: se cierra"));
        forma->close();
      }
    });
    w_->qtPrompter().ejecutarDialogo(modelo);
    --nivel_;
    // The window system gives the window back its activation once the command has returned.
    QMetaObject::invokeMethod(
        w_, [this] { QApplication::setActiveWindow(nivel_ ? QApplication::activeModalWidget() : w_); },
        Qt::QueuedConnection);
  }

 private:
  QString archivo(const QString& clase, const DialogoArchivo& d, std::deque<QString>& cola) {
    const QString r = cola.empty() ? QString() : cola.front();
    if (!cola.empty()) cola.pop_front();
    nota(QStringLiteral("%1 «%2» %3 (%4) %5 -> %6")
             .arg(clase, d.titulo, d.filtro)
             .arg(d.filtroInicial)
             .arg(QDir(carpeta_).relativeFilePath(d.carpetaInicial) + QLatin1Char('/') + d.nombre,
                  r.isEmpty() ? QStringLiteral("(cancelado)") : QDir(carpeta_).relativeFilePath(r)));
    return r;
  }

  static int sangria(const QString& l) {
    int n = 0;
    while (n < l.size() && l[n] == QLatin1Char(' ')) ++n;
    return n;
  }

  // Runs the lines of one level; returns at a line of an outer level.
  void bloque(int nivel) {
    while (i_ < lineas_.size() && sangria(lineas_[i_]) == 2 * nivel) {
      const QString linea = lineas_[i_++].trimmed();
      salida_ += QString(2 * nivel, QLatin1Char(' ')) + QStringLiteral("> ") + linea + QLatin1Char('\n');
      const QStringList a = QProcess::splitCommand(linea);
      if (a.value(0) != QLatin1String("volcar")) marcaLog_ = QFileInfo(w_->ws().log.rutaDelDia()).size();
      paso(a);
      apoyo::procesar();
      if (w_->terminado() && !terminado_) nota(QStringLiteral("el programa termina"));
      terminado_ = w_->terminado();
      if (reiniciar_ || (nivel > 0 && !QApplication::activeModalWidget())) return;
    }
  }

  void nota(const QString& t) {
    salida_ += QString(2 * nivel_ + 2, QLatin1Char(' ')) + QString(t).replace(carpeta_, QStringLiteral("DIR")) +
               QLatin1Char('\n');
  }

  // The log lines written since the last step other than `volcar` began (the
  // steps on the forms it opened included), without their time.
  void registro() {
    const QByteArray todo = leerBytes(w_->ws().log.rutaDelDia());
    for (const QString& t : texto::partirLineas(texto::desde1252(todo.mid(marcaLog_))))
      nota(QStringLiteral("log ") + t.mid(t.indexOf(QStringLiteral(", ")) + 2));
  }

  QWidget* raiz() const {
    QWidget* m = QApplication::activeModalWidget();
    return m ? m : w_;
  }
  template <class T>
  T* buscar(const QString& nombre) const {
    if (raiz()->objectName() == nombre)
      if (auto* t = qobject_cast<T*>(raiz())) return t;
    return raiz()->findChild<T*>(nombre);
  }
  // The program run as its own child on the same folder, killed once it
  // has written the picture of its tables: the window dies with work not saved.
  void matar(const QString& guion) {
    QProcess hijo;
    hijo.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hijo"), carpeta_, guion});
    // Each wait ends on output or on the child's end; a child that neither
    // speaks nor ends for a minute fails the script instead of holding it.
    QByteArray salida;
    while (!salida.contains("LISTO") && hijo.waitForReadyRead(60000)) salida += hijo.readAllStandardOutput();
    hijo.kill();
    hijo.waitForFinished();
    nota(salida.contains("LISTO") ? QStringLiteral("el hijo muere") : QStringLiteral("el hijo no llegó: ") + QString::fromUtf8(salida));
  }

  QAbstractItemView* vista(const QString& n) const {
    if (n == QLatin1String("detalle")) return w_->vistaDetalle();
    if (n == QLatin1String("pedidos")) return w_->vistaPedidos();
    return buscar<QAbstractItemView>(n);
  }

  void paso(const QStringList& a) {
    const QString& o = a.value(0);
    if (o == QLatin1String("clic")) return clic(a.value(1), a.value(2, QStringLiteral("1")).toInt());
    if (o == QLatin1String("celda")) return celda(a);
    if (o == QLatin1String("rango")) {
      if (QAbstractItemView* v = vista(a[1]))
        apoyo::arrastrar(v, a[2].toInt(), a[3].toInt(), a[4].toInt(), a[5].toInt(),
                         a.value(6) == QLatin1String("ctrl") ? Qt::ControlModifier : Qt::NoModifier);
      return;
    }
    if (o == QLatin1String("tecla")) {
      for (int k = 1; k < a.size(); ++k) teclas(a[k]);
      return;
    }
    if (o == QLatin1String("escribir")) return apoyo::escribir(raiz(), a.mid(1).join(QLatin1Char(' ')));
    if (o == QLatin1String("foco")) {
      if (auto* f = buscar<QWidget>(a.value(1))) f->setFocus(Qt::TabFocusReason);
      return;
    }
    if (o == QLatin1String("poner")) return poner(a.value(1), a.value(2), a.value(3));
    if (o == QLatin1String("doble")) {
      if (auto* t = buscar<QTreeWidget>(a.value(1))) emit t->itemDoubleClicked(t->topLevelItem(a.value(2).toInt() - 1), 0);
      return;
    }
    for (int r = 0; r < 4; ++r)
      if (o == QLatin1String(kRespuestas[r])) return respuestas.push_back(Respuesta(r));
    if (o == QLatin1String("abrir") || o == QLatin1String("guardar")) {
      const QString ruta = a.size() > 1 ? QDir(carpeta_).absoluteFilePath(a[1]) : QString();
      (o == QLatin1String("abrir") ? archivosAbrir : archivosGuardar).push_back(ruta);
      return;
    }
    if (o == QLatin1String("renglon")) return renglon(a);
    if (o == QLatin1String("portapapeles"))
      return escribirPortapapeles(a.value(1).replace(QLatin1Char('>'), QLatin1Char('\t')).replace(QLatin1Char('/'), QStringLiteral("\r\n")));
    if (o == QLatin1String("volcar")) {
      for (int k = 1; k < a.size(); ++k) volcar(a[k]);
      return;
    }
    if (o == QLatin1String("ver")) return ver(a.value(1));
    if (o == QLatin1String("captura")) return apoyo::captura(*raiz(), a.value(1));
    if (o == QLatin1String("cerrar")) return void(w_->close());
    if (o == QLatin1String("calendario")) return calendario(QDate::fromString(a.value(1), QStringLiteral("dd/MM/yyyy")));
    if (o == QLatin1String("foto")) return void(fotos_[a.value(1)] = apoyo::Foto::de(w_->ws()).texto());
    if (o == QLatin1String("igual")) return igual(a.value(1) == QLatin1String("archivo") ? leer(QDir(carpeta_).filePath(a.value(2))) : fotos_.value(a.value(1)), a.mid(1).join(QLatin1Char(' ')));
    if (o == QLatin1String("segundos")) {
      // A copy still being written puts the next one off to a later look: each look waits for it.
      for (int ms = a.value(1).toInt() * 1000; ms > 0; ms -= Recuperador::kMirada) {
        w_->recuperador().esperar();
        reloj_.avanzar(qMin(ms, Recuperador::kMirada));
      }
      return w_->recuperador().esperar();
    }
    if (o == QLatin1String("esperar")) return w_->recuperador().esperar();
    if (o == QLatin1String("disco")) return disco(a.value(1), a.value(2));
    if (o == QLatin1String("candado")) return candado(a.value(1), a.value(2), a.value(3).toInt());
    if (o == QLatin1String("poner_bytes") || o == QLatin1String("fifo") || o == QLatin1String("carpeta") ||
        o == QLatin1String("permisos") || o == QLatin1String("cambiar_byte") || o == QLatin1String("copiar"))
      return archivoRaro(o, QDir(carpeta_).filePath(a.value(1)), a.value(2));
    if (o == QLatin1String("pasar")) return reloj_.avanzar(a.value(1).toInt());
    if (o == QLatin1String("elegir")) return void(elegido_ = a.value(1).toInt());
    if (o == QLatin1String("hoy")) return reloj_.poner(QDateTime(QDate::fromString(a.value(1), QStringLiteral("dd/MM/yyyy")), QTime(10, 30)));
    if (o == QLatin1String("segunda")) {
      Ventana otra(carpeta_, this, &reloj_);
      nota(QStringLiteral("segunda ventana: ") + otra.findChild<QLabel*>(QStringLiteral("archivoTrabajo"))->text());
      return;
    }
    if (o == QLatin1String("hijo")) {
      hijo_ = QDir(caso_).filePath(a.value(1));
      reiniciar_ = true;
      return;
    }
    if (o == QLatin1String("reiniciar")) {
      reiniciar_ = true;
      return;
    }
    nota(QStringLiteral("línea desconocida"));
  }

  // disco lleno N: the recovery copy goes through a disk that takes N bytes
  // (vaciar: every write, and the final flush fails); disco libre: the real one.
  void disco(const QString& que, const QString& limite) {
    Recuperador& r = w_->recuperador();
    if (que == QLatin1String("libre")) {
      r.destino = [](const QString& ruta) { return std::make_unique<texto::Reemplazo>(ruta); };
      return;
    }
    const qint64 n = limite == QLatin1String("vaciar") ? ReemplazoFallido::kAlVaciar : limite.toLongLong();
    r.destino = [n](const QString& ruta) { return std::make_unique<ReemplazoFallido>(ruta, n); };
  }

  // A lock of the recovery file as a window leaves it: PID yo (this process),
  // muerto (none) or a number; HOST este or another name; refreshed so many
  // minutes before the clock.
  void candado(const QString& pid, const QString& host, int minutos) {
    const qint64 n = pid == QLatin1String("yo") ? Candado::pidPropio() : pid == QLatin1String("muerto") ? 99999999 : pid.toLongLong();
    QFile f(QDir(carpeta_).filePath(QStringLiteral("recuperacion.lock")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return nota(QStringLiteral("no se puede escribir"));
    f.write(Candado::contenido(n, Candado::programaDe(n), host == QLatin1String("este") ? Candado::hostPropio() : host,
                               reloj_.ahora().addSecs(-60 * minutos)));
  }

  // What a damaged folder holds in a file's place: poner_bytes RUTA HEX (the
  // bytes, none for an empty file), fifo RUTA, carpeta RUTA, permisos RUTA
  // OCTAL, cambiar_byte RUTA N (byte N inverted, counted from 0; negative from
  // the end), copiar RUTA ARCHIVO (a file of the case folder).
  void archivoRaro(const QString& o, const QString& ruta, const QString& valor) {
    bool hecho = true;
    if (o == QLatin1String("cambiar_byte")) {
      QByteArray b = leerBytes(ruta);
      const qsizetype i = valor.toLongLong() < 0 ? b.size() + valor.toLongLong() : valor.toLongLong();
      if (i < 0 || i >= b.size()) return nota(QStringLiteral("no hay byte %1").arg(valor));
      b[i] = static_cast<char>(~b[i]);
      QFile f(ruta);
      hecho = f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(b) == b.size();
    } else if (o != QLatin1String("permisos")) {
      QFile::remove(ruta);
      QDir(ruta).removeRecursively();
    }
    if (o == QLatin1String("copiar")) hecho = QFile::copy(QDir(caso_).filePath(valor), ruta);
    if (o == QLatin1String("poner_bytes")) {
      QFile f(ruta);
      hecho = f.open(QIODevice::WriteOnly) && f.write(QByteArray::fromHex(valor.toLatin1())) >= 0;
    } else if (o == QLatin1String("fifo")) {
      hecho = ::mkfifo(QFile::encodeName(ruta).constData(), 0644) == 0;
    } else if (o == QLatin1String("carpeta")) {
      hecho = QDir().mkpath(ruta + QStringLiteral("/dentro"));
    } else if (o == QLatin1String("permisos")) {
      hecho = ::chmod(QFile::encodeName(ruta).constData(), static_cast<mode_t>(valor.toUInt(nullptr, 8))) == 0;
    }
    if (!hecho) nota(QStringLiteral("no se pudo"));
  }

  void clic(const QString& nombre, int veces) {
    for (int k = 0; k < veces; ++k) {
      cerrarDialogoPropio();
      QAction* x = QApplication::activeModalWidget() ? buscar<QAction>(nombre) : w_->accion(nombre);
      if (x) {
        if (!x->isEnabled()) return nota(QStringLiteral("cerrado"));
        x->trigger();
      } else if (auto* b = buscar<QAbstractButton>(nombre)) {
        if (!b->isEnabled()) return nota(QStringLiteral("cerrado"));
        b->click();
      } else {
        return nota(QStringLiteral("no existe"));
      }
      apoyo::procesar();
    }
  }

  void celda(const QStringList& a) {
    QAbstractItemView* v = vista(a.value(1));
    if (!v) return nota(QStringLiteral("no existe"));
    const QString m = a.value(4);
    const Qt::KeyboardModifiers mods = m == QLatin1String("ctrl")    ? Qt::ControlModifier
                                       : m == QLatin1String("shift") ? Qt::ShiftModifier
                                                                     : Qt::NoModifier;
    apoyo::clic(v, a[2].toInt(), a[3].toInt(), mods, m == QLatin1String("derecho") ? Qt::RightButton : Qt::LeftButton);
    if (m == QLatin1String("derecho")) {
      const QPoint p = apoyo::centro(v, a[2].toInt(), a[3].toInt());
      QContextMenuEvent e(QContextMenuEvent::Mouse, p, v->viewport()->mapToGlobal(p));
      QCoreApplication::sendEvent(v->viewport(), &e);
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        nota(QStringLiteral("menú ") + menu->objectName());
        menu->close();
      }
    }
  }

  // "Ctrl+C", "Down*3": one key with its modifiers, so many times; an open
  // menu takes them first.
  void teclas(const QString& t) {
    const QStringList partes = t.split(QLatin1Char('*'));
    const QKeyCombination k = QKeySequence::fromString(partes[0])[0];
    for (int n = partes.value(1, QStringLiteral("1")).toInt(); n > 0; --n) {
      cerrarDialogoPropio();
      QWidget* menu = QApplication::activePopupWidget();
      if (menu) QTest::keyClick(menu->focusWidget() ? menu->focusWidget() : menu, k.key(), k.keyboardModifiers()), apoyo::procesar();
      else apoyo::tecla(raiz(), k.key(), k.keyboardModifiers());
    }
  }

  // A dialog of Qt's own that opens under the next key: noted (with the file
  // it offers) and closed.
  void cerrarDialogoPropio() {
    QTimer::singleShot(0, [this, antes = QPointer<QWidget>(QApplication::activeModalWidget()), nivel = nivel_] {
      auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!d || d == antes || nivel_ != nivel) return;  // none, or a form the script acts on
      QString t = QStringLiteral("se abre ") + QString::fromLatin1(d->metaObject()->className()) + QStringLiteral(" «") + d->windowTitle() + QStringLiteral("»");
      if (auto* archivo = d->findChild<QLineEdit*>(QStringLiteral("filename")))
        t += QStringLiteral(" archivo ") + QString(archivo->text()).replace(QDir::homePath(), QStringLiteral("HOME"));
      nota(t + QStringLiteral(": se cierra"));
      d->reject();
    });
  }

  // The letter after the access-key marker ('\0' none).
  static QChar acceso(const QString& texto) {
    for (qsizetype i = 0; i + 1 < texto.size(); ++i) {
      if (texto[i] != QLatin1Char('&')) continue;
      if (texto[i + 1] != QLatin1Char('&')) return texto[i + 1].toUpper();
      ++i;
    }
    return QChar();
  }
  // One scope's access keys, sorted, and any that repeats.
  void alcance(const QString& nombre, const QStringList& textos) {
    QStringList letras;
    QStringList repetidas;
    for (const QString& x : textos) {
      const QChar c = acceso(x);
      if (c.isNull()) continue;
      if (letras.contains(QString(c))) repetidas.append(QString(c) + QStringLiteral(" («") + x + QStringLiteral("»)"));
      letras.append(QString(c));
    }
    letras.sort();
    nota(QStringLiteral("accesos %1: %2").arg(nombre, letras.join(QLatin1Char(' '))) +
         (repetidas.isEmpty() ? QString() : QStringLiteral(" REPETIDAS ") + repetidas.join(QLatin1Char(' '))));
  }
  static QStringList textosVisibles(QWidget* raizAlcance) {
    QStringList t;
    for (QWidget* x : raizAlcance->findChildren<QWidget*>()) {
      if (!x->isVisibleTo(raizAlcance) || qobject_cast<QMenu*>(x)) continue;
      if (auto* b = qobject_cast<QAbstractButton*>(x)) t.append(b->text());
      else if (auto* l = qobject_cast<QLabel*>(x); l && l->buddy()) t.append(l->text());
      else if (auto* g = qobject_cast<QGroupBox*>(x)) t.append(g->title());
    }
    return t;
  }
  void menuAccesos(QMenu* m) {
    QStringList t;
    for (QAction* a : m->actions())
      if (a->isVisible() && !a->isSeparator()) t.append(a->text());
    alcance(m->objectName(), t);
    for (QAction* a : m->actions())
      if (a->menu()) menuAccesos(a->menu());
  }
  void accesos() {
    if (QWidget* f = QApplication::activeModalWidget()) return alcance(f->objectName(), textosVisibles(f));
    QStringList t = textosVisibles(w_);
    for (QAction* m : w_->menuBar()->actions()) t.append(m->text());
    alcance(QStringLiteral("ventana"), t);
    for (QAction* m : w_->menuBar()->actions()) menuAccesos(m->menu());
    // The window's shortcuts, each once (a key left to the focused control is no window shortcut).
    QStringList atajos, repetidos;
    auto uno = [&](const QKeySequence& k) {
      const QString s = k.toString();
      if (s.isEmpty()) return;
      if (atajos.contains(s)) repetidos.append(s);
      atajos.append(s);
    };
    for (QAction* a : w_->findChildren<QAction*>())
      if (a->shortcutContext() != Qt::WidgetShortcut)
        for (const QKeySequence& k : a->shortcuts()) uno(k);
    for (QShortcut* a : w_->findChildren<QShortcut*>())
      if (a->context() != Qt::WidgetShortcut) uno(a->key());
    atajos.sort();
    nota(QStringLiteral("atajos: ") + atajos.join(QLatin1Char(' ')) +
         (repetidos.isEmpty() ? QString() : QStringLiteral(" REPETIDOS ") + repetidos.join(QLatin1Char(' '))));
  }

  // The form (or the window) and its buttons inside the available screen.
  void encuadre() {
    QWidget* f = raiz();
    const QRect zona = f->screen()->availableGeometry(), marco = f->frameGeometry();
    QStringList fuera;
    for (QPushButton* b : f->findChildren<QPushButton*>()) {
      if (!b->isVisibleTo(f)) continue;
      const QRect r(b->mapTo(f, QPoint()), b->size());
      if (!f->rect().contains(r) || b->visibleRegion().isEmpty()) fuera.append(b->objectName().isEmpty() ? b->text() : b->objectName());
    }
    if (f == w_) {  // the main window: every part of it in view, the tool bar whole
      for (const QString& n : QStringLiteral("vaspread1 vaSpread9 vaSpread5 Combo2 DTPicker1_4 Combo3 Text1_2 Text1_3 Text1_6 "
                                             "Text1_7 Command1 StatusBar1 Output ProgressBar1 panel2 panel3 archivoTrabajo renglonesMarcados totales").split(QLatin1Char(' '))) {
        auto* c = f->findChild<QWidget*>(n);
        if (!c || !c->isVisible() || c->height() < 8 || !f->rect().contains(QRect(c->mapTo(f, QPoint()), c->size()))) fuera << n;
      }
      auto* barra = f->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
      for (QAction* a : barra->actions())
        if (!a->isSeparator() && !barra->widgetForAction(a)->isVisible()) fuera << a->objectName();
    }
    nota(QStringLiteral("%1 %2x%3 en %4x%5: ").arg(f->objectName()).arg(marco.width()).arg(marco.height()).arg(zona.width()).arg(zona.height()) +
         (zona.contains(marco) ? QStringLiteral("cabe") : QStringLiteral("NO CABE")) +
         (fuera.isEmpty() ? QString() : QStringLiteral(", botones fuera: ") + fuera.join(QLatin1Char(' '))));
  }

  void poner(const QString& nombre, const QString& texto, const QString& modo) {
    if (auto* c = buscar<QComboBox>(nombre)) {
      c->setFocus();
      c->setCurrentIndex(c->findText(texto));
      emit c->activated(c->currentIndex());
    } else if (auto* l = buscar<QListWidget>(nombre)) {
      const auto items = l->findItems(texto, Qt::MatchExactly);
      if (items.isEmpty()) return nota(QStringLiteral("no existe"));
      const QPoint p = l->visualItemRect(items[0]).center();
      if (modo == QLatin1String("doble")) QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, p);
      else QTest::mouseClick(l->viewport(), Qt::LeftButton, modo == QLatin1String("shift") ? Qt::ShiftModifier : Qt::NoModifier, p);
    } else if (auto* d = buscar<QDateEdit>(nombre)) {
      d->setDate(QDate::fromString(texto, QStringLiteral("dd/MM/yyyy")));
    } else if (auto* e = buscar<QLineEdit>(nombre)) {
      e->setFocus();
      e->selectAll();
      if (texto.isEmpty()) QTest::keyClick(e, Qt::Key_Delete);
      for (const QChar c : texto) apoyo::caracter(e, c);
      apoyo::procesar();
    } else {
      nota(QStringLiteral("no existe"));
    }
  }

  // A click on a day of the delivery date's calendar (it sets the date more than once).
  // The tables, the window state and the cursor against a picture taken before.
  void igual(const QString& foto, const QString& nombre) {
    const QStringList a = foto.split(QLatin1Char('\n')), b = apoyo::Foto::de(w_->ws()).texto().split(QLatin1Char('\n'));
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    nota(a == b ? QStringLiteral("igual a ") + nombre
                : QStringLiteral("distinto de %1 en la línea %2: %3 (antes: %4)").arg(nombre).arg(i + 1).arg(b.value(i), a.value(i)));
  }

  void calendario(const QDate& dia) {
    QCalendarWidget* c = buscar<QDateEdit>(QStringLiteral("DTPicker1_4"))->calendarWidget();
    c->setSelectedDate(dia);
    emit c->clicked(dia);
    emit c->activated(dia);
  }

  void renglon(const QStringList& a) {
    Workspace& ws = w_->ws();
    Grid* g = nullptr;
    for (Grid* x : {&ws.vaspread1, &ws.vaSpread6, &ws.vaSpread9, &ws.vaSpread5})
      if (x->name() == a.value(1)) g = x;
    if (!g) return nota(QStringLiteral("no existe"));
    g->setRowTexts(a[2].toInt(), a.value(3).split(QLatin1Char('|')));
    if (ws.alCambiar) ws.alCambiar();
  }

  void ver(const QString& nombre) {
    const QByteArray b = leerBytes(QDir(carpeta_).filePath(nombre));
    QString t = QString::fromUtf8(b);
    if (t.contains(QChar::ReplacementCharacter)) t = texto::desde1252(b);
    for (const QString& l : texto::partirLineas(t)) nota(QStringLiteral("| ") + l);
  }

  static QString estado(QWidget* w) { return w->isEnabled() ? QString() : QStringLiteral(" (cerrado)"); }

  void volcar(const QString& n) {
    if (n == QLatin1String("controles")) return controles();
    if (n == QLatin1String("menus")) {
      for (QAction* m : w_->menuBar()->actions()) menu(m, 0);
      return;
    }
    if (n == QLatin1String("foco")) {
      QWidget* f = QApplication::focusWidget();
      QString t = f ? f->objectName() : QStringLiteral("(nadie)");
      QAbstractItemView* v = w_->vistaDetalle();
      for (QWidget* p = f; p; p = p->parentWidget())
        if (auto* x = qobject_cast<QAbstractItemView*>(p)) {
          if (p != f) t = p->objectName() + QStringLiteral(" (editor: ") + valor(f) + QLatin1Char(')');
          v = x;
          break;
        }
      const QModelIndex c = v->currentIndex();
      return nota(QStringLiteral("foco %1 (%2 %3,%4)").arg(t, v->objectName()).arg(c.column() + 1).arg(c.row() + 1));
    }
    if (n == QLatin1String("forma")) return volcarForma();
    if (n == QLatin1String("log")) return registro();
    if (n == QLatin1String("accesos")) return accesos();
    if (n == QLatin1String("encuadre")) return encuadre();
    if (n == QLatin1String("menu")) {
      QWidget* m = QApplication::activePopupWidget();
      return nota(!m ? QStringLiteral("ningún menú abierto")
                     : QStringLiteral("menú abierto: ") + (m->objectName().isEmpty() ? QString::fromLatin1(m->metaObject()->className()) : m->objectName()));
    }
    if (n == QLatin1String("avance")) return avance();
    if (n == QLatin1String("marcas")) return marcas();
    if (n == QLatin1String("archivos")) return nota(QStringLiteral("archivos: ") + archivos(carpeta_).join(QLatin1Char(' ')));
    if (n == QLatin1String("portapapeles"))
      return nota(QStringLiteral("portapapeles: ") + leerPortapapeles().replace(QLatin1Char('\t'), QLatin1Char('>')).replace(QStringLiteral("\r\n"), QStringLiteral(" / ")));
    if (n == QLatin1String("barra")) {
      for (QAction* a : w_->findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions())
        if (!a->objectName().isEmpty())
          nota(a->objectName() + QStringLiteral(" «") + a->toolTip() + QString::fromUtf8(a->icon().isNull() ? "» sin imagen" : "»"));
      return;
    }
    if (auto* v = qobject_cast<QTableView*>(vista(n))) return tabla(n, v);
    QWidget* w = buscar<QWidget>(n);
    if (QAction* a = w ? nullptr : w_->accion(n))
      return nota(n + QStringLiteral(": ") + a->text() + QStringLiteral(" «") + a->toolTip() + QStringLiteral("»") +
                  QLatin1String(a->isEnabled() ? "" : " (cerrado)"));
    if (!w) return nota(n + QStringLiteral(" no existe"));
    if (auto* t = qobject_cast<QTreeWidget*>(w)) {
      nota(n + QLatin1Char(':'));
      for (int i = 0; i < t->topLevelItemCount(); ++i) rama(t->topLevelItem(i), 1);
      return;
    }
    nota(n + QStringLiteral(": ") + valor(w) + estado(w));
  }

  // The window's marks and totals, which follow the changes, against a
  // review of every line of the same table (the checks before a notice and
  // the totals counted over all lines), line by line.
  void marcas() {
    apoyo::procesar();
    const MarcasDetalle& m = w_->marcas();
    const Grid& g = w_->ws().vaspread1;
    const RevisionDetalle rev(g, w_->ws().vaSpread9);
    QStringList diferencias;
    int errores = 0, avisos = 0;
    auto cuenta = [](const Cuenta& c) { return QStringLiteral("%1/%2/%3").arg(c.lineas).arg(c.piezas).arg(c.contenedores); };
    auto totales = [&](const Totales& t) { return cuenta(t.envio) + QLatin1Char(' ') + cuenta(t.orden) + QLatin1Char(' ') + cuenta(t.contenedor); };
    for (int f = 0; f <= rev.lineas(); ++f) {
      if (f > 0) {
        const RevisionLinea r = rev.linea(f);
        const RevisionLinea* s = m.linea(f);
        if (r.rechazada()) ++errores;
        else if (r.avisos) ++avisos;
        if (!s || s->cantidad != r.cantidad || s->contenedor != r.contenedor || s->coherencia != r.coherencia || s->avisos != r.avisos)
          diferencias << QStringLiteral("marcas del renglón %1").arg(f);
      }
      if (totales(m.totales(f)) != totales(contarEnvio(g, f)))
        diferencias << QStringLiteral("totales del renglón %1: %2 en vez de %3").arg(f).arg(totales(m.totales(f)), totales(contarEnvio(g, f)));
    }
    if (m.linea(rev.lineas() + 1)) diferencias << QStringLiteral("sobran renglones");
    if (m.errores() != errores || m.avisos() != avisos) diferencias << QStringLiteral("cuentas %1/%2").arg(m.errores()).arg(m.avisos());
    nota(QStringLiteral("marcas: %1 renglones, %2 con error, %3 con aviso, %4; %5")
             .arg(rev.lineas()).arg(errores).arg(avisos)
             .arg(m.completa() ? QStringLiteral("revisión completa") : QStringLiteral("%1 renglones revisados").arg(m.revisadas()))
             .arg(diferencias.isEmpty() ? QStringLiteral("igual que revisar todo") : QStringLiteral("DISTINTO: ") + diferencias.join(QStringLiteral("; "))));
  }

  // What a widget shows, in one line.
  static QString valor(QWidget* w) {
    if (auto* x = qobject_cast<QLineEdit*>(w)) return x->text();
    if (auto* x = qobject_cast<QDateEdit*>(w)) return x->date().toString(QStringLiteral("dd/MM/yyyy"));
    if (auto* x = qobject_cast<QComboBox*>(w)) {
      QStringList t;
      for (int i = 0; i < x->count(); ++i) t.append(x->itemText(i));
      return x->currentText() + QStringLiteral(" [") + t.join(QLatin1Char('|')) + QLatin1Char(']');
    }
    if (auto* x = qobject_cast<QLabel*>(w)) return x->text();
    if (auto* x = qobject_cast<QGroupBox*>(w)) return x->title();
    if (auto* x = qobject_cast<QPlainTextEdit*>(w)) {
      const QTextCursor c = x->textCursor();
      return QStringLiteral("%1 líneas, cursor en la %2 columna %3 «%4»")
          .arg(x->document()->blockCount())
          .arg(c.blockNumber() + 1)
          .arg(c.selectionStart() - c.block().position() + 1)
          .arg(c.selectedText());
    }
    if (auto* x = qobject_cast<QTextEdit*>(w)) return x->toPlainText().replace(QLatin1Char('\n'), QStringLiteral(" / "));
    if (auto* x = qobject_cast<QAbstractButton*>(w))
      return x->text() + (x->toolTip().isEmpty() ? QString() : QStringLiteral(" «") + x->toolTip() + QStringLiteral("»"));
    if (auto* x = qobject_cast<QProgressBar*>(w))
      return QStringLiteral("%1 de %2").arg(x->value()).arg(x->maximum()) + QLatin1String(x->isVisible() ? "" : " (oculta)");
    if (auto* x = qobject_cast<QPrintPreviewWidget*>(w)) return QStringLiteral("%1 páginas").arg(x->pageCount());
    if (auto* x = qobject_cast<QListWidget*>(w)) {
      QStringList t;
      for (int i = 0; i < x->count(); ++i) t.append(QLatin1String(x->item(i)->isSelected() ? "*" : "") + x->item(i)->text());
      return t.join(QLatin1Char('|')) + QLatin1String(x->horizontalScrollBar()->maximum() > 0 ? " (con barra)" : "");
    }
    if (auto* x = qobject_cast<QStatusBar*>(w)) {
      QStringList t;
      for (QLabel* l : x->findChildren<QLabel*>())
        if (l->isVisible() && !l->text().isEmpty()) t.append(l->text());
      return t.join(QStringLiteral(" · "));
    }
    return w->windowTitle();
  }

  void rama(QTreeWidgetItem* it, int nivel) {
    QStringList t;
    for (int c = 0; c < it->columnCount(); ++c) t.append(it->text(c));
    nota(QString(2 * nivel, QLatin1Char(' ')) + t.join(QStringLiteral(" | ")));
    for (int i = 0; i < it->childCount(); ++i) rama(it->child(i), nivel + 1);
  }

  // How the bar went since the last look: its count, in order, to the end; then at rest.
  void avance() {
    int tope = 1;
    for (const QPoint& p : avance_) tope = qMax(tope, p.y());
    QVector<int> contados;
    for (const QPoint& p : avance_)
      if (p.y() == tope && tope > 1) contados.append(p.x());
    auto* b = w_->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    nota(QStringLiteral("avance: ") +
         (contados.isEmpty() ? QStringLiteral("sin cuenta")
                             : QStringLiteral("cuenta %1 de %2, %3 por paso")
                                   .arg(contados.last())
                                   .arg(tope)
                                   .arg(std::is_sorted(contados.begin(), contados.end()) &&
                                                contados.size() >= tope && contados.first() <= 1
                                            ? QStringLiteral("renglón")
                                            : QStringLiteral("a saltos"))) +
         (b->maximum() == 1 && b->value() == 0 ? QStringLiteral(", en reposo") : QStringLiteral(", sin reposo")));
    avance_.clear();
  }

  // The active form: its title and every named widget that shows something.
  void volcarForma() {
    QWidget* f = raiz();
    nota(f->objectName() + QStringLiteral(" «") + f->windowTitle() + QStringLiteral("»"));
    for (QWidget* w : f->findChildren<QWidget*>()) {
      if (auto* v = qobject_cast<QTableView*>(w)) {
        tabla(v->objectName(), v);
      } else if (auto* p = qobject_cast<QPrintPreviewWidget*>(w)) {
        nota(QStringLiteral("  vista previa: ") + valor(p));
      } else if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) &&
                 w->isVisibleTo(f)) {
        nota(QStringLiteral("  ") + w->objectName() + QStringLiteral(": ") + valor(w) + estado(w));
      } else if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty() && l->isVisibleTo(f)) {
        nota(QStringLiteral("  «") + l->text() + QStringLiteral("»"));
      }
    }
  }

  // A grid as the view shows it: headings, cells, colours and marks, the cursor.
  void tabla(const QString& n, QTableView* v) {
    auto* g = qobject_cast<VistaGrid*>(v);
    QAbstractItemModel* m = v->model();
    QStringList t;
    for (int c = 0; c < m->columnCount(); ++c) {
      const QString tip = m->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
      t.append(m->headerData(c, Qt::Horizontal).toString() + (tip.isEmpty() ? QString() : QStringLiteral("<«%1»>").arg(tip)));
    }
    nota(QStringLiteral("%1 (cursor %2,%3): ").arg(n).arg(v->currentIndex().column() + 1).arg(v->currentIndex().row() + 1) +
         t.join(QLatin1Char('|')));
    for (int r = 0; r < m->rowCount(); ++r) {
      QStringList celdas;
      for (int c = 0; c < m->columnCount(); ++c) {
        QString s = m->data(m->index(r, c)).toString();
        const QVariant fondo = m->data(m->index(r, c), Qt::BackgroundRole);
        if (fondo.isValid()) s += QLatin1Char('{') + fondo.value<QColor>().name() + QLatin1Char('}');
        if (const int k = g && g->delegado()->marca ? g->delegado()->marca(c + 1, r + 1) : 0) s += QLatin1String(k == 2 ? "<E>" : "<A>");
        const QString tip = m->data(m->index(r, c), Qt::ToolTipRole).toString();
        if (!tip.isEmpty()) s += QStringLiteral("<«") + QString(tip).replace(QLatin1Char('\n'), QStringLiteral(" / ")) + QStringLiteral("»>");
        celdas.append(s);
      }
      nota(QStringLiteral("  %1: ").arg(r + 1) + celdas.join(QLatin1Char('|')));
    }
  }

  void menu(QAction* a, int nivel) {
    // The caption as specified (the access-key marker taken out), then its key.
    const QChar k = acceso(a->text());
    QString t = QString(2 * nivel, QLatin1Char(' ')) + a->objectName() + QStringLiteral(" «") +
                QString(a->text()).remove(QRegularExpression(QStringLiteral("&(?!&)"))) + QStringLiteral("»") +
                (k.isNull() ? QString() : QStringLiteral(" [") + k + QLatin1Char(']'));
    if (!a->shortcut().isEmpty()) t += QLatin1Char(' ') + a->shortcut().toString();
    nota(t + QLatin1String(a->isEnabled() ? "" : " (cerrado)") + QLatin1String(a->isVisible() ? "" : " (oculto)") +
         QLatin1String(w_->conectado(a->objectName()) || a->menu() ? "" : " (sin comando)"));
    if (a->menu())
      for (QAction* s : a->menu()->actions())
        if (!s->isSeparator()) menu(s, nivel + 1);
  }

  void controles() {
    QStringList cerrados;
    for (QAction* a : w_->findChildren<QAction*>())
      if (!a->objectName().isEmpty() && !a->isEnabled()) cerrados.append(a->objectName());
    for (QWidget* x : w_->findChildren<QWidget*>())
      if (!x->objectName().isEmpty() && !x->objectName().startsWith(QLatin1String("qt_")) && !x->isEnabled())
        cerrados.append(x->objectName());
    cerrados.sort();
    cerrados.removeDuplicates();
    nota(QStringLiteral("cerrados: ") + cerrados.join(QLatin1Char(' ')));
  }

  QString caso_, carpeta_;
  QStringList lineas_;
  RelojFijo reloj_{QDateTime(QDate(2026, 12, 7), QTime(10, 30, 0))};
  QHash<QString, QString> fotos_;
  QString hijo_;         // a script the program runs as its child before the next start
  int elegido_ = -1;     // the kept-aside work Recuperar trabajo... takes
  qsizetype i_ = 0;
  int nivel_ = 0;
  bool reiniciar_ = false;
  bool terminado_ = false;  // a new start of the program on the same folder
  qint64 marcaLog_ = 0;  // the log's size when the last step began
  MainWindow* w_ = nullptr;
  QVector<QPoint> avance_;  // (value, maximum) of the bar at each repaint
  QString salida_;
};

// The files of `carpeta`, relative, sorted.
QStringList archivos(const QString& carpeta) {
  QStringList r;
  QDirIterator it(carpeta, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) r.append(QDir(carpeta).relativeFilePath(it.next()));
  r.sort();
  return r;
}

bool copiar(const QString& de, const QString& a) {
  QDir().mkpath(QFileInfo(a).path());
  QFile::remove(a);
  return QFile::copy(de, a);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // A screen of its own: "ANCHO ALTO ESCALA" in the case's file pantalla.
  QTemporaryDir config;
  if (argc == 2) {
    const QStringList p = leer(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("pantalla"))).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (p.size() == 3) {
      QFile f(config.filePath(QStringLiteral("pantalla.json")));
      if (f.open(QIODevice::WriteOnly))
        f.write(QStringLiteral(R"({"windowFrameMargins": false, "screens": [{"name": "P", "x": 0, "y": 0, "width": %1, "height": %2, "logicalDpi": 96}]})")
                    .arg(p[0], p[1]).toUtf8());
      f.close();
      qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + f.fileName().toLocal8Bit());
      qputenv("QT_SCALE_FACTOR", p[2].trimmed().toLocal8Bit());
    }
  }
  QApplication app(argc, argv);
  if (argc == 4 && QByteArray(argv[1]) == "--hijo") {
    // The child of `hijo`: its script on the parent's folder, then the picture, then it waits to be killed.
    const QString carpeta = QString::fromLocal8Bit(argv[2]), guion = QString::fromLocal8Bit(argv[3]);
    Guion g(QFileInfo(guion).path(), carpeta, QFileInfo(guion).fileName());
    g.correr(true);
    return 0;
  }
  const QString caso = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QTemporaryDir dir;
  for (const QString& f : archivos(caso + QStringLiteral("/entrada")))
    copiar(caso + QStringLiteral("/entrada/") + f, dir.filePath(f));
  QString salida = Guion(caso, dir.path()).correr();
  for (const QString& f : archivos(dir.path())) salida += QStringLiteral("archivo: ") + f + QLatin1Char('\n');
  const bool escribir = qEnvironmentVariable("AVISO_GOLDEN") == QLatin1String("escribir");
  const QString esperada = caso + QStringLiteral("/salida");
  int falla = 0;
  if (escribir) {
    QFile f(esperada);
    if (f.open(QIODevice::WriteOnly)) f.write(salida.toUtf8());
  } else if (leer(esperada) != salida) {
    QFile f(QDir::current().filePath(QFileInfo(caso).fileName() + QStringLiteral(".salida")));
    if (f.open(QIODevice::WriteOnly)) f.write(salida.toUtf8());
    QTextStream(stderr) << "La transcripción difiere: diff -u " << esperada << ' ' << f.fileName() << '\n';
    falla = 1;
  }
  for (const QString& f : archivos(caso + QStringLiteral("/esperado"))) {
    const QString hecho = dir.filePath(f), guardado = caso + QStringLiteral("/esperado/") + f;
    if (escribir) copiar(hecho, guardado);
    else if (!QFile::exists(hecho) || leerBytes(hecho) != leerBytes(guardado)) {
      QTextStream(stderr) << "Difiere el archivo " << f << '\n';
      falla = 1;
    }
  }
  return falla;
}
