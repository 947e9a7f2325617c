// The packing mode in the window at 50,000 lines: scans typed into the scan
// box as a reader types them (the code, then Enter), each timed from the
// first key until the window has nothing left to do (the command, the
// status bar, the marks and totals of the lines it changed).
//   aviso_banco_empaque_ventana [LINES] [SCANS]
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/mainwindow.h"
#include "generador.h"
#include "ventana_banco.h"
#include "workspace/columnas.h"

int main(int argc, char** argv) {
  banco::sinPantallaOffscreen();
  QApplication app(argc, argv);
  const int n = argc > 1 ? std::atoi(argv[1]) : 50000;
  const int escaneos = argc > 2 ? std::atoi(argv[2]) : 300;
  banco::VentanaBanco banca;
  Workspace& ws = banca.ws;
  MainWindow& w = banca.w;
  QApplication::setActiveWindow(&w);
  w.ejecutar([&ws, n] {
    banco::ponerEnvio(ws, n);
    for (int r = 1; r <= n; ++r)
      for (Grid* g : {&ws.vaspread1, &ws.vaSpread6}) {
        g->setText(colDetalle::Contenedor, r, QString());
        g->setText(colDetalle::TipoEntrega, r, QString());
      }
  });
  ws.log.setTrazaPorCelda(false);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  QElapsedTimer t;
  t.start();
  w.accion(QStringLiteral("empacar"))->trigger();
  QApplication::processEvents();
  const double encender = t.nsecsElapsed() / 1e6;
  auto* caja = w.findChild<QLineEdit*>(QStringLiteral("escaneo"));
  if (!caja) return 2;

  // Store 0001's lines: a carton, its store, then one piece of each line in turn.
  std::vector<QString> codigos{QStringLiteral("A000100001")};
  std::vector<int> filas;
  for (int r = 1; r <= n; ++r)
    if (ws.vaspread1.text(colDetalle::Tienda, r) == QLatin1String("0001")) filas.push_back(r);
  for (int k = 0; static_cast<int>(codigos.size()) < escaneos; ++k)
    codigos.push_back(ws.vaspread1.text(colDetalle::Upc, filas[static_cast<size_t>(k) % filas.size()]));
  std::vector<double> ms, respuesta;
  int rechazados = 0;
  for (const QString& c : codigos) {
    caja->setFocus();
    QTest::keyClicks(caja, c);
    t.restart();
    QTest::keyClick(caja, Qt::Key_Return);  // the command, the answer and the status bar
    respuesta.push_back(t.nsecsElapsed() / 1e6);
    QApplication::processEvents();  // painting, then the marks once the window is idle
    QApplication::processEvents();
    ms.push_back(t.nsecsElapsed() / 1e6);
    if (w.findChild<QLabel*>(QStringLiteral("mensajeEmpaque"))->styleSheet().contains(QLatin1String("b71c1c"))) ++rechazados;
  }
  std::vector<double> orden = ms;
  std::sort(orden.begin(), orden.end());
  double suma = 0;
  for (double x : ms) suma += x;
  std::vector<double> r = respuesta;
  std::sort(r.begin(), r.end());
  double sumaR = 0;
  for (double x : respuesta) sumaR += x;
  std::printf("| líneas | escaneos | rechazados | encender el modo (ms) | respuesta: media / mediana / p99 / máx. (ms) | "
              "hasta pintar y marcas: media / mediana / p99 / máx. (ms) |\n|---:|---:|---:|---:|---|---|\n"
              "| %d | %d | %d | %.1f | %.2f / %.2f / %.2f / %.2f | %.2f / %.2f / %.2f / %.2f |\n",
              n, static_cast<int>(ms.size()), rechazados, encender, sumaR / r.size(), r[r.size() / 2],
              r[r.size() * 99 / 100], r.back(), suma / ms.size(), orden[orden.size() / 2],
              orden[orden.size() * 99 / 100], orden.back());
  return 0;
}
