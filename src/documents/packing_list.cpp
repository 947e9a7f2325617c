#include "documents/packing_list.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

#include "documents/page_painting.h"

namespace {

// Heights in tenths of a point.
constexpr double kRenglon = 112, kLetra = 78, kTitulo = 150;

// The columns of a line: share of the width and alignment.
struct Columna {
  const char16_t* titulo;
  double desde, ancho;
  bool derecha;
};
const Columna kColumnas[] = {{u"SKU", 0.00, 0.15, false},    {u"UPC/EAN", 0.15, 0.19, false},
                             {u"MODELO", 0.34, 0.25, false}, {u"COLOR", 0.59, 0.17, false},
                             {u"TALLA", 0.76, 0.10, false},  {u"CANTIDAD", 0.86, 0.14, true}};

QString renglones(qint64 n) {
  return documento::numero(n) + (n == 1 ? QStringLiteral(" renglón") : QStringLiteral(" renglones"));
}
QString piezas(qint64 n) { return documento::numero(n) + (n == 1 ? QStringLiteral(" pieza") : QStringLiteral(" piezas")); }
QString contenedores(qint64 n) {
  return documento::numero(n) + (n == 1 ? QStringLiteral(" contenedor") : QStringLiteral(" contenedores"));
}

// Walks the list top to bottom. A first walk without a painter counts the
// pages, so the second can print "Página i de n".
class Lista {
 public:
  Lista(const Envio& e, pagina::Pintor* pintor, QRectF area, int paginas)
      : e_(e), pintor_(pintor), area_(area), paginas_(paginas), fuente_(pagina::letra(kLetra)),
        negrita_(pagina::letra(kLetra, true)), metrica_(fuente_), anchoMaximo_(metrica_.maxWidth()) {}

  bool recorrer() {
    cabezaPagina();
    encabezado();
    for (const Tienda& t : e_.tiendas) {
      reservar(kRenglon * 5);
      banda(QStringLiteral("LUGAR-TIENDA ") + t.tienda);
      for (int k = 0; k < t.cuantos; ++k) contenedor(e_.contenedores[static_cast<size_t>(t.primero + k)]);
      total(QStringLiteral("Total LUGAR-TIENDA ") + t.tienda + QStringLiteral(": ") + contenedores(t.cuantos) +
            QStringLiteral(", ") + renglones(t.lineas) + QStringLiteral(", ") + piezas(t.piezas));
      y_ += kRenglon * 0.5;
    }
    totalesPorOrden();
    return ok_;
  }
  int paginas() const { return pagina_; }

 private:
  void nuevaPagina() {
    if (pintor_ && !pintor_->nuevaPagina()) ok_ = false;
    cabezaPagina();
  }
  void reservar(double alto) {
    if (y_ + alto > area_.bottom()) nuevaPagina();
  }
  void cabezaPagina() {
    ++pagina_;
    y_ = area_.top();
    if (pintor_) {
      pagina::texto(pintor_->p, QRectF(area_.left(), y_, area_.width() * 0.6, kTitulo * 1.3),
                    QStringLiteral("LISTA DE EMPAQUE"), kTitulo, true);
      pagina::texto(pintor_->p, QRectF(area_.left() + area_.width() * 0.6, y_, area_.width() * 0.4, kTitulo * 1.3),
                    QStringLiteral("Página %1 de %2").arg(pagina_).arg(paginas_), kLetra, false, Qt::AlignRight);
    }
    y_ += kTitulo * 1.6;
  }
  // One line of text across the page.
  void renglon(const QString& t, bool negrita = false, Qt::Alignment donde = Qt::AlignLeft) {
    reservar(kRenglon);
    if (pintor_)
      pagina::texto(pintor_->p, QRectF(area_.left(), y_, area_.width(), kRenglon), t, kLetra, negrita, donde);
    y_ += kRenglon;
  }
  void encabezado() {
    renglon(QStringLiteral("PROVEEDOR: ") + e_.proveedor + QStringLiteral("     CLIENTE: ") + e_.cliente +
                (documento::entrega(e_).isEmpty() ? QString()
                                                  : QStringLiteral("     ENTREGA: ") + documento::entrega(e_)),
            true);
    for (const Orden& o : e_.ordenes)
      renglon(QStringLiteral("ORDEN DE COMPRA ") + o.orden + QStringLiteral("     FACTURA/REMISION ") + o.factura);
    y_ += kRenglon * 0.5;
  }
  void banda(const QString& t) {
    reservar(kRenglon * 1.3);
    if (pintor_) {
      pintor_->p.fillRect(QRectF(area_.left(), y_, area_.width(), kRenglon * 1.2), QColor(225, 225, 225));
      pagina::texto(pintor_->p, QRectF(area_.left() + 30, y_, area_.width() - 60, kRenglon * 1.2), t, kLetra * 1.2,
                    true);
    }
    y_ += kRenglon * 1.3;
  }
  void cabezaContenedor(const Contenedor& c, bool sigue) {
    renglon(QStringLiteral("CONTENEDOR ") + c.codigo + QStringLiteral("     ") + c.tipoEntrega +
                QStringLiteral("     Contenedor %1 de %2").arg(c.numero).arg(c.deTienda) +
                (sigue ? QStringLiteral("     (continúa)") : QString()),
            true);
    if (pintor_) {
      pintor_->p.setFont(negrita_);
      for (const Columna& col : kColumnas) celda(col, QString::fromUtf16(col.titulo));
      pintor_->p.setPen(QPen(Qt::black, 4));
      pintor_->p.drawLine(QPointF(area_.left(), y_ + kRenglon), QPointF(area_.right(), y_ + kRenglon));
      pintor_->p.setFont(fuente_);
    }
    y_ += kRenglon * 1.1;
  }
  // A cell of the current line; the painter's font is set.
  void celda(const Columna& col, const QString& t) {
    const double x = area_.left() + col.desde * area_.width();
    const double base = y_ + kRenglon * 0.75;
    if (!col.derecha) {
      pintor_->p.drawText(QPointF(x, base), t);
      return;
    }
    const double ancho = QFontMetricsF(pintor_->p.font()).horizontalAdvance(t);
    pintor_->p.drawText(QPointF(x + col.ancho * area_.width() - ancho, base), t);
  }
  // The text cut with "…" where it would run into the next column; only a
  // text that might not fit is measured.
  QString cabe(const QString& t, const Columna& col) const {
    const double ancho = col.ancho * area_.width() - kLetra * 0.5;
    if (t.size() * anchoMaximo_ <= ancho) return t;
    return metrica_.elidedText(t, Qt::ElideRight, ancho);
  }
  void contenedor(const Contenedor& c) {
    reservar(kRenglon * 4);
    cabezaContenedor(c, false);
    for (const Linea& l : c.lineas) {
      if (y_ + kRenglon > area_.bottom()) {
        nuevaPagina();
        cabezaContenedor(c, true);
      }
      if (pintor_) {
        const QString cantidad = documento::numero(l.piezas());
        const double x = area_.left(), base = y_ + kRenglon * 0.75;
        QPainter& p = pintor_->p;
        const QString* textos[] = {&l.sku, &l.upc, &l.modelo, &l.color, &l.talla};
        for (int k = 0; k < 5; ++k)
          p.drawText(QPointF(x + kColumnas[k].desde * area_.width(), base), cabe(*textos[k], kColumnas[k]));
        p.drawText(QPointF(area_.right() - metrica_.horizontalAdvance(cantidad), base), cantidad);
      }
      y_ += kRenglon;
    }
    total(QStringLiteral("Subtotal contenedor ") + c.codigo + QStringLiteral(": ") +
          renglones(static_cast<qint64>(c.lineas.size())) + QStringLiteral(", ") + piezas(c.piezas));
    y_ += kRenglon * 0.3;
  }
  void total(const QString& t) {
    renglon(t, true, Qt::AlignRight);
  }
  void totalesPorOrden() {
    reservar(kRenglon * (4 + static_cast<double>(e_.ordenes.size())));
    banda(QStringLiteral("TOTALES POR ORDEN DE COMPRA"));
    for (const Orden& o : e_.ordenes)
      renglon(QStringLiteral("Total ORDEN DE COMPRA ") + o.orden + QStringLiteral(" (FACTURA/REMISION ") + o.factura +
              QStringLiteral("): ") + renglones(o.lineas) + QStringLiteral(", ") + piezas(o.piezas));
    y_ += kRenglon * 0.5;
    banda(QStringLiteral("TOTAL DEL ENVÍO: ") + contenedores(static_cast<qint64>(e_.contenedores.size())) +
          QStringLiteral(", ") + renglones(e_.lineas) + QStringLiteral(", ") + piezas(e_.piezas));
  }

  const Envio& e_;
  pagina::Pintor* pintor_;
  QRectF area_;
  int paginas_;
  QFont fuente_, negrita_;
  QFontMetricsF metrica_;
  double anchoMaximo_;
  double y_ = 0;
  int pagina_ = 0;
  bool ok_ = true;
};

}  // namespace

QPageLayout paginaLista() {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.5, 0.5, 0.5, 0.5),
                     QPageLayout::Inch);
}

bool pintarListaEmpaque(const Envio& envio, QPagedPaintDevice& dispositivo) {
  dispositivo.setPageLayout(paginaLista());
  pagina::Pintor pintor(dispositivo);
  if (!pintor.activo()) return false;
  return pintarListaEmpaque(envio, pintor);
}

bool pintarListaEmpaque(const Envio& envio, pagina::Pintor& pintor) {
  Lista cuenta(envio, nullptr, pintor.area(), 0);
  cuenta.recorrer();
  pintor.p.setFont(pagina::letra(kLetra));
  Lista lista(envio, &pintor, pintor.area(), cuenta.paginas());
  return lista.recorrer();
}
