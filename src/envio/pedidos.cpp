#include "envio/pedidos.h"

#include "envio/texto.h"

namespace {

// Where the first byte that is no text stands; {0, 0} when all are text.
std::pair<int, int> primerNoTexto(const QByteArray& bytes) {
  int linea = 1, columna = 1;
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n; ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b == '\n') {
      ++linea;
      columna = 1;
      continue;
    }
    if (b >= 0x20 || b == '\t' || b == '\r' || b == '\f' || (b == 0x1A && i == n - 1)) {
      ++columna;
      continue;
    }
    return {linea, columna};
  }
  return {0, 0};
}

}  // namespace

ArchivoPedidos leerPedidos(QByteArray bytes, char separador) {
  ArchivoPedidos a;
  if (!texto::esTexto(bytes)) {
    const auto donde = primerNoTexto(bytes);
    a.falla = {Falla::Tipo::NoEsTexto, donde.first, donde.second};
    return a;
  }
  if (bytes.endsWith('\x1A')) bytes.chop(1);
  const bool sinFinal = !bytes.endsWith('\n') && !bytes.endsWith('\r');
  // One byte for another, in place: the tab copy costs no copy of the text.
  if (separador != '\t') bytes.replace(separador, '\t');
  a.lineas = texto::partirLineas(texto::desde1252(bytes));
  bytes.clear();
  qsizetype n = a.lineas.size();
  while (n > 0 && a.lineas[n - 1].isEmpty()) --n;
  if (n == 0) {
    a.lineas.clear();
    a.falla = {Falla::Tipo::SinLineas, 0, 0};
    return a;
  }
  if (sinFinal && n == a.lineas.size() && n >= 2) {
    const qsizetype tiene = a.lineas[n - 1].count(QLatin1Char('\t'));
    if (tiene < a.lineas[n - 2].count(QLatin1Char('\t'))) {
      a.falla = {Falla::Tipo::RenglonCortado, static_cast<int>(n), static_cast<int>(tiene) + 2};
      a.lineas.clear();
      return a;
    }
  }
  a.lineas.resize(n);
  return a;
}

std::vector<Linea> ArchivoPedidos::pedidos() const {
  std::vector<Linea> out;
  out.reserve(static_cast<size_t>(qMax<qsizetype>(0, lineas.size() - 1)));
  for (qsizetype i = 1; i < lineas.size(); ++i) out.push_back(Linea::deCeldas(lineas[i].split(QLatin1Char('\t'))));
  return out;
}
