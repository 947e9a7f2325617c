#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <vector>

#include "fixture.h"
#include "workspace/grid.h"

namespace {

void llenar(Grid& g, const QStringList& filas) {
  for (int r = 0; r < filas.size(); ++r) g.setRowTexts(r + 1, filas[r].split(QLatin1Char('|')));
}

QStringList filas(const Grid& g) {
  QStringList out;
  for (int r = 1; r <= g.dataRowCount(); ++r) out.append(g.rowTexts(r).join(QLatin1Char('|')));
  return out;
}

}  // namespace

QStringList L(std::initializer_list<const char*> l) {
  QStringList out;
  for (const char* t : l) out << Q(t);
  return out;
}

// Each operation on a grid (limits, rows, columns) against the rows it leaves.
TEST(Grid, CadaOperacionDejaSusRenglones) {
  struct Caso {
    const char* nombre;
    int limite, columnas;
    std::vector<const char*> inicio;
    std::function<void(Grid&)> operacion;
    QStringList queda;
  } casos[] = {
      {"celda lejos y vaciada", 100, 16, {}, [](Grid& g) {
         EXPECT_TRUE(g.setText(3, 5, Q("x")));
         EXPECT_EQ(g.dataColCount(), 3);
         g.setText(16, 2, Q("fin"));
         EXPECT_EQ(g.dataColCount(), 16);
         g.setText(16, 2, QString());
         g.setText(3, 5, QString());
       }, {}},
      {"tabulador y saltos", 100, 16, {}, [](Grid& g) { g.setText(2, 1, Q("a\tb\r\nc")); }, L({"|a b  c"})},
      {"fuera de los límites", 100, 16, {"a"}, [](Grid& g) {
         EXPECT_FALSE(g.setText(17, 1, Q("x")));
         EXPECT_FALSE(g.setText(1, 101, Q("x")));
       }, L({"a"})},
      {"lecturas fuera de los límites", 100, 4, {"a|b"}, [](Grid& g) {
         for (auto [col, fila] : {std::pair{0, 1}, {5, 1}, {1, 0}, {1, 2}}) {
           EXPECT_TRUE(g.text(col, fila).isNull()) << col << "," << fila;
           EXPECT_TRUE(g.vista(col, fila).isNull()) << col << "," << fila;
           EXPECT_TRUE(g.isEmpty(col, fila)) << col << "," << fila;
         }
         for (int fila : {0, 2}) EXPECT_TRUE(g.rowTexts(fila).isEmpty()) << fila;
       }, L({"a|b"})},
      {"menos columnas", 100, 16, {"1|2|3|4", "5|6|7|8", "9"}, [](Grid& g) { g.setColLimit(2); g.setColLimit(16); },
       L({"1|2", "5|6", "9"})},
      {"menos renglones", 100, 16, {"1", "2", "3"}, [](Grid& g) {
         g.setRowLimit(2);
         EXPECT_FALSE(g.cabe(3));
         EXPECT_TRUE(g.cabe(2));
       }, L({"1", "2"})},
      {"borrar en los bordes", 5, 4, {"a", "b", "c"}, [](Grid& g) { g.deleteRows(1, 1); g.deleteRows(2, 10); g.deleteRows(7, 1); },
       L({"b"})},
      {"insertar", 5, 4, {"b"}, [](Grid& g) {
         EXPECT_TRUE(g.insertRows(1, 2));
         EXPECT_TRUE(g.insertRows(4, 1));  // after the last row: a blank row
         EXPECT_EQ(g.storedRows(), 4);
         g.setText(1, 5, Q("z"));
         EXPECT_FALSE(g.insertRows(1, 1));  // a full grid pushes no data past its limit
       }, L({"", "", "b", "", "z"})},
      {"limpiar bloque y quedarse", 100, 4, {"a|b|c", "d|e|f", "g|h|i"}, [](Grid& g) {
         g.clearBlock(2, 1, 3, 2);
         g.retainRows({true, false});
       }, L({"a", "g|h|i"})},
      {"limpiar todo", 100, 4, {"a|b"}, [](Grid& g) { g.clearBlock(-1, -1, -1, -1); }, {}},
      {"vaciar y llenar", 100, 4, {"a|b", "c"}, [](Grid& g) { g.clear(); g.fromLines({Q("p\tq")}); }, L({"p|q"})},
      {"renglón de celdas", 100, 4, {}, [](Grid& g) {
         g.setRowTexts(1, {Q("a\tb"), Q("c\r\nd"), QString(), QString()});
         g.setRowTexts(2, L({"1", "2", "3", "4", "5"}));
         g.setRowTexts(3, {Q("\n")});
         g.setRowTexts(7, {QString(), QString()});
       }, L({"a b|c  d", "1|2|3|4", " "})},
      {"quedarse con algunos", 100, 2, {"1", "2", "3", "4", "5", "6", "7", "8"}, [](Grid& g) {
         g.setLocked(2, 4, true);
         g.setBackColor(1, 8, 0x00FF00u);
         g.retainRows({true, true, false, true, false, false});
         EXPECT_TRUE(g.locked(2, 3));
         EXPECT_FALSE(g.locked(2, 4));
         EXPECT_EQ(g.backColor(1, 5), 0x00FF00u);
         g.retainRows({true, true, true});
         g.setRowTexts(6, {Q("9")});
       }, L({"1", "2", "4", "7", "8", "9"})},
      {"quedarse con ninguno", 100, 2, {"1", "2"}, [](Grid& g) {
         g.retainRows({false, false});
         EXPECT_EQ(g.storedRows(), 0);
       }, {}},
      {"atributos con su renglón", 10, 4, {"a", "b"}, [](Grid& g) {
         g.setBackColor(1, 2, 0xCEE7FF);
         g.setLocked(2, 2, true);
         g.insertRows(1, 1);
         EXPECT_EQ(g.backColor(1, 3), 0xCEE7FFu);
         EXPECT_TRUE(g.locked(2, 3));
         EXPECT_EQ(g.backColor(1, 2), Grid::kSinColor);
         g.deleteRows(1, 2);
         EXPECT_EQ(g.backColor(1, 1), 0xCEE7FFu);
       }, L({"b"})},
      {"orden estable por una clave", 100, 4, {"2|b|1", "1|b|2", "2|a|3", "1|b|4", "1|a|5"},
       [](Grid& g) { g.sortRows({{1, true}}); }, L({"1|b|2", "1|b|4", "1|a|5", "2|b|1", "2|a|3"})},
      {"orden por dos claves", 100, 4, {"2|b|1", "1|b|2", "2|a|3", "1|b|4", "1|a|5"},
       [](Grid& g) { g.sortRows({{1, true}, {2, true}}); }, L({"1|a|5", "1|b|2", "1|b|4", "2|a|3", "2|b|1"})},
      {"orden descendente", 100, 4, {"2|b|1", "1|b|2", "2|a|3"},
       [](Grid& g) { g.sortRows({{1, false}, {3, false}}); }, L({"2|a|3", "2|b|1", "1|b|2"})},
  };
  for (const Caso& k : casos) {
    Grid g(Q("g"), k.limite, k.columnas);
    for (size_t r = 0; r < k.inicio.size(); ++r) g.setRowTexts(int(r) + 1, Q(k.inicio[r]).split(QLatin1Char('|')));
    k.operacion(g);
    EXPECT_EQ(filas(g), k.queda) << k.nombre;
  }
}

TEST(Grid, TabTextRoundTripInWindows1252) {
  QTemporaryDir dir;
  const QString ruta = dir.filePath(QStringLiteral("t.txt"));
  Grid g(QStringLiteral("g"), 100, 16);
  llenar(g, {Q("Año|Pequeño|€5"), Q("||x"), Q("único")});
  ASSERT_TRUE(g.saveTabText(ruta).ok);
  QFile f(ruta);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray b = f.readAll();
  // Every line carries the data column count of fields; CR LF after each.
  EXPECT_EQ(b, QByteArray("A\xF1o\tPeque\xF1o\t\x80" "5\r\n\t\tx\r\n\xFAnico\t\t\r\n"));
  Grid h(QStringLiteral("h"), 100, 16);
  ASSERT_TRUE(h.loadTabText(ruta).ok);
  EXPECT_EQ(filas(h), filas(g));
  // Too many lines for the limit: refused, the grid unchanged.
  Grid chico(QStringLiteral("c"), 2, 16);
  chico.setText(1, 1, QStringLiteral("antes"));
  EXPECT_FALSE(chico.loadTabText(ruta).ok);
  EXPECT_EQ(chico.text(1, 1), QStringLiteral("antes"));
}

TEST(Grid, SheetReadsBackEveryTextAndRefusesDamage) {
  Grid g(QStringLiteral("g"), 100, 3);
  g.setHeaderTexts({QStringLiteral("Clave"), QStringLiteral("Va\tl\r\nor")});
  g.setText(1, 1, Q("Aplicación:"));
  g.setText(2, 1, Q("back\\slash Ω 漢"));
  g.setText(2, 20, QStringLiteral("0"));
  const QByteArray bytes = g.sheetBytes();
  Grid h(QStringLiteral("h"), 100, 3);
  ASSERT_TRUE(h.loadSheetBytes(bytes));
  EXPECT_EQ(h.text(2, 1), Q("back\\slash Ω 漢"));
  EXPECT_EQ(h.text(2, 20), QStringLiteral("0"));
  EXPECT_EQ(h.headerText(2), QStringLiteral("Va\tl\r\nor"));
  // Truncated, garbage, binary: refused, the table keeps its content.
  for (const QByteArray& mala : {bytes.left(bytes.size() - 8), QByteArray("basura"), QByteArray("\x00\xff\xfe", 3),
                                 QByteArray("HOJA AVISO 1\r\n9999999\t1\tx\r\nFIN\t1\r\n")}) {
    EXPECT_FALSE(h.loadSheetBytes(mala));
    EXPECT_EQ(h.text(1, 1), Q("Aplicación:"));
  }
}

// Random writes, clears, row texts, column cuts and sorts on a grid of 40
// columns, with rows past 16 cells and cells long enough that a row no longer
// fits 16-bit positions, checked cell by cell against plain lists.
TEST(Grid, CellsReadBackAsWrittenWhateverTheRowLength) {
  const int kCols = 40, kRows = 12;
  Grid g(QStringLiteral("g"), 100, kCols);
  std::vector<QStringList> ref(kRows, QStringList(kCols + 1));
  uint32_t semilla = 12345;
  const auto azar = [&semilla](uint32_t n) {
    semilla = semilla * 1103515245u + 12345u;
    return (semilla >> 8) % n;
  };
  const auto valor = [&]() -> QString {
    switch (azar(6)) {
      case 0: return QString();
      case 1: return QString(40000 + azar(3000), QLatin1Char('L'));  // two of them pass 65,535
      default: return QStringLiteral("v%1").arg(azar(1000));
    }
  };
  const auto comparar = [&](int paso) {
    int filas = 0, cols = 0;
    for (int r = 0; r < kRows; ++r)
      for (int c = 1; c <= kCols; ++c) {
        ASSERT_EQ(g.text(c, r + 1), ref[r][c]) << "paso " << paso << " celda " << c << "," << r + 1;
        ASSERT_EQ(g.vista(c, r + 1), ref[r][c]);
        ASSERT_EQ(g.isEmpty(c, r + 1), ref[r][c].isEmpty());
        if (!ref[r][c].isEmpty()) { filas = r + 1; cols = qMax(cols, c); }
      }
    ASSERT_EQ(g.dataRowCount(), filas) << "paso " << paso;
    ASSERT_EQ(g.dataColCount(), cols) << "paso " << paso;
  };
  for (int paso = 0; paso < 3000; ++paso) {
    const int r = static_cast<int>(azar(kRows));
    const int c = 1 + static_cast<int>(azar(kCols));
    switch (azar(10)) {
      case 0: {  // a whole row
        QStringList celdas;
        for (int k = 0, n = static_cast<int>(azar(kCols + 1)); k < n; ++k) celdas << valor();
        g.setRowTexts(r + 1, celdas);
        for (int k = 1; k <= kCols; ++k) ref[r][k] = k <= celdas.size() ? celdas[k - 1] : QString();
        break;
      }
      case 1:  // a block cleared
        g.clearBlock(c, r + 1, qMin(kCols, c + 5), r + 1);
        for (int k = c; k <= qMin(kCols, c + 5); ++k) ref[r][k].clear();
        break;
      case 2:  // long rows kept in shape when rows are sorted
        if (azar(20) == 0) {
          g.sortRows({SortKey{c, true}});
          // The rows up to the last one holding data take part, blank rows among them.
          int n = 0;
          for (int k = 0; k < kRows; ++k)
            if (std::any_of(ref[k].begin(), ref[k].end(), [](const QString& t) { return !t.isEmpty(); })) n = k + 1;
          std::stable_sort(ref.begin(), ref.begin() + n,
                           [c](const QStringList& a, const QStringList& b) { return a[c] < b[c]; });
        }
        break;
      default: {
        const QString v = valor();
        g.setText(c, r + 1, v);
        ref[r][c] = v;
      }
    }
    if (paso % 50 == 0) comparar(paso);
  }
  comparar(-1);
  // Cutting the columns keeps the first ones of every row, long or not.
  g.setColLimit(18);
  for (int r = 0; r < kRows; ++r)
    for (int c = 1; c <= 18; ++c) ASSERT_EQ(g.text(c, r + 1), ref[r][c]);
  EXPECT_EQ(g.text(19, 1), QString());
}

// Keys alike in their first characters, shorter or longer, with a NUL or a
// character above the Latin range, come out in text order both ways.
TEST(Grid, SortOrdersKeysThatShareTheirStart) {
  const QStringList claves{QStringLiteral("abcdZ"), QStringLiteral("abcdA"), QStringLiteral("abc"),
                           QString::fromUtf16(u"ab\u0000", 3), QStringLiteral("ab"), QString(),
                           QStringLiteral("b"), QString::fromUtf16(u"\uFFFF"), QStringLiteral("abcd"),
                           QStringLiteral("abcdA")};
  for (const bool ascendente : {true, false}) {
    Grid g(QStringLiteral("g"), 100, 4);
    for (int r = 0; r < claves.size(); ++r) {
      g.setText(2, r + 1, claves[r]);
      g.setText(3, r + 1, QString::number(r));
    }
    g.sortRows({SortKey{2, ascendente}});
    QStringList esperado = claves;
    std::stable_sort(esperado.begin(), esperado.end(),
                     [&](const QString& a, const QString& b) { return ascendente ? a < b : b < a; });
    QStringList obtenido;
    for (int r = 1; r <= claves.size(); ++r) obtenido << g.text(2, r);
    EXPECT_EQ(obtenido, esperado) << ascendente;
    // Equal keys keep their order: the two "abcdA" rows were rows 2 and 10.
    QStringList filas;
    for (int r = 1; r <= claves.size(); ++r)
      if (g.text(2, r) == QLatin1String("abcdA")) filas << g.text(3, r);
    EXPECT_EQ(filas, (QStringList{QStringLiteral("1"), QStringLiteral("9")}));
  }
}

// A copied row reads like its source, cut to the target's columns; writing
// either one afterwards leaves the other as it was.
TEST(Grid, CopiedRowsAreCutAndIndependent) {
  Grid de(QStringLiteral("de"), 100, 40), a(QStringLiteral("a"), 100, 15);
  QStringList celdas;
  for (int c = 1; c <= 20; ++c) celdas << QStringLiteral("c%1").arg(c);
  de.setRowTexts(1, celdas);
  de.setRowTexts(2, {QString(), QStringLiteral("x")});
  a.setText(3, 3, QStringLiteral("viejo"));
  a.setBackColor(1, 3, 0x00FF00);
  a.copiarRenglon(de, 1, 3);
  a.copiarRenglon(de, 2, 1);
  EXPECT_EQ(a.rowTexts(3), celdas.mid(0, 15));
  EXPECT_EQ(a.dataColCount(), 15);
  EXPECT_EQ(a.backColor(1, 3), 0x00FF00u);
  EXPECT_EQ(a.rowTexts(1), (QStringList{QString(), QStringLiteral("x")}));
  a.setText(2, 3, QStringLiteral("nuevo"));
  de.setText(1, 1, QStringLiteral("otro"));
  EXPECT_EQ(de.text(2, 1), QStringLiteral("c2"));
  EXPECT_EQ(a.text(1, 3), QStringLiteral("c1"));
  EXPECT_EQ(a.text(2, 3), QStringLiteral("nuevo"));
  // An empty or missing source row empties the target row.
  a.copiarRenglon(de, 50, 3);
  a.copiarRenglon(de, 2, 1);
  a.copiarRenglon(de, 3, 1);
  EXPECT_EQ(a.dataRowCount(), 0);
}

// Every change journaled is taken back exactly, and the journal of the undo
// takes it forward again: cells, rows, attributes, lists, limits, headers.
TEST(Grid, DiarioDeshaceYRehaceCadaCambio) {
  const auto foto = [](const Grid& g) {
    QStringList f{QStringLiteral("%1 %2 %3 %4").arg(g.storedRows()).arg(g.rowLimit()).arg(g.colLimit()).arg(g.enabled()),
                  g.headerText(1) + g.headerText(2), g.dropDownList(2, 1).join(QLatin1Char(',')),
                  QString::number(g.columnFlag(2))};
    for (int r = 1; r <= g.storedRows(); ++r)
      f << g.rowTexts(r).join(QLatin1Char('|')) + QStringLiteral(" %1 %2 %3").arg(g.backColor(2, r)).arg(g.locked(3, r)).arg(g.dropDownList(2, r).join(QLatin1Char(',')) + g.dropDownList(1, r).join(QLatin1Char(';'))) +
           QStringLiteral(" %1 %2").arg(g.backColor(1, r)).arg(g.locked(1, r));
    return f;
  };
  const std::pair<const char*, std::function<void(Grid&)>> cambios[] = {
      {"celda", [](Grid& g) { g.setText(2, 2, QStringLiteral("nuevo")); }},
      {"celda vacía al final", [](Grid& g) { g.setText(3, 1, QString()); }},
      {"celda más abajo", [](Grid& g) { g.setText(1, 9, QStringLiteral("lejos")); }},
      {"renglón", [](Grid& g) { g.setRowTexts(1, {QStringLiteral("x")}); }},
      {"copia de renglón", [](Grid& g) { g.copiarRenglon(g, 1, 3); g.copiarRenglon(g, 7, 1); }},
      {"borrar e insertar", [](Grid& g) { g.deleteRows(2, 1); g.insertRows(1, 2); g.insertRows(8, 1); }},
      {"insertar contra el límite", [](Grid& g) { g.setText(1, 20, QStringLiteral("z")); g.setText(1, 20, QString()); g.setRowLimit(20); g.insertRows(2, 1); }},
      {"filtrar", [](Grid& g) { g.retainRows({true, false, true}); }},
      {"limpiar", [](Grid& g) { g.clearBlock(2, 1, 3, 2); g.clearBlock(-1, -1, -1, -1); }},
      {"ordenar", [](Grid& g) { g.sortRows({{1, false}}); }},
      {"vaciar y llenar", [](Grid& g) { g.clear(); g.fromLines({QStringLiteral("p\tq"), QStringLiteral("r")}); g.setText(2, 2, QStringLiteral("s")); }},
      {"hoja", [](Grid& g) { g.loadSheetBytes(Grid(QStringLiteral("h")).sheetBytes()); }},
      {"límites", [](Grid& g) { g.setRowLimit(2); g.setColLimit(1); g.setRowLimit(5); g.setText(1, 4, QStringLiteral("x")); }},
      {"atributos", [](Grid& g) { g.setBackColor(2, 1, 0xFF); g.setLocked(3, 5, true); g.setCellList(2, 1, {QStringLiteral("A")}); }},
      {"lista de la primera columna", [](Grid& g) { g.setCellList(1, 3, {QStringLiteral("A")}); }},
      {"color y candado de la primera columna", [](Grid& g) { g.setBackColor(1, 2, 0xFF); g.setLocked(1, 3, true); }},
      {"listas y marcas", [](Grid& g) { g.clearDropDownLists(2); g.setColumnList(2, {QStringLiteral("B")}); g.setColumnFlag(2, true); }},
      {"encabezados", [](Grid& g) { g.setHeaderText(1, QStringLiteral("H")); g.setHeaderTexts({QStringLiteral("I")}); g.setEnabled(false); }},
  };
  for (const auto& [nombre, cambio] : cambios) {
    Grid g(QStringLiteral("g"), 100, 4);
    llenar(g, {QStringLiteral("c|1|a"), QStringLiteral("a|2"), QStringLiteral("b|3|c|d")});
    g.setCellList(2, 2, {QStringLiteral("L")});
    g.setColumnList(2, {QStringLiteral("M")});
    g.setHeaderTexts({QStringLiteral("uno"), QStringLiteral("dos")});
    const QStringList antes = foto(g);
    Grid::Diario d, rehacer, otra;
    g.anotarEn(&d);
    cambio(g);
    g.anotarEn(nullptr);
    const QStringList despues = foto(g);
    EXPECT_NE(antes, despues) << nombre;
    g.deshacer(d, rehacer);
    EXPECT_EQ(foto(g), antes) << nombre;
    g.deshacer(rehacer, otra);
    EXPECT_EQ(foto(g), despues) << nombre;
  }
}
