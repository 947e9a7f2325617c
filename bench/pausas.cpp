// The pauses that the recovery copy puts into typing: the window holding a
// shipment of N lines (50,000 unless given), quantities typed into the detail
// grid key by key while the clock runs 0.7 s per cell and the copy is looked
// for right after each cell, so the user is never still: every copy is one
// forced by the typing going on, taken between two keys, and written in
// another thread while the typing goes on.
// Printed: per typed cell (keys, the change handler, the look at the clock
// that starts a copy, the repaint), the median, the 99th percentile and the
// longest, without copies (the clock stopped) and with them; the look at the
// clock alone (the pause the copy itself puts into the window's thread); and
// what one copy costs the window's thread and the other thread.
#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/gridview.h"
#include "app/mainwindow.h"
#include "app/recuperador.h"
#include "generador.h"
#include "ventana_banco.h"
#include "workspace/columnas.h"
#include "workspace/recuperacion.h"

namespace {
struct Cifras {
  double mediana, p99, maximo;
};

// CPU time of this thread: what the window's thread itself spends, whatever
// else the machine runs.
double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The widget that takes the keys now: the open editor, else the grid.
QWidget* destino(QWidget* v) {
  QWidget* f = QApplication::focusWidget();
  return f ? f : v;
}

Cifras cifras(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back()};
}
}  // namespace

int main(int argc, char** argv) {
  banco::sinPantallaOffscreen();
  QApplication app(argc, argv);
  const int n = argc > 1 ? std::atoi(argv[1]) : 50000;
  const int celdas = 300;
  banco::VentanaBanco banca;
  QTemporaryDir& dir = banca.dir;
  RelojFijo& reloj = banca.reloj;
  Workspace& ws = banca.ws;
  MainWindow& w = banca.w;
  QApplication::setActiveWindow(&w);
  w.ejecutar([&ws, n] {
    banco::ponerEnvio(ws, n);
    ws.sinGuardar = true;
  });
  ws.log.setTrazaPorCelda(false);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  w.recuperador().esperar();

  QAbstractItemView* v = w.vistaDetalle();
  std::printf("| %d líneas, %d celdas tecleadas | mediana (ms) | p99 (ms) | máximo (ms) | mirada al reloj p99 (ms) | mirada máx. (ms) | mirada máx., CPU del hilo (ms) |\n|---|---|---|---|---|---|---|\n", n, celdas);
  for (bool copias : {false, true}) {
    std::vector<double> ms, miradas, miradasCpu;
    for (int k = 0; k < celdas; ++k) {
      const int fila = 1 + (k * 97) % n;
      v->setFocus();
      v->setCurrentIndex(v->model()->index(fila - 1, colDetalle::Cantidad - 1));
      if (copias) reloj.poner(reloj.ahora().addMSecs(700));  // the time between two cells
      QElapsedTimer t;
      t.start();
      QTest::keyClicks(destino(v), QString::number(1 + k % 9));
      QApplication::processEvents();
      QTest::keyClick(destino(v), Qt::Key_Return);
      QElapsedTimer mirada;
      mirada.start();
      const double cpu = cpuMs();
      w.recuperador().alReloj();  // as its timer does: a copy due is taken here and handed to the other thread
      miradas.push_back(mirada.nsecsElapsed() / 1e6);
      miradasCpu.push_back(cpuMs() - cpu);
      QApplication::processEvents();
      ms.push_back(t.nsecsElapsed() / 1e6);
    }
    w.recuperador().esperar();
    const Cifras c = cifras(ms);
    const Cifras m = cifras(miradas), mc = cifras(miradasCpu);
    std::printf("| %s | %.1f | %.1f | %.1f | %.2f | %.2f | %.2f |\n", copias ? "con la copia de recuperación" : "sin copia (reloj parado)",
                c.mediana, c.p99, c.maximo, m.p99, m.maximo, mc.maximo);
  }
  // One copy: taken in the window's thread, written in the other.
  QElapsedTimer t;
  t.start();
  const double cpu = cpuMs();
  const auto copia = recuperacion::tomar(ws);
  const double tomar = t.nsecsElapsed() / 1e6, tomarCpu = cpuMs() - cpu;
  t.restart();
  const bool bien = recuperacion::escribirArchivo(dir.filePath(QStringLiteral("una.dat")), *copia).ok;
  std::printf("\nUna copia de %d líneas: %.1f ms en el hilo de la ventana (%.1f ms de CPU), %.1f ms escribiéndola en el otro, %.1f MB%s\n", n,
              tomar, tomarCpu, t.nsecsElapsed() / 1e6, QFileInfo(dir.filePath(QStringLiteral("una.dat"))).size() / 1048576.0,
              bien ? "" : " (falló)");
  const auto leida = recuperacion::leer(w.recuperador().ruta());
  const bool tecleado = leida && leida->tablas[0]->text(colDetalle::Cantidad, 1 + ((celdas - 1) * 97) % n) ==
                                     QString::number(1 + (celdas - 1) % 9);
  std::printf("La última celda tecleada está en la copia: %s\n", tecleado ? "sí" : "NO");
  return bien && tecleado ? 0 : 1;
}
