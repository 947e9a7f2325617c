#include "envio/aviso.h"

#include <QDate>
#include <algorithm>

#include "envio/texto.h"

using namespace registro;

namespace {

struct Renglon {
  QString texto;
  QString fin;  // "\r\n", "\n", "\r" or "" (the file ends)
};

bool esControl(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0);
}

QString nombreControl(QChar c) {
  if (c == QLatin1Char('\t')) return QStringLiteral("Un tabulador");
  if (c.unicode() == 0) return QStringLiteral("Un carácter nulo (NUL)");
  return QStringLiteral("El carácter de control 0x") +
         QStringLiteral("%1").arg(static_cast<int>(c.unicode()), 2, 16, QLatin1Char('0')).toUpper();
}

bool esDigito(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Where a value breaks the kind of its field (index within the value); -1 when it holds.
int roto(const Campo& c, const QString& v) {
  if (c.clase == Clase::Texto) return -1;
  for (int i = 0; i < v.size(); ++i)
    if (!esDigito(v[i])) return i;
  if (c.clase == Clase::Fecha && !QDate::fromString(v, QStringLiteral("yyyyMMdd")).isValid()) return 0;
  return -1;
}

QString columnas(int n) { return n == 1 ? QStringLiteral("1 columna") : QString::number(n) + QStringLiteral(" columnas"); }

// Reads one notice, finding by finding, a line at a time: each line is
// checked once the next one has come (an empty line is in place only between
// an order and the HD of the next).
class Lector {
 public:
  Lector(AvisoLeido& a, bool conTexto) : a_(a), conTexto_(conTexto) {}

  void recibir(Renglon r);
  void terminar();

 private:
  void falta(int linea, int columna, const QString& texto) { a_.hallar({true, linea, columna, texto}); }
  void advertencia(int linea, int columna, const QString& texto) { a_.hallar({false, linea, columna, texto}); }

  void revisarRenglon(const Renglon& r, const Renglon* siguiente);
  RegistroLeido cortar(int numero, const QString& linea, const Registro& r);
  std::vector<CampoLeido> colocar(const QString& linea, const Registro& r, int crece, int delta) const;
  bool encaja(const Registro& r, const std::vector<CampoLeido>& campos, size_t desde) const;
  void ordenar(RegistroLeido reg);
  void cerrarContenedor();

  AvisoLeido& a_;
  const bool conTexto_;
  bool contenedorAbierto_ = false;  // the last record is a CN still without its DT
  bool retenido_ = false;           // a line waits for the next one
  Renglon renglon_;                 // ... this one
  bool anteriorConTexto_ = false;   // the line before the one checked holds something
  int numero_ = 0;                  // lines checked
  int registros_ = 0;               // records read
};

// Fields at their places when field `crece` takes `delta` more columns.
std::vector<CampoLeido> Lector::colocar(const QString& linea, const Registro& r, int crece, int delta) const {
  std::vector<CampoLeido> campos;
  int columna = 1;
  for (size_t j = 0; j < r.campos.size(); ++j) {
    const Campo& c = r.campos[j];
    int ancho = c.ancho + (static_cast<int>(j) == crece ? delta : 0);
    if (c.variable) ancho = qMax(c.minimo(), static_cast<int>(linea.size()) - columna + 1);
    CampoLeido leido;
    leido.columna = columna;
    leido.texto = linea.mid(columna - 1, ancho);
    leido.completo = columna - 1 + ancho <= linea.size();
    campos.push_back(leido);
    columna += ancho;
  }
  return campos;
}

// Whether the fields from `desde` on hold what their kinds and fixed texts say
// (the code type, UPC or EAN).
bool Lector::encaja(const Registro& r, const std::vector<CampoLeido>& campos, size_t desde) const {
  for (size_t j = desde; j < campos.size(); ++j) {
    const Campo& c = r.campos[j];
    const QString& v = campos[j].texto;
    if (!campos[j].completo || roto(c, v) >= 0 || (!c.fijo.isEmpty() && v != c.fijo)) return false;
    if (&r == &DT() && j == dt::kTipoCodigo && v != QStringLiteral("UPC") && v != QStringLiteral("EAN")) return false;
  }
  return true;
}

// A value written whole fills its field without the padding's blanks at the padded end.
bool plausible(const Campo& c, const QString& v) {
  if (v.isEmpty()) return false;
  switch (c.relleno) {
    case Relleno::BlancosIzquierda: return v.front() != QLatin1Char(' ');
    case Relleno::BlancosDerecha:
    case Relleno::BlancosDerechaVacio: return v.back() != QLatin1Char(' ');
    case Relleno::Sku: return !v.contains(QLatin1Char(' '));
    default: return true;
  }
}

// The whole-written fields in the order they are tried: the movement code and
// the client's supplier number and RFC last, since the movement list and the
// client dialog keep those to their widths.
std::vector<int> candidatos(const Registro& r) {
  std::vector<int> primero, despues;
  for (size_t j = 0; j < r.campos.size(); ++j) {
    if (!r.campos[j].entero) continue;
    const bool raro = &r == &HD() && (j == hd::kMovimiento || j == hd::kProveedor || j == hd::kRfc);
    (raro ? despues : primero).push_back(static_cast<int>(j));
  }
  primero.insert(primero.end(), despues.begin(), despues.end());
  return primero;
}

RegistroLeido Lector::cortar(int numero, const QString& linea, const Registro& r) {
  RegistroLeido reg;
  reg.linea = numero;
  reg.registro = &r;
  const int n = static_cast<int>(linea.size());
  size_t revisarHasta = r.campos.size();  // fields from here on are not checked
  if (&r == &CN()) {
    reg.campos = colocar(linea, r, -1, 0);
    const int minimo = r.campos[cn::kContenedor].posicion - 1 + r.campos[cn::kContenedor].minimo();
    if (n < minimo)
      falta(numero, n + 1,
            QStringLiteral("El registro CN mide %1 y debe medir %2 como mínimo (un contenedor de %3 caracteres).")
                .arg(columnas(n))
                .arg(minimo)
                .arg(r.campos[cn::kContenedor].minimo()));
  } else {
    const int delta = n - r.largo();
    int crece = -1;
    if (delta != 0) {
      for (int j : candidatos(r)) {
        const Campo& c = r.campos[static_cast<size_t>(j)];
        if (c.ancho + delta < c.minimo()) continue;
        std::vector<CampoLeido> campos = colocar(linea, r, j, delta);
        if (!encaja(r, campos, 1)) continue;
        const bool creible = plausible(c, campos[static_cast<size_t>(j)].texto);
        if (crece < 0 || creible) {
          crece = j;
          reg.campos = std::move(campos);
        }
        if (creible) break;
      }
    }
    const QString mide = QStringLiteral("El registro %1 mide %2 y su formato %3")
                             .arg(r.tipo, columnas(n))
                             .arg(r.largo());
    if (crece >= 0) {
      const Campo& c = r.campos[static_cast<size_t>(crece)];
      advertencia(numero, reg.campos[static_cast<size_t>(crece)].columna,
                  mide + QStringLiteral(": el campo %1 ocupa %2 (su valor se escribió entero) y los campos que le "
                                        "siguen empiezan %3 %4.")
                             .arg(c.nombre, columnas(c.ancho + delta), columnas(qAbs(delta)),
                                  delta > 0 ? QStringLiteral("después") : QStringLiteral("antes")));
    } else {
      reg.campos = colocar(linea, r, -1, 0);
      if (delta < 0) {
        int j = 0;
        while (reg.campos[static_cast<size_t>(j)].completo) ++j;
        falta(numero, n + 1,
              mide + QStringLiteral(": le falta desde la columna %1 (campo %2).")
                         .arg(n + 1)
                         .arg(r.campos[static_cast<size_t>(j)].nombre));
      } else if (delta > 0) {
        int primero = 0;
        while (!r.campos[static_cast<size_t>(primero)].entero) ++primero;
        revisarHasta = static_cast<size_t>(primero);
        advertencia(numero, r.largo() + 1,
                    mide + QStringLiteral(": un valor se escribió más largo que su campo; no se revisan los "
                                          "campos desde el campo %1.")
                               .arg(r.campos[static_cast<size_t>(primero)].nombre));
      }
    }
  }
  for (size_t j = 1; j < revisarHasta; ++j) {
    const CampoLeido& f = reg.campos[j];
    const Campo& c = r.campos[j];
    if (!f.completo) continue;
    const int i = roto(c, f.texto);
    if (i < 0) continue;
    if (c.clase == Clase::Fecha && esDigito(f.texto[i]))
      falta(numero, f.columna, QStringLiteral("Campo %1: \"%2\" no es una fecha aaaammdd.").arg(c.nombre, f.texto));
    else
      falta(numero, f.columna + i, QStringLiteral("Campo %1: lleva algo más que dígitos: \"%2\".").arg(c.nombre, f.texto));
  }
  return reg;
}

void Lector::cerrarContenedor() {
  if (!contenedorAbierto_) return;
  contenedorAbierto_ = false;
  const RegistroLeido& cn = a_.pedidos.back().contenedores.back().cn;
  falta(cn.linea, 1,
        QStringLiteral("El contenedor %1 no tiene registros de detalle DT después.").arg(cn.legible(cn::kContenedor)));
}

// The record takes its place: an HD opens an order, a CN a container of it, a DT a line of that.
void Lector::ordenar(RegistroLeido reg) {
  const QString& tipo = reg.registro->tipo;
  if (reg.registro == &HD()) {
    cerrarContenedor();
    a_.pedidos.push_back({std::move(reg), {}});
    return;
  }
  if (a_.pedidos.empty()) {
    falta(reg.linea, 1, QStringLiteral("Registro %1 antes de cualquier encabezado HD.").arg(tipo));
    a_.pedidos.push_back({RegistroLeido{0, &HD(), {}}, {}});
  } else if (reg.registro == &DT() && a_.pedidos.back().contenedores.empty()) {
    falta(reg.linea, 1, QStringLiteral("Registro DT antes de cualquier contenedor CN de su pedido."));
  }
  std::vector<ContenedorLeido>& contenedores = a_.pedidos.back().contenedores;
  if (reg.registro == &CN()) {
    cerrarContenedor();
    contenedores.push_back({std::move(reg), {}});
    contenedorAbierto_ = true;
    return;
  }
  if (contenedores.empty()) contenedores.push_back({RegistroLeido{0, &CN(), {}}, {}});
  const QString cantidad = reg.texto(dt::kCantidad);
  bool ok = roto(DT().campos[dt::kCantidad], cantidad) < 0 && !cantidad.isEmpty();
  const qint64 centesimos = ok ? cantidad.toLongLong(&ok) : 0;
  if (!conTexto_) reg.campos = {};
  contenedores.back().detalles.push_back({std::move(reg), ok ? centesimos : 0});
  contenedorAbierto_ = false;
}

void Lector::recibir(Renglon r) {
  if (conTexto_) a_.lineas.append(r.texto);
  ++a_.numeroLineas;
  if (retenido_) revisarRenglon(renglon_, &r);
  renglon_ = std::move(r);
  retenido_ = true;
}

void Lector::revisarRenglon(const Renglon& r, const Renglon* siguiente) {
  const int numero = ++numero_;
  const bool entrePedidos = anteriorConTexto_ && siguiente && siguiente->texto.startsWith(HD().tipo);
  anteriorConTexto_ = !r.texto.isEmpty();
  const int n = static_cast<int>(r.texto.size());
  if (r.fin == QStringLiteral("\n"))
    falta(numero, n + 1, QStringLiteral("La línea termina sólo con LF; cada línea del aviso termina con CR LF."));
  else if (r.fin == QStringLiteral("\r"))
    falta(numero, n + 1, QStringLiteral("La línea termina sólo con CR; cada línea del aviso termina con CR LF."));
  else if (r.fin.isEmpty())
    falta(numero, n + 1, QStringLiteral("La última línea no termina con CR LF."));
  for (int k = 0; k < n; ++k)
    if (esControl(r.texto[k]) && a_.listaria(true, numero, k + 1))
      falta(numero, k + 1, nombreControl(r.texto[k]) + QStringLiteral(" en el registro; el aviso no lleva caracteres de control."));
  if (r.texto.isEmpty()) {
    cerrarContenedor();
    if (!entrePedidos) falta(numero, 1, QStringLiteral("Línea vacía fuera del lugar entre dos pedidos."));
    return;
  }
  const QString tipo = r.texto.left(2);
  const Registro* reg = registroDe(tipo);
  if (!reg) {
    falta(numero, 1, QStringLiteral("Tipo de registro desconocido \"%1\": se esperaba HD, CN o DT.").arg(tipo));
    return;
  }
  RegistroLeido leido = cortar(numero, r.texto, *reg);
  if (registros_ < kMaximoRegistros) {
    ordenar(std::move(leido));
    ++registros_;
    return;
  }
  // A container left open at the limit has its lines past it.
  if (registros_++ == kMaximoRegistros) {
    contenedorAbierto_ = false;
    falta(numero, 1, QStringLiteral("El aviso tiene más de %1 registros, muchos más de los que lleva el envío más "
                                    "grande (50,000 líneas): desde esta línea cada registro se revisa, pero no se "
                                    "cuenta en los pedidos, los contenedores ni los totales.")
                         .arg(kMaximoRegistros));
  }
}

void Lector::terminar() {
  if (retenido_) revisarRenglon(renglon_, nullptr);
  retenido_ = false;
  cerrarContenedor();
  bool conEncabezado = false;
  for (const PedidoLeido& p : a_.pedidos) conEncabezado = conEncabezado || p.hd.linea > 0;
  if (!conEncabezado) falta(1, 1, QStringLiteral("El aviso no tiene ningún encabezado HD."));
  a_.ordenarHallazgos();
}

}  // namespace

QString RegistroLeido::texto(int campo) const {
  return campo >= 0 && static_cast<size_t>(campo) < campos.size() ? campos[static_cast<size_t>(campo)].texto
                                                                  : QString();
}

QString RegistroLeido::legible(int campo) const {
  const QString t = texto(campo);
  if (!registro || static_cast<size_t>(campo) >= registro->campos.size()) return t;
  const Campo& c = registro->campos[static_cast<size_t>(campo)];
  const bool digitos = !t.isEmpty() && roto(c, t) < 0;
  if (c.clase == Clase::Fecha && digitos)
    return QDate::fromString(t, QStringLiteral("yyyyMMdd")).toString(QStringLiteral("dd/MM/yyyy"));
  if (registro == &HD() && campo == hd::kHora && t.size() == 4) return t.left(2) + QLatin1Char(':') + t.mid(2);
  if (registro == &HD() && campo == hd::kImporte && digitos) {
    const QString sinCeros = QString::number(t.toLongLong() / 100);
    return sinCeros + QLatin1Char('.') + t.right(2);
  }
  if (registro == &DT() && campo == dt::kCantidad && digitos) return textoPiezas(t.toLongLong());
  if (registro == &HD() && campo == hd::kMovimiento) {
    static const char* nombres[][2] = {{"A", "Alta"}, {"B", "Baja"}, {"C", "Cambio"}, {"M", "Pedido Múltiple"}};
    for (const auto& m : nombres)
      if (t == QLatin1String(m[0])) return t + QStringLiteral(" (") + QString::fromUtf8(m[1]) + QLatin1Char(')');
  }
  return t.trimmed();
}

namespace {
// The sum of one figure over the parts of a notice read back.
template <class T, class Lista, class Cifra>
T sumar(const Lista& lista, Cifra cifra) {
  T n = 0;
  for (const auto& x : lista) n += cifra(x);
  return n;
}
}  // namespace

qint64 ContenedorLeido::centesimos() const {
  return sumar<qint64>(detalles, [](const auto& x) { return x.centesimos; });
}

int PedidoLeido::lineas() const {
  return sumar<int>(contenedores, [](const auto& x) { return static_cast<int>(x.detalles.size()); });
}

qint64 PedidoLeido::centesimos() const {
  return sumar<qint64>(contenedores, [](const auto& x) { return x.centesimos(); });
}

int AvisoLeido::contenedores() const {
  return sumar<int>(pedidos, [](const auto& x) { return static_cast<int>(x.contenedores.size()); });
}

int AvisoLeido::lineasDetalle() const {
  return sumar<int>(pedidos, [](const auto& x) { return x.lineas(); });
}

qint64 AvisoLeido::centesimos() const {
  return sumar<qint64>(pedidos, [](const auto& x) { return x.centesimos(); });
}

namespace {
bool antes(const Hallazgo& x, const Hallazgo& y) {
  if (x.linea != y.linea) return x.linea < y.linea;
  if (x.columna != y.columna) return x.columna < y.columna;
  return x.secuencia < y.secuencia;
}
}  // namespace

void AvisoLeido::hallar(Hallazgo h) {
  ++(h.falta ? faltas_ : advertencias_);
  h.secuencia = secuencia_++;
  hallazgos.push_back(std::move(h));
  // Kept at twice the listed number at most: the first ones stay.
  if (hallazgos.size() >= 2 * static_cast<size_t>(kMaximoHallazgos)) ordenarHallazgos();
}

void AvisoLeido::ordenarHallazgos() {
  std::sort(hallazgos.begin(), hallazgos.end(), antes);
  if (hallazgos.size() < static_cast<size_t>(kMaximoHallazgos)) return;
  hallazgos.resize(kMaximoHallazgos);
  lleno_ = true;
  lineaTope_ = hallazgos.back().linea;
  columnaTope_ = hallazgos.back().columna;
}

bool AvisoLeido::listaria(bool falta, int linea, int columna) {
  // A later finding at the place of the last one kept comes after it.
  if (!lleno_ || linea < lineaTope_ || (linea == lineaTope_ && columna < columnaTope_)) return true;
  ++(falta ? faltas_ : advertencias_);
  ++secuencia_;
  return false;
}

struct LectorAviso::Estado {
  explicit Estado(bool conTexto) : lector(aviso, conTexto) {}
  AvisoLeido aviso;
  Lector lector;
  QByteArray pendiente;  // bytes of a line not yet ended
};

LectorAviso::LectorAviso(bool conTexto) : e_(std::make_unique<Estado>(conTexto)) {}
LectorAviso::~LectorAviso() = default;

void LectorAviso::agregar(const QByteArray& bytes) {
  QByteArray& p = e_->pendiente;
  p.append(bytes);
  qsizetype inicio = 0;
  const qsizetype n = p.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = p[i];
    if (c != '\r' && c != '\n') continue;
    // A CR at the end of what came may be the first half of CR LF.
    if (c == '\r' && i + 1 == n) break;
    const bool crlf = c == '\r' && p[i + 1] == '\n';
    Renglon r{texto::desde1252(p.mid(inicio, i - inicio)),
              crlf ? QStringLiteral("\r\n") : QString(QLatin1Char(c))};
    e_->lector.recibir(std::move(r));
    i += crlf ? 1 : 0;
    inicio = i + 1;
  }
  p.remove(0, inicio);
}

AvisoLeido LectorAviso::terminar() {
  QByteArray& p = e_->pendiente;
  if (p.endsWith('\r')) {
    p.chop(1);
    e_->lector.recibir({texto::desde1252(p), QStringLiteral("\r")});
  } else if (!p.isEmpty()) {
    e_->lector.recibir({texto::desde1252(p), QString()});
  }
  p.clear();
  e_->lector.terminar();
  return std::move(e_->aviso);
}

AvisoLeido leerAviso(const QByteArray& bytes) {
  LectorAviso lector;
  lector.agregar(bytes);
  return lector.terminar();
}

QString textoPiezas(qint64 centesimos) {
  const QString enteras = QString::number(centesimos / 100);
  const qint64 resto = qAbs(centesimos % 100);
  if (resto == 0) return enteras;
  QString decimales = QStringLiteral("%1").arg(resto, 2, 10, QLatin1Char('0'));
  if (decimales.endsWith(QLatin1Char('0'))) decimales.chop(1);
  return enteras + QLatin1Char('.') + decimales;
}

QByteArray textoAviso(const std::vector<QStringList>& registros) {
  QByteArray bytes;
  for (const QStringList& r : registros) {
    bytes += texto::a1252(r.join(QString()));
    bytes += "\r\n";
  }
  return bytes;
}

texto::Resultado escribirAviso(const std::vector<QStringList>& registros, QIODevice& d) {
  return texto::escribirEn(d, textoAviso(registros));
}
