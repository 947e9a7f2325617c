#include "app/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <exception>
#include <new>

#include "app/barra_busqueda.h"
#include "app/campo_fecha.h"
#include "app/columnas_fijas.h"
#include "app/comandos.h"
#include "app/dialogs/forms.h"
#include "app/gridmodel.h"
#include "app/gridview.h"
#include "app/modo_empaque.h"
#include "app/recuperador.h"
#include "client/conexion_ftp.h"
#include "documents/empaque_documentos.h"
#include "app/tabla_comandos.h"
#include "client/form5.h"
#include "editing/detail_rules.h"
#include "editing/row_commands.h"
#include "editing/splitting.h"
#include "intake/inf_import.h"
#include "intake/order_selection.h"
#include "intake/tab_import.h"
#include "notice/header_fields.h"
#include "documents/document_commands.h"
#include "documents/notice_review.h"
#include "notice/envio_aviso.h"
#include "notice/output.h"
#include "workfile/nombres.h"
#include "workfile/workfile.h"
#include "startup/startup.h"
#include "workspace/columnas.h"
#include "workspace/recuperacion.h"

// The toolbar pictures live in the window library's resources.
static void iniciarRecursos() { Q_INIT_RESOURCE(iconos); }

// While the user is asked, the bar does not pretend that work goes on.
struct PrompterVentana::Espera {
  QPointer<MainWindow> v;
  bool antes = false;
  explicit Espera(MainWindow* w) : v(w) {
    if (!v) return;
    antes = v->esperando_;
    v->esperando_ = true;
    v->mostrarProgreso();
  }
  ~Espera() {
    if (!v) return;
    v->esperando_ = antes;
    v->mostrarProgreso();
  }
};

PrompterVentana::PrompterVentana(Prompter* destino) : destino_(destino ? *destino : qt_) {}

Respuesta PrompterVentana::mostrar(const Mensaje& m) {
  Espera e(ventana_);
  return destino_.mostrar(m);
}

// A recent file or Guardar names the file already; otherwise the dialog opens
// in the folder last used for its kind of file and the folder is remembered.
QString PrompterVentana::abrirArchivo(const DialogoArchivo& d) {
  MainWindow* v = ventana_;
  if (!v) return destino_.abrirArchivo(d);
  if (!v->siguienteAbrir_.isEmpty()) return std::exchange(v->siguienteAbrir_, QString());
  Espera e(v);
  return v->recordarCarpeta(d, destino_.abrirArchivo(v->prepararDialogo(d, false)));
}

QString PrompterVentana::guardarArchivo(const DialogoArchivo& d) {
  MainWindow* v = ventana_;
  if (!v) return destino_.guardarArchivo(d);
  if (!v->siguienteGuardar_.isEmpty()) return std::exchange(v->siguienteGuardar_, QString());
  Espera e(v);
  return v->recordarCarpeta(d, destino_.guardarArchivo(v->prepararDialogo(d, true)));
}

void PrompterVentana::ejecutarDialogo(DialogoModelo& modelo) {
  Espera e(ventana_);
  auto* vista = dynamic_cast<VistaPreviaModelo*>(&modelo);
  if (vista && ventana_) ventana_->carpetaPdf(*vista);
  destino_.ejecutarDialogo(modelo);
  if (vista && ventana_ && !vista->pdfEscrito.isEmpty()) {
    ventana_->preferencias_.ponerCarpeta(QStringLiteral("pdf"), QFileInfo(vista->pdfEscrito).absolutePath());
    ventana_->preferencias_.guardar();
  }
}

// Without a work file a PDF goes where the last one went, else to the documents folder.
void MainWindow::carpetaPdf(VistaPreviaModelo& vista) const {
  if (!vista.carpetaPdf.isEmpty()) return;
  const QString ultima = preferencias_.carpeta(QStringLiteral("pdf"));
  vista.carpetaPdf = !ultima.isEmpty() && QDir(ultima).exists()
                         ? ultima
                         : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// A command that lets the window repaint is a long one: the busy pointer
// shows (the command's frame takes it away again) and the bar moves.
void PrompterVentana::procesarEventos() {
  if (MainWindow* v = ventana_) {
    v->enBucle_ = true;
    if (v->ocupado_ && !v->esperando_) destino_.cursorOcupado(true);
    v->mostrarAvance();
  }
  destino_.procesarEventos();
}

MainWindow::MainWindow(Workspace& ws, PrompterVentana& prompter)
    : ws_(&ws), prompter_(prompter), marcas_(ws.vaspread1, ws.vaSpread9), preferencias_(ws.carpeta) {
  iniciarRecursos();
  prompter_.ventana_ = this;
  prompter_.qt_.ponerVentana(this);
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(kTituloVentana);
  crearMenus();
  crearBarra();
  crearCentro();
  crearBarraEstado();
  empaque_ = new ModoEmpaque(*this, ws);
  registrarFormas(prompter_.qt_);
  registrarFormasEmpaque(prompter_.qt_);
  ws_->alCambiar = [this] { refrescar(); };
  ws_->alComando = [this](bool empieza) { alComando(empieza); };
  conectarComandos();
  conectarGrids();
  conectarCampos();
  crearAtajos();

  // The movement-type list shows over Text1(2) only while a type is chosen.
  ws_->mostrar(QStringLiteral("Combo1"), false);
  Form_Load(*ws_);
  recuperador_ = std::make_unique<Recuperador>(*ws_, this);
  recuperador_->ofrecer();
  connect(recuperador_.get(), &Recuperador::aviso, this, &MainWindow::avisarRecuperacion);
  if (!recuperador_->apagado().isEmpty()) avisarRecuperacion(recuperador_->apagado());
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { recuperador_->escribirYa(); });
  ws_->historial.activar(true);  // from here on every change can be taken back
  mostrarRecientes();
  refrescar();
  resize(1280, 760);
  // The work starts in the detail grid, not in the date picker of the tool strip.
  vaspread1_->setFocus(Qt::OtherFocusReason);
}

// The workspace outlives the window (main() makes it first), so the views
// over its grids simply go with their widgets; only the window's hook on it
// is taken back.
MainWindow::~MainWindow() {
  ws_->alCambiar = nullptr;
  ws_->alComando = nullptr;
}

// ------------------------------------------------------------------ building

namespace {

// A curved arrow, to the left (undo) or to the right (redo).
QIcon iconoHistorial(bool adelante) {
  QPixmap p(32, 32);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  if (adelante) g.translate(32, 0), g.scale(-1, 1);
  g.setPen(QPen(QColor(0x20, 0x4a, 0x87), 3.5, Qt::SolidLine, Qt::RoundCap));
  QPainterPath arco(QPointF(9, 13));
  arco.cubicTo(QPointF(16, 6), QPointF(29, 8), QPointF(27, 20));
  arco.cubicTo(QPointF(26, 25), QPointF(22, 27), QPointF(17, 27));
  g.drawPath(arco);
  g.setBrush(QColor(0x20, 0x4a, 0x87));
  g.setPen(Qt::NoPen);
  g.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(13, 6), QPointF(9, 17)}));
  return QIcon(p);
}

}  // namespace

QAction* MainWindow::nuevaAccion(QMenu* menu, const QString& nombre, const QString& texto) {
  QAction* a = menu->addAction(texto);
  a->setObjectName(nombre);
  acciones_.insert(nombre, a);
  return a;
}

void MainWindow::crearMenus() {
  using Lugar = FilaComando::Lugar;
  for (const FilaComando& f : tablaComandos()) {
    QMenu* padre = menus_.value(f.padre);
    if (f.lugar == Lugar::Menu) {
      QMenu* m = padre ? padre->addMenu(f.texto) : menuBar()->addMenu(f.texto);
      m->setObjectName(f.nombre);
      m->menuAction()->setObjectName(f.nombre);
      menus_.insert(f.nombre, m);
      acciones_.insert(f.nombre, m->menuAction());
      if (!padre) m->installEventFilter(this);  // Esc leaves the menu bar too
    } else if (f.lugar == Lugar::Separador && padre) {
      QAction* s = padre->addSeparator();
      s->setObjectName(f.nombre);
      acciones_.insert(f.nombre, s);
    } else if (f.lugar == Lugar::Recientes) {
      // The last work files opened or saved, shown once there are some.
      for (int i = 1; i <= Preferencias::kRecientes; ++i)
        nuevaAccion(padre, QStringLiteral("reciente%1").arg(i), QString())->setVisible(false);
    } else if (f.lugar == Lugar::Item) {
      QAction* a = nuevaAccion(padre, f.nombre, f.texto);
      a->setShortcuts(f.atajos);
      if (f.soloEnFoco) a->setShortcutContext(Qt::WidgetShortcut);
      // The window holds it too, so its key works while its menu is closed to the user.
      if (f.siempreConTecla) addAction(a);
    }
  }
  acciones_.value(QStringLiteral("separación3"))->setVisible(false);
}

void MainWindow::crearBarra() {
  using Lugar = FilaComando::Lugar;
  QToolBar* barra = addToolBar(QStringLiteral("Toolbar1"));
  barra->setObjectName(QStringLiteral("Toolbar1"));
  barra->setMovable(false);
  barra->setIconSize(QSize(32, 32));
  for (const FilaComando& f : tablaComandos()) {
    if (f.lugar == Lugar::Separador && f.padre.isEmpty()) barra->addSeparator();
    if (f.lugar != Lugar::Imagen) continue;
    const QIcon icono = f.imagen.isEmpty() ? iconoHistorial(f.nombre == QLatin1String("b_rehacer")) : QIcon(f.imagen);
    QAction* a = barra->addAction(icono, f.texto);
    a->setObjectName(f.nombre);
    if (!f.tip.isEmpty()) a->setToolTip(f.tip);
    acciones_.insert(f.nombre, a);
  }
  // The delivery date and hour sit in the tool strip.
  barra->addSeparator();
  auto* lf = new QLabel(QStringLiteral(" FECHA DE ENTREGA "), barra);
  barra->addWidget(lf);
  DTPicker1_4_ = new CampoFecha(barra);
  DTPicker1_4_->setObjectName(QStringLiteral("DTPicker1_4"));
  DTPicker1_4_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  DTPicker1_4_->setKeyboardTracking(false);  // a change is a finished date, not each keystroke
  lf->setBuddy(DTPicker1_4_);
  barra->addWidget(DTPicker1_4_);
  auto* lh = new QLabel(QStringLiteral(" HORA DE ENTREGA "), barra);
  barra->addWidget(lh);
  Combo3_ = new QComboBox(barra);
  Combo3_->setObjectName(QStringLiteral("Combo3"));
  Combo3_->setMinimumWidth(80);
  lh->setBuddy(Combo3_);
  barra->addWidget(Combo3_);
}

void MainWindow::crearCentro() {
  QWidget* centro = new QWidget(this);
  auto* v = new QVBoxLayout(centro);
  v->setContentsMargins(6, 4, 6, 4);

  // Order list and summary strip.
  auto* arriba = new QHBoxLayout();
  auto* lo = new QLabel(QStringLiteral("ORDEN DE COMPRA"), centro);
  arriba->addWidget(lo);
  Combo2_ = new QComboBox(centro);
  Combo2_->setObjectName(QStringLiteral("Combo2"));
  Combo2_->setMinimumWidth(200);
  Combo2_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  lo->setBuddy(Combo2_);
  arriba->addWidget(Combo2_);
  auto* text2 = new QLineEdit(centro);
  text2->setObjectName(QStringLiteral("Text2"));
  text2->setVisible(false);
  modelo5_ = new GridModel(ws_->vaSpread5, 4, 1, this);
  modelo5_->columnasEditables = {0};  // a summary: nothing to type
  vaSpread5_ = new VistaGrid(modelo5_, centro);
  vaSpread5_->setObjectName(QStringLiteral("vaSpread5"));
  vaSpread5_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  vaSpread5_->setFocusPolicy(Qt::NoFocus);
  vaSpread5_->verticalHeader()->setVisible(false);
  vaSpread5_->horizontalHeader()->setStretchLastSection(true);
  vaSpread5_->setFixedHeight(vaSpread5_->horizontalHeader()->sizeHint().height() + 26);
  vaSpread5_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  vaSpread5_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  arriba->addWidget(vaSpread5_, 1);
  v->addLayout(arriba);

  auto* division = new QSplitter(Qt::Vertical, centro);
  modelo1_ = new GridModel(ws_->vaspread1, 15, 0, this);
  modelo1_->columnasEditables = {11, 15};
  vaspread1_ = new VistaGrid(modelo1_, division);
  vaspread1_->setObjectName(QStringLiteral("vaspread1"));
  vaspread1_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  division->addWidget(vaspread1_);

  QWidget* abajo = new QWidget(division);
  auto* va = new QVBoxLayout(abajo);
  va->setContentsMargins(0, 0, 0, 0);
  modelo9_ = new GridModel(ws_->vaSpread9, 8, 0, this);
  modelo9_->columnasEditables = {2, 3, 4, 5};
  vaSpread9_ = new VistaGrid(modelo9_, abajo);
  vaSpread9_->setObjectName(QStringLiteral("vaSpread9"));
  va->addWidget(vaSpread9_);
  division->addWidget(abajo);
  // Columns as wide as their headings (measuring the cells would cost a pass over every line).
  for (VistaGrid* g : {vaspread1_, vaSpread9_}) {
    const QFontMetrics fm(g->horizontalHeader()->font());
    for (int c = 0; c < g->model()->columnCount(); ++c)
      g->setColumnWidth(c, qMax(g == vaSpread9_ ? 110 : 70, fm.horizontalAdvance(g->model()->headerData(c, Qt::Horizontal).toString()) + 24));
  }
  // The order number and the store stay in view while typing containers.
  new ColumnasFijas(vaspread1_, {1, 5});
  // The detail grid takes the spare height; the per-order table keeps a few rows.
  division->setObjectName(QStringLiteral("division"));
  division->setStretchFactor(0, 1);
  division->setStretchFactor(1, 0);
  division->setChildrenCollapsible(false);
  vaspread1_->setMinimumHeight(vaspread1_->verticalHeader()->defaultSectionSize() * 4);
  const int alto9 = vaSpread9_->horizontalHeader()->sizeHint().height() +
                    vaSpread9_->verticalHeader()->defaultSectionSize() * 3 + vaSpread9_->frameWidth() * 2 + 16;
  vaSpread9_->setMinimumHeight(alto9);
  abajo->setMaximumHeight(alto9 * 2);
  division->setSizes({10000, alto9});
  buscar_ = new BarraBusqueda(centro);
  v->addWidget(buscar_);
  v->addWidget(division, 1);

  // Header fields, under the detail grid.
  auto* campos = new QGridLayout();
  for (int i = 1; i <= 7; ++i) {
    Text1_[i] = new QLineEdit(centro);
    Text1_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
  }
  // Supplier number, delivery date text and the spare box are kept out of sight.
  Text1_[1]->setVisible(false);
  Text1_[4]->setVisible(false);
  Text1_[5]->setVisible(false);
  auto etiqueta = [&](const QString& t, QWidget* buddy, int col) {
    auto* l = new QLabel(t, centro);
    l->setBuddy(buddy);
    campos->addWidget(l, 0, col);
  };
  etiqueta(QStringLiteral(" TIPO DE MOVIMIENTO"), Text1_[2], 0);
  campos->addWidget(Text1_[2], 1, 0);
  Combo1_ = new QComboBox(centro);
  Combo1_->setObjectName(QStringLiteral("Combo1"));
  Combo1_->setVisible(false);
  campos->addWidget(Combo1_, 1, 0);  // shown over Text1(2) while the type is chosen
  etiqueta(QStringLiteral("NUMERO DE VORARIDO"), Text1_[3], 1);
  campos->addWidget(Text1_[3], 1, 1);
  etiqueta(QStringLiteral("FACTURA /REMISION"), Text1_[6], 2);
  campos->addWidget(Text1_[6], 1, 2);
  etiqueta(QStringLiteral("IMPORTE TOTAL"), Text1_[7], 3);
  campos->addWidget(Text1_[7], 1, 3);
  for (const FilaComando& f : tablaComandos()) {
    if (f.lugar != FilaComando::Lugar::Boton || f.padre != QLatin1String("campos")) continue;
    auto* b = new QPushButton(f.texto, centro);
    b->setObjectName(f.nombre);
    campos->addWidget(b, 1, 5);
  }
  campos->setColumnStretch(4, 1);
  v->addLayout(campos);

  auto* filaBotones = new QHBoxLayout();
  // The toolbar and the menus carry the same commands: the row shows only
  // when the preferences ask for it.
  auto* fila = new QWidget(centro);
  fila->setObjectName(QStringLiteral("filaBotones"));
  fila->setVisible(preferencias_.valor(QStringLiteral("ventana/botones"), false).toBool());
  filaBotones->setContentsMargins(0, 0, 0, 0);
  fila->setLayout(filaBotones);
  filaBotones->addStretch();
  for (const FilaComando& f : tablaComandos()) {
    if (f.lugar != FilaComando::Lugar::Boton || f.padre != fila->objectName()) continue;
    auto* b = new QPushButton(f.texto, fila);
    b->setObjectName(f.nombre);
    if (!f.tip.isEmpty()) b->setToolTip(f.tip);
    b->setAutoDefault(false);
    filaBotones->addWidget(b);
  }
  v->addWidget(fila);
  setCentralWidget(centro);
}

void MainWindow::crearBarraEstado() {
  QStatusBar* sb = statusBar();
  sb->setObjectName(QStringLiteral("StatusBar1"));
  // Laid out once, in two rows so that everything shows on a narrow screen:
  // the panels of the program (the progress bar over "Output") and the work
  // file; then the lines in error and the totals.
  auto* filas = new QWidget(sb);
  filas->setObjectName(QStringLiteral("filasEstado"));
  auto* g = new QGridLayout(filas);
  g->setContentsMargins(0, 0, 0, 0);
  g->setVerticalSpacing(0);
  auto etiqueta = [filas](const QString& nombre) {
    auto* l = new QLabel(filas);
    l->setObjectName(nombre);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(60);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return l;
  };
  for (int i = 1; i <= 3; ++i) panel_[i] = etiqueta(i == 1 ? QStringLiteral("Output") : QStringLiteral("panel%1").arg(i));
  trabajo_ = etiqueta(QStringLiteral("archivoTrabajo"));
  errores_ = etiqueta(QStringLiteral("renglonesMarcados"));
  totales_ = etiqueta(QStringLiteral("totales"));
  g->addWidget(panel_[1], 0, 0);
  g->addWidget(panel_[2], 0, 1);
  g->addWidget(panel_[3], 0, 2);
  g->addWidget(trabajo_, 0, 3);
  g->addWidget(errores_, 1, 0);
  g->addWidget(totales_, 1, 1, 1, 3);
  g->setColumnStretch(0, 2);
  g->setColumnStretch(1, 1);
  g->setColumnStretch(2, 1);
  g->setColumnStretch(3, 2);
  sb->addWidget(filas, 1);
  ProgressBar1_ = new QProgressBar(sb);
  ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1_->setTextVisible(false);
  panel_[1]->installEventFilter(this);
  ProgressBar1_->setValue(0);
}

// ------------------------------------------------------------------ wiring

void MainWindow::conectar(const FilaComando& f, const QString& nombre, const std::function<Resultado()>& orden) {
  // A command that replaces the work puts what no save holds aside first
  // (Ctrl+Z brings it back too). Afterwards the keys go where the next
  // typing goes: the detail grid, unless the command left the focus
  // somewhere else (the order list).
  const std::function<Resultado()> comando = !f.reemplaza ? orden : [this, orden] {
    recuperador_->apartar();
    const Resultado r = orden();
    if (r == Resultado::Hecho && ws_->foco.isEmpty() && QApplication::focusWidget() != Combo2_)
      ws_->foco = QStringLiteral("vaspread1");
    return r;
  };
  if (f.modo != FilaComando::Modo::Cierre) comandos_.insert(nombre, comando);
  // The window shows what the command left; how it ended needs no showing.
  std::function<void()> correr = [this, comando, que = f.que] { ejecutar([&comando] { comando(); }, que); };
  if (f.modo != FilaComando::Modo::Comando) correr = [this, comando] {
    if (!ocupado_) comando();
  };
  if (f.lugar == FilaComando::Lugar::Tecla) {
    auto* k = new QShortcut(this);
    k->setObjectName(nombre);
    k->setKeys(f.atajos);
    k->setContext(Qt::WindowShortcut);
    connect(k, &QShortcut::activated, this, correr);
  } else if (QAction* a = accion(nombre)) {
    connect(a, &QAction::triggered, this, correr);
  } else if (auto* b = findChild<QPushButton*>(nombre)) {
    connect(b, &QPushButton::clicked, this, correr);
  }
}

void MainWindow::conectarComandos() {
  for (const FilaComando& f : tablaComandos()) {
    if (f.lugar == FilaComando::Lugar::Recientes) {
      for (int i = 1; i <= Preferencias::kRecientes; ++i)
        conectar(f, QStringLiteral("reciente%1").arg(i), [this, i] { return abrirReciente(i); });
    } else if (f.enVentana) {
      conectar(f, f.nombre, [this, &f] { return f.enVentana(*this); });
    } else if (f.manejador) {
      conectar(f, f.nombre, [this, &f] { return f.manejador(*ws_); });
    }
  }
  // Ctrl+C in a grid copies its selection.
  Workspace& w = *ws_;
  for (VistaGrid* v : {vaspread1_, vaSpread9_}) {
    Grid* g = v == vaspread1_ ? &w.vaspread1 : &w.vaSpread9;
    auto* copia = new QShortcut(QKeySequence::Copy, v, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copia, &QShortcut::activated, this, [this, &w, g] { ejecutar([&w, g] { copiarSeleccion(w, *g); }); });
  }
}

Resultado MainWindow::cortar() {
  if (auto* campo = qobject_cast<QLineEdit*>(QApplication::focusWidget()); campo && !campo->isReadOnly()) {
    campo->cut();
    return Resultado::Hecho;
  }
  Resultado r = Resultado::Cancelado;
  ejecutar([this, &r] { r = cortar_Click(*ws_); }, filaComando(QStringLiteral("cortar"))->que);
  return r;
}

Resultado MainWindow::salirAhora() {
  saliraplic_Click(*ws_);
  close();
  return Resultado::Hecho;
}

Resultado MainWindow::salirConPregunta() {
  // "Yes" runs the save command of the button guardar (already inside this command).
  bool terminar = false;
  const Resultado r = salir_Click(*ws_, comandos_.value(QStringLiteral("guardar")), terminar);
  if (terminar) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  return r;
}

Resultado MainWindow::guardarActual() {
  siguienteGuardar_ = ws_->archivoTrabajo;
  const Resultado r = guardararchiv_Click(*ws_);
  siguienteGuardar_.clear();
  return r;
}

void MainWindow::conectarGrids() {
  auto menuEditar = [this](const QPoint& global) {
    if (ocupado_ || !accion(QStringLiteral("editar"))->isEnabled()) return;
    menu(QStringLiteral("editar"))->popup(global);
  };
  vaspread1_->alMenu = menuEditar;

  // Typing in the detail grid and the per-order header table.
  Workspace& w = *ws_;
  auto teclaAbajo = [this](bool (*manejador)(Workspace&, int)) {
    return [this, manejador](int codigo) {
      if (ocupado_) return false;
      if (codigo != kTeclaSuprimir) {
        manejador(*ws_, codigo);
        return false;
      }
      bool usada = false;
      ejecutar([this, manejador, codigo, &usada] { usada = manejador(*ws_, codigo); }, QStringLiteral("suprimir celda"));
      return usada;
    };
  };
  // The views ask the bare rules where a move would land (they ask while
  // probing too); the leave-cell events are logged once per real move.
  auto alMoverse = [this](VistaGrid* v, QPoint (*evento)(Workspace&, int, int)) {
    connect(v->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, evento](const QModelIndex& actual, const QModelIndex& anterior) {
              if (actual.isValid() && anterior.isValid()) evento(*ws_, actual.column() + 1, actual.row() + 1);
            });
  };
  vaspread1_->reglaSalida = [](int col, int row) { return reglaSalidaDetalle(col, row); };
  alMoverse(vaspread1_, &vaspread1_LeaveCell);
  vaspread1_->alCambiarCelda = [this](int col, int row, const QString& texto) {
    const QString que = col == colDetalle::Cantidad ? QStringLiteral("escribir cantidad") : QStringLiteral("escribir contenedor");
    if (!ejecutar([this, col, row, texto] { vaspread1_Editar(*ws_, col, row, texto); }, que))
      ws_->vaspread1.setText(col, row, texto);  // never lose what was typed
  };
  vaspread1_->alTecla = teclaAbajo(&vaspread1_KeyDown);
  vaspread1_->alEnfocar = [&w] { vaspread1_GotFocus(w); };
  modelo1_->tipEncabezado = [&w](int col) { return vaspread1_TextTipFetch(w, col, 0).texto; };
  modelo5_->tipEncabezado = [&w](int col) { return vaspread5_TextTipFetch(w, col, 0).texto; };
  // A value typed in the per-order table is a command of its own (one undo step).
  vaSpread9_->alCambiarCelda = [this](int col, int row, const QString& texto) {
    static const QStringList campos = {QString(), QString(), QStringLiteral("tipo de movimiento"), QStringLiteral("número de vorarido"),
                                       QStringLiteral("factura"), QStringLiteral("importe")};
    const QString que = QStringLiteral("escribir ") + campos.value(col, QStringLiteral("dato de la orden"));
    if (!ejecutar([this, col, row, texto] { ws_->vaSpread9.setText(col, row, texto); }, que))
      ws_->vaSpread9.setText(col, row, texto);
  };
  vaSpread9_->reglaSalida = [](int col, int row) { return reglaSalidaPedidos(col, row); };
  alMoverse(vaSpread9_, &vaSpread9_LeaveCell);
  vaSpread9_->alTecla = teclaAbajo(&vaSpread9_KeyDown);
  vaSpread9_->alEnfocar = [&w] { vaSpread9_GotFocus(w); };
  vaSpread9_->delegado()->filtroCaracter = [&w](int col, QChar c) { return vaSpread9_KeyPress(w, col, c); };
}

void MainWindow::conectarCampos() {
  for (int i = 1; i <= 7; ++i) {
    if (const int largo = Text1_MaxLength(i)) Text1_[i]->setMaxLength(largo);
    Text1_[i]->installEventFilter(this);
    connect(Text1_[i], &QLineEdit::textChanged, this, [this, i](const QString& t) {
      if (refrescando_) return;
      ws_->Text1[i] = t;
      recuperador_->cambio();
    });
  }
  Combo1_->installEventFilter(this);
  Combo2_->installEventFilter(this);
  DTPicker1_4_->installEventFilter(this);
  Combo3_->installEventFilter(this);
  connect(Combo3_, QOverload<int>::of(&QComboBox::activated), this, [this](int i) {
    ejecutar([this, i] {
      ws_->Combo3.indice = i;
      ws_->Combo3.texto = Combo3_->itemText(i);
    }, QStringLiteral("elegir hora de entrega"));
  });
  connect(Combo1_, QOverload<int>::of(&QComboBox::activated), this, [this](int i) {
    ejecutar([this, i] {
      ws_->Combo1.indice = i;
      ws_->Combo1.texto = Combo1_->itemText(i);
      Combo1_Click(*ws_);
    }, QStringLiteral("elegir tipo de movimiento"));
  });
  connect(Combo2_, QOverload<int>::of(&QComboBox::activated), this, [this](int i) {
    ejecutar([this, i] {
      ws_->Combo2.indice = i;
      ws_->Combo2.texto = Combo2_->itemText(i);
      Combo2_Click(*ws_);
    }, QStringLiteral("elegir orden de compra"));
  });
  // A date is taken once the picker has finished with it: the calendar sets
  // its date more than once per click, and a message shown in between (the
  // weekend one) would come back after each, eating the clicks meanwhile.
  connect(DTPicker1_4_, &QDateEdit::dateChanged, this, [this] {
    if (refrescando_ || fechaPendiente_) return;
    fechaPendiente_ = true;
    QMetaObject::invokeMethod(this, [this] { tomarFecha(); }, Qt::QueuedConnection);
  });
}

// The date the picker holds becomes the delivery date. A command that starts
// first takes it before it runs, so its refresh cannot put the old one back.
void MainWindow::tomarFecha() {
  if (!fechaPendiente_) return;
  fechaPendiente_ = false;
  const QDate d = DTPicker1_4_->date();
  if (d == ws_->DTPicker1_4) return;
  ejecutar([this, d] {
    ws_->DTPicker1_4 = d;
    DTPicker1_Change(*ws_, 4);
  }, QStringLiteral("cambiar fecha de entrega"));
}

void MainWindow::alFoco(const std::function<void()>& manejador, const QString& que) {
  if (ocupado_ || refrescando_) {
    // The focus moved because of a command: its handler runs once that is over.
    QMetaObject::invokeMethod(this, [this, manejador, que] {
      if (!ocupado_) ejecutar(manejador, que);
    }, Qt::QueuedConnection);
    return;
  }
  ejecutar(manejador, que);
}

bool MainWindow::eventFilter(QObject* o, QEvent* e) {
  const QEvent::Type tipo = e->type();
  if (tipo == QEvent::ShortcutOverride && (o == DTPicker1_4_ || o == Combo1_ || o == Combo2_ || o == Combo3_)) {
    // The date field and the lists have no undo of their own: Ctrl+Z and
    // Ctrl+Y are the window's.
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->matches(QKeySequence::Undo) || k->matches(QKeySequence::Redo) ||
        k->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y)) {
      e->ignore();
      return true;
    }
  }
  if (tipo == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    // Esc from a menu of the bar gives the keys back to the window: the next
    // arrow moves in the window instead of opening the menu again.
    if (auto* m = qobject_cast<QMenu*>(o); m && menus_.value(m->objectName()) == m) {
      QMetaObject::invokeMethod(this, [this] {
        if (!menuBar()->hasFocus()) return;
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(menuBar(), &esc);
      }, Qt::QueuedConnection);
    }
  }
  if (o == panel_[1] && (tipo == QEvent::Resize || tipo == QEvent::Move)) colocarProgreso();
  if (tipo == QEvent::KeyPress) {
    for (int i = 1; i <= 7; ++i) {
      if (o != Text1_[i]) continue;
      auto* k = static_cast<QKeyEvent*>(e);
      const QString t = k->text();
      const bool conControl = k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
      if (conControl || t.size() != 1 || !(t[0].isPrint() || t[0] == QLatin1Char('\b'))) break;
      if (ocupado_) return true;
      const QChar r = Text1_KeyPress(*ws_, i, t[0]);  // beeps itself on a refused key
      if (r.isNull()) return true;
      if (r != t[0]) {
        if (r == QLatin1Char('\b')) Text1_[i]->backspace();
        else Text1_[i]->insert(QString(r));
        return true;
      }
      break;
    }
    return QMainWindow::eventFilter(o, e);
  }
  if (tipo != QEvent::FocusIn && tipo != QEvent::FocusOut) return QMainWindow::eventFilter(o, e);
  // A popup opening (a list, the calendar), the menu bar taking the keys (Alt)
  // or another window taking over is no move of the focus inside the window.
  const Qt::FocusReason razon = static_cast<QFocusEvent*>(e)->reason();
  if (razon == Qt::PopupFocusReason || razon == Qt::ActiveWindowFocusReason || razon == Qt::MenuBarFocusReason)
    return QMainWindow::eventFilter(o, e);
  const bool entra = tipo == QEvent::FocusIn;
  Workspace& w = *ws_;
  for (int i = 1; i <= 7; ++i) {
    if (o != Text1_[i]) continue;
    if (entra) alFoco([&w, i] { Text1_GotFocus(w, i); }, QStringLiteral("escribir encabezado"));
    else alFoco([&w, i] { Text1_LostFocus(w, i); }, QStringLiteral("escribir encabezado"));
  }
  if (o == DTPicker1_4_) {
    const QString que = QStringLiteral("cambiar fecha de entrega");
    if (entra) alFoco([&w] { DTPicker1_GotFocus(w, 4); }, que);
    else alFoco([&w] { DTPicker1_LostFocus(w, 4); }, que);
  }
  if (o == Combo1_ && !entra) alFoco([&w] { Combo1_LostFocus(w); }, QStringLiteral("elegir tipo de movimiento"));
  if (o == Combo2_ && !entra) alFoco([&w] { Combo2_LostFocus(w); }, QStringLiteral("elegir orden de compra"));
  return QMainWindow::eventFilter(o, e);
}

// ------------------------------------------------------------------ running

bool MainWindow::ejecutar(const std::function<void()>& comando, const QString& que) {
  if (ocupado_) return false;  // no command starts while another runs
  // A date typed and not yet confirmed is taken as Enter would take it.
  DTPicker1_4_->interpretText();
  tomarFecha();
  // What is typed in a cell reaches its change handler before the command.
  vaspread1_->terminarEdicion();
  vaSpread9_->terminarEdicion();
  if (ocupado_) return false;
  ws_->vaspread1.setSelections(vaspread1_->bloquesSeleccionados());
  ws_->vaSpread9.setSelections(vaSpread9_->bloquesSeleccionados());
  {
    // One frame for the whole command, whatever procedures it runs: one undo
    // step; the window hears it begin and end (alComando).
    Comando cmd(*ws_, QString());
    ws_->historial.nombrar(que);
    try {
      comando();
      recordarTrabajo();
    } catch (const std::bad_alloc&) {
      ws_->errorInesperado(7, QStringLiteral("Memoria insuficiente"));
    } catch (const std::exception& ex) {
      ws_->errorInesperado(5, QString::fromLocal8Bit(ex.what()));
    } catch (...) {
      ws_->errorInesperado(51, QStringLiteral("Error interno"));
    }
  }
  refrescar();
  return true;
}

// For as long as a command runs no other starts; however it ends, the
// normal pointer comes back, the progress bar goes back to rest and the
// recovery copy follows.
void MainWindow::alComando(bool empieza) {
  if (empieza) {
    ocupado_ = true;
    enBucle_ = false;
    return;
  }
  const bool largo = enBucle_;
  ocupado_ = false;
  enBucle_ = false;
  ws_->ocupado(false);
  if (recuperador_) recuperador_->trasComando(largo);
}

void MainWindow::mostrarProgreso() {
  if (!ws_ || !ProgressBar1_) return;
  const Workspace& w = *ws_;
  if (w.progresoMaximo > 0) {
    ProgressBar1_->setRange(0, w.progresoMaximo);
    ProgressBar1_->setValue(qBound(0, w.progreso, w.progresoMaximo));
  } else if (ocupado_ && enBucle_ && !esperando_) {
    ProgressBar1_->setRange(0, 0);  // moves by itself: the command gives no count
  } else {
    ProgressBar1_->setRange(0, 1);
    ProgressBar1_->setValue(0);
  }
}

void MainWindow::aplicarControles() {
  for (const auto& [nombre, estado] : ws_->controles) {
    if (QAction* a = acciones_.value(nombre)) {
      a->setEnabled(estado.habilitado);
      continue;
    }
    QWidget* w = findChild<QWidget*>(nombre);
    if (!w) continue;
    w->setEnabled(estado.habilitado);
    if (w == Combo1_ || w == DTPicker1_4_) w->setVisible(estado.visible);
    const Qt::FocusPolicy politica = estado.tabStop ? Qt::StrongFocus : Qt::ClickFocus;
    if (w->focusPolicy() != Qt::NoFocus && w->focusPolicy() != politica) w->setFocusPolicy(politica);
  }
  // A command open only with another control: the file buttons are open
  // when the Archivo menu is, so that nothing but leaving gets past the
  // order list while it waits for a choice.
  for (const FilaComando& f : tablaComandos()) {
    if (f.abiertoCon.isEmpty()) continue;
    if (auto* b = findChild<QPushButton*>(f.nombre)) b->setEnabled(ws_->habilitado(f.abiertoCon) && ws_->habilitado(f.nombre));
  }
}

void MainWindow::refrescar() {
  if (refrescando_) return;
  refrescando_ = true;
  Workspace& w = *ws_;
  for (int i = 1; i <= 7; ++i)
    if (Text1_[i]->text() != w.Text1[i]) Text1_[i]->setText(w.Text1[i]);
  auto lista = [](QComboBox* c, const Lista& l) {
    QStringList actuales;
    for (int i = 0; i < c->count(); ++i) actuales.append(c->itemText(i));
    const QSignalBlocker bloqueo(c);
    if (actuales != l.entradas) {
      c->clear();
      for (int i = 0; i < l.entradas.size(); ++i) c->addItem(l.entradas[i], l.datos.value(i));
    }
    if (c->currentIndex() != l.indice) c->setCurrentIndex(l.indice);
  };
  lista(Combo1_, w.Combo1);
  lista(Combo2_, w.Combo2);
  lista(Combo3_, w.Combo3);
  {
    const QSignalBlocker bloqueo(DTPicker1_4_);
    DTPicker1_4_->setMinimumDate(w.DTPicker1_4_minimo);
    DTPicker1_4_->setDate(w.DTPicker1_4);
  }
  for (int i = 1; i <= 3; ++i) panel_[i]->setText(w.panel[i]);
  mostrarTrabajo();
  mostrarProgreso();
  aplicarControles();
  vaspread1_->seguirCursorDelGrid();
  vaSpread9_->seguirCursorDelGrid();
  if (!w.foco.isEmpty()) {
    if (QWidget* f = findChild<QWidget*>(w.foco)) f->setFocus(Qt::OtherFocusReason);
    w.foco.clear();
  }
  colocarProgreso();
  if (empaque_) empaque_->mostrar();
  refrescando_ = false;
  if (revision_) revision_->start();
}

void MainWindow::mostrarAvance() {
  for (int i = 1; i <= 3; ++i)
    if (panel_[i]->text() != ws_->panel[i]) panel_[i]->setText(ws_->panel[i]);
  mostrarProgreso();
}

Resultado MainWindow::recuperarTrabajo() {
  const QStringList archivos = recuperacion::apartados(ws_->carpeta);
  if (archivos.isEmpty()) {
    ws_->MsgBox(QStringLiteral("No hay trabajo guardado aparte para recuperar."), Botones::Ok, QString(), Icono::Informacion);
    return Resultado::Rechazado;
  }
  QStringList opciones;
  for (const QString& a : archivos) {
    const auto c = recuperacion::leer(a);
    opciones.append(c ? QStringLiteral("%1 (%2 renglones)").arg(c->momento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))).arg(c->renglones())
                      : QFileInfo(a).fileName() + QStringLiteral(" (no se puede leer)"));
  }
  const int i = elegirApartado ? elegirApartado(opciones) : [&] {
    bool ok = false;
    const QString elegido = QInputDialog::getItem(this, QStringLiteral("Recuperar trabajo"), QStringLiteral("Trabajo guardado aparte:"),
                                                  opciones, 0, false, &ok);
    return ok ? static_cast<int>(opciones.indexOf(elegido)) : -1;
  }();
  if (i < 0) return Resultado::Cancelado;
  Comando cmd(*ws_, QString());
  if (recuperador_->recuperar(archivos[i])) return cmd.fin(Resultado::Hecho);
  ws_->MsgBox(QStringLiteral("El archivo: ") + archivos[i] + QStringLiteral(" no se puede leer completo.\r\nNo se cargó ningún dato."),
              Botones::Ok, QStringLiteral("Datos incorrectos"));
  return cmd.fin(Resultado::Fallido);
}

DialogoArchivo MainWindow::prepararDialogo(DialogoArchivo d, bool guardar) const {
  const QString clase = QtPrompter::extension(d);
  const QString carpeta = preferencias_.carpeta(clase);
  if (!clase.isEmpty() && !carpeta.isEmpty() && QDir(carpeta).exists()) d.carpetaInicial = carpeta;
  if (guardar && !ws_->archivoTrabajo.isEmpty() && !clase.isEmpty()) d.nombre = nombreSugerido(*ws_, clase);
  return d;
}

QString MainWindow::recordarCarpeta(const DialogoArchivo& d, const QString& elegido) {
  const QString clase = QtPrompter::extension(d);
  if (!clase.isEmpty() && !elegido.trimmed().isEmpty()) {
    preferencias_.ponerCarpeta(clase, QFileInfo(elegido).absolutePath());
    preferencias_.guardar();
  }
  return elegido;
}

void MainWindow::recordarTrabajo() {
  Workspace& w = *ws_;
  const bool guardado = !w.archivoEscrito.isEmpty() && w.archivoEscrito == w.archivoTrabajo;
  if (guardado) preferencias_.ponerHora(w.archivoTrabajo, w.Combo3.texto);
  if (!w.archivoEscrito.isEmpty()) {
    // Where the notice or the work file went, for a few seconds.
    mostrandoRuta_ = QDir::toNativeSeparators(w.archivoEscrito);
    w.archivoEscrito.clear();
    ws_->reloj.despues(6000, this, [this, r = mostrandoRuta_] {
      if (mostrandoRuta_ != r) return;
      mostrandoRuta_.clear();
      mostrarTrabajo();
    });
  }
  if (!w.archivoAbierto.isEmpty()) {
    elegirHora(w, preferencias_.hora(w.archivoAbierto));  // the hour the file had when last saved here
  }
  if (!guardado && w.archivoAbierto.isEmpty()) return;
  preferencias_.agregarReciente(w.archivoTrabajo);
  w.archivoAbierto.clear();
  preferencias_.guardar();
  mostrarRecientes();
}

void MainWindow::mostrarRecientes() {
  const QStringList recientes = preferencias_.recientes();
  for (int i = 1; i <= Preferencias::kRecientes; ++i) {
    QAction* a = accion(QStringLiteral("reciente%1").arg(i));
    const QString ruta = recientes.value(i - 1);
    a->setVisible(!ruta.isEmpty());
    a->setData(ruta);
    a->setText(ruta.isEmpty() ? QString() : QStringLiteral("&%1 %2").arg(i).arg(QFileInfo(ruta).fileName()));
    a->setToolTip(QDir::toNativeSeparators(ruta));
  }
  accion(QStringLiteral("separación3"))->setVisible(!recientes.isEmpty());
}

Resultado MainWindow::abrirReciente(int i) {
  const QString ruta = accion(QStringLiteral("reciente%1").arg(i))->data().toString();
  if (ruta.isEmpty()) return Resultado::Cancelado;
  recuperador_->apartar();
  siguienteAbrir_ = ruta;  // the open command's dialog answered with it
  const Resultado r = abrirarchiv_Click(*ws_);
  siguienteAbrir_.clear();
  return r;
}

// What the recovery copy has to say, in the status bar for a moment, once.
void MainWindow::avisarRecuperacion(const QString& texto) {
  avisoRecuperacion_ = texto;
  mostrarTrabajo();
  ws_->reloj.despues(20000, this, [this, texto] {
    if (avisoRecuperacion_ != texto) return;
    avisoRecuperacion_.clear();
    mostrarTrabajo();
  });
}

void MainWindow::mostrarTrabajo() {
  const Workspace& w = *ws_;
  // The items say what they would take back or do again.
  const auto historial = [this](const char* nombre, const QString& verbo, bool puede, const QString& que) {
    const QString texto = que.isEmpty() ? verbo : verbo + QLatin1Char(' ') + que;
    for (const QString& n : {QString::fromLatin1(nombre), QStringLiteral("b_") + QString::fromLatin1(nombre)}) {
      QAction* a = accion(n);
      a->setEnabled(puede);
      a->setText(n.startsWith(QLatin1String("b_")) ? texto : QLatin1Char('&') + texto);
      a->setToolTip(texto);
    }
  };
  historial("deshacer", QStringLiteral("Deshacer"), w.historial.puedeDeshacer(), w.historial.queDeshacer());
  historial("rehacer", QStringLiteral("Rehacer"), w.historial.puedeRehacer(), w.historial.queRehacer());
  QString t = QFileInfo(w.archivoTrabajo).fileName();
  if (w.sinGuardar) t += t.isEmpty() ? QStringLiteral("sin guardar") : QStringLiteral(" (sin guardar)");
  if (!mostrandoRuta_.isEmpty()) t = mostrandoRuta_;
  if (!avisoRecuperacion_.isEmpty()) t = avisoRecuperacion_;
  trabajo_->setText(t);
  trabajo_->setToolTip(w.archivoTrabajo);
}

void MainWindow::colocarProgreso() {
  // The progress bar stays over the "Output" panel.
  if (!ProgressBar1_ || !panel_[1]) return;
  ProgressBar1_->setGeometry(QRect(panel_[1]->mapTo(statusBar(), QPoint(0, 0)), panel_[1]->size()));
  ProgressBar1_->raise();
}

void MainWindow::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  if (pintando_ || !ws_) return;
  pintando_ = true;
  Form_Paint(*ws_);
  colocarProgreso();
  pintando_ = false;
}

void MainWindow::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  colocarProgreso();
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // Closing the window ends the program at once, without a question; what
  // no save holds stays in the recovery file.
  guardarLugar();
  if (recuperador_) recuperador_->escribirYa();
  terminado_ = true;
  e->accept();
}
