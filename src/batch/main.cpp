// aviso-lote: the batch program (see batch/lote.h).
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "batch/lote.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("aviso-lote"));
  QTextStream salida(stdout);
  QTextStream errores(stderr);
  return lote::ejecutar(QCoreApplication::arguments().mid(1), QCoreApplication::applicationDirPath(), salida, errores);
}
