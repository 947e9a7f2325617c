#pragma once
// servidores.txt in the program folder: the servers whose key or certificate
// the user accepted, one line each (protocol, host, port, type, SHA-256, date).
#include "subida/conexion.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

struct ServidorConocido {
  QString protocolo;  // nombreProtocolo()
  QString servidor;
  int puerto = 0;
  QString tipo;
  QString huella;  // "SHA256:..."
  QDate aceptado;
};

QString rutaServidores(const QString& carpetaPrograma);
// The lines of the file; a missing file is an empty list. Unreadable lines are skipped.
QList<ServidorConocido> leerServidores(const QString& carpetaPrograma);
std::optional<ServidorConocido> servidorConocido(const QString& carpetaPrograma, const Conexion& c);
// Adds or replaces the line of that protocol, host and port; false with *error when it cannot be written.
bool aceptarServidor(const QString& carpetaPrograma, const ServidorConocido& s, QString* error = nullptr);
