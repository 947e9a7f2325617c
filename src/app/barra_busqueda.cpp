#include "app/barra_busqueda.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

BarraBusqueda::BarraBusqueda(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("barraBuscar"));
  auto* h = new QHBoxLayout(this);
  h->setContentsMargins(0, 2, 0, 2);
  auto* etiqueta = new QLabel(QStringLiteral("Buscar"), this);
  campo_ = new QComboBox(this);
  campo_->setObjectName(QStringLiteral("buscarCampo"));
  const std::pair<const char*, CampoBusqueda> campos[] = {
      {"Orden de compra", CampoBusqueda::Orden}, {"Tienda", CampoBusqueda::Tienda}, {"SKU", CampoBusqueda::Sku},
      {"UPC/EAN", CampoBusqueda::Upc}, {"Contenedor", CampoBusqueda::Contenedor}};
  for (const auto& [texto, c] : campos) campo_->addItem(QString::fromUtf8(texto), static_cast<int>(c));
  campo_->setCurrentIndex(2);
  texto_ = new QLineEdit(this);
  texto_->setObjectName(QStringLiteral("buscarTexto"));
  texto_->setClearButtonEnabled(true);
  etiqueta->setBuddy(texto_);
  modo_ = new QComboBox(this);
  modo_->setObjectName(QStringLiteral("buscarModo"));
  modo_->addItems({QStringLiteral("Exacto"), QStringLiteral("Empieza con")});
  auto boton = [this](const QString& nombre, const QString& texto, const QString& tip) {
    auto* b = new QToolButton(this);
    b->setObjectName(nombre);
    b->setText(texto);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };
  QToolButton* anterior = boton(QStringLiteral("buscarAnterior"), QStringLiteral("▲"), QStringLiteral("Anterior (Mayús+F3)"));
  QToolButton* siguiente = boton(QStringLiteral("buscarSiguiente"), QStringLiteral("▼"), QStringLiteral("Siguiente (F3)"));
  QToolButton* cerrar = boton(QStringLiteral("buscarCerrar"), QStringLiteral("✕"), QStringLiteral("Cerrar (Esc)"));
  resultado_ = new QLabel(this);
  resultado_->setObjectName(QStringLiteral("buscarResultado"));
  h->addWidget(etiqueta);
  h->addWidget(campo_);
  h->addWidget(modo_);
  h->addWidget(texto_, 1);
  h->addWidget(anterior);
  h->addWidget(siguiente);
  h->addWidget(resultado_);
  h->addStretch();
  h->addWidget(cerrar);
  connect(anterior, &QToolButton::clicked, this, [this] { buscar(false); });
  connect(siguiente, &QToolButton::clicked, this, [this] { buscar(true); });
  connect(cerrar, &QToolButton::clicked, this, [this] {
    hide();
    if (alCerrar) alCerrar();
  });
  connect(texto_, &QLineEdit::textEdited, this, [this] { decir(QString()); });
  for (QWidget* w : {static_cast<QWidget*>(campo_), static_cast<QWidget*>(modo_), static_cast<QWidget*>(texto_)})
    w->installEventFilter(this);
  hide();
}

void BarraBusqueda::abrir() {
  show();
  texto_->setFocus(Qt::ShortcutFocusReason);
  texto_->selectAll();
}

Busqueda BarraBusqueda::busqueda() const {
  Busqueda b;
  b.campo = static_cast<CampoBusqueda>(campo_->currentData().toInt());
  b.texto = texto_->text();
  b.exacta = modo_->currentIndex() == 0;
  return b;
}

bool BarraBusqueda::buscar(bool adelante) {
  if (texto_->text().trimmed().isEmpty() || !alBuscar) return false;
  decir(alBuscar(busqueda(), adelante) ? QString() : QStringLiteral("No se encontró"));
  return true;
}

void BarraBusqueda::decir(const QString& texto) { resultado_->setText(texto); }

bool BarraBusqueda::eventFilter(QObject* o, QEvent* e) {
  if (e->type() != QEvent::KeyPress) return QWidget::eventFilter(o, e);
  const auto* k = static_cast<QKeyEvent*>(e);
  if (k->key() == Qt::Key_Escape) {
    hide();
    if (alCerrar) alCerrar();
    return true;
  }
  if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
    buscar(!(k->modifiers() & Qt::ShiftModifier));
    return true;
  }
  return QWidget::eventFilter(o, e);
}
