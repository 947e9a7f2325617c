#pragma once
// The text of the system's files: Windows-1252 bytes on disk, QString inside,
// CR LF written after every line, CR LF, LF or a lone CR accepted when read.
// Pure: bytes in, text out, and writes into a device the caller opened.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

namespace texto {

// Windows-1252 <-> QString. Characters without a Windows-1252 byte become '?'.
QString desde1252(const QByteArray& bytes);
QByteArray a1252(const QString& texto);

// Splits decoded text into lines; a final line end does not start an empty line.
QStringList partirLineas(const QString& texto);

// Joins lines with CR LF after every line (also the last, unless told not to).
QByteArray unirLineas(const QStringList& lineas, bool finalConSalto = true);

// True when the bytes can be a text file: no NUL and no control character
// other than TAB, LF, CR and form feed (a final end-of-file mark Ctrl+Z is allowed).
bool esTexto(const QByteArray& bytes);

// Outcome of a file operation: ok, or an error number in the style of the
// system's "Error inesperado #" message and a Spanish description.
struct Resultado {
  bool ok = true;
  int numero = 0;
  QString descripcion;
  static Resultado exito() { return {}; }
  static Resultado falla(int numero, const QString& descripcion) { return {false, numero, descripcion}; }
};

// Writes the bytes to the device; a failed or short write is an error (61)
// with the device's own description.
Resultado escribirEn(QIODevice& dispositivo, const QByteArray& bytes);

}  // namespace texto
