#pragma once
// A workspace in a temporary program folder, with a scripted prompter and a
// fixed clock (07/12/2026 10:30:00 unless a test sets another).
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "scripted_prompter.h"
#include "workspace/workspace.h"

class WorkspaceTest : public ::testing::Test {
 protected:
  WorkspaceTest();
  QTemporaryDir dir;
  ScriptedPrompter prompter;
  RelojFijo reloj;
  std::unique_ptr<Workspace> ws;

  QString carpeta() const { return dir.path(); }
  // A new workspace on the same folder (a restart).
  void reiniciar();
  // Writes a file in the program folder (or an absolute path) in Windows-1252 with the bytes given.
  QString escribir(const QString& nombre, const QByteArray& bytes);
  QByteArray leer(const QString& ruta) const;
  // The lines of today's log file.
  QStringList lineasLog() const;
  // Log lines with the date-time prefix cut off.
  QStringList textosLog() const;
};

// Makes a QString from a UTF-8 literal.
inline QString Q(const char* s) { return QString::fromUtf8(s); }
