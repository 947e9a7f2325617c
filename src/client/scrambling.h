#pragma once
// Scrambling of the FTP server address stored in dudizod.ini (Module2):
// EnCode turns each key character into its three-character code, DeCode turns
// the codes back. The table is fixed: files written with it must stay readable.
#include <QString>
#include <utility>

class Workspace;

// The 93 keys (printable ASCII but the grave accent and the tilde) and their codes.
const std::pair<char16_t, const char16_t*>* tablaCodigos(int* cuantos);

QString EnCode(Workspace& ws, const QString& texto);
QString DeCode(const QString& texto);
