#include "workspace/lectura_acotada.h"

#include <QIODevice>

namespace acotada {

bool caben(QDataStream& s, quint64 n, qint64 minimo) {
  if (s.status() != QDataStream::Ok) return false;
  const QIODevice* d = s.device();
  const qint64 quedan = d ? d->bytesAvailable() : 0;
  if (quedan >= 0 && n <= static_cast<quint64>(quedan / qMax<qint64>(minimo, 1))) return true;
  s.setStatus(QDataStream::ReadCorruptData);
  return false;
}

bool leer(QDataStream& s, QStringList& l) {
  l.clear();
  quint32 n = 0;
  s >> n;
  if (!caben(s, n, 4)) return false;  // a string is at least its 32-bit length
  l.reserve(n);
  for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
    QString t;
    s >> t;
    l.append(t);
  }
  if (s.status() == QDataStream::Ok) return true;
  l.clear();
  return false;
}

bool leer(QDataStream& s, QVector<int>& v) {
  v.clear();
  quint32 n = 0;
  s >> n;
  if (!caben(s, n, 4)) return false;
  v.reserve(n);
  for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
    qint32 x = 0;
    s >> x;
    v.append(x);
  }
  if (s.status() == QDataStream::Ok) return true;
  v.clear();
  return false;
}

}  // namespace acotada
