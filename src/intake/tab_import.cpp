#include "intake/tab_import.h"

#include <QHash>
#include <QSet>

#include "consolidation/fechas.h"
#include "intake/order_file.h"
#include "notice/header_fields.h"
#include "workspace/workspace.h"

Resultado arrch_tabulador_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----arrch_tabulador_Click"),
              QStringLiteral("TERMINO EL EVENTO-----arrch_tabulador_Click"));

  DialogoArchivo d;
  d.nombre = QStringLiteral("*.txt");
  d.titulo = QStringLiteral("Selección de archivo para Importar");
  d.filtro = QStringLiteral("Archivo tipo txt|*.txt|Archivo de Texto |*.txt");
  d.filtroInicial = 1;
  d.carpetaInicial = ws.carpeta;
  const QString nombre = ws.prompter.abrirArchivo(d);
  if (texto::dialogoCancelado(nombre)) return cmd.fin(Resultado::Cancelado);
  if (!pedidos::existeOAvisa(ws, nombre)) return cmd.fin(Resultado::Fallido);

  // The whole file is read and checked before the workspace is touched: a
  // refused file leaves the work in progress as it was.
  QStringList lineas;
  cmd.ocupado(true);
  const Resultado lectura = pedidos::leerArchivoDeOrdenes(ws, nombre, 0, QLatin1Char('\t'), lineas);
  cmd.ocupado(false);
  if (lectura != Resultado::Hecho) return cmd.fin(lectura);

  // Start from a cleared workspace so that no line of an earlier file stays
  // in the order line store or the per-order header table.
  nuevaforma_Click(ws);
  ws.vaspread1.setEnabled(true);
  ws.habilitar(QStringLiteral("vaspread1"), true);
  ws.habilitar(QStringLiteral("Combo2"), true);
  ws.habilitar(QStringLiteral("Text2"), true);
  ws.habilitar(QStringLiteral("b_enviar"), true);
  ws.Combo2.vaciar();

  cmd.ocupado(true);
  ws.vaSpread3.fromLines(lineas);
  lineas.clear();
  ws.Combo2.vaciar();
  const int filas = ws.vaSpread3.dataRowCount();
  {
    QSet<QString> vistas;
    vistas.reserve(filas);
    for (int r = 2; r <= filas; ++r) {
      ws.doEvents();
      const QString oc = ws.vaSpread3.text(colDetalle::Orden, r);
      if (vistas.contains(oc)) continue;
      vistas.insert(oc);
      ws.Combo2.agregar(oc);
    }
  }

  if (encabezadocampos(ws, QStringLiteral("importararchiv"), 7) != Resultado::Hecho) {
    ws.Combo2.vaciar();
    ws.vaSpread3.vaciarCeldas();
    return cmd.fin(Resultado::Rechazado);
  }

  ws.vaspread1.vaciarCeldas();
  ws.cursor(ws.vaspread1, colDetalle::Orden, 1);
  {
    EnBloque m1(ws.vaspread1), m6(ws.vaSpread6);
    // A file holds few distinct dates over many lines: each is rewritten once.
    QHash<QString, QString> fechasVistas;
    const auto reescribir = [&fechasVistas](const QString& t) {
      auto it = fechasVistas.constFind(t);
      if (it == fechasVistas.constEnd()) it = fechasVistas.insert(t, fechas::aDdMmAa(t));
      return it.value();
    };
    ws.progresoMaximo = filas;
    for (int r = 1; r <= filas; ++r) {
      ws.progreso = r;
      ws.doEvents();
      // No ordered quantity after this import: the columns of the order line store.
      ws.vaSpread6.copiarRenglon(ws.vaSpread3, r, r);
      for (int c : {colDetalle::FechaEmbarque, colDetalle::FechaCancelacion}) {
        if (ws.vaSpread6.isEmpty(c, r)) continue;
        const QString fecha = reescribir(ws.vaSpread6.text(c, r));
        if (ws.vaSpread6.vista(c, r) != fecha) ws.vaSpread6.setText(c, r, fecha);
      }
      ws.vaspread1.copiarRenglon(ws.vaSpread6, r, r);
    }
  }
  pedidos::ponerResumen(ws);
  ws.vaspread1.setColLimit(colDetalle::Almacen);
  ws.vaSpread3.vaciarCeldas();
  cmd.ocupado(false);

  ws.MsgBox(QStringLiteral("Por favor seleccione una orden de compra!"));
  ws.foco = QStringLiteral("Combo2");

  for (const char* c : {"Combo1", "Text1_2", "Text1_3", "Text1_4", "Text1_5", "Text1_6", "Text1_7", "b_nuevo",
                        "b_abrir", "b_save", "b_cut", "b_copy", "b_paste", "b_separar", "b_duplicar", "b_import",
                        "b_enviar", "archivo", "editar", "configaplic", "help", "DTPicker1_4"})
    ws.habilitar(QString::fromLatin1(c), false);

  cmd.ocupado(true);
  pedidos::ponerValoresOmision(ws);
  return cmd.fin(Resultado::Hecho);
}
