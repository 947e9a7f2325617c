#pragma once
// The system's text files: Windows-1252 on disk, QString inside, CR LF written,
// CR LF, LF or a lone CR accepted when reading. A file that replaces another is
// written whole or not at all.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "envio/texto.h"

class QIODevice;
class QSaveFile;

namespace texto {

// Reads the whole file as lines. Only a regular file is read: a folder, a
// pipe or a device is refused at once (error 75), never waited on. A file over
// kMaximoBytesLectura is not read (error 7): 50,000 lines of any of the
// system's files are a small part of it.
constexpr qint64 kMaximoBytesLectura = qint64(256) << 20;
Resultado leerLineas(const QString& ruta, QStringList& lineas);
Resultado leerBytes(const QString& ruta, QByteArray& bytes);

// Reads a regular file as leerBytes does, handing its bytes over in parts of
// at most 1 MB, so that the caller need not hold it whole. A file over
// `maximo` bytes is refused (error 7) before any byte is read.
Resultado leerPorPartes(const QString& ruta, qint64 maximo, const std::function<void(const QByteArray&)>& recibir);

// Whether a writer may put a file at `ruta`: it names nothing yet or a
// regular file. A pipe, a device or a socket is refused (error 75) before
// anything is written: replacing it would take it away from whoever reads
// it. (A folder refuses the write itself.)
Resultado destinoValido(const QString& ruta);

// Whether two paths name one file: the same device and inode when both
// exist, otherwise the same canonical path (the folder's, with the name).
bool mismoArchivo(const QString& a, const QString& b);

// A writer puts its bytes into an open device and reports the first write
// that failed. Every file the system writes has one.
using Escritor = std::function<Resultado(QIODevice&)>;

// A file replaced whole or not at all. The writer writes into a temporary
// file in the same folder; only when every write and the final flush went
// through is it renamed over the old file, and the folder synced so that the
// new name survives a power cut. On any failure the old file stays byte for
// byte and the result says why.
class Reemplazo {
 public:
  explicit Reemplazo(const QString& ruta);
  virtual ~Reemplazo();
  Reemplazo(const Reemplazo&) = delete;
  Reemplazo& operator=(const Reemplazo&) = delete;

  Resultado escribir(const Escritor& escritor);

 protected:
  // Where the writer writes: the temporary file.
  virtual QIODevice& dispositivo();
  // Hands what is still buffered to the system; false when it did not all go.
  virtual bool vaciar();
  QSaveFile& temporal() { return *archivo_; }

 private:
  std::unique_ptr<QSaveFile> archivo_;
};

// The file-name convenience: Reemplazo(ruta).escribir(escritor). The recovery
// file goes through here like every other file.
Resultado reemplazar(const QString& ruta, const Escritor& escritor);
Resultado escribirArchivo(const QString& ruta, const QByteArray& bytes);
Resultado escribirLineas(const QString& ruta, const QStringList& lineas);

// A file that lives only while its command runs (archtabs.tmp): written in
// place and not synced, since nobody keeps it. A pipe or a device in its
// place is refused as by a replacing writer.
Resultado escribirTemporal(const QString& ruta, const QByteArray& bytes);

// Appends bytes to a regular file (created when missing): open, write, close.
Resultado anexar(const QString& ruta, const QByteArray& bytes);

// Answer of a file dialog: empty or still a pattern ("*.inf") means cancelled.
bool dialogoCancelado(const QString& nombre);

}  // namespace texto
