#pragma once
// The recovery file: the whole workspace that no save holds yet (the tables
// with their colours and locks, header fields, lists, dates, the work file's
// name, the cursors), written whole or not at all. It is no save: no checks,
// no messages, no log lines, no change to the workspace.
#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

#include "workspace/historial.h"

class QIODevice;
class Workspace;

namespace recuperacion {

extern const QString kArchivo;  // "recuperacion.dat" in the program folder

// What is written, taken in the window's thread (rows shared, so it costs
// pointers) and written from another.
struct Copia {
  QDateTime momento;
  std::vector<std::unique_ptr<Grid>> tablas;  // the tables that the history keeps
  EstadoVentana estado;
  int cursores[2][2] = {};
  int renglones() const;
};
std::shared_ptr<Copia> tomar(const Workspace& ws);

bool escribir(QIODevice& d, const Copia& c);
// Through a QSaveFile: the file is the whole copy or stays as it was.
bool escribirArchivo(const QString& ruta, const Copia& c);

// The file read whole and checked; null when it is not a whole recovery file.
std::shared_ptr<Copia> leer(const QString& ruta);
// The workspace becomes the copy (one undo step when the history is on).
void restaurar(Workspace& ws, Copia& c);

// The name a recovery file takes when kept aside: its date in it.
QString nombreAparte(const QDateTime& momento);
// The kept-aside files of the folder, the newest first.
QStringList apartados(const QString& carpeta);

}  // namespace recuperacion
