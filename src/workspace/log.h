#pragma once
// The event log: folder "Log" in the program folder, one file a day
// "LogDDMMYYYY.txt", one open-append-close per line, CR LF, Windows-1252.
#include <QString>

class Prompter;
class Reloj;

class EventLog {
 public:
  EventLog(QString carpetaPrograma, const Reloj& reloj, Prompter& prompter);
  void EscribirLog(const QString& texto);
  QString rutaDelDia() const;  // today's log file
  QString carpeta() const { return carpetaLog_; }

 private:
  QString carpetaLog_;
  const Reloj& reloj_;
  Prompter& prompter_;
};
