#pragma once
// The system's text files: Windows-1252 on disk, QString inside, CR LF written,
// CR LF, LF or a lone CR accepted when reading. A file that replaces another is
// written whole or not at all.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

namespace texto {

// Windows-1252 <-> QString. Characters without a Windows-1252 byte become '?'.
QString desde1252(const QByteArray& bytes);
QByteArray a1252(const QString& texto);
bool representableEn1252(QChar c);

// Splits decoded text into lines; a final line end does not start an empty line.
QStringList partirLineas(const QString& texto);

// Outcome of a file operation: ok, or an error number in the style of the
// system's "Error inesperado #" message and a Spanish description.
struct Resultado {
  bool ok = true;
  int numero = 0;
  QString descripcion;
  static Resultado exito() { return {}; }
  static Resultado falla(int numero, const QString& descripcion) { return {false, numero, descripcion}; }
};

// Reads the whole file as lines. A file over kMaximoBytesLectura is not read
// (error 7): 50,000 lines of any of the system's files are a small part of it.
constexpr qint64 kMaximoBytesLectura = qint64(256) << 20;
Resultado leerLineas(const QString& ruta, QStringList& lineas);
Resultado leerBytes(const QString& ruta, QByteArray& bytes);

// Joins lines with CR LF after every line (also the last).
QByteArray unirLineas(const QStringList& lineas, bool finalConSalto = true);

// Writes the bytes to the device and reports a short write.
Resultado escribirEn(QIODevice& dispositivo, const QByteArray& bytes);

// Replaces the file at ruta by the bytes, atomically (temporary file in the
// same folder, then rename). On failure the old file is left as it was.
Resultado escribirArchivo(const QString& ruta, const QByteArray& bytes);
Resultado escribirLineas(const QString& ruta, const QStringList& lineas);

// Appends bytes to a file (created when missing): open, write, close.
Resultado anexar(const QString& ruta, const QByteArray& bytes);

// True when the bytes can be a text file: no NUL and no control character
// other than TAB, LF, CR and form feed (a final end-of-file mark Ctrl+Z is allowed).
bool esTexto(const QByteArray& bytes);

// Answer of a file dialog: empty or still a pattern ("*.inf") means cancelled.
bool dialogoCancelado(const QString& nombre);

// Test hook: when set, every write through this layer fails after that many
// bytes have been written in total ("disco lleno"). -1 switches it off.
void simularDiscoLlenoTras(qint64 bytes);

}  // namespace texto
