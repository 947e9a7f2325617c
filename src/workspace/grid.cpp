#include "workspace/grid.h"

#include <QDataStream>
#include <QStringDecoder>
#include <algorithm>
#include <iterator>
#include <numeric>

#include "workspace/lectura_acotada.h"

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
    anotarRenglon(row);
    rows_.resize(row);
  } else if (diario_ && !cubierto(row - 1, 1)) {
    diario_->entradas_.push_back(Diario::Celda{col, row - 1, campo(rows_[row - 1], col).toString()});
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
  anotarMeta();
  while (headers_.size() < col) headers_.append(QString());
  headers_[col - 1] = t;
  notifyCells(col, 0, col, 0);
}

void Grid::setHeaderTexts(const QStringList& texts) {
  anotarMeta();
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
  if (row > static_cast<int>(rows_.size()) && s.isEmpty()) return;
  anotarRenglon(row);
  if (row > static_cast<int>(rows_.size())) rows_.resize(row);
  ponerTexto(rows_[row - 1], std::move(s));
  invalidate();
  notifyCells(1, row, colLimit_, row);
}

void Grid::setRowLine(int row, QString line) {
  if (row < 1 || row > rowLimit_) return;
  line.replace(QLatin1Char('\r'), QLatin1Char(' '));
  line.replace(QLatin1Char('\n'), QLatin1Char(' '));
  qsizetype len = line.size();
  while (len > 0 && line.at(len - 1) == QLatin1Char('\t')) --len;
  line.truncate(len);
  if (row > static_cast<int>(rows_.size()) && line.isEmpty()) return;
  anotarRenglon(row);
  if (row > static_cast<int>(rows_.size())) rows_.resize(row);
  ponerTexto(rows_[row - 1], std::move(line));
  recortar(rows_[row - 1], colLimit_);
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
  anotarMeta();
  rowLimit_ = qMax(0, rows);
  if (static_cast<int>(rows_.size()) > rowLimit_) {
    anotarTramo(rowLimit_, storedRows() - rowLimit_, 0);
    rows_.resize(rowLimit_);
    invalidate();
    notifyReset();
  }
}

void Grid::setColLimit(int cols) {
  anotarMeta();
  anotarTramo(0, storedRows(), storedRows());
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
  // Up to the cols-th TAB, without the empty cells that would then end it.
  const QChar* p = r.text.constData();
  const qsizetype n = r.text.size();
  qsizetype fin = 0;
  if (cols > 0) {
    int tabs = 0;
    while (fin < n && !(p[fin] == QLatin1Char('\t') && ++tabs == cols)) ++fin;
    while (fin > 0 && p[fin - 1] == QLatin1Char('\t')) --fin;
  }
  ponerTexto(r, r.text.left(fin));
}

void Grid::copiarRenglon(const Grid& origen, int filaOrigen, int fila) {
  if (fila < 1 || fila > rowLimit_) return;
  const bool hay = filaOrigen >= 1 && filaOrigen <= origen.storedRows();
  if (!hay || origen.rows_[filaOrigen - 1].text.isEmpty()) {
    if (fila <= storedRows()) {
      anotarRenglon(fila);
      ponerTexto(rows_[fila - 1], QString());
    }
  } else {
    anotarRenglon(fila);
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
  anotarTramo(first - 1, n, 0);
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
    anotarTramo(have, 0, first + count - 1 - have);
    rows_.resize(first + count - 1);
    invalidate();
    notifyInserted(first, count);
    return true;
  }
  if (dataRowCount() + count > rowLimit_ && dataRowCount() >= first) return false;
  std::vector<Row> blank(count);
  anotarTramo(first - 1, 0, count);
  rows_.insert(rows_.begin() + (first - 1), std::make_move_iterator(blank.begin()), std::make_move_iterator(blank.end()));
  if (storedRows() > rowLimit_) {
    anotarTramo(rowLimit_, storedRows() - rowLimit_, 0);
    rows_.resize(rowLimit_);
  }
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
  if (diario_) {
    size_t quedan = escribe;
    for (size_t i = escribe + 1; i < n; ++i) quedan += i >= keep.size() || keep[i];
    anotarTramo(static_cast<int>(escribe), static_cast<int>(n - escribe), static_cast<int>(quedan - escribe));
  }
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
    anotarTramo(0, storedRows(), storedRows());
    for (Row& r : rows_) ponerTexto(r, QString());
    invalidate();
    notifyReset();
    return;
  }
  if (col1 == -1) { col1 = 1; col2 = colLimit_; }
  if (row1 == -1) { row1 = 1; row2 = static_cast<int>(rows_.size()); }
  row1 = qMax(1, row1);
  row2 = qMin(row2, static_cast<int>(rows_.size()));
  if (row1 <= row2) anotarTramo(row1 - 1, row2 - row1 + 1, row2 - row1 + 1);
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
  anotarTramo(0, n, n);
  std::vector<Row> nuevas;
  nuevas.reserve(rows_.size());
  for (const Clave& c : claves) nuevas.push_back(std::move(rows_[c.fila]));
  for (size_t i = n; i < rows_.size(); ++i) nuevas.push_back(std::move(rows_[i]));
  rows_ = std::move(nuevas);
  invalidate();
  notifyReset();
}

void Grid::clear() {
  anotarTramo(0, storedRows(), 0);
  rows_.clear();
  invalidate();
  notifyReset();
}

// ---- tab text ------------------------------------------------------------

void Grid::fromLines(const QStringList& lines) {
  const int n = qMin<int>(lines.size(), rowLimit_);
  anotarTramo(0, storedRows(), n);
  rows_.clear();
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
  int filas = 0;
  for (const Celda& k : celdas) filas = qMax(filas, k.r);
  anotarMeta();
  anotarTramo(0, storedRows(), filas);
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
  anotarCelda(col, row);
  if (CellAttr* a = attr(col, row, true)) { a->color = rgb; notifyCells(col, row, col, row); }
}
uint32_t Grid::backColor(int col, int row) const {
  const CellAttr* a = attr(col, row);
  return a ? a->color : kSinColor;
}
void Grid::setLocked(int col, int row, bool on) {
  anotarCelda(col, row);
  if (CellAttr* a = attr(col, row, true)) { a->locked = on; notifyCells(col, row, col, row); }
}
bool Grid::locked(int col, int row) const {
  const CellAttr* a = attr(col, row);
  return a && a->locked;
}
void Grid::setColumnList(int col, const QStringList& items) {
  anotarMeta();
  columnLists_[col] = items;
}
void Grid::setCellList(int col, int row, const QStringList& items) {
  anotarCelda(col, row);
  if (CellAttr* a = attr(col, row, true)) { a->hasList = true; a->list = items; }
}
QStringList Grid::dropDownList(int col, int row) const {
  if (const CellAttr* a = attr(col, row); a && a->hasList) return a->list;
  auto it = columnLists_.find(col);
  return it == columnLists_.end() ? QStringList() : it->second;
}
void Grid::clearDropDownLists(int col) {
  anotarMeta();
  columnLists_.erase(col);
  for (size_t i = 0; i < rows_.size(); ++i) {
    Row& r = rows_[i];
    if (!r.attrs) continue;
    if (auto it = r.attrs->find(col); it != r.attrs->end()) {
      anotarTramo(static_cast<int>(i), 1, 1);
      it->second.hasList = false;
      it->second.list.clear();
    }
  }
}
void Grid::setColumnFlag(int col, bool on) {
  anotarMeta();
  columnFlags_[col] = on;
}
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

// ---- undo ----------------------------------------------------------------

Grid::Row Grid::copia(const Row& r) {
  Row c;
  c.text = r.text;  // shared until one of them changes
  if (r.attrs) c.attrs = std::make_unique<std::map<int, CellAttr>>(*r.attrs);
  c.campos = r.campos;
  c.largo = r.largo;
  std::copy(std::begin(r.fin), std::end(r.fin), std::begin(c.fin));
  return c;
}

// True when the rows lie inside the rows that the journal's last record
// gives back whole: whatever happens to them now, undoing that record
// replaces them all, so nothing more needs keeping (a table filled row by
// row after it was emptied costs one record).
bool Grid::cubierto(int primero, int cuantos) const {
  if (diario_->entradas_.empty()) return false;
  const auto* t = std::get_if<Diario::Tramo>(&diario_->entradas_.back());
  return t && t->primero <= primero && primero + cuantos <= t->primero + t->cuantos;
}

void Grid::anotarTramo(int primero, int antes, int despues) {
  if (!diario_ || (antes == 0 && despues == 0)) return;
  if (cubierto(primero, antes)) {
    std::get<Diario::Tramo>(diario_->entradas_.back()).cuantos += despues - antes;
    return;
  }
  Diario::Tramo t{primero, despues, {}};
  t.antes.reserve(antes);
  for (int i = primero; i < primero + antes; ++i) t.antes.push_back(copia(rows_[i]));
  diario_->entradas_.push_back(std::move(t));
}

void Grid::anotarCelda(int col, int row) {
  if (row >= 1 && row <= rowLimit_ && col >= 1) anotarRenglon(row);
}

void Grid::anotarRenglon(int fila) {
  if (!diario_) return;
  const int hay = storedRows();
  if (fila > hay) anotarTramo(hay, 0, fila - hay);
  else anotarTramo(fila - 1, 1, 1);
}

void Grid::anotarMeta() {
  if (!diario_) return;
  if (!diario_->entradas_.empty() && std::holds_alternative<Diario::Meta>(diario_->entradas_.back())) return;
  diario_->entradas_.push_back(Diario::Meta{headers_, columnLists_, columnFlags_, rowLimit_, colLimit_, enabled_});
}

void Grid::deshacer(Diario& d, Diario& inverso) {
  Diario* antes = diario_;
  diario_ = nullptr;
  // Cells and rows rewritten in place are told as such (the views and marks
  // follow those lines); rows that come or go, or limits, as a reset.
  bool forma = false;
  std::vector<GridBlock> cambios;
  for (auto e = d.entradas_.rbegin(); e != d.entradas_.rend(); ++e) {
    if (auto* t = std::get_if<Diario::Tramo>(&*e)) {
      if (static_cast<int>(t->antes.size()) == t->cuantos && t->primero + t->cuantos <= storedRows())
        cambios.push_back({1, t->primero + 1, colLimit_, t->primero + t->cuantos});
      else
        forma = true;
      // The rows are where the journal left them unless something wrote the
      // grid outside a command; then it gives back what it can, never more.
      if (t->primero > storedRows()) rows_.resize(t->primero);
      const int cuantos = qMin(t->cuantos, storedRows() - t->primero);
      const auto desde = rows_.begin() + t->primero;
      Diario::Tramo vuelta{t->primero, static_cast<int>(t->antes.size()),
                           std::vector<Row>(std::make_move_iterator(desde), std::make_move_iterator(desde + cuantos))};
      rows_.erase(desde, desde + cuantos);
      rows_.insert(rows_.begin() + t->primero, std::make_move_iterator(t->antes.begin()),
                   std::make_move_iterator(t->antes.end()));
      inverso.entradas_.push_back(std::move(vuelta));
    } else if (auto* c = std::get_if<Diario::Celda>(&*e)) {
      if (c->fila >= storedRows()) {
        rows_.resize(c->fila + 1);
        forma = true;
      }
      cambios.push_back({c->col, c->fila + 1, c->col, c->fila + 1});
      Row& r = rows_[c->fila];
      inverso.entradas_.push_back(Diario::Celda{c->col, c->fila, campo(r, c->col).toString()});
      ponerCampo(r, c->col, c->antes);
    } else {
      forma = true;
      auto& m = std::get<Diario::Meta>(*e);
      inverso.entradas_.push_back(Diario::Meta{headers_, columnLists_, columnFlags_, rowLimit_, colLimit_, enabled_});
      headers_ = std::move(m.headers);
      columnLists_ = std::move(m.columnLists);
      columnFlags_ = std::move(m.columnFlags);
      rowLimit_ = m.rowLimit;
      colLimit_ = m.colLimit;
      enabled_ = m.enabled;
    }
  }
  d.entradas_.clear();
  diario_ = antes;
  invalidate();
  if (forma || cambios.size() > 1000) return notifyReset();
  for (const GridBlock& b : cambios) notifyCells(b.col1, b.row1, b.col2, b.row2);
}

// ---- whole grid ------------------------------------------------------------

// Everything of the grid but its rows.
void Grid::copiarMeta(const Grid& g) {
  headers_ = g.headers_;
  columnLists_ = g.columnLists_;
  columnFlags_ = g.columnFlags_;
  rowLimit_ = g.rowLimit_;
  colLimit_ = g.colLimit_;
  enabled_ = g.enabled_;
  activeCol_ = g.activeCol_;
  activeRow_ = g.activeRow_;
}

void Grid::copiarDe(const Grid& g) {
  rows_.clear();
  rows_.reserve(g.rows_.size());
  for (const Row& r : g.rows_) rows_.push_back(copia(r));
  copiarMeta(g);
  invalidate();
}

void Grid::escribir(QDataStream& s) const {
  s << qint32(rowLimit_) << qint32(colLimit_) << enabled_ << headers_ << qint32(activeCol_) << qint32(activeRow_);
  s << quint32(columnLists_.size());
  for (const auto& [c, l] : columnLists_) s << qint32(c) << l;
  s << quint32(columnFlags_.size());
  for (const auto& [c, f] : columnFlags_) s << qint32(c) << f;
  s << quint32(rows_.size());
  for (const Row& r : rows_) {
    s << r.text << quint32(r.attrs ? r.attrs->size() : 0);
    if (!r.attrs) continue;
    for (const auto& [c, a] : *r.attrs) s << qint32(c) << a.color << a.locked << a.hasList << a.list;
  }
}

bool Grid::leer(QDataStream& s) {
  qint32 filas = 0, cols = 0, ac = 1, af = 1;
  bool habilitada = true;
  QStringList encabezados;
  std::map<int, QStringList> listas;
  std::map<int, bool> marcas;
  s >> filas >> cols >> habilitada;
  acotada::leer(s, encabezados);
  s >> ac >> af;
  quint32 n = 0;
  s >> n;
  if (!acotada::caben(s, n, 8)) return false;  // a column and an empty list
  for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
    qint32 c = 0;
    s >> c;
    acotada::leer(s, listas[c]);
  }
  s >> n;
  if (!acotada::caben(s, n, 5)) return false;
  for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
    qint32 c = 0;
    s >> c >> marcas[c];
  }
  s >> n;
  if (s.status() != QDataStream::Ok || filas < 0 || filas > 4 * kLimiteRenglones || cols < 0 || cols > 4096 ||
      n > static_cast<quint32>(filas) || !acotada::caben(s, n, 8))  // a row is at least two lengths
    return false;
  std::vector<Row> nuevas(n);
  for (Row& r : nuevas) {
    quint32 atributos = 0;
    s >> r.text >> atributos;
    if (s.status() != QDataStream::Ok || atributos > static_cast<quint32>(cols) + 1) return false;
    if (atributos) r.attrs = std::make_unique<std::map<int, CellAttr>>();
    for (quint32 k = 0; k < atributos && s.status() == QDataStream::Ok; ++k) {
      qint32 c = 0;
      CellAttr a;
      s >> c >> a.color >> a.locked >> a.hasList;
      acotada::leer(s, a.list);
      (*r.attrs)[c] = a;
    }
    indexar(r);
  }
  if (s.status() != QDataStream::Ok) return false;
  anotarMeta();
  anotarTramo(0, storedRows(), static_cast<int>(n));
  rows_ = std::move(nuevas);
  rowLimit_ = filas;
  colLimit_ = cols;
  enabled_ = habilitada;
  headers_ = encabezados;
  columnLists_ = std::move(listas);
  columnFlags_ = std::move(marcas);
  activeCol_ = ac;
  activeRow_ = af;
  invalidate();
  notifyReset();
  return true;
}

void Grid::reemplazarCon(Grid& g) {
  anotarMeta();
  anotarTramo(0, storedRows(), g.storedRows());
  rows_ = std::move(g.rows_);
  g.rows_.clear();
  copiarMeta(g);
  invalidate();
  g.invalidate();
  notifyReset();
}
