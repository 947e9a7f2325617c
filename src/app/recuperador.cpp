#include "app/recuperador.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "workspace/recuperacion.h"
#include "workspace/workspace.h"

Recuperador::Recuperador(Workspace& ws, QObject* padre)
    : QObject(padre), ws_(ws), candado_(ws.ruta(QStringLiteral("recuperacion.lock"))) {
  candado_.setStaleLockTime(0);  // held for as long as the window runs; a dead owner's lock is taken over
  activo_ = candado_.tryLock(0);
  if (!activo_ && candado_.error() == QLockFile::LockFailedError)
    apagado_ = QStringLiteral("Otra ventana del programa guarda su trabajo para recuperarlo; esta no lo guarda.");
  else if (!activo_)
    apagado_ = QStringLiteral("La carpeta del programa no permite escribir: el trabajo sin guardar no se podrá recuperar.");
  if (activo_) programar();
}

void Recuperador::programar() {
  programado_ = intervalo;
  const int vuelta = ++vuelta_;
  ws_.reloj.despues(intervalo, this, [this, vuelta] {
    if (vuelta != vuelta_) return;
    if (pendiente_) escribir(false);
    programar();
  });
}

Recuperador::~Recuperador() { esperar(); }

QString Recuperador::ruta() const { return ws_.ruta(recuperacion::kArchivo); }

void Recuperador::esperar() {
  if (enCurso_.valid()) enCurso_.get();
}

void Recuperador::trasComando(bool largo) {
  if (!activo_) return;
  if (programado_ != intervalo) programar();
  if (!ws_.sinGuardar) {
    // Saved, or nothing to keep: no recovery file.
    pendiente_ = false;
    esperar();
    QFile::remove(ruta());
    return;
  }
  pendiente_ = true;
  if (largo) escribir(false);
}

void Recuperador::escribirYa() {
  if (!activo_) return;
  if (!ws_.sinGuardar) {
    trasComando(false);
    return;
  }
  pendiente_ = true;
  escribir(true);
}

void Recuperador::escribir(bool esperarlo) {
  if (!activo_ || !pendiente_ || !ws_.sinGuardar || ws_.comandoAbierto) return;
  if (enCurso_.valid()) {
    if (!esperarlo && enCurso_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    enCurso_.get();
  }
  pendiente_ = false;
  // The copy costs pointers here; the writing goes on in another thread.
  std::shared_ptr<recuperacion::Copia> copia = recuperacion::tomar(ws_);
  const QString destino = ruta();
  if (esperarlo) {
    recuperacion::escribirArchivo(destino, *copia);
    return;
  }
  enCurso_ = std::async(std::launch::async, [copia, destino] { return recuperacion::escribirArchivo(destino, *copia); });
}

void Recuperador::apartar() {
  if (!activo_ || !ws_.sinGuardar) return;
  esperar();
  const auto copia = recuperacion::tomar(ws_);
  if (recuperacion::escribirArchivo(ws_.ruta(recuperacion::nombreAparte(copia->momento)), *copia)) QFile::remove(ruta());
}

void Recuperador::ofrecer() {
  if (!activo_ || !QFile::exists(ruta())) return;
  const auto copia = recuperacion::leer(ruta());
  const QDateTime momento = copia ? copia->momento : QFileInfo(ruta()).lastModified();
  const QString aparte = ws_.ruta(recuperacion::nombreAparte(momento));
  if (!copia) {
    QFile::rename(ruta(), aparte);  // not whole: kept, never offered as work
    return;
  }
  const QString pregunta = QStringLiteral("Se encontró trabajo sin guardar del %1 (%2 renglones). ¿Desea recuperarlo?")
                               .arg(momento.toString(QStringLiteral("dd/MM/yyyy HH:mm")))
                               .arg(copia->renglones());
  if (ws_.MsgBox(pregunta, Botones::SiNo, QString(), Icono::Pregunta) == Respuesta::Si) {
    recuperacion::restaurar(ws_, *copia);
    pendiente_ = true;
  } else {
    QFile::rename(ruta(), aparte);
  }
}

bool Recuperador::recuperar(const QString& archivo) {
  const auto copia = recuperacion::leer(archivo);
  if (!copia) return false;
  recuperacion::restaurar(ws_, *copia);
  pendiente_ = true;
  return true;
}
