#pragma once
// The one clock the system asks for "today" and "now", and for what must
// happen some time later; tests fix it and move it by hand.
#include <QDateTime>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

class Reloj {
 public:
  virtual ~Reloj() = default;
  virtual QDateTime ahora() const { return QDateTime::currentDateTime(); }
  QDate hoy() const { return ahora().date(); }
  // Runs `hacer` once `ms` milliseconds have passed, if `dueno` still lives.
  virtual void despues(int ms, QObject* dueno, std::function<void()> hacer) const {
    QTimer::singleShot(ms, dueno, std::move(hacer));
  }
};

// Time stands still until `avanzar` moves it; what falls due then runs, in order.
class RelojFijo : public Reloj {
 public:
  explicit RelojFijo(QDateTime momento) : momento_(std::move(momento)) {}
  QDateTime ahora() const override { return momento_; }
  void poner(const QDateTime& m) { momento_ = m; }
  void despues(int ms, QObject* dueno, std::function<void()> hacer) const override {
    pendientes_.push_back({momento_.addMSecs(ms), dueno, std::move(hacer)});
  }
  void avanzar(int ms) {
    const QDateTime hasta = momento_.addMSecs(ms);
    for (;;) {
      auto proximo = pendientes_.end();
      for (auto it = pendientes_.begin(); it != pendientes_.end(); ++it)
        if (it->cuando <= hasta && (proximo == pendientes_.end() || it->cuando < proximo->cuando)) proximo = it;
      if (proximo == pendientes_.end()) break;
      Pendiente p = std::move(*proximo);
      pendientes_.erase(proximo);
      momento_ = qMax(momento_, p.cuando);
      if (p.dueno) p.hacer();
    }
    momento_ = hasta;
  }

 private:
  struct Pendiente {
    QDateTime cuando;
    QPointer<QObject> dueno;
    std::function<void()> hacer;
  };
  QDateTime momento_;
  mutable std::vector<Pendiente> pendientes_;
};
