#include "subida/servidores.h"

#include <QDir>

#include "workspace/textfile.h"

namespace {

const QString kFormatoFecha = QStringLiteral("dd/MM/yyyy");

// protocol TAB host TAB port TAB type TAB fingerprint TAB date
std::optional<ServidorConocido> leerLinea(const QString& linea) {
  const QStringList c = linea.split(QLatin1Char('\t'));
  if (c.size() < 5) return std::nullopt;
  ServidorConocido s;
  bool ok = false;
  s.protocolo = c[0].trimmed();
  s.servidor = c[1].trimmed();
  s.puerto = c[2].trimmed().toInt(&ok);
  s.tipo = c[3].trimmed();
  s.huella = c[4].trimmed();
  if (c.size() > 5) s.aceptado = QDate::fromString(c[5].trimmed(), kFormatoFecha);
  if (!ok || s.servidor.isEmpty() || !s.huella.startsWith(QStringLiteral("SHA256:"))) return std::nullopt;
  return s;
}

QString escribirLinea(const ServidorConocido& s) {
  return QStringList{s.protocolo, s.servidor, QString::number(s.puerto), s.tipo, s.huella,
                     s.aceptado.toString(kFormatoFecha)}
      .join(QLatin1Char('\t'));
}

bool mismoServidor(const ServidorConocido& s, const QString& protocolo, const QString& servidor, int puerto) {
  return s.protocolo == protocolo && s.servidor.compare(servidor, Qt::CaseInsensitive) == 0 && s.puerto == puerto;
}

}  // namespace

QString rutaServidores(const QString& carpetaPrograma) {
  return QDir(carpetaPrograma).filePath(QStringLiteral("servidores.txt"));
}

QList<ServidorConocido> leerServidores(const QString& carpetaPrograma) {
  QList<ServidorConocido> lista;
  QStringList lineas;
  if (!QFileInfo::exists(rutaServidores(carpetaPrograma))) return lista;
  if (!texto::leerLineas(rutaServidores(carpetaPrograma), lineas).ok) return lista;
  for (const QString& l : lineas)
    if (auto s = leerLinea(l)) lista.append(*s);
  return lista;
}

std::optional<ServidorConocido> servidorConocido(const QString& carpetaPrograma, const Conexion& c) {
  for (const ServidorConocido& s : leerServidores(carpetaPrograma))
    if (mismoServidor(s, nombreProtocolo(c.protocolo), c.servidor, puertoDe(c))) return s;
  return std::nullopt;
}

bool aceptarServidor(const QString& carpetaPrograma, const ServidorConocido& nuevo, QString* error) {
  const QString ruta = rutaServidores(carpetaPrograma);
  QStringList lineas;
  if (QFileInfo::exists(ruta) || QFileInfo(ruta).isSymLink()) {
    const texto::Resultado r = texto::leerLineas(ruta, lineas);
    if (!r.ok) {
      if (error)
        *error = QStringLiteral("No se pudo leer la lista de servidores conocidos ") + QDir::toNativeSeparators(ruta) +
                 QStringLiteral(": ") + r.descripcion;
      return false;
    }
  }
  QStringList quedan;
  for (const QString& l : lineas) {
    const auto s = leerLinea(l);
    if (s && mismoServidor(*s, nuevo.protocolo, nuevo.servidor, nuevo.puerto)) continue;
    quedan.append(l);
  }
  quedan.append(escribirLinea(nuevo));
  const texto::Resultado r = texto::escribirLineas(ruta, quedan);
  if (!r.ok && error)
    *error = QStringLiteral("No se pudo guardar la lista de servidores conocidos ") + QDir::toNativeSeparators(ruta) +
             QStringLiteral(": ") + r.descripcion;
  return r.ok;
}
