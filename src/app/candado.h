#pragma once
// The lock of the recovery file: one window of the program keeps its work in
// the program folder at a time. The lock names its window (process, program,
// host) and when it was last refreshed. It holds while it names a live
// process of this program on this host, or, written on another host (a
// shared program folder), while it was refreshed in the last ten minutes;
// any other lock (a dead window's, an empty or damaged one, a pipe in its
// place) is taken over.
#include <QDateTime>
#include <QString>

class Reloj;

class Candado {
 public:
  static constexpr int kVigenciaAjena = 600;  // seconds a lock of another host holds after its refresh

  Candado(QString ruta, const Reloj& reloj) : ruta_(std::move(ruta)), reloj_(reloj) {}
  ~Candado() { soltar(); }
  Candado(const Candado&) = delete;
  Candado& operator=(const Candado&) = delete;

  // Takes the lock, or says why not (porque()).
  bool tomar();
  bool tomado() const { return tomado_; }
  const QString& porque() const { return porque_; }
  // Writes the time again, so that a window on another host sees it alive.
  void refrescar();
  // Removes the lock while it is still this window's.
  void soltar();

  // What a lock holds: its lines as written.
  static QByteArray contenido(qint64 pid, const QString& programa, const QString& host, const QDateTime& momento);
  // This process, this program (its name as the system knows it), this host.
  static qint64 pidPropio();
  static QString programaDe(qint64 pid);
  static QString hostPropio();

 private:
  // Whether the lock's bytes name a window that still holds it.
  bool vigente(const QByteArray& bytes) const;
  bool crear();
  bool esPropio() const;

  QString ruta_;
  const Reloj& reloj_;
  bool tomado_ = false;
  QString porque_;
};
