#include "app/dialogs/split_dialogs.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <functional>

#include "app/dialogs/forms.h"

// The quantities grid of Form3: one column, as many rows as the model's
// grid has (its row limit), every cell editable.
class ModeloCantidades : public QAbstractTableModel {
 public:
  ModeloCantidades(Grid& g, QObject* padre) : QAbstractTableModel(padre), g_(g), filas_(g.rowLimit()) {}

  int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : filas_; }
  int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 1; }
  QVariant data(const QModelIndex& i, int rol) const override {
    if (!i.isValid() || (rol != Qt::DisplayRole && rol != Qt::EditRole)) return {};
    return g_.text(Form3Modelo::kColumna, i.row() + 1);
  }
  QVariant headerData(int seccion, Qt::Orientation o, int rol) const override {
    if (rol != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal) return g_.headerText(Form3Modelo::kColumna);
    return seccion + 1;
  }
  Qt::ItemFlags flags(const QModelIndex& i) const override {
    if (!i.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }
  bool setData(const QModelIndex& i, const QVariant& v, int rol) override {
    if (!i.isValid() || rol != Qt::EditRole) return false;
    g_.setText(Form3Modelo::kColumna, i.row() + 1, v.toString());
    emit dataChanged(i, i);
    return true;
  }
  // Follows the grid after the model changed its rows or cells.
  void seguir() {
    if (filas_ == g_.rowLimit()) {
      if (filas_ > 0) emit dataChanged(index(0, 0), index(filas_ - 1, 0));
      return;
    }
    beginResetModel();
    filas_ = g_.rowLimit();
    endResetModel();
  }

 private:
  Grid& g_;
  int filas_;
};

// The editor of a quantity: Enter keeps what was typed and goes down.
class DelegadoCantidades : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  std::function<void()> alEnter;

 protected:
  bool eventFilter(QObject* editor, QEvent* e) override {
    if (e->type() == QEvent::KeyPress && alEnter) {
      const auto* k = static_cast<QKeyEvent*>(e);
      if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !(k->modifiers() & ~Qt::KeypadModifier)) {
        auto* w = static_cast<QWidget*>(editor);
        emit commitData(w);
        emit closeEditor(w, QAbstractItemDelegate::NoHint);
        alEnter();
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(editor, e);
  }
};

namespace {

// A box filled by the opening procedure, shown only.
QLineEdit* soloLectura(QWidget* padre, const QString& nombre) {
  auto* e = new QLineEdit(padre);
  e->setObjectName(nombre);
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::NoFocus);
  return e;
}

void poner(QLineEdit* e, const QString& t) {
  if (e->text() != t) e->setText(t);
}

}  // namespace

// ------------------------------------------------------------------ fixed size

SepararDialogo::SepararDialogo(SepararModelo& modelo, QWidget* padre) : QDialog(padre), m_(modelo) {
  setObjectName(m_.forma());
  setWindowTitle(m_.titulo());
  setModal(true);

  auto* configuracion = new QGroupBox(SepararModelo::kConfiguracion, this);
  configuracion->setObjectName(QStringLiteral("Frame1"));
  sku_ = soloLectura(configuracion, QStringLiteral("sku"));
  tienda_ = soloLectura(configuracion, QStringLiteral("tienda"));
  maxima_ = soloLectura(configuracion, QStringLiteral("maxima"));
  auto* datos = new QFormLayout(configuracion);
  datos->addRow(SepararModelo::kEtiquetaSku, sku_);
  datos->addRow(SepararModelo::kEtiquetaTienda, tienda_);
  datos->addRow(SepararModelo::kEtiquetaMaxima, maxima_);

  auto* marco = new QGroupBox(this);
  marco->setObjectName(QStringLiteral("Frame2"));
  auto* rejilla = new QGridLayout(marco);
  const int n = m_.renglones();
  const int porColumna = n > 5 ? (n + 1) / 2 : n;
  for (int k = 1; k <= n; ++k) {
    auto* caja = new QLineEdit(marco);
    caja->setObjectName(SepararModelo::nombreCaja(k));
    auto* etiqueta = new QLabel(m_.etiqueta(k), marco);
    etiqueta->setBuddy(caja);
    const int fila = (k - 1) % porColumna, col = (k - 1) / porColumna * 2;
    rejilla->addWidget(etiqueta, fila, col);
    rejilla->addWidget(caja, fila, col + 1);
    connect(caja, &QLineEdit::textChanged, this, [this, k](const QString& t) {
      if (!leyendo_) m_.cantidades[k - 1] = t;
    });
    cajas_.append(caja);
  }

  Command1_ = boton(this, QStringLiteral("Command1"), SepararModelo::kAceptar);
  Command2_ = boton(this, QStringLiteral("Command2"), SepararModelo::kCancelar);
  auto* botones = new QHBoxLayout();
  botones->addStretch();
  botones->addWidget(Command1_);
  botones->addWidget(Command2_);

  auto* v = new QVBoxLayout(this);
  v->addWidget(configuracion);
  v->addWidget(marco);
  v->addLayout(botones);

  connect(Command1_, &QPushButton::clicked, this, [this] { m_.Command1_Click(); despues(); });
  connect(Command2_, &QPushButton::clicked, this, [this] { m_.Command2_Click(); despues(); });
  teclasDeForma(*this, QList<QWidget*>(cajas_.begin(), cajas_.end()), Command1_, Command2_);

  leer();
  if (!cajas_.isEmpty()) cajas_.first()->setFocus(Qt::OtherFocusReason);
}

void SepararDialogo::leer() {
  leyendo_ = true;
  setWindowTitle(m_.titulo());
  poner(sku_, m_.SKU);
  poner(tienda_, m_.Tienda);
  poner(maxima_, m_.CantidadMaxima);
  for (int k = 0; k < cajas_.size() && k < m_.cantidades.size(); ++k) poner(cajas_[k], m_.cantidades[k]);
  leyendo_ = false;
  if (!m_.foco.isEmpty()) {
    if (auto* caja = findChild<QLineEdit*>(m_.foco)) {
      caja->setFocus(Qt::OtherFocusReason);
      caja->selectAll();
    }
    m_.foco.clear();
  }
}

void SepararDialogo::despues() {
  if (m_.cerrado) {
    if (m_.aplicado) accept();
    else reject();
    return;
  }
  leer();
}

// ------------------------------------------------------------------ any size

Form3Dialogo::Form3Dialogo(Form3Modelo& modelo, QWidget* padre) : QDialog(padre), m_(modelo) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(Form3Modelo::kTitulo);
  setModal(true);

  sku_ = soloLectura(this, QStringLiteral("sku"));
  tienda_ = soloLectura(this, QStringLiteral("tienda"));
  maxima_ = soloLectura(this, QStringLiteral("maxima"));
  Text3_ = new QLineEdit(this);
  Text3_->setObjectName(QStringLiteral("Text3"));
  Text3_->installEventFilter(this);
  auto* etiquetaText3 = new QLabel(Form3Modelo::kEtiquetaText3, this);
  etiquetaText3->setBuddy(Text3_);
  etiquetaText3->setWordWrap(true);

  auto* datos = new QFormLayout();
  datos->addRow(Form3Modelo::kEtiquetaSku, sku_);
  datos->addRow(Form3Modelo::kEtiquetaTienda, tienda_);
  datos->addRow(Form3Modelo::kEtiquetaMaxima, maxima_);
  datos->addRow(etiquetaText3, Text3_);

  cantidades_ = new ModeloCantidades(m_.vaSpread1, this);
  vaSpread1_ = new QTableView(this);
  vaSpread1_->setObjectName(QStringLiteral("vaSpread1"));
  vaSpread1_->setModel(cantidades_);
  vaSpread1_->setSelectionMode(QAbstractItemView::SingleSelection);
  vaSpread1_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  vaSpread1_->horizontalHeader()->setStretchLastSection(true);
  vaSpread1_->verticalHeader()->setDefaultSectionSize(vaSpread1_->fontMetrics().height() + 6);
  vaSpread1_->setMinimumHeight(180);
  auto* etiquetaGrid = new QLabel(Form3Modelo::kEtiquetaGrid, this);
  etiquetaGrid->setBuddy(vaSpread1_);

  Command1_ = boton(this, QStringLiteral("Command1"), Form3Modelo::kAceptar);
  Command2_ = boton(this, QStringLiteral("Command2"), Form3Modelo::kCancelar);
  auto* botones = new QHBoxLayout();
  botones->addStretch();
  botones->addWidget(Command1_);
  botones->addWidget(Command2_);

  auto* v = new QVBoxLayout(this);
  v->addLayout(datos);
  v->addWidget(etiquetaGrid);
  v->addWidget(vaSpread1_, 1);
  v->addLayout(botones);

  connect(Text3_, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (!leyendo_) m_.Text3 = t;
  });
  connect(Command1_, &QPushButton::clicked, this, [this] { m_.Command1_Click(); despues(); });
  connect(Command2_, &QPushButton::clicked, this, [this] { m_.Command2_Click(); despues(); });
  teclasDeForma(*this, {Text3_, vaSpread1_}, Command1_, Command2_);
  // Enter in the quantities goes down one line, typing or not; on the last
  // line it falls to the form (Aceptar).
  auto* delegado = new DelegadoCantidades(this);
  delegado->alEnter = [this] { QMetaObject::invokeMethod(this, [this] { bajar(); }, Qt::QueuedConnection); };
  vaSpread1_->setItemDelegate(delegado);
  vaSpread1_->installEventFilter(this);

  leer();
  resize(sizeHint().expandedTo(QSize(420, 360)));
  Text3_->setFocus(Qt::OtherFocusReason);
}

Form3Dialogo::~Form3Dialogo() {
  Text3_->removeEventFilter(this);
  vaSpread1_->removeEventFilter(this);
}

bool Form3Dialogo::ultimaFila() const { return vaSpread1_->currentIndex().row() + 1 >= m_.filas(); }

void Form3Dialogo::bajar() {
  if (m_.cerrado) return;
  if (ultimaFila()) {
    Command1_->click();
    return;
  }
  const QModelIndex i = vaSpread1_->currentIndex();
  vaSpread1_->setCurrentIndex(cantidades_->index(i.isValid() ? i.row() + 1 : 0, 0));
}

bool Form3Dialogo::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == vaSpread1_ && evento->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(evento);
    const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
    if (enter && !(k->modifiers() & ~Qt::KeypadModifier) && !ultimaFila()) {
      bajar();
      return true;
    }
  }
  if (objeto == Text3_ && evento->type() == QEvent::FocusOut) {
    const auto razon = static_cast<QFocusEvent*>(evento)->reason();
    // The window losing the focus (a message box, another program) is no
    // leaving of the box.
    if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason) {
      // Aceptar applies the number itself and Cancelar needs none.
      QWidget* destino = QApplication::focusWidget();
      if (destino != Command1_ && destino != Command2_) {
        // Handled once the focus move has ended, so a message does not run inside it.
        QMetaObject::invokeMethod(this, [this] { salirText3(); }, Qt::QueuedConnection);
      }
    }
  }
  return QDialog::eventFilter(objeto, evento);
}

void Form3Dialogo::salirText3() {
  if (m_.cerrado || !isVisible()) return;
  m_.Text3_LostFocus();
  despues();
}

void Form3Dialogo::leer() {
  leyendo_ = true;
  poner(sku_, m_.SKU);
  poner(tienda_, m_.Tienda);
  poner(maxima_, m_.CantMax);
  poner(Text3_, m_.Text3);
  cantidades_->seguir();
  leyendo_ = false;
  if (m_.foco == QStringLiteral("Text3")) {
    Text3_->setFocus(Qt::OtherFocusReason);
    Text3_->selectAll();
  } else if (m_.foco == QStringLiteral("vaSpread1") && m_.filas() > 0) {
    const int fila = qBound(1, m_.vaSpread1.activeRow(), m_.filas());
    vaSpread1_->setFocus(Qt::OtherFocusReason);
    vaSpread1_->setCurrentIndex(cantidades_->index(fila - 1, 0));
  }
  m_.foco.clear();
}

void Form3Dialogo::despues() {
  if (m_.cerrado) {
    if (m_.aplicado) accept();
    else reject();
    return;
  }
  leer();
}
