// aviso-lote: the batch program (see batch/lote.h).
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "batch/lote.h"

namespace {

// Standard error carries the system's messages, one line each; Qt's own
// notes about its environment (no runtime folder, no session bus) stay out.
void soloErroresGraves(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
  if (tipo != QtCriticalMsg && tipo != QtFatalMsg) return;
  std::fprintf(stderr, "%s\n", texto.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
  // The labels and the packing list paint text, which needs the GUI module;
  // no display is used.
  {
    QTextStream errores(stderr);
    if (const int e = lote::revisarArgumentos(argc, argv, errores)) return e;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(soloErroresGraves);
  QGuiApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("aviso-lote"));
  QTextStream salida(stdout);
  QTextStream errores(stderr);
  return lote::ejecutar(QCoreApplication::arguments().mid(1), QCoreApplication::applicationDirPath(), salida, errores);
}
