#include "app/marcas.h"

#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cstdlib>

#include "workspace/columnas.h"

namespace {

// The warnings each column carries: the quantity its own, the order its order's values.
constexpr unsigned char kAvisosCantidad = CantidadMayor;
constexpr unsigned char kAvisosOrden = VoraridoLargo | OrdenLarga | FacturaLarga;

FallaLinea fallaDeColumna(const RevisionLinea& r, int col) {
  if (col == colDetalle::Cantidad) return r.cantidad;
  if (col == colDetalle::Contenedor) return r.contenedor != FallaLinea::Ninguna ? r.contenedor : r.coherencia;
  return FallaLinea::Ninguna;
}

unsigned char avisosDeColumna(const RevisionLinea& r, int col) {
  if (col == colDetalle::Cantidad) return r.avisos & kAvisosCantidad;
  if (col == colDetalle::Orden) return r.avisos & kAvisosOrden;
  return 0;
}

// The columns the checks and the totals read.
bool columnaRevisada(int col1, int col2) {
  if (col1 <= 0) return true;
  for (int c : {colDetalle::Orden, colDetalle::Depto, colDetalle::Tienda, colDetalle::Cantidad, colDetalle::Contenedor,
                colDetalle::Pedida})
    if (c >= col1 && c <= col2) return true;
  return false;
}

bool sano(const QString& contenedor) { return fallaContenedor(contenedor) == FallaLinea::Ninguna; }

void quitarFila(std::vector<int>& filas, int fila) {
  const auto it = std::lower_bound(filas.begin(), filas.end(), fila);
  if (it != filas.end() && *it == fila) filas.erase(it);
}

void ponerFila(std::vector<int>& filas, int fila) {
  const auto it = std::lower_bound(filas.begin(), filas.end(), fila);
  if (it == filas.end() || *it != fila) filas.insert(it, fila);
}

}  // namespace

// Hears one grid: the detail grid's changed lines, or that the per-order table changed.
class MarcasDetalle::Observador : public GridObserver {
 public:
  Observador(MarcasDetalle& m, Grid& g, bool detalle) : m_(m), g_(g), detalle_(detalle) {
    g_.addObserver(this);
  }
  ~Observador() override { g_.removeObserver(this); }
  void cellsChanged(int col1, int row1, int col2, int row2) override {
    if (!detalle_) {
      m_.encabezado_ = true;
      return;
    }
    if (row1 >= 1 && columnaRevisada(col1, col2)) m_.cambio(row1, row2);
  }
  void rowsInserted(int, int) override { todo(); }
  void rowsRemoved(int, int) override { todo(); }
  void gridReset() override { todo(); }

 private:
  void todo() {
    if (detalle_) m_.todo_ = true;
    else m_.encabezado_ = true;
  }
  MarcasDetalle& m_;
  Grid& g_;
  bool detalle_;
};

MarcasDetalle::MarcasDetalle(Grid& detalle, Grid& encabezado)
    : detalle_(detalle),
      encabezado_grid_(encabezado),
      obsDetalle_(std::make_unique<Observador>(*this, detalle, true)),
      obsEncabezado_(std::make_unique<Observador>(*this, encabezado, false)) {}

MarcasDetalle::~MarcasDetalle() = default;

void MarcasDetalle::cambio(int fila1, int fila2) {
  if (todo_) return;
  // More lines than a whole review costs: that review, once.
  const size_t limite = lineas_.size() / 4 + 64;
  if (static_cast<size_t>(fila2 - fila1) + 1 + cambiadas_.size() > limite) {
    todo_ = true;
    cambiadas_.clear();
    return;
  }
  for (int f = fila1; f <= fila2; ++f) cambiadas_.push_back(f);
}

void MarcasDetalle::leerRenglon(int fila, Renglon& r) const {
  r.contenedor = detalle_.vista(colDetalle::Contenedor, fila).toString();
  const QStringView recortado = QStringView(r.contenedor).trimmed();
  r.recortado = recortado.size() == r.contenedor.size() ? r.contenedor : recortado.toString();
  r.orden = detalle_.vista(colDetalle::Orden, fila).toString();
  r.piezas = piezasDe(detalle_.vista(colDetalle::Cantidad, fila));
}

void MarcasDetalle::sumar(int fila, int signo) {
  const Renglon& r = lineas_[static_cast<size_t>(fila - 1)];
  piezas_ += signo * r.piezas;
  if (!r.recortado.isEmpty()) {
    Acumulado& a = porContenedor_[r.recortado];
    a.lineas += signo;
    a.piezas += signo * r.piezas;
    if (a.lineas == 0) porContenedor_.remove(r.recortado);
  }
  DeOrden& o = porOrden_[r.orden];
  o.lineas += signo;
  o.piezas += signo * r.piezas;
  if (!r.recortado.isEmpty()) {
    int& c = o.contenedores[r.recortado];
    c += signo;
    if (c == 0) o.contenedores.remove(r.recortado);
  }
  if (o.lineas == 0) porOrden_.remove(r.orden);
}

void MarcasDetalle::ponerRevision(int fila, const RevisionLinea& nueva) {
  RevisionLinea& r = lineas_[static_cast<size_t>(fila - 1)].r;
  if (r.rechazada()) --errores_;
  else if (r.avisos) --avisos_;
  r = nueva;
  if (r.rechazada()) ++errores_;
  else if (r.avisos) ++avisos_;
  ++revisadas_;
}

// Every line of a container: its first line decides where the container
// goes, and the first line that disagrees names the container's conflict.
void MarcasDetalle::revisarGrupo(const QString& clave, const RevisionDetalle& rev) {
  const auto it = grupos_.constFind(clave);
  if (it == grupos_.constEnd()) return;
  const std::vector<int>& filas = *it;
  if (!sano(clave)) {
    for (int f : filas) ponerRevision(f, rev.linea(f, 0, FallaLinea::Ninguna));
    return;
  }
  const int primera = filas.front();
  FallaLinea conflicto = FallaLinea::Ninguna;
  for (size_t k = 1; k < filas.size(); ++k) {
    const RevisionLinea r = rev.linea(filas[k], primera, FallaLinea::Ninguna);
    if (conflicto == FallaLinea::Ninguna) conflicto = r.coherencia;
    ponerRevision(filas[k], r);
  }
  ponerRevision(primera, rev.linea(primera, primera, conflicto));
}

void MarcasDetalle::revisar() {
  const RevisionDetalle rev(detalle_, encabezado_grid_, RevisionDetalle::SinContenedores{});
  const int n = rev.lineas();
  lineas_.assign(static_cast<size_t>(n), Renglon());
  grupos_.clear();
  porContenedor_.clear();
  porOrden_.clear();
  piezas_ = 0;
  errores_ = avisos_ = revisadas_ = 0;
  grupos_.reserve(n / 4);
  porContenedor_.reserve(n / 4);
  for (int f = 1; f <= n; ++f) {
    leerRenglon(f, lineas_[static_cast<size_t>(f - 1)]);
    grupos_[lineas_[static_cast<size_t>(f - 1)].contenedor].push_back(f);
    sumar(f, +1);
  }
  for (auto it = grupos_.cbegin(); it != grupos_.cend(); ++it) revisarGrupo(it.key(), rev);
  avisosOrden_ = rev.avisosOrdenes();
  todo_ = encabezado_ = false;
  cambiadas_.clear();
  completa_ = true;
}

// The grid has more or fewer lines: the new ones come in blank (and are
// read as changed), the ones gone leave their containers and totals.
void MarcasDetalle::ajustarLineas(int n, std::vector<int>& cambiadas) {
  int antes = static_cast<int>(lineas_.size());
  for (; antes > n; --antes) {
    sumar(antes, -1);
    ponerRevision(antes, RevisionLinea());
    const QString clave = lineas_.back().contenedor;
    quitarFila(grupos_[clave], antes);
    if (grupos_[clave].empty()) grupos_.remove(clave);
    else cambiadas.push_back(grupos_[clave].front());  // its container lost a line
    lineas_.pop_back();
  }
  for (; antes < n; ++antes) {
    lineas_.emplace_back();
    grupos_[QString()].push_back(antes + 1);
    sumar(antes + 1, +1);
    cambiadas.push_back(antes + 1);
  }
  cambiadas.erase(std::remove_if(cambiadas.begin(), cambiadas.end(), [n](int f) { return f > n; }), cambiadas.end());
}

// Orders whose values now give their lines other warnings: those lines again.
void MarcasDetalle::seguirEncabezado(const RevisionDetalle& rev, std::vector<int>& cambiadas) {
  const QHash<QString, unsigned char>& nuevos = rev.avisosOrdenes();
  QSet<QString> ordenes;
  for (auto it = nuevos.cbegin(); it != nuevos.cend(); ++it)
    if (avisosOrden_.value(it.key(), 0) != it.value()) ordenes.insert(it.key());
  for (auto it = avisosOrden_.cbegin(); it != avisosOrden_.cend(); ++it)
    if (!nuevos.contains(it.key())) ordenes.insert(it.key());
  avisosOrden_ = nuevos;
  if (ordenes.isEmpty()) return;
  for (int f = 1; f <= static_cast<int>(lineas_.size()); ++f)
    if (ordenes.contains(lineas_[static_cast<size_t>(f - 1)].orden)) cambiadas.push_back(f);
}

void MarcasDetalle::seguir() {
  if (!pendiente()) return;
  const int n = detalle_.dataRowCount();
  if (todo_ || std::abs(n - static_cast<int>(lineas_.size())) > n / 4 + 64) {
    revisar();
    return;
  }
  revisadas_ = 0;
  completa_ = false;
  const RevisionDetalle rev(detalle_, encabezado_grid_, RevisionDetalle::SinContenedores{});
  std::vector<int> filas;
  filas.swap(cambiadas_);
  ajustarLineas(n, filas);
  if (encabezado_) seguirEncabezado(rev, filas);
  encabezado_ = false;
  std::sort(filas.begin(), filas.end());
  filas.erase(std::unique(filas.begin(), filas.end()), filas.end());

  // Each line leaves its container and totals as they were and joins them as they are.
  QSet<QString> grupos;
  for (int f : filas) {
    Renglon& r = lineas_[static_cast<size_t>(f - 1)];
    sumar(f, -1);
    const QString antes = r.contenedor;
    leerRenglon(f, r);
    sumar(f, +1);
    if (r.contenedor != antes) {
      std::vector<int>& viejo = grupos_[antes];
      quitarFila(viejo, f);
      if (viejo.empty()) grupos_.remove(antes);
      ponerFila(grupos_[r.contenedor], f);
      if (sano(antes)) grupos.insert(antes);
    }
    if (sano(r.contenedor)) grupos.insert(r.contenedor);
    else ponerRevision(f, rev.linea(f, 0, FallaLinea::Ninguna));
  }
  for (const QString& g : grupos) revisarGrupo(g, rev);
}

const RevisionLinea* MarcasDetalle::linea(int fila) const {
  if (fila < 1 || fila > static_cast<int>(lineas_.size())) return nullptr;
  return &lineas_[static_cast<size_t>(fila - 1)].r;
}

Totales MarcasDetalle::totales(int fila) const {
  Totales t;
  t.envio = {static_cast<int>(lineas_.size()), piezas_, static_cast<int>(porContenedor_.size())};
  if (fila < 1 || fila > static_cast<int>(lineas_.size())) return t;
  const Renglon& r = lineas_[static_cast<size_t>(fila - 1)];
  const auto o = porOrden_.constFind(r.orden);
  if (o != porOrden_.constEnd()) t.orden = {o->lineas, o->piezas, static_cast<int>(o->contenedores.size())};
  if (!r.recortado.isEmpty()) {
    const Acumulado a = porContenedor_.value(r.recortado);
    t.contenedor = {a.lineas, a.piezas, 1};
  }
  return t;
}

Marca MarcasDetalle::marca(int col, int fila) const {
  const RevisionLinea* r = linea(fila);
  if (!r) return Marca::Ninguna;
  if (fallaDeColumna(*r, col) != FallaLinea::Ninguna) return Marca::Error;
  if (avisosDeColumna(*r, col)) return Marca::Aviso;
  return Marca::Ninguna;
}

QString MarcasDetalle::tip(int col, int fila) const {
  const RevisionLinea* r = linea(fila);
  if (!r) return {};
  QStringList t;
  if (const FallaLinea f = fallaDeColumna(*r, col); f != FallaLinea::Ninguna) t << textoFalla(f).mensaje;
  t << textosAvisos(avisosDeColumna(*r, col));
  return t.join(QLatin1Char('\n'));
}

int MarcasDetalle::columnaMarcada(int fila) const {
  for (int col : {colDetalle::Cantidad, colDetalle::Contenedor})
    if (marca(col, fila) != Marca::Ninguna) return col;
  return colDetalle::Cantidad;
}

int MarcasDetalle::siguiente(int fila) const {
  const int n = static_cast<int>(lineas_.size());
  for (int paso = 1; paso <= n; ++paso) {
    const RevisionLinea& r = lineas_[static_cast<size_t>((fila - 1 + paso + n) % n)].r;
    if (r.rechazada() || r.avisos) return (fila - 1 + paso + n) % n + 1;
  }
  return 0;
}
