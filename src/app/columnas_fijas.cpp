#include "app/columnas_fijas.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "app/gridview.h"

namespace {

// Paints as the grid's own cells do (its marks included); never edits.
class PintorFijas : public QStyledItemDelegate {
 public:
  PintorFijas(DelegadoCelda* base, QObject* padre) : QStyledItemDelegate(padre), base_(base) {}
  void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override { base_->paint(p, o, i); }

 private:
  DelegadoCelda* base_;
};

}  // namespace

ColumnasFijas::ColumnasFijas(VistaGrid* base, const QList<int>& columnas)
    : QTableView(base), base_(base), columnas_(columnas) {
  setObjectName(base->objectName() + QStringLiteral("_fijas"));
  setModel(base->model());
  setSelectionModel(base->selectionModel());
  setItemDelegate(new PintorFijas(base->delegado(), this));
  setEditTriggers(NoEditTriggers);
  setFocusPolicy(Qt::NoFocus);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(base->verticalHeader()->defaultSectionSize());
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::NoFrame);
  setStyleSheet(QStringLiteral("ColumnasFijas { border-right: 2px solid palette(mid); }"));
  connect(base->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
  connect(base->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { seguir(); });
  connect(base->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { seguir(); });
  connect(base->model(), &QAbstractItemModel::modelReset, this, [this] { seguir(); });
  base->installEventFilter(this);
  seguir();
}

void ColumnasFijas::seguir() {
  int ancho = 0;
  for (int c = 0; c < model()->columnCount(); ++c) {
    const bool fija = columnas_.contains(c + 1);
    setColumnHidden(c, !fija);
    if (!fija) continue;
    setColumnWidth(c, base_->columnWidth(c));
    ancho += base_->columnWidth(c);
  }
  const int x = base_->frameWidth() + (base_->verticalHeader()->isVisible() ? base_->verticalHeader()->width() : 0);
  const int y = base_->frameWidth();
  horizontalHeader()->setFixedHeight(base_->horizontalHeader()->height());
  setGeometry(x, y, ancho + 2, base_->horizontalHeader()->height() + base_->viewport()->height());
  verticalScrollBar()->setValue(base_->verticalScrollBar()->value());
  // Shown only while the grid's own columns are out of sight.
  setVisible(base_->horizontalScrollBar()->value() > 0);
  raise();
}

bool ColumnasFijas::eventFilter(QObject* o, QEvent* e) {
  if (o == base_ && (e->type() == QEvent::Resize || e->type() == QEvent::LayoutRequest)) seguir();
  return QTableView::eventFilter(o, e);
}

void ColumnasFijas::mousePressEvent(QMouseEvent* e) {
  base_->setFocus(Qt::MouseFocusReason);
  QTableView::mousePressEvent(e);
}
