#pragma once
// What the labels and the packing list share to paint their pages: a painter
// whose unit is a tenth of a point on any paged device (PDF writer or
// printer), and text set in a box, shrunk when it would not fit.
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <functional>

class QPagedPaintDevice;

namespace pagina {

// Tenths of a point per inch.
constexpr double kPulgada = 720;

class Pintor {
 public:
  explicit Pintor(QPagedPaintDevice& dispositivo);
  bool activo() const { return p.isActive(); }
  // The printable area of the page, from (0, 0), in tenths of a point.
  QRectF area() const { return area_; }
  bool nuevaPagina();
  QPainter p;

 private:
  QPagedPaintDevice& dispositivo_;
  QRectF area_;
};

// While one lives, `alPasar` runs at every new page of any Pintor: a long
// document lets the window paint between its pages.
class AlPasarPagina {
 public:
  explicit AlPasarPagina(std::function<void()> alPasar);
  ~AlPasarPagina();
  AlPasarPagina(const AlPasarPagina&) = delete;
  AlPasarPagina& operator=(const AlPasarPagina&) = delete;
  static void avisar();

 private:
  std::function<void()> anterior_;
};

// The documents' type face at `alto` tenths of a point.
QFont letra(double alto, bool negrita = false);

// The height, at most `alto`, at which `texto` fits `ancho`.
double ajustada(const QString& texto, double alto, bool negrita, double ancho);

// `texto` in `caja`, vertically centred, at `alto` tenths of a point or
// smaller when it would not fit the box's width.
void texto(QPainter& p, const QRectF& caja, const QString& texto, double alto, bool negrita,
           Qt::Alignment donde = Qt::AlignLeft);

}  // namespace pagina
