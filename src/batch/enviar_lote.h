#pragma once
// aviso-lote enviar AVISO: a notice file uploaded with the connection of the
// program folder's settings, and the send written in the history.
#include <QString>
#include <functional>

class Workspace;

namespace lote {

struct DatosEnvio {
  QString aviso;          // the notice file
  QString claveArchivo;   // a file whose first line is the password; empty: the credential store
  QString aceptarHuella;  // "SHA256:..." accepted on this first contact
  bool reenviar = false;  // send again what the history says was sent
};

// 0 sent, 1 refused (identity unknown or changed, certificate, password,
// already sent), 2 failed (no connection, a file, the time-out). Every message
// goes to `decir(titulo, texto)`.
int enviar(Workspace& ws, const DatosEnvio& e, const std::function<void(const QString&, const QString&)>& decir);

}  // namespace lote
