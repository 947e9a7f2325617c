#pragma once
// The recovery file: the whole workspace that no save holds yet (the tables
// with their colours and locks, header fields, lists, dates, the work file's
// name, the cursors), written whole or not at all, with a checksum of its
// content checked before anything is restored. It is no save: no checks, no
// messages, no log lines, no change to the workspace.
#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

#include "workspace/historial.h"
#include "workspace/textfile.h"

class Workspace;

namespace recuperacion {

extern const QString kArchivo;  // "recuperacion.dat" in the program folder

// What is written, taken in the window's thread (rows shared, so it costs
// pointers) and written from another.
struct Copia {
  QDateTime momento;
  std::vector<std::unique_ptr<Grid>> tablas;  // the tables that the history keeps
  EstadoTrabajo estado;
  int cursores[2][2] = {};
  bool sinSuma = false;  // read from a file of the previous version, which had no checksum
  int renglones() const;
};
std::shared_ptr<Copia> tomar(const Workspace& ws);

// The file's bytes: the copy and, last, the CRC-32 of everything before it.
QByteArray bytes(const Copia& c);
// Into a device the caller opened (pure: no file, no folder).
texto::Resultado escribir(const Copia& c, QIODevice& d);
// Through the replacing write of every writer of the system: the file is the
// whole copy or stays as it was.
texto::Resultado escribirCon(texto::Reemplazo& destino, const Copia& c);
texto::Resultado escribirArchivo(const QString& ruta, const Copia& c);

// A copy read back, or why it cannot be (as the start says it).
struct Lectura {
  std::shared_ptr<Copia> copia;
  QString falla;
};
// Only a regular file is read, whole, without waiting; its checksum is
// checked first. A file of the previous version (no checksum) is read as
// that version read it.
// leerBytes is the pure reader: bytes in, the copy or the fault out.
Lectura leerArchivo(const QString& ruta);
Lectura leerBytes(const QByteArray& bytes);
inline std::shared_ptr<Copia> leer(const QString& ruta) { return leerArchivo(ruta).copia; }

// The workspace becomes the copy (one undo step when the history is on).
void restaurar(Workspace& ws, Copia& c);

// The CRC-32 (the polynomial of zip and PNG) of the bytes.
quint32 crc32(const char* datos, qsizetype n);

// The name a recovery file takes when kept aside: its date in it.
QString nombreAparte(const QDateTime& momento);
// Moves the file aside under that name (one more number when it is taken); the
// name given, or empty when it could not be moved.
QString apartar(const QString& ruta, const QDateTime& momento);
// The kept-aside files of the folder, the newest first.
QStringList apartados(const QString& carpeta);

}  // namespace recuperacion
