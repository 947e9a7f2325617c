#include "workspace/recuperacion.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <array>

#include "workspace/lectura_acotada.h"
#include "workspace/workspace.h"

namespace recuperacion {

const QString kArchivo = QStringLiteral("recuperacion.dat");

namespace {
const QString kFirma = QStringLiteral("AVISO DE VORARIDO - TRABAJO SIN GUARDAR");
constexpr qint32 kVersionSinSuma = 1;
constexpr qint32 kVersion = 2;
constexpr int kTablas = 5;
constexpr int kSuma = 4;  // bytes of the checksum at the end

void escribirEstado(QDataStream& s, const EstadoTrabajo& e) {
  for (const Lista* l : {&e.Combo1, &e.Combo2, &e.Combo3}) s << l->entradas << l->datos << qint32(l->indice) << l->texto;
  for (const QString& t : e.Text1) s << t;
  s << e.Text2 << e.DTPicker1_4 << e.DTPicker1_4_minimo << e.cual_grid << e.sinvalidar << quint32(e.controles.size());
  for (const auto& [nombre, c] : e.controles) s << nombre << c.habilitado << c.visible << c.tabStop;
  const auto& u = e.ultimaInsercion;
  s << qint32(u.filaInsertada) << qint32(u.limiteFilas) << qint32(u.filaOrigen) << qint32(u.filaDuplicada);
  s << e.archivoTrabajo << e.sinGuardar;
}

void leerEstado(QDataStream& s, EstadoTrabajo& e) {
  for (Lista* l : {&e.Combo1, &e.Combo2, &e.Combo3}) {
    qint32 indice = -1;
    acotada::leer(s, l->entradas);
    acotada::leer(s, l->datos);
    s >> indice >> l->texto;
    l->indice = indice;
  }
  for (QString& t : e.Text1) s >> t;
  quint32 n = 0;
  s >> e.Text2 >> e.DTPicker1_4 >> e.DTPicker1_4_minimo >> e.cual_grid >> e.sinvalidar >> n;
  if (!acotada::caben(s, n, 7)) return;  // a name's length and three flags
  for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
    QString nombre;
    EstadoControl c;
    s >> nombre >> c.habilitado >> c.visible >> c.tabStop;
    e.controles[nombre] = c;
  }
  auto& u = e.ultimaInsercion;
  for (int* x : {&u.filaInsertada, &u.limiteFilas, &u.filaOrigen, &u.filaDuplicada}) {
    qint32 v = 0;
    s >> v;
    *x = v;
  }
  s >> e.archivoTrabajo >> e.sinGuardar;
}

// What follows the signature and the version, the same in both versions.
void escribirCuerpo(QDataStream& s, const Copia& c) {
  s << c.momento << qint32(c.renglones());
  for (const auto& g : c.tablas) g->escribir(s);
  escribirEstado(s, c.estado);
  for (int i = 0; i < 2; ++i) s << qint32(c.cursores[i][0]) << qint32(c.cursores[i][1]);
  s << kFirma;
}

bool leerCuerpo(QDataStream& s, Copia& c) {
  qint32 renglones = 0;
  s >> c.momento >> renglones;
  if (s.status() != QDataStream::Ok) return false;
  c.momento = c.momento.toLocalTime();  // as written: the same instant stored as UTC or with an offset reads alike
  for (int i = 0; i < kTablas; ++i) {
    c.tablas.push_back(std::make_unique<Grid>());
    if (!c.tablas.back()->leer(s)) return false;
  }
  leerEstado(s, c.estado);
  for (auto& cursor : c.cursores) s >> cursor[0] >> cursor[1];  // col, row
  QString firma;
  s >> firma;
  return s.status() == QDataStream::Ok && firma == kFirma && s.atEnd() && c.renglones() == renglones;
}

std::vector<Grid*> tablasDe(Workspace& ws) {
  return {&ws.vaspread1, &ws.vaSpread5, &ws.vaSpread6, &ws.vaSpread7, &ws.vaSpread9};
}

std::array<quint32, 256> tablaCrc() {
  std::array<quint32, 256> t{};
  for (quint32 i = 0; i < 256; ++i) {
    quint32 c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[i] = c;
  }
  return t;
}
}  // namespace

quint32 crc32(const char* datos, qsizetype n) {
  static const std::array<quint32, 256> tabla = tablaCrc();
  quint32 c = 0xFFFFFFFFu;
  for (qsizetype i = 0; i < n; ++i) c = tabla[(c ^ static_cast<uchar>(datos[i])) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

int Copia::renglones() const { return tablas.empty() ? 0 : tablas[0]->dataRowCount(); }

std::shared_ptr<Copia> tomar(const Workspace& ws) {
  auto c = std::make_shared<Copia>();
  c->momento = ws.reloj.ahora();
  Workspace& w = const_cast<Workspace&>(ws);
  for (Grid* g : tablasDe(w)) {
    c->tablas.push_back(std::make_unique<Grid>(g->name()));
    c->tablas.back()->copiarDe(*g);
  }
  c->estado = ws;
  c->cursores[0][0] = ws.vaspread1.activeCol();
  c->cursores[0][1] = ws.vaspread1.activeRow();
  c->cursores[1][0] = ws.vaSpread9.activeCol();
  c->cursores[1][1] = ws.vaSpread9.activeRow();
  return c;
}

QByteArray bytes(const Copia& c) {
  QByteArray b;
  {
    QBuffer d(&b);
    d.open(QIODevice::WriteOnly);
    QDataStream s(&d);
    s.setVersion(QDataStream::Qt_6_0);
    s << kFirma << kVersion;
    escribirCuerpo(s, c);
  }
  char suma[kSuma];
  qToBigEndian(crc32(b.constData(), b.size()), suma);
  return b.append(suma, kSuma);
}

texto::Resultado escribir(const Copia& c, QIODevice& d) { return texto::escribirEn(d, bytes(c)); }

texto::Resultado escribirCon(texto::Reemplazo& destino, const Copia& c) {
  return destino.escribir([&c](QIODevice& d) { return escribir(c, d); });
}

texto::Resultado escribirArchivo(const QString& ruta, const Copia& c) {
  texto::Reemplazo destino(ruta);
  return escribirCon(destino, c);
}

Lectura leerBytes(const QByteArray& b) {
  QBuffer d;
  d.setData(b);
  d.open(QIODevice::ReadOnly);
  QDataStream s(&d);
  s.setVersion(QDataStream::Qt_6_0);
  QString firma;
  qint32 version = 0;
  s >> firma >> version;
  if (s.status() != QDataStream::Ok || firma != kFirma || (version != kVersion && version != kVersionSinSuma))
    return {nullptr, QStringLiteral("no es una copia de trabajo de este programa")};
  auto c = std::make_shared<Copia>();
  if (version == kVersion) {
    // The checksum first: nothing of a changed file is read as work.
    if (d.bytesAvailable() < kSuma ||
        qFromBigEndian<quint32>(b.constData() + b.size() - kSuma) != crc32(b.constData(), b.size() - kSuma))
      return {nullptr, QStringLiteral("está dañado (su contenido no coincide con su suma de comprobación)")};
    const qint64 inicio = d.pos();
    d.close();
    d.setData(b.left(b.size() - kSuma));
    d.open(QIODevice::ReadOnly);
    d.seek(inicio);
    s.resetStatus();
  } else {
    c->sinSuma = true;
  }
  if (!leerCuerpo(s, *c)) return {nullptr, QStringLiteral("está incompleto o dañado")};
  return {c, QString()};
}

Lectura leerArchivo(const QString& ruta) {
  QByteArray b;
  const texto::Resultado r = texto::leerBytes(ruta, b);
  if (!r.ok) return {nullptr, r.descripcion};
  return leerBytes(b);
}

void restaurar(Workspace& ws, Copia& c) {
  const std::vector<Grid*> destino = tablasDe(ws);
  for (size_t i = 0; i < destino.size() && i < c.tablas.size(); ++i) {
    EnBloque bloque(*destino[i]);
    destino[i]->reemplazarCon(*c.tablas[i]);
  }
  static_cast<EstadoTrabajo&>(ws) = c.estado;
  ws.sinGuardar = true;  // the work is back, and still no file holds it
  ws.cursor(ws.vaspread1, c.cursores[0][0], c.cursores[0][1]);
  ws.cursor(ws.vaSpread9, c.cursores[1][0], c.cursores[1][1]);
}

QString nombreAparte(const QDateTime& momento) {
  return QStringLiteral("recuperacion ") + momento.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")) +
         QStringLiteral(".dat");
}

QString apartar(const QString& ruta, const QDateTime& momento) {
  const QDir carpeta = QFileInfo(ruta).absoluteDir();
  QString nombre = nombreAparte(momento);
  for (int n = 2; QFileInfo::exists(carpeta.filePath(nombre)) || QFileInfo(carpeta.filePath(nombre)).isSymLink(); ++n)
    nombre = nombreAparte(momento).chopped(4) + QStringLiteral(" %1.dat").arg(n);
  // A rename only: whatever sits in the file's place (a pipe too) is moved, never opened.
  return QDir().rename(ruta, carpeta.filePath(nombre)) ? nombre : QString();
}

QStringList apartados(const QString& carpeta) {
  QStringList nombres = QDir(carpeta).entryList({QStringLiteral("recuperacion *.dat")}, QDir::Files, QDir::Name);
  std::reverse(nombres.begin(), nombres.end());  // the date in the name orders them
  QStringList rutas;
  for (const QString& n : nombres) rutas.append(carpeta + QLatin1Char('/') + n);
  return rutas;
}

}  // namespace recuperacion
