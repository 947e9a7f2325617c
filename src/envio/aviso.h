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
#include <memory>
#include <vector>

class QIODevice;

#include "envio/registros.h"
#include "envio/texto.h"

struct Hallazgo {
  bool falta = true;  // a fault; otherwise a warning
  int linea = 0;      // from 1; 0 when the finding concerns no line of the notice
  int columna = 0;    // from 1
  QString texto;
  qint64 secuencia = 0;  // order found, among findings at the same place
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
  RegistroLeido dt;  // without its fields when the notice was read without its text
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

// Records gathered into orders and containers: five times the notice of the
// largest shipment the program makes (50,000 lines, each in a container of
// its own). Past these each line is still checked, but not gathered, so that
// the memory of a hostile file stays bounded.
constexpr int kMaximoRegistros = 300000;

// The findings listed: past these only their number is kept, so that a file
// of any bytes is read in memory that does not grow with its findings.
constexpr int kMaximoHallazgos = 1000;

struct AvisoLeido {
  QStringList lineas;  // the notice's lines, without their ends ("" when read without its text)
  int numeroLineas = 0;
  std::vector<PedidoLeido> pedidos;
  std::vector<Hallazgo> hallazgos;  // the first kMaximoHallazgos in line order
  // Counts a finding and keeps it while it is among the first.
  void hallar(Hallazgo h);
  // Whether a finding at this place could still be listed; when not, it is
  // only counted (its text need not be made).
  bool listaria(bool falta, int linea, int columna);
  // Puts the findings kept in line order (then column, then as found).
  void ordenarHallazgos();
  int faltas() const { return faltas_; }
  int advertencias() const { return advertencias_; }
  int omitidos() const { return faltas_ + advertencias_ - static_cast<int>(hallazgos.size()); }
  int contenedores() const;
  int lineasDetalle() const;
  qint64 centesimos() const;

 private:
  int faltas_ = 0, advertencias_ = 0;
  qint64 secuencia_ = 0;
  bool lleno_ = false;  // kMaximoHallazgos kept: only places before the last one kept come in
  int lineaTope_ = 0, columnaTope_ = 0;
};

// Reads a notice as its bytes come, a line at a time: memory grows with the
// records kept, not with the file's bytes or findings. `conTexto` keeps every
// line and the fields of every DT (the window shows them); without it only
// what the summary and the comparison with a work file need is kept.
class LectorAviso {
 public:
  explicit LectorAviso(bool conTexto = true);
  ~LectorAviso();
  LectorAviso(const LectorAviso&) = delete;
  LectorAviso& operator=(const LectorAviso&) = delete;
  void agregar(const QByteArray& bytes);  // the next bytes of the file
  AvisoLeido terminar();                   // the file ended

 private:
  struct Estado;
  std::unique_ptr<Estado> e_;
};

// Reads the bytes of a notice file (Windows-1252).
AvisoLeido leerAviso(const QByteArray& bytes);

// Writes the notice: one record a line, its fields joined without
// separators (each already padded to its place), CR LF after every line.
texto::Resultado escribirAviso(const std::vector<QStringList>& registros, QIODevice& d);
QByteArray textoAviso(const std::vector<QStringList>& registros);

// Pieces for people: "24", "2.50".
QString textoPiezas(qint64 centesimos);
