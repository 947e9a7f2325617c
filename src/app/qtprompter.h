#pragma once
// The window's prompter: message boxes, file dialogs and the dialog forms.
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "workspace/prompter.h"

class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* ventana = nullptr) : ventana_(ventana) {}
  void ponerVentana(QWidget* v) { ventana_ = v; }

  Respuesta mostrar(const Mensaje& m) override;
  QString abrirArchivo(const DialogoArchivo& d) override;
  QString guardarArchivo(const DialogoArchivo& d) override;
  void ejecutarDialogo(DialogoModelo& modelo) override;
  void beep() override;
  std::optional<QString> pedirClave(const QString& titulo, const QString& texto) override;
  // A progress dialog with the bytes and Cancelar; `trabajo` runs on a worker thread.
  void conAvance(const QString& titulo, const std::function<void(const Avance&)>& trabajo) override;
  void procesarEventos() override;
  void cursorOcupado(bool ocupado) override;
  // The system clipboard, as plain text (rows CR LF, cells TAB).
  QString leerPortapapeles() const override;
  void escribirPortapapeles(const QString& texto) override;

  // The form that shows a dialog model, by the model's form name ("Form2").
  using Forma = std::function<void(DialogoModelo&, QWidget* padre)>;
  void registrar(const QString& forma, Forma f) { formas_.insert(forma, std::move(f)); }

  // "desc|*.a|desc2|*.b" -> "desc (*.a);;desc2 (*.b)"
  // The extension of the dialog's initial filter ("006" for "*.006"), none for "*.*".
  static QString extension(const DialogoArchivo& d);
  static QString filtroQt(const QString& filtro, int indice, QString* elegido);

 private:
  QPointer<QWidget> ventana_;
  QHash<QString, Forma> formas_;
  bool ocupado_ = false;
};
