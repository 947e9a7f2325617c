#include <QApplication>

#include "app/mainwindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("aviso"));
  MainWindow w(QCoreApplication::applicationDirPath());
  w.show();
  return app.exec();
}
