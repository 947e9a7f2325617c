#pragma once
// Columns of a grid that stay in view when it scrolls right (the order number
// and the store of the detail grid): a second view over the same model and
// selection, showing only those columns, laid over the grid's left edge while
// the grid is scrolled. It takes no keys; a click on it is a click on the grid.
#include <QTableView>

class VistaGrid;

class ColumnasFijas : public QTableView {
  Q_OBJECT
 public:
  // columnas: from 1.
  ColumnasFijas(VistaGrid* base, const QList<int>& columnas);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  void seguir();

  VistaGrid* base_;
  QList<int> columnas_;
};
