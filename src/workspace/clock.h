#pragma once
// The one clock the system asks for "today" and "now"; tests fix it.
#include <QDateTime>

class Reloj {
 public:
  virtual ~Reloj() = default;
  virtual QDateTime ahora() const { return QDateTime::currentDateTime(); }
  QDate hoy() const { return ahora().date(); }
};

class RelojFijo : public Reloj {
 public:
  explicit RelojFijo(QDateTime momento) : momento_(std::move(momento)) {}
  QDateTime ahora() const override { return momento_; }
  void poner(const QDateTime& m) { momento_ = m; }

 private:
  QDateTime momento_;
};
