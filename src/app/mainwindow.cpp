#include "app/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/gridmodel.h"
#include "workspace/startup.h"

MainWindow::MainWindow(const QString& carpeta, Prompter* prompter, const Reloj* reloj)
    : qtPrompter_(this) {
  if (!reloj) reloj_ = std::make_unique<Reloj>();
  ws_ = std::make_unique<Workspace>(carpeta, prompter ? *prompter : qtPrompter_, reloj ? *reloj : *reloj_);
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(kTituloVentana);
  crearMenus();
  crearBarra();
  crearCentro();
  crearBarraEstado();
  ws_->alCambiar = [this] { refrescar(); };

  conectar(QStringLiteral("nuevaforma"), [this] { nuevaforma_Click(*ws_); });
  conectar(QStringLiteral("b_nuevo"), [this] { b_nuevo_Click(*ws_); });
  connect(accion(QStringLiteral("saliraplic")), &QAction::triggered, this, [this] { QApplication::quit(); close(); });

  Form_Load(*ws_);
  refrescar();
  resize(1200, 720);
}

MainWindow::~MainWindow() { ws_->alCambiar = nullptr; }

QAction* MainWindow::nuevaAccion(QMenu* menu, const QString& nombre, const QString& texto) {
  QAction* a = menu->addAction(texto);
  a->setObjectName(nombre);
  acciones_.insert(nombre, a);
  return a;
}

void MainWindow::crearMenus() {
  auto menu = [this](const QString& nombre, const QString& texto, QMenu* padre = nullptr) {
    QMenu* m = padre ? padre->addMenu(texto) : menuBar()->addMenu(texto);
    m->setObjectName(nombre);
    m->menuAction()->setObjectName(nombre);
    menus_.insert(nombre, m);
    acciones_.insert(nombre, m->menuAction());
    return m;
  };
  auto separador = [this](QMenu* m, const QString& nombre) {
    QAction* s = m->addSeparator();
    s->setObjectName(nombre);
    acciones_.insert(nombre, s);
  };
  QMenu* archivo = menu(QStringLiteral("archivo"), QStringLiteral("&Archivo"));
  nuevaAccion(archivo, QStringLiteral("nuevaforma"), QStringLiteral("&Nuevo"));
  nuevaAccion(archivo, QStringLiteral("abrirarchiv"), QStringLiteral("&Abrir"));
  QMenu* importar = menu(QStringLiteral("importararchivo"), QStringLiteral("&Importar"), archivo);
  nuevaAccion(importar, QStringLiteral("importararchiv"), QStringLiteral("Archivo INF"));
  nuevaAccion(importar, QStringLiteral("arrch_tabulador"), QStringLiteral("Archivo delimitado por Tabuladores"));
  nuevaAccion(archivo, QStringLiteral("arch_env"), QStringLiteral("Crear archivo a enviar"));
  nuevaAccion(archivo, QStringLiteral("guardararchiv"), QStringLiteral("&Guardar como ..."));
  separador(archivo, QStringLiteral("separación1"));
  nuevaAccion(archivo, QStringLiteral("enviararchiv"), QStringLiteral("&Enviar"));
  separador(archivo, QStringLiteral("separación2"));
  nuevaAccion(archivo, QStringLiteral("saliraplic"), QStringLiteral("&Salir"));

  QMenu* editar = menu(QStringLiteral("editar"), QStringLiteral("&Editar"));
  nuevaAccion(editar, QStringLiteral("cortar"), QStringLiteral("Cortar"));
  nuevaAccion(editar, QStringLiteral("copiar"), QStringLiteral("Copiar"));
  nuevaAccion(editar, QStringLiteral("pegar"), QStringLiteral("Pegar"));
  nuevaAccion(editar, QStringLiteral("suprimir"), QStringLiteral("Suprimir celda"));
  nuevaAccion(editar, QStringLiteral("eliminar_ren"), QStringLiteral("Eliminar renglones"));
  separador(editar, QStringLiteral("sep"));
  QMenu* separar = menu(QStringLiteral("separar"), QStringLiteral("Separar contenedor en"), editar);
  nuevaAccion(separar, QStringLiteral("two"), QStringLiteral("Dos Renglón"));
  nuevaAccion(separar, QStringLiteral("three"), QStringLiteral("Tres renglones "));
  nuevaAccion(separar, QStringLiteral("four"), QStringLiteral("Cuatro Renglones"));
  nuevaAccion(separar, QStringLiteral("five"), QStringLiteral("Cinco Renglones"));
  nuevaAccion(separar, QStringLiteral("ten"), QStringLiteral("Diez Renglones"));
  nuevaAccion(separar, QStringLiteral("mult_renglones"), QStringLiteral("Múltiples renglones"));
  QMenu* duplicar = menu(QStringLiteral("duplicar"), QStringLiteral("Duplicar renglón"), editar);
  nuevaAccion(duplicar, QStringLiteral("uno"), QStringLiteral("Un Renglón"));
  nuevaAccion(duplicar, QStringLiteral("dos"), QStringLiteral("Dos Renglones"));
  nuevaAccion(duplicar, QStringLiteral("cinco"), QStringLiteral("Cinco Renglones"));
  nuevaAccion(duplicar, QStringLiteral("diez"), QStringLiteral("Diez Renglones"));
  separador(editar, QStringLiteral("separador3"));
  nuevaAccion(editar, QStringLiteral("insertar"), QStringLiteral("&Insertar renglón"));
  nuevaAccion(editar, QStringLiteral("borrar"), QStringLiteral("&Borrar renglón"));

  QMenu* config = menu(QStringLiteral("configaplic"), QStringLiteral("&Configuración"));
  nuevaAccion(config, QStringLiteral("generales"), QStringLiteral("&Datos Generales"));
  separador(config, QStringLiteral("separador"));
  nuevaAccion(config, QStringLiteral("ftp"), QStringLiteral("&Conexión FTP"));  // no action

  QMenu* ayuda = menu(QStringLiteral("help"), QStringLiteral("&?"));
  nuevaAccion(ayuda, QStringLiteral("acerca"), QStringLiteral("&Acerca de ..."));
}

void MainWindow::crearBarra() {
  QToolBar* barra = addToolBar(QStringLiteral("Toolbar1"));
  barra->setObjectName(QStringLiteral("Toolbar1"));
  barra->setMovable(false);
  const std::pair<const char*, const char*> botones[] = {
      {"b_nuevo", " NUEVO ARCHIVO "}, {"b_abrir", " ABRIR ARCHIVO "}, {"b_save", " GUARDAR ARCHIVO "},
      {"b_import", " IMPORTAR ARCHIVO "}, {"b_enviar", " ENVIAR "}, {"b_cut", " CORTAR "},
      {"b_copy", " COPIAR "}, {"b_paste", " PEGAR "}, {"b_separar", " SEPARAR CONTENEDOR "},
      {"b_duplicar", "DUPLICAR RENGLÓN"}};
  for (const auto& [nombre, tip] : botones) {
    const QString n = QString::fromLatin1(nombre);
    QAction* a = barra->addAction(QIcon(QStringLiteral(":/iconos/") + n + QStringLiteral(".png")), n.mid(2));
    a->setObjectName(n);
    a->setToolTip(QString::fromUtf8(tip));
    acciones_.insert(n, a);
  }
}

void MainWindow::crearCentro() {
  QWidget* centro = new QWidget(this);
  auto* v = new QVBoxLayout(centro);

  vaSpread5_ = new QTableView(centro);
  vaSpread5_->setObjectName(QStringLiteral("vaSpread5"));
  modelo5_ = new GridModel(ws_->vaSpread5, 4, 1, this);
  vaSpread5_->setModel(modelo5_);
  vaSpread5_->setMaximumHeight(60);
  v->addWidget(vaSpread5_);

  vaspread1_ = new QTableView(centro);
  vaspread1_->setObjectName(QStringLiteral("vaspread1"));
  modelo1_ = new GridModel(ws_->vaspread1, 15, 0, this);
  vaspread1_->setModel(modelo1_);
  vaspread1_->verticalHeader()->setDefaultSectionSize(22);
  v->addWidget(vaspread1_, 4);

  vaSpread9_ = new QTableView(centro);
  vaSpread9_->setObjectName(QStringLiteral("vaSpread9"));
  modelo9_ = new GridModel(ws_->vaSpread9, 8, 0, this);
  vaSpread9_->setModel(modelo9_);
  v->addWidget(vaSpread9_, 1);

  auto* campos = new QGridLayout();
  auto etiqueta = [&](const QString& t, int fila, int col) { campos->addWidget(new QLabel(t, centro), fila, col); };
  for (int i = 1; i <= 7; ++i) {
    Text1_[i] = new QLineEdit(centro);
    Text1_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
  }
  const int largo[8] = {0, 6, 0, 4, 0, 6, 13, 11};
  for (int i = 1; i <= 7; ++i)
    if (largo[i]) Text1_[i]->setMaxLength(largo[i]);
  Text1_[1]->setVisible(false);
  Text1_[4]->setVisible(false);
  Text1_[5]->setVisible(false);
  etiqueta(QStringLiteral(" TIPO DE MOVIMIENTO"), 0, 0);
  campos->addWidget(Text1_[2], 1, 0);
  Combo1_ = new QComboBox(centro);
  Combo1_->setObjectName(QStringLiteral("Combo1"));
  Combo1_->setVisible(false);
  campos->addWidget(Combo1_, 1, 0);
  etiqueta(QStringLiteral("NUMERO DE VORARIDO"), 0, 1);
  campos->addWidget(Text1_[3], 1, 1);
  etiqueta(QStringLiteral("FACTURA /REMISION"), 0, 2);
  campos->addWidget(Text1_[6], 1, 2);
  etiqueta(QStringLiteral("IMPORTE TOTAL"), 0, 3);
  campos->addWidget(Text1_[7], 1, 3);
  etiqueta(QStringLiteral("FECHA DE ENTREGA"), 0, 4);
  DTPicker1_4_ = new QDateEdit(centro);
  DTPicker1_4_->setObjectName(QStringLiteral("DTPicker1_4"));
  DTPicker1_4_->setCalendarPopup(true);
  DTPicker1_4_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  campos->addWidget(DTPicker1_4_, 1, 4);
  etiqueta(QStringLiteral("HORA DE ENTREGA"), 0, 5);
  Combo3_ = new QComboBox(centro);
  Combo3_->setObjectName(QStringLiteral("Combo3"));
  campos->addWidget(Combo3_, 1, 5);
  etiqueta(QStringLiteral("ORDEN DE COMPRA"), 0, 6);
  Combo2_ = new QComboBox(centro);
  Combo2_->setObjectName(QStringLiteral("Combo2"));
  Combo2_->setMinimumWidth(160);
  campos->addWidget(Combo2_, 1, 6);
  v->addLayout(campos);

  auto* filaBotones = new QHBoxLayout();
  const std::tuple<const char*, const char*, const char*> botones[] = {
      {"abrir", "A&brir", "Abrir un archivo previamente guardado"},
      {"guardar", "&Guardar", "Guardar archivo en el disco"},
      {"enviar", "E&nviar", "Subir información al servidor via FTP"},
      {"cancelar", "&Cancelar", "Subir información al servidor via FTP"},
      {"Importar", "&Importar", "Subir información al servidor via FTP"},
      {"salir", "&Salir", ""}};
  for (const auto& [nombre, texto, tip] : botones) {
    auto* b = new QPushButton(QString::fromUtf8(texto), centro);
    b->setObjectName(QString::fromLatin1(nombre));
    if (*tip) b->setToolTip(QString::fromUtf8(tip));
    filaBotones->addWidget(b);
  }
  filaBotones->addStretch();
  v->addLayout(filaBotones);
  setCentralWidget(centro);
}

void MainWindow::crearBarraEstado() {
  QStatusBar* sb = statusBar();
  sb->setObjectName(QStringLiteral("StatusBar1"));
  for (int i = 1; i <= 3; ++i) {
    panel_[i] = new QLabel(sb);
    panel_[i]->setObjectName(QStringLiteral("panel%1").arg(i));
    panel_[i]->setMinimumWidth(140);
  }
  panel_[1]->setObjectName(QStringLiteral("Output"));
  sb->addWidget(panel_[1], 2);
  sb->addWidget(panel_[2], 1);
  sb->addWidget(panel_[3], 1);
  ProgressBar1_ = new QProgressBar(sb);
  ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1_->setTextVisible(false);
  ProgressBar1_->setValue(0);
}

void MainWindow::colocarProgreso() {
  // The progress bar stays over the "Output" panel.
  if (!ProgressBar1_ || !panel_[1]) return;
  ProgressBar1_->setGeometry(panel_[1]->geometry());
  ProgressBar1_->raise();
}

void MainWindow::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  colocarProgreso();
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // Closing the window ends the program at once, without a question.
  e->accept();
}

void MainWindow::conectar(const QString& nombre, const std::function<void()>& comando) {
  QAction* a = accion(nombre);
  if (!a) {
    if (auto* b = findChild<QPushButton*>(nombre)) connect(b, &QPushButton::clicked, this, [this, comando] { ejecutar(comando); });
    return;
  }
  connect(a, &QAction::triggered, this, [this, comando] { ejecutar(comando); });
}

void MainWindow::ejecutar(const std::function<void()>& comando) {
  if (ocupado_) return;  // no command starts while another runs
  ocupado_ = true;
  comando();
  ocupado_ = false;
  ws_->ocupado(false);
  refrescar();
}

void MainWindow::aplicarControles() {
  for (const auto& [nombre, estado] : ws_->controles) {
    if (QAction* a = acciones_.value(nombre)) {
      a->setEnabled(estado.habilitado);
      continue;
    }
    if (QWidget* w = findChild<QWidget*>(nombre)) {
      w->setEnabled(estado.habilitado);
      if (w == Combo1_ || w == DTPicker1_4_) w->setVisible(estado.visible);
    }
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
    c->setCurrentIndex(l.indice);
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
  ProgressBar1_->setMaximum(qMax(1, w.progresoMaximo));
  ProgressBar1_->setValue(qMin(w.progreso, qMax(1, w.progresoMaximo)));
  aplicarControles();
  auto cursor = [](QTableView* v, Grid& g) {
    const QModelIndex i = v->model()->index(g.activeRow() - 1, g.activeCol() - 1);
    if (i.isValid() && v->currentIndex() != i) v->setCurrentIndex(i);
  };
  cursor(vaspread1_, w.vaspread1);
  cursor(vaSpread9_, w.vaSpread9);
  if (!w.foco.isEmpty()) {
    if (QWidget* f = findChild<QWidget*>(w.foco)) f->setFocus();
    w.foco.clear();
  }
  colocarProgreso();
  refrescando_ = false;
}
