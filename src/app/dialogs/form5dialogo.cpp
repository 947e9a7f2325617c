#include "app/dialogs/form5dialogo.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/cajatexto.h"
#include "app/dialogs/forms.h"

Form5Dialogo::Form5Dialogo(Form5Modelo& modelo, QWidget* padre) : QDialog(padre), m_(modelo) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(Form5Modelo::kTitulo);
  setModal(true);

  auto* encabezado = new QLabel(Form5Modelo::kEncabezado, this);
  encabezado->setObjectName(QStringLiteral("Label5"));
  QFont f = encabezado->font();
  f.setBold(true);
  encabezado->setFont(f);

  aplicacion_ = new QLineEdit(this);
  aplicacion_->setObjectName(QStringLiteral("aplicación"));
  aplicacion_->setReadOnly(true);  // shown only, never written back
  aplicacion_->setFocusPolicy(Qt::NoFocus);
  ncliente_ = nuevaCaja(Form5Modelo::Caja::ncliente, QStringLiteral("ncliente"));
  Text2_ = nuevaCaja(Form5Modelo::Caja::Text2, QStringLiteral("Text2"));
  rfc_ = nuevaCaja(Form5Modelo::Caja::rfc, QStringLiteral("rfc"));
  auto* ejemplo = new QLabel(Form5Modelo::kEjemploRfc, this);
  ejemplo->setObjectName(QStringLiteral("ejemplo"));

  aceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
  aceptar_->setObjectName(QStringLiteral("aceptar"));
  Cancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  Cancelar_->setObjectName(QStringLiteral("Cancelar"));
  // Enter in a box is a key for the box's filter, not a press of a button.
  aceptar_->setAutoDefault(false);
  Cancelar_->setAutoDefault(false);

  auto* campos = new QFormLayout();
  campos->addRow(QStringLiteral("Aplicación:"), aplicacion_);
  campos->addRow(QStringLiteral("Número de Cliente:"), ncliente_);
  campos->addRow(QStringLiteral("Número de proveedor:"), Text2_);
  campos->addRow(QStringLiteral("RFC:"), rfc_);
  campos->addRow(QString(), ejemplo);

  auto* botones = new QHBoxLayout();
  botones->addStretch();
  botones->addWidget(aceptar_);
  botones->addWidget(Cancelar_);

  auto* v = new QVBoxLayout(this);
  v->addWidget(encabezado);
  v->addLayout(campos);
  v->addLayout(botones);

  setTabOrder(ncliente_, Text2_);
  setTabOrder(Text2_, rfc_);
  setTabOrder(rfc_, aceptar_);
  setTabOrder(aceptar_, Cancelar_);
  teclasDeForma(*this, {ncliente_, Text2_, rfc_}, aceptar_, Cancelar_);

  connect(aceptar_, &QPushButton::clicked, this, [this] { m_.aceptar_Click(); despues(); });
  connect(Cancelar_, &QPushButton::clicked, this, [this] { m_.Cancelar_Click(); despues(); });
  rfc_->alSalir = [this] {
    // Where the focus has gone decides whether the rule applies (Cancelar never traps).
    QWidget* destino = QApplication::focusWidget();
    const QString nombre = destino && destino != rfc_ ? destino->objectName() : QString();
    // Handled once the focus move has ended, so the message and the return of
    // the focus do not run inside the move itself.
    QMetaObject::invokeMethod(this, [this, nombre] { salirRfc(nombre); }, Qt::QueuedConnection);
  };

  leer();
  setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

CajaTexto* Form5Dialogo::nuevaCaja(Form5Modelo::Caja caja, const QString& nombre) {
  auto* c = new CajaTexto(nombre, this);
  c->setMaxLength(Form5Modelo::maximo(caja));
  c->alTeclear = [this, caja](QChar& tecla) {
    const QChar k = m_.KeyPress(caja, tecla);
    if (k.isNull()) return false;
    tecla = k;
    return true;
  };
  // Whatever reaches the box (typed or pasted) is the model's text.
  connect(c, &QLineEdit::textChanged, this, [this, caja](const QString& t) {
    if (!leyendo_) m_.caja(caja) = t;
  });
  return c;
}

void Form5Dialogo::salirRfc(const QString& destino) {
  if (m_.cerrado || !isVisible()) return;
  m_.rfc_LostFocus(destino);
  despues();
}

void Form5Dialogo::leer() {
  leyendo_ = true;
  auto poner = [](QLineEdit* e, const QString& t) {
    if (e->text() != t) e->setText(t);
  };
  poner(aplicacion_, m_.aplicacion);
  poner(ncliente_, m_.ncliente);
  poner(Text2_, m_.Text2);
  poner(rfc_, m_.rfc);
  leyendo_ = false;
  if (!m_.foco.isEmpty()) {
    if (auto* w = findChild<CajaTexto*>(m_.foco)) {
      // The form moves the focus itself: that is no leaving of a box.
      if (auto* actual = qobject_cast<CajaTexto*>(QApplication::focusWidget())) actual->callado = true;
      w->setFocus(Qt::OtherFocusReason);
      w->selectAll();
      for (CajaTexto* c : {ncliente_, Text2_, rfc_}) c->callado = false;
    }
    m_.foco.clear();
  }
}

void Form5Dialogo::despues() {
  if (m_.cerrado) {
    accept();
    return;
  }
  leer();
}
