#pragma once
// enviados/historial.txt: one line per send, good or failed.
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

struct EnvioRegistrado {
  QDateTime cuando;
  QString archivo;  // the notice file's name
  QString sha256;   // hex of its content
  QString servidor; // "protocol://host:port"
  QString nombreRemoto;
  qint64 bytes = 0;
  QString resultado;  // "enviado" or the failure's message
  bool enviado() const;
};

QString rutaHistorialEnvios(const QString& carpetaPrograma);
bool anotarEnvio(const QString& carpetaPrograma, const EnvioRegistrado& e, QString* error = nullptr);
QList<EnvioRegistrado> leerHistorialEnvios(const QString& carpetaPrograma);
// The earlier good send of that content to that server, if any.
std::optional<EnvioRegistrado> envioAnterior(const QString& carpetaPrograma, const QString& sha256,
                                             const QString& servidor);
// The SHA-256 (hex) of a file's content; empty when it cannot be read.
QString sha256DeArchivo(const QString& ruta);
