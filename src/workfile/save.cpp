#include "workfile/save.h"

#include "notice/header_fields.h"
#include "workspace/workspace.h"

namespace trabajo {

QString formato0000(const QString& texto) {
  const QString t = texto.trimmed();
  qsizetype i = 0;
  bool negativo = false;
  if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
    negativo = t[i] == QLatin1Char('-');
    ++i;
  }
  QString entero;
  QChar primeraFraccion = QLatin1Char('0');
  bool hayDigito = false, punto = false, primera = true;
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c == QLatin1Char('.') && !punto) {
      punto = true;
      continue;
    }
    if (!c.isDigit() || c.unicode() > u'9') return texto;
    hayDigito = true;
    if (!punto) {
      entero += c;
    } else if (primera) {
      primeraFraccion = c;
      primera = false;
    }
  }
  if (!hayDigito) return texto;
  // Whole number, rounded half away from zero.
  while (entero.size() > 1 && entero[0] == QLatin1Char('0')) entero.remove(0, 1);
  if (entero.isEmpty()) entero = QStringLiteral("0");
  if (primeraFraccion >= QLatin1Char('5')) {
    qsizetype k = entero.size() - 1;
    while (k >= 0 && entero[k] == QLatin1Char('9')) entero[k--] = QLatin1Char('0');
    if (k < 0) entero.prepend(QLatin1Char('1'));
    else entero[k] = QChar(entero[k].unicode() + 1);
  }
  if (entero.size() < 4) entero = QString(4 - entero.size(), QLatin1Char('0')) + entero;
  const bool cero = entero.count(QLatin1Char('0')) == entero.size();
  return negativo && !cero ? QLatin1Char('-') + entero : entero;
}

QString filtro(const Workspace& ws) {
  const QString codigo = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Aplicacion);
  return ws.vaSpread2.text(colAjustes::Descripcion, filaCliente::Aplicacion) + QLatin1Char(' ') + codigo +
         QStringLiteral("|*.") + codigo;
}

}  // namespace trabajo

namespace {

const QString kGuardar = QStringLiteral("ENTRO AL EVENTO-----guardar_informacion");
const QString kPreparar = QStringLiteral("ENTRO A LA FUNCION-----prepararguardar");
const QString kFinPreparar = QStringLiteral("TRMINO LA FUNCION-----prepararguardar");

// Lines 1 to 5 and the empty line 6 of the image.
void encabezadoDeControl(Workspace& ws) {
  Grid& imagen = ws.vaSpread3;
  const Grid& ajustes = ws.vaSpread2;
  imagen.setText(colImagen::Etiqueta, filaImagen::Firma, trabajo::kFirma);
  imagen.setText(colImagen::Etiqueta, filaImagen::Cliente, QStringLiteral("CLIENTE:"));
  imagen.setText(colImagen::Etiqueta, filaImagen::Forma, QStringLiteral("FORMA:"));
  imagen.setText(colImagen::Etiqueta, filaImagen::Aplicacion, QStringLiteral("APLICACION:"));
  imagen.setText(colImagen::Etiqueta, filaImagen::Correo, QStringLiteral("CORREO: ") + kCorreoSoporte);
  imagen.setText(colImagen::Valor, filaImagen::Cliente, ajustes.text(colAjustes::Valor, filaCliente::Cliente));
  imagen.setText(colImagen::Valor, filaImagen::Aplicacion, ajustes.text(colAjustes::Valor, filaCliente::Aplicacion));
  imagen.setText(colImagen::Descripcion, filaImagen::Aplicacion,
                 ajustes.text(colAjustes::Descripcion, filaCliente::Aplicacion));
  imagen.setText(colImagen::Valor, filaImagen::Forma, ajustes.text(colAjustes::Valor, filaCliente::Forma));
}

void faltaInformacion(Workspace& ws, int col, int row) {
  ws.cursor(ws.vaspread1, col, row);
  const QString caption = ws.vaspread1.headerText(col);
  ws.MsgBox(QStringLiteral("Falta Información de:\r\n\r\n") + caption + QStringLiteral("\r\n\r\nEn el renglón:  ") +
                QString::number(row),
            Botones::Ok, QStringLiteral("Datos Incompletos"), Icono::Ninguno);
  ws.foco = QStringLiteral("vaspread1");
}

}  // namespace

bool prepararguardar(Workspace& ws) {
  Comando cmd(ws, kPreparar, kFinPreparar, Comando::Salida::AlHacerse);
  const auto rehusado = [&cmd] {
    cmd.fin(Resultado::Rechazado);
    return false;
  };
  Grid& imagen = ws.vaSpread3;
  cmd.enBloque(imagen);
  imagen.deleteAllRows();

  Grid& ordenes = ws.vaSpread9;
  const int m = ordenes.dataRowCount();
  if (m >= 2) {
    ordenes.setColumnFlag(colPedidos::TipoMovimiento, true);
    for (int k = 1; k <= m; ++k) {
      ordenes.setText(colPedidos::TipoMovimiento, k, QStringLiteral("Pedido Múltiple"));
      ordenes.setLocked(colPedidos::TipoMovimiento, k, true);
    }
  } else if (m == 1 && ordenes.isEmpty(colPedidos::TipoMovimiento, 1)) {
    ws.MsgBox(QStringLiteral("Seleccione el Tipo de Movimiento para la Orden de Compra"), Botones::Ok,
              QStringLiteral("Aviso"), Icono::Informacion);
    return rehusado();
  }

  ws.EscribirLog(kPreparar + QStringLiteral("-----si hay datos de detalle en archivo"));
  const int n = ws.vaspread1.dataRowCount();
  // Without detail lines the image still gets its control header, the header
  // fields and the trailer (on its first line), so the orders can be opened again.
  const int desde = filaImagen::PrimeraLinea;
  if (imagen.rowLimit() < n + desde) imagen.setRowLimit(n + desde);
  ws.EscribirLog(kPreparar + QStringLiteral("-----llena datos de control en el encabezado del grid vaspread3"));
  encabezadoDeControl(ws);

  if (!encabezadocampos(ws, QStringLiteral("preparar"), 7)) return rehusado();

  ws.EscribirLog(kPreparar + QStringLiteral("-----Poner el detalle en el grid vaspread3"));
  {
    cmd.ocupado(true);
    // The progress bar counts the lines copied; it rests again before the
    // file dialog opens.
    struct Avance {
      Workspace& ws;
      ~Avance() { ws.progreso = ws.progresoMaximo = 0; }
    } avance{ws};
    ws.progresoMaximo = n;
    const Grid& detalle = ws.vaspread1;
    for (int r = 1; r <= n; ++r) {
      ws.progreso = r;
      ws.doEvents();
      // The line goes over whole; only the department is rewritten.
      imagen.copiarRenglon(detalle, r, r + desde - 1);
      const QString departamento = trabajo::formato0000(detalle.text(colDetalle::Depto, r));
      if (detalle.vista(colDetalle::Depto, r) != departamento)
        imagen.setText(colDetalle::Depto, r + desde - 1, departamento);
      // Every column up to the quantity must be filled.
      for (int c = colDetalle::Orden; c <= colDetalle::Cantidad; ++c) {
        if (c == colDetalle::Depto ? !departamento.isEmpty() : !detalle.isEmpty(c, r)) continue;
        cmd.ocupado(false);
        faltaInformacion(ws, c, r);
        return rehusado();
      }
    }
    cmd.ocupado(false);
  }
  imagen.setText(colImagen::Etiqueta, n + desde, trabajo::kFirma);
  return cmd.fin(Resultado::Hecho) == Resultado::Hecho;
}

texto::Resultado escribirTrabajo(const Workspace& ws, QIODevice& d) {
  return escribirTrabajo(ws.vaSpread3.toLines(), ws.vaSpread9.toLines(), d);
}

Resultado guardar_informacion(Workspace& ws) {
  Comando cmd(ws, kGuardar, QStringLiteral("TERMINO EL EVENTO-----guardar_informacion"), Comando::Salida::AlTerminar);
  if (ws.vaspread1.dataRowCount() == 0 && ws.vaSpread9.dataRowCount() == 0) {
    ws.MsgBox(QStringLiteral("No hay información para guardar"), Botones::Ok, QStringLiteral("Aviso"),
              Icono::Informacion);
    return cmd.fin(Resultado::Rechazado);
  }
  ws.EscribirLog(kGuardar + QStringLiteral("-----preparar para guardar información cancela si faltan datos en el grid"));
  if (!prepararguardar(ws)) return cmd.fin(Resultado::Rechazado);

  DialogoArchivo d;
  d.titulo = QStringLiteral("Guardar el archivo como:");
  d.filtro = trabajo::filtro(ws);
  d.carpetaInicial = ws.carpeta;
  d.confirmarSobrescribir = true;
  const QString nombre = ws.prompter.guardarArchivo(d);
  if (nombre.trimmed().isEmpty()) return cmd.fin(Resultado::Cancelado);
  if (ws.esEntrada(nombre, false, QStringLiteral("Aviso"))) return cmd.fin(Resultado::Rechazado);

  cmd.ocupado(true);
  // The work file first: a failed write leaves no work file without its
  // header part under the user's name. header.txt is replaced, never removed
  // first, so a failure keeps the earlier one.
  texto::Resultado r = texto::reemplazar(nombre, [&ws](QIODevice& d) { return escribirTrabajo(ws, d); });
  if (r.ok) {
    ws.EscribirLog(kGuardar + QStringLiteral("-----Guardar el header"));
    r = ws.vaSpread9.saveTabText(ws.ruta(QStringLiteral("header.txt")));
  }
  cmd.ocupado(false);
  if (!r.ok) {
    ws.errorInesperado(r);
    return cmd.fin(Resultado::Fallido);
  }
  ws.trabajoGuardado(nombre);
  ws.archivoEscrito = nombre;
  return cmd.fin(Resultado::Hecho);
}

Resultado b_save_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----b_save_Click"), QStringLiteral("TERMINO EL EVENTO-----b_save_Click"));
  return cmd.fin(guardar_informacion(ws));
}

Resultado guardararchiv_Click(Workspace& ws) { return guardar_informacion(ws); }

Resultado guardar_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----guardar_Click"), QStringLiteral("TERMINO EL EVENTO-----guardar_Click"));
  return cmd.fin(guardar_informacion(ws));
}
