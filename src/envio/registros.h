#pragma once
// The layouts of the notice records, as data: the builder pads its fields by
// them, the notice checker reads notices back with them.
//
//   HD  shipment header, one per order, 101 columns
//   CN  container, one per container of an order, 8 columns and the code
//   DT  detail, one per order line, 97 columns
//
// Field i of a record is column i + 1 of its row in the file image vaSpread3.
#include <QString>
#include <QStringView>
#include <vector>

namespace registro {

// How a value shorter than its field is filled; a longer one is kept whole.
enum class Relleno {
  Ninguno,            // as it is (fixed texts, dates, the RFC, the container)
  CerosIzquierda,     // "0" in front; an empty value stays empty
  BlancosIzquierda,   // blanks in front; an empty value becomes blanks
  BlancosDerecha,     // blanks after; an empty value stays empty
  BlancosDerechaVacio,  // blanks after, an empty value too
  Sku,                // "0" in front up to 8, then two blanks; 9 or more characters whole
};

// Characters turned into blanks after the padding.
enum class Puntuacion { Conserva, PuntoGuion, PuntoGuionBarra };

// What a field holds, as a fixed-position reader takes it.
enum class Clase {
  Texto,    // anything printable, blanks included
  Digitos,  // 0-9 only
  Fecha,    // yyyymmdd, a real day
};

struct Campo {
  QString nombre;       // as the notice viewer names it
  int posicion;         // first column, from 1
  int ancho;            // columns (for the container, those of a ten-character code)
  Relleno relleno;
  Clase clase;
  bool entero = false;  // a longer value is written whole: the line grows, later fields shift
  bool variable = false;  // as long as its value (the container code)
  Puntuacion puntuacion = Puntuacion::Conserva;
  QString fijo;         // the text every record carries here ("HD", "PZ ", "000001"); empty when none
  int minimo() const;   // fewest columns a value the builder accepts takes here
};

struct Registro {
  QString tipo;                // "HD", "CN", "DT"
  QString nombre;              // "encabezado", "contenedor", "detalle"
  std::vector<Campo> campos;   // in column order, the record type first
  int largo() const;           // columns of the layout: 101, 18 (a ten-character container), 97
};

// Field numbers, in column order.
namespace hd {
enum : int { kTipo, kMovimiento, kEnvio, kFechaTransaccion, kFechaEmbarque, kFechaEntrega, kHora, kProveedor, kRfc,
             kPedido, kFactura, kImporte, kDepartamento, kLugar };
}
namespace cn {
enum : int { kTipo, kTienda, kMercancia, kContenedor };
}
namespace dt {
enum : int { kTipo, kBarras, kTipoCodigo, kSku, kModelo, kTalla, kColor, kCantidad, kUnidad, kPaquete };
}

const Registro& HD();
const Registro& CN();
const Registro& DT();
// The layout of a record type; null when the type is none of the three.
const Registro* registroDe(QStringView tipo);

// "0" in front up to `ancho`; an empty text stays empty, a longer one whole.
QString ceroIzquierda(const QString& t, int ancho);
// Blanks after up to `ancho`; an empty text stays empty unless rellenarVacio.
QString blancoDerecha(const QString& t, int ancho, bool rellenarVacio = false);
// Blanks in front up to `ancho`.
QString blancoIzquierda(const QString& t, int ancho);
// "." and "-" (and "/" when conBarra) become blanks.
QString puntuacionABlancos(QString t, bool conBarra = false);

// A value as the field writes it: padded by its rule to its width (a longer
// value whole), then its punctuation turned to blanks.
QString rellenar(const Campo& campo, const QString& valor);

}  // namespace registro
