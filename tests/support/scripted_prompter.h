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
  std::deque<QString> claves;              // answers to password questions; empty: cancelled
  QStringList clavesPedidas;               // the texts of the password questions
  std::vector<std::pair<qint64, qint64>> avances;  // progress steps shown (done, total)
  qint64 cancelarEn = -1;                  // the user presses Cancelar once this many units are done
  // Drives a modal dialog; called with the model. Without one the dialog
  // closes as if its window were closed.
  std::function<void(DialogoModelo&)> alDialogo;
  QStringList dialogosVistos;
  int beeps = 0;
  QString ocupado;  // '+' and '-' as the busy pointer comes and goes

  Respuesta mostrar(const Mensaje& m) override;
  QString abrirArchivo(const DialogoArchivo& d) override;
  QString guardarArchivo(const DialogoArchivo& d) override;
  void ejecutarDialogo(DialogoModelo& modelo) override;
  void beep() override { ++beeps; }
  void cursorOcupado(bool si) override { ocupado += si ? QLatin1Char('+') : QLatin1Char('-'); }
  std::optional<QString> pedirClave(const QString& titulo, const QString& texto) override;
  void conAvance(const QString& titulo, const std::function<void(const Avance&)>& trabajo) override;

  // Texts of the messages shown so far.
  QStringList textos() const;
  QString ultimo() const { return mensajes.empty() ? QString() : mensajes.back().texto; }
  void limpiar() { mensajes.clear(); }
};
