#include "notice/validation.h"

#include <QHash>
#include <QRegularExpression>
#include <vector>

#include "client/form5.h"
#include "editing/container_kinds.h"
#include "notice/line_checks.h"
#include "workspace/columnas.h"
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
    if (!importeValido(ws.vaSpread9.text(colPedidos::Importe, i)))
      return fallaEncabezado(ws, 5, i,
                             QStringLiteral("ERROR: El importe de la factura debe ser un número con dos decimales "
                                            "como máximo") +
                                 kSalto + kSalto + QStringLiteral("En el renglón:  ") + QString::number(i),
                             kDatosIncorrectos);
  }
  return true;
}

// Per line: quantity, container, then containers across lines, each over every
// line before the next; the delivery types are refreshed up to the line whose
// container is refused (every line when none is).
bool lineasValidas(Workspace& ws) {
  const RevisionDetalle revision(ws.vaspread1, ws.vaSpread9);
  const RevisionDetalle::Primera falla = revision.primeraFalla();
  const bool enCantidad = falla.falla >= FallaLinea::CantidadEnBlanco && falla.falla <= FallaLinea::CantidadGrande;
  const bool enContenedor = falla.falla >= FallaLinea::ContenedorEnBlanco && falla.falla <= FallaLinea::ContenedorCorto;
  if (!enCantidad) {
    const int hasta = enContenedor ? falla.fila : revision.lineas();
    for (int i = 1; i <= hasta; ++i) {
      const QString tipo = descripcionContenedor(ws.vaspread1.vista(colDetalle::Contenedor, i));
      if (tipo.isNull()) continue;
      // Typing the container already wrote its kind; only a differing cell is rewritten.
      if (ws.vaspread1.vista(colDetalle::TipoEntrega, i) != tipo) ws.vaspread1.setText(colDetalle::TipoEntrega, i, tipo);
      if (ws.vaSpread6.vista(colDetalle::TipoEntrega, i) != tipo) ws.vaSpread6.setText(colDetalle::TipoEntrega, i, tipo);
    }
  }
  if (falla.fila == 0) return true;
  avisarFalla(ws, falla.fila, falla.falla);
  return false;
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

}  // namespace

int unirRepetidas(Grid& g, Grid* espejo) {
  const int lineas = g.dataRowCount();
  QHash<ClaveLinea, int> primera;
  primera.reserve(lineas);
  std::vector<bool> conservar(static_cast<size_t>(lineas), true);
  std::vector<qint64> suma(static_cast<size_t>(lineas) + 1, 0);
  std::vector<bool> unida(static_cast<size_t>(lineas) + 1, false);
  int ultimaUnida = 0;
  for (int j = 1; j <= lineas; ++j) {
    const ClaveLinea clave{g.vista(colDetalle::Orden, j), g.vista(colDetalle::Tienda, j), g.vista(colDetalle::Sku, j),
                           g.vista(colDetalle::Contenedor, j)};
    const qint64 cantidad = g.vista(colDetalle::Cantidad, j).trimmed().toLongLong();
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
  if (ultimaUnida == 0) return 0;

  if (espejo && espejo->dataRowCount() != lineas) espejo = nullptr;
  for (int i = 1; i <= lineas; ++i) {
    if (!unida[i]) continue;
    g.setText(colDetalle::Cantidad, i, QString::number(suma[i]));
    if (espejo) espejo->setText(colDetalle::Cantidad, i, QString::number(suma[i]));
  }
  g.retainRows(conservar);
  if (espejo) espejo->retainRows(conservar);

  int filaFinal = 0;
  for (int r = 1; r <= ultimaUnida; ++r)
    if (conservar[r - 1]) ++filaFinal;
  return filaFinal;
}

Resultado validar(Workspace& ws) {
  // A refusal ends without the exit line.
  Comando cmd(ws, QStringLiteral("ENTRO A LA FUNCION-----validar"), QStringLiteral("TERMINO LA FUNCION-----validar"),
              Comando::Salida::AlHacerse);
  ws.Text1[4] = ws.DTPicker1_4.toString(QStringLiteral("dd/MM/yyyy"));
  ws.Text1[1] = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Proveedor);
  if (!encabezadoCompleto(ws) || !lineasValidas(ws)) return cmd.fin(Resultado::Rechazado);
  ws.doEvents();
  // Checked before the merge changes the grid: a refused notice leaves it as it was.
  if (const int fila = filaSumaGrande(ws.vaspread1)) {
    avisarFalla(ws, fila, FallaLinea::SumaGrande);
    return cmd.fin(Resultado::Rechazado);
  }
  ws.doEvents();
  if (const int fila = unirRepetidas(ws.vaspread1, &ws.vaSpread6)) {
    ws.cursor(ws.vaspread1, colDetalle::Cantidad, fila);
    ws.foco = QStringLiteral("vaspread1");
  }
  return cmd.fin(Resultado::Hecho);
}

Resultado verificardatosok(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO A LA FUNCION-----verificardatosok"),
              QStringLiteral("TERMINO LA FUNCION-----verificardatosok"));
  Resultado resultado = Resultado::Hecho;
  if (ws.vaSpread2.text(colAjustes::Valor, filaCliente::Cliente).isEmpty()) {
    ws.MsgBox(QStringLiteral("Falta el Número de Cliente"), Botones::Ok, kDatosIncompletos);
    mostrarForm5(ws);
    // The number is read again: however the dialog closed, still missing refuses.
    if (ws.vaSpread2.text(colAjustes::Valor, filaCliente::Cliente).isEmpty()) resultado = Resultado::Rechazado;
  }
  return cmd.fin(resultado);
}
