#pragma once
// Keeps the work that no save holds in the recovery file of the program
// folder, for the window: at most every minute, when a long command ends and
// when the window closes; a save removes it, Nuevo, an import or Abrir over
// changes not saved keep it aside. One window owns it (a lock file); with a
// folder that cannot be written there is none.
#include <QLockFile>
#include <QObject>
#include <future>
#include <memory>

class Workspace;

class Recuperador : public QObject {
  Q_OBJECT
 public:
  Recuperador(Workspace& ws, QObject* padre = nullptr);
  ~Recuperador() override;

  bool activo() const { return activo_; }
  // Why there is no recovery file (empty when there is one).
  const QString& apagado() const { return apagado_; }
  QString ruta() const;

  // After each command: the workspace may have changed (`largo`: the command
  // let the window repaint, so it writes now).
  void trasComando(bool largo);
  // Something changed outside a command (a header box typed).
  void cambio() { pendiente_ = true; }
  // Writes now, in this thread, and waits (the window closes).
  void escribirYa();
  // Before Nuevo, an import or Abrir: changes not saved go aside.
  void apartar();
  // At start: the question over a recovery file found; Yes restores it, No
  // keeps it aside.
  void ofrecer();
  // Restores a kept-aside file (Archivo > Recuperar trabajo...); false when
  // it cannot be read.
  bool recuperar(const QString& ruta);

  // Waits for a write going on in the other thread.
  void esperar();

  int intervalo = 60000;  // milliseconds between writes at most

 private:
  void escribir(bool esperar);
  // The next write at most `intervalo` from now, on the workspace's clock.
  void programar();

  Workspace& ws_;
  QLockFile candado_;
  bool activo_ = false;
  bool pendiente_ = false;
  QString apagado_;
  int programado_ = 0;  // the interval the next write was set with
  int vuelta_ = 0;      // only the last one set runs
  std::future<bool> enCurso_;
};
