#include "intake/order_file.h"

#include <QFileInfo>

#include "envio/pedidos.h"
#include "workspace/workspace.h"

namespace pedidos {

bool existeOAvisa(Workspace& ws, const QString& nombre) {
  const QFileInfo info(nombre);
  if (info.exists() && !info.isDir()) return true;
  ws.MsgBox(QStringLiteral("El archivo: ") + nombre + QStringLiteral(" no se encuentra"), Botones::Ok,
            QStringLiteral("Datos incorrectos"));
  return false;
}

Resultado leerArchivoDeOrdenes(Workspace& ws, const QString& ruta, int encabezado, QChar separador,
                               QStringList& lineas) {
  QByteArray bytes;
  const texto::Resultado r = texto::leerBytes(ruta, bytes);
  if (!r.ok) {
    ws.errorInesperado(r);
    return Resultado::Fallido;
  }
  ws.archivoPedidos = ruta;
  ArchivoPedidos archivo = leerPedidos(std::move(bytes), static_cast<char>(separador.unicode()));
  switch (archivo.falla.tipo) {
    case Falla::Tipo::NoEsTexto:
      ws.MsgBox(QStringLiteral("El archivo: ") + ruta +
                    QStringLiteral(" no es un archivo de texto con órdenes de compra.\r\nNo se cargó ningún dato."),
                Botones::Ok, QStringLiteral("Datos incorrectos"));
      return Resultado::Fallido;
    case Falla::Tipo::SinLineas:
      avisarSinOrdenes(ws, ruta);
      return Resultado::Fallido;
    case Falla::Tipo::RenglonCortado:
      // Loaded, an interrupted copy would give a notice with a wrong
      // quantity or without a container.
      ws.MsgBox(QStringLiteral("El archivo: ") + ruta + QStringLiteral(" está incompleto: su último renglón (") +
                    QString::number(archivo.falla.linea) +
                    QStringLiteral(") está cortado, le faltan campos.\r\nNo se cargó ningún dato."),
                Botones::Ok, QStringLiteral("Datos incorrectos"));
      return Resultado::Fallido;
    default:
      break;
  }
  lineas = std::move(archivo.lineas);
  if (!ws.cabeEnLimite(ws.vaspread1, static_cast<int>(lineas.size()) - encabezado)) return Resultado::Rechazado;
  return Resultado::Hecho;
}

void avisarSinOrdenes(Workspace& ws, const QString& mostrado) {
  ws.MsgBox(QStringLiteral("El archivo: ") + mostrado + QStringLiteral(" no contiene órdenes de compra"), Botones::Ok,
            QStringLiteral("Datos incorrectos"));
}

void ponerValoresOmision(Workspace& ws) {
  struct Omision {
    int col;
    QString texto;
  };
  const Omision omisiones[] = {{colDetalle::Talla, QStringLiteral("sin talla")},
                               {colDetalle::Modelo, QStringLiteral("sin modelo")},
                               {colDetalle::Color, QStringLiteral("sin color")}};
  EnBloque m1(ws.vaspread1), m6(ws.vaSpread6);
  const int n = ws.vaspread1.dataRowCount();
  bool escrito = false;
  // The three defaults touch different columns, so one pass gives what three give.
  for (int r = 1; r <= n; ++r) {
    ws.doEvents();
    for (const Omision& o : omisiones) {
      if (!ws.vaspread1.isEmpty(o.col, r)) continue;
      ws.vaspread1.setText(o.col, r, o.texto);
      ws.vaSpread6.setText(o.col, r, o.texto);
      escrito = true;
    }
  }
  if (escrito) ws.cursor(ws.vaspread1, colDetalle::Cantidad, 1);
}

void ordenarPorTiendaYSku(Workspace& ws) {
  // The sorts are stable: by store and SKU gives what by store, then by store
  // and SKU gives, so the sort by store alone is not run.
  ws.vaspread1.sortRows(kPorTiendaYSku);
  ws.vaSpread6.sortRows(kPorTiendaYSku);
}

void ponerResumen(Workspace& ws) {
  ws.vaSpread5.setText(colResumen::Depto, 1, ws.vaspread1.text(colDetalle::Depto, 1));
  ws.vaSpread5.setText(colResumen::FechaEmbarque, 1, ws.vaspread1.text(colDetalle::FechaEmbarque, 1));
  ws.vaSpread5.setText(colResumen::FechaCancelacion, 1, ws.vaspread1.text(colDetalle::FechaCancelacion, 1));
}

}  // namespace pedidos
