#pragma once
// All talk with the user goes through this interface: the window answers with
// message boxes, file dialogs and forms; tests and aviso-lote with a script.
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

enum class Icono { Ninguno, Informacion, Exclamacion, Critico, Pregunta };
enum class Botones { Ok, SiNo, SiNoCancelar, OkCancelar };
enum class Respuesta { Ok, Si, No, Cancelar };

struct Mensaje {
  QString texto;
  QString titulo;
  Icono icono = Icono::Ninguno;
  Botones botones = Botones::Ok;
};

struct DialogoArchivo {
  QString titulo;
  QString filtro;          // "descripción|*.ext|descripción|*.ext"
  int filtroInicial = 1;   // counted from 1
  QString carpetaInicial;
  QString nombre;          // preset in the name box ("*.inf")
  bool confirmarSobrescribir = false;
};

// Core model of a modal dialog (Form2, Form3, Form5 to Form10). The window
// shows the matching form; a script drives the model's handlers directly.
class DialogoModelo {
 public:
  virtual ~DialogoModelo() = default;
  virtual QString forma() const = 0;  // "Form2", "Form5", ...
  bool cerrado = false;               // set by the handlers that close it
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual Respuesta mostrar(const Mensaje& m) = 0;
  // The chosen path; the empty text when the user cancelled.
  virtual QString abrirArchivo(const DialogoArchivo& d) = 0;
  virtual QString guardarArchivo(const DialogoArchivo& d) = 0;
  // Shows the dialog modally and returns when it has closed.
  virtual void ejecutarDialogo(DialogoModelo& modelo) = 0;
  // Asks for a password (the text says for what); nothing when cancelled.
  virtual std::optional<QString> pedirClave(const QString& /*titulo*/, const QString& /*texto*/) { return std::nullopt; }
  // Progress of a long job: hechos of total units; false when the user cancelled.
  using Avance = std::function<bool(qint64 hechos, qint64 total)>;
  // Runs `trabajo` to its end, showing its progress with a Cancel button; the
  // window runs it outside its own thread and keeps painting meanwhile.
  virtual void conAvance(const QString& /*titulo*/, const std::function<void(const Avance&)>& trabajo) {
    trabajo([](qint64, qint64) { return true; });
  }
  virtual void beep() {}
  // Lets the window repaint during a long loop (never re-enters a command).
  virtual void procesarEventos() {}
  virtual void cursorOcupado(bool /*ocupado*/) {}
  // The clipboard: rows separated by CR LF, cells by TAB (as spreadsheets use).
  virtual QString leerPortapapeles() const { return portapapeles_; }
  virtual void escribirPortapapeles(const QString& texto) { portapapeles_ = texto; }

 private:
  QString portapapeles_;
};
