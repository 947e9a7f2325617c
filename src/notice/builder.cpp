#include "notice/builder.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <vector>

#include "client/form5.h"
#include "notice/header_fields.h"
#include "workspace/workspace.h"

namespace registro {

QString codigoMovimiento(const QString& tipo) {
  if (tipo == QStringLiteral("Alta")) return QStringLiteral("A");
  if (tipo == QStringLiteral("Baja")) return QStringLiteral("B");
  if (tipo == QStringLiteral("Cambio")) return QStringLiteral("C");
  if (tipo.trimmed() == QStringLiteral("Pedido Múltiple")) return QStringLiteral("M");
  return tipo;
}

QString codigoMercancia(const QString& descripcion) {
  static const QHash<QString, QString> tabla = {
      {QStringLiteral("Cajas - azules"), QStringLiteral("1")},
      {QStringLiteral("Pallets"), QStringLiteral("6")},
      {QStringLiteral("Cajas - cartón"), QStringLiteral("1")},
      {QStringLiteral("Frágil"), QStringLiteral("6")},
      {QStringLiteral("Tarima"), QStringLiteral("6")},
      {QStringLiteral("Refrigerado"), QStringLiteral("6")},
      {QStringLiteral("Cajas - verdes"), QStringLiteral("1")},
      {QStringLiteral("Contenedor Verde Mediano"), QStringLiteral("1")},
      {QStringLiteral("Cartón Grande"), QStringLiteral("6")},
      {QStringLiteral("Colgado"), QStringLiteral("2")},
      {QStringLiteral("C. Azul Chico"), QStringLiteral("1")},
      {QStringLiteral("C. Azul Normal"), QStringLiteral("1")},
  };
  return tabla.value(descripcion, descripcion);
}

// Invoice amount: the two decimals without the point, then the field's padding.
QString importe(const QString& t) {
  QString texto = t;
  if (!texto.contains(QLatin1Char('.'))) texto += QStringLiteral(".00");
  const qsizetype punto = texto.indexOf(QLatin1Char('.'));
  const QString entero = texto.left(punto);
  QString decimales = texto.mid(punto + 1);
  // Two implied decimals: "15." must not read as 0.15.
  while (decimales.size() < 2) decimales += QLatin1Char('0');
  return rellenar(HD().campos[hd::kImporte], entero + decimales);
}

QString sku(const QString& t) { return rellenar(DT().campos[dt::kSku], t); }

QString cantidad(const QString& t) {
  // Leading zeros are padding: the field takes the value, right-aligned.
  qsizetype ceros = 0;
  while (ceros + 1 < t.size() && t[ceros] == QLatin1Char('0') && t[ceros + 1].isDigit()) ++ceros;
  QString q = rellenar(DT().campos[dt::kCantidad], t.mid(ceros) + QStringLiteral("00"));
  q.remove(QLatin1Char('.'));
  return q;
}

}  // namespace registro

namespace {

using namespace registro;

const QString kEntrada = QStringLiteral("ENTRO A LA  FUNCION----preparar");

QString aaaammdd(const QDate& d) {
  return QStringLiteral("%1%2%3")
      .arg(d.year(), 4, 10, QLatin1Char('0'))
      .arg(d.month(), 2, 10, QLatin1Char('0'))
      .arg(d.day(), 2, 10, QLatin1Char('0'));
}

// The delivery date of Text1(4), "dd/mm/yyyy", as "yyyymmdd".
QString fechaEntrega(const QString& t) {
  const QDate d = fechaTexto::leer(t);
  if (d.isValid()) return aaaammdd(d);
  return t.mid(6, 4) + t.mid(3, 2) + t.mid(0, 2);
}

bool faltaEncabezado(Workspace& ws, const QString& texto) {
  ws.MsgBox(texto, Botones::Ok, QStringLiteral("Datos Incompletos"));
  return false;
}

// The last n characters of a text (all of a shorter one), padded by the field.
QString ultimos(const Campo& campo, const QString& t) {
  return rellenar(campo, t.size() > campo.ancho ? t.right(campo.ancho) : t);
}

// The CN record of one converted line (the nine columns of vaSpread8).
QStringList registroCN(const QStringList& l) {
  const std::vector<Campo>& c = CN().campos;
  return {c[cn::kTipo].fijo, ultimos(c[cn::kTienda], l[0]), rellenar(c[cn::kMercancia], l[7]),
          rellenar(c[cn::kContenedor], l[8])};
}

// The DT record of one converted line.
QStringList registroDT(const QStringList& l) {
  const std::vector<Campo>& c = DT().campos;
  const QString& barras = l[3];
  // A bar code of blanks only is written as an empty one: the field's blanks.
  return {c[dt::kTipo].fijo,
          rellenar(c[dt::kBarras], barras.trimmed().isEmpty() ? QString() : barras),
          (barras.size() == 12 || barras.size() == 11) ? QStringLiteral("UPC") : QStringLiteral("EAN"),
          sku(l[1]),
          rellenar(c[dt::kModelo], l[2]),
          rellenar(c[dt::kTalla], l[5]),
          rellenar(c[dt::kColor], l[4]),
          cantidad(l[6]),
          c[dt::kUnidad].fijo,
          c[dt::kPaquete].fijo};
}

// Puts a header field into its column of the HD row.
void ponerHD(Grid& imagen, int fila, int campo, const QString& valor) {
  imagen.setText(campo + 1, fila, rellenar(HD().campos[static_cast<size_t>(campo)], valor));
}

}  // namespace

namespace {

// The build itself; false when it was refused (its message has been shown).
bool construirImagen(Workspace& ws) {
  ws.EscribirLog(kEntrada + QStringLiteral("-----LIMPIA LAS TABLAS"));
  Grid& imagen = ws.vaSpread3;
  const EnBloque b3(imagen), b5(ws.vaSpread5), b8(ws.vaSpread8);
  imagen.deleteAllRows();
  ws.vaSpread8.deleteAllRows();
  ws.vaSpread5.deleteAllRows();

  const int lineas = ws.vaspread1.dataRowCount();
  const int ordenes = ws.vaSpread9.dataRowCount();
  // Two rows per line, a header and an empty row per order.
  const int necesarias = 2 * lineas + 2 * ordenes + 7;
  if (imagen.rowLimit() < necesarias) imagen.setRowLimit(necesarias);
  if (ws.vaSpread8.rowLimit() < lineas + 7) ws.vaSpread8.setRowLimit(lineas + 7);
  if (ws.vaSpread5.rowLimit() < lineas + 7) ws.vaSpread5.setRowLimit(lineas + 7);
  QString tipoRecordado;

  // The lines of each order, in detail-grid order.
  QHash<QString, std::vector<int>> porOrden;
  for (int r = 1; r <= lineas; ++r) {
    const QString orden = ws.vaspread1.text(colDetalle::Orden, r);
    if (!orden.isEmpty()) porOrden[orden].push_back(r);
  }

  const QString hoy = aaaammdd(ws.reloj.hoy());
  bool resultado = false;
  // The progress bar counts the lines converted, over all orders; it rests
  // again when the build ends, however it ends.
  struct Avance {
    Workspace& ws;
    ~Avance() { ws.progreso = ws.progresoMaximo = 0; }
  } avance{ws};
  ws.progreso = 0;
  ws.progresoMaximo = lineas;
  for (int i = 1; i <= ordenes; ++i) {
    ws.doEvents();
    ws.EscribirLog(kEntrada + QStringLiteral("-----DETALLE ") + QString::number(i));
    ws.vaSpread8.deleteAllRows();
    ws.vaSpread5.deleteAllRows();
    const QString orden = ws.vaSpread9.text(colPedidos::Orden, i);
    const std::vector<int> filas = orden.isEmpty() ? std::vector<int>() : porOrden.value(orden);
    const int n = static_cast<int>(filas.size());

    // Convert the lines: merchandise type, one area across orders, no missing value.
    std::vector<QStringList> convertidas;
    convertidas.reserve(n);
    for (int r = 1; r <= n; ++r) {
      ++ws.progreso;
      ws.doEvents();
      const int filaDetalle = filas[r - 1];
      QStringList celdas = ws.vaspread1.rowTexts(filaDetalle).mid(0, colDetalle::Almacen);
      while (celdas.size() < colDetalle::Almacen) celdas.append(QString());
      ws.vaSpread5.setRowTexts(r, celdas);
      const auto celda = [&celdas](int col) -> QString& { return celdas[col - 1]; };
      for (int c = colDetalle::Orden; c <= colDetalle::Almacen; ++c) {
        QString& v = celda(c);
        if (c == colDetalle::TipoEntrega) {
          v = codigoMercancia(v);
          if (ordenes >= 2) {
            if (tipoRecordado.isEmpty()) {
              tipoRecordado = v;
            } else if (v != tipoRecordado) {
              ws.MsgBox(QStringLiteral("Los contenedores deben ser de la misma área."), Botones::Ok,
                        QStringLiteral("Aviso"), Icono::Informacion);
              return false;
            }
          }
        }
        // The UPC, the cost and the price may be missing.
        if (v.isEmpty() && c != colDetalle::Upc && c != colDetalle::Costo && c != colDetalle::Precio) {
          // The cursor goes to the line's own row of the detail grid; the
          // message counts the line within its order.
          ws.cursor(ws.vaspread1, c, filaDetalle);
          ws.MsgBox(QStringLiteral("Falta Información de:") + QStringLiteral("\r\n\r\n") +
                        ws.vaspread1.headerText(c) + QStringLiteral("\r\n\r\n") + QStringLiteral("En el renglón:  ") +
                        QString::number(r),
                    Botones::Ok, QStringLiteral("Datos Incompletos"));
          ws.foco = QStringLiteral("vaspread1");
          return false;
        }
      }
      // What the CN and DT records take, the merchandise type in place of the container kind.
      convertidas.push_back({celda(colDetalle::Tienda), celda(colDetalle::Sku), celda(colDetalle::Modelo),
                             celda(colDetalle::Upc), celda(colDetalle::Color), celda(colDetalle::Talla),
                             celda(colDetalle::Cantidad), celda(colDetalle::TipoEntrega),
                             celda(colDetalle::Contenedor)});
    }
    for (int r = 1; r <= n; ++r) ws.vaSpread8.setRowTexts(r, convertidas[r - 1]);

    // The records of the order's lines.
    const int d = imagen.dataRowCount();
    const int filaHD = i == 1 ? 1 : d + 2;
    for (int r = 1; r <= n; ++r) {
      ws.doEvents();
      const QStringList& l = convertidas[r - 1];
      const int filaCN = i == 1 ? 2 * r : d + 1 + 2 * r;
      imagen.setRowTexts(filaCN, registroCN(l));
      imagen.setRowTexts(filaCN + 1, registroDT(l));
      ponerHD(imagen, filaHD, hd::kLugar, l[0].left(HD().campos[hd::kLugar].ancho));
    }

    // The header record; an empty source refuses the build.
    ws.EscribirLog(kEntrada + QStringLiteral("-----ENCABEZADO ") + QString::number(i));
    ponerHD(imagen, filaHD, hd::kTipo, HD().tipo);
    const QString tipo = ws.vaSpread9.text(colPedidos::TipoMovimiento, i);
    if (tipo.isEmpty()) return faltaEncabezado(ws, QStringLiteral("Falta Información en Tipo de Movimiento"));
    ponerHD(imagen, filaHD, hd::kMovimiento, codigoMovimiento(tipo));
    const QString vorarido = ws.vaSpread9.text(colPedidos::NumVorarido, i);
    if (vorarido.isEmpty()) return faltaEncabezado(ws, QStringLiteral("Falta Información en Número de Vorarido"));
    ponerHD(imagen, filaHD, hd::kEnvio, vorarido);
    ponerHD(imagen, filaHD, hd::kFechaTransaccion, hoy);
    ponerHD(imagen, filaHD, hd::kFechaEmbarque, hoy);
    ponerHD(imagen, filaHD, hd::kFechaEntrega, fechaEntrega(ws.Text1[4]));
    ponerHD(imagen, filaHD, hd::kHora, horaEntrega(ws).remove(QLatin1Char(':')));
    const QString proveedor = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Proveedor);
    if (proveedor.isEmpty()) {
      faltaEncabezado(ws, QStringLiteral("Falta Información en el Número de Proveedor"));
      mostrarForm5(ws);
      return false;
    }
    ponerHD(imagen, filaHD, hd::kProveedor, proveedor);
    // Without the RFC the header would lose its fixed width.
    const QString rfc = ws.vaSpread2.text(colAjustes::Valor, filaCliente::Rfc);
    if (rfc.isEmpty()) {
      faltaEncabezado(ws, QStringLiteral("Falta Información en el RFC"));
      mostrarForm5(ws);
      return false;
    }
    ponerHD(imagen, filaHD, hd::kRfc, rfc);
    if (orden.isEmpty()) return faltaEncabezado(ws, QStringLiteral("Falta Información en el Número de Pedido"));
    ponerHD(imagen, filaHD, hd::kPedido, orden);
    const QString factura = ws.vaSpread9.text(colPedidos::Factura, i);
    if (factura.isEmpty()) return faltaEncabezado(ws, QStringLiteral("Falta Información en el Número de Factura"));
    ponerHD(imagen, filaHD, hd::kFactura, factura);
    const QString monto = ws.vaSpread9.text(colPedidos::Importe, i);
    if (monto.isEmpty())
      return faltaEncabezado(ws, QStringLiteral("Falta Información en el Importe de la Factura"));
    imagen.setText(hd::kImporte + 1, filaHD, importe(monto));
    imagen.setText(hd::kDepartamento + 1, filaHD, ultimos(HD().campos[hd::kDepartamento], ws.vaspread1.text(colDetalle::Depto, 1)));

    // One CN per container within the order; DT records all stay.
    ws.EscribirLog(kEntrada + QStringLiteral("-----CONTENEDORES REPETIDOS ") + QString::number(i));
    // The order's CN rows are the ones just written, so their containers are
    // taken from the converted lines rather than read back from the image.
    std::vector<bool> conservar;
    QSet<QString> vistos;
    vistos.reserve(n);
    for (int r = 1; r <= n; ++r) {
      const QString& contenedor = convertidas[r - 1][8];
      if (!vistos.contains(contenedor)) {
        vistos.insert(contenedor);
        continue;
      }
      if (conservar.empty()) conservar.assign(static_cast<size_t>(imagen.dataRowCount()), true);
      const int filaCN = i == 1 ? 2 * r : d + 1 + 2 * r;
      conservar[static_cast<size_t>(filaCN - 1)] = false;
    }
    if (!conservar.empty()) imagen.retainRows(conservar);
    resultado = true;
  }
  return resultado;
}

}  // namespace

Resultado preparar(Workspace& ws) {
  // A refused build ends without the exit line.
  Comando cmd(ws, kEntrada, QStringLiteral("TERMINO LA  FUNCION----preparar"), Comando::Salida::AlHacerse);
  return cmd.fin(construirImagen(ws) ? Resultado::Hecho : Resultado::Rechazado);
}
