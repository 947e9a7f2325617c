#pragma once
// A full disk for any writer: a device that takes `limite` bytes and refuses
// the rest, passing what it takes on to another device when it has one; and
// a replacing write of a real file whose writes go through one into the
// temporary file, or whose final flush fails.
#include <QIODevice>
#include <QSaveFile>
#include <memory>

#include "workspace/textfile.h"

class DispositivoFallido : public QIODevice {
 public:
  explicit DispositivoFallido(qint64 limite, QIODevice* destino = nullptr) : limite_(limite), destino_(destino) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  }
  qint64 escritos() const { return escritos_; }

 protected:
  qint64 writeData(const char* datos, qint64 n) override {
    const qint64 toma = qBound<qint64>(0, limite_ - escritos_, n);
    if (toma > 0 && destino_ && destino_->write(datos, toma) != toma) return -1;
    escritos_ += toma;
    if (toma == n) return n;
    setErrorString(QStringLiteral("No queda espacio en el disco"));
    return toma > 0 ? toma : -1;
  }
  qint64 readData(char*, qint64) override { return -1; }

 private:
  qint64 limite_, escritos_ = 0;
  QIODevice* destino_;
};

class ReemplazoFallido : public texto::Reemplazo {
 public:
  static constexpr qint64 kAlVaciar = -1;  // every write goes through, the flush fails
  ReemplazoFallido(const QString& ruta, qint64 limite) : Reemplazo(ruta), limite_(limite) {}

 protected:
  QIODevice& dispositivo() override {
    if (!medio_) medio_ = std::make_unique<DispositivoFallido>(limite_ == kAlVaciar ? kSinFin : limite_, &temporal());
    return *medio_;
  }
  bool vaciar() override { return limite_ != kAlVaciar && Reemplazo::vaciar(); }

 private:
  static constexpr qint64 kSinFin = qint64(1) << 62;
  qint64 limite_;
  std::unique_ptr<DispositivoFallido> medio_;
};
