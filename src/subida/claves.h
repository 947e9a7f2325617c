#pragma once
// Passwords of the connection live in the system's credential store (Secret
// Service, Windows Credential Manager, macOS Keychain), never in a file. Every
// call waits a bounded time: with no D-Bus session or no store the answer is
// "no store", quickly.
#include <QString>
#include <optional>

struct Conexion;

// A credential store answers (bounded wait, never hangs).
bool almacenDisponible();
// Stores clave under cuenta; false (and error, in Spanish) when the store refused or is missing.
bool guardarClave(const QString& cuenta, const QString& clave, QString* error = nullptr);
// The stored password, or nothing when there is none or no store.
std::optional<QString> leerClave(const QString& cuenta);
// Removes the stored password; true when none remains.
bool borrarClave(const QString& cuenta);

// Account names under which the server's and the proxy's passwords are kept.
QString cuentaServidor(const Conexion& c);
QString cuentaProxy(const Conexion& c);

// The password a script hands over in a file (never on the command line):
// the file's first line, without its line end. Only a small regular file is
// read; nothing (and *error, in Spanish) otherwise or when the line is empty.
std::optional<QString> claveDeArchivo(const QString& ruta, QString* error = nullptr);
