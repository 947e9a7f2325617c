// Runs a harness over files and folders of files when there is no libFuzzer:
//   fuzz_x FILE_OR_FOLDER...   (libFuzzer's options, "-...", are ignored)
#include <QDirIterator>
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n);

int main(int argc, char** argv) {
  QStringList archivos;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg.startsWith(QLatin1Char('-'))) continue;
    for (QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) archivos << it.next();
    if (!QFileInfo(arg).isDir()) archivos << arg;
  }
  int corridas = 0;
  for (const QString& ruta : archivos) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "no se puede leer %s\n", qPrintable(ruta));
      continue;
    }
    const QByteArray b = f.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(b.constData()), static_cast<size_t>(b.size()));
    ++corridas;
  }
  std::printf("%s: %d entradas sin falla\n", argv[0], corridas);
  return 0;
}
