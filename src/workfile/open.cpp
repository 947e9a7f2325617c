#include "workfile/open.h"

#include "notice/header_fields.h"
#include "workfile/save.h"
#include "workspace/workspace.h"

namespace {

const QString kAbrir = QStringLiteral("ENTRO AL EVENTO-----abrir_archivo");

// The loaded table: one row per line, trailing empty cells left out.
struct Tabla {
  QStringList lineas;
  int ultima = 0;    // last line holding data (0: none)
  int columnas = 0;  // last column holding data anywhere

  explicit Tabla(QStringList l, int limiteColumnas) : lineas(std::move(l)) {
    for (int i = 0; i < lineas.size(); ++i) {
      QString& s = lineas[i];
      qsizetype len = s.size();
      while (len > 0 && s[len - 1] == QLatin1Char('\t')) --len;
      s.truncate(len);
      if (s.isEmpty()) continue;
      ultima = i + 1;
      const int campos = static_cast<int>(s.count(QLatin1Char('\t'))) + 1;
      columnas = qMax(columnas, qMin(campos, limiteColumnas));
    }
  }
  // Column 1 of line l (counted from 1).
  QStringView primera(int l) const {
    if (l < 1 || l > ultima) return {};
    const QString& s = lineas[l - 1];
    const qsizetype tab = s.indexOf(QLatin1Char('\t'));
    return QStringView(s).left(tab < 0 ? s.size() : tab);
  }
  bool firma(int l) const { return primera(l).contains(trabajo::kFirma); }
  QStringList celdas(int l) const { return lineas[l - 1].split(QLatin1Char('\t')); }
};

void rehusar(Workspace& ws, const QString& nombre, const QString& causa) {
  ws.MsgBox(QStringLiteral("El archivo: ") + nombre + causa + QStringLiteral("\r\nNo se cargó ningún dato."), Botones::Ok,
            QStringLiteral("Datos incorrectos"));
}

// The delivery date the file was saved with (its line 7, column 4) comes
// back when the picker would take it: a weekday, not before today.
void fechaDeEntrega(Workspace& ws, const Tabla& tabla) {
  if (tabla.lineas.size() < 7) return;
  const QDate fecha = fechaTexto::leer(tabla.lineas[6].section(QLatin1Char('\t'), 3, 3));
  if (!fecha.isValid() || fecha.dayOfWeek() > Qt::Friday || fecha < ws.reloj.hoy()) return;
  ws.DTPicker1_4 = fecha;
  ws.Text1[4] = fechaTexto::ddmmaaaa(fecha);
}

}  // namespace

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
  if (!texto::esTexto(bytes)) {
    rehusar(ws, nombre, QStringLiteral(" no es un archivo de trabajo: no es un archivo de texto."));
    return cmd.fin(Resultado::Fallido);
  }
  if (bytes.endsWith('\x1A')) bytes.chop(1);
  const bool conSaltoFinal = bytes.endsWith('\n') || bytes.endsWith('\r');
  const Tabla tabla(texto::partirLineas(texto::desde1252(bytes)), ws.vaSpread3.colLimit());
  bytes.clear();
  if (tabla.ultima == 0) {
    rehusar(ws, nombre, QStringLiteral(" está vacío."));
    return cmd.fin(Resultado::Fallido);
  }

  // Detail: the first detail line (8) up to the first line from there whose
  // column 1 holds the mark. Header part: after the first such line past the
  // first detail line, or after that line when it holds the mark (a file
  // saved without detail lines).
  const int primera = filaImagen::PrimeraLinea;
  int finDetalle = tabla.ultima + 1;
  for (int l = primera; l <= tabla.ultima; ++l) {
    ws.doEvents();
    if (tabla.firma(l)) {
      finDetalle = l;
      break;
    }
  }
  // With the mark on the first detail line itself the file has no detail
  // lines and that line is its trailer, even when an order line further down
  // holds the mark too (the file reads back with all the orders it was saved with).
  int trailer = tabla.ultima + 1;
  if (tabla.firma(primera)) {
    trailer = primera;
  } else {
    for (int l = primera + 1; l <= tabla.ultima; ++l) {
      ws.doEvents();
      if (tabla.firma(l)) {
        trailer = l;
        break;
      }
    }
  }

  // A file that starts as a work file but lost its end.
  const bool esTrabajo = tabla.primera(filaImagen::Firma) == trabajo::kFirma;
  if (esTrabajo && (trailer > tabla.ultima || (tabla.ultima > trailer && !conSaltoFinal))) {
    rehusar(ws, nombre, QStringLiteral(" es un archivo de trabajo incompleto: le falta su parte final."));
    return cmd.fin(Resultado::Fallido);
  }
  const int detalle = qMax(0, finDetalle - primera);
  const int ordenes = trailer <= tabla.ultima ? tabla.ultima - trailer : 0;
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
  if (tabla.ultima >= primera) {
    const QString traza = kAbrir + QStringLiteral("-----llenar datos en vaspread1 grid visible");
    // The progress bar counts the file's lines as they are copied.
    ws.progresoMaximo = tabla.ultima - primera + 1;
    for (int l = primera; l <= tabla.ultima; ++l) {
      ws.progreso = l - primera + 1;
      ws.doEvents();
      // One trace line per cell of the loaded table, as the copy goes cell by cell.
      if (ws.log.trazaPorCelda())
        for (int c = 1; c <= tabla.columnas; ++c) ws.EscribirLog(traza);
      if (l >= finDetalle) continue;
      const QStringList celdas = tabla.celdas(l);
      ws.vaspread1.setRowTexts(l - primera + 1, celdas);
      ws.vaSpread6.setRowTexts(l - primera + 1, celdas);
    }
  }
  ws.vaSpread3.deleteAllRows();
  ws.EscribirLog(kAbrir + QStringLiteral("-----Borrar la parte del header del grid1"));
  ws.EscribirLog(kAbrir + QStringLiteral("-----Borrar la parte del header del grid6"));

  ws.EscribirLog(kAbrir + QStringLiteral("-----Cargar el header"));
  // The table shows the file's orders only.
  ws.vaSpread9.deleteAllRows();
  QStringList parte;
  parte.reserve(ordenes);
  for (int k = 1; k <= ordenes; ++k) {
    const int l = trailer + k;
    ws.vaSpread9.setRowTexts(k, tabla.celdas(l).mid(0, colPedidos::Ultima));
    parte.append(tabla.lineas[l - 1]);
  }

  ws.EscribirLog(kAbrir + QStringLiteral("-----Poner los valores en el Combo del Header"));
  if (ws.vaSpread3.rowLimit() < ordenes) ws.vaSpread3.setRowLimit(ordenes);
  ws.vaSpread3.fromLines(parte);
  const int filas = ws.vaSpread3.dataRowCount();
  if (filas > 0) ws.vaSpread9.setColumnFlag(colPedidos::TipoMovimiento, true);
  for (int k = 1; k <= filas; ++k) {
    ws.doEvents();
    ws.vaSpread9.setText(colPedidos::TipoMovimiento, k, ws.vaSpread3.text(colPedidos::TipoMovimiento, k));
    ws.vaSpread9.setLocked(colPedidos::TipoMovimiento, k, true);
  }
  ws.EscribirLog(kAbrir + QStringLiteral("-----poner el cursor en la celda inicial"));
  ws.cursor(ws.vaSpread9, colPedidos::TipoMovimiento, 1);
  fechaDeEntrega(ws, tabla);
  ws.trabajoGuardado(nombre);
  ws.archivoAbierto = nombre;
  return cmd.fin(Resultado::Hecho);
}

Resultado abrirarchiv_Click(Workspace& ws) { return abrir_archivo(ws); }
Resultado b_abrir_Click(Workspace& ws) { return abrir_archivo(ws); }
