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
#include "documents/empaque_documentos.h"
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
#include "notice/output.h"
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
MainWindow::~MainWindow() { ws_->alCambiar = nullptr; }

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

namespace {

// The menu bar in one place: each menu, its items with their access keys
// (unique within their menu) and shortcuts, in order. A submenu is an entry
// of kind Menu under its parent; "-" is a separator; "recientes" stands for
// the last work files.
enum class Clase { Menu, Item, Separador };
struct EntradaMenu {
  Clase clase;
  const char* padre;  // "" the menu bar
  const char* nombre;
  const char* texto;
  QKeySequence atajo = {};
};

const std::vector<EntradaMenu>& menusVentana() {
  static const std::vector<EntradaMenu> t = {
      {Clase::Menu, "", "archivo", "&Archivo"},
      {Clase::Item, "archivo", "nuevaforma", "&Nuevo", QKeySequence(Qt::CTRL | Qt::Key_N)},
      {Clase::Item, "archivo", "abrirarchiv", "&Abrir", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {Clase::Menu, "archivo", "importararchivo", "&Importar"},
      {Clase::Item, "importararchivo", "importararchiv", "Archivo &INF", QKeySequence(Qt::CTRL | Qt::Key_I)},
      {Clase::Item, "importararchivo", "arrch_tabulador", "Archivo delimitado por &Tabuladores"},
      {Clase::Item, "archivo", "arch_env", "&Crear archivo a enviar", QKeySequence(Qt::CTRL | Qt::Key_E)},
      {Clase::Item, "archivo", "etiquetas", "E&tiquetas de contenedor..."},
      {Clase::Item, "archivo", "listaempaque", "&Lista de empaque..."},
      {Clase::Item, "archivo", "revisaraviso", "&Revisar aviso..."},
      {Clase::Item, "archivo", "guardar_actual", "Guar&dar", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {Clase::Item, "archivo", "guardararchiv", "&Guardar como ..."},
      {Clase::Item, "archivo", "recuperar", "Rec&uperar trabajo..."},
      {Clase::Separador, "archivo", "separación1", "-"},
      {Clase::Item, "archivo", "enviararchiv", "&Enviar"},
      {Clase::Separador, "archivo", "separación2", "-"},
      {Clase::Item, "archivo", "recientes", ""},
      {Clase::Separador, "archivo", "separación3", "-"},
      {Clase::Item, "archivo", "saliraplic", "&Salir"},

      {Clase::Menu, "", "editar", "&Editar"},
      {Clase::Item, "editar", "deshacer", "&Deshacer", QKeySequence(Qt::CTRL | Qt::Key_Z)},
      {Clase::Item, "editar", "rehacer", "&Rehacer", QKeySequence(Qt::CTRL | Qt::Key_Y)},
      {Clase::Separador, "editar", "sepDeshacer", "-"},
      {Clase::Item, "editar", "cortar", "Cor&tar", QKeySequence::Cut},
      {Clase::Item, "editar", "copiar", "&Copiar", QKeySequence::Copy},
      {Clase::Item, "editar", "pegar", "&Pegar", QKeySequence::Paste},
      {Clase::Item, "editar", "suprimir", "&Suprimir celda"},
      {Clase::Item, "editar", "eliminar_ren", "&Eliminar renglones"},
      {Clase::Separador, "editar", "sep", "-"},
      {Clase::Menu, "editar", "separar", "Separar co&ntenedor en"},
      {Clase::Item, "separar", "two", "&Dos Renglón"},
      {Clase::Item, "separar", "three", "&Tres renglones "},
      {Clase::Item, "separar", "four", "&Cuatro Renglones"},
      {Clase::Item, "separar", "five", "C&inco Renglones"},
      {Clase::Item, "separar", "ten", "Di&ez Renglones"},
      {Clase::Item, "separar", "mult_renglones", "&Múltiples renglones"},
      {Clase::Menu, "editar", "duplicar", "D&uplicar renglón"},
      {Clase::Item, "duplicar", "uno", "&Un Renglón"},
      {Clase::Item, "duplicar", "dos", "&Dos Renglones"},
      {Clase::Item, "duplicar", "cinco", "&Cinco Renglones"},
      {Clase::Item, "duplicar", "diez", "Di&ez Renglones"},
      {Clase::Separador, "editar", "separador3", "-"},
      {Clase::Item, "editar", "insertar", "&Insertar renglón"},
      {Clase::Item, "editar", "borrar", "&Borrar renglón"},
      {Clase::Separador, "editar", "separador4", "-"},
      {Clase::Item, "editar", "buscar", "Busc&ar...", QKeySequence(Qt::CTRL | Qt::Key_F)},
      {Clase::Item, "editar", "marcado", "Siguiente renglón &marcado", QKeySequence(Qt::Key_F8)},
      {Clase::Separador, "editar", "separador5", "-"},
      {Clase::Item, "editar", "empacar", "Empacar con &lector", QKeySequence(Qt::Key_F9)},
      {Clase::Item, "editar", "cerrarcontenedor", "Cerrar c&ontenedor", QKeySequence(Qt::Key_F10)},
      {Clase::Item, "editar", "resumenempaque", "&Ver resumen de empaque", QKeySequence(Qt::Key_F11)},
      {Clase::Item, "editar", "terminarempaque", "Terminar empa&que"},

      {Clase::Menu, "", "configaplic", "&Configuración"},
      {Clase::Item, "configaplic", "generales", "&Datos Generales"},
      {Clase::Separador, "configaplic", "separador", "-"},
      {Clase::Item, "configaplic", "ftp", "&Conexión FTP"},

      {Clase::Menu, "", "help", "&?"},
      {Clase::Item, "help", "guia", "&Guía del usuario", QKeySequence(Qt::Key_F1)},
      {Clase::Item, "help", "acerca", "&Acerca de ..."},
  };
  return t;
}

}  // namespace

QAction* MainWindow::nuevaAccion(QMenu* menu, const QString& nombre, const QString& texto) {
  QAction* a = menu->addAction(texto);
  a->setObjectName(nombre);
  acciones_.insert(nombre, a);
  return a;
}

void MainWindow::crearMenus() {
  for (const EntradaMenu& e : menusVentana()) {
    const QString nombre = QString::fromUtf8(e.nombre), texto = QString::fromUtf8(e.texto);
    QMenu* padre = menus_.value(QString::fromLatin1(e.padre));
    if (e.clase == Clase::Menu) {
      QMenu* m = padre ? padre->addMenu(texto) : menuBar()->addMenu(texto);
      m->setObjectName(nombre);
      m->menuAction()->setObjectName(nombre);
      menus_.insert(nombre, m);
      acciones_.insert(nombre, m->menuAction());
      if (!padre) m->installEventFilter(this);  // Esc leaves the menu bar too
    } else if (e.clase == Clase::Separador) {
      QAction* s = padre->addSeparator();
      s->setObjectName(nombre);
      acciones_.insert(nombre, s);
    } else if (nombre == QLatin1String("recientes")) {
      // The last work files opened or saved, shown once there are some.
      for (int i = 1; i <= Preferencias::kRecientes; ++i)
        nuevaAccion(padre, QStringLiteral("reciente%1").arg(i), QString())->setVisible(false);
    } else {
      nuevaAccion(padre, nombre, texto)->setShortcut(e.atajo);
    }
  }
  acciones_.value(QStringLiteral("separación3"))->setVisible(false);
  // Undo and redo of every command; the window holds them too, so the keys
  // work while the Editar menu is closed to the user.
  QAction* rehacer = accion(QStringLiteral("rehacer"));
  rehacer->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  addAction(accion(QStringLiteral("deshacer")));
  addAction(rehacer);
}

void MainWindow::crearBarra() {
  QToolBar* barra = addToolBar(QStringLiteral("Toolbar1"));
  barra->setObjectName(QStringLiteral("Toolbar1"));
  barra->setMovable(false);
  barra->setIconSize(QSize(32, 32));
  const std::pair<const char*, const char*> botones[] = {
      {"b_nuevo", " NUEVO ARCHIVO "},  {"b_abrir", " ABRIR ARCHIVO "}, {"b_save", " GUARDAR ARCHIVO "},
      {"b_import", " IMPORTAR ARCHIVO "}, {"b_enviar", " ENVIAR "},     {"b_cut", " CORTAR "},
      {"b_copy", " COPIAR "},          {"b_paste", " PEGAR "},         {"b_separar", " SEPARAR CONTENEDOR "},
      {"b_duplicar", "DUPLICAR RENGLÓN"}};
  for (const auto& [nombre, tip] : botones) {
    const QString n = QString::fromLatin1(nombre);
    QAction* a = barra->addAction(QIcon(QStringLiteral(":/iconos/") + n + QStringLiteral(".png")), QString::fromUtf8(tip).trimmed());
    a->setObjectName(n);
    a->setToolTip(QString::fromUtf8(tip));
    acciones_.insert(n, a);
    if (n == QStringLiteral("b_enviar")) barra->addSeparator();
    if (n == QStringLiteral("b_paste")) {
      // Undo and redo, open whenever the history has a step to take.
      for (const bool adelante : {false, true}) {
        const QString m = adelante ? QStringLiteral("b_rehacer") : QStringLiteral("b_deshacer");
        QAction* h = barra->addAction(iconoHistorial(adelante), adelante ? QStringLiteral("Rehacer") : QStringLiteral("Deshacer"));
        h->setObjectName(m);
        acciones_.insert(m, h);
      }
      barra->addSeparator();
    }
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
  auto* eliminarRangos = new QPushButton(QStringLiteral("Eliminar varios rangos"), centro);
  eliminarRangos->setObjectName(QStringLiteral("Command1"));
  campos->addWidget(eliminarRangos, 1, 5);
  campos->setColumnStretch(4, 1);
  v->addLayout(campos);

  auto* filaBotones = new QHBoxLayout();
  const std::tuple<const char*, const char*, const char*> botones[] = {
      {"abrir", "A&brir", "Abrir un archivo previamente guardado"},
      {"guardar", "&Guardar", "Guardar archivo en el disco"},
      {"enviar", "E&nviar", "Subir información al servidor via FTP"},
      {"cancelar", "Cance&lar", "Subir información al servidor via FTP"},
      {"Importar", "&Importar", "Subir información al servidor via FTP"},
      {"salir", "&Salir", ""}};
  // The toolbar and the menus carry the same commands: the row shows only
  // when the preferences ask for it.
  auto* fila = new QWidget(centro);
  fila->setObjectName(QStringLiteral("filaBotones"));
  fila->setVisible(preferencias_.valor(QStringLiteral("ventana/botones"), false).toBool());
  filaBotones->setContentsMargins(0, 0, 0, 0);
  fila->setLayout(filaBotones);
  filaBotones->addStretch();
  for (const auto& [nombre, texto, tip] : botones) {
    auto* b = new QPushButton(QString::fromUtf8(texto), fila);
    b->setObjectName(QString::fromLatin1(nombre));
    if (*tip) b->setToolTip(QString::fromUtf8(tip));
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

void MainWindow::conectar(const QString& nombre, const std::function<Resultado()>& orden) {
  // Nuevo, the imports and Abrir replace the workspace: work not saved goes
  // aside first (Ctrl+Z brings it back too).
  static const QStringList reemplazan = {QStringLiteral("nuevaforma"), QStringLiteral("b_nuevo"), QStringLiteral("importararchiv"),
                                         QStringLiteral("b_import"), QStringLiteral("Importar"), QStringLiteral("arrch_tabulador"),
                                         QStringLiteral("abrirarchiv"), QStringLiteral("b_abrir")};
  // Afterwards the keys go where the next typing goes: the detail grid,
  // unless the command left the focus somewhere else (the order list).
  const std::function<Resultado()> comando = !reemplazan.contains(nombre) ? orden : [this, orden] {
    recuperador_->apartar();
    const Resultado r = orden();
    if (r == Resultado::Hecho && ws_->foco.isEmpty() && QApplication::focusWidget() != Combo2_)
      ws_->foco = QStringLiteral("vaspread1");
    return r;
  };
  if (!comandos_.contains(nombre)) comandos_.insert(nombre, comando);
  // The window shows what the command left; how it ended needs no showing.
  const auto correr = [this, comando, que = queHace(nombre)] { ejecutar([&comando] { comando(); }, que); };
  if (QAction* a = accion(nombre)) {
    connect(a, &QAction::triggered, this, correr);
    return;
  }
  if (auto* b = findChild<QPushButton*>(nombre)) connect(b, &QPushButton::clicked, this, correr);
}

QString MainWindow::queHace(const QString& nombre) {
  static const std::pair<const char*, const char*> nombres[] = {
      {"nuevaforma b_nuevo", "nuevo"},
      {"importararchiv b_import Importar arrch_tabulador", "importar"},
      {"abrirarchiv b_abrir", "abrir"},
      {"recuperar", "recuperar trabajo"},
      {"two three four five ten mult_renglones b_separar", "separar contenedor"},
      {"uno dos cinco diez b_duplicar", "duplicar renglón"},
      {"insertar", "insertar renglón"},
      {"borrar", "borrar renglón"},
      {"eliminar_ren Command1", "eliminar renglones"},
      {"suprimir", "suprimir celda"},
      {"cortar b_cut", "cortar"},
      {"pegar b_paste", "pegar"},
      {"copiar b_copy", "copiar"},
      {"arch_env", "crear archivo a enviar"},
      {"b_enviar enviararchiv enviar", "enviar"},
      {"guardararchiv b_save guardar guardar_actual", "guardar"},
      {"generales", "datos generales"},
      {"etiquetas", "etiquetas"},
      {"listaempaque", "lista de empaque"},
      {"revisaraviso", "revisar aviso"},
  };
  if (nombre.startsWith(QLatin1String("reciente"))) return QStringLiteral("abrir");
  for (const auto& [nombres_, que] : nombres)
    if (QString::fromLatin1(nombres_).split(QLatin1Char(' ')).contains(nombre)) return QString::fromUtf8(que);
  return QString();
}

void MainWindow::conectarComandos() {
  Workspace& w = *ws_;
  conectar(QStringLiteral("nuevaforma"), [&w] { return nuevaforma_Click(w); });
  conectar(QStringLiteral("deshacer"), [&w] { return deshacer_Click(w); });
  conectar(QStringLiteral("recuperar"), [this] { return recuperarTrabajo(); });
  for (int i = 1; i <= Preferencias::kRecientes; ++i)
    conectar(QStringLiteral("reciente%1").arg(i), [this, i] { return abrirReciente(i); });
  conectar(QStringLiteral("rehacer"), [&w] { return rehacer_Click(w); });
  conectar(QStringLiteral("b_deshacer"), [&w] { return deshacer_Click(w); });
  conectar(QStringLiteral("b_rehacer"), [&w] { return rehacer_Click(w); });
  conectar(QStringLiteral("b_nuevo"), [&w] { return b_nuevo_Click(w); });
  conectar(QStringLiteral("acerca"), [&w] { return acerca_Click(w); });
  conectar(QStringLiteral("ftp"), [&w] { return ftp_Click(w); });
  conectar(QStringLiteral("generales"), [&w] { return generales_Click(w); });
  conectar(QStringLiteral("b_import"), [&w] { return b_import_Click(w); });
  conectar(QStringLiteral("importararchiv"), [&w] { return importararchiv_Click(w); });
  conectar(QStringLiteral("Importar"), [&w] { return Importar_Click(w); });
  conectar(QStringLiteral("arrch_tabulador"), [&w] { return arrch_tabulador_Click(w); });
  // Editar > Separar contenedor en, and the toolbar image b_separar.
  conectar(QStringLiteral("two"), [&w] { return two_Click(w); });
  conectar(QStringLiteral("three"), [&w] { return three_Click(w); });
  conectar(QStringLiteral("four"), [&w] { return four_Click(w); });
  conectar(QStringLiteral("five"), [&w] { return five_Click(w); });
  conectar(QStringLiteral("ten"), [&w] { return ten_Click(w); });
  conectar(QStringLiteral("mult_renglones"), [&w] { return mult_renglones_Click(w); });
  conectar(QStringLiteral("b_separar"), [&w] { return b_separar_Click(w); });
  // The work file: saving (b_save, Archivo > Guardar como ..., the button
  // guardar, which salir's Yes runs) and opening (Archivo > Abrir, b_abrir).
  // The button abrir has no action of its own.
  conectar(QStringLiteral("b_save"), [&w] { return b_save_Click(w); });
  conectar(QStringLiteral("guardararchiv"), [&w] { return guardararchiv_Click(w); });
  conectar(QStringLiteral("guardar"), [&w] { return guardar_Click(w); });
  conectar(QStringLiteral("abrirarchiv"), [&w] { return abrirarchiv_Click(w); });
  conectar(QStringLiteral("b_abrir"), [&w] { return b_abrir_Click(w); });
  conectar(QStringLiteral("arch_env"), [&w] { return arch_env_Click(w); });
  conectar(QStringLiteral("etiquetas"), [&w] { return etiquetas_Click(w); });
  conectar(QStringLiteral("listaempaque"), [&w] { return listaempaque_Click(w); });
  conectar(QStringLiteral("empacar"), [this] { return empaque_->alternar(); });
  conectar(QStringLiteral("cerrarcontenedor"), [this] { return empaque_->cerrarContenedor(); });
  conectar(QStringLiteral("resumenempaque"), [&w] { return resumenEmpaque_Click(w); });
  conectar(QStringLiteral("terminarempaque"), [this] { return empaque_->terminar(); });
  accion(QStringLiteral("empacar"))->setCheckable(true);
  conectar(QStringLiteral("revisaraviso"), [&w] { return revisaraviso_Click(w); });
  conectar(QStringLiteral("b_enviar"), [&w] { return b_enviar_Click(w); });
  conectar(QStringLiteral("enviararchiv"), [&w] { return enviararchiv_Click(w); });
  // Editar (also the right-button menu of the detail grid), the clipboard
  // and duplicate images and the button Command1: row and clipboard commands.
  conectar(QStringLiteral("insertar"), [&w] { return insertar_Click(w); });
  conectar(QStringLiteral("borrar"), [&w] { return borrar_Click(w); });
  conectar(QStringLiteral("eliminar_ren"), [&w] { return eliminar_ren_Click(w); });
  conectar(QStringLiteral("Command1"), [&w] { return Command1_Click(w); });
  conectar(QStringLiteral("suprimir"), [&w] { return suprimir_Click(w); });
  conectar(QStringLiteral("copiar"), [&w] { return copiar_Click(w); });
  conectar(QStringLiteral("b_copy"), [&w] { return b_copy_Click(w); });
  conectar(QStringLiteral("pegar"), [&w] { return pegar_Click(w); });
  conectar(QStringLiteral("b_paste"), [&w] { return b_paste_Click(w); });
  conectar(QStringLiteral("b_duplicar"), [&w] { return b_duplicar_Click(w); });
  conectar(QStringLiteral("uno"), [&w] { return uno_Click(w); });
  conectar(QStringLiteral("dos"), [&w] { return dos_Click(w); });
  conectar(QStringLiteral("cinco"), [&w] { return cinco_Click(w); });
  conectar(QStringLiteral("diez"), [&w] { return diez_Click(w); });
  // Cut goes to the control that has the focus: a text box cuts its own
  // text, a grid its selection (the one named in cual_grid).
  for (const QString& nombre : {QStringLiteral("cortar"), QStringLiteral("b_cut")}) {
    comandos_.insert(nombre, [&w] { return cortar_Click(w); });
    connect(accion(nombre), &QAction::triggered, this, [this, &w] {
      if (ocupado_) return;
      if (auto* campo = qobject_cast<QLineEdit*>(QApplication::focusWidget()); campo && !campo->isReadOnly()) {
        campo->cut();
        return;
      }
      ejecutar([&w] { return cortar_Click(w); }, queHace(QStringLiteral("cortar")));
    });
  }
  // The menu item "Copiar" does nothing of its own, so Ctrl+C is left to the
  // control with the focus: a text box copies its text, a grid its selection.
  // The menu shows the key all the same.
  accion(QStringLiteral("copiar"))->setShortcutContext(Qt::WidgetShortcut);
  for (VistaGrid* v : {vaspread1_, vaSpread9_}) {
    Grid* g = v == vaspread1_ ? &w.vaspread1 : &w.vaSpread9;
    auto* copia = new QShortcut(QKeySequence::Copy, v, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copia, &QShortcut::activated, this, [this, &w, g] { ejecutar([&w, g] { copiarSeleccion(w, *g); }); });
  }
  // PENDIENTE-AVISO
  // Archivo > Salir and the close box end at once.
  connect(accion(QStringLiteral("saliraplic")), &QAction::triggered, this, [this] {
    if (ocupado_) return;
    saliraplic_Click(*ws_);
    close();
  });
  conectar(QStringLiteral("salir"), [this] {
    // "Yes" runs the save command of the button guardar (already inside this command).
    bool terminar = false;
    const Resultado r = salir_Click(*ws_, comandos_.value(QStringLiteral("guardar")), terminar);
    if (terminar) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    return r;
  });
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
      if (codigo != 46) {  // only Delete runs a command; the other keys are logged and move on
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
    // For as long as the command runs no other starts; however it ends, the
    // normal pointer comes back and the progress bar goes back to rest.
    struct EnCurso {
      MainWindow& v;
      EnCurso(MainWindow& w, const QString& que) : v(w) {
        v.ws_->historial.abrir();  // one undo step, whatever the command changes
        v.ws_->historial.nombrar(que);
        v.ocupado_ = true;
        v.enBucle_ = false;
        v.ws_->progreso = v.ws_->progresoMaximo = 0;
      }
      ~EnCurso() {
        const bool largo = v.enBucle_;
        v.ocupado_ = false;
        v.enBucle_ = false;
        v.ws_->ocupado(false);
        v.ws_->progreso = v.ws_->progresoMaximo = 0;
        v.ws_->historial.cerrar();
        if (v.recuperador_) v.recuperador_->trasComando(largo);
      }
    } enCurso(*this, que);
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
  // The command buttons are file commands: they are open when the Archivo
  // menu is, so that nothing but leaving gets past the order list while it
  // waits for a choice. salir stays open: it is the way out.
  const bool archivo = ws_->habilitado(QStringLiteral("archivo"));
  for (const char* n : {"abrir", "guardar", "enviar", "cancelar", "Importar"}) {
    const QString nombre = QString::fromLatin1(n);
    if (auto* b = findChild<QPushButton*>(nombre)) b->setEnabled(archivo && ws_->habilitado(nombre));
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
  const QFileInfo trabajo(ws_->archivoTrabajo);
  // A work file keeps its name; another kind (the notice) takes the work file's with its own extension.
  if (guardar && !ws_->archivoTrabajo.isEmpty() && !clase.isEmpty())
    d.nombre = clase == ws_->vaSpread2.text(2, 1) ? trabajo.fileName() : trabajo.completeBaseName() + QLatin1Char('.') + clase;
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
    // The hour the file had when it was last saved here.
    const int i = static_cast<int>(w.Combo3.entradas.indexOf(preferencias_.hora(w.archivoAbierto)));
    if (i >= 0) {
      w.Combo3.indice = i;
      w.Combo3.texto = w.Combo3.entradas[i];
    }
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
