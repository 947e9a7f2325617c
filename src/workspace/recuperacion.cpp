#include "workspace/recuperacion.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "workspace/workspace.h"

namespace recuperacion {

const QString kArchivo = QStringLiteral("recuperacion.dat");

namespace {
const QString kFirma = QStringLiteral("AVISO DE VORARIDO - TRABAJO SIN GUARDAR");
constexpr qint32 kVersion = 1;
constexpr int kTablas = 5;

void escribirEstado(QDataStream& s, const EstadoVentana& e) {
  for (int i = 0; i < 3; ++i) s << e.combos[i] << e.datos[i] << qint32(e.indices[i]) << e.textos[i];
  for (const QString& t : e.Text1) s << t;
  s << e.Text2 << e.fecha << e.fechaMinima << e.cual_grid << e.sinvalidar << quint32(e.controles.size());
  for (const auto& [nombre, c] : e.controles) s << nombre << std::get<0>(c) << std::get<1>(c) << std::get<2>(c);
  for (int u : e.ultimaInsercion) s << qint32(u);
  s << e.archivoTrabajo << e.sinGuardar;
}

void leerEstado(QDataStream& s, EstadoVentana& e) {
  for (int i = 0; i < 3; ++i) {
    qint32 indice = -1;
    s >> e.combos[i] >> e.datos[i] >> indice >> e.textos[i];
    e.indices[i] = indice;
  }
  for (QString& t : e.Text1) s >> t;
  quint32 n = 0;
  s >> e.Text2 >> e.fecha >> e.fechaMinima >> e.cual_grid >> e.sinvalidar >> n;
  for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
    QString nombre;
    bool h = true, v = true, t = true;
    s >> nombre >> h >> v >> t;
    e.controles[nombre] = {h, v, t};
  }
  for (int& u : e.ultimaInsercion) {
    qint32 x = 0;
    s >> x;
    u = x;
  }
  s >> e.archivoTrabajo >> e.sinGuardar;
}

std::vector<Grid*> tablasDe(Workspace& ws) {
  return {&ws.vaspread1, &ws.vaSpread5, &ws.vaSpread6, &ws.vaSpread7, &ws.vaSpread9};
}
}  // namespace

int Copia::renglones() const { return tablas.empty() ? 0 : tablas[0]->dataRowCount(); }

std::shared_ptr<Copia> tomar(const Workspace& ws) {
  auto c = std::make_shared<Copia>();
  c->momento = ws.reloj.ahora();
  Workspace& w = const_cast<Workspace&>(ws);
  for (Grid* g : tablasDe(w)) {
    c->tablas.push_back(std::make_unique<Grid>(g->name()));
    c->tablas.back()->copiarDe(*g);
  }
  c->estado = EstadoVentana::de(ws);
  c->cursores[0][0] = ws.vaspread1.activeCol();
  c->cursores[0][1] = ws.vaspread1.activeRow();
  c->cursores[1][0] = ws.vaSpread9.activeCol();
  c->cursores[1][1] = ws.vaSpread9.activeRow();
  return c;
}

bool escribir(QIODevice& d, const Copia& c) {
  QDataStream s(&d);
  s.setVersion(QDataStream::Qt_6_0);
  s << kFirma << kVersion << c.momento << qint32(c.renglones());
  for (const auto& g : c.tablas) g->escribir(s);
  escribirEstado(s, c.estado);
  for (int i = 0; i < 2; ++i) s << qint32(c.cursores[i][0]) << qint32(c.cursores[i][1]);
  s << kFirma;
  return s.status() == QDataStream::Ok;
}

bool escribirArchivo(const QString& ruta, const Copia& c) {
  QSaveFile f(ruta);
  if (!f.open(QIODevice::WriteOnly)) return false;
  if (!escribir(f, c)) {
    f.cancelWriting();
    return false;
  }
  return f.commit();
}

std::shared_ptr<Copia> leer(const QString& ruta) {
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) return nullptr;
  QDataStream s(&f);
  s.setVersion(QDataStream::Qt_6_0);
  QString firma;
  qint32 version = 0, renglones = 0;
  s >> firma;
  if (firma != kFirma) return nullptr;
  auto c = std::make_shared<Copia>();
  s >> version >> c->momento >> renglones;
  if (s.status() != QDataStream::Ok || version != kVersion) return nullptr;
  for (int i = 0; i < kTablas; ++i) {
    c->tablas.push_back(std::make_unique<Grid>());
    if (!c->tablas.back()->leer(s)) return nullptr;
  }
  leerEstado(s, c->estado);
  for (int i = 0; i < 2; ++i) {
    qint32 col = 1, fila = 1;
    s >> col >> fila;
    c->cursores[i][0] = col;
    c->cursores[i][1] = fila;
  }
  s >> firma;
  if (s.status() != QDataStream::Ok || firma != kFirma || !s.atEnd() || c->renglones() != renglones) return nullptr;
  return c;
}

void restaurar(Workspace& ws, Copia& c) {
  const std::vector<Grid*> destino = tablasDe(ws);
  for (size_t i = 0; i < destino.size() && i < c.tablas.size(); ++i) {
    EnBloque bloque(*destino[i]);
    destino[i]->reemplazarCon(*c.tablas[i]);
  }
  c.estado.poner(ws);
  ws.sinGuardar = true;  // the work is back, and still no file holds it
  ws.cursor(ws.vaspread1, c.cursores[0][0], c.cursores[0][1]);
  ws.cursor(ws.vaSpread9, c.cursores[1][0], c.cursores[1][1]);
}

QString nombreAparte(const QDateTime& momento) {
  return QStringLiteral("recuperacion ") + momento.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")) +
         QStringLiteral(".dat");
}

QStringList apartados(const QString& carpeta) {
  QStringList nombres = QDir(carpeta).entryList({QStringLiteral("recuperacion *.dat")}, QDir::Files, QDir::Name);
  std::reverse(nombres.begin(), nombres.end());  // the date in the name orders them
  QStringList rutas;
  for (const QString& n : nombres) rutas.append(carpeta + QLatin1Char('/') + n);
  return rutas;
}

}  // namespace recuperacion
