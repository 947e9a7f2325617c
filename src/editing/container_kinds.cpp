#include "editing/container_kinds.h"

#include <iterator>
#include <vector>

namespace {
struct Clase {
  QChar letra;
  const char16_t* descripcion;
};

// In the order the letters are tested; the letters are distinct, so the order
// does not change any result.
const Clase kClases[] = {
    {u'B', u"Cajas - azules"}, {u'S', u"Cajas - azules"},  {u'P', u"Pallets"},
    {u'A', u"Cajas - azules"}, {u'C', u"Cajas - cartón"},  {u'V', u"Cajas - verdes"},
    {u'Q', u"Tarima"},         {u'R', u"Refrigerado"},     {u'F', u"Frágil"},
    {u'E', u"Contenedor Verde Mediano"},                   {u'G', u"Cartón Grande"},
    {u'H', u"Colgado"},        {u'D', u"C. Azul Normal"},  {u'I', u"C. Azul Chico"},
};
}  // namespace

const QString kMensajeContenedor =
    QStringLiteral("El contenedor debe comenzar con A, B, C, D, E, F, G, H, I, P, Q, R, S ó V");

QString descripcionContenedor(QStringView codigo) {
  // Built once: every detail line of a notice asks, and a shared copy costs no allocation.
  static const std::vector<QString> textos = [] {
    std::vector<QString> t;
    for (const Clase& c : kClases) t.push_back(QString::fromUtf16(c.descripcion));
    return t;
  }();
  if (codigo.isEmpty()) return QString();
  const QChar primera = codigo.at(0);
  for (size_t i = 0; i < std::size(kClases); ++i)
    if (kClases[i].letra == primera) return textos[i];
  return QString();
}

bool contenedorValido(QStringView codigo) { return !descripcionContenedor(codigo).isNull(); }
