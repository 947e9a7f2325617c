#pragma once
// The main window of a bench, as main() makes it: the prompter and the
// workspace first, on a fixed clock and a temporary program folder, the
// window over them, shown (offscreen when there is no display).
#include <QApplication>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "generador.h"

namespace banco {

inline void sinPantallaOffscreen() {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

struct VentanaBanco {
  QTemporaryDir dir;
  PrompterBanco prompter;
  RelojFijo reloj{momento()};
  PrompterVentana relevo{&prompter};
  Workspace ws{dir.path(), relevo, reloj};
  MainWindow w{ws, relevo};
  VentanaBanco() {
    w.resize(1200, 800);
    w.show();
  }
};

}  // namespace banco
