#include "consolidation/form2.h"

#include <QHash>
#include <QSet>
#include <vector>

#include "consolidation/fechas.h"
#include "workspace/workspace.h"

const QString Form2Modelo::kTitulo = QStringLiteral("ASN Tornavela");
const QString Form2Modelo::kLabel1 = QStringLiteral("Añada las Ordenes de Compra con las que desea trabajar");
const QString Form2Modelo::kCommand1 = QStringLiteral(">>Añadir >>");
const QString Form2Modelo::kCommand2 = QStringLiteral("Aceptar");
const QString Form2Modelo::kCommand3 = QStringLiteral("Borrar");
const QString Form2Modelo::kCommand4 = QStringLiteral("Cancelar");

namespace {

const QString kMultiple = QStringLiteral("Pedido Múltiple");

// Key of an order and department in the hash maps (a cell never holds a TAB).
QString clave(const QString& orden, const QString& depto) { return orden + QLatin1Char('\t') + depto; }

}  // namespace

QStringList ListaOrdenes::textos() const {
  QStringList t;
  t.reserve(entradas.size());
  for (const EntradaOrden& e : entradas) t.append(e.texto);
  return t;
}

int ListaOrdenes::buscar(const QString& texto) const {
  for (int i = 0; i < entradas.size(); ++i)
    if (entradas[i].texto == texto) return i;
  return -1;
}

Form2Modelo::Form2Modelo(Workspace& w) : ws(w) {}

QString Form2Modelo::textoEntrada(const QString& orden, const QString& depto) {
  return orden + QStringLiteral(" - ") + depto;
}

void Form2Modelo::log(const QString& texto) { ws.EscribirLog(QStringLiteral("FORM2-----") + texto); }

bool Form2Modelo::seleccionarList1(const QString& texto) {
  const int i = List1.buscar(texto);
  if (i < 0) return false;
  List1.indice = i;
  return true;
}

bool Form2Modelo::seleccionarList2(const QString& texto) {
  const int i = List2.buscar(texto);
  if (i < 0) return false;
  List2.indice = i;
  return true;
}

void Form2Modelo::Form_Activate() {
  log(QStringLiteral("ENTRO AL EVENTO-----Form_Activate"));
  List1.vaciar();
  const int n = vaSpread2.dataRowCount();
  QString ultimo;
  bool hayUltimo = false;
  for (int r = 2; r <= n; ++r) {
    // A run of lines of one order and department gives one entry; a line
    // like the one before it needs no text of its own.
    if (r > 2 && vaSpread2.vista(colDetalle::Orden, r) == vaSpread2.vista(colDetalle::Orden, r - 1) &&
        vaSpread2.vista(colDetalle::Depto, r) == vaSpread2.vista(colDetalle::Depto, r - 1))
      continue;
    const QString orden = vaSpread2.text(colDetalle::Orden, r);
    const QString depto = vaSpread2.text(colDetalle::Depto, r);
    const QString texto = textoEntrada(orden, depto);
    if (hayUltimo && texto == ultimo) continue;
    List1.entradas.append({texto, orden, depto});
    ultimo = texto;
    hayUltimo = true;
  }
}

Resultado Form2Modelo::Command1_Click() {
  log(QStringLiteral("ENTRO AL EVENTO-----Command1_Click"));
  // Nothing selected: nothing added.
  if (List1.indice < 0 || List1.indice >= List1.size()) return Resultado::Cancelado;
  const EntradaOrden nueva = List1.entradas[List1.indice];
  if (List2.buscar(nueva.texto) >= 0) return Resultado::Hecho;
  for (const EntradaOrden& e : List2.entradas) {
    if (!e.depto.isEmpty() && e.depto != nueva.depto) {
      ws.MsgBox(QStringLiteral("Las Ordenes de Compra deben ser del mismo departamento"), Botones::Ok,
                QStringLiteral("Aviso"), Icono::Informacion);
      return Resultado::Rechazado;
    }
  }
  List2.entradas.append(nueva);
  return Resultado::Hecho;
}

Resultado Form2Modelo::Command3_Click() {
  log(QStringLiteral("ENTRO AL EVENTO-----Command3_Click"));
  if (List2.indice < 0 || List2.indice >= List2.size()) {
    ws.MsgBox(QStringLiteral("Seleccione una Orden de Compra para ser borrada"), Botones::Ok, QStringLiteral("Aviso"),
              Icono::Informacion);
    return Resultado::Rechazado;
  }
  List2.entradas.removeAt(List2.indice);
  List2.indice = -1;
  return Resultado::Hecho;
}

Resultado Form2Modelo::Command4_Click() {
  ws.vaSpread9.deleteAllRows();
  ws.vaspread1.deleteAllRows();
  ws.vaSpread6.deleteAllRows();
  fin = Fin::Cancelado;
  cerrado = true;
  return Resultado::Cancelado;
}

void Form2Modelo::Barra_V1() { log(QStringLiteral("ENTRO AL EVENTO-----Barra_V1")); }

// Three hyphens after the form name: that is the line this handler has always written.
void Form2Modelo::Barra_V2() { ws.EscribirLog(QStringLiteral("FORM2---ENTRO AL EVENTO-----Barra_V2")); }

// Two or more orders can travel together when at least one store of the file
// receives lines of two different orders. All orders of the file count, not
// only the chosen ones, and the file's heading line is looked at too.
bool Form2Modelo::consolidable() const {
  QHash<QString, QString> primeraOrden;  // store -> first order number seen there
  const int n = vaSpread2.dataRowCount();
  for (int r = 1; r <= n; ++r) {
    const QString tienda = vaSpread2.text(colDetalle::Tienda, r);
    const QString orden = vaSpread2.text(colDetalle::Orden, r);
    auto it = primeraOrden.constFind(tienda);
    if (it == primeraOrden.constEnd()) primeraOrden.insert(tienda, orden);
    else if (*it != orden) return true;
  }
  return false;
}

Resultado Form2Modelo::Command2_Click() {
  Comando cmd(ws, QStringLiteral("FORM2-----ENTRO AL EVENTO-----Command2_Click"));
  cmd.ocupado(true);

  if (List2.size() >= 2 && !consolidable()) {
    cmd.ocupado(false);
    ws.MsgBox(QStringLiteral("Las OC que seleccionó no se pueden consolidar"), Botones::Ok, QStringLiteral("Aviso"),
              Icono::Informacion);
    return cmd.fin(Resultado::Rechazado);
  }

  // First detail row of every order and department.
  QHash<QString, int> primeraFila;
  const int n1 = ws.vaspread1.dataRowCount();
  primeraFila.reserve(n1);
  const auto comoAnterior = [this](int r) {
    return r > 1 && ws.vaspread1.vista(colDetalle::Orden, r) == ws.vaspread1.vista(colDetalle::Orden, r - 1) &&
           ws.vaspread1.vista(colDetalle::Depto, r) == ws.vaspread1.vista(colDetalle::Depto, r - 1);
  };
  for (int r = 1; r <= n1; ++r) {
    if (comoAnterior(r)) continue;  // its order and department are in already
    const QString k = clave(ws.vaspread1.text(colDetalle::Orden, r), ws.vaspread1.text(colDetalle::Depto, r));
    if (!primeraFila.contains(k)) primeraFila.insert(k, r);
  }

  QSet<QString> elegidas;
  for (const EntradaOrden& e : List2.entradas) elegidas.insert(clave(e.orden, e.depto));

  // One header row per chosen order, in List1 order. An order that turns up
  // twice in List1 (its lines are not together in the file) still gets one row.
  QSet<QString> escritas;
  QSet<QString> aQuitar;
  const QString hoy = fechas::ddmmaaaa(ws.reloj.hoy());
  int k = 0;
  for (const EntradaOrden& e : List1.entradas) {
    const QString c = clave(e.orden, e.depto);
    if (!elegidas.contains(c)) {
      aQuitar.insert(c);
      continue;
    }
    if (escritas.contains(c)) continue;
    escritas.insert(c);
    ++k;
    ws.vaSpread9.setText(colPedidos::Orden, k, e.orden);
    const int fila = primeraFila.value(c, 0);
    if (fila > 0) {
      ws.vaSpread9.setText(colPedidos::Depto, k, ws.vaspread1.text(colDetalle::Depto, fila));
      ws.vaSpread9.setText(colPedidos::FechaCancelacion, k,
                           fechas::aDdMmAaaa(ws.vaspread1.text(colDetalle::FechaCancelacion, fila)));
    }
    ws.vaSpread9.setText(colPedidos::FechaVorarido, k, hoy);
  }

  vaSpread2.deleteRows(1, 1);

  if (!aQuitar.isEmpty()) {
    std::vector<bool> conservar(static_cast<size_t>(n1), true);
    for (int r = 1; r <= n1; ++r) {
      ws.doEvents();
      if (comoAnterior(r)) {
        conservar[r - 1] = conservar[r - 2];
        continue;
      }
      if (aQuitar.contains(clave(ws.vaspread1.text(colDetalle::Orden, r), ws.vaspread1.text(colDetalle::Depto, r))))
        conservar[r - 1] = false;
    }
    // Row r of the three tables is the same order line.
    ws.vaspread1.retainRows(conservar);
    ws.vaSpread6.retainRows(conservar);
    vaSpread2.retainRows(conservar);
  }

  if (List2.size() == 1) ws.vaSpread9.setCellList(colPedidos::TipoMovimiento, 1, {QStringLiteral("Alta")});
  else ws.vaSpread9.setColumnList(colPedidos::TipoMovimiento, {kMultiple});

  const int n9 = ws.vaSpread9.dataRowCount();
  if (n9 >= 2) {
    for (int r = 1; r <= n9; ++r) {
      ws.vaSpread9.setColumnFlag(colPedidos::TipoMovimiento, true);
      ws.vaSpread9.setText(colPedidos::TipoMovimiento, r, kMultiple);
      ws.vaSpread9.setLocked(colPedidos::TipoMovimiento, r, true);
    }
  }

  fin = Fin::Aceptado;
  cerrado = true;
  return cmd.fin(Resultado::Hecho);
}
