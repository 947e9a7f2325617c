#pragma once
// Keeps the work that no save holds in the recovery file of the program
// folder, for the window. The copy follows the work: a few seconds after the
// first change not yet in it (by the workspace's clock), at a moment the user
// is not typing unless the typing goes on past kTope, when a long command
// ends and when the window closes; it is taken in the window's thread (rows
// shared, so it costs pointers) and written in another. A save removes it;
// Nuevo, an import or Abrir over changes not saved keep it aside. One window
// owns it (a lock file); with a folder that cannot be written there is none.
#include <QDateTime>
#include <QObject>
#include <functional>
#include <future>
#include <memory>

#include "app/candado.h"
#include "workspace/textfile.h"

class Workspace;

class Recuperador : public QObject {
  Q_OBJECT
 public:
  static constexpr int kRetraso = 2;      // seconds from the first change not in the copy to its writing,
  static constexpr int kQuieto = 300;     // when keys and mouse have been still this many milliseconds;
  static constexpr int kTope = 4;         // seconds from that change after which it is written anyway
  static constexpr int kReintento = 30;   // seconds before a copy that failed is tried again
  static constexpr int kRefresco = 300;   // seconds between refreshes of the lock at most
  static constexpr int kMirada = 500;     // milliseconds between looks at the clock

  Recuperador(Workspace& ws, QObject* padre = nullptr);
  ~Recuperador() override;

  bool activo() const { return candado_.tomado(); }
  // Why there is no recovery file (empty when there is one).
  const QString& apagado() const { return candado_.porque(); }
  QString ruta() const;

  // After each command: the workspace may have changed (`largo`: the command
  // let the window repaint, so it writes now).
  void trasComando(bool largo);
  // Something changed outside a command (a header box typed).
  void cambio();
  // Writes now, in this thread, and waits (the window closes).
  void escribirYa();
  // Before Nuevo, an import or Abrir: changes not saved go aside.
  void apartar();
  // At start: the question over a recovery file found; Yes restores it, No
  // keeps it aside. One that cannot be read is kept aside and said.
  void ofrecer();
  // Restores a kept-aside file (Archivo > Recuperar trabajo...); false when
  // it cannot be read.
  bool recuperar(const QString& ruta);

  // A look at the clock: a copy that is due goes to the other thread, the
  // lock is refreshed when due. The workspace's clock runs one every kMirada.
  void alReloj();
  // Waits for a write going on in the other thread, and takes its outcome.
  void esperar();

  // Where the copy is written: the replacing write of a file (a test puts a full disk there).
  std::function<std::unique_ptr<texto::Reemplazo>(const QString&)> destino;

 signals:
  // Said once when the copy can no longer be written, and once when it can again.
  void aviso(const QString& texto);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void pendiente();
  void escribir(bool esperarlo);
  void resultado(const texto::Resultado& r);
  void programar();

  Workspace& ws_;
  Candado candado_;
  bool pendiente_ = false;
  bool fallando_ = false;
  QDateTime vence_;       // when the pending copy is written
  QDateTime refrescado_;  // the lock's last refresh
  QDateTime entrada_;     // the last key or mouse press
  std::future<texto::Resultado> enCurso_;
};
