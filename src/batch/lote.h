#pragma once
// aviso-lote: the window's procedures run from the command line, without a
// window. Each command starts the workspace as the window starts it (the
// settings of the program folder), drives the same core procedures the
// window's commands run, and answers the dialogs from its arguments.
//
//   aviso-lote [--carpeta DIR] cliente --cliente NUM --proveedor NUM --rfc TEXTO
//   aviso-lote [--carpeta DIR] importar PEDIDOS --orden "OC - DEPTO"... [--tipo TIPO]
//                              [--datos "OC|NUM VORARIDO|FACTURA|IMPORTE"]... --trabajo SALIDA
//   aviso-lote [--carpeta DIR] generar TRABAJO --entrega DD/MM/AAAA --hora HH:MM --aviso SALIDA
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace lote {

// Exit status of the program.
enum Estado : int {
  kHecho = 0,     // the command did its work
  kRehusado = 1,  // a check of the system refused it
  kError = 2,     // wrong arguments, a file that cannot be read or written, an unexpected error
};

// The help text (Spanish).
QString ayuda();

// Well-formed UTF-8: no stray continuation byte, no sequence cut short, no
// overlong form, no surrogate, nothing past U+10FFFF.
bool esUtf8(const QByteArray& bytes);

// Checks the raw bytes of the command line before Qt turns them into text: an
// argument that is not UTF-8 would name another file. kError with the
// message on `errores`, kHecho when every argument is UTF-8.
int revisarArgumentos(int argc, const char* const* argv, QTextStream& errores);

// Runs one command line (the arguments without the program name).
// `carpetaOmision` is the program folder when --carpeta is not given; the
// help goes to `salida`, every message to `errores`.
int ejecutar(const QStringList& argumentos, const QString& carpetaOmision, QTextStream& salida, QTextStream& errores);

}  // namespace lote
