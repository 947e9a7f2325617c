#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/mainwindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("aviso"));
  // Spanish everywhere: the calendar of the date picker, the standard boxes'
  // own texts and the edit boxes' context menus.
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
  QTranslator qtEnEspanol;
  const QString junto = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
  if (qtEnEspanol.load(QStringLiteral("qtbase_es"), junto) ||
      qtEnEspanol.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtEnEspanol);
  MainWindow w(QCoreApplication::applicationDirPath());
  w.colocarEnPantalla();
  w.show();
  return app.exec();
}
