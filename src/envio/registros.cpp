#include "envio/registros.h"

namespace registro {

namespace {

using R = Relleno;
using K = Clase;
using P = Puntuacion;

Campo c(const QString& nombre, int posicion, int ancho, Relleno relleno, Clase clase, bool entero = false,
        bool variable = false, Puntuacion puntuacion = Puntuacion::Conserva, const QString& fijo = QString()) {
  return Campo{nombre, posicion, ancho, relleno, clase, entero, variable, puntuacion, fijo};
}

Registro hacerHD() {
  return {QStringLiteral("HD"),
          QStringLiteral("encabezado"),
          {c(QStringLiteral("tipo de registro"), 1, 2, R::Ninguno, K::Texto, false, false, P::Conserva,
            QStringLiteral("HD")),
           c(QStringLiteral("movimiento"), 3, 1, R::Ninguno, K::Texto, true),
           c(QStringLiteral("número de envío"), 4, 4, R::CerosIzquierda, K::Texto, true),
           c(QStringLiteral("fecha de transacción"), 8, 8, R::Ninguno, K::Fecha),
           c(QStringLiteral("fecha de embarque"), 16, 8, R::Ninguno, K::Fecha),
           c(QStringLiteral("fecha de entrega"), 24, 8, R::Ninguno, K::Fecha),
           c(QStringLiteral("hora de entrega"), 32, 4, R::Ninguno, K::Digitos),
           c(QStringLiteral("número de proveedor"), 36, 10, R::BlancosDerecha, K::Texto, true, false, P::PuntoGuion),
           c(QStringLiteral("RFC"), 46, 14, R::Ninguno, K::Texto, true),
           c(QStringLiteral("número de pedido"), 60, 9, R::BlancosIzquierda, K::Texto, true, false, P::PuntoGuion),
           c(QStringLiteral("factura"), 69, 13, R::BlancosDerecha, K::Texto, true, false, P::PuntoGuion),
           c(QStringLiteral("importe"), 82, 11, R::CerosIzquierda, K::Digitos, true),
           c(QStringLiteral("departamento"), 93, 4, R::CerosIzquierda, K::Texto),
           c(QStringLiteral("lugar de entrega"), 97, 5, R::CerosIzquierda, K::Texto)}};
}

Registro hacerCN() {
  return {QStringLiteral("CN"),
          QStringLiteral("contenedor"),
          {c(QStringLiteral("tipo de registro"), 1, 2, R::Ninguno, K::Texto, false, false, P::Conserva,
            QStringLiteral("CN")),
           c(QStringLiteral("tienda"), 3, 5, R::CerosIzquierda, K::Digitos),
           c(QStringLiteral("tipo de mercancía"), 8, 1, R::Ninguno, K::Texto),
           c(QStringLiteral("contenedor"), 9, 10, R::Ninguno, K::Texto, false, true)}};
}

Registro hacerDT() {
  return {QStringLiteral("DT"),
          QStringLiteral("detalle"),
          {c(QStringLiteral("tipo de registro"), 1, 2, R::Ninguno, K::Texto, false, false, P::Conserva,
            QStringLiteral("DT")),
           c(QStringLiteral("código de barras"), 3, 13, R::BlancosIzquierda, K::Texto, true),
           c(QStringLiteral("tipo de código"), 16, 3, R::Ninguno, K::Texto),
           c(QStringLiteral("SKU"), 19, 10, R::Sku, K::Texto, true),
           c(QStringLiteral("modelo"), 29, 20, R::BlancosDerechaVacio, K::Texto, true, false, P::PuntoGuionBarra),
           c(QStringLiteral("talla"), 49, 10, R::BlancosDerecha, K::Texto, true, false, P::PuntoGuion),
           c(QStringLiteral("color"), 59, 20, R::BlancosDerecha, K::Texto, true, false, P::PuntoGuion),
           c(QStringLiteral("cantidad"), 79, 10, R::CerosIzquierda, K::Digitos, true),
           c(QStringLiteral("unidad de medida"), 89, 3, R::Ninguno, K::Texto, false, false, P::Conserva,
            QStringLiteral("PZ ")),
           c(QStringLiteral("piezas por paquete"), 92, 6, R::Ninguno, K::Digitos, false, false, P::Conserva,
            QStringLiteral("000001"))}};
}

}  // namespace

int Campo::minimo() const {
  // A SKU of nine characters is written whole, one column short of the field;
  // a container has at least nine characters.
  if (relleno == Relleno::Sku || variable) return 9;
  return ancho;
}

int Registro::largo() const {
  int n = 0;
  for (const Campo& c : campos) n += c.ancho;
  return n;
}

const Registro& HD() {
  static const Registro r = hacerHD();
  return r;
}

const Registro& CN() {
  static const Registro r = hacerCN();
  return r;
}

const Registro& DT() {
  static const Registro r = hacerDT();
  return r;
}

const Registro* registroDe(QStringView tipo) {
  for (const Registro* r : {&HD(), &CN(), &DT()})
    if (tipo == r->tipo) return r;
  return nullptr;
}

QString ceroIzquierda(const QString& t, int ancho) {
  if (t.isEmpty() || t.size() >= ancho) return t;
  return QString(ancho - t.size(), QLatin1Char('0')) + t;
}

QString blancoDerecha(const QString& t, int ancho, bool rellenarVacio) {
  if ((t.isEmpty() && !rellenarVacio) || t.size() >= ancho) return t;
  return t + QString(ancho - t.size(), QLatin1Char(' '));
}

QString blancoIzquierda(const QString& t, int ancho) {
  if (t.size() >= ancho) return t;
  return QString(ancho - t.size(), QLatin1Char(' ')) + t;
}

QString puntuacionABlancos(QString t, bool conBarra) {
  for (QChar& c : t) {
    if (c == QLatin1Char('.') || c == QLatin1Char('-') || (conBarra && c == QLatin1Char('/'))) c = QLatin1Char(' ');
  }
  return t;
}

QString rellenar(const Campo& campo, const QString& valor) {
  QString t;
  switch (campo.relleno) {
    case Relleno::Ninguno: t = valor; break;
    case Relleno::CerosIzquierda: t = ceroIzquierda(valor, campo.ancho); break;
    case Relleno::BlancosIzquierda: t = blancoIzquierda(valor, campo.ancho); break;
    case Relleno::BlancosDerecha: t = blancoDerecha(valor, campo.ancho); break;
    case Relleno::BlancosDerechaVacio: t = blancoDerecha(valor, campo.ancho, true); break;
    case Relleno::Sku:
      t = valor.size() > campo.ancho - 2 ? valor : ceroIzquierda(valor, campo.ancho - 2) + QStringLiteral("  ");
      break;
  }
  if (campo.puntuacion == Puntuacion::Conserva) return t;
  return puntuacionABlancos(t, campo.puntuacion == Puntuacion::PuntoGuionBarra);
}

}  // namespace registro
