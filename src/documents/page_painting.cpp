#include "documents/page_painting.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

namespace pagina {

Pintor::Pintor(QPagedPaintDevice& dispositivo) : dispositivo_(dispositivo) {
  if (!p.begin(&dispositivo_)) return;
  const double escala = dispositivo_.logicalDpiX() / kPulgada;
  p.scale(escala, dispositivo_.logicalDpiY() / kPulgada);
  const QRectF puntos = dispositivo_.pageLayout().paintRect(QPageLayout::Point);
  area_ = QRectF(0, 0, puntos.width() * 10, puntos.height() * 10);
}

bool Pintor::nuevaPagina() {
  AlPasarPagina::avisar();
  return dispositivo_.newPage();
}

namespace {
std::function<void()>& alPasarActual() {
  static std::function<void()> f;
  return f;
}
}  // namespace

AlPasarPagina::AlPasarPagina(std::function<void()> alPasar) : anterior_(std::move(alPasar)) {
  std::swap(anterior_, alPasarActual());
}

AlPasarPagina::~AlPasarPagina() { std::swap(anterior_, alPasarActual()); }

void AlPasarPagina::avisar() {
  if (alPasarActual()) alPasarActual()();
}

QFont letra(double alto, bool negrita) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(qMax(1, qRound(alto)));
  f.setBold(negrita);
  return f;
}

double ajustada(const QString& t, double alto, bool negrita, double ancho) {
  const double necesario = QFontMetricsF(letra(alto, negrita)).horizontalAdvance(t);
  return necesario > ancho && necesario > 0 ? alto * ancho / necesario * 0.98 : alto;
}

void texto(QPainter& p, const QRectF& caja, const QString& t, double alto, bool negrita, Qt::Alignment donde) {
  p.setFont(letra(ajustada(t, alto, negrita, caja.width()), negrita));
  p.setPen(Qt::black);
  p.drawText(caja, static_cast<int>(donde | Qt::AlignVCenter) | Qt::TextSingleLine, t);
}

}  // namespace pagina
