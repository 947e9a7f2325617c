// The main window for a clerk at speed: shortcuts, F6 between the zones, the
// find bar, the marks of the detail grid with F8, the totals, the user guide,
// and the window's size and place on its screen.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/barra_busqueda.h"
#include "app/campo_fecha.h"
#include "app/gridmodel.h"
#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/tabla_comandos.h"
#include "editing/totales.h"
#include "workfile/workfile.h"
#include "workspace/columnas.h"

namespace {

const QString kGuia = QStringLiteral("guia_usuario.md");

QString cuenta(const QString& nombre, const Cuenta& c, bool conContenedores) {
  QString t = QStringLiteral("%1: %2 ren. %3 pzs.").arg(nombre).arg(c.lineas).arg(c.piezas);
  if (conContenedores) t += QStringLiteral(" %1 cont.").arg(c.contenedores);
  return t;
}

}  // namespace

void MainWindow::crearAtajos() {
  revision_ = new QTimer(this);
  revision_->setSingleShot(true);
  revision_->setInterval(0);
  connect(revision_, &QTimer::timeout, this, [this] {
    if (!ocupado_) revisarDetalle();  // a running command's end starts it again
  });
  // The totals of the current line follow the cursor; a move alone does not
  // review the lines again.
  connect(vaspread1_->selectionModel(), &QItemSelectionModel::currentChanged, revision_, [this] { revision_->start(); });
  vaspread1_->delegado()->marca = [this](int col, int fila) { return static_cast<int>(marcas_.marca(col, fila)); };
  modelo1_->tipCelda = [this](int col, int fila) { return marcas_.tip(col, fila); };

  buscar_->alBuscar = [this](const Busqueda& b, bool adelante) { return buscarRenglon(b, adelante); };
  buscar_->alCerrar = [this] { vaspread1_->setFocus(Qt::ShortcutFocusReason); };
}

void MainWindow::revisarDetalle() {
  if (!ws_) return;
  if (marcas_.pendiente()) {
    marcas_.seguir();
    vaspread1_->viewport()->update();
  }
  if (marcas_.errores() || marcas_.avisos())
    errores_->setText(QStringLiteral("Con error: %1  Con aviso: %2 (F8)").arg(marcas_.errores()).arg(marcas_.avisos()));
  else
    errores_->setText(QStringLiteral("Sin errores"));
  mostrarTotales();
}

void MainWindow::mostrarTotales() {
  const int fila = vaspread1_->currentIndex().isValid() ? vaspread1_->currentIndex().row() + 1 : 0;
  const Totales t = marcas_.totales(fila);
  QStringList partes{cuenta(QStringLiteral("Envío"), t.envio, true)};
  if (t.orden.lineas) partes << cuenta(QStringLiteral("OC"), t.orden, true);
  if (t.contenedor.lineas) partes << cuenta(QStringLiteral("Cont."), t.contenedor, false);
  totales_->setText(partes.join(QStringLiteral(" | ")));
  totales_->setToolTip(QStringLiteral("Renglones, piezas y contenedores del envío, de la orden y del contenedor del "
                                      "renglón actual"));
}

void MainWindow::irARenglon(int fila, int col) {
  const QModelIndex i = modelo1_->index(fila - 1, col - 1);
  if (!i.isValid()) return;
  vaspread1_->setCurrentIndex(i);
  vaspread1_->scrollTo(vaspread1_->currentIndex());
}

bool MainWindow::buscarRenglon(const Busqueda& b, bool adelante) {
  if (ocupado_) return false;
  vaspread1_->terminarEdicion();
  const QModelIndex actual = vaspread1_->currentIndex();
  const int fila = ::buscarRenglon(ws_->vaspread1, b, actual.isValid() ? actual.row() + 1 : 0, adelante);
  if (!fila) return false;
  irARenglon(fila, actual.isValid() ? actual.column() + 1 : colDetalle::Cantidad);
  return true;
}

Resultado MainWindow::abrirBusqueda() {
  buscar_->abrir();
  return Resultado::Hecho;
}

Resultado MainWindow::buscarOtra(bool adelante) {
  if (!buscar_->buscar(adelante)) buscar_->abrir();
  return Resultado::Hecho;
}

Resultado MainWindow::siguienteMarcado() {
  if (ocupado_) return Resultado::Cancelado;
  vaspread1_->terminarEdicion();
  revisarDetalle();
  const QModelIndex actual = vaspread1_->currentIndex();
  const int fila = marcas_.siguiente(actual.isValid() ? actual.row() + 1 : 0);
  if (!fila) return Resultado::Rechazado;
  irARenglon(fila, marcas_.columnaMarcada(fila));
  vaspread1_->setFocus(Qt::ShortcutFocusReason);
  return Resultado::Hecho;
}

Resultado MainWindow::siguienteZona() {
  if (ocupado_) return Resultado::Cancelado;
  const QList<QWidget*> zonas{vaspread1_, vaSpread9_, DTPicker1_4_, Combo3_};
  QWidget* foco = QApplication::focusWidget();
  int i = -1;
  for (int k = 0; k < zonas.size() && i < 0; ++k)
    if (foco && (foco == zonas[k] || zonas[k]->isAncestorOf(foco))) i = k;
  for (int paso = 1; paso <= zonas.size(); ++paso) {
    QWidget* z = zonas[(i + paso) % zonas.size()];
    if (z->isVisible() && z->isEnabled()) {
      z->setFocus(Qt::TabFocusReason);
      return Resultado::Hecho;
    }
  }
  return Resultado::Rechazado;
}

Resultado MainWindow::mostrarGuia() {
  static QPointer<QDialog> abierta;
  if (abierta) {
    abierta->raise();
    abierta->activateWindow();
    return Resultado::Hecho;
  }
  // The guide travels beside the program.
  QString ruta = ws_->ruta(kGuia);
  if (!QFile::exists(ruta)) ruta = QCoreApplication::applicationDirPath() + QLatin1Char('/') + kGuia;
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) {
    ejecutar([this] {
      ws_->MsgBox(QStringLiteral("No se encontró la guía del usuario (") + kGuia + QStringLiteral(") junto al programa."),
                  Botones::Ok, QStringLiteral("Aviso"), Icono::Informacion);
    });
    return Resultado::Fallido;
  }
  auto* d = new QDialog(this);
  d->setObjectName(QStringLiteral("guia"));
  d->setWindowTitle(QStringLiteral("Guía del usuario"));
  d->setAttribute(Qt::WA_DeleteOnClose);
  auto* texto = new QTextBrowser(d);
  texto->setObjectName(QStringLiteral("textoGuia"));
  texto->setSearchPaths({QFileInfo(ruta).absolutePath()});
  // The list of keys is the window's own, whatever the file beside the program says.
  texto->setMarkdown(guiaConTeclas(QString::fromUtf8(f.readAll())));
  auto* v = new QVBoxLayout(d);
  v->addWidget(texto);
  const QRect zona = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 700);
  d->resize(qMin(900, zona.width() * 9 / 10), qMin(700, zona.height() * 9 / 10));
  abierta = d;
  d->show();
  return Resultado::Hecho;
}

void MainWindow::colocarEnPantalla() {
  const QRect zona = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 760);
  // On a narrow screen (a large scale) smaller images keep the delivery date and hour in the strip.
  if (auto* barra = findChild<QToolBar*>(QStringLiteral("Toolbar1"))) barra->setIconSize(zona.width() < 1100 ? QSize(24, 24) : QSize(32, 32));
  const QRect guardada = preferencias_.valor(QStringLiteral("ventana/lugar")).toRect();
  lugarRecordado_ = true;
  if (preferencias_.valor(QStringLiteral("ventana/maximizada")).toBool() || zona.width() < 1280 || zona.height() < 760) {
    // A small screen: all of it (what was remembered is kept for a larger one).
    setGeometry(zona);
    setWindowState(windowState() | Qt::WindowMaximized);
    return;
  }
  if (guardada.isValid() && zona.contains(guardada)) {
    setGeometry(guardada);
    return;
  }
  // Never larger than the screen: the frame of the window manager included.
  const QMargins marco(4, 30, 4, 4);
  setGeometry(zona.marginsRemoved(marco));
}

void MainWindow::guardarLugar() {
  if (!lugarRecordado_) return;
  preferencias_.poner(QStringLiteral("ventana/maximizada"), isMaximized());
  if (!isMaximized()) preferencias_.poner(QStringLiteral("ventana/lugar"), geometry());
  preferencias_.guardar();
}
