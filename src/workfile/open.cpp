#include "workfile/open.h"

#include "envio/trabajo.h"
#include "notice/header_fields.h"
#include "workfile/save.h"
#include "workspace/workspace.h"

namespace {

const QString kAbrir = QStringLiteral("ENTRO AL EVENTO-----abrir_archivo");

void rehusar(Workspace& ws, const QString& nombre, const QString& causa) {
  ws.MsgBox(QStringLiteral("El archivo: ") + nombre + causa + QStringLiteral("\r\nNo se cargó ningún dato."), Botones::Ok,
            QStringLiteral("Datos incorrectos"));
}

// The delivery date the file was saved with (its line 7, column 4) comes
// back when the picker would take it: a weekday, not before today.
void fechaDeEntrega(Workspace& ws, const ArchivoTrabajo& archivo) {
  const QStringList campos = archivo.campos();
  if (campos.isEmpty()) return;
  const QDate fecha = fechaTexto::leer(campos.value(3));
  if (!fecha.isValid() || fecha.dayOfWeek() > Qt::Friday || fecha < ws.reloj.hoy()) return;
  ws.DTPicker1_4 = fecha;
  ws.Text1[4] = fechaTexto::ddmmaaaa(fecha);
}

}  // namespace

QString causaRechazo(const Falla& falla) {
  switch (falla.tipo) {
    case Falla::Tipo::NoEsTexto:
      return QStringLiteral(" no es un archivo de trabajo: no es un archivo de texto.");
    case Falla::Tipo::TrabajoIncompleto:
      return QStringLiteral(" es un archivo de trabajo incompleto: le falta su parte final.");
    default:
      return QStringLiteral(" está vacío.");
  }
}

Resultado abrir_archivo(Workspace& ws) {
  Comando cmd(ws, kAbrir, QStringLiteral("TERMINO EL EVENTO-----abrir_archivo"), Comando::Salida::AlHacerse);
  ws.vaspread1.setEnabled(true);
  ws.habilitar(QStringLiteral("vaspread1"), true);
  ws.habilitar(QStringLiteral("editar"), true);
  ws.habilitar(QStringLiteral("Combo2"), true);
  ws.habilitar(QStringLiteral("Text2"), true);
  ws.Combo2.vaciar();

  const QString codigo = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Aplicacion);
  DialogoArchivo d;
  d.nombre = QStringLiteral("*.") + codigo;
  d.titulo = QStringLiteral("Selección de archivo para Abrir");
  d.filtro = trabajo::filtro(ws);
  d.carpetaInicial = ws.carpeta;
  const QString nombre = ws.prompter.abrirArchivo(d);
  if (texto::dialogoCancelado(nombre)) return cmd.fin(Resultado::Cancelado);

  // The whole file is read and checked before anything of the workspace changes.
  QByteArray bytes;
  const texto::Resultado leido = texto::leerBytes(nombre, bytes);
  if (!leido.ok) {
    ws.errorInesperado(leido);
    return cmd.fin(Resultado::Fallido);
  }
  const ArchivoTrabajo archivo = leerTrabajo(std::move(bytes), ws.vaSpread3.colLimit());
  if (archivo.falla) {
    rehusar(ws, nombre, causaRechazo(archivo.falla));
    return cmd.fin(Resultado::Fallido);
  }
  const int primera = filaImagen::PrimeraLinea;
  const int detalle = static_cast<int>(archivo.detalle.size());
  const int ordenes = static_cast<int>(archivo.ordenes.size());
  for (Grid* g : {&ws.vaspread1, &ws.vaSpread6, &ws.vaSpread9})
    if (g->rowLimit() < Grid::kLimiteRenglones) g->setRowLimit(Grid::kLimiteRenglones);
  if (!ws.cabeEnLimite(ws.vaspread1, detalle) || !ws.cabeEnLimite(ws.vaSpread9, ordenes))
    return cmd.fin(Resultado::Rechazado);

  cmd.ocupado(true);
  for (Grid* g : {&ws.vaspread1, &ws.vaSpread6, &ws.vaSpread9, &ws.vaSpread3}) cmd.enBloque(*g);
  ws.EscribirLog(kAbrir + QStringLiteral("-----Borrar datos vaspread1"));
  ws.vaspread1.deleteAllRows();
  ws.EscribirLog(kAbrir + QStringLiteral("-----poner el cursor en la celda inicial"));
  ws.cursor(ws.vaspread1, colDetalle::Orden, 1);

  ws.EscribirLog(kAbrir + QStringLiteral("-----si hay datos de detalle en archivo"));
  // vaSpread6 holds the saved lines and nothing else.
  ws.vaSpread6.deleteAllRows();
  // The ordered quantity's column must exist before the lines arrive.
  ws.vaspread1.setColLimit(colDetalle::Pedida);
  if (archivo.ultima >= primera) {
    const QString traza = kAbrir + QStringLiteral("-----llenar datos en vaspread1 grid visible");
    // The progress bar counts the file's lines as they are copied.
    ws.progresoMaximo = archivo.ultima - primera + 1;
    for (int l = primera; l <= archivo.ultima; ++l) {
      ws.progreso = l - primera + 1;
      ws.doEvents();
      // One trace line per cell of the loaded table, as the copy goes cell by cell.
      if (ws.log.trazaPorCelda())
        for (int c = 1; c <= archivo.columnas; ++c) ws.EscribirLog(traza);
      const int r = l - primera + 1;
      if (r > detalle) continue;
      const QStringList celdas = archivo.detalle[r - 1].split(QLatin1Char('\t'));
      ws.vaspread1.setRowTexts(r, celdas);
      ws.vaSpread6.setRowTexts(r, celdas);
    }
  }
  ws.vaSpread3.deleteAllRows();
  ws.EscribirLog(kAbrir + QStringLiteral("-----Borrar la parte del header del grid1"));
  ws.EscribirLog(kAbrir + QStringLiteral("-----Borrar la parte del header del grid6"));

  ws.EscribirLog(kAbrir + QStringLiteral("-----Cargar el header"));
  // The table shows the file's orders only.
  ws.vaSpread9.deleteAllRows();
  for (int k = 1; k <= ordenes; ++k)
    ws.vaSpread9.setRowTexts(k, archivo.ordenes[k - 1].split(QLatin1Char('\t')).mid(0, colPedidos::Ultima));

  ws.EscribirLog(kAbrir + QStringLiteral("-----Poner los valores en el Combo del Header"));
  if (ws.vaSpread3.rowLimit() < ordenes) ws.vaSpread3.setRowLimit(ordenes);
  ws.vaSpread3.fromLines(archivo.ordenes);
  const int filas = ws.vaSpread3.dataRowCount();
  if (filas > 0) ws.vaSpread9.setColumnFlag(colPedidos::TipoMovimiento, true);
  for (int k = 1; k <= filas; ++k) {
    ws.doEvents();
    ws.vaSpread9.setText(colPedidos::TipoMovimiento, k, ws.vaSpread3.text(colPedidos::TipoMovimiento, k));
    ws.vaSpread9.setLocked(colPedidos::TipoMovimiento, k, true);
  }
  ws.EscribirLog(kAbrir + QStringLiteral("-----poner el cursor en la celda inicial"));
  ws.cursor(ws.vaSpread9, colPedidos::TipoMovimiento, 1);
  fechaDeEntrega(ws, archivo);
  ws.trabajoGuardado(nombre);
  ws.archivoAbierto = nombre;
  return cmd.fin(Resultado::Hecho);
}

Resultado abrirarchiv_Click(Workspace& ws) { return abrir_archivo(ws); }
Resultado b_abrir_Click(Workspace& ws) { return abrir_archivo(ws); }
