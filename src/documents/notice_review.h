#pragma once
// Archivo > "Revisar aviso...": a notice file read back and shown, read-only,
// with its orders, containers, lines, totals, faults and warnings; optionally
// compared with a work file.
#include <QString>

#include "envio/aviso.h"
#include "workspace/prompter.h"
#include "workspace/resultado.h"

class Workspace;

// What the window shows. The Qt form reads it and may ask for a comparison.
class RevisionAvisoModelo : public DialogoModelo {
 public:
  QString forma() const override { return QStringLiteral("RevisionAviso"); }
  QString ruta;     // the notice shown
  QString trabajo;  // the work file it was compared with ("" when none)
  AvisoLeido aviso;
  // Asks for a work file (open dialog through `p`) and reads the notice again
  // compared with it. False when cancelled or a file could not be read (the
  // message has been shown).
  bool compararConTrabajo(Prompter& p, const QString& carpetaInicial);
};

// The command: the open dialog (preset: the last notice written), the notice
// read, the window shown. Cancelado when the dialog is cancelled, Fallido when
// the file cannot be read (the message says why).
Resultado revisaraviso_Click(Workspace& ws);
