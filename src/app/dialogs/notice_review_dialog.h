#pragma once
// The window of Archivo > "Revisar aviso...": read-only, the decoded notice
// (orders, their header fields, containers and lines with their totals) beside
// the notice's text, and below the list of faults and warnings; a double
// click on a finding (or on a record) goes to its line and column in the text.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QtPrompter;
class RevisionAvisoModelo;

class RevisionAvisoDialogo : public QDialog {
 public:
  RevisionAvisoDialogo(RevisionAvisoModelo& m, QtPrompter& p, QWidget* padre);

  // Puts the text's cursor on line `linea`, column `columna` (from 1) and shows it.
  void irA(int linea, int columna);

 private:
  void mostrar();
  void comparar();

  RevisionAvisoModelo& m_;
  QtPrompter& prompter_;
  QLabel* resumen_;
  QTreeWidget* arbol_;
  QPlainTextEdit* texto_;
  QTreeWidget* hallazgos_;
};

// Registers "RevisionAviso" with the window's prompter.
void registrarRevisionAviso(QtPrompter& p);
