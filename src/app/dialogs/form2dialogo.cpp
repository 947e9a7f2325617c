#include "app/dialogs/form2dialogo.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs/forms.h"

namespace {

QListWidget* lista(QWidget* padre, const QString& nombre) {
  auto* l = new QListWidget(padre);
  l->setObjectName(nombre);
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  // Long entries scroll sideways instead of being cut.
  l->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  l->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  l->setWordWrap(false);
  l->setTextElideMode(Qt::ElideNone);
  l->setMinimumSize(220, 240);
  return l;
}

// Puts the entries and the selection of a model list into a list widget,
// rebuilding it only when the texts have changed.
void mostrar(QListWidget* w, const ListaOrdenes& l) {
  const QStringList textos = l.textos();
  bool igual = w->count() == textos.size();
  for (int i = 0; igual && i < textos.size(); ++i) igual = w->item(i)->text() == textos[i];
  if (!igual) {
    w->clear();
    w->addItems(textos);
  }
  if (l.indice >= 0 && l.indice < w->count()) {
    // Already there: the other orders selected with it stay selected.
    if (w->currentRow() != l.indice || w->selectedItems().isEmpty()) w->setCurrentRow(l.indice);
  } else {
    w->setCurrentRow(-1);
    w->clearSelection();
  }
}

}  // namespace

Form2Dialogo::Form2Dialogo(Form2Modelo& modelo, QWidget* padre) : QDialog(padre), m_(modelo) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(m_.titulo);
  setModal(true);

  Label1_ = new QLabel(m_.Label1, this);
  Label1_->setObjectName(QStringLiteral("Label1"));
  List1_ = lista(this, QStringLiteral("List1"));
  List2_ = lista(this, QStringLiteral("List2"));
  Command1_ = boton(this, QStringLiteral("Command1"), Form2Modelo::kCommand1);
  Command3_ = boton(this, QStringLiteral("Command3"), Form2Modelo::kCommand3);
  Command2_ = boton(this, QStringLiteral("Command2"), Form2Modelo::kCommand2);
  Command4_ = boton(this, QStringLiteral("Command4"), Form2Modelo::kCommand4);

  auto* medio = new QVBoxLayout();
  medio->addStretch();
  medio->addWidget(Command1_);
  medio->addWidget(Command3_);
  medio->addStretch();

  auto* listas = new QHBoxLayout();
  listas->addWidget(List1_, 1);
  listas->addLayout(medio);
  listas->addWidget(List2_, 1);

  auto* abajo = new QHBoxLayout();
  abajo->addStretch();
  abajo->addWidget(Command2_);
  abajo->addWidget(Command4_);

  auto* v = new QVBoxLayout(this);
  v->addWidget(Label1_);
  v->addLayout(listas, 1);
  v->addLayout(abajo);

  connect(Command1_, &QPushButton::clicked, this, [this] { anadir(); });
  connect(Command2_, &QPushButton::clicked, this, [this] { m_.Command2_Click(); despues(); });
  connect(Command3_, &QPushButton::clicked, this, [this] { m_.Command3_Click(); despues(); });
  connect(Command4_, &QPushButton::clicked, this, [this] { m_.Command4_Click(); despues(); });
  // A click in a list (or moving in it with the keys) selects the entry in the model.
  connect(List1_, &QListWidget::currentRowChanged, this, [this](int fila) { clicLista(List1_, fila); });
  connect(List2_, &QListWidget::currentRowChanged, this, [this](int fila) { clicLista(List2_, fila); });
  // Several orders are chosen at once with Ctrl or Shift; a double click or
  // Enter adds them as ">>Añadir >>" does. Enter never reaches Aceptar and Esc
  // does nothing: only Cancelar abandons the import.
  List1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  connect(List1_, &QListWidget::itemDoubleClicked, this, [this] { anadir(); });
  List1_->installEventFilter(this);
  teclasDeForma(*this, {}, nullptr, nullptr);

  leer();
}

void Form2Dialogo::anadir() {
  QList<int> filas;
  for (const QListWidgetItem* i : List1_->selectedItems()) filas.append(List1_->row(i));
  std::sort(filas.begin(), filas.end());
  if (filas.size() <= 1) {
    m_.Command1_Click();
  } else {
    // Each order goes through the rules and messages of one.
    for (int fila : filas) {
      m_.List1.indice = fila;
      m_.Command1_Click();
    }
  }
  despues();
}

bool Form2Dialogo::eventFilter(QObject* o, QEvent* e) {
  if (o == List1_ && e->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      anadir();
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

void Form2Dialogo::clicLista(QListWidget* lista, int fila) {
  if (leyendo_) return;
  if (lista == List1_) {
    m_.List1.indice = fila;
    m_.Barra_V1();
  } else {
    m_.List2.indice = fila;
    m_.Barra_V2();
  }
  despues();
}

void Form2Dialogo::leer() {
  leyendo_ = true;
  setWindowTitle(m_.titulo);
  Label1_->setText(m_.Label1);
  mostrar(List1_, m_.List1);
  mostrar(List2_, m_.List2);
  leyendo_ = false;
}

void Form2Dialogo::despues() {
  if (m_.cerrado) {
    // Aceptar and Cancelar have done their work in the model; the window only closes.
    if (m_.aceptado()) accept();
    else reject();
    return;
  }
  leer();
}
