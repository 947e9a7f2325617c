// What the undo history costs: the heap it holds after 1,000 typed cells (one
// step each, through the change handler), and after one step over a table of
// 50,000 lines (Nuevo, the sort of the file command, a range deletion), beside
// the heap that the table itself takes. Heap measured with mallinfo2.
#include <malloc.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "editing/detail_rules.h"
#include "editing/row_commands.h"
#include "generador.h"
#include "workspace/columnas.h"
#include "workspace/recuperacion.h"
#include "workspace/workspace.h"

namespace {
long long heap() {
  malloc_trim(0);
  return static_cast<long long>(mallinfo2().uordblks);
}

struct Entorno {
  QTemporaryDir dir;
  banco::PrompterBanco prompter;
  RelojFijo reloj{banco::momento()};
  Workspace ws{dir.path(), prompter, reloj};
};

// The heap the history holds after one command: the heap afterwards with the
// history on, less the same without it; beside it the heap of the tables.
void paso(const char* nombre, int n, const std::function<void(Workspace&)>& comando) {
  long long tabla = 0, conHistorial = 0, sinHistorial = 0;
  double ms = 0;
  for (bool historial : {false, true}) {
    Entorno e;
    const long long vacio = heap();
    banco::ponerEnvio(e.ws, n);
    tabla = heap() - vacio;
    e.ws.historial.activar(historial);
    comando(e.ws);
    (historial ? conHistorial : sinHistorial) = heap() - vacio;
    if (!historial) continue;
    QElapsedTimer t;
    t.start();
    e.ws.historial.deshacer();
    ms = t.nsecsElapsed() / 1e6;
  }
  const long long guardado = conHistorial - sinHistorial;
  std::printf("| %s, %d líneas | %.1f | %.1f | %.2f | %.1f |\n", nombre, n, tabla / 1048576.0, guardado / 1048576.0,
              double(guardado) / double(tabla), ms);
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  {
    Entorno e;
    banco::ponerEnvio(e.ws, 5000);
    e.ws.historial.activar(true);
    e.ws.historial.limite = 1000;  // every one of them kept, to measure them all
    const long long antes = heap();
    for (int i = 1; i <= 1000; ++i) {
      e.ws.historial.abrir();  // as the window runs each command
      vaspread1_Editar(e.ws, colDetalle::Cantidad, i, QString::number(i % 7 + 1));
      e.ws.historial.cerrar();
    }
    const long long despues = heap();
    std::printf("1,000 cantidades tecleadas, %d pasos: %.0f kB en el historial\n\n", e.ws.historial.pasos(),
                (despues - antes) / 1024.0);
  }
  std::printf("| paso | tabla (MB) | historial (MB) | historial / tabla | deshacer (ms) |\n|---|---|---|---|---|\n");
  for (int n : {5000, 50000}) {
    paso("Nuevo", n, [](Workspace& ws) { nuevaforma_Click(ws); });
    paso("ordenar por contenedor", n, [](Workspace& ws) {
      Comando cmd(ws, QString());
      ws.vaspread1.sortRows({{colDetalle::Contenedor, true}});
      ws.vaSpread6.sortRows({{colDetalle::Contenedor, true}});
    });
    paso("eliminar renglones (todos)", n, [n](Workspace& ws) {
      ws.vaspread1.setSelections({{colDetalle::Orden, 1, colDetalle::Contenedor, n}});
      eliminar_ren_Click(ws);
    });
  }
  // The recovery file: the copy taken in the window's thread, then the
  // writing that goes on in another.
  std::printf("\n| archivo de recuperación | copia en la ventana (ms) | escritura en otro hilo (ms) | tamaño (MB) |\n|---|---|---|---|\n");
  for (int n : {5000, 50000}) {
    Entorno e;
    banco::ponerEnvio(e.ws, n);
    for (int r = 1; r <= n; r += 10) e.ws.vaspread1.setBackColor(colDetalle::Contenedor, r, 0xC0FFC0);  // split colours
    QElapsedTimer t;
    t.start();
    const auto copia = recuperacion::tomar(e.ws);
    const double copiar = t.nsecsElapsed() / 1e6;
    t.restart();
    const QString ruta = e.dir.path() + QStringLiteral("/recuperacion.dat");
    recuperacion::escribirArchivo(ruta, *copia);
    const double escribir = t.nsecsElapsed() / 1e6;
    std::printf("| %d líneas | %.1f | %.1f | %.1f |\n", n, copiar, escribir, QFileInfo(ruta).size() / 1048576.0);
  }
  return 0;
}
