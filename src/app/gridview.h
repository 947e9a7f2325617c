#pragma once
// A visible workspace grid (vaspread1, vaSpread9, vaSpread5) as a QTableView
// that behaves like a spreadsheet: the cursor only rests where the grid's
// leave-cell rule allows, an edit is handed to the change handler once the
// editor has closed, keys and the right button go to the window's handlers,
// and several ranges can be selected with the mouse (Ctrl, Shift, drag).
//
// The view knows no business rule: every decision comes through the hooks,
// which the main window points at the core procedures.
#include <QPoint>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <optional>

#include "workspace/grid.h"

class GridModel;

// The editor of a cell: a line edit whose typed characters pass a filter, or
// a drop-down list where the grid holds one for the cell.
class DelegadoCelda : public QStyledItemDelegate {
  Q_OBJECT
 public:
  DelegadoCelda(Grid& grid, QObject* parent);
  // Character typed in column `col` (from 1): the character to enter, or a
  // null QChar to swallow the key. Unset: every key passes.
  std::function<QChar(int col, QChar c)> filtroCaracter;
  // Mark of cell (col, row) from 1: 0 none, 1 a warning, 2 an error. Drawn as
  // a frame and a corner over the cell: the background and the text stay.
  std::function<int(int col, int row)> marca;
  // The editor open now, if any.
  QWidget* editorAbierto() const { return editor_; }

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* editor, QEvent* event) override;

 private:
  Grid& grid_;
  mutable QPointer<QWidget> editor_;
};

class VistaGrid : public QTableView {
  Q_OBJECT
 public:
  VistaGrid(GridModel* modelo, QWidget* parent = nullptr);

  GridModel* modelo() const { return modelo_; }
  DelegadoCelda* delegado() const { return delegado_; }

  // Leave-cell rule: the user moves to (col, row), both from 1 (col 0 is the
  // row heading); the answer is the cell where the cursor goes.
  std::function<QPoint(int col, int row)> reglaSalida;
  // A cell's text was changed through its editor (col, row from 1). Without
  // it the text is written into the grid as typed.
  std::function<void(int col, int row, const QString& texto)> alCambiarCelda;
  // Key down outside the editor (Windows key code: 46 is Delete). True when
  // the key was handled.
  std::function<bool(int codigo)> alTecla;
  std::function<void()> alEnfocar;
  // Right button at a screen position.
  std::function<void(const QPoint& global)> alMenu;

  // The ranges the user selected, as grid blocks (from 1). A lone cell under
  // a plain click is the cursor, not a selection.
  QVector<GridBlock> bloquesSeleccionados() const;
  // Puts the view's cursor on the grid's active cell (the core moved it),
  // through the leave-cell rule.
  void seguirCursorDelGrid();
  // True while a cell editor is open.
  bool editando() const { return state() == EditingState; }
  // True while an edit waits to reach the change handler.
  bool edicionPendiente() const { return pendiente_.has_value(); }
  // Closes an open editor, keeping what was typed, and hands the edit to the
  // change handler at once (a command is about to run).
  void terminarEdicion();

 protected:
  QModelIndex moveCursor(CursorAction accion, Qt::KeyboardModifiers mods) override;
  void currentChanged(const QModelIndex& actual, const QModelIndex& anterior) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  struct Edicion {
    int col = 0, row = 0;
    QString texto;
    QAbstractItemDelegate::EndEditHint hint = QAbstractItemDelegate::NoHint;
  };
  QModelIndex aplicarRegla(int col, int row) const;
  void aplicarPendiente();
  void moverSegun(QAbstractItemDelegate::EndEditHint hint);
  void recibirEdicion(int col, int row, const QString& texto);

  GridModel* modelo_;
  DelegadoCelda* delegado_;
  std::optional<Edicion> pendiente_;
  bool ajustando_ = false;   // the leave-cell rule is moving the cursor
  bool siguiendo_ = false;   // the cursor follows the grid's active cell
  QPersistentModelIndex ultimoDestino_;  // a key move already ruled
};
