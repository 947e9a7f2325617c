#include "editing/row_commands.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "editing/detail_rules.h"
#include "workspace/workspace.h"

namespace {

const QString kSinDatos = QStringLiteral("No hay datos en el grid!");
const QString kTituloSinDatos = QStringLiteral("Información Incompleta");

QString entro(const char* nombre) {
  return QStringLiteral("ENTRO AL EVENTO-----") + QString::fromUtf8(nombre);
}
QString termino(const char* nombre) {
  return QStringLiteral("TERMINO EL EVENTO-----") + QString::fromUtf8(nombre);
}

// True when the active row of vaspread1 holds one of the lines.
bool filaActivaConDatos(const Workspace& ws) {
  const int a = ws.vaspread1.activeRow();
  return a >= 1 && a <= ws.vaspread1.dataRowCount();
}

// A block with its corners in order, the rows cut at the last line (a block
// wholly below the lines keeps its first row only).
GridBlock normalizar(const Grid& g, GridBlock b) {
  if (b.col1 > b.col2) std::swap(b.col1, b.col2);
  if (b.row1 > b.row2) std::swap(b.row1, b.row2);
  b.col1 = qMax(1, b.col1);
  b.row1 = qMax(1, b.row1);
  b.row2 = qMax(b.row1, qMin(b.row2, g.dataRowCount()));
  return b;
}

// The blocks a clipboard command works on: the selections, else the active cell.
QVector<GridBlock> bloquesDe(const Grid& g) {
  QVector<GridBlock> b;
  for (const GridBlock& s : g.selections()) b.append(normalizar(g, s));
  if (b.isEmpty() && g.activeCol() >= 1 && g.activeRow() >= 1)
    b.append({g.activeCol(), g.activeRow(), g.activeCol(), g.activeRow()});
  return b;
}

// The clipboard text of several blocks. Blocks over the same rows go side by
// side in column order, blocks over the same columns one under the other in
// row order (the view may report one range as several pieces); any other set
// is stacked in the order selected.
QString textoBloques(const Grid& g, QVector<GridBlock> b) {
  if (b.isEmpty()) return {};
  if (b.size() == 1) return textoPortapapeles(g, b[0].col1, b[0].row1, b[0].col2, b[0].row2);
  const bool mismasFilas = std::all_of(b.begin(), b.end(), [&](const GridBlock& x) {
    return x.row1 == b[0].row1 && x.row2 == b[0].row2;
  });
  const bool mismasColumnas = std::all_of(b.begin(), b.end(), [&](const GridBlock& x) {
    return x.col1 == b[0].col1 && x.col2 == b[0].col2;
  });
  QStringList filas;
  if (mismasFilas) {
    std::sort(b.begin(), b.end(), [](const GridBlock& x, const GridBlock& y) { return x.col1 < y.col1; });
    for (int r = b[0].row1; r <= b[0].row2; ++r) {
      QStringList celdas;
      for (const GridBlock& x : b)
        for (int c = x.col1; c <= x.col2; ++c) celdas.append(g.text(c, r));
      filas.append(celdas.join(QLatin1Char('\t')));
    }
    return filas.join(QStringLiteral("\r\n"));
  }
  if (mismasColumnas)
    std::sort(b.begin(), b.end(), [](const GridBlock& x, const GridBlock& y) { return x.row1 < y.row1; });
  for (const GridBlock& x : b) filas.append(textoPortapapeles(g, x.col1, x.row1, x.col2, x.row2));
  return filas.join(QStringLiteral("\r\n"));
}

// Rows 1..n of a grid, true for each row that lies in one of the ranges. One
// pass over the rows, whatever the ranges.
std::vector<bool> filasEnRangos(int n, const QVector<GridBlock>& rangos) {
  std::vector<int> marcas(static_cast<size_t>(n) + 1, 0);
  for (const GridBlock& b : rangos) {
    int r1 = b.row1, r2 = b.row2;
    if (r1 == -1 || r2 == -1) {
      r1 = 1;
      r2 = n;
    }
    if (r1 > r2) std::swap(r1, r2);
    r1 = qMax(1, r1);
    r2 = qMin(n, r2);
    if (r1 > r2) continue;
    ++marcas[r1 - 1];
    --marcas[r2];
  }
  std::vector<bool> dentro(static_cast<size_t>(n), false);
  int abiertos = 0;
  for (int i = 0; i < n; ++i) {
    abiertos += marcas[i];
    dentro[i] = abiertos > 0;
  }
  return dentro;
}

void quitarFilas(Grid& g, const std::vector<bool>& dentro) {
  std::vector<bool> conservar(dentro.size());
  bool alguna = false;
  for (size_t i = 0; i < dentro.size(); ++i) {
    conservar[i] = !dentro[i];
    alguna = alguna || dentro[i];
  }
  if (alguna) g.retainRows(conservar);
}

// Step 2 of "Eliminar renglones": the selected rows of vaspread1 go, and the
// same row numbers of vaSpread6 when `tambienAlmacen`.
bool eliminarSeleccion(Workspace& ws, bool tambienAlmacen) {
  const QVector<GridBlock> rangos = ws.vaspread1.selections();
  if (rangos.isEmpty()) return false;
  eliminarRangos(ws.vaspread1, rangos);
  if (tambienAlmacen) eliminarRangos(ws.vaSpread6, rangos);
  ws.vaspread1.setSelections({});
  // The cursor stays on its row number while there is a line there.
  const int ultima = qMax(1, ws.vaspread1.dataRowCount());
  if (ws.vaspread1.activeRow() > ultima) ws.cursor(ws.vaspread1, ws.vaspread1.activeCol(), ultima);
  return true;
}

// Writes one clipboard row at (col, row), every cell that fits in the columns
// the user sees and is not locked. The ordered quantity past the container is
// the order file's: a wide block (a duplicated line is copied whole) pasted
// right of the first column must not overwrite it.
void escribirFila(Grid& g, int col, int row, const QStringList& celdas) {
  const int ultima = qMin(g.colLimit(), static_cast<int>(colDetalle::Contenedor));
  for (int j = 0; j < celdas.size(); ++j) {
    const int c = col + j;
    if (c > ultima) break;
    if (!g.locked(c, row)) g.setText(c, row, celdas[j]);
  }
}

// A paste of `filas` at (col, row): the rows that fall on lines of the grid.
void pegarBloque(Grid& g, int col, int row, const QVector<QStringList>& filas, int ultima) {
  for (int i = 0; i < filas.size() && row + i <= ultima; ++i) escribirFila(g, col, row + i, filas[i]);
}

Resultado duplicarVeces(Workspace& ws, int veces) {
  Resultado r = Resultado::Hecho;
  for (int i = 0; i < veces; ++i) r = duplicarrenglon(ws);
  return r;
}

// A duplication from the menu: refused, with no exit line, without lines.
Resultado duplicarDesdeMenu(Workspace& ws, const char* entrada, const char* salida, int veces) {
  Comando cmd(ws, entrada ? entro(entrada) : QString(), salida ? termino(salida) : QString());
  if (ws.vaspread1.dataRowCount() == 0) {
    ws.MsgBox(kSinDatos, Botones::Ok, kTituloSinDatos);
    return cmd.finSinSalida(Resultado::Rechazado);
  }
  return cmd.fin(duplicarVeces(ws, veces));
}

}  // namespace

// ------------------------------------------------------------------ clipboard text

QString textoPortapapeles(const Grid& grid, int col1, int row1, int col2, int row2) {
  QString t;
  for (int r = row1; r <= row2; ++r) {
    if (r > row1) t += QStringLiteral("\r\n");
    for (int c = col1; c <= col2; ++c) {
      if (c > col1) t += QLatin1Char('\t');
      t += grid.text(c, r);
    }
  }
  return t;
}

QVector<QStringList> filasPortapapeles(const QString& texto) {
  QVector<QStringList> filas;
  if (texto.isEmpty()) return filas;
  QString t = texto;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (t.endsWith(QLatin1Char('\n'))) t.chop(1);
  qsizetype ancho = 0;
  for (const QString& linea : t.split(QLatin1Char('\n'))) {
    filas.append(linea.split(QLatin1Char('\t')));
    ancho = qMax(ancho, filas.back().size());
  }
  for (QStringList& f : filas)
    while (f.size() < ancho) f.append(QString());
  return filas;
}

// ------------------------------------------------------------------ insert and duplicate

Resultado insertar_Click(Workspace& ws) {
  Comando cmd(ws, entro("insertar_Click"), termino("insertar_Click"));
  Grid& g = ws.vaspread1;
  // A blank row below a line; below the last line there is nothing to move.
  if (!filaActivaConDatos(ws)) return cmd.fin(Resultado::Rechazado);
  const int fila = g.activeRow() + 1;
  ws.ultimaInsercion.filaInsertada = fila;
  g.setRowLimit(g.rowLimit() + 1);
  ws.ultimaInsercion.limiteFilas = g.rowLimit();
  g.insertRows(fila, 1);
  return cmd.fin(Resultado::Hecho);
}

Resultado duplicarrenglon(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO EN LA FUNCION-----duplicarrenglon"),
              QStringLiteral("TERMINO LA FUNCION-----duplicarrenglon"));
  Grid& g = ws.vaspread1;
  if (!filaActivaConDatos(ws)) return cmd.fin(Resultado::Rechazado);
  insertar_Click(ws);
  const int a = g.activeRow();
  ws.ultimaInsercion.filaOrigen = a;
  ws.prompter.escribirPortapapeles(textoPortapapeles(g, colDetalle::Orden, a, g.colLimit(), a));
  ws.cursor(g, g.activeCol(), a + 1);
  ws.ultimaInsercion.filaDuplicada = g.activeRow();
  for (int c = 1; c <= g.colLimit(); ++c) g.setLocked(c, a + 1, false);
  g.setRowTexts(a + 1, g.rowTexts(a));
  return cmd.fin(Resultado::Hecho);
}

Resultado duplicarspread6(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO A LA FUNCION-----duplicarspread6"),
              QStringLiteral("TERMINO LA FUNCION-----duplicarspread6"));
  ws.EscribirLog(QStringLiteral("ENTRO A LA FUNCION-----duplicarspread6-----inserta un renglon"));
  Grid& g = ws.vaSpread6;
  const Workspace::UltimaInsercion& u = ws.ultimaInsercion;
  if (u.filaInsertada < 1 || u.filaOrigen < 1) return cmd.fin(Resultado::Rechazado);
  // The recorded limit never cuts rows off the store.
  g.setRowLimit(qMax(g.rowLimit(), u.limiteFilas));
  g.insertRows(u.filaInsertada, 1);
  const int a = u.filaOrigen;
  ws.prompter.escribirPortapapeles(textoPortapapeles(g, colDetalle::Orden, a, g.colLimit(), a));
  g.setRowTexts(a + 1, g.rowTexts(a));
  return cmd.fin(Resultado::Hecho);
}

Resultado b_duplicar_Click(Workspace& ws) {
  Comando cmd(ws, entro("b_duplicar_Click"), termino("b_duplicar_Click"));
  if (ws.vaspread1.dataRowCount() == 0) {
    ws.MsgBox(kSinDatos, Botones::Ok, kTituloSinDatos);
    return cmd.finSinSalida(Resultado::Rechazado);
  }
  const Respuesta r = ws.MsgBox(
      QStringLiteral("Recuerde seleccionar una celda del renglón a duplicar... ¿Realmente desea duplicar este renglón?"),
      Botones::SiNo, QStringLiteral("RECORDATORIO"), Icono::Pregunta);
  return cmd.fin(r == Respuesta::Si ? duplicarrenglon(ws) : Resultado::Cancelado);
}

Resultado uno_Click(Workspace& ws) { return duplicarDesdeMenu(ws, nullptr, nullptr, 1); }
Resultado dos_Click(Workspace& ws) { return duplicarDesdeMenu(ws, "dos_Click", "dos_Click", 2); }
Resultado cinco_Click(Workspace& ws) { return duplicarDesdeMenu(ws, "cinco_Click", "cinco_Click", 5); }
Resultado diez_Click(Workspace& ws) { return duplicarDesdeMenu(ws, "diez_Click", "diez_Click()", 10); }

// ------------------------------------------------------------------ delete

Resultado borrar_renglones(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("MODULO2-----ENTRO A LA FUNCION-----borrar_renglones"));
  try {
    if (ws.cual_grid == QStringLiteral("1")) {
      const int r = ws.vaspread1.activeRow();
      if (r < 1) return cmd.fin(Resultado::Rechazado);
      ws.vaspread1.deleteRows(r, 1);
      ws.vaSpread6.deleteRows(r, 1);
      ws.vaSpread7.deleteRows(r, 1);
      return cmd.fin(Resultado::Hecho);
    }
    if (ws.cual_grid == QStringLiteral("9")) {
      const int r = ws.vaSpread9.activeRow();
      if (r < 1) return cmd.fin(Resultado::Rechazado);
      ws.vaSpread9.deleteRows(r, 1);
      return cmd.fin(Resultado::Hecho);
    }
  } catch (...) {
    ws.EscribirLog(QStringLiteral("MODULO2-----ERROR EN LA FUNCION-----borrar_renglones"));
    return cmd.fin(Resultado::Fallido);
  }
  return cmd.fin(Resultado::Rechazado);
}

Resultado borrar_Click(Workspace& ws) {
  Comando cmd(ws, entro("borrar_Click"), termino("borrar_Click"));
  return cmd.fin(borrar_renglones(ws));
}

int eliminarRangos(Grid& grid, const QVector<GridBlock>& rangos) {
  const std::vector<bool> dentro = filasEnRangos(grid.storedRows(), rangos);
  const int cuantas = static_cast<int>(std::count(dentro.begin(), dentro.end(), true));
  quitarFilas(grid, dentro);
  return cuantas;
}

Resultado eliminar_ren_Click(Workspace& ws) {
  Comando cmd(ws, entro("eliminar_ren_Click"), termino("eliminar_ren_Click"));
  return cmd.fin(eliminarSeleccion(ws, true) ? Resultado::Hecho : borrar_renglones(ws));
}

Resultado Command1_Click(Workspace& ws) {
  Comando cmd(ws, entro("Command1_Click"), termino("Command1_Click"));
  return cmd.fin(eliminarSeleccion(ws, false) ? Resultado::Hecho : Resultado::Rechazado);
}

// ------------------------------------------------------------------ cells and clipboard

Resultado copiarSeleccion(Workspace& ws, const Grid& grid) {
  const QVector<GridBlock> bloques = bloquesDe(grid);
  if (bloques.isEmpty()) return Resultado::Rechazado;
  ws.prompter.escribirPortapapeles(textoBloques(grid, bloques));
  return Resultado::Hecho;
}

Resultado b_copy_Click(Workspace& ws) { return copiarSeleccion(ws, ws.vaspread1); }

Resultado copiar_Click(Workspace& /*ws*/) { return Resultado::Hecho; }

Resultado cortar_Click(Workspace& ws) {
  Grid* g = gridEnfocado(ws);
  if (!g) return Resultado::Rechazado;
  const QVector<GridBlock> bloques = bloquesDe(*g);
  if (bloques.isEmpty()) return Resultado::Rechazado;
  ws.prompter.escribirPortapapeles(textoBloques(*g, bloques));
  for (const GridBlock& b : bloques)
    for (int r = b.row1; r <= qMin(b.row2, g->storedRows()); ++r)
      for (int c = b.col1; c <= qMin(b.col2, g->colLimit()); ++c)
        if (!g->locked(c, r) && !g->isEmpty(c, r)) g->setText(c, r, QString());
  return Resultado::Hecho;
}

Resultado b_cut_Click(Workspace& ws) { return cortar_Click(ws); }

Resultado pegar_Click(Workspace& ws) {
  Comando cmd(ws, entro("pegar_Click"), termino("pegar_Click"));
  bool pegado = false;
  {
    // The change handler's checks are off while the paste writes; the
    // quantities are looked over once it is done.
    EscrituraDelSistema escritura(ws);
    Grid& g = ws.vaspread1;
    const QVector<QStringList> filas = filasPortapapeles(ws.prompter.leerPortapapeles());
    const int ultima = g.dataRowCount();
    if (!filas.isEmpty() && ultima > 0) {
      pegado = true;
      const int alto = static_cast<int>(filas.size());
      const QVector<GridBlock> rangos = g.selections();
      for (const GridBlock& s : rangos) {
        const GridBlock b = normalizar(g, s);
        const int filasRango = b.row2 - b.row1 + 1;
        if (b.row1 > ultima) continue;
        if (filasRango < alto) {
          pegarBloque(g, b.col1, b.row1, filas, ultima);
        } else {
          // Every row of the range takes a row of the clipboard, the
          // clipboard's rows repeated from the top: one copied line lands on
          // each row, a block of lines fills the range in its order.
          for (int r = b.row1; r <= b.row2; ++r) escribirFila(g, b.col1, r, filas[(r - b.row1) % alto]);
        }
      }
      if (rangos.isEmpty() && g.activeCol() >= 1 && g.activeRow() >= 1)
        pegarBloque(g, g.activeCol(), g.activeRow(), filas, ultima);
    }
  }
  return cmd.fin(pegado ? Resultado::Hecho : Resultado::Rechazado);
}

Resultado b_paste_Click(Workspace& ws) {
  Comando cmd(ws, entro("b_paste_Click"), termino("b_paste_Click"));
  return cmd.fin(pegar_Click(ws));
}
