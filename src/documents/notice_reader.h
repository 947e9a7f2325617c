#pragma once
// A shipment notice read back, as a retailer's fixed-position reader takes it:
// every line cut into its record's fields by the record tables, the records
// gathered into orders (HD), their containers (CN) and lines (DT), and every
// fault and warning found on the way, each with its line and column.
//
// Faults: an unknown record type, a record shorter than its layout, a control
// character (tab, NUL ...), a date that is no date, a field of digits holding
// something else, a CN or DT before any HD, a DT before any CN of its order, a
// CN without a DT after it, a line end other than CR LF, an empty line
// anywhere but between two orders, a notice without any HD.
// Warnings: a record longer than its layout (a value written whole shifts the
// fields after it), or a DT one column short because of a nine-character SKU.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "notice/records.h"

struct Hallazgo {
  bool falta = true;  // a fault; otherwise a warning
  int linea = 0;      // from 1; 0 when the finding concerns no line of the notice
  int columna = 0;    // from 1
  QString texto;
};

struct CampoLeido {
  int columna = 0;        // first column in the line
  QString texto;          // as it stands there (cut short when the line ends early)
  bool completo = false;  // the line holds the whole field
};

struct RegistroLeido {
  int linea = 0;  // 0: a record that is missing (the order or container a stray DT went into)
  const registro::Registro* registro = nullptr;
  std::vector<CampoLeido> campos;  // one per field of the layout
  // The field's text ("" when the record is missing or ends before it), and
  // that text as a person reads it (blanks of the padding off, dates
  // dd/mm/yyyy, the hour hh:mm, amounts and quantities with their decimals).
  QString texto(int campo) const;
  QString legible(int campo) const;
};

struct DetalleLeido {
  RegistroLeido dt;
  qint64 centesimos = 0;  // the quantity, two implied decimals (0 when unreadable)
};

struct ContenedorLeido {
  RegistroLeido cn;
  std::vector<DetalleLeido> detalles;
  qint64 centesimos() const;
};

struct PedidoLeido {
  RegistroLeido hd;
  std::vector<ContenedorLeido> contenedores;
  int lineas() const;
  qint64 centesimos() const;
};

struct AvisoLeido {
  QStringList lineas;  // the notice's lines, without their ends
  std::vector<PedidoLeido> pedidos;
  std::vector<Hallazgo> hallazgos;  // in line order
  int faltas() const;
  int advertencias() const;
  int contenedores() const;
  int lineasDetalle() const;
  qint64 centesimos() const;
};

// Reads the bytes of a notice file (Windows-1252).
AvisoLeido leerAviso(const QByteArray& bytes);

// Pieces for people: "24", "2.50".
QString textoPiezas(qint64 centesimos);
