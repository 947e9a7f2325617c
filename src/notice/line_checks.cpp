#include "notice/line_checks.h"

#include <QRegularExpression>

#include "editing/container_kinds.h"
#include "editing/detail_rules.h"
#include "envio/registros.h"
#include "workspace/workspace.h"

namespace {

// Fields of the notice a longer value overflows.
constexpr int kAnchoVorarido = 4, kAnchoOrden = 9, kAnchoFactura = 13;

bool soloDigitos(QStringView t) {
  for (QChar c : t)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return !t.isEmpty();
}

// a > b for two texts of digits, without reading them as numbers (no overflow).
bool mayorDigitos(QStringView a, QStringView b) {
  while (a.size() > 1 && a.front() == QLatin1Char('0')) a = a.mid(1);
  while (b.size() > 1 && b.front() == QLatin1Char('0')) b = b.mid(1);
  if (a.size() != b.size()) return a.size() > b.size();
  return a.compare(b) > 0;
}

// Above the ordered quantity, read as the typing rule reads both (the number
// the text begins with); a line without an ordered quantity has no limit.
bool cantidadMayor(QStringView cantidad, QStringView pedida) {
  if (pedida.isEmpty()) return false;
  const QStringView q = cantidad.trimmed();
  if (soloDigitos(q) && soloDigitos(pedida)) return mayorDigitos(q, pedida);
  if (!empiezaConNumero(pedida.toString())) return false;
  return numeroInicial(q.toString()) > numeroInicial(pedida.toString());
}

}  // namespace

FallaLinea RevisionLinea::primera() const {
  if (cantidad != FallaLinea::Ninguna) return cantidad;
  if (contenedor != FallaLinea::Ninguna) return contenedor;
  return coherencia;
}

TextoFalla textoFalla(FallaLinea f) {
  const QString incompletos = QStringLiteral("Datos Incompletos");
  switch (f) {
    case FallaLinea::Ninguna: break;
    case FallaLinea::CantidadEnBlanco:
      return {QStringLiteral("ERROR, no puede haber cantidades en blanco!"), incompletos, colDetalle::Cantidad};
    case FallaLinea::CantidadCero:
      return {QStringLiteral("ERROR, no puede haber cantidades = 0!"), incompletos, colDetalle::Cantidad};
    case FallaLinea::CantidadNoEntera:
      return {QStringLiteral("ERROR, las cantidades deben ser números enteros mayores que 0!"),
              QStringLiteral("Datos incorrectos"), colDetalle::Cantidad};
    case FallaLinea::CantidadGrande:
      return {QStringLiteral("ERROR, la cantidad no cabe en el campo cantidad del aviso: %1 piezas como máximo!")
                  .arg(maximoCantidad()),
              QStringLiteral("Datos incorrectos"), colDetalle::Cantidad};
    case FallaLinea::SumaGrande:
      return {QStringLiteral("ERROR, los renglones repetidos (misma orden, tienda, SKU y contenedor) suman más "
                             "piezas de las que caben en el campo cantidad del aviso: %1 como máximo!")
                  .arg(maximoCantidad()),
              QStringLiteral("Datos incorrectos"), colDetalle::Cantidad};
    case FallaLinea::ContenedorEnBlanco:
      return {QStringLiteral("ERROR: El contenedor esta en blanco!"), QString(), colDetalle::Contenedor};
    case FallaLinea::ContenedorLetra: return {kMensajeContenedor, QString(), colDetalle::Contenedor};
    case FallaLinea::ContenedorCorto:
      return {QStringLiteral("INCOMPLETO: El contenedor debe tener 9 digitos"), QString(), colDetalle::Contenedor};
    case FallaLinea::DosTiendas:
      return {QStringLiteral("ERROR: No puede ir un contenedor a dos Tiendas diferentes"), QString(), colDetalle::Contenedor};
    case FallaLinea::DosDepartamentos:
      return {QStringLiteral("ERROR: No puede ir un contenedor a dos Departamentos diferentes"), QString(),
              colDetalle::Contenedor};
  }
  return {};
}

QStringList textosAvisos(unsigned char avisos) {
  QStringList t;
  if (avisos & CantidadMayor) t << QStringLiteral("La cantidad es mayor que la cantidad pedida.");
  if (avisos & VoraridoLargo)
    t << QStringLiteral("El Num de Vorarido de la orden tiene más de 4 caracteres: el aviso lo escribe completo y "
                        "recorre los campos siguientes.");
  if (avisos & OrdenLarga)
    t << QStringLiteral("La orden de compra tiene más de 9 caracteres: el aviso la escribe completa y recorre los "
                        "campos siguientes.");
  if (avisos & FacturaLarga)
    t << QStringLiteral("La factura de la orden tiene más de 13 caracteres: el aviso la escribe completa y recorre "
                        "los campos siguientes.");
  return t;
}

qint64 maximoCantidad() {
  static const qint64 maximo = [] {
    qint64 m = 1;
    for (int i = 0; i < registro::DT().campos[registro::dt::kCantidad].ancho - 2; ++i) m *= 10;
    return m - 1;
  }();
  return maximo;
}

// A whole number greater than zero that fits the DT record's quantity field.
FallaLinea fallaCantidad(QStringView cantidad) {
  const QStringView t = cantidad.trimmed();
  if (t.isEmpty()) return FallaLinea::CantidadEnBlanco;
  // Digits only, the usual case, is settled without a copy: zero when every digit is.
  bool digitos = true, cero = true;
  for (QChar c : t) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
      digitos = false;
      break;
    }
    if (c != QLatin1Char('0')) cero = false;
  }
  if (digitos && !cero) {
    // Leading zeros are not written; the digits left must fit the field.
    QStringView valor = t;
    while (valor.front() == QLatin1Char('0')) valor = valor.mid(1);
    const qsizetype ancho = QString::number(maximoCantidad()).size();
    return valor.size() > ancho ? FallaLinea::CantidadGrande : FallaLinea::Ninguna;
  }
  static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
  const QString texto = t.toString();
  if (numero.match(texto).hasMatch() && texto.toDouble() == 0.0) return FallaLinea::CantidadCero;
  return FallaLinea::CantidadNoEntera;
}

// A valid first letter and nine characters at least, blanks around not counted.
FallaLinea fallaContenedor(QStringView contenedor) {
  const QStringView recortado = contenedor.trimmed();
  if (recortado.isEmpty()) return FallaLinea::ContenedorEnBlanco;
  if (!contenedorValido(contenedor)) return FallaLinea::ContenedorLetra;
  if (recortado.size() < 9) return FallaLinea::ContenedorCorto;
  return FallaLinea::Ninguna;
}

RevisionDetalle::RevisionDetalle(const Grid& detalle, const Grid& encabezado)
    : g_(detalle), lineas_(detalle.dataRowCount()) {
  contenedores_.reserve(lineas_);
  for (int j = 1; j <= lineas_; ++j) {
    QString cont = g_.vista(colDetalle::Contenedor, j).toString();
    auto it = contenedores_.find(cont);
    if (it == contenedores_.end()) {
      contenedores_.insert(std::move(cont), Grupo{j, FallaLinea::Ninguna});
      continue;
    }
    // The first line that disagrees with the container's first line names the conflict.
    if (it->conflicto == FallaLinea::Ninguna) it->conflicto = comparar(it->primera, j);
  }
  leerEncabezado(encabezado);
}

RevisionDetalle::RevisionDetalle(const Grid& detalle, const Grid& encabezado, SinContenedores)
    : g_(detalle), lineas_(detalle.dataRowCount()) {
  leerEncabezado(encabezado);
}

void RevisionDetalle::leerEncabezado(const Grid& encabezado) {
  for (int i = 1; i <= encabezado.dataRowCount(); ++i) {
    unsigned char a = 0;
    if (encabezado.vista(colPedidos::NumVorarido, i).size() > kAnchoVorarido) a |= VoraridoLargo;
    if (encabezado.vista(colPedidos::Factura, i).size() > kAnchoFactura) a |= FacturaLarga;
    if (a) avisosOrden_[encabezado.text(colPedidos::Orden, i)] |= a;
  }
}

FallaLinea RevisionDetalle::comparar(int primera, int fila) const {
  if (g_.vista(colDetalle::Tienda, primera) != g_.vista(colDetalle::Tienda, fila)) return FallaLinea::DosTiendas;
  if (g_.vista(colDetalle::Depto, primera) != g_.vista(colDetalle::Depto, fila)) return FallaLinea::DosDepartamentos;
  return FallaLinea::Ninguna;
}

RevisionLinea RevisionDetalle::linea(int fila) const {
  const auto it = contenedores_.constFind(g_.vista(colDetalle::Contenedor, fila).toString());
  if (it == contenedores_.constEnd()) return linea(fila, 0, FallaLinea::Ninguna);
  return linea(fila, it->primera, it->conflicto);
}

RevisionLinea RevisionDetalle::linea(int fila, int primera, FallaLinea conflicto) const {
  RevisionLinea r;
  r.cantidad = fallaCantidad(g_.vista(colDetalle::Cantidad, fila));
  const QStringView cont = g_.vista(colDetalle::Contenedor, fila);
  r.contenedor = fallaContenedor(cont);
  // Lines of one container share its code, so a faulty code is faulty on all of
  // them; they are compared only when the code itself is sound.
  if (r.contenedor == FallaLinea::Ninguna && primera > 0)
    r.coherencia = primera == fila ? conflicto : comparar(primera, fila);
  if (g_.colLimit() >= colDetalle::Pedida && cantidadMayor(g_.vista(colDetalle::Cantidad, fila), g_.vista(colDetalle::Pedida, fila)))
    r.avisos |= CantidadMayor;
  const QStringView orden = g_.vista(colDetalle::Orden, fila);
  if (orden.size() > kAnchoOrden) r.avisos |= OrdenLarga;
  if (!avisosOrden_.isEmpty()) r.avisos |= avisosOrden_.value(orden.toString(), 0);
  return r;
}

RevisionDetalle::Primera RevisionDetalle::primeraFalla() const {
  for (int i = 1; i <= lineas_; ++i) {
    const FallaLinea f = fallaCantidad(g_.vista(colDetalle::Cantidad, i));
    if (f != FallaLinea::Ninguna) return {i, f};
  }
  for (int i = 1; i <= lineas_; ++i) {
    const FallaLinea f = fallaContenedor(g_.vista(colDetalle::Contenedor, i));
    if (f != FallaLinea::Ninguna) return {i, f};
  }
  // Every line of a conflicting container disagrees with its first line, which
  // is reported: the earliest first line of a container in conflict.
  Primera p;
  for (const Grupo& grupo : contenedores_)
    if (grupo.conflicto != FallaLinea::Ninguna && (p.fila == 0 || grupo.primera < p.fila))
      p = {grupo.primera, grupo.conflicto};
  return p;
}

int filaSumaGrande(const Grid& g) {
  const int lineas = g.dataRowCount();
  QHash<QString, std::pair<int, qint64>> grupos;  // key -> first row, sum
  grupos.reserve(lineas);
  for (int j = 1; j <= lineas; ++j) {
    QString clave;
    for (int c : {colDetalle::Orden, colDetalle::Tienda, colDetalle::Sku, colDetalle::Contenedor})
      clave += g.vista(c, j).toString() + QChar(0);
    auto& grupo = grupos[clave];
    if (grupo.first == 0) grupo.first = j;
    // Each quantity fits the field, so 50,000 of them cannot overflow the sum.
    grupo.second += g.vista(colDetalle::Cantidad, j).trimmed().toLongLong();
  }
  int fila = 0;
  for (const auto& grupo : std::as_const(grupos))
    if (grupo.second > maximoCantidad() && (fila == 0 || grupo.first < fila)) fila = grupo.first;
  return fila;
}

void avisarFalla(Workspace& ws, int fila, FallaLinea falla) {
  const TextoFalla t = textoFalla(falla);
  const bool grande = falla == FallaLinea::CantidadGrande || falla == FallaLinea::SumaGrande;
  ws.MsgBox(grande ? t.mensaje + QStringLiteral("\r\n\r\nEn el renglón:  ") + QString::number(fila) : t.mensaje,
            Botones::Ok, t.titulo);
  ws.cursor(ws.vaspread1, t.columna, fila);
  ws.foco = QStringLiteral("vaspread1");
}
