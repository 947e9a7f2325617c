#include "app/dialogs/conexion_dialogo.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <thread>

#include "app/dialogs/forms.h"
#include "notice/envio_aviso.h"

ResultadoSubida fueraDelHilo(const std::function<ResultadoSubida()>& trabajo) {
  ResultadoSubida r;
  QEventLoop ciclo;
  std::thread hilo([&] {
    r = trabajo();
    // Queued: the loop ends once it runs, even if it had not started yet.
    QMetaObject::invokeMethod(&ciclo, &QEventLoop::quit, Qt::QueuedConnection);
  });
  ciclo.exec(QEventLoop::ExcludeUserInputEvents);
  hilo.join();
  return r;
}

ConexionFtpDialogo::ConexionFtpDialogo(ConexionFtpModelo& modelo, QWidget* padre) : QDialog(padre), m_(modelo) {
  setObjectName(QStringLiteral("ConexionFtp"));
  setWindowTitle(ConexionFtpModelo::kTitulo);
  setModal(true);

  servidor_ = caja(QStringLiteral("servidor"), &m_.servidor);
  protocolo_ = new QComboBox(this);
  protocolo_->setObjectName(QStringLiteral("protocolo"));
  protocolo_->addItems(ConexionFtpModelo::kProtocolos);
  puerto_ = caja(QStringLiteral("puerto"), &m_.puerto);
  puerto_->setPlaceholderText(QStringLiteral("el del protocolo"));
  usuario_ = caja(QStringLiteral("usuario"), &m_.usuario);
  clave_ = caja(QStringLiteral("clave"), &m_.clave, true);
  recordar_ = new QCheckBox(QStringLiteral("&Recordar Contraseña"), this);
  recordar_->setObjectName(QStringLiteral("recordar"));
  carpeta_ = caja(QStringLiteral("carpeta"), &m_.carpeta);
  carpeta_->setPlaceholderText(QStringLiteral("la inicial del usuario"));
  nombre_ = caja(QStringLiteral("nombre"), &m_.nombre);
  nombre_->setToolTip(QStringLiteral("{proveedor}: número de proveedor; {aaaammdd}, {hhmmss}, {aaaa}, {mm}, {dd}: "
                                     "fecha y hora del envío"));
  espera_ = caja(QStringLiteral("espera"), &m_.espera);
  espera_->setToolTip(QStringLiteral("0: 60 segundos"));
  proxy_ = new QComboBox(this);
  proxy_->setObjectName(QStringLiteral("proxy"));
  proxy_->addItems(ConexionFtpModelo::kProxies);
  proxyServidor_ = caja(QStringLiteral("proxyServidor"), &m_.proxyServidor);
  proxyPuerto_ = caja(QStringLiteral("proxyPuerto"), &m_.proxyPuerto);
  proxyUsuario_ = caja(QStringLiteral("proxyUsuario"), &m_.proxyUsuario);
  proxyClave_ = caja(QStringLiteral("proxyClave"), &m_.proxyClave, true);
  nota_ = new QLabel(this);
  nota_->setObjectName(QStringLiteral("nota"));
  nota_->setWordWrap(true);

  probar_ = boton(this, QStringLiteral("probar"), QStringLiteral("Pro&bar conexión"));
  aceptar_ = boton(this, QStringLiteral("aceptar"), QStringLiteral("&Aceptar"));
  Cancelar_ = boton(this, QStringLiteral("Cancelar"), QStringLiteral("&Cancelar"));

  auto* servidor = new QFormLayout();
  const auto fila = [](QFormLayout* f, const QString& etiqueta, QWidget* w) {
    auto* l = new QLabel(etiqueta);
    l->setBuddy(w);
    f->addRow(l, w);
  };
  fila(servidor, QStringLiteral("Ser&vidor:"), servidor_);
  fila(servidor, QStringLiteral("&Protocolo:"), protocolo_);
  fila(servidor, QStringLiteral("Pu&erto:"), puerto_);
  fila(servidor, QStringLiteral("&Usuario:"), usuario_);
  fila(servidor, QStringLiteral("Con&traseña:"), clave_);
  servidor->addRow(QString(), recordar_);
  fila(servidor, QStringLiteral("Carpeta re&mota:"), carpeta_);
  fila(servidor, QStringLiteral("&Nombre remoto:"), nombre_);
  fila(servidor, QStringLiteral("Espera (se&gundos):"), espera_);
  auto* firewall = new QGroupBox(QStringLiteral("Firewall"), this);
  auto* f = new QFormLayout(firewall);
  fila(f, QStringLiteral("&Firewall:"), proxy_);
  fila(f, QStringLiteral("Servi&dor:"), proxyServidor_);
  fila(f, QStringLiteral("Puert&o:"), proxyPuerto_);
  fila(f, QStringLiteral("Usuar&io:"), proxyUsuario_);
  fila(f, QStringLiteral("Contraseña del fire&wall:"), proxyClave_);

  auto* botones = new QHBoxLayout();
  botones->addWidget(probar_);
  botones->addStretch();
  botones->addWidget(aceptar_);
  botones->addWidget(Cancelar_);
  auto* v = new QVBoxLayout(this);
  v->addLayout(servidor);
  v->addWidget(firewall);
  v->addWidget(nota_);
  v->addLayout(botones);

  // Enter goes through the server's boxes and accepts on the last; the
  // firewall's, closed unless one is chosen, are reached by Tab or their keys.
  teclasDeForma(*this, {servidor_, puerto_, usuario_, clave_, carpeta_, nombre_, espera_}, aceptar_, Cancelar_);
  connect(protocolo_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (leyendo_) return;
    m_.protocolo = i;
    leer();
  });
  connect(proxy_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (leyendo_) return;
    m_.proxy = i;
    leer();
  });
  connect(recordar_, &QCheckBox::toggled, this, [this](bool si) {
    if (!leyendo_) m_.recordar = si;
  });
  connect(aceptar_, &QPushButton::clicked, this, [this] {
    m_.aceptar_Click();
    despues();
  });
  connect(Cancelar_, &QPushButton::clicked, this, [this] {
    m_.Cancelar_Click();
    despues();
  });
  connect(probar_, &QPushButton::clicked, this, &ConexionFtpDialogo::probar);

  // The connection is tried on a worker thread; the form waits painting.
  auto probador = m_.probador;
  m_.probador = [probador](const PedidoSubida& p) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ResultadoSubida r = fueraDelHilo([&] { return probador(p); });
    QApplication::restoreOverrideCursor();
    return r;
  };
  leer();
  // Wide enough for the default remote name pattern to show whole.
  setMinimumWidth(480);
  servidor_->setFocus();
}

QLineEdit* ConexionFtpDialogo::caja(const QString& nombre, QString* valor, bool oculta) {
  auto* e = new QLineEdit(this);
  e->setObjectName(nombre);
  if (oculta) e->setEchoMode(QLineEdit::Password);
  connect(e, &QLineEdit::textChanged, this, [this, valor](const QString& t) {
    if (!leyendo_) *valor = t;
  });
  return e;
}

void ConexionFtpDialogo::probar() {
  m_.probar_Click();
  despues();
}

void ConexionFtpDialogo::leer() {
  leyendo_ = true;
  const auto poner = [](QLineEdit* e, const QString& t) {
    if (e->text() != t) e->setText(t);
  };
  poner(servidor_, m_.servidor);
  poner(puerto_, m_.puerto);
  poner(usuario_, m_.usuario);
  poner(clave_, m_.clave);
  poner(carpeta_, m_.carpeta);
  poner(nombre_, m_.nombre);
  poner(espera_, m_.espera);
  poner(proxyServidor_, m_.proxyServidor);
  poner(proxyPuerto_, m_.proxyPuerto);
  poner(proxyUsuario_, m_.proxyUsuario);
  poner(proxyClave_, m_.proxyClave);
  protocolo_->setCurrentIndex(m_.protocolo);
  proxy_->setCurrentIndex(m_.proxy);
  recordar_->setChecked(m_.recordar);
  recordar_->setEnabled(m_.almacen);
  for (QWidget* w : {static_cast<QWidget*>(proxyServidor_), static_cast<QWidget*>(proxyPuerto_),
                     static_cast<QWidget*>(proxyUsuario_), static_cast<QWidget*>(proxyClave_)})
    w->setEnabled(m_.proxy != 0);
  nota_->setText(m_.nota());
  nota_->setVisible(!m_.nota().isEmpty());
  leyendo_ = false;
  if (!m_.foco.isEmpty()) {
    if (auto* w = findChild<QWidget*>(m_.foco)) w->setFocus(Qt::OtherFocusReason);
    m_.foco.clear();
  }
}

void ConexionFtpDialogo::despues() {
  leer();
  if (m_.cerrado) accept();
}

HistorialEnviosDialogo::HistorialEnviosDialogo(HistorialEnviosModelo& modelo, QWidget* padre) : QDialog(padre) {
  setObjectName(QStringLiteral("HistorialEnvios"));
  setWindowTitle(HistorialEnviosModelo::kTitulo);
  setModal(true);
  auto* tabla = new QTableWidget(modelo.lineas.size(), 7, this);
  tabla->setObjectName(QStringLiteral("historial"));
  tabla->setHorizontalHeaderLabels({QStringLiteral("Fecha y hora"), QStringLiteral("Aviso"), QStringLiteral("Servidor"),
                                    QStringLiteral("Nombre remoto"), QStringLiteral("Bytes"),
                                    QStringLiteral("Resultado"), QStringLiteral("SHA-256")});
  tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int i = 0; i < modelo.lineas.size(); ++i) {
    const EnvioRegistrado& e = modelo.lineas[i];
    const QStringList celdas = {e.cuando.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")), e.archivo, e.servidor,
                                e.nombreRemoto, QString::number(e.bytes), e.resultado, e.sha256};
    for (int c = 0; c < celdas.size(); ++c) {
      auto* celda = new QTableWidgetItem(celdas[c]);
      celda->setToolTip(celdas[c]);
      if (c == 5 && !e.enviado()) celda->setForeground(QColor(0xb0, 0, 0));
      tabla->setItem(i, c, celda);
    }
  }
  tabla->resizeColumnsToContents();
  tabla->horizontalHeader()->setStretchLastSection(true);
  auto* cerrar = boton(this, QStringLiteral("cerrar"), QStringLiteral("C&errar"));
  connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);
  auto* v = new QVBoxLayout(this);
  v->addWidget(tabla);
  auto* h = new QHBoxLayout();
  h->addStretch();
  h->addWidget(cerrar);
  v->addLayout(h);
  resize(900, 400);
  ajustarAPantalla(*this);
  tabla->setFocus();
}
