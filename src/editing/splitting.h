#pragma once
// Splitting a line of the detail grid over several containers. The active
// line of vaspread1 becomes 2, 3, 4, 5, 10 or any number N of lines: the
// line is repeated N - 1 times directly below itself (in vaspread1 and, at
// the same row numbers, in the order line store vaSpread6) and the user's N
// quantities go into column 11 of the N lines. The quantities may add up to
// less than the line's quantity (the rest is dropped), never to more.
//
// Fixed-size dialogs (one model class, each dialog with its own texts):
//   Form6  "Separar renglón"             2 lines   (dosrenglones, menu two)
//   Form9  "Separar en tres renglones"   3 lines   (tresrenglones, menu three)
//   Form10 "Separar renglón"             4 lines   (cuatrorenglones, menu four)
//   Form7  "Separar en cinco renglones"  5 lines   (cincorenglones, menu five)
//   Form8  "Separar en diez renglones"   10 lines  (diezrenglones, menu ten)
// Their quantities run bottom-up: "Cant 1" lands on the last copy, the last
// box on the line that was split.
//
// Any-size dialog Form3 "Separar en múltiples renglones" (menu
// mult_renglones, toolbar b_separar): the user gives the number of lines and
// a quantity per line in a small grid; the quantities run top-down.
//
// New lines get the split colour on columns 1 to 14 but 11. What the dialogs
// are given is screened: a quantity, maximum or number of lines that is not
// a number, a negative quantity, a number of lines beyond the row limit, and
// a line whose own quantity is empty or not a number are refused with a
// message and leave the grids as they were.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "workspace/grid.h"
#include "workspace/prompter.h"
#include "workspace/resultado.h"

class Workspace;

// Background of the lines a split creates: red 206, green 231, blue 255.
constexpr uint32_t kColorSeparacion = (206u << 16) | (231u << 8) | 255u;

// Reads a whole text as a number: blanks around it, an optional sign,
// digits with at most one decimal point. Anything else ("12abc", "1,5",
// "", "-") is no number and gives false.
bool leerCantidad(const QString& texto, double& valor);

// Repeats line `fila` of vaspread1 `copias` times directly below it (every
// column, the hidden ordered quantity included) and does the same in
// vaSpread6 with its own line `fila`; the last copy becomes the active row
// and the last-insertion record, the clipboard (the copied line of
// vaSpread6) and the log are left as `copias` single duplications
// (duplicarrenglon, then duplicarspread6) would leave them, in one pass over
// the tables. The copies take text only; they get the split colour. False
// (nothing changed, the limit message shown) when the copies would not fit
// in the row limit.
bool duplicarParaSeparar(Workspace& ws, int fila, int copias);

// ------------------------------------------------------------------ fixed size

class SepararModelo : public DialogoModelo {
 public:
  static const QString kConfiguracion;  // "Configuración:"
  static const QString kEtiquetaSku;     // "SKU:"
  static const QString kEtiquetaTienda;  // "Tienda:"
  static const QString kEtiquetaMaxima;  // "Cantidad   máxima"
  static const QString kAceptar;         // "Aceptar"
  static const QString kCancelar;        // "Cancelar"

  // renglones: 2, 3, 4, 5 or 10.
  SepararModelo(Workspace& ws, int renglones);
  QString forma() const override { return forma_; }

  Workspace& ws;
  int renglones() const { return cantidades.size(); }
  const QString& titulo() const { return titulo_; }
  // Label of quantity box k (from 1): "Cant 1", "Camt 2" in Form7 and Form8, ...
  QString etiqueta(int k) const;
  // Name of quantity box k (from 1), as `foco` holds it: "cant1" ... "cant10".
  static QString nombreCaja(int k);

  // The boxes.
  QString SKU;
  QString Tienda;
  QString CantidadMaxima;
  QStringList cantidades;  // N boxes, "Cant 1" first
  // The box the form must give the focus to (emptied by the form).
  QString foco;
  // True once Aceptar has written the quantities.
  bool aplicado = false;
  // How the dialog ended: Cancelado until Aceptar closes it.
  Resultado resultado = Resultado::Cancelado;

  Resultado Command1_Click();  // Aceptar
  Resultado Command2_Click();  // Cancelar

 private:
  void refusar(int k, const QString& texto, const QString& titulo);
  QString forma_;
  QString titulo_;
  QString prefijo_;  // "FORM6" ...
  QString mensajeSuma_;
};

// The opening procedures: each opens its dialog for the active line of
// vaspread1. A line of quantity below 2 gives "No puede dividir un SKU con 1
// articulo!" ("ERROR") and no dialog.
Resultado dosrenglones(Workspace& ws);
Resultado tresrenglones(Workspace& ws);
Resultado cuatrorenglones(Workspace& ws);
Resultado cincorenglones(Workspace& ws);
Resultado diezrenglones(Workspace& ws);

// Menu entries of "Separar contenedor en".
Resultado two_Click(Workspace& ws);
Resultado three_Click(Workspace& ws);
Resultado four_Click(Workspace& ws);
Resultado five_Click(Workspace& ws);  // logs its own entry and exit lines
Resultado ten_Click(Workspace& ws);

// ------------------------------------------------------------------ any size

class Form3Modelo : public DialogoModelo {
 public:
  static const QString kTitulo;           // "Separar en múltiples renglones"
  static const QString kEtiquetaSku;      // "SKU:"
  static const QString kEtiquetaTienda;   // "Tienda:"
  static const QString kEtiquetaMaxima;   // "Cant. max."
  static const QString kEtiquetaText3;    // "Número de renglones en los que se desea dividir el SKU:"
  static const QString kEtiquetaGrid;     // "Cantidades por renglón:"
  static const QString kEncabezadoGrid;   // "Cantidades"
  static const QString kAceptar;          // "Aceptar"
  static const QString kCancelar;         // "Cancelar"

  explicit Form3Modelo(Workspace& ws);
  QString forma() const override { return QStringLiteral("Form3"); }

  Workspace& ws;
  QString SKU;
  QString Tienda;
  QString CantMax;  // "Cant. max."
  QString Text3;    // number of lines
  // The quantities grid: one row per resulting line, the quantity in
  // column 1; its row count is its row limit (0 until a number is given).
  static constexpr int kColumna = 1;  // its only column
  Grid vaSpread1{QStringLiteral("vaSpread1"), 0, kColumna};
  int filas() const { return vaSpread1.rowLimit(); }
  QString foco;  // "Text3" or "vaSpread1" when the form must move the focus there
  bool aplicado = false;
  Resultado resultado = Resultado::Cancelado;  // how the dialog ended

  void Form_Load();
  // Leaving Text3: a whole number from 1 to the row limit gives the
  // quantities grid that many rows; empty and "0" change nothing; anything
  // else is refused with a message. True when the text was acceptable.
  bool Text3_LostFocus();
  Resultado Command1_Click();  // Aceptar
  Resultado Command2_Click();  // Cancelar

 private:
  void log(const QString& texto);
  bool leerRenglones(int& n, bool avisar);
};

// Opens Form3 for the active line (menu mult_renglones).
Resultado mult_renglones_Click(Workspace& ws);
// Toolbar b_separar: the same, between its own log lines.
Resultado b_separar_Click(Workspace& ws);
