#pragma once
// The client data dialog Form5 ("Configuración", heading "Datos de
// Configuración"): the client number, the supplier number and the RFC that
// identify the supplier towards the retailer. The values live in column 2 of
// the client settings table vaSpread2 (rows 2, 14 and 16); Aceptar writes them
// there and saves the whole table to info.cfg in the program folder.
//
// The window's form shows the four boxes of the model and forwards its events:
// each key typed into ncliente, Text2 or rfc goes through KeyPress (null QChar:
// drop the key), focus leaving rfc through rfc_LostFocus, the buttons through
// aceptar_Click / Cancelar_Click; after each handler it gives the focus to the
// box named in `foco` and closes when `cerrado` is true. A script (the batch
// program, tests) types whole texts with teclear().
#include <QChar>
#include <QString>

#include "workspace/prompter.h"
#include "workspace/resultado.h"

class Workspace;

class Form5Modelo : public DialogoModelo {
 public:
  enum class Caja { ncliente, Text2, rfc };

  static const QString kTitulo;        // "Configuración"
  static const QString kEncabezado;    // "Datos de Configuración"
  static const QString kEjemploRfc;    // example of the RFC form shown under its box

  explicit Form5Modelo(Workspace& ws);
  QString forma() const override { return QStringLiteral("Form5"); }

  Workspace& ws;
  // The boxes. `aplicacion` is shown only and never written back.
  QString aplicacion;
  QString ncliente;
  QString Text2;
  QString rfc;
  // Box that must get the focus ("ncliente", "Text2" or "rfc"); empty: unchanged.
  QString foco;

  // Maximum lengths as designed: ncliente 5, Text2 10, rfc 14.
  static int maximo(Caja caja);
  // Fills the boxes from the settings table (rows 1, 2, 14 and 16).
  void Form_Load();
  // Key filter. Returns the character to enter (rfc: its capital form), or a
  // null QChar when the key is dropped after a beep. Backspace is '\b'.
  QChar KeyPress(Caja caja, QChar tecla);
  // Types a text into a box through the key filter and the maximum length, as a
  // user would. Returns false when a character was dropped.
  bool teclear(Caja caja, const QString& texto);
  QString& caja(Caja c);

  // Focus leaving the RFC box for the control named `destino` ("aceptar",
  // "Cancelar", "ncliente", ...). An RFC shorter than 14 characters is reported
  // ("Faltan caracteres en el campo de RFC") and the focus goes back to it,
  // except when the focus goes to Cancelar (the user leaves without saving) or
  // to aceptar (aceptar_Click makes the same check), so the box never traps the
  // user. Returns false when it reported.
  bool rfc_LostFocus(const QString& destino = QString());
  // Checks in order, writes rows 2, 14 and 16 and saves info.cfg; closes the
  // dialog when the checks pass.
  Resultado aceptar_Click();
  // Closes the dialog; nothing is written.
  Resultado Cancelar_Click();
  // How the dialog ended: Cancelado until aceptar_Click closes it.
  Resultado resultado = Resultado::Cancelado;

 private:
  void log(const QString& texto);
};

// Configuración > "&Datos Generales": opens Form5 modally, filled from the settings.
Resultado generales_Click(Workspace& ws);
// Opens Form5 modally (filled by its Form_Load) and returns when it has closed.
Resultado mostrarForm5(Workspace& ws);
