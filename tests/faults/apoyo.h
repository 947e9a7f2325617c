#pragma once
// Helpers of the fault cases: files of a folder, and whether permissions bind
// (they do not for the superuser, who then gets the cases that do not need them).
#include <QDir>
#include <QFile>
#include <QStringList>
#include <unistd.h>

#include "fixture.h"

namespace fallas {

inline bool permisosValen() { return ::geteuid() != 0; }

// The names in a folder (files and folders), sorted.
inline QStringList contenido(const QString& carpeta) {
  return QDir(carpeta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// How many messages have that text.
inline int cuantos(const ScriptedPrompter& p, const QString& texto) {
  int n = 0;
  for (const Mensaje& m : p.mensajes) n += m.texto == texto;
  return n;
}

// The first message that starts with the text; null when none.
inline const Mensaje* empiezaCon(const ScriptedPrompter& p, const QString& inicio) {
  for (const Mensaje& m : p.mensajes)
    if (m.texto.startsWith(inicio)) return &m;
  return nullptr;
}

// Every cell of a grid's data rows, row by row.
inline QStringList celdas(const Grid& g) {
  QStringList out;
  for (int r = 1; r <= g.dataRowCount(); ++r) out.append(g.rowTexts(r).join(QLatin1Char('|')));
  return out;
}

// Gives a folder back its permissions when the case ends.
class Permisos {
 public:
  Permisos(QString ruta, QFile::Permissions p) : ruta_(std::move(ruta)), antes_(QFile::permissions(ruta_)) {
    QFile::setPermissions(ruta_, p);
  }
  ~Permisos() { QFile::setPermissions(ruta_, antes_); }

 private:
  QString ruta_;
  QFile::Permissions antes_;
};

const QFile::Permissions kSoloLectura = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;

}  // namespace fallas
