#pragma once
// The kinds of container: the first character of a container code (exact,
// case-sensitive) names the kind, whose description goes into column 14
// ("TIPO DE ENTREGA") of the detail line. The one table for typing,
// validation before a notice and the notice builder.
#include <QString>
#include <QStringView>

// The description for the code's first character; a null QString when the
// code is empty or its first character names no kind (digits, lower case,
// a blank, any other capital).
QString descripcionContenedor(QStringView codigo);

// True when the code's first character names a kind.
bool contenedorValido(QStringView codigo);

// The letters accepted, as the refusal message lists them.
extern const QString kMensajeContenedor;  // "El contenedor debe comenzar con A, B, ... S ó V"
