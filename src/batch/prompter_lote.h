#pragma once
// The prompter of aviso-lote. Every message the window would show goes to
// standard error as one line "TITLE: TEXT" (line breaks inside the text
// written as " / "); questions take the answers given on the command line,
// or the harmless answer when none is left; file dialogs are answered with
// the paths of the command's arguments; a modal dialog is driven by the
// command that expects it.
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <deque>
#include <functional>
#include <map>

#include "workspace/prompter.h"

class PrompterLote : public Prompter {
 public:
  explicit PrompterLote(QTextStream& err) : err_(err) {}

  // Answers to the questions, in the order they are asked.
  std::deque<Respuesta> respuestas;
  // Paths that answer the open and the save dialogs, in order; none left: cancelled.
  std::deque<QString> archivosAbrir;
  std::deque<QString> archivosGuardar;
  // Drivers of the modal dialogs by form name ("Form2", "Form5"). A dialog
  // without one closes as if its window were closed, and that is reported.
  std::map<QString, std::function<void(DialogoModelo&)>> dialogos;

  Respuesta mostrar(const Mensaje& m) override;
  QString abrirArchivo(const DialogoArchivo& d) override;
  QString guardarArchivo(const DialogoArchivo& d) override;
  void ejecutarDialogo(DialogoModelo& modelo) override;

  // One line of the program's own on standard error, "TITLE: TEXT".
  void aviso(const QString& titulo, const QString& texto);

  // At the end: how many log lines were lost, when any.
  void terminar(qint64 perdidas);

  // "TITLE: TEXT" as printed: CR LF, CR and LF inside the text become " / "
  // (those that end the text are left out).
  static QString linea(const QString& titulo, const QString& texto);

 private:
  QTextStream& err_;
};
