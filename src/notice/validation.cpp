#include "notice/validation.h"

#include <QHash>
#include <QRegularExpression>
#include <vector>

#include "client/form5.h"
#include "editing/container_kinds.h"
#include "workspace/workspace.h"

namespace {

const QString kSalto = QStringLiteral("\r\n");
const QString kDatosIncompletos = QStringLiteral("Datos Incompletos");
const QString kDatosIncorrectos = QStringLiteral("Datos incorrectos");

// Refuses on a cell of vaSpread9: message, cursor on the cell, focus to the table.
bool fallaEncabezado(Workspace& ws, int col, int row, const QString& texto, const QString& titulo) {
  ws.cursor(ws.vaSpread9, col, row);
  ws.MsgBox(texto, Botones::Ok, titulo);
  ws.foco = QStringLiteral("vaSpread9");
  return false;
}

// Refuses on a cell of the detail grid.
bool fallaDetalle(Workspace& ws, int col, int row, const QString& texto, const QString& titulo = QString()) {
  ws.MsgBox(texto, Botones::Ok, titulo);
  ws.cursor(ws.vaspread1, col, row);
  ws.foco = QStringLiteral("vaspread1");
  return false;
}

// An invoice amount as the notice writes it: digits with at most two decimals.
bool importeValido(const QString& t) {
  static const QRegularExpression forma(QStringLiteral("^(\\d+(\\.\\d{0,2})?|\\.\\d{1,2})$"));
  return forma.match(t).hasMatch();
}

bool encabezadoCompleto(Workspace& ws) {
  const int ordenes = ws.vaSpread9.dataRowCount();
  for (int i = 1; i <= ordenes; ++i) {
    for (int c = 2; c <= 5; ++c) {
      if (!ws.vaSpread9.isEmpty(c, i)) continue;
      return fallaEncabezado(ws, c, i,
                             QStringLiteral("Falta Información de:") + kSalto + kSalto + ws.vaSpread9.headerText(c) +
                                 kSalto + kSalto + QStringLiteral("En el renglón:  ") + QString::number(i),
                             kDatosIncompletos);
    }
    // A malformed amount would come out wrong in the HD record.
    if (!importeValido(ws.vaSpread9.text(5, i)))
      return fallaEncabezado(ws, 5, i,
                             QStringLiteral("ERROR: El importe de la factura debe ser un número con dos decimales "
                                            "como máximo") +
                                 kSalto + kSalto + QStringLiteral("En el renglón:  ") + QString::number(i),
                             kDatosIncorrectos);
  }
  return true;
}

// Every quantity a whole number greater than zero: the DT record writes it as such.
bool cantidadesValidas(Workspace& ws) {
  static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
  const int lineas = ws.vaspread1.dataRowCount();
  for (int i = 1; i <= lineas; ++i) {
    const QStringView t = ws.vaspread1.vista(11, i).trimmed();
    if (t.isEmpty())
      return fallaDetalle(ws, 11, i, QStringLiteral("ERROR, no puede haber cantidades en blanco!"), kDatosIncompletos);
    // Digits only, the usual case, is settled without a copy: zero when every digit is.
    bool digitos = true, cero = true;
    for (QChar c : t) {
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) { digitos = false; break; }
      if (c != QLatin1Char('0')) cero = false;
    }
    if (digitos && !cero) continue;
    const QString texto = t.toString();
    if (numero.match(texto).hasMatch() && texto.toDouble() == 0.0)
      return fallaDetalle(ws, 11, i, QStringLiteral("ERROR, no puede haber cantidades = 0!"), kDatosIncompletos);
    return fallaDetalle(ws, 11, i, QStringLiteral("ERROR, las cantidades deben ser números enteros mayores que 0!"),
                        kDatosIncorrectos);
  }
  return true;
}

bool contenedoresValidos(Workspace& ws) {
  const int lineas = ws.vaspread1.dataRowCount();
  for (int i = 1; i <= lineas; ++i) {
    const QStringView t = ws.vaspread1.vista(15, i);
    const QString tipo = descripcionContenedor(t);
    if (!tipo.isNull()) {
      // Typing the container already wrote its kind; only a differing cell is rewritten.
      if (ws.vaspread1.vista(14, i) != tipo) ws.vaspread1.setText(14, i, tipo);
      if (ws.vaSpread6.vista(14, i) != tipo) ws.vaSpread6.setText(14, i, tipo);
    }
    const QStringView recortado = ws.vaspread1.vista(15, i).trimmed();
    if (recortado.isEmpty()) return fallaDetalle(ws, 15, i, QStringLiteral("ERROR: El contenedor esta en blanco!"));
    if (tipo.isNull()) return fallaDetalle(ws, 15, i, kMensajeContenedor);
    if (recortado.size() < 9)
      return fallaDetalle(ws, 15, i, QStringLiteral("INCOMPLETO: El contenedor debe tener 9 digitos"));
  }
  return true;
}

// One container goes to one store of one department. Of all pairs of rows with
// the same container, the one with the earliest first row is reported; within a
// container that is its first row and the first later row that disagrees.
// The keys are views into the detail grid, which nothing changes meanwhile.
bool contenedoresCoherentes(Workspace& ws) {
  const Grid& g = ws.vaspread1;
  const int lineas = g.dataRowCount();
  QHash<QStringView, int> primera;  // container -> its first row
  primera.reserve(lineas);
  int peorFila = 0;
  QString peorMensaje;
  QHash<QStringView, bool> reportado;
  for (int j = 1; j <= lineas; ++j) {
    const QStringView cont = g.vista(15, j);
    auto it = primera.constFind(cont);
    if (it == primera.constEnd()) {
      primera.insert(cont, j);
      continue;
    }
    const int i = it.value();
    if (reportado.contains(cont) || (peorFila != 0 && i >= peorFila)) continue;
    QString mensaje;
    if (g.vista(5, i) != g.vista(5, j))
      mensaje = QStringLiteral("ERROR: No puede ir un contenedor a dos Tiendas diferentes");
    else if (g.vista(2, i) != g.vista(2, j))
      mensaje = QStringLiteral("ERROR: No puede ir un contenedor a dos Departamentos diferentes");
    if (mensaje.isEmpty()) continue;
    reportado.insert(cont, true);
    peorFila = i;
    peorMensaje = mensaje;
  }
  if (peorFila == 0) return true;
  return fallaDetalle(ws, 15, peorFila, peorMensaje);
}

// What makes two detail lines one: order, store, SKU and container, as views
// into the detail grid, which nothing changes while the lines are grouped.
struct ClaveLinea {
  QStringView orden, tienda, sku, contenedor;
  bool operator==(const ClaveLinea& o) const {
    return orden == o.orden && tienda == o.tienda && sku == o.sku && contenedor == o.contenedor;
  }
};
size_t qHash(const ClaveLinea& k, size_t semilla = 0) {
  return qHashMulti(semilla, k.orden, k.tienda, k.sku, k.contenedor);
}

// Lines of one order with the same store, SKU and container become one, the
// quantities added, in the detail grid and, when the two tables run row for row,
// in the order line store as well, so that they keep matching.
void unirRepetidas(Workspace& ws) {
  Grid& g = ws.vaspread1;
  const int lineas = g.dataRowCount();
  QHash<ClaveLinea, int> primera;
  primera.reserve(lineas);
  std::vector<bool> conservar(static_cast<size_t>(lineas), true);
  std::vector<qint64> suma(static_cast<size_t>(lineas) + 1, 0);
  std::vector<bool> unida(static_cast<size_t>(lineas) + 1, false);
  int ultimaUnida = 0;
  for (int j = 1; j <= lineas; ++j) {
    const ClaveLinea clave{g.vista(1, j), g.vista(5, j), g.vista(6, j), g.vista(15, j)};
    const qint64 cantidad = g.vista(11, j).trimmed().toLongLong();
    auto it = primera.constFind(clave);
    if (it == primera.constEnd()) {
      primera.insert(clave, j);
      suma[j] = cantidad;
      continue;
    }
    const int i = it.value();
    suma[i] += cantidad;
    unida[i] = true;
    conservar[j - 1] = false;
    ultimaUnida = qMax(ultimaUnida, i);
  }
  primera.clear();  // its views are about to go stale
  if (ultimaUnida == 0) return;

  const bool espejo = ws.vaSpread6.dataRowCount() == lineas;
  for (int i = 1; i <= lineas; ++i) {
    if (!unida[i]) continue;
    g.setText(11, i, QString::number(suma[i]));
    if (espejo) ws.vaSpread6.setText(11, i, QString::number(suma[i]));
  }
  g.retainRows(conservar);
  if (espejo) ws.vaSpread6.retainRows(conservar);

  int filaFinal = 0;
  for (int r = 1; r <= ultimaUnida; ++r)
    if (conservar[r - 1]) ++filaFinal;
  ws.cursor(g, 11, filaFinal);
  ws.foco = QStringLiteral("vaspread1");
}

}  // namespace

bool validar(Workspace& ws) {
  ws.EscribirLog(QStringLiteral("ENTRO A LA FUNCION-----validar"));
  ws.Text1[4] = ws.DTPicker1_4.toString(QStringLiteral("dd/MM/yyyy"));
  ws.Text1[1] = ws.vaSpread2.text(2, 14);
  if (!encabezadoCompleto(ws) || !cantidadesValidas(ws) || !contenedoresValidos(ws) || !contenedoresCoherentes(ws))
    return false;
  unirRepetidas(ws);
  ws.EscribirLog(QStringLiteral("TERMINO LA FUNCION-----validar"));
  return true;
}

bool verificardatosok(Workspace& ws) {
  ws.EscribirLog(QStringLiteral("ENTRO A LA FUNCION-----verificardatosok"));
  bool resultado = true;
  if (ws.vaSpread2.text(2, 2).isEmpty()) {
    ws.MsgBox(QStringLiteral("Falta el Número de Cliente"), Botones::Ok, kDatosIncompletos);
    mostrarForm5(ws);
    resultado = !ws.vaSpread2.text(2, 2).isEmpty();
  }
  ws.EscribirLog(QStringLiteral("TERMINO LA FUNCION-----verificardatosok"));
  return resultado;
}
