#pragma once
// The shipment-header fields of the main window: Text1(1..7), the delivery-date
// picker DTPicker1(4) and the delivery-hour list Combo3.
//
//   Text1(1) supplier number (hidden)     Text1(2) movement type (hands over to Combo1)
//   Text1(3) shipment number              Text1(4) delivery date "dd/mm/yyyy" (hidden, mirrors the picker)
//   Text1(5) spare                        Text1(6) invoice number      Text1(7) invoice amount
//
// The window forwards the widget events to the handlers below and then shows
// the workspace again (ws.Text1, ws.DTPicker1_4, ws.Combo1, ws.controles, ws.foco).
// Control names used in ws.controles / ws.foco: "Text1_2", "Text1_4", "Combo1", "DTPicker1_4".
#include <QChar>
#include <QDate>
#include <QString>

class Workspace;

// Header-field service. dedonde:
//   "importararchiv"  empties Text1(1) .. Text1(cuantos); true.
//   "preparar"        writes Text1(i) into the file image vaSpread3 at column i, row 7, i = 1 .. cuantos; true.
//   anything else     shows "Error Inesperado en los Campos del Encabezado" and returns false.
// cuantos outside 0..7 is an error too: the message, a line break, "(9) " and the description, title "Error".
bool encabezadocampos(Workspace& ws, const QString& dedonde, int cuantos);

// Maximum length of Text1(indice) as designed; 0 when the box has none.
int Text1_MaxLength(int indice);

// Key press on Text1(indice). `tecla` is the typed character, backspace '\b'
// included. Returns the character to enter, or a null QChar when the key is
// dropped (the system has then beeped through ws.prompter.beep()).
//   1, 3, 6: upper-cased, then letters A-Z, Ñ and digits only.
//   7:       digits and the point only.
//   2, 4, 5: anything.
QChar Text1_KeyPress(Workspace& ws, int indice, QChar tecla);

// Types a whole text into Text1(indice) through the key filter and the maximum
// length, as a user would (the batch program and tests). Returns false when a
// character was dropped.
bool Text1_Teclear(Workspace& ws, int indice, const QString& texto);

// The amount pattern "################.00": no grouping, two decimals, rounded
// half away from zero, no digit before the point when the whole part is zero
// (0.5 -> ".50", 1234.5 -> "1234.50"). Empty stays empty; a text that is not a
// plain decimal number comes back unchanged.
QString formatoImporte(const QString& texto);

// Focus gain: 2 hands over to Combo1 (the text goes into Combo1 when it is
// "Alta", "Baja" or "Cambio"); 4 hands over to the picker (set from the text).
// The box loses its tab stop; ws.foco names the control that gets the focus.
void Text1_GotFocus(Workspace& ws, int indice);
// Focus loss: 7 formats the amount with formatoImporte.
void Text1_LostFocus(Workspace& ws, int indice);

// Change of a picker (also run when it gains the focus); only index 4 acts:
// a Saturday or Sunday is refused ("No se pueden seleccionar Sábados y
// Domingos", back to today), any other date goes into Text1(4) as "dd/mm/yyyy".
void DTPicker1_Change(Workspace& ws, int indice);
void DTPicker1_GotFocus(Workspace& ws, int indice);
// Focus loss: Text1(indice) gets its tab stop back; one box lists every order
// of vaSpread9 whose cancellation date is earlier than the delivery date.
void DTPicker1_LostFocus(Workspace& ws, int indice);

// Chooses a delivery date as the picker would (the batch program): a date
// before the earliest one offered (ws.DTPicker1_4_minimo) cannot be chosen and
// gives false with nothing changed; otherwise the picker takes it and the
// change rule runs. Returns true when the picker kept the date (a weekday).
bool elegirFechaEntrega(Workspace& ws, const QDate& fecha);

// The chosen delivery hour ("" when none is chosen).
QString horaEntrega(const Workspace& ws);

// The orders of vaSpread9 whose cancellation date (column 8) is earlier than
// the delivery date, as lines "La fecha de entrega no puede ser mayor a la
// fecha de cancelación de la OC: " + order + CR LF. Empty when none.
QString ordenesVencidas(const Workspace& ws);

namespace fechaTexto {
// "dd/mm/yyyy" of a date, whatever the locale.
QString ddmmaaaa(const QDate& fecha);
// Reads "d/m/yyyy" or "d/m/yy" (also "-" or "." between the parts) day first,
// whatever the locale. Invalid QDate when the text is not such a date.
// Two-digit years: 00-29 are 2000-2029, 30-99 are 1930-1999.
QDate leer(const QString& texto);
}  // namespace fechaTexto

// The delivery hour becomes `hora` when it is one of Combo3's entries (the
// hour a work file was saved with); else it stays as it is. True when chosen.
bool elegirHora(Workspace& ws, const QString& hora);
