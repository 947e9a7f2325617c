#include "app/gridmodel.h"

#include <QColor>

GridModel::GridModel(Grid& grid, int columnas, int filasFijas, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), columnas_(columnas), filasFijas_(filasFijas) {
  mostradas_ = objetivo();
  grid_.addObserver(this);
}

GridModel::~GridModel() { grid_.removeObserver(this); }

int GridModel::objetivo() const {
  if (filasFijas_ > 0) return filasFijas_;
  return qMax(grid_.dataRowCount(), grid_.storedRows());
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : mostradas_; }
int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columnas_; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int col = index.column() + 1, row = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return grid_.text(col, row);
    case Qt::BackgroundRole: {
      const uint32_t c = grid_.backColor(col, row);
      if (c == Grid::kSinColor) return {};
      return QColor::fromRgb(c);
    }
    case Qt::ToolTipRole: {
      if (!tipCelda) return {};
      const QString t = tipCelda(col, row);
      return t.isEmpty() ? QVariant() : QVariant(t);
    }
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o == Qt::Horizontal) {
    if (role == Qt::DisplayRole) return grid_.headerText(section + 1);
    if (role == Qt::ToolTipRole && tipEncabezado) {
      const QString t = tipEncabezado(section + 1);
      if (!t.isEmpty()) return t;
    }
    return {};
  }
  if (role == Qt::DisplayRole) return section + 1;
  return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  const int col = index.column() + 1, row = index.row() + 1;
  const bool editable = columnasEditables.isEmpty() || columnasEditables.contains(col);
  if (editable && !grid_.locked(col, row) && grid_.enabled()) f |= Qt::ItemIsEditable;
  return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const int col = index.column() + 1, row = index.row() + 1;
  const QString t = value.toString();
  if (alEditar) alEditar(col, row, t);
  else grid_.setText(col, row, t);
  return true;
}

void GridModel::sincronizar() {
  const int n = objetivo();
  if (n > mostradas_) {
    beginInsertRows({}, mostradas_, n - 1);
    mostradas_ = n;
    endInsertRows();
  } else if (n < mostradas_) {
    beginRemoveRows({}, n, mostradas_ - 1);
    mostradas_ = n;
    endRemoveRows();
  }
}

void GridModel::cellsChanged(int col1, int row1, int col2, int row2) {
  sincronizar();
  if (row1 == 0) {
    emit headerDataChanged(Qt::Horizontal, qMax(0, col1 - 1), qMin(columnas_, col2) - 1);
    return;
  }
  const int r1 = row1 - 1, r2 = qMin(row2, mostradas_) - 1;
  const int c1 = qMax(0, col1 - 1), c2 = qMin(col2, columnas_) - 1;
  if (r1 <= r2 && c1 <= c2) emit dataChanged(index(r1, c1), index(r2, c2));
}

void GridModel::rowsInserted(int first, int count) {
  if (filasFijas_ > 0) { gridReset(); return; }
  if (first - 1 <= mostradas_) {
    beginInsertRows({}, first - 1, first - 2 + count);
    mostradas_ += count;
    endInsertRows();
  }
  sincronizar();
}

void GridModel::rowsRemoved(int first, int count) {
  if (filasFijas_ > 0) { gridReset(); return; }
  const int ultima = qMin(first - 1 + count, mostradas_);
  if (first - 1 < ultima) {
    beginRemoveRows({}, first - 1, ultima - 1);
    mostradas_ -= ultima - (first - 1);
    endRemoveRows();
  }
  sincronizar();
}

void GridModel::gridReset() {
  beginResetModel();
  mostradas_ = objetivo();
  endResetModel();
}
