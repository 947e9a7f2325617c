#include "notice/output.h"

#include <QFile>
#include <QSet>

#include "envio/aviso.h"
#include "notice/builder.h"
#include "notice/header_fields.h"
#include "notice/validation.h"
#include "workspace/columnas.h"
#include "workspace/workspace.h"

namespace {

// The number a text begins with (blanks in front skipped); 0 when none.
double valor(const QString& t) {
  int i = 0;
  while (i < t.size() && t[i].isSpace()) ++i;
  QString numero;
  if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) numero.append(t[i++]);
  bool punto = false;
  while (i < t.size()) {
    const QChar c = t[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      numero.append(c);
    } else if (c == QLatin1Char('.') && !punto) {
      punto = true;
      numero.append(c);
    } else {
      break;
    }
    ++i;
  }
  bool ok = false;
  const double v = numero.toDouble(&ok);
  return ok ? v : 0.0;
}

void quitarArchTxt(Workspace& ws) {
  const QString arch = ws.ruta(QStringLiteral("arch.txt"));
  if (QFile::exists(arch)) QFile::remove(arch);
}

// The notice is built from the per-order table alone: the lines of an order
// that has no row there would be missing from it. Refuses on the first such
// line, with the detail grid's cursor on it.
bool lineasConOrden(Workspace& ws) {
  QSet<QString> enTabla;
  const int ordenes = ws.vaSpread9.dataRowCount();
  for (int i = 1; i <= ordenes; ++i) enTabla.insert(ws.vaSpread9.text(colPedidos::Orden, i));
  const int lineas = ws.vaspread1.dataRowCount();
  for (int r = 1; r <= lineas; ++r) {
    const QString orden = ws.vaspread1.text(colDetalle::Orden, r);
    if (enTabla.contains(orden)) continue;
    ws.cursor(ws.vaspread1, colDetalle::Orden, r);
    ws.MsgBox(QStringLiteral("Existen renglones de la Orden de Compra ") + orden +
                  QStringLiteral(" que no está en la tabla de órdenes"),
              Botones::Ok, QStringLiteral("Aviso Importante"), Icono::Critico);
    ws.foco = QStringLiteral("vaspread1");
    return false;
  }
  return true;
}

}  // namespace

std::vector<QStringList> registrosAviso(const Workspace& ws) {
  const int n = ws.vaSpread3.dataRowCount();
  std::vector<QStringList> registros;
  registros.reserve(static_cast<size_t>(n));
  for (int r = 1; r <= n; ++r) registros.push_back(ws.vaSpread3.rowTexts(r));
  return registros;
}

QByteArray textoAviso(const Workspace& ws) { return textoAviso(registrosAviso(ws)); }

texto::Resultado escribirAviso(const Workspace& ws, QIODevice& d) { return escribirAviso(registrosAviso(ws), d); }

texto::Resultado formatofijo(Workspace& ws, const QString& archivo) {
  ws.EscribirLog(QStringLiteral("ENTRO A LA FUNCION-----formatofijo"));
  QByteArray bytes;
  texto::Resultado r = texto::leerBytes(archivo, bytes);
  if (r.ok) {
    QByteArray salida;
    salida.reserve(bytes.size() + bytes.size() / 16);
    qsizetype inicio = 0;
    while (inicio < bytes.size()) {
      qsizetype fin = inicio;
      while (fin < bytes.size() && bytes[fin] != '\r' && bytes[fin] != '\n') ++fin;
      QByteArray linea = bytes.mid(inicio, fin - inicio);
      linea.replace('\t', QByteArray());
      salida += linea;
      salida += "\r\n";
      if (fin < bytes.size() && bytes[fin] == '\r' && fin + 1 < bytes.size() && bytes[fin + 1] == '\n') ++fin;
      inicio = fin + 1;
    }
    r = texto::reemplazar(archivo, [&salida](QIODevice& d) { return texto::escribirEn(d, salida); });
  }
  quitarArchTxt(ws);
  ws.EscribirLog(QStringLiteral("TERMINO LA FUNCION-----formatofijo"));
  return r;
}

Resultado arch_env_Click(Workspace& ws) {
  // The command logs no exit line of its own; a notice written says so.
  Comando cmd(ws, QStringLiteral("Entro al Evento-----arch_env_Click"), QStringLiteral("Vorarido Exitoso!!!"),
              Comando::Salida::AlHacerse);
  if (horaEntrega(ws).isEmpty()) {
    ws.MsgBox(QStringLiteral("Favor de seleccionar una hora de entrega"), Botones::Ok, QStringLiteral("ASN"),
              Icono::Informacion);
    return cmd.fin(Resultado::Rechazado);
  }
  const QString vencidas = ordenesVencidas(ws);
  if (!vencidas.isEmpty()) {
    ws.MsgBox(vencidas);
    return cmd.fin(Resultado::Rechazado);
  }
  QString ceros;
  const int ordenes = ws.vaSpread9.dataRowCount();
  for (int i = 1; i <= ordenes; ++i) {
    const QString monto = ws.vaSpread9.text(colPedidos::Importe, i);
    if (monto.isEmpty() || monto == QStringLiteral("0.00") || valor(monto) == 0.0)
      ceros += QStringLiteral("El importe de la factura no puede ser cero para la OC: ") +
               ws.vaSpread9.text(colPedidos::Orden, i) +
               QStringLiteral("\r\n");
  }
  if (!ceros.isEmpty()) {
    ws.MsgBox(ceros);
    ws.foco = QStringLiteral("vaSpread9");
    return cmd.fin(Resultado::Rechazado);
  }

  ws.EscribirLog(QStringLiteral("Valida "));
  cmd.ocupado(true);
  // Each step over every line lets the window paint before the next one.
  ws.vaspread1.sortRows({SortKey{colDetalle::Contenedor, true}});
  ws.doEvents();
  ws.vaSpread6.sortRows({SortKey{colDetalle::Contenedor, true}});
  ws.doEvents();
  if (!validar(ws) || !verificardatosok(ws)) return cmd.fin(Resultado::Rechazado);
  cmd.ocupado(false);
  if (ws.vaspread1.dataRowCount() == 0) {
    ws.MsgBox(QStringLiteral("No hay información para generar el archivo"), Botones::Ok, QStringLiteral("Aviso"),
              Icono::Informacion);
    return cmd.fin(Resultado::Rechazado);
  }
  QSet<QString> facturas;
  for (int i = 1; i <= ordenes; ++i) {
    const QString factura = ws.vaSpread9.text(colPedidos::Factura, i);
    if (facturas.contains(factura)) {
      ws.MsgBox(QStringLiteral("No se puede repetir el Num de Factura para varias Ordenes de Compra."), Botones::Ok,
                QStringLiteral("Aviso Importante"), Icono::Critico);
      return cmd.fin(Resultado::Rechazado);
    }
    facturas.insert(factura);
  }
  QSet<QString> conLineas;
  const int lineas = ws.vaspread1.dataRowCount();
  for (int r = 1; r <= lineas; ++r) conLineas.insert(ws.vaspread1.text(colDetalle::Orden, r));
  for (int i = 1; i <= ordenes; ++i) {
    const QString orden = ws.vaSpread9.text(colPedidos::Orden, i);
    if (!conLineas.contains(orden)) {
      ws.MsgBox(QStringLiteral("No existe Contenedor para la Orden de Compra ") + orden, Botones::Ok,
                QStringLiteral("Aviso Importante"), Icono::Critico);
      return cmd.fin(Resultado::Rechazado);
    }
  }
  if (!lineasConOrden(ws)) return cmd.fin(Resultado::Rechazado);

  cmd.ocupado(true);
  const bool preparado = preparar(ws);
  cmd.ocupado(false);
  if (!preparado) return cmd.fin(Resultado::Rechazado);
  const QString descripcion = ws.vaSpread2.text(colAjustes::Descripcion, filaCliente::Aplicacion);
  DialogoArchivo dialogo;
  dialogo.titulo = QStringLiteral("Guardar el archivo como:");
  dialogo.filtro = descripcion + QStringLiteral(" txt|*.txt");
  dialogo.carpetaInicial = ws.carpeta;
  dialogo.nombre = QStringLiteral("*.txt");
  dialogo.confirmarSobrescribir = true;
  const QString ruta = ws.prompter.guardarArchivo(dialogo);
  if (ruta.isEmpty()) return cmd.fin(Resultado::Cancelado);
  if (ws.esEntrada(ruta, true, QStringLiteral("Aviso Importante"))) return cmd.fin(Resultado::Rechazado);

  // The notice is written whole, without tabs, in one go: the chosen file is
  // never left missing, half written or holding tabs.
  const texto::Resultado r = texto::reemplazar(ruta, [&ws](QIODevice& d) { return escribirAviso(ws, d); });
  quitarArchTxt(ws);
  if (!r.ok) {
    ws.errorInesperado(r);
    return cmd.fin(Resultado::Fallido);
  }
  ws.ultimoAviso = ruta;
  ws.archivoEscrito = ruta;
  return cmd.fin(Resultado::Hecho);
}

Resultado b_enviar_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----b_enviar_Click"), QStringLiteral("TERMINO EL EVENTO-----b_enviar_Click"),
              Comando::Salida::AlHacerse);
  cmd.ocupado(true);
  ws.panel[3] = QStringLiteral("Validando...");
  // The panel rests again however the command ends.
  struct Panel {
    Workspace& ws;
    ~Panel() { ws.panel[3].clear(); }
  } panel{ws};
  if (!validar(ws) || !verificardatosok(ws)) return cmd.fin(Resultado::Rechazado);
  if (ws.vaspread1.dataRowCount() == 0) {
    ws.MsgBox(QStringLiteral("No hay datos que enviar"), Botones::Ok, QStringLiteral("Información Incompleta"));
    return cmd.fin(Resultado::Rechazado);
  }
  if (!lineasConOrden(ws)) return cmd.fin(Resultado::Rechazado);
  return cmd.fin(preparar(ws) ? Resultado::Hecho : Resultado::Rechazado);
}

Resultado enviararchiv_Click(Workspace& ws) {
  Comando cmd(ws, QStringLiteral("ENTRO AL EVENTO-----enviararchiv_Click"),
              QStringLiteral("TERMINO EL EVENTO-----enviararchiv_Click"));
  return cmd.fin(b_enviar_Click(ws));
}
