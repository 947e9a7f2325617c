#include "fixture.h"

#include <QDir>
#include <QFile>

#include "workspace/textfile.h"

WorkspaceTest::WorkspaceTest() : reloj(QDateTime(QDate(2026, 12, 7), QTime(10, 30, 0))) {
  ws = std::make_unique<Workspace>(dir.path(), prompter, reloj);
}

void WorkspaceTest::reiniciar() { ws = std::make_unique<Workspace>(dir.path(), prompter, reloj); }

QString WorkspaceTest::escribir(const QString& nombre, const QByteArray& bytes) {
  const QString ruta = QDir::isAbsolutePath(nombre) ? nombre : dir.filePath(nombre);
  QFile f(ruta);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) ADD_FAILURE() << "cannot write " << ruta.toStdString();
  f.write(bytes);
  return ruta;
}

QByteArray WorkspaceTest::leer(const QString& ruta) const {
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QStringList WorkspaceTest::lineasLog() const {
  return texto::partirLineas(texto::desde1252(leer(ws->log.rutaDelDia())));
}

QStringList WorkspaceTest::textosLog() const {
  QStringList out;
  for (const QString& l : lineasLog()) {
    const qsizetype i = l.indexOf(QStringLiteral(", "));
    out.append(i < 0 ? l : l.mid(i + 2));
  }
  return out;
}
