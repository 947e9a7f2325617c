#pragma once
// Reading a QDataStream that a damaged file feeds: every count read from the
// stream is checked against what the rest of the stream can hold before
// anything is allocated for it (Qt's own readers reserve the count first, so
// one changed byte could ask for gigabytes).
#include <QDataStream>
#include <QStringList>
#include <QVector>

namespace acotada {

// True when `n` elements of at least `minimo` bytes each fit in what is left
// of the stream; otherwise the stream is marked corrupt.
bool caben(QDataStream& s, quint64 n, qint64 minimo);

// The same layout as Qt's operators (a 32-bit count, then the elements).
bool leer(QDataStream& s, QStringList& l);
bool leer(QDataStream& s, QVector<int>& v);

}  // namespace acotada
