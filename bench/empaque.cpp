// The packing mode at 50,000 lines: 10,000 scans answered one by one as the
// window runs them (undo history on, one step each), the time of each scan;
// then the same scans as a file through `aviso-lote empacar`, the whole run.
//   aviso_banco_empaque [--lote PATH_OF_AVISO_LOTE] [--lineas N] [--escaneos M]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "empaque/empaque.h"
#include "generador.h"
#include "workfile/workfile.h"
#include "workspace/columnas.h"
#include "workspace/workspace.h"

namespace {

struct Entorno {
  QTemporaryDir dir;
  banco::PrompterBanco prompter;
  RelojFijo reloj{banco::momento()};
  Workspace ws{dir.path(), prompter, reloj};
};

// The generated shipment with no container yet, as an import leaves it.
void sinContenedores(Workspace& ws, int n) {
  banco::ponerEnvio(ws, n);
  for (int r = 1; r <= n; ++r)
    for (Grid* g : {&ws.vaspread1, &ws.vaSpread6}) {
      g->setText(colDetalle::Contenedor, r, QString());
      g->setText(colDetalle::TipoEntrega, r, QString());
    }
}

// A clerk's scans: store by store, a carton each 20 scans (an article that
// does not fit goes on in the next carton), up to 3 pieces of each line, one
// line in five packed as a case ("N*").
QStringList escaneos(const Workspace& ws, int cuantos) {
  const Grid& g = ws.vaspread1;
  std::vector<int> filas(g.dataRowCount());
  for (int i = 0; i < static_cast<int>(filas.size()); ++i) filas[i] = i + 1;
  std::stable_sort(filas.begin(), filas.end(), [&g](int a, int b) {
    return g.text(colDetalle::Tienda, a) < g.text(colDetalle::Tienda, b);
  });
  QStringList s;
  QString tienda;
  int enCaja = 0, caja = 0;
  for (int r : filas) {
    if (s.size() >= cuantos) break;
    const QString t = g.text(colDetalle::Tienda, r), upc = g.text(colDetalle::Upc, r);
    const int pedidas = g.text(colDetalle::Pedida, r).toInt();
    const auto abrirCaja = [&] {
      s << QStringLiteral("A%1%2").arg(t, QStringLiteral("%1").arg(++caja, 5, 10, QLatin1Char('0')))
        << QStringLiteral("TIENDA ") + t;
      enCaja = 0;
    };
    if (t != tienda) {
      tienda = t;
      abrirCaja();
    }
    if (r % 5 == 0) {
      s << QStringLiteral("%1*%2").arg(pedidas).arg(upc);
      ++enCaja;
    } else {
      for (int k = 0; k < qMin(3, pedidas) && s.size() < cuantos; ++k) {
        if (enCaja == 20) abrirCaja();
        s << upc;
        ++enCaja;
      }
    }
  }
  return s;
}

double ms(qint64 ns) { return ns / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QString lote;
  int n = 50000, cuantos = 10000;
  const QStringList args = app.arguments();
  for (int i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == QStringLiteral("--lote")) lote = args[i + 1];
    if (args[i] == QStringLiteral("--lineas")) n = args[i + 1].toInt();
    if (args[i] == QStringLiteral("--escaneos")) cuantos = args[i + 1].toInt();
  }

  Entorno e;
  sinContenedores(e.ws, n);
  const QString trabajo = e.dir.filePath(QStringLiteral("envio.code"));
  e.prompter.guardar.push_back(trabajo);
  guardararchiv_Click(e.ws);
  const QStringList lista = escaneos(e.ws, cuantos);

  // The window: the history on, one command and one undo step per scan.
  e.ws.historial.activar(true);
  Empaque empaque(e.ws);
  QElapsedTimer t;
  t.start();
  empaque.preparar();
  const qint64 indice = t.nsecsElapsed();
  std::vector<qint64> tiempos;
  tiempos.reserve(lista.size());
  int rechazados = 0, articulos = 0;
  for (const QString& s : lista) {
    t.restart();
    const bool tienda = s.startsWith(QLatin1String("TIENDA "));
    const Escaneo r = tienda ? empaque.fijarTienda(s.mid(7)) : empaque.escanear(s);
    empaque.estado();  // the status bar follows every scan
    tiempos.push_back(t.nsecsElapsed());
    if (!r.aceptado()) ++rechazados;
    if (r.que == Escaneo::Que::Articulo) ++articulos;
  }
  // An undo changes the lines behind the index: the window reads them again
  // when the undo's command ends, so the next scan is as quick as any.
  t.restart();
  e.ws.historial.deshacer();
  empaque.preparar();
  const qint64 deshacer = t.nsecsElapsed();
  t.restart();
  empaque.escanear(lista.last());
  const qint64 trasDeshacer = t.nsecsElapsed();

  std::vector<qint64> orden = tiempos;
  std::sort(orden.begin(), orden.end());
  qint64 total = 0;
  for (qint64 x : tiempos) total += x;
  std::printf("| líneas | escaneos | artículos | rechazados | renglones al final | índice (ms) | media (ms) | "
              "mediana (ms) | p99 (ms) | máximo (ms) | deshacer y releer (ms) | escaneo siguiente (ms) |\n|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
  std::printf("| %d | %lld | %d | %d | %d | %.1f | %.3f | %.3f | %.3f | %.3f | %.1f | %.3f |\n", n,
              static_cast<long long>(lista.size()), articulos, rechazados, e.ws.vaspread1.dataRowCount(), ms(indice),
              ms(total) / lista.size(), ms(orden[orden.size() / 2]), ms(orden[orden.size() * 99 / 100]),
              ms(orden.back()), ms(deshacer), ms(trasDeshacer));

  if (lote.isEmpty()) return 0;
  // aviso-lote: the same scans as a file, the whole command.
  QFile archivo(e.dir.filePath(QStringLiteral("escaneos.txt")));
  if (!archivo.open(QIODevice::WriteOnly)) return 2;
  archivo.write(lista.join(QLatin1Char('\n')).toUtf8() + '\n');
  archivo.close();
  QProcess p;  // its list of the lines never scanned is read and counted
  t.restart();
  p.start(lote, {QStringLiteral("--carpeta"), e.dir.path(), QStringLiteral("empacar"), trabajo,
                 QStringLiteral("--escaneos"), archivo.fileName(), QStringLiteral("--trabajo"),
                 e.dir.filePath(QStringLiteral("empacado.code"))});
  QByteArray errores;
  while (p.state() != QProcess::NotRunning) {
    p.waitForReadyRead(1000);
    errores += p.readAllStandardError();
  }
  const double duracion = ms(t.nsecsElapsed());
  errores += p.readAllStandardError();
  std::printf("\naviso-lote empacar, %d líneas y %lld escaneos: %.0f ms (estado %d, %lld renglones de mensajes)\n", n,
              static_cast<long long>(lista.size()), duracion, p.exitCode(), static_cast<long long>(errores.count('\n')));
  return 0;
}
