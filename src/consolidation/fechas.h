#pragma once
// Dates held as text in the tables: the detail lines carry "dd/mm/yy", the
// per-order header table "dd/mm/yyyy". Texts are always read day, month, year,
// whatever the locale.
//
// Two-digit years are read in the window 1930-2029: 00-29 give 2000-2029 and
// 30-99 give 1930-1999. A date outside that window is never shortened to two
// digits, so that reading the text back always gives the same date.
#include <QDate>
#include <QString>

namespace fechas {

// Reads "d/m/yy", "dd/mm/yyyy" (also with "-" or "." between the parts, blanks
// around the text allowed) or "yyyy-mm-dd". Invalid QDate when the text is no date.
QDate leer(const QString& texto);

// "dd/mm/yyyy" of a date.
QString ddmmaaaa(const QDate& fecha);

// The text rewritten as "dd/mm/yyyy"; a text that is no date comes back unchanged.
QString aDdMmAaaa(const QString& texto);

// The text rewritten as "dd/mm/yy"; a text that is no date comes back unchanged,
// and a date outside 1930-2029 is written "dd/mm/yyyy" (see above).
QString aDdMmAa(const QString& texto);

}  // namespace fechas
