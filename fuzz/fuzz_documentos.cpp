// The container labels and the packing list over a random shipment. The input
// is text: its first line "PROVEEDOR|CLIENTE|DDMMAAAA|HORA|FORMATO", each
// further line a detail line "ORDEN|DEPTO|TIENDA|SKU|MODELO|UPC|COLOR|TALLA|
// CANTIDAD|CONTENEDOR". The lines go through the documents' own checks; a
// shipment they take is painted in every label format and as a packing list,
// and its figures must add up.
#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include "comun.h"
#include "documents/labels.h"
#include "documents/packing_list.h"
#include "documents/shipment_documents.h"
#include "notice/line_checks.h"
#include "workspace/textfile.h"

namespace {

// The application painting text needs, made once and ended with the program,
// so that the fonts it loaded are given back.
void aplicacion() {
  static int argc = 1;
  static char nombre[] = "fuzz_documentos";
  static char* argv[] = {nombre, nullptr};
  static const bool plataforma = qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  (void)plataforma;
}

// Paints into a PDF in memory; what the painter says, and a PDF when it says yes.
bool pintar(const std::function<bool(QPagedPaintDevice&)>& pintor) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool ok = false;
  {
    QPdfWriter pdf(&buffer);
    ok = pintor(pdf);
  }
  fuzz::exigir(!ok || bytes.startsWith("%PDF"));
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  if (n > 60000) return 0;
  aplicacion();
  const QStringList lineas = texto::partirLineas(texto::desde1252(bytes(datos, n)));
  if (lineas.isEmpty()) return 0;
  Entorno e;
  Workspace& ws = *e.ws;
  const QStringList cabeza = lineas[0].split(QLatin1Char('|'));
  const auto parte = [](const QStringList& l, int i) { return i < l.size() ? l[i] : QString(); };
  ws.vaSpread2.setText(colAjustes::Valor, filaCliente::Proveedor, parte(cabeza, 0));
  ws.vaSpread2.setText(colAjustes::Valor, filaCliente::Cliente, parte(cabeza, 1));
  ws.DTPicker1_4 = QDate::fromString(parte(cabeza, 2), QStringLiteral("ddMMyyyy"));
  ws.Combo3.texto = parte(cabeza, 3);
  const QString formato = parte(cabeza, 4);

  QStringList ordenes;
  const int filas = static_cast<int>(qMin<qsizetype>(lineas.size() - 1, 300));
  for (int r = 1; r <= filas; ++r) {
    const QStringList l = lineas[r].split(QLatin1Char('|'));
    QStringList celdas(colDetalle::Pedida);
    const int columnas[] = {colDetalle::Orden, colDetalle::Depto,  colDetalle::Tienda, colDetalle::Sku,
                            colDetalle::Modelo, colDetalle::Upc,   colDetalle::Color,  colDetalle::Talla,
                            colDetalle::Cantidad, colDetalle::Contenedor};
    for (int i = 0; i < 10; ++i) celdas[columnas[i] - 1] = parte(l, i);
    ws.vaspread1.setRowTexts(r, celdas);
    if (!ordenes.contains(celdas[colDetalle::Orden - 1])) ordenes.append(celdas[colDetalle::Orden - 1]);
  }
  for (int i = 0; i < ordenes.size(); ++i) {
    ws.vaSpread9.setText(colPedidos::Orden, i + 1, ordenes[i]);
    ws.vaSpread9.setText(colPedidos::Factura, i + 1, QStringLiteral("F-%1").arg(i));
  }

  Envio envio;
  if (armarEnvio(ws, envio) != Resultado::Hecho) return 0;
  // A shipment taken adds up, and no quantity is beyond the notice's field.
  qint64 piezas = 0;
  int lineasEnvio = 0;
  for (const Contenedor& c : envio.contenedores) {
    qint64 delContenedor = 0;
    for (const Linea& l : c.lineas) {
      exigir(l.piezas() > 0 && l.piezas() <= maximoCantidad());
      delContenedor += l.piezas();
    }
    exigir(delContenedor == c.piezas && c.piezas <= maximoCantidad() * 50000);
    exigir(c.numero >= 1 && c.numero <= c.deTienda);
    piezas += c.piezas;
    lineasEnvio += static_cast<int>(c.lineas.size());
  }
  exigir(piezas == envio.piezas && lineasEnvio == envio.lineas);

  for (const FormatoEtiqueta f : {FormatoEtiqueta::Termica4x6, FormatoEtiqueta::Carta, FormatoEtiqueta::A4}) {
    FormatoEtiqueta leido = f;
    if (!formato.isEmpty() && leerFormatoEtiqueta(formato, leido) && leido != f) continue;
    if (contenedorSinBarras(envio) >= 0) break;
    exigir(pintar([&](QPagedPaintDevice& d) { return pintarEtiquetas(envio, f, d); }));
  }
  exigir(pintar([&](QPagedPaintDevice& d) { return pintarListaEmpaque(envio, d); }));
  return 0;
}
