// Runs a harness over files and folders of files when there is no libFuzzer:
//   fuzz_x FILE_OR_FOLDER...
#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n);

namespace {
int correr(const QString& ruta) {
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "no se puede leer %s\n", qPrintable(ruta));
    return 0;
  }
  const QByteArray b = f.readAll();
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(b.constData()), static_cast<size_t>(b.size()));
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  int corridas = 0;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg.startsWith(QLatin1Char('-'))) continue;  // libFuzzer options are ignored
    if (QFileInfo(arg).isDir()) {
      QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
      while (it.hasNext()) corridas += correr(it.next());
    } else {
      corridas += correr(arg);
    }
  }
  std::printf("%s: %d entradas sin falla\n", argv[0], corridas);
  return 0;
}
