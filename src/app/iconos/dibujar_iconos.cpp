// Draws the toolbar pictures of the main window (32 x 32 PNG) into the folder
// given as argument. The pictures are shipped in the repository; run this only
// to change them:
//   g++ -std=c++17 -fPIC dibujar_iconos.cpp $(pkg-config --cflags --libs Qt6Gui) -o dibujar
//   QT_QPA_PLATFORM=offscreen ./dibujar .
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor kTinta(40, 52, 74);
const QColor kPapel(255, 255, 255);
const QColor kAzul(46, 110, 200);
const QColor kVerde(40, 150, 70);
const QColor kAmbar(230, 160, 30);
const QColor kRojo(200, 50, 45);

void hoja(QPainter& p, const QRectF& r, const QColor& fondo = kPapel) {
  // A sheet with its top-right corner folded.
  QPainterPath c;
  const qreal d = 7;
  c.moveTo(r.left(), r.top());
  c.lineTo(r.right() - d, r.top());
  c.lineTo(r.right(), r.top() + d);
  c.lineTo(r.right(), r.bottom());
  c.lineTo(r.left(), r.bottom());
  c.closeSubpath();
  p.setPen(QPen(kTinta, 1.6));
  p.setBrush(fondo);
  p.drawPath(c);
  QPainterPath pliegue;
  pliegue.moveTo(r.right() - d, r.top());
  pliegue.lineTo(r.right() - d, r.top() + d);
  pliegue.lineTo(r.right(), r.top() + d);
  p.setBrush(QColor(220, 226, 236));
  p.drawPath(pliegue);
}

void renglones(QPainter& p, qreal x1, qreal x2, qreal y, int n, qreal paso = 4) {
  p.setPen(QPen(QColor(150, 160, 180), 1.4));
  for (int i = 0; i < n; ++i) p.drawLine(QPointF(x1, y + i * paso), QPointF(x2, y + i * paso));
}

void flecha(QPainter& p, QPointF desde, QPointF hasta, const QColor& color, qreal grosor = 3) {
  p.setPen(QPen(color, grosor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(desde, hasta);
  QLineF l(hasta, desde);
  QLineF a = l;
  a.setLength(6);
  a.setAngle(l.angle() + 35);
  QLineF b = l;
  b.setLength(6);
  b.setAngle(l.angle() - 35);
  p.drawLine(a);
  p.drawLine(b);
}

void nuevo(QPainter& p) {
  hoja(p, QRectF(6, 3, 19, 25));
  renglones(p, 10, 20, 12, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(kAmbar);
  p.drawEllipse(QPointF(24, 24), 6, 6);
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(24, 20.5), QPointF(24, 27.5));
  p.drawLine(QPointF(20.5, 24), QPointF(27.5, 24));
}

void carpeta(QPainter& p, const QColor& color) {
  QPainterPath c;
  c.moveTo(3, 9);
  c.lineTo(11, 9);
  c.lineTo(13, 12);
  c.lineTo(28, 12);
  c.lineTo(28, 27);
  c.lineTo(3, 27);
  c.closeSubpath();
  p.setPen(QPen(kTinta, 1.6));
  p.setBrush(color);
  p.drawPath(c);
}

void abrir(QPainter& p) {
  carpeta(p, QColor(250, 205, 90));
  QPainterPath tapa;
  tapa.moveTo(7, 16);
  tapa.lineTo(30, 16);
  tapa.lineTo(26, 27);
  tapa.lineTo(3, 27);
  tapa.closeSubpath();
  p.setBrush(QColor(255, 225, 130));
  p.drawPath(tapa);
  flecha(p, QPointF(20, 13), QPointF(20, 3), kAzul, 2.6);
}

void guardar(QPainter& p) {
  // A diskette.
  p.setPen(QPen(kTinta, 1.6));
  p.setBrush(kAzul);
  p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
  p.setBrush(kPapel);
  p.drawRect(QRectF(8, 4, 16, 9));
  p.setBrush(QColor(210, 218, 230));
  p.drawRect(QRectF(9, 18, 14, 10));
  p.setPen(Qt::NoPen);
  p.setBrush(kTinta);
  p.drawRect(QRectF(19, 6, 3, 5));
}

void importar(QPainter& p) {
  hoja(p, QRectF(12, 3, 17, 23));
  renglones(p, 15, 25, 11, 4);
  flecha(p, QPointF(2, 20), QPointF(14, 20), kVerde, 3);
  p.setPen(QPen(kTinta, 1.6));
  p.setBrush(kVerde);
  p.drawRect(QRectF(3, 26, 26, 3));
}

void enviar(QPainter& p) {
  // A paper plane.
  QPainterPath a;
  a.moveTo(3, 15);
  a.lineTo(29, 4);
  a.lineTo(21, 28);
  a.lineTo(15, 19);
  a.closeSubpath();
  p.setPen(QPen(kTinta, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(120, 180, 245));
  p.drawPath(a);
  p.drawLine(QPointF(15, 19), QPointF(29, 4));
  p.setBrush(QColor(70, 130, 210));
  QPainterPath b;
  b.moveTo(15, 19);
  b.lineTo(14, 27);
  b.lineTo(18, 23);
  b.closeSubpath();
  p.drawPath(b);
}

void cortar(QPainter& p) {
  // Scissors.
  p.setPen(QPen(kTinta, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9, 4), QPointF(21, 21));
  p.drawLine(QPointF(23, 4), QPointF(11, 21));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kRojo, 2.6));
  p.drawEllipse(QPointF(9, 24), 4.5, 4.5);
  p.drawEllipse(QPointF(23, 24), 4.5, 4.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kTinta);
  p.drawEllipse(QPointF(16, 13.5), 1.6, 1.6);
}

void copiar(QPainter& p) {
  hoja(p, QRectF(4, 3, 16, 20));
  renglones(p, 7, 15, 9, 3);
  hoja(p, QRectF(12, 9, 16, 20));
  renglones(p, 15, 24, 16, 3);
}

void pegar(QPainter& p) {
  // A clipboard with a sheet on it.
  p.setPen(QPen(kTinta, 1.6));
  p.setBrush(QColor(190, 140, 90));
  p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
  p.setBrush(QColor(200, 205, 215));
  p.drawRoundedRect(QRectF(9, 2, 10, 6), 1.5, 1.5);
  hoja(p, QRectF(13, 11, 16, 19));
  renglones(p, 16, 25, 18, 3);
}

void separar(QPainter& p) {
  // One line that becomes three boxes.
  p.setPen(QPen(kTinta, 1.6));
  p.setBrush(QColor(206, 231, 255));
  p.drawRect(QRectF(2, 13, 9, 7));
  flecha(p, QPointF(12, 16.5), QPointF(17, 7), kAzul, 2);
  flecha(p, QPointF(12, 16.5), QPointF(18, 16.5), kAzul, 2);
  flecha(p, QPointF(12, 16.5), QPointF(17, 26), kAzul, 2);
  p.setPen(QPen(kTinta, 1.6));
  p.setBrush(QColor(200, 150, 90));
  for (qreal y : {2.0, 13.0, 24.0}) p.drawRect(QRectF(20, y, 9, 7));
}

void duplicar(QPainter& p) {
  // A table line and its copy below.
  p.setPen(QPen(kTinta, 1.6));
  p.setBrush(kPapel);
  p.drawRect(QRectF(3, 5, 26, 8));
  p.setBrush(QColor(206, 231, 255));
  p.drawRect(QRectF(3, 19, 26, 8));
  p.setPen(QPen(QColor(150, 160, 180), 1.2));
  for (qreal x : {11.0, 19.0}) {
    p.drawLine(QPointF(x, 5), QPointF(x, 13));
    p.drawLine(QPointF(x, 19), QPointF(x, 27));
  }
  flecha(p, QPointF(16, 12), QPointF(16, 20), kVerde, 2.4);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString carpetaSalida = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const std::pair<const char*, std::function<void(QPainter&)>> dibujos[] = {
      {"b_nuevo", nuevo},   {"b_abrir", abrir},   {"b_save", guardar},    {"b_import", importar},
      {"b_enviar", enviar}, {"b_cut", cortar},    {"b_copy", copiar},     {"b_paste", pegar},
      {"b_separar", separar}, {"b_duplicar", duplicar}};
  for (const auto& [nombre, dibujar] : dibujos) {
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    dibujar(p);
    p.end();
    if (!img.save(QDir(carpetaSalida).filePath(QString::fromLatin1(nombre) + QStringLiteral(".png")))) return 1;
  }
  return 0;
}
