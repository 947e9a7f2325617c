#include "intake/order_selection.h"

#include <QHash>
#include <cmath>
#include <vector>

#include "consolidation/fechas.h"
#include "intake/order_file.h"
#include "workspace/workspace.h"

namespace pedidos {

bool leerCantidad(const QString& texto, double& valor) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) {
    valor = 0;
    return true;
  }
  int i = 0;
  if (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) ++i;
  int digitos = 0, puntos = 0;
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ++digitos;
    else if (c == QLatin1Char('.') && ++puntos == 1) continue;
    else return false;
  }
  if (digitos == 0) return false;
  bool ok = false;
  valor = t.toDouble(&ok);
  return ok && std::isfinite(valor);
}

QString textoCantidad(double valor) {
  if (std::fabs(valor) < 1e15 && valor == std::floor(valor)) return QString::number(static_cast<qlonglong>(valor));
  return QString::number(valor, 'g', 15);
}

bool fusionarPorTiendaYSku(Workspace& ws, Grid& g) {
  const int n = g.dataRowCount();
  QHash<QString, int> primera;  // store TAB SKU -> first row with a numeric quantity
  primera.reserve(n);
  std::vector<double> suma(static_cast<size_t>(n) + 1, 0.0);
  std::vector<bool> sumada(static_cast<size_t>(n) + 1, false);
  std::vector<bool> conservar(static_cast<size_t>(n), true);
  bool alguna = false;
  for (int r = 1; r <= n; ++r) {
    ws.doEvents();
    double q = 0;
    if (!leerCantidad(g.text(colDetalle::Cantidad, r), q)) continue;
    const QString k = g.text(colDetalle::Tienda, r) + QLatin1Char('\t') + g.text(colDetalle::Sku, r);
    auto it = primera.constFind(k);
    if (it == primera.constEnd()) {
      primera.insert(k, r);
      suma[r] = q;
      continue;
    }
    suma[*it] += q;
    sumada[*it] = true;
    conservar[r - 1] = false;
    alguna = true;
  }
  if (!alguna) return false;
  EnBloque m(g);
  for (int r = 1; r <= n; ++r)
    if (sumada[r]) g.setText(colDetalle::Cantidad, r, textoCantidad(suma[r]));
  g.retainRows(conservar);
  return true;
}

}  // namespace pedidos

namespace {

// Keeps the rows whose column 1 is the chosen order.
void filtrarOrden(Workspace& ws, Grid& g, const QString& orden) {
  const int n = g.dataRowCount();
  std::vector<bool> conservar(static_cast<size_t>(n), true);
  for (int r = 1; r <= n; ++r) {
    ws.doEvents();
    conservar[r - 1] = g.text(colDetalle::Orden, r) == orden;
  }
  g.retainRows(conservar);
}

}  // namespace

Resultado Combo2_Click(Workspace& ws) {
  const QString entrada = QStringLiteral("ENTRO AL EVENTO-----Combo2_Click");
  Comando cmd(ws, entrada, QStringLiteral("TERMINO EL EVENTO-----Combo2_Click"));
  QString elegida = ws.Combo2.texto;
  if (elegida.isEmpty() && ws.Combo2.indice >= 0 && ws.Combo2.indice < ws.Combo2.entradas.size())
    elegida = ws.Combo2.entradas[ws.Combo2.indice];
  // Only an entry of an open list is a choice: a closed or empty list (after
  // the consolidation dialog, after opening a work file) must not wipe the lines.
  if (!ws.habilitado(QStringLiteral("Combo2")) || !ws.Combo2.entradas.contains(elegida))
    return cmd.fin(Resultado::Rechazado);

  cmd.ocupado(true);
  ws.panel[3] = QStringLiteral("Cargando...");
  ws.habilitar(QStringLiteral("Combo2"), false);

  ws.EscribirLog(entrada + QStringLiteral("-----Hace la selección de orden de compra en vaspread1"));
  filtrarOrden(ws, ws.vaspread1, elegida);
  pedidos::ponerResumen(ws);
  ws.EscribirLog(entrada + QStringLiteral("-----Hace la selección de orden de compra en vaspread6"));
  filtrarOrden(ws, ws.vaSpread6, elegida);

  // The chosen order gets its header row the way the consolidation dialog
  // makes it for a single order, so that a notice can be built from it.
  if (ws.vaSpread9.dataRowCount() == 0 && ws.vaspread1.dataRowCount() > 0) {
    ws.vaSpread9.setText(colPedidos::Orden, 1, elegida);
    ws.vaSpread9.setText(colPedidos::Depto, 1, ws.vaspread1.text(colDetalle::Depto, 1));
    ws.vaSpread9.setText(colPedidos::FechaVorarido, 1, fechas::ddmmaaaa(ws.reloj.hoy()));
    ws.vaSpread9.setText(colPedidos::FechaCancelacion, 1, fechas::aDdMmAaaa(ws.vaspread1.text(colDetalle::FechaCancelacion, 1)));
    ws.vaSpread9.setCellList(colPedidos::TipoMovimiento, 1, {QStringLiteral("Alta")});
  }

  if (pedidos::fusionarPorTiendaYSku(ws, ws.vaspread1)) ws.foco = QStringLiteral("vaspread1");
  pedidos::fusionarPorTiendaYSku(ws, ws.vaSpread6);

  for (const char* c : {"Combo1", "Text1_2", "Text1_3", "Text1_4", "Text1_6", "Text1_7", "b_nuevo", "b_abrir",
                        "b_save", "b_cut", "b_copy", "b_paste", "b_separar", "b_duplicar", "b_import", "b_enviar",
                        "archivo", "editar", "configaplic", "help", "DTPicker1_4", "Combo3"})
    ws.habilitar(QString::fromLatin1(c), true);

  // The sorts are stable: by store and SKU gives what by store, then by store
  // and SKU gives, so the sort by store alone is not run.
  ws.EscribirLog(entrada + QStringLiteral("-----Ordenar por tienda"));
  ws.EscribirLog(entrada + QStringLiteral("-----Ordenar por SKU"));
  ws.vaspread1.sortRows(pedidos::kPorTiendaYSku);
  ws.EscribirLog(entrada + QStringLiteral("-----Ordenar por color"));
  ws.vaSpread6.sortRows(pedidos::kPorTiendaYSku);

  cmd.ocupado(false);
  ws.panel[3].clear();
  return cmd.fin(Resultado::Hecho);
}

void Combo2_LostFocus(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----Combo2_LostFocus"), QStringLiteral("TERMINO EL EVENTO-----Combo2_LostFocus"));
  if (ws.habilitado(QStringLiteral("Combo2"))) {
    ws.MsgBox(QStringLiteral("No puede seguir si NO selecciona una orden de compra!"));
    ws.foco = QStringLiteral("Combo2");
  }
  cmd.fin(Resultado::Hecho);
}

void Combo1_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----Sub Combo1_Click"), QStringLiteral("TERMINO EL EVENTO-----Sub Combo1_Click"));
  const Lista& l = ws.Combo1;
  const int numero = l.indice >= 0 && l.indice < l.datos.size() ? l.datos[l.indice] : 0;
  switch (numero) {
    case 1: ws.Text1[2] = QStringLiteral("Alta"); break;
    case 2: ws.Text1[2] = QStringLiteral("Baja"); break;
    case 3: ws.Text1[2] = QStringLiteral("Cambio"); break;
    default: ws.Text1[2].clear(); break;
  }
  cmd.fin(Resultado::Hecho);
}

void Combo1_LostFocus(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----Combo1_LostFocus"), QStringLiteral("TERMINO EL EVENTO-----Combo1_LostFocus"));
  ws.mostrar(QStringLiteral("Combo1"), false);
  ws.tabStop(QStringLiteral("Text1_2"), true);
  cmd.fin(Resultado::Hecho);
}
