#include "envio/trabajo.h"

namespace trabajo {
const QString kFirma = QStringLiteral("DUDIZOD3.0");
}  // namespace trabajo

namespace {

constexpr int kPrimeraLinea = 8;

// First cell of a line.
QStringView primera(const QString& s) {
  const qsizetype tab = s.indexOf(QLatin1Char('\t'));
  return QStringView(s).left(tab < 0 ? s.size() : tab);
}

// A line cut after `limite` cells, its trailing empty cells left out.
void recortar(QString& s, int limite) {
  if (limite <= 0) {
    s.clear();
    return;
  }
  qsizetype tabs = 0, i = 0;
  for (; i < s.size(); ++i)
    if (s[i] == QLatin1Char('\t') && ++tabs == limite) break;
  s.truncate(i);
  qsizetype len = s.size();
  while (len > 0 && s[len - 1] == QLatin1Char('\t')) --len;
  s.truncate(len);
}

}  // namespace

ArchivoTrabajo leerTrabajo(QByteArray bytes, int limiteColumnas) {
  ArchivoTrabajo a;
  if (!texto::esTexto(bytes)) {
    a.falla = {Falla::Tipo::NoEsTexto, 0, 0};
    return a;
  }
  if (bytes.endsWith('\x1A')) bytes.chop(1);
  const bool conSaltoFinal = bytes.endsWith('\n') || bytes.endsWith('\r');
  QStringList lineas = texto::partirLineas(texto::desde1252(bytes));
  bytes.clear();
  for (int i = 0; i < lineas.size(); ++i) {
    QString& s = lineas[i];
    recortar(s, limiteColumnas);
    if (s.isEmpty()) continue;
    a.ultima = i + 1;
    a.columnas = qMax(a.columnas, static_cast<int>(s.count(QLatin1Char('\t'))) + 1);
  }
  if (a.ultima == 0) {
    a.falla = {Falla::Tipo::SinLineas, 0, 0};
    return a;
  }
  const auto firma = [&lineas, &a](int l) { return l >= 1 && l <= a.ultima && primera(lineas[l - 1]).contains(trabajo::kFirma); };
  int finDetalle = a.ultima + 1;
  for (int l = kPrimeraLinea; l <= a.ultima; ++l)
    if (firma(l)) {
      finDetalle = l;
      break;
    }
  // With the mark on the first detail line itself the file has no detail
  // lines and that line is its trailer, even when an order line further down
  // holds the mark too.
  a.trailer = a.ultima + 1;
  if (firma(kPrimeraLinea)) {
    a.trailer = kPrimeraLinea;
  } else {
    for (int l = kPrimeraLinea + 1; l <= a.ultima; ++l)
      if (firma(l)) {
        a.trailer = l;
        break;
      }
  }
  const bool esTrabajo = a.ultima >= 1 && primera(lineas[0]) == trabajo::kFirma;
  if (esTrabajo && a.trailer > a.ultima) {
    a.falla = {Falla::Tipo::TrabajoIncompleto, a.ultima + 1, 0};
    return a;
  }
  if (esTrabajo && a.ultima > a.trailer && !conSaltoFinal) {
    a.falla = {Falla::Tipo::TrabajoIncompleto, a.ultima, 0};
    return a;
  }
  a.encabezado = lineas.mid(0, qMin(kPrimeraLinea - 1, a.ultima));
  if (finDetalle > kPrimeraLinea) a.detalle = lineas.mid(kPrimeraLinea - 1, finDetalle - kPrimeraLinea);
  if (a.trailer < a.ultima) a.ordenes = lineas.mid(a.trailer, a.ultima - a.trailer);
  return a;
}

QStringList ArchivoTrabajo::campos() const {
  return encabezado.size() >= 7 ? encabezado[6].split(QLatin1Char('\t')) : QStringList();
}

std::vector<Linea> ArchivoTrabajo::lineas() const {
  std::vector<Linea> out;
  out.reserve(static_cast<size_t>(detalle.size()));
  for (const QString& l : detalle) out.push_back(Linea::deCeldas(l.split(QLatin1Char('\t'))));
  return out;
}

std::vector<Orden> ArchivoTrabajo::pedidos() const {
  std::vector<Orden> out;
  out.reserve(static_cast<size_t>(ordenes.size()));
  for (const QString& l : ordenes) out.push_back(Orden::deCeldas(l.split(QLatin1Char('\t'))));
  return out;
}

texto::Resultado escribirTrabajo(const QStringList& imagen, const QStringList& ordenes, QIODevice& d) {
  const texto::Resultado r = texto::escribirEn(d, texto::unirLineas(imagen));
  if (!r.ok) return r;
  return texto::escribirEn(d, texto::unirLineas(ordenes));
}
