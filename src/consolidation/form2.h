#pragma once
// The consolidation dialog Form2 ("ASN Tornavela"): after an INF order file has
// been loaded the user moves the orders of one department from List1 to List2
// and accepts. Aceptar keeps only the chosen orders' lines in the detail grid,
// the order line store and the dialog's own order table, and gives each chosen
// order its row in the per-order header table vaSpread9; Cancelar abandons the
// import.
//
// A window shows List1/List2 and forwards the clicks to the handlers below; a
// script selects entries by text (seleccionar) and presses the buttons.
#include <QString>
#include <QStringList>
#include <QVector>

#include "workspace/grid.h"
#include "workspace/prompter.h"
#include "workspace/resultado.h"

class Workspace;

// An entry "order - department" of List1 or List2. The order and department it
// was built from are kept with it, so that an order number or department with
// a blank or a hyphen in it is still matched exactly.
struct EntradaOrden {
  QString texto;
  QString orden;
  QString depto;
};

struct ListaOrdenes {
  QVector<EntradaOrden> entradas;
  int indice = -1;  // selected entry, -1 none

  int size() const { return entradas.size(); }
  QStringList textos() const;
  // Index of the first entry with that text, -1 none.
  int buscar(const QString& texto) const;
  void vaciar() { entradas.clear(); indice = -1; }
};

class Form2Modelo : public DialogoModelo {
 public:
  static const QString kTitulo;      // "ASN Tornavela"
  static const QString kLabel1;      // instruction
  static const QString kCommand1;    // ">>Añadir >>"
  static const QString kCommand2;    // "Aceptar"
  static const QString kCommand3;    // "Borrar"
  static const QString kCommand4;    // "Cancelar"

  explicit Form2Modelo(Workspace& ws);
  QString forma() const override { return QStringLiteral("Form2"); }

  Workspace& ws;
  const QString titulo = kTitulo;
  QString Label1 = kLabel1;
  ListaOrdenes List1;  // the orders of the file
  ListaOrdenes List2;  // the chosen orders
  // The dialog order table: the converted order file, row 1 its heading line.
  Grid vaSpread2{QStringLiteral("vaSpread2"), Grid::kLimiteRenglones, 256};

  // How the dialog ended. A window closed without Aceptar or Cancelar leaves
  // Abierto; the import then treats it as Cancelar.
  enum class Fin { Abierto, Aceptado, Cancelado };
  Fin fin = Fin::Abierto;
  bool aceptado() const { return fin == Fin::Aceptado; }
  bool cancelado() const { return fin == Fin::Cancelado; }

  // Handlers
  void Form_Activate();   // builds List1 (also run by the import before the dialog shows)
  Resultado Command1_Click();  // >>Añadir >>
  Resultado Command2_Click();  // Aceptar
  Resultado Command3_Click();  // Borrar
  Resultado Command4_Click();  // Cancelar
  void Barra_V1();        // click in List1 (a window sizes its horizontal scroll bar itself)
  void Barra_V2();        // click in List2

  // Selects the first entry with that text; false (selection unchanged) when none.
  bool seleccionarList1(const QString& texto);
  bool seleccionarList2(const QString& texto);

  // Entry text of an order and department: "order - department".
  static QString textoEntrada(const QString& orden, const QString& depto);

 private:
  void log(const QString& texto);
  bool consolidable() const;
};
