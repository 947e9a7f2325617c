#include "documents/labels.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <memory>
#include <vector>
#include <zint.h>

#include "documents/page_painting.h"

namespace {

// A sheet holds two columns of three labels.
constexpr int kColumnasHoja = 2, kFilasHoja = 3;

// The bars of one code, in the barcode library's units (quiet zones included).
struct Barras {
  std::vector<QRectF> barras;
  double ancho = 0, alto = 0;
};

struct LiberarSimbolo {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

bool codificar(const QString& codigo, Barras& b) {
  std::unique_ptr<zint_symbol, LiberarSimbolo> s(ZBarcode_Create());
  if (!s) return false;
  s->symbology = BARCODE_CODE128;
  s->input_mode = UNICODE_MODE;
  s->show_hrt = 0;            // the code is printed large under the bars instead
  s->whitespace_width = 10;   // the quiet zone of ten modules a reader needs on each side
  const QByteArray utf8 = codigo.toUtf8();
  const int rc = ZBarcode_Encode_and_Buffer_Vector(s.get(), reinterpret_cast<const unsigned char*>(utf8.constData()),
                                                   static_cast<int>(utf8.size()), 0);
  if (rc >= ZINT_ERROR || !s->vector) return false;
  for (const zint_vector_rect* r = s->vector->rectangles; r; r = r->next)
    b.barras.emplace_back(r->x, r->y, r->width, r->height);
  b.ancho = s->vector->width;
  b.alto = s->vector->height;
  return true;
}

void pintarBarras(QPainter& p, const Barras& b, const QRectF& area) {
  const double sx = area.width() / b.ancho, sy = area.height() / b.alto;
  for (const QRectF& r : b.barras)
    p.fillRect(QRectF(area.left() + r.x() * sx, area.top() + r.y() * sy, r.width() * sx, r.height() * sy), Qt::black);
}

QString listaOrdenes(const QStringList& ordenes) { return ordenes.join(QStringLiteral(", ")); }

// One label in `r` (units of 0.1 pt), its parts sized by the label's height
// and shrunk to its width where a text would not fit.
void pintarEtiqueta(QPainter& p, const Envio& e, const Contenedor& c, const Barras& b,
                    const QRectF& r) {
  const double h = r.height(), margen = 0.045 * qMin(r.width(), h);
  const QRectF dentro = r.adjusted(margen, margen, -margen, -margen);
  const double w = dentro.width(), renglon = 0.062 * h;
  double y = dentro.top();
  const auto linea = [&](const QString& texto, double alto, bool negrita, Qt::Alignment donde = Qt::AlignLeft) {
    pagina::texto(p, QRectF(dentro.left(), y, w, alto), texto, alto * 0.78, negrita, donde);
  };

  pagina::texto(p, QRectF(dentro.left(), y, w * 0.5, renglon), QStringLiteral("PROVEEDOR ") + e.proveedor,
                renglon * 0.7, false, Qt::AlignLeft);
  pagina::texto(p, QRectF(dentro.left() + w * 0.5, y, w * 0.5, renglon),
                QStringLiteral("Contenedor %1 de %2").arg(c.numero).arg(c.deTienda), renglon * 0.8, true,
                Qt::AlignRight);
  y += renglon * 1.15;
  linea(QStringLiteral("LUGAR-TIENDA ") + c.tienda, 0.1 * h, true);
  y += 0.1 * h;
  // The lines of detail in one size, the largest at which they fit; only the
  // orders, as many as the container holds, may come out smaller.
  const QString entrega = documento::entrega(e);
  const QString detalle[] = {
      QStringLiteral("DEPTO. ") + c.depto + QStringLiteral("   TIPO DE ENTREGA: ") + c.tipoEntrega,
      QStringLiteral("ORDEN DE COMPRA: ") + listaOrdenes(c.ordenes),
      entrega.isEmpty() ? QString() : QStringLiteral("ENTREGA: ") + entrega,
      QStringLiteral("RENGLONES: ") + documento::numero(static_cast<qint64>(c.lineas.size())) +
          QStringLiteral("   PIEZAS: ") + documento::numero(c.piezas)};
  double alto = renglon * 0.78;
  for (int k : {0, 2, 3}) alto = qMin(alto, pagina::ajustada(detalle[k], alto, true, w));
  for (const QString& t : detalle) {
    pagina::texto(p, QRectF(dentro.left(), y, w, renglon), t, alto, &t == &detalle[3]);
    y += renglon;
  }
  y += renglon * 0.3;

  // The bars over what is left but the code's own line.
  const double altoCodigo = 0.13 * h;
  const double altoBarras = qMax(dentro.bottom() - altoCodigo - y, renglon);
  pintarBarras(p, b, QRectF(dentro.left(), y, w, altoBarras));
  y += altoBarras;
  linea(c.codigo, altoCodigo, true, Qt::AlignHCenter);
}

}  // namespace

bool leerFormatoEtiqueta(const QString& texto, FormatoEtiqueta& formato) {
  const QString t = texto.trimmed().toLower();
  if (t == QStringLiteral("4x6")) formato = FormatoEtiqueta::Termica4x6;
  else if (t == QStringLiteral("carta")) formato = FormatoEtiqueta::Carta;
  else if (t == QStringLiteral("a4")) formato = FormatoEtiqueta::A4;
  else return false;
  return true;
}

QString nombreFormato(FormatoEtiqueta formato) {
  switch (formato) {
    case FormatoEtiqueta::Carta: return QStringLiteral("Hoja carta, 6 etiquetas");
    case FormatoEtiqueta::A4: return QStringLiteral("Hoja A4, 6 etiquetas");
    case FormatoEtiqueta::Termica4x6: break;
  }
  return QStringLiteral("Etiqueta térmica 4 x 6 pulgadas");
}

QPageLayout paginaEtiquetas(FormatoEtiqueta formato) {
  switch (formato) {
    case FormatoEtiqueta::Carta:
      return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.4, 0.5, 0.4, 0.5),
                         QPageLayout::Inch);
    case FormatoEtiqueta::A4:
      return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 12, 10, 12),
                         QPageLayout::Millimeter);
    case FormatoEtiqueta::Termica4x6: break;
  }
  return QPageLayout(QPageSize(QSizeF(4, 6), QPageSize::Inch, QStringLiteral("4 x 6 in")), QPageLayout::Portrait,
                     QMarginsF(0.1, 0.1, 0.1, 0.1), QPageLayout::Inch);
}

int etiquetasPorPagina(FormatoEtiqueta formato) {
  return formato == FormatoEtiqueta::Termica4x6 ? 1 : kColumnasHoja * kFilasHoja;
}

int contenedorSinBarras(const Envio& envio) {
  for (size_t i = 0; i < envio.contenedores.size(); ++i) {
    Barras b;
    if (!codificar(envio.contenedores[i].codigo, b)) return static_cast<int>(i);
  }
  return -1;
}

QRectF lugarEtiqueta(FormatoEtiqueta formato, int k) {
  const QRectF area = paginaEtiquetas(formato).paintRect(QPageLayout::Point);
  if (etiquetasPorPagina(formato) == 1) return area;
  // Sheet labels are cut apart: a small gap between them.
  constexpr double hueco = 7.2;
  const QSizeF celda((area.width() - hueco * (kColumnasHoja - 1)) / kColumnasHoja,
                     (area.height() - hueco * (kFilasHoja - 1)) / kFilasHoja);
  return QRectF(area.left() + (k % kColumnasHoja) * (celda.width() + hueco),
                area.top() + (k / kColumnasHoja) * (celda.height() + hueco), celda.width(), celda.height());
}

bool pintarEtiquetas(const Envio& envio, FormatoEtiqueta formato, QPagedPaintDevice& dispositivo) {
  dispositivo.setPageLayout(paginaEtiquetas(formato));
  pagina::Pintor pintor(dispositivo);
  if (!pintor.activo()) return false;
  QPainter& p = pintor.p;
  const QPointF origen = paginaEtiquetas(formato).paintRect(QPageLayout::Point).topLeft();
  const int porPagina = etiquetasPorPagina(formato);
  for (size_t i = 0; i < envio.contenedores.size(); ++i) {
    const int k = static_cast<int>(i % static_cast<size_t>(porPagina));
    if (i > 0 && k == 0 && !pintor.nuevaPagina()) return false;
    const QRectF puntos = lugarEtiqueta(formato, k).translated(-origen);
    const QRectF r(puntos.topLeft() * 10, puntos.size() * 10);
    Barras b;
    if (!codificar(envio.contenedores[i].codigo, b)) return false;
    if (porPagina > 1) {
      p.setPen(QPen(Qt::gray, 4));
      p.drawRect(r);  // where to cut
    }
    pintarEtiqueta(p, envio, envio.contenedores[i], b, r);
  }
  return true;
}
