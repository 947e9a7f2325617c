#pragma once
// The connection to the retailer's server as the settings keep it: the
// address in dudizod.ini (scrambled) and, through start-up, row 13 of the
// client settings; user, flags and firewall in info.cfg rows 3 to 11; time-out
// in row 20; protocol, port, remote folder and remote name in rows 21 to 24.
// Passwords never lie in either file: rows 4 and 11 stay empty, the
// credential store keeps them.
#include "subida/conexion.h"
#include "workspace/textfile.h"

class Workspace;

// The connection the settings tables hold. An older info.cfg without rows
// 21 to 24 gives SFTP on its own port, the home folder and the default name.
Conexion conexionDe(const Workspace& ws);
// Writes a connection into the settings tables (labels included), the
// address into both tables; never a password.
void ponerConexion(Workspace& ws, const Conexion& c);

// Saves the client settings table to info.cfg, the password rows emptied
// first: every writer of info.cfg goes through here.
texto::Resultado guardarAjustes(Workspace& ws);
// Saves the application settings to dudizod.ini, the address scrambled.
texto::Resultado guardarAplicacion(Workspace& ws);
// ponerConexion, then dudizod.ini and info.cfg. On failure the tables hold
// the new values for this session and the files what they held.
texto::Resultado guardarConexion(Workspace& ws, const Conexion& c);

// A password that an older info.cfg holds in row 4 or 11 goes into the
// credential store, or is dropped with a message when there is none; the file
// is rewritten without it. Start-up runs it after the settings are read.
void moverClavesViejas(Workspace& ws);

// How the settings write the protocol and the firewall type, and read them
// back (the texts an older file may hold included).
QString textoProtocolo(Protocolo p);
Protocolo protocoloDeTexto(const QString& texto);
QString textoProxy(Proxy p);
Proxy proxyDeTexto(const QString& texto);
