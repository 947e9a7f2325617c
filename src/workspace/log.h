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
  // The line that opening a work file writes for every cell it copies. On by
  // default; the benchmarks switch it off to time the open without it.
  void setTrazaPorCelda(bool si) { trazaPorCelda_ = si; }
  bool trazaPorCelda() const { return trazaPorCelda_; }

 private:
  QString carpetaLog_;
  const Reloj& reloj_;
  Prompter& prompter_;
  bool trazaPorCelda_ = true;
};
