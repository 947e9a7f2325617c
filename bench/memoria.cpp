// The window program holding a shipment: the main window started (offscreen
// when no display is set), an INF file of N lines (50,000 unless given)
// imported through its command, the grids painted; then the peak resident
// memory of the process is printed. After that the lines get quantities and
// containers, the notice is written and the work file saved and opened
// again, each through its command, and the peak is printed once more.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "app/mainwindow.h"
#include "generador.h"
#include "ventana_banco.h"
#include "intake/inf_import.h"
#include "notice/output.h"
#include "workfile/workfile.h"

namespace {
long kbDe(const char* campo) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& l : f.readAll().split('\n'))
    if (l.startsWith(campo)) return l.mid(static_cast<int>(qstrlen(campo))).trimmed().split(' ').first().toLong();
  return -1;
}
}  // namespace

int main(int argc, char** argv) {
  banco::sinPantallaOffscreen();
  QApplication app(argc, argv);
  const int n = argc > 1 ? std::atoi(argv[1]) : 50000;
  banco::VentanaBanco banca;
  QTemporaryDir& dir = banca.dir;
  banco::PrompterBanco& prompter = banca.prompter;
  MainWindow& w = banca.w;
  QApplication::processEvents();
  const long antes = kbDe("VmHWM:");

  const QString ruta = dir.path() + QStringLiteral("/pedidos.inf");
  {
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(banco::archivoInf(n));
  }
  prompter.elegir = banco::entradasForm2();
  prompter.abrir.push_back(ruta);
  w.ejecutar([&w] { importararchiv_Click(w.ws()); });
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const int renglones = w.ws().vaspread1.dataRowCount();
  std::printf("renglones %d\nVmHWM antes %ld kB\nVmHWM con el envio %ld kB\nVmRSS %ld kB\n", renglones, antes,
              kbDe("VmHWM:"), kbDe("VmRSS:"));
  if (renglones != n) return 1;

  banco::ponerEnvio(w.ws(), n);
  const QString aviso = dir.path() + QStringLiteral("/aviso.txt");
  const QString trabajo = dir.path() + QStringLiteral("/envio.006");
  prompter.guardar.push_back(aviso);
  w.ejecutar([&w] { arch_env_Click(w.ws()); });
  prompter.guardar.push_back(trabajo);
  w.ejecutar([&w] { guardararchiv_Click(w.ws()); });
  w.ws().log.setTrazaPorCelda(false);
  prompter.abrir.push_back(trabajo);
  w.ejecutar([&w] { abrirarchiv_Click(w.ws()); });
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const bool bien = QFile::exists(aviso) && QFile::exists(trabajo) && w.ws().vaspread1.dataRowCount() == n;
  std::printf("VmHWM tras aviso, guardar y abrir %ld kB%s\n", kbDe("VmHWM:"), bien ? "" : " (comando fallido)");
  return bien ? 0 : 1;
}
