#pragma once
// A visible grid: a QAbstractTableModel adapter over a workspace Grid.
#include <QAbstractTableModel>
#include <functional>

#include "workspace/grid.h"

class GridModel : public QAbstractTableModel, public GridObserver {
  Q_OBJECT
 public:
  // columnas: visible columns (1..columnas); filasFijas > 0 shows exactly that many rows.
  GridModel(Grid& grid, int columnas, int filasFijas = 0, QObject* parent = nullptr);
  ~GridModel() override;

  Grid& grid() { return grid_; }
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // Where an edit goes: (col, row, text) from 1. Without it the cell is written.
  std::function<void(int, int, const QString&)> alEditar;
  // Heading tool tips by column (from 1); empty text: none.
  std::function<QString(int)> tipEncabezado;
  // Tool tip of cell (col, row) from 1; empty text: none.
  std::function<QString(int, int)> tipCelda;
  // Columns the user may type into (empty: all not locked).
  QVector<int> columnasEditables;

  // GridObserver
  void cellsChanged(int col1, int row1, int col2, int row2) override;
  void rowsInserted(int first, int count) override;
  void rowsRemoved(int first, int count) override;
  void gridReset() override;

 private:
  int objetivo() const;
  void sincronizar();

  Grid& grid_;
  int columnas_;
  int filasFijas_;
  int mostradas_ = 0;
};
