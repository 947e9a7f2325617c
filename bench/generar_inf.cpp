// Writes the generated INF order file of n lines (bench/generador.cpp) and
// prints the --orden arguments that choose all its orders.
//   aviso_generar_inf N ARCHIVO
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "generador.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "uso: aviso_generar_inf N ARCHIVO\n");
    return 2;
  }
  QFile f(QString::fromLocal8Bit(argv[2]));
  if (!f.open(QIODevice::WriteOnly) || f.write(banco::archivoInf(std::atoi(argv[1]))) < 0) return 1;
  for (int o = 0; o < banco::kOrdenes; ++o)
    std::printf("--orden\n%s - 123\n", banco::numeroOrden(o).toUtf8().constData());
  return 0;
}
