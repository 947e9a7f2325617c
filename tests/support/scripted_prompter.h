#pragma once
// A prompter for tests: records every message, answers from queues.
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "workspace/prompter.h"

class ScriptedPrompter : public Prompter {
 public:
  std::vector<Mensaje> mensajes;           // every message shown, in order
  std::deque<Respuesta> respuestas;        // answers to questions; empty: the default below
  std::deque<QString> archivosAbrir;       // answers to open dialogs; empty: cancelled
  std::deque<QString> archivosGuardar;     // answers to save dialogs; empty: cancelled
  std::vector<DialogoArchivo> dialogosArchivo;
  // Drives a modal dialog; called with the model. Without one the dialog
  // closes as if its window were closed.
  std::function<void(DialogoModelo&)> alDialogo;
  QStringList dialogosVistos;
  int beeps = 0;

  Respuesta mostrar(const Mensaje& m) override;
  QString abrirArchivo(const DialogoArchivo& d) override;
  QString guardarArchivo(const DialogoArchivo& d) override;
  void ejecutarDialogo(DialogoModelo& modelo) override;
  void beep() override { ++beeps; }

  // Texts of the messages shown so far.
  QStringList textos() const;
  QString ultimo() const { return mensajes.empty() ? QString() : mensajes.back().texto; }
  void limpiar() { mensajes.clear(); }
};
