#pragma once
// The send command (toolbar b_enviar, Archivo > "&Enviar", the button row's
// "E&nviar"): everything the file command checks, sorts and merges, the
// notice written into the program folder's enviados/ under its remote name,
// then uploaded to the retailer's server with the connection's settings.
// Every send, good or failed, is a line of enviados/historial.txt.
#include <QString>

#include "subida/historial_envios.h"
#include "workspace/prompter.h"
#include "workspace/resultado.h"

class Workspace;

Resultado b_enviar_Click(Workspace& ws);
Resultado enviararchiv_Click(Workspace& ws);
Resultado enviar_Click(Workspace& ws);  // the button row's "E&nviar"

// Archivo > "Historial de envíos": every send, good or failed, newest first.
class HistorialEnviosModelo : public DialogoModelo {
 public:
  static const QString kTitulo;  // "Historial de envíos"
  QString forma() const override { return QStringLiteral("HistorialEnvios"); }
  QList<EnvioRegistrado> lineas;
};
Resultado historialenvios_Click(Workspace& ws);
