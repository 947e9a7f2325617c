#include "intake/inf_import.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include "consolidation/form2.h"
#include "intake/order_file.h"
#include "notice/header_fields.h"
#include "workspace/workspace.h"

namespace {

const QString kTemporal = QStringLiteral("archtabs.tmp");

// archtabs.tmp lives only while the import runs, whatever way it ends.
class TemporalBorrado {
 public:
  explicit TemporalBorrado(QString ruta) : ruta_(std::move(ruta)) {}
  ~TemporalBorrado() { QFile::remove(ruta_); }

 private:
  QString ruta_;
};

}  // namespace

texto::Resultado convertirdelimitado(Workspace& ws, const QStringList& lineas) {
  ws.EscribirLog(QStringLiteral("MODULO2-----ENTRO A LA FUNCION-----convertirdelimitado"));
  const texto::Resultado r = texto::escribirTemporal(ws.ruta(kTemporal), texto::unirLineas(lineas));
  if (!r.ok) ws.EscribirLog(QStringLiteral("MODULO2-----ERROR EN LA FUNCION-----convertirdelimitado"));
  return r;
}

Resultado importararchiv_inf(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----importararchiv_inf"),
              QStringLiteral("TERMINO EL EVENTO-----importararchiv_inf"));

  ws.vaSpread9.deleteAllRows();
  ws.vaspread1.setRowLimit(Grid::kLimiteRenglones);
  ws.vaSpread6.setRowLimit(Grid::kLimiteRenglones);
  ws.vaspread1.setEnabled(true);
  ws.habilitar(QStringLiteral("vaspread1"), true);
  ws.habilitar(QStringLiteral("Combo2"), true);
  ws.habilitar(QStringLiteral("Text2"), true);
  ws.Combo2.vaciar();

  const QString temporal = ws.ruta(kTemporal);
  QFile::remove(temporal);
  TemporalBorrado borrar(temporal);

  DialogoArchivo d;
  d.nombre = QStringLiteral("*.inf");
  d.titulo = QStringLiteral("Selección de archivo para Importar");
  d.filtro = QStringLiteral("Archivo tipo inf|*.inf|Archivo de Texto |*.txt");
  d.filtroInicial = 1;
  d.carpetaInicial = ws.carpeta;
  const QString nombre = ws.prompter.abrirArchivo(d);
  if (texto::dialogoCancelado(nombre)) return cmd.fin(Resultado::Cancelado);
  if (!pedidos::existeOAvisa(ws, nombre)) return cmd.fin(Resultado::Fallido);

  QStringList lineas;
  cmd.ocupado(true);
  ws.doEvents();
  // The file is checked whole before anything is loaded, so a refused file
  // leaves the workspace as cleared. Its reader makes the commas tabs; the
  // lines go on from memory: the tab copy is not read back.
  const Resultado leido = pedidos::leerArchivoDeOrdenes(ws, nombre, 1, QLatin1Char(','), lineas);
  if (leido != Resultado::Hecho) return cmd.fin(leido);
  const texto::Resultado convertido = convertirdelimitado(ws, lineas);
  if (!convertido.ok) {
    ws.errorInesperado(convertido);
    return cmd.fin(Resultado::Fallido);
  }
  QFile::remove(temporal);
  cmd.ocupado(false);
  if (lineas.size() < 2) {
    pedidos::avisarSinOrdenes(ws, nombre);
    return cmd.fin(Resultado::Fallido);
  }

  Form2Modelo form2(ws);
  const int n = static_cast<int>(lineas.size());
  const int limite3 = ws.vaSpread3.rowLimit();
  // The heading line is one more line than the detail grid holds.
  ws.vaSpread3.setRowLimit(qMax(limite3, n));
  form2.vaSpread2.setRowLimit(qMax(form2.vaSpread2.rowLimit(), n));
  cmd.ocupado(true);
  ws.vaSpread3.fromLines(lineas);
  form2.vaSpread2.fromLines(lineas);
  lineas.clear();
  ws.Combo2.vaciar();

  const int filas = ws.vaSpread3.dataRowCount();
  QSet<QString> vistas;
  vistas.reserve(filas);
  for (int r = 2; r <= filas; ++r) {
    ws.doEvents();
    const QString k = ws.vaSpread3.text(colDetalle::Orden, r) + QLatin1Char('-') + ws.vaSpread3.text(colDetalle::Depto, r);
    if (vistas.contains(k)) continue;
    vistas.insert(k);
    ws.Combo2.agregar(k);
  }

  if (encabezadocampos(ws, QStringLiteral("importararchiv"), 7) != Resultado::Hecho) {
    ws.Combo2.vaciar();
    ws.vaSpread3.deleteAllRows();
    ws.vaSpread3.setRowLimit(limite3);
    return cmd.fin(Resultado::Rechazado);
  }

  ws.vaspread1.deleteAllRows();
  ws.cursor(ws.vaspread1, colDetalle::Orden, 1);
  // The ordered quantity's column must exist before the quantities are
  // copied into it (a tab-delimited import leaves the grid without it).
  ws.vaspread1.setColLimit(colDetalle::Pedida);
  {
    EnBloque m1(ws.vaspread1), m6(ws.vaSpread6);
    ws.progresoMaximo = filas - 1;
    for (int r = 2; r <= filas; ++r) {
      ws.progreso = r - 1;
      ws.doEvents();
      // Fields after the container are dropped (the order line store ends
      // there): the detail grid's last column holds the ordered quantity.
      ws.vaSpread6.copiarRenglon(ws.vaSpread3, r, r - 1);
      if (!ws.vaSpread6.isEmpty(colDetalle::TipoEntrega, r - 1))
        ws.vaSpread6.setText(colDetalle::TipoEntrega, r - 1, QString());
      ws.vaspread1.copiarRenglon(ws.vaSpread6, r - 1, r - 1);
      ws.vaspread1.setText(colDetalle::Pedida, r - 1, ws.vaSpread6.text(colDetalle::Cantidad, r - 1));
    }
  }
  pedidos::ponerResumen(ws);
  ws.vaSpread3.deleteAllRows();
  ws.vaSpread3.setRowLimit(limite3);

  form2.Form_Activate();
  cmd.ocupado(false);
  ws.prompter.ejecutarDialogo(form2);
  if (!form2.aceptado()) {
    // Cancelar, or the dialog closed some other way: the import is abandoned
    // and nothing of the file stays in the workspace.
    if (!form2.cancelado()) form2.Command4_Click();
    ws.Combo2.vaciar();
    ws.vaSpread5.vaciarCeldas();
    return cmd.fin(Resultado::Cancelado);
  }
  // The orders were chosen in the dialog: a later choice in the order list
  // would keep no line at all, so the list stays closed until the next import.
  ws.habilitar(QStringLiteral("Combo2"), false);

  cmd.ocupado(true);
  for (const char* c : {"editar", "b_cut", "b_copy", "b_paste", "b_separar"})
    ws.habilitar(QString::fromLatin1(c), true);
  pedidos::ponerValoresOmision(ws);
  pedidos::ordenarPorTiendaYSku(ws);
  return cmd.fin(Resultado::Hecho);
}

Resultado importararchiv_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----importararchiv_Click"),
              QStringLiteral("TERMINO EL EVENTO-----importararchiv_Click"));
  nuevaforma_Click(ws);
  return cmd.fin(importararchiv_inf(ws));
}

Resultado b_import_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----b_import_Click"), QStringLiteral("TERMINO EL EVENTO-----b_import_Click"));
  ws.sinvalidar = false;
  nuevaforma_Click(ws);
  return cmd.fin(importararchiv_inf(ws));
}

Resultado Importar_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----Importar_Click"), QStringLiteral("TERMINO EL EVENTO-----Importar_Click"));
  return cmd.fin(importararchiv_Click(ws));
}
