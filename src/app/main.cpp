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
  // The workspace is made before the window and goes after it: the window's
  // views watch its grids to the end.
  Reloj reloj;
  PrompterVentana prompter;
  Workspace ws(QCoreApplication::applicationDirPath(), prompter, reloj);
  MainWindow w(ws, prompter);
  w.colocarEnPantalla();
  w.show();
  return app.exec();
}
