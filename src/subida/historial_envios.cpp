#include "subida/historial_envios.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include "workspace/textfile.h"

namespace {

const QString kFormato = QStringLiteral("dd/MM/yyyy HH:mm:ss");
const QString kEnviado = QStringLiteral("enviado");

// A value never carries the separators of the line.
QString limpio(const QString& v) {
  QString t = v;
  t.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
  t.replace(QLatin1Char('\n'), QStringLiteral(" / "));
  return t;
}

std::optional<EnvioRegistrado> leerLinea(const QString& linea) {
  const QStringList c = linea.split(QLatin1Char('\t'));
  if (c.size() < 7) return std::nullopt;
  EnvioRegistrado e;
  e.cuando = QDateTime::fromString(c[0], kFormato);
  e.archivo = c[1];
  e.sha256 = c[2];
  e.servidor = c[3];
  e.nombreRemoto = c[4];
  e.bytes = c[5].toLongLong();
  e.resultado = c.mid(6).join(QLatin1Char(' '));
  if (!e.cuando.isValid()) return std::nullopt;
  return e;
}

}  // namespace

bool EnvioRegistrado::enviado() const { return resultado == kEnviado; }

QString rutaHistorialEnvios(const QString& carpetaPrograma) {
  return QDir(carpetaPrograma).filePath(QStringLiteral("enviados/historial.txt"));
}

bool anotarEnvio(const QString& carpetaPrograma, const EnvioRegistrado& e, QString* error) {
  const QString ruta = rutaHistorialEnvios(carpetaPrograma);
  const QString carpeta = QFileInfo(ruta).absolutePath();
  if (!QDir().mkpath(carpeta)) {
    if (error) *error = QStringLiteral("No se pudo crear la carpeta ") + QDir::toNativeSeparators(carpeta);
    return false;
  }
  const QString linea = QStringList{e.cuando.toString(kFormato), limpio(e.archivo), e.sha256, limpio(e.servidor),
                                    limpio(e.nombreRemoto), QString::number(e.bytes), limpio(e.resultado)}
                            .join(QLatin1Char('\t'));
  const texto::Resultado r = texto::anexar(ruta, texto::a1252(linea) + "\r\n");
  if (!r.ok && error)
    *error = QStringLiteral("No se pudo anotar el envío en ") + QDir::toNativeSeparators(ruta) + QStringLiteral(": ") +
             r.descripcion;
  return r.ok;
}

QList<EnvioRegistrado> leerHistorialEnvios(const QString& carpetaPrograma) {
  QList<EnvioRegistrado> lista;
  const QString ruta = rutaHistorialEnvios(carpetaPrograma);
  QStringList lineas;
  if (!QFileInfo::exists(ruta) || !texto::leerLineas(ruta, lineas).ok) return lista;
  for (const QString& l : lineas)
    if (auto e = leerLinea(l)) lista.append(*e);
  return lista;
}

std::optional<EnvioRegistrado> envioAnterior(const QString& carpetaPrograma, const QString& sha256,
                                             const QString& servidor) {
  std::optional<EnvioRegistrado> hallado;
  for (const EnvioRegistrado& e : leerHistorialEnvios(carpetaPrograma))
    if (e.enviado() && e.sha256 == sha256 && e.servidor == servidor) hallado = e;
  return hallado;
}

QString sha256DeArchivo(const QString& ruta) {
  QCryptographicHash h(QCryptographicHash::Sha256);
  const texto::Resultado r =
      texto::leerPorPartes(ruta, texto::kMaximoBytesLectura, [&h](const QByteArray& parte) { h.addData(parte); });
  return r.ok ? QString::fromLatin1(h.result().toHex()) : QString();
}
