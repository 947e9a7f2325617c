#pragma once
// A workspace table: text cells addressed (column, row), both counted from 1.
// Row 0 holds the column headers. Every cell is text; an empty cell reads "".
//
// Storage: one QString per row holding its cells joined by TAB (a cell never
// holds TAB, CR or LF: setText turns them into blanks), trailing empty cells
// left out, and beside it where its first 16 cells end, so that reading a cell
// touches that cell only and not the whole row before it. Attributes (colour, lock, drop-down list) are kept sparsely per
// row and travel with the row when rows move.
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <variant>
#include <vector>

#include "workspace/textfile.h"

struct GridBlock {
  int col1 = 0, row1 = 0, col2 = 0, row2 = 0;  // col -1: all columns
};

struct SortKey {
  int col = 1;
  bool ascending = true;
};

// Told about changes so that views can follow.
class GridObserver {
 public:
  virtual ~GridObserver() = default;
  virtual void cellsChanged(int col1, int row1, int col2, int row2) = 0;
  virtual void rowsInserted(int first, int count) = 0;
  virtual void rowsRemoved(int first, int count) = 0;
  virtual void gridReset() = 0;
};

class QDataStream;

class Grid {
 public:
  static constexpr int kLimiteRenglones = 50000;

  explicit Grid(QString name = {}, int rowLimit = kLimiteRenglones, int colLimit = 16);
  Grid(const Grid&) = delete;
  Grid& operator=(const Grid&) = delete;

  const QString& name() const { return name_; }

  // Cells
  QString text(int col, int row) const;
  // The cell without a copy; valid until the row is next changed.
  QStringView vista(int col, int row) const;
  bool isEmpty(int col, int row) const;
  bool setText(int col, int row, const QString& text);  // false outside the limits
  QString headerText(int col) const;
  void setHeaderText(int col, const QString& text);
  void setHeaderTexts(const QStringList& texts);
  QStringList rowTexts(int row) const;                 // cells 1..last non-empty
  void setRowTexts(int row, const QStringList& cells);  // replaces the row's cells
  // The same from the row's cells already joined by TABs (a line of a tab
  // text file): no split and join again.
  void setRowLine(int row, QString line);
  // Row `fila` gets the cells of row `filaOrigen` of `origen` (cut to this
  // grid's columns), without splitting them; its attributes stay.
  void copiarRenglon(const Grid& origen, int filaOrigen, int fila);

  // Extents
  int dataRowCount() const;
  int dataColCount() const;
  int rowLimit() const { return rowLimit_; }
  int colLimit() const { return colLimit_; }
  void setRowLimit(int rows);  // removes rows beyond it
  void setColLimit(int cols);  // removes columns beyond it
  // True when `rows` rows fit under the row limit.
  bool cabe(int rows) const { return rows <= rowLimit_; }

  // Rows
  bool deleteRows(int first, int count);
  bool insertRows(int first, int count);  // false when data would pass the limit
  void deleteAllRows() { deleteRows(1, qMax(dataRowCount(), storedRows())); }
  // Keeps the rows r (1-based) for which keep[r-1] is true, in order; rows
  // beyond keep.size() are kept. One pass, for filters over many rows.
  void retainRows(const std::vector<bool>& keep);
  void clearBlock(int col1, int row1, int col2, int row2);  // -1 everywhere: the whole grid
  void vaciarCeldas() { clearBlock(-1, -1, -1, -1); }      // every cell empty, the rows kept
  void sortRows(const QVector<SortKey>& keys);               // stable, over all data rows
  void clear();                                              // all rows, keeps headers and limits

  // Tab text: line n is row n, the k-th TAB-separated field column k.
  texto::Resultado loadTabText(const QString& path);
  void fromLines(const QStringList& lines);
  texto::Resultado saveTabText(const QString& path) const;  // whole or not at all
  texto::Resultado saveTabText(QIODevice& device) const;
  QStringList toLines() const;  // rows 1..dataRowCount, columns 1..dataColCount each
  // Sheet: every cell, header row included, read back unchanged.
  texto::Resultado loadSheet(const QString& path);
  texto::Resultado saveSheet(const QString& path) const;  // whole or not at all
  texto::Resultado saveSheet(QIODevice& device) const;
  QByteArray sheetBytes() const;
  bool loadSheetBytes(const QByteArray& bytes);

  // Cursor (active cell) of a visible grid.
  int activeCol() const { return activeCol_; }
  int activeRow() const { return activeRow_; }
  void setActiveCell(int col, int row);

  // Selections of a visible grid (the view keeps them here for the commands).
  const QVector<GridBlock>& selections() const { return selections_; }
  void setSelections(const QVector<GridBlock>& blocks) { selections_ = blocks; }

  // Attributes
  static constexpr uint32_t kSinColor = 0xFFFFFFFFu;
  void setBackColor(int col, int row, uint32_t rgb);
  uint32_t backColor(int col, int row) const;  // kSinColor when none
  void setLocked(int col, int row, bool locked);
  bool locked(int col, int row) const;
  void setColumnList(int col, const QStringList& items);
  void setCellList(int col, int row, const QStringList& items);
  QStringList dropDownList(int col, int row) const;  // the cell's own list, else the column's
  void clearDropDownLists(int col);                  // column list and every cell list of col
  void setColumnFlag(int col, bool on);
  bool columnFlag(int col) const;
  bool enabled() const { return enabled_; }
  void setEnabled(bool on) {
    anotarMeta();
    enabled_ = on;
  }

  // Undo. While a journal is attached, every change of the rows, cells,
  // attributes, headers and limits records in it what takes it back (the
  // cursor and the selections are the window's, not recorded).
  class Diario;
  void anotarEn(Diario* d) { diario_ = d; }
  // Takes back every change `d` holds, newest first; `inverso` gets what
  // takes the grid forward again.
  void deshacer(Diario& d, Diario& inverso);

  // The whole grid (cells, attributes, headers, lists, limits) to and from a
  // stream, for the recovery file. leer changes the grid only when the
  // stream read whole, and journals it like any change.
  void escribir(QDataStream& s) const;
  bool leer(QDataStream& s);
  // This grid becomes a copy of `g` (rows shared until written), without
  // its observers: a copy that another thread may read.
  void copiarDe(const Grid& g);
  // Takes every row and attribute of `g` (left empty), journaled and shown
  // like any change.
  void reemplazarCon(Grid& g);

  // Observers (views)
  void addObserver(GridObserver* o);
  void removeObserver(GridObserver* o);
  // Suspends notifications; on resume the observers get one reset.
  void beginBulk();
  void endBulk();

  int storedRows() const { return static_cast<int>(rows_.size()); }

 private:
  struct CellAttr {
    uint32_t color = kSinColor;
    bool locked = false;
    bool hasList = false;
    QStringList list;
  };
  static constexpr int kIndexados = 16;
  struct Row {
    QString text;
    std::unique_ptr<std::map<int, CellAttr>> attrs;
    // Cells in text (0 when empty) and the end of each of the first
    // kIndexados; a row too long for 16-bit positions is scanned instead.
    int campos = 0;
    bool largo = false;
    uint16_t fin[kIndexados] = {};
  };

  static QString limpiar(const QString& t);
  static void indexar(Row& r);
  static void ponerTexto(Row& r, QString t) { r.text = std::move(t); indexar(r); }
  static bool lugar(const Row& r, int col, qsizetype& inicio, qsizetype& fin);
  static QStringView campo(const Row& r, int col);
  static void ponerCampo(Row& r, int col, const QString& t);
  static int camposDe(const Row& r);
  static void recortar(Row& r, int cols);  // keeps the first cols cells
  CellAttr* attr(int col, int row, bool create);
  const CellAttr* attr(int col, int row) const;
  void invalidate() const { cacheRows_ = -1; cacheCols_ = -1; }
  void notifyCells(int c1, int r1, int c2, int r2);
  void notifyInserted(int first, int count);
  void notifyRemoved(int first, int count);
  void notifyReset();
  static Row copia(const Row& r);
  // Journal records, made before the change they take back. Rows from 0.
  bool cubierto(int primero, int cuantos) const;
  void anotarTramo(int primero, int antes, int despues);  // [primero, +antes) becomes `despues` rows
  void anotarRenglon(int fila);                           // fila (from 1) changes, maybe beyond the end
  void anotarCelda(int col, int row);                     // an attribute of a cell inside the limits changes
  void copiarMeta(const Grid& g);  // everything but the rows
  void anotarMeta();

  Diario* diario_ = nullptr;
  QString name_;
  int rowLimit_;
  int colLimit_;
  std::vector<Row> rows_;  // rows_[0] is row 1
  QStringList headers_;
  std::map<int, QStringList> columnLists_;
  std::map<int, bool> columnFlags_;
  int activeCol_ = 1, activeRow_ = 1;
  QVector<GridBlock> selections_;
  bool enabled_ = true;
  std::vector<GridObserver*> observers_;
  int bulk_ = 0;
  bool bulkDirty_ = false;
  mutable int cacheRows_ = -1;
  mutable int cacheCols_ = -1;
};

class Grid::Diario {
 public:
  bool vacio() const { return entradas_.empty(); }

 private:
  friend class Grid;
  // Rows [primero, primero + cuantos) of today were `antes`.
  struct Tramo {
    int primero;
    int cuantos;
    std::vector<Row> antes;
  };
  struct Celda {
    int col, fila;
    QString antes;
  };
  struct Meta {
    QStringList headers;
    std::map<int, QStringList> columnLists;
    std::map<int, bool> columnFlags;
    int rowLimit, colLimit;
    bool enabled;
  };
  std::vector<std::variant<Tramo, Celda, Meta>> entradas_;
};

// Holds back a grid's view notifications while a command fills it; the views
// follow with one reset when the last guard ends, however the command ends.
class EnBloque {
 public:
  explicit EnBloque(Grid& g) : g_(g) { g_.beginBulk(); }
  ~EnBloque() { g_.endBulk(); }
  EnBloque(const EnBloque&) = delete;
  EnBloque& operator=(const EnBloque&) = delete;

 private:
  Grid& g_;
};
