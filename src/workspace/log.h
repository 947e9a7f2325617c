#pragma once
// The event log: folder "Log" in the program folder, one file a day
// "LogDDMMYYYY.txt", one open-append-close per line, CR LF, Windows-1252.
// A line that cannot be written is lost and the work goes on; the user is
// told once, and again only after a line has been written in between (a box
// per line would make the window unusable: every repaint logs).
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
  // Lines that could not be written since the log was made.
  qint64 perdidas() const { return perdidas_; }

 private:
  QString carpetaLog_;
  const Reloj& reloj_;
  Prompter& prompter_;
  bool trazaPorCelda_ = true;
  qint64 perdidas_ = 0;
  bool avisado_ = false;  // the failure was told and no line has been written since
};
