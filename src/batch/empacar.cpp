#include "batch/empacar.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include "batch/lote.h"
#include "batch/prompter_lote.h"
#include "empaque/empaque.h"
#include "workspace/workspace.h"

namespace lote {

namespace {

const QString kTitulo = QStringLiteral("empacar");

// UTF-8 when the bytes are, else the system's Windows-1252; no byte-order mark.
QString decodificar(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString t = utf8.decode(bytes);
  if (utf8.hasError()) t = texto::desde1252(bytes);
  if (t.startsWith(QChar(0xFEFF))) t.remove(0, 1);
  return t;
}

QString descripcionLinea(const Grid& g, int fila) {
  return QStringLiteral("renglón %1: orden %2, tienda %3, SKU %4, UPC/EAN %5, cantidad %6")
      .arg(fila)
      .arg(g.text(colDetalle::Orden, fila), g.text(colDetalle::Tienda, fila), g.text(colDetalle::Sku, fila),
           g.text(colDetalle::Upc, fila), g.text(colDetalle::Cantidad, fila));
}

}  // namespace

int empacarEscaneos(Workspace& ws, PrompterLote& avisos, const QString& archivo, bool conservar) {
  QByteArray bytes;
  const texto::Resultado leido = texto::leerBytes(archivo, bytes);
  if (!leido.ok) {
    avisos.aviso(kTitulo, QStringLiteral("no se pudo leer el archivo de escaneos ") + archivo + QStringLiteral(": ") +
                              leido.descripcion);
    return kError;
  }
  if (bytes.contains('\0')) {
    avisos.aviso(kTitulo, archivo + QStringLiteral(" no es un archivo de escaneos: tiene bytes que no son texto."));
    return kError;
  }
  static const QRegularExpression tienda(QStringLiteral("^TIENDA\\s+(\\S+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
  Empaque empaque(ws);
  const QStringList lineas = texto::partirLineas(decodificar(bytes));
  int escaneos = 0;
  for (int i = 0; i < lineas.size(); ++i) {
    const QString linea = lineas[i].trimmed();
    if (linea.isEmpty() || linea.startsWith(QLatin1Char('#'))) continue;
    const QRegularExpressionMatch m = tienda.match(linea);
    const Escaneo e = m.hasMatch() ? empaque.fijarTienda(m.captured(1)) : empaque.escanear(linea);
    if (!e.aceptado()) {
      avisos.aviso(kTitulo, archivo + QStringLiteral(", renglón %1: ").arg(i + 1) + e.mensaje);
      return kRehusado;
    }
    ++escaneos;
  }
  const std::vector<int> sinEscanear = empaque.sinEscanear();
  if (!sinEscanear.empty()) {
    const QString cuantos = sinEscanear.size() == 1 ? QStringLiteral("1 renglón sin escanear")
                                                    : QStringLiteral("%1 renglones sin escanear").arg(sinEscanear.size());
    avisos.aviso(kTitulo, cuantos + (conservar ? QStringLiteral(" (se conservan):") : QStringLiteral(" (se quitan del envío):")));
    for (int f : sinEscanear) avisos.aviso(kTitulo, QStringLiteral("  ") + descripcionLinea(ws.vaspread1, f));
    QStringList ordenes;
    if (!conservar) empaque.quitarSinEscanear(&ordenes);
    for (const QString& o : ordenes)
      avisos.aviso(kTitulo, QStringLiteral("la orden ") + o + QStringLiteral(" se quita del envío: no le queda ningún renglón"));
  }
  return kHecho;
}

}  // namespace lote
