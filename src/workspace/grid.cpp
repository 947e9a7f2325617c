#include "workspace/grid.h"

#include <QStringDecoder>
#include <algorithm>
#include <iterator>
#include <numeric>

Grid::Grid(QString name, int rowLimit, int colLimit)
    : name_(std::move(name)), rowLimit_(rowLimit), colLimit_(colLimit) {}

// ---- cells ---------------------------------------------------------------

namespace {
inline bool separa(char16_t u) { return u == u'\t' || u == u'\r' || u == u'\n'; }
}  // namespace

QString Grid::limpiar(const QString& t) {
  // One pass; the text is shared, not copied, when it holds none of them.
  const char16_t* p = reinterpret_cast<const char16_t*>(t.constData());
  const qsizetype n = t.size();
  qsizetype i = 0;
  while (i < n && !separa(p[i])) ++i;
  if (i == n) return t;
  QString s = t;
  for (QChar& c : s)
    if (separa(c.unicode())) c = QLatin1Char(' ');
  return s;
}

void Grid::indexar(Row& r) {
  const qsizetype n = r.text.size();
  r.campos = 0;
  r.largo = n >= 0xFFFF;
  if (n == 0 || r.largo) return;
  const char16_t* p = reinterpret_cast<const char16_t*>(r.text.constData());
  int k = 0;
  for (qsizetype i = 0; i < n; ++i) {
    if (p[i] != u'\t') continue;
    if (k < kIndexados) r.fin[k] = static_cast<uint16_t>(i);
    ++k;
  }
  if (k < kIndexados) r.fin[k] = static_cast<uint16_t>(n);
  r.campos = k + 1;
}

int Grid::camposDe(const Row& r) {
  if (!r.largo) return r.campos;
  return r.text.isEmpty() ? 0 : static_cast<int>(r.text.count(QLatin1Char('\t'))) + 1;
}

// Where cell col lies in the row text; false when the row has fewer cells.
bool Grid::lugar(const Row& r, int col, qsizetype& inicio, qsizetype& fin) {
  const QString& t = r.text;
  int desde = 1;  // cell that starts at inicio
  inicio = 0;
  if (!r.largo) {
    if (col > r.campos) return false;
    if (col <= kIndexados) {
      inicio = col == 1 ? 0 : r.fin[col - 2] + 1;
      fin = r.fin[col - 1];
      return true;
    }
    inicio = r.fin[kIndexados - 1] + 1;
    desde = kIndexados + 1;
  }
  for (; desde < col; ++desde) {
    const qsizetype tab = t.indexOf(QLatin1Char('\t'), inicio);
    if (tab < 0) return false;
    inicio = tab + 1;
  }
  fin = t.indexOf(QLatin1Char('\t'), inicio);
  if (fin < 0) fin = t.size();
  return true;
}

QStringView Grid::campo(const Row& r, int col) {
  qsizetype inicio = 0, fin = 0;
  if (!lugar(r, col, inicio, fin)) return {};
  return QStringView(r.text).mid(inicio, fin - inicio);
}

void Grid::ponerCampo(Row& r, int col, const QString& t) {
  QString& row = r.text;
  qsizetype inicio = 0, fin = 0;
  if (!lugar(r, col, inicio, fin)) {
    if (t.isEmpty()) return;  // nothing there and nothing to write
    // Pad with TABs up to the cell.
    row.append(QString(col - qMax(1, camposDe(r)), QLatin1Char('\t')));  // an empty row counts as one cell
    row.append(t);
    indexar(r);
    return;
  }
  row.replace(inicio, fin - inicio, t);
  // Trailing empty cells are not stored.
  qsizetype n = row.size();
  while (n > 0 && row[n - 1] == QLatin1Char('\t')) --n;
  if (n != row.size()) row.truncate(n);
  indexar(r);
}

QString Grid::text(int col, int row) const {
  if (row < 1 || col < 1 || col > colLimit_ || row > static_cast<int>(rows_.size())) return {};
  return campo(rows_[row - 1], col).toString();
}

QStringView Grid::vista(int col, int row) const {
  if (row < 1 || col < 1 || col > colLimit_ || row > static_cast<int>(rows_.size())) return {};
  return campo(rows_[row - 1], col);
}

bool Grid::isEmpty(int col, int row) const {
  if (row < 1 || col < 1 || col > colLimit_ || row > static_cast<int>(rows_.size())) return true;
  return campo(rows_[row - 1], col).isEmpty();
}

bool Grid::setText(int col, int row, const QString& t) {
  if (row < 1 || col < 1 || col > colLimit_ || row > rowLimit_) return false;
  if (row > static_cast<int>(rows_.size())) {
    if (t.isEmpty()) return true;
    rows_.resize(row);
  }
  ponerCampo(rows_[row - 1], col, limpiar(t));
  invalidate();
  notifyCells(col, row, col, row);
  return true;
}

QString Grid::headerText(int col) const {
  return col >= 1 && col <= headers_.size() ? headers_[col - 1] : QString();
}

void Grid::setHeaderText(int col, const QString& t) {
  if (col < 1) return;
  while (headers_.size() < col) headers_.append(QString());
  headers_[col - 1] = t;
  notifyCells(col, 0, col, 0);
}

void Grid::setHeaderTexts(const QStringList& texts) {
  headers_ = texts;
  notifyReset();
}

QStringList Grid::rowTexts(int row) const {
  if (row < 1 || row > static_cast<int>(rows_.size()) || rows_[row - 1].text.isEmpty()) return {};
  return rows_[row - 1].text.split(QLatin1Char('\t'));
}

void Grid::setRowTexts(int row, const QStringList& cells) {
  if (row < 1 || row > rowLimit_) return;
  // Trailing empty cells are not stored.
  int n = qMin<int>(cells.size(), colLimit_);
  while (n > 0 && cells[n - 1].isEmpty()) --n;
  // The row text is built in one allocation of its exact size (no slack kept
  // per row), TAB, CR and LF of the cells turned into blanks on the way.
  QString s;
  if (n == 1) {
    s = limpiar(cells[0]);
  } else if (n > 1) {
    qsizetype total = n - 1;
    for (int i = 0; i < n; ++i) total += cells[i].size();
    s.resize(total);
    char16_t* out = reinterpret_cast<char16_t*>(s.data());
    for (int i = 0; i < n; ++i) {
      if (i) *out++ = u'\t';
      const char16_t* in = reinterpret_cast<const char16_t*>(cells[i].constData());
      for (qsizetype k = 0, m = cells[i].size(); k < m; ++k) *out++ = separa(in[k]) ? u' ' : in[k];
    }
  }
  if (row > static_cast<int>(rows_.size())) {
    if (s.isEmpty()) return;
    rows_.resize(row);
  }
  ponerTexto(rows_[row - 1], std::move(s));
  invalidate();
  notifyCells(1, row, colLimit_, row);
}

// ---- extents -------------------------------------------------------------

int Grid::dataRowCount() const {
  if (cacheRows_ < 0) {
    int n = static_cast<int>(rows_.size());
    while (n > 0 && rows_[n - 1].text.isEmpty()) --n;
    cacheRows_ = n;
  }
  return cacheRows_;
}

int Grid::dataColCount() const {
  if (cacheCols_ < 0) {
    int m = 0;
    for (const Row& r : rows_)
      m = qMax(m, camposDe(r));
    cacheCols_ = m;
  }
  return cacheCols_;
}

void Grid::setRowLimit(int rows) {
  rowLimit_ = qMax(0, rows);
  if (static_cast<int>(rows_.size()) > rowLimit_) {
    rows_.resize(rowLimit_);
    invalidate();
    notifyReset();
  }
}

void Grid::setColLimit(int cols) {
  colLimit_ = qMax(0, cols);
  for (Row& r : rows_) {
    recortar(r, colLimit_);
    if (r.attrs) {
      for (auto it = r.attrs->begin(); it != r.attrs->end();)
        it = it->first > colLimit_ ? r.attrs->erase(it) : std::next(it);
    }
  }
  invalidate();
  notifyReset();
}

void Grid::recortar(Row& r, int cols) {
  if (camposDe(r) <= cols) return;
  QString s = cols > 0 ? r.text.section(QLatin1Char('\t'), 0, cols - 1) : QString();
  qsizetype len = s.size();
  while (len > 0 && s[len - 1] == QLatin1Char('\t')) --len;
  s.truncate(len);
  ponerTexto(r, std::move(s));
}

void Grid::copiarRenglon(const Grid& origen, int filaOrigen, int fila) {
  if (fila < 1 || fila > rowLimit_) return;
  const bool hay = filaOrigen >= 1 && filaOrigen <= origen.storedRows();
  if (!hay || origen.rows_[filaOrigen - 1].text.isEmpty()) {
    if (fila <= storedRows()) ponerTexto(rows_[fila - 1], QString());
  } else {
    if (fila > storedRows()) rows_.resize(fila);
    const Row& de = origen.rows_[filaOrigen - 1];
    Row& a = rows_[fila - 1];
    a.text = de.text;  // shared until one of them changes
    a.campos = de.campos;
    a.largo = de.largo;
    std::copy(std::begin(de.fin), std::end(de.fin), std::begin(a.fin));
    recortar(a, colLimit_);
  }
  invalidate();
  notifyCells(1, fila, colLimit_, fila);
}

// ---- rows ----------------------------------------------------------------

bool Grid::deleteRows(int first, int count) {
  if (first < 1 || count <= 0) return false;
  const int have = static_cast<int>(rows_.size());
  if (first > have) return true;
  const int n = qMin(count, have - first + 1);
  rows_.erase(rows_.begin() + (first - 1), rows_.begin() + (first - 1 + n));
  invalidate();
  notifyRemoved(first, n);
  return true;
}

bool Grid::insertRows(int first, int count) {
  if (first < 1 || count <= 0) return false;
  const int have = static_cast<int>(rows_.size());
  if (first > have) {
    // Nothing below moves; the new rows are blank rows at the end.
    if (first + count - 1 > rowLimit_) return false;
    rows_.resize(first + count - 1);
    invalidate();
    notifyInserted(first, count);
    return true;
  }
  if (dataRowCount() + count > rowLimit_ && dataRowCount() >= first) return false;
  std::vector<Row> blank(count);
  rows_.insert(rows_.begin() + (first - 1), std::make_move_iterator(blank.begin()), std::make_move_iterator(blank.end()));
  if (static_cast<int>(rows_.size()) > rowLimit_) rows_.resize(rowLimit_);
  invalidate();
  notifyInserted(first, count);
  return true;
}

void Grid::retainRows(const std::vector<bool>& keep) {
  // In place, from the first row that goes: the rows before it do not move
  // and the table keeps its room for rows added later.
  const size_t n = rows_.size();
  size_t escribe = 0;
  while (escribe < n && (escribe >= keep.size() || keep[escribe])) ++escribe;
  if (escribe == n) return;
  for (size_t i = escribe + 1; i < n; ++i) {
    if (i < keep.size() && !keep[i]) continue;
    rows_[escribe++] = std::move(rows_[i]);
  }
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(escribe), rows_.end());
  invalidate();
  notifyReset();
}

void Grid::clearBlock(int col1, int row1, int col2, int row2) {
  if (col1 == -1 && row1 == -1 && col2 == -1 && row2 == -1) {
    for (Row& r : rows_) ponerTexto(r, QString());
    invalidate();
    notifyReset();
    return;
  }
  if (col1 == -1) { col1 = 1; col2 = colLimit_; }
  if (row1 == -1) { row1 = 1; row2 = static_cast<int>(rows_.size()); }
  row1 = qMax(1, row1);
  row2 = qMin(row2, static_cast<int>(rows_.size()));
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) ponerCampo(rows_[r - 1], c, QString());
  invalidate();
  if (row1 <= row2) notifyCells(col1, row1, col2, row2);
}

namespace {
// The first four UTF-16 units of a key as one number that orders like the
// text: most keys (stores, SKUs, containers) differ there, so most
// comparisons are one integer comparison.
quint64 prefijo(QStringView t) {
  quint64 p = 0;
  for (qsizetype i = 0; i < 4; ++i) p = (p << 16) | (i < t.size() ? t[i].unicode() : 0u);
  return p;
}
}  // namespace

void Grid::sortRows(const QVector<SortKey>& keys) {
  const int n = dataRowCount();
  if (n < 2 || keys.isEmpty()) return;
  const int nk = qMin<int>(keys.size(), 2);
  // The keys are copied side by side into one buffer, so the sort reads
  // compact memory and not rows spread over the heap.
  qsizetype total = 0;
  for (int r = 1; r <= n; ++r)
    for (int k = 0; k < nk; ++k) total += vista(keys[k].col, r).size();
  QString buffer;
  buffer.reserve(total);
  struct Clave {
    quint64 p[2];
    qsizetype inicio[2];
    qsizetype largo[2];
    int fila;
  };
  std::vector<Clave> claves(n);
  for (int r = 0; r < n; ++r) {
    Clave& c = claves[r];
    c.fila = r;
    for (int k = 0; k < 2; ++k) {
      const QStringView v = k < nk ? vista(keys[k].col, r + 1) : QStringView();
      c.p[k] = prefijo(v);
      c.inicio[k] = buffer.size();
      c.largo[k] = v.size();
      buffer.append(v);
    }
  }
  const QChar* base = buffer.constData();
  const auto comparar = [base](const Clave& a, const Clave& b, int k) {
    if (a.p[k] != b.p[k]) return a.p[k] < b.p[k] ? -1 : 1;
    return QStringView(base + a.inicio[k], a.largo[k]).compare(QStringView(base + b.inicio[k], b.largo[k]));
  };
  std::stable_sort(claves.begin(), claves.end(), [&](const Clave& a, const Clave& b) {
    for (int k = 0; k < nk; ++k) {
      int c = comparar(a, b, k);
      if (!keys[k].ascending) c = -c;
      if (c != 0) return c < 0;
    }
    return false;
  });
  std::vector<Row> nuevas;
  nuevas.reserve(rows_.size());
  for (const Clave& c : claves) nuevas.push_back(std::move(rows_[c.fila]));
  for (size_t i = n; i < rows_.size(); ++i) nuevas.push_back(std::move(rows_[i]));
  rows_ = std::move(nuevas);
  invalidate();
  notifyReset();
}

void Grid::clear() {
  rows_.clear();
  invalidate();
  notifyReset();
}

// ---- tab text ------------------------------------------------------------

void Grid::fromLines(const QStringList& lines) {
  rows_.clear();
  const int n = qMin<int>(lines.size(), rowLimit_);
  rows_.resize(n);
  for (int i = 0; i < n; ++i) {
    QString s = lines[i];
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (colLimit_ <= 0) s.clear();
    else if (s.count(QLatin1Char('\t')) + 1 > colLimit_) s = s.section(QLatin1Char('\t'), 0, colLimit_ - 1);
    qsizetype len = s.size();
    while (len > 0 && s[len - 1] == QLatin1Char('\t')) --len;
    s.truncate(len);
    ponerTexto(rows_[i], std::move(s));
  }
  invalidate();
  notifyReset();
}

texto::Resultado Grid::loadTabText(const QString& path) {
  QStringList lines;
  texto::Resultado r = texto::leerLineas(path, lines);
  if (!r.ok) return r;
  if (lines.size() > rowLimit_)
    return texto::Resultado::falla(7, QStringLiteral("El archivo tiene %1 renglones; el límite es de %2 renglones").arg(lines.size()).arg(rowLimit_));
  fromLines(lines);
  return r;
}

QStringList Grid::toLines() const {
  const int n = dataRowCount();
  const int m = dataColCount();
  QStringList out;
  out.reserve(n);
  for (int r = 0; r < n; ++r) {
    const QString& t = rows_[r].text;
    const int campos = camposDe(rows_[r]);
    const int faltan = (m > 0 ? m - 1 : 0) - (campos > 0 ? campos - 1 : 0);
    out.append(faltan > 0 ? t + QString(faltan, QLatin1Char('\t')) : t);
  }
  return out;
}

texto::Resultado Grid::saveTabText(QIODevice& device) const {
  return texto::escribirEn(device, texto::unirLineas(toLines()));
}

texto::Resultado Grid::saveTabText(const QString& path) const {
  return texto::reemplazar(path, [this](QIODevice& d) { return saveTabText(d); });
}

// ---- sheet ---------------------------------------------------------------
// "HOJA AVISO 1", then one line per non-empty cell "row TAB col TAB text"
// (row 0: headers), then "FIN TAB count". UTF-8, backslash escapes, so every
// text reads back unchanged; anything else makes the whole file unreadable.

namespace {
const char kFirma[] = "HOJA AVISO 1";

QString escapar(const QString& t) {
  QString s;
  s.reserve(t.size());
  for (QChar c : t) {
    if (c == QLatin1Char('\\')) s += QStringLiteral("\\\\");
    else if (c == QLatin1Char('\t')) s += QStringLiteral("\\t");
    else if (c == QLatin1Char('\r')) s += QStringLiteral("\\r");
    else if (c == QLatin1Char('\n')) s += QStringLiteral("\\n");
    else s += c;
  }
  return s;
}

bool desescapar(QStringView t, QString& out) {
  out.clear();
  for (qsizetype i = 0; i < t.size(); ++i) {
    if (t[i] != QLatin1Char('\\')) { out += t[i]; continue; }
    if (++i >= t.size()) return false;
    const QChar c = t[i];
    if (c == QLatin1Char('\\')) out += QLatin1Char('\\');
    else if (c == QLatin1Char('t')) out += QLatin1Char('\t');
    else if (c == QLatin1Char('r')) out += QLatin1Char('\r');
    else if (c == QLatin1Char('n')) out += QLatin1Char('\n');
    else return false;
  }
  return true;
}
}  // namespace

QByteArray Grid::sheetBytes() const {
  QString s = QLatin1String(kFirma) + QStringLiteral("\r\n");
  int count = 0;
  for (int c = 1; c <= headers_.size(); ++c) {
    if (headers_[c - 1].isEmpty()) continue;
    s += QStringLiteral("0\t%1\t").arg(c) + escapar(headers_[c - 1]) + QStringLiteral("\r\n");
    ++count;
  }
  for (int r = 1; r <= dataRowCount(); ++r) {
    const QStringList cells = rowTexts(r);
    for (int c = 1; c <= cells.size(); ++c) {
      if (cells[c - 1].isEmpty()) continue;
      s += QStringLiteral("%1\t%2\t").arg(r).arg(c) + escapar(cells[c - 1]) + QStringLiteral("\r\n");
      ++count;
    }
  }
  s += QStringLiteral("FIN\t%1\r\n").arg(count);
  return s.toUtf8();
}

bool Grid::loadSheetBytes(const QByteArray& bytes) {
  QStringDecoder dec(QStringDecoder::Utf8);
  const QString todo = dec.decode(bytes);
  if (dec.hasError()) return false;
  const QStringList lines = texto::partirLineas(todo);
  if (lines.isEmpty() || lines.first() != QLatin1String(kFirma)) return false;
  struct Celda { int r, c; QString t; };
  std::vector<Celda> celdas;
  bool fin = false;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QString& l = lines[i];
    if (fin) { if (!l.isEmpty()) return false; continue; }
    const qsizetype t1 = l.indexOf(QLatin1Char('\t'));
    if (t1 < 0) return false;
    if (QStringView(l).left(t1) == QLatin1String("FIN")) {
      bool ok = false;
      const qlonglong n = QStringView(l).mid(t1 + 1).toLongLong(&ok);
      if (!ok || n != static_cast<qlonglong>(celdas.size())) return false;
      fin = true;
      continue;
    }
    const qsizetype t2 = l.indexOf(QLatin1Char('\t'), t1 + 1);
    if (t2 < 0) return false;
    bool okr = false, okc = false;
    const int r = QStringView(l).left(t1).toInt(&okr);
    const int c = QStringView(l).mid(t1 + 1, t2 - t1 - 1).toInt(&okc);
    if (!okr || !okc || r < 0 || r > rowLimit_ || c < 1 || c > colLimit_) return false;
    QString t;
    if (!desescapar(QStringView(l).mid(t2 + 1), t)) return false;
    celdas.push_back({r, c, std::move(t)});
  }
  if (!fin) return false;
  beginBulk();
  headers_.clear();
  rows_.clear();
  for (const Celda& k : celdas) {
    if (k.r == 0) {
      while (headers_.size() < k.c) headers_.append(QString());
      headers_[k.c - 1] = k.t;
    } else {
      if (k.r > static_cast<int>(rows_.size())) rows_.resize(k.r);
      ponerCampo(rows_[k.r - 1], k.c, k.t);  // a sheet may hold what setText would clean
    }
  }
  invalidate();
  endBulk();
  return true;
}

texto::Resultado Grid::saveSheet(QIODevice& device) const { return texto::escribirEn(device, sheetBytes()); }

texto::Resultado Grid::saveSheet(const QString& path) const {
  return texto::reemplazar(path, [this](QIODevice& d) { return saveSheet(d); });
}

texto::Resultado Grid::loadSheet(const QString& path) {
  QByteArray bytes;
  texto::Resultado r = texto::leerBytes(path, bytes);
  if (!r.ok) return r;
  if (!loadSheetBytes(bytes)) return texto::Resultado::falla(321, QStringLiteral("Formato de archivo no válido: ") + path);
  return r;
}

// ---- cursor and attributes ------------------------------------------------

void Grid::setActiveCell(int col, int row) {
  activeCol_ = col;
  activeRow_ = row;
}

Grid::CellAttr* Grid::attr(int col, int row, bool create) {
  if (row < 1 || row > rowLimit_ || col < 1) return nullptr;
  if (row > static_cast<int>(rows_.size())) {
    if (!create) return nullptr;
    rows_.resize(row);
  }
  Row& r = rows_[row - 1];
  if (!r.attrs) {
    if (!create) return nullptr;
    r.attrs = std::make_unique<std::map<int, CellAttr>>();
  }
  auto it = r.attrs->find(col);
  if (it == r.attrs->end()) {
    if (!create) return nullptr;
    it = r.attrs->emplace(col, CellAttr{}).first;
  }
  return &it->second;
}

const Grid::CellAttr* Grid::attr(int col, int row) const {
  if (row < 1 || row > static_cast<int>(rows_.size()) || !rows_[row - 1].attrs) return nullptr;
  auto it = rows_[row - 1].attrs->find(col);
  return it == rows_[row - 1].attrs->end() ? nullptr : &it->second;
}

void Grid::setBackColor(int col, int row, uint32_t rgb) {
  if (CellAttr* a = attr(col, row, true)) { a->color = rgb; notifyCells(col, row, col, row); }
}
uint32_t Grid::backColor(int col, int row) const {
  const CellAttr* a = attr(col, row);
  return a ? a->color : kSinColor;
}
void Grid::setLocked(int col, int row, bool on) {
  if (CellAttr* a = attr(col, row, true)) { a->locked = on; notifyCells(col, row, col, row); }
}
bool Grid::locked(int col, int row) const {
  const CellAttr* a = attr(col, row);
  return a && a->locked;
}
void Grid::setColumnList(int col, const QStringList& items) { columnLists_[col] = items; }
void Grid::setCellList(int col, int row, const QStringList& items) {
  if (CellAttr* a = attr(col, row, true)) { a->hasList = true; a->list = items; }
}
QStringList Grid::dropDownList(int col, int row) const {
  if (const CellAttr* a = attr(col, row); a && a->hasList) return a->list;
  auto it = columnLists_.find(col);
  return it == columnLists_.end() ? QStringList() : it->second;
}
void Grid::clearDropDownLists(int col) {
  columnLists_.erase(col);
  for (Row& r : rows_)
    if (r.attrs)
      if (auto it = r.attrs->find(col); it != r.attrs->end()) { it->second.hasList = false; it->second.list.clear(); }
}
void Grid::setColumnFlag(int col, bool on) { columnFlags_[col] = on; }
bool Grid::columnFlag(int col) const {
  auto it = columnFlags_.find(col);
  return it != columnFlags_.end() && it->second;
}

// ---- observers -----------------------------------------------------------

void Grid::addObserver(GridObserver* o) { observers_.push_back(o); }
void Grid::removeObserver(GridObserver* o) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}
void Grid::beginBulk() { ++bulk_; }
void Grid::endBulk() {
  if (bulk_ > 0 && --bulk_ == 0 && bulkDirty_) {
    bulkDirty_ = false;
    for (GridObserver* o : observers_) o->gridReset();
  }
}
void Grid::notifyCells(int c1, int r1, int c2, int r2) {
  if (bulk_) { bulkDirty_ = true; return; }
  for (GridObserver* o : observers_) o->cellsChanged(c1, r1, c2, r2);
}
void Grid::notifyInserted(int first, int count) {
  if (bulk_) { bulkDirty_ = true; return; }
  for (GridObserver* o : observers_) o->rowsInserted(first, count);
}
void Grid::notifyRemoved(int first, int count) {
  if (bulk_) { bulkDirty_ = true; return; }
  for (GridObserver* o : observers_) o->rowsRemoved(first, count);
}
void Grid::notifyReset() {
  if (bulk_) { bulkDirty_ = true; return; }
  for (GridObserver* o : observers_) o->gridReset();
}
