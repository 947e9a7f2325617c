#include "empaque/empaque.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>

#include "editing/container_kinds.h"
#include "editing/detail_rules.h"
#include "empaque/gtin.h"
#include "notice/line_checks.h"
#include "workspace/workspace.h"

namespace {

constexpr int kMaximoMultiplo = 9999;

QString piezasTexto(qint64 n) {
  return n == 1 ? QStringLiteral("1 pieza") : QString::number(n) + QStringLiteral(" piezas");
}

bool soloDigitos(const QString& t) {
  for (QChar c : t)
    if (!c.isDigit()) return false;
  return !t.isEmpty();
}

// Keeps the session's own writes out of the stale-index watch.
class Propio {
 public:
  explicit Propio(bool& b) : b_(b), antes_(b) { b_ = true; }
  ~Propio() { b_ = antes_; }
  Propio(const Propio&) = delete;
  Propio& operator=(const Propio&) = delete;

 private:
  bool& b_;
  bool antes_;
};

}  // namespace

Empaque::Empaque(Workspace& ws) : ws_(ws) { ws_.vaspread1.addObserver(this); }

Empaque::~Empaque() { ws_.vaspread1.removeObserver(this); }

// ------------------------------------------------------------------ the index

qint64 Empaque::cantidad(int fila) const {
  return std::llround(numeroInicial(ws_.vaspread1.vista(colDetalle::Cantidad, fila).toString()));
}

qint64 Empaque::pedida(int fila) const {
  const Grid& g = ws_.vaspread1;
  if (g.colLimit() < colDetalle::Pedida) return -1;
  const QString t = g.vista(colDetalle::Pedida, fila).toString();
  return empiezaConNumero(t) ? std::llround(numeroInicial(t)) : -1;
}

void Empaque::indexar() {
  porArticulo_.clear();
  contenedores_.clear();
  const Grid& g = ws_.vaspread1;
  const int n = g.dataRowCount();
  for (int r = 1; r <= n; ++r) {
    const QString clave = claveUpc(g.vista(colDetalle::Upc, r));
    if (!clave.isNull()) porArticulo_[clave].push_back(r);
    if (!g.vista(colDetalle::Contenedor, r).isEmpty()) sumar(r, +1);
  }
  sucio_ = false;
}

Empaque::Grupo Empaque::grupo(int fila) const {
  const Grid& g = ws_.vaspread1;
  Grupo gr;
  const auto filas = porArticulo_.constFind(claveUpc(g.vista(colDetalle::Upc, fila)));
  if (filas == porArticulo_.constEnd()) return gr;
  const QStringView orden = g.vista(colDetalle::Orden, fila), tienda = g.vista(colDetalle::Tienda, fila),
                   sku = g.vista(colDetalle::Sku, fila);
  bool primera = true;
  for (int r : *filas) {
    if (g.vista(colDetalle::Orden, r) != orden || g.vista(colDetalle::Tienda, r) != tienda ||
        g.vista(colDetalle::Sku, r) != sku)
      continue;
    if (primera) gr.pedida = pedida(r);
    primera = false;
    if (!g.vista(colDetalle::Contenedor, r).isEmpty()) gr.suma += cantidad(r);
  }
  return gr;
}

// Adds (signo +1) or takes away (-1) what line `fila` holds from its
// container's pieces. A line with no container packs nothing: the quantity an
// import gave it is no count of a carton.
void Empaque::sumar(int fila, int signo) {
  const QString c = ws_.vaspread1.text(colDetalle::Contenedor, fila);
  if (c.isEmpty()) return;
  const qint64 q = cantidad(fila) * signo;
  Contenido& k = contenedores_[c];
  k.piezas += q;
  k.lineas += signo;
  if (k.lineas <= 0) {
    contenedores_.remove(c);
  } else if (k.tienda.isEmpty()) {
    k.tienda = ws_.vaspread1.text(colDetalle::Tienda, fila);
    k.depto = ws_.vaspread1.text(colDetalle::Depto, fila);
  }
}

// Line `fila` gets the quantity and container, in the detail grid and the
// order line store, the container's kind beside it, as typing them leaves them.
void Empaque::cambiar(int fila, qint64 q, const QString& contenedor) {
  Propio propio(propio_);
  sumar(fila, -1);
  const QString cantidadTexto = QString::number(q);
  for (Grid* g : {&ws_.vaspread1, &ws_.vaSpread6}) {
    if (g->text(colDetalle::Contenedor, fila) != contenedor) {
      g->setText(colDetalle::Contenedor, fila, contenedor);
      g->setText(colDetalle::TipoEntrega, fila, descripcionContenedor(contenedor));
    }
    g->setText(colDetalle::Cantidad, fila, cantidadTexto);
  }
  sumar(fila, +1);
}

// A copy of line `fila` directly below it, as Duplicar renglón makes it
// (every column, the ordered quantity too), in both tables; returns its row.
int Empaque::copiar(int fila) {
  Propio propio(propio_);
  const int nueva = fila + 1;
  ws_.vaspread1.setRowLimit(qMax(ws_.vaspread1.rowLimit(), ws_.vaspread1.dataRowCount() + 1));
  ws_.vaSpread6.setRowLimit(qMax(ws_.vaSpread6.rowLimit(), ws_.vaspread1.rowLimit()));
  ws_.vaspread1.insertRows(nueva, 1);
  ws_.vaspread1.copiarRenglon(ws_.vaspread1, fila, nueva);
  ws_.vaSpread6.insertRows(nueva, 1);
  ws_.vaSpread6.copiarRenglon(ws_.vaSpread6, fila, nueva);
  for (auto it = porArticulo_.begin(); it != porArticulo_.end(); ++it)
    for (int& r : it.value())
      if (r >= nueva) ++r;
  const QString clave = claveUpc(ws_.vaspread1.vista(colDetalle::Upc, nueva));
  if (!clave.isNull()) {
    std::vector<int>& filas = porArticulo_[clave];
    filas.insert(std::lower_bound(filas.begin(), filas.end(), nueva), nueva);
  }
  sumar(nueva, +1);
  return nueva;
}

// ------------------------------------------------------------------ scans

Escaneo Empaque::escanear(const QString& texto) {
  const QString t = texto.trimmed();
  Comando cmd(ws_, QString());
  ws_.historial.nombrar(QStringLiteral("escanear ") + t);
  asegurarIndice();
  Escaneo e;
  static const QRegularExpression porN(QStringLiteral("^(\\d+)\\s*\\*\\s*(.*)$"));
  const QRegularExpressionMatch m = porN.match(t);
  if (m.hasMatch()) {
    const qint64 n = m.captured(1).size() > 4 ? 0 : m.captured(1).toLongLong();
    const QString codigo = m.captured(2);
    if (n < 1 || n > kMaximoMultiplo) {
      e.mensaje = QStringLiteral("%1*: las piezas de un escaneo van de 1 a %2.").arg(m.captured(1)).arg(kMaximoMultiplo);
    } else if (codigo.isEmpty()) {
      multiplo_ = static_cast<int>(n);
      e.que = Escaneo::Que::Multiplo;
      e.mensaje = QStringLiteral("El siguiente artículo cuenta %1.").arg(piezasTexto(n));
    } else if (!soloDigitos(codigo)) {
      e.mensaje = QStringLiteral("%1*%2: las piezas (N*) van antes de un artículo, no de un contenedor.").arg(n).arg(codigo);
    } else {
      e = articulo(codigo, n);
    }
  } else if (soloDigitos(t)) {
    e = articulo(t, multiplo_);
  } else {
    e = contenedorEscaneado(t);
  }
  if (e.que != Escaneo::Que::Multiplo) multiplo_ = 1;
  ws_.EscribirLog(QStringLiteral("EMPAQUE-----") + t + QStringLiteral("-----") + e.mensaje);
  cmd.fin(e.aceptado() ? Resultado::Hecho : Resultado::Rechazado);
  return e;
}

Escaneo Empaque::contenedorEscaneado(const QString& codigo) {
  Escaneo e;
  const FallaLinea falla = fallaContenedor(codigo);
  if (falla != FallaLinea::Ninguna) {
    e.mensaje = codigo + QStringLiteral(": no es un artículo ni un contenedor. ") + textoFalla(falla).mensaje;
    return e;
  }
  contenedor_ = codigo;
  tiendaElegida_.clear();
  e.que = Escaneo::Que::Contenedor;
  auto it = contenedores_.constFind(codigo);
  if (it == contenedores_.constEnd()) {
    e.mensaje = QStringLiteral("Contenedor ") + codigo + QStringLiteral(" nuevo: el primer artículo dice su tienda.");
  } else {
    e.tienda = it->tienda;
    e.piezas = it->piezas;
    e.mensaje = QStringLiteral("Contenedor ") + codigo + QStringLiteral(" (tienda ") + it->tienda +
                QStringLiteral(", ") + piezasTexto(it->piezas) + QStringLiteral("): se sigue llenando.");
  }
  return e;
}

Escaneo Empaque::fijarTienda(const QString& tienda) {
  Comando cmd(ws_, QString());
  asegurarIndice();
  const QString t = tienda.trimmed();
  Escaneo e;
  const QString actual = this->tienda();
  bool existe = false;
  for (int r = 1, n = ws_.vaspread1.dataRowCount(); r <= n && !existe; ++r)
    existe = ws_.vaspread1.vista(colDetalle::Tienda, r) == t;
  if (contenedor_.isEmpty())
    e.mensaje = QStringLiteral("TIENDA ") + t + QStringLiteral(": escanee antes la etiqueta del contenedor.");
  else if (contenedores_.contains(contenedor_) && actual != t)
    e.mensaje = QStringLiteral("El contenedor ") + contenedor_ + QStringLiteral(" ya es de la tienda ") + actual +
                QStringLiteral(": no puede ir a la tienda ") + t + QStringLiteral(".");
  else if (!existe)
    e.mensaje = QStringLiteral("La tienda ") + t + QStringLiteral(" no tiene renglones en este envío.");
  else {
    tiendaElegida_ = t;
    e.que = Escaneo::Que::Tienda;
    e.tienda = t;
    e.mensaje = QStringLiteral("Contenedor ") + contenedor_ + QStringLiteral(": tienda ") + t + QStringLiteral(".");
  }
  ws_.EscribirLog(QStringLiteral("EMPAQUE-----TIENDA ") + t + QStringLiteral("-----") + e.mensaje);
  cmd.fin(e.aceptado() ? Resultado::Hecho : Resultado::Rechazado);
  return e;
}

// The store of a new container from its first article: the article's only
// store, else the one the clerk chooses among those that still need it.
bool Empaque::elegirTienda(const QString& codigo, const std::vector<int>& filas, qint64 n, QString& tienda,
                           Escaneo& e) {
  QStringList todas, faltan;
  for (int r : filas) {
    const QString t = ws_.vaspread1.text(colDetalle::Tienda, r);
    if (!todas.contains(t)) todas.append(t);
    if (!faltan.contains(t) && grupo(r).cabe(n)) faltan.append(t);
  }
  if (todas.size() == 1) {
    tienda = todas.first();
    return true;
  }
  if (faltan.isEmpty()) {
    e.mensaje = codigo + QStringLiteral(": más de lo pedido en las tiendas ") + todas.join(QStringLiteral(", ")) +
                QStringLiteral(": no cabe") + (n > 1 ? QStringLiteral("n ") : QStringLiteral(" ")) + piezasTexto(n) +
                QStringLiteral(" más en ninguna.");
    return false;
  }
  TiendaEmpaqueModelo modelo;
  modelo.contenedor = contenedor_;
  modelo.articulo = codigo;
  modelo.tiendas = faltan;
  ws_.prompter.ejecutarDialogo(modelo);
  if (modelo.elegida.isEmpty() || !faltan.contains(modelo.elegida)) {
    e.mensaje = codigo + QStringLiteral(" va a las tiendas ") + faltan.join(QStringLiteral(", ")) +
                QStringLiteral(": no se dijo la tienda del contenedor ") + contenedor_ +
                QStringLiteral(" (en un archivo de escaneos, un renglón TIENDA NNNN antes del artículo).");
    return false;
  }
  tiendaElegida_ = tienda = modelo.elegida;
  return true;
}

Escaneo Empaque::articulo(const QString& codigo, qint64 n) {
  Escaneo e;
  const QString clave = claveGtin(codigo);
  const auto hallado = clave.isNull() ? porArticulo_.constEnd() : porArticulo_.constFind(clave);
  if (hallado == porArticulo_.constEnd()) {
    e.mensaje = codigo + QStringLiteral(": no es un artículo de este envío.");
    if (clave.isNull())
      e.mensaje += QStringLiteral(" Un código de artículo tiene de 8 a 14 dígitos.");
    else if (!digitoVerificadorBueno(codigo))
      e.mensaje += QStringLiteral(" Su dígito verificador no cuadra: probablemente se leyó mal; escanéelo otra vez.");
    return e;
  }
  if (contenedor_.isEmpty()) {
    e.mensaje = codigo + QStringLiteral(": escanee antes la etiqueta del contenedor.");
    return e;
  }
  const std::vector<int> filas = hallado.value();  // a copy: a new line renumbers the index
  const auto contenido = contenedores_.constFind(contenedor_);
  QString tienda = contenido != contenedores_.constEnd() ? contenido->tienda : tiendaElegida_;
  if (tienda.isEmpty() && !elegirTienda(codigo, filas, n, tienda, e)) return e;
  const QString depto = contenido != contenedores_.constEnd() ? contenido->depto : QString();

  std::vector<int> deTienda;
  for (int r : filas)
    if (ws_.vaspread1.vista(colDetalle::Tienda, r) == tienda) deTienda.push_back(r);
  if (deTienda.empty()) {
    e.mensaje = codigo + QStringLiteral(": no va a la tienda ") + tienda + QStringLiteral(" del contenedor ") +
                contenedor_ + QStringLiteral(".");
    return e;
  }
  if (!depto.isEmpty()) {
    const auto otro = std::remove_if(deTienda.begin(), deTienda.end(), [&](int r) {
      return ws_.vaspread1.vista(colDetalle::Depto, r) != depto;
    });
    if (otro == deTienda.begin()) {
      e.mensaje = codigo + QStringLiteral(": ") + textoFalla(FallaLinea::DosDepartamentos).mensaje;
      return e;
    }
    deTienda.erase(otro, deTienda.end());
  }
  // Its line in this container, a line not packed yet, or a new line.
  for (int r : deTienda)
    if (ws_.vaspread1.vista(colDetalle::Contenedor, r) == contenedor_ && grupo(r).cabe(n)) {
      cambiar(r, cantidad(r) + n, contenedor_);
      return anotado(r, codigo, n);
    }
  for (int r : deTienda)
    if (ws_.vaspread1.isEmpty(colDetalle::Contenedor, r) && grupo(r).cabe(n)) {
      cambiar(r, n, contenedor_);
      return anotado(r, codigo, n);
    }
  for (auto it = deTienda.rbegin(); it != deTienda.rend(); ++it)
    if (grupo(*it).cabe(n)) {
      const int nueva = copiar(*it);
      cambiar(nueva, n, contenedor_);
      return anotado(nueva, codigo, n);
    }
  // Beyond the ordered quantity: say what the order asked for and what is packed.
  const int f = deTienda.front();
  const Grupo g = grupo(f);
  e.mensaje = codigo + QStringLiteral(": más de lo pedido. La orden ") + ws_.vaspread1.text(colDetalle::Orden, f) +
              QStringLiteral(" pidió ") + piezasTexto(g.pedida) + QStringLiteral(" para la tienda ") + tienda +
              QStringLiteral(" y ya van %1 empacadas.").arg(g.suma);
  if (n > 1) e.mensaje += QStringLiteral(" No caben %1 más.").arg(n);
  return e;
}

Escaneo Empaque::anotado(int fila, const QString& codigo, qint64 n) {
  Escaneo e;
  e.que = Escaneo::Que::Articulo;
  e.fila = fila;
  e.tienda = ws_.vaspread1.text(colDetalle::Tienda, fila);
  e.orden = ws_.vaspread1.text(colDetalle::Orden, fila);
  e.sku = ws_.vaspread1.text(colDetalle::Sku, fila);
  e.piezas = cantidad(fila);
  e.pedidas = grupo(fila).pedida;
  e.mensaje = (n > 1 ? QStringLiteral("+%1 ").arg(n) : QStringLiteral("+1 ")) + codigo + QStringLiteral(": renglón ") +
              QString::number(fila) + QStringLiteral(", tienda ") + e.tienda + QStringLiteral(", orden ") + e.orden +
              QStringLiteral(", SKU ") + e.sku + QStringLiteral(": ") + QString::number(e.piezas) +
              QStringLiteral(" en este contenedor / ") +
              (e.pedidas < 0 ? QStringLiteral("sin cantidad pedida") : QString::number(e.pedidas) + QStringLiteral(" pedidas"));
  ws_.cursor(ws_.vaspread1, colDetalle::Cantidad, fila);
  return e;
}

// ------------------------------------------------------------------ the container

QString Empaque::tienda() {
  asegurarIndice();
  const auto it = contenedores_.constFind(contenedor_);
  return it != contenedores_.constEnd() ? it->tienda : tiendaElegida_;
}

qint64 Empaque::piezas() {
  asegurarIndice();
  const auto it = contenedores_.constFind(contenedor_);
  return it != contenedores_.constEnd() ? it->piezas : 0;
}

QString Empaque::estado() {
  QString t = QStringLiteral("EMPACANDO");
  if (contenedor_.isEmpty()) return t + QStringLiteral(" · escanee la etiqueta de un contenedor");
  const QString tienda = this->tienda();
  t += QStringLiteral(" · contenedor ") + contenedor_ + QStringLiteral(" · tienda ") +
       (tienda.isEmpty() ? QStringLiteral("(la dirá el primer artículo)") : tienda) + QStringLiteral(" · ") +
       piezasTexto(piezas());
  if (multiplo_ > 1) t += QStringLiteral(" · siguiente: %1*").arg(multiplo_);
  return t;
}

Empaque::Cierre Empaque::cerrarContenedor() {
  Cierre c;
  c.contenedor = contenedor_;
  c.tienda = tienda();
  c.piezas = piezas();
  const Grid& g = ws_.vaspread1;
  if (!contenedor_.isEmpty())
    for (int r = 1, n = g.dataRowCount(); r <= n; ++r)
      if (g.vista(colDetalle::Contenedor, r) == contenedor_) c.filas.push_back(r);
  if (!contenedor_.isEmpty())
    ws_.EscribirLog(QStringLiteral("EMPAQUE-----cerrar ") + contenedor_ + QStringLiteral("-----") +
                    piezasTexto(c.piezas));
  contenedor_.clear();
  tiendaElegida_.clear();
  multiplo_ = 1;
  return c;
}

std::vector<int> Empaque::sinEscanear() const {
  std::vector<int> filas;
  const Grid& g = ws_.vaspread1;
  for (int r = 1, n = g.dataRowCount(); r <= n; ++r)
    if (g.vista(colDetalle::Contenedor, r).trimmed().isEmpty()) filas.push_back(r);
  return filas;
}

int Empaque::quitarSinEscanear(QStringList* ordenesQuitadas) {
  Comando cmd(ws_, QString());
  ws_.historial.nombrar(QStringLiteral("quitar renglones sin escanear"));
  const std::vector<int> filas = sinEscanear();
  if (filas.empty()) {
    cmd.fin(Resultado::Rechazado);
    return 0;
  }
  std::vector<bool> quedan(static_cast<size_t>(ws_.vaspread1.dataRowCount()), true);
  for (int r : filas) quedan[static_cast<size_t>(r - 1)] = false;
  ws_.vaspread1.retainRows(quedan);
  ws_.vaSpread6.retainRows(quedan);
  ws_.EscribirLog(QStringLiteral("EMPAQUE-----quitar %1 renglones sin escanear").arg(filas.size()));
  QSet<QString> conLineas;
  for (int r = 1, n = ws_.vaspread1.dataRowCount(); r <= n; ++r) conLineas.insert(ws_.vaspread1.text(colDetalle::Orden, r));
  Grid& pedidos = ws_.vaSpread9;
  std::vector<bool> pedidosQuedan(static_cast<size_t>(pedidos.dataRowCount()), true);
  bool sinLineas = false;
  for (int r = 1; r <= pedidos.dataRowCount(); ++r) {
    const QString orden = pedidos.text(colPedidos::Orden, r);
    if (orden.isEmpty() || conLineas.contains(orden)) continue;
    pedidosQuedan[static_cast<size_t>(r - 1)] = false;
    sinLineas = true;
    if (ordenesQuitadas) ordenesQuitadas->append(orden);
    ws_.EscribirLog(QStringLiteral("EMPAQUE-----quitar la orden ") + orden + QStringLiteral(" sin renglones"));
  }
  if (sinLineas) pedidos.retainRows(pedidosQuedan);
  cmd.fin(Resultado::Hecho);
  return static_cast<int>(filas.size());
}
