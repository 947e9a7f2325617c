#include "app/gridview.h"

#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "app/gridmodel.h"

// ---------------------------------------------------------------- DelegadoCelda

DelegadoCelda::DelegadoCelda(Grid& grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

void DelegadoCelda::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyledItemDelegate::paint(p, option, index);
  const int m = marca ? marca(index.column() + 1, index.row() + 1) : 0;
  if (!m) return;
  const QColor color = m == 2 ? QColor(200, 0, 0) : QColor(230, 140, 0);
  const QRect r = option.rect.adjusted(1, 1, -1, -1);
  p->save();
  QPen pen(color, 2, m == 2 ? Qt::SolidLine : Qt::DashLine);
  p->setPen(pen);
  p->setBrush(Qt::NoBrush);
  p->drawRect(r.adjusted(0, 0, -1, -1));
  // A corner, so that the mark shows on a split's colour and under a selection.
  const int lado = qMin(8, r.height() / 2);
  const QPoint esquina = r.topRight();
  p->setPen(Qt::NoPen);
  p->setBrush(color);
  p->drawPolygon(QPolygon({esquina, esquina - QPoint(lado, 0), esquina + QPoint(0, lado)}));
  p->restore();
}

QWidget* DelegadoCelda::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  const int col = index.column() + 1, row = index.row() + 1;
  const QStringList lista = grid_.dropDownList(col, row);
  QWidget* w = nullptr;
  if (!lista.isEmpty()) {
    auto* combo = new QComboBox(parent);
    combo->addItems(lista);
    auto* self = const_cast<DelegadoCelda*>(this);
    // A choice in the list is the end of the edit, as Enter would be.
    connect(combo, QOverload<int>::of(&QComboBox::activated), self, [self, combo] {
      emit self->commitData(combo);
      emit self->closeEditor(combo, QAbstractItemDelegate::SubmitModelCache);
    });
    w = combo;
  } else {
    w = QStyledItemDelegate::createEditor(parent, option, index);
  }
  if (w) w->setProperty("columna", col);
  editor_ = w;
  return w;
}

void DelegadoCelda::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    const int i = combo->findText(index.data(Qt::EditRole).toString());
    combo->setCurrentIndex(i < 0 ? 0 : i);
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void DelegadoCelda::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    model->setData(index, combo->currentText(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

bool DelegadoCelda::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress && filtroCaracter) {
    auto* le = qobject_cast<QLineEdit*>(o);
    auto* k = static_cast<QKeyEvent*>(e);
    const QString t = k->text();
    const bool conControl = k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (le && !conControl && t.size() == 1 && (t[0].isPrint() || t[0] == QLatin1Char('\b'))) {
      const QChar r = filtroCaracter(le->property("columna").toInt(), t[0]);
      if (r.isNull()) return true;  // swallowed
      if (r != t[0]) {
        if (r == QLatin1Char('\b')) le->backspace();
        else le->insert(QString(r));
        return true;
      }
    }
  }
  return QStyledItemDelegate::eventFilter(o, e);
}

// ---------------------------------------------------------------- VistaGrid

namespace {

// Windows key code of a key, as the grids' key-down handlers know them.
int codigoTecla(const QKeyEvent* e) {
  const int k = e->key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // same codes
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return 112 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

// A tip shown as several lines about 2200 twips (147 pixels) wide.
QString tipVariasLineas(const QString& t) {
  QString h = t.toHtmlEscaped();
  if (h.startsWith(QLatin1Char(' '))) h.replace(0, 1, QStringLiteral("&nbsp;"));
  if (h.endsWith(QLatin1Char(' '))) h.replace(h.size() - 1, 1, QStringLiteral("&nbsp;"));
  return QStringLiteral("<table width=\"147\"><tr><td>") + h + QStringLiteral("</td></tr></table>");
}

}  // namespace

VistaGrid::VistaGrid(GridModel* modelo, QWidget* parent) : QTableView(parent), modelo_(modelo) {
  setModel(modelo);
  delegado_ = new DelegadoCelda(modelo->grid(), this);
  setItemDelegate(delegado_);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setTabKeyNavigation(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
  verticalHeader()->setDefaultSectionSize(22);
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    if (alMenu) alMenu(viewport()->mapToGlobal(p));
  });
  modelo->alEditar = [this](int col, int row, const QString& texto) { recibirEdicion(col, row, texto); };
  horizontalHeader()->viewport()->installEventFilter(this);
}

QModelIndex VistaGrid::aplicarRegla(int col, int row) const {
  if (!reglaSalida) return model()->index(row - 1, col - 1);
  const QPoint p = reglaSalida(col, row);
  return model()->index(p.y() - 1, p.x() - 1);
}

QModelIndex VistaGrid::moveCursor(CursorAction accion, Qt::KeyboardModifiers mods) {
  const QModelIndex actual = currentIndex();
  if (!reglaSalida || !actual.isValid()) return QTableView::moveCursor(accion, mods);
  const bool horizontal = accion == MoveLeft || accion == MoveRight || accion == MoveNext || accion == MovePrevious;
  if (!horizontal) {
    const QModelIndex i = QTableView::moveCursor(accion, mods);
    if (!i.isValid()) return i;
    const QModelIndex d = aplicarRegla(i.column() + 1, i.row() + 1);
    ultimoDestino_ = d.isValid() ? d : i;
    return ultimoDestino_;
  }
  // Step the way the user asked until the rule lands somewhere else than
  // here, so that moving left from a cell the rule pulls back to still gets
  // past the skipped columns.
  const int nc = model()->columnCount(), nr = model()->rowCount();
  int col = actual.column() + 1, row = actual.row() + 1;
  for (int n = 0; n < 2 * (nc + 2); ++n) {
    switch (accion) {
      case MoveLeft:
        if (--col < 0) return actual;  // column 0 is the row heading
        break;
      case MoveRight:
        if (++col > nc) return actual;
        break;
      case MoveNext:
        if (++col > nc) { col = 1; ++row; }
        if (row > nr) return actual;
        break;
      case MovePrevious:
        if (--col < 1) { col = nc; --row; }
        if (row < 1) return actual;
        break;
      default: return actual;
    }
    const QModelIndex d = aplicarRegla(col, row);
    if (d.isValid() && d != actual) {
      ultimoDestino_ = d;
      return d;
    }
  }
  return actual;
}

void VistaGrid::currentChanged(const QModelIndex& actual, const QModelIndex& anterior) {
  QTableView::currentChanged(actual, anterior);
  if (!actual.isValid()) return;
  const bool yaRegido = ultimoDestino_.isValid() && actual == QModelIndex(ultimoDestino_);
  ultimoDestino_ = QPersistentModelIndex();
  if (reglaSalida && !ajustando_ && !siguiendo_ && !yaRegido) {
    const QModelIndex d = aplicarRegla(actual.column() + 1, actual.row() + 1);
    if (d.isValid() && d != actual) {
      ajustando_ = true;
      selectionModel()->setCurrentIndex(d, QItemSelectionModel::NoUpdate);
      ajustando_ = false;
      return;  // the nested change recorded the cell
    }
  }
  modelo_->grid().setActiveCell(actual.column() + 1, actual.row() + 1);
}

void VistaGrid::mouseReleaseEvent(QMouseEvent* e) {
  QTableView::mouseReleaseEvent(e);
  // A plain click on a skipped column: the highlight follows the cursor.
  if (e->modifiers() != Qt::NoModifier) return;
  const QModelIndexList sel = selectionModel()->selectedIndexes();
  const QModelIndex cur = currentIndex();
  if (sel.size() == 1 && cur.isValid() && sel.first() != cur)
    selectionModel()->select(cur, QItemSelectionModel::ClearAndSelect);
}

void VistaGrid::keyPressEvent(QKeyEvent* e) {
  if (state() != EditingState) {
    const int codigo = codigoTecla(e);
    if (codigo && alTecla && alTecla(codigo)) {
      e->accept();
      return;
    }
    // Enter outside the editor goes down one line, as in a spreadsheet.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() == Qt::NoModifier) {
      const QModelIndex i = moveCursor(MoveDown, Qt::NoModifier);
      if (i.isValid() && i != currentIndex()) setCurrentIndex(i);
      e->accept();
      return;
    }
  }
  QTableView::keyPressEvent(e);
}

void VistaGrid::focusInEvent(QFocusEvent* e) {
  QTableView::focusInEvent(e);
  if (alEnfocar) alEnfocar();
}

void VistaGrid::recibirEdicion(int col, int row, const QString& texto) {
  if (texto == modelo_->grid().text(col, row)) return;  // nothing changed: no change event
  Edicion e;
  e.col = col;
  e.row = row;
  e.texto = texto;
  pendiente_ = e;
}

void VistaGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool mover = hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
  QTableView::closeEditor(editor, mover ? QAbstractItemDelegate::NoHint : hint);
  if (!pendiente_) {
    moverSegun(hint);
    return;
  }
  pendiente_->hint = hint;
  // The change handler may show messages and move the cursor: let the editor
  // go away first.
  QMetaObject::invokeMethod(this, [this] { aplicarPendiente(); }, Qt::QueuedConnection);
}

void VistaGrid::terminarEdicion() {
  if (state() == EditingState) {
    if (QWidget* ed = delegado_->editorAbierto()) {
      commitData(ed);
      closeEditor(ed, QAbstractItemDelegate::NoHint);
    }
  }
  aplicarPendiente();
}

void VistaGrid::aplicarPendiente() {
  if (!pendiente_) return;
  const Edicion e = *pendiente_;
  pendiente_.reset();
  Grid& g = modelo_->grid();
  const QModelIndex usuario = currentIndex();  // where the user went meanwhile
  // The change handler works on the edited cell.
  g.setActiveCell(e.col, e.row);
  if (alCambiarCelda) alCambiarCelda(e.col, e.row, e.texto);
  else g.setText(e.col, e.row, e.texto);
  const bool quieto = g.activeCol() == e.col && g.activeRow() == e.row && g.text(e.col, e.row) == e.texto;
  if (!quieto) {  // the handler put the cursor somewhere or set the cell back: it decides
    seguirCursorDelGrid();
    return;
  }
  if (usuario.isValid()) g.setActiveCell(usuario.column() + 1, usuario.row() + 1);
  seguirCursorDelGrid();
  moverSegun(e.hint);
}

void VistaGrid::moverSegun(QAbstractItemDelegate::EndEditHint hint) {
  CursorAction a;
  if (hint == QAbstractItemDelegate::EditNextItem) a = MoveNext;
  else if (hint == QAbstractItemDelegate::EditPreviousItem) a = MovePrevious;
  else return;
  const QModelIndex i = moveCursor(a, Qt::NoModifier);
  if (i.isValid() && i != currentIndex()) setCurrentIndex(i);
}

void VistaGrid::seguirCursorDelGrid() {
  if (state() == EditingState || pendiente_) return;
  Grid& g = modelo_->grid();
  if (model()->index(g.activeRow() - 1, g.activeCol() - 1) == currentIndex() && currentIndex().isValid()) return;
  // A move made by the system passes the leave-cell rule too, as the user's do.
  QModelIndex i = aplicarRegla(g.activeCol(), g.activeRow());
  if (!i.isValid()) return;
  if (i.column() + 1 != g.activeCol() || i.row() + 1 != g.activeRow()) g.setActiveCell(i.column() + 1, i.row() + 1);
  if (i == currentIndex()) return;
  siguiendo_ = true;
  selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
  siguiendo_ = false;
}

QVector<GridBlock> VistaGrid::bloquesSeleccionados() const {
  QVector<GridBlock> b;
  const QItemSelection sel = selectionModel()->selection();
  for (const QItemSelectionRange& r : sel) {
    if (!r.isValid()) continue;
    b.append({r.left() + 1, r.top() + 1, r.right() + 1, r.bottom() + 1});
  }
  if (b.size() == 1 && b[0].col1 == b[0].col2 && b[0].row1 == b[0].row2) b.clear();
  return b;
}

bool VistaGrid::eventFilter(QObject* o, QEvent* e) {
  if (o == horizontalHeader()->viewport() && e->type() == QEvent::ToolTip) {
    auto* h = static_cast<QHelpEvent*>(e);
    const int seccion = horizontalHeader()->logicalIndexAt(h->pos());
    const QString t = seccion < 0 ? QString() : model()->headerData(seccion, Qt::Horizontal, Qt::ToolTipRole).toString();
    if (t.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(h->globalPos(), tipVariasLineas(t), horizontalHeader());
    return true;
  }
  return QTableView::eventFilter(o, e);
}
