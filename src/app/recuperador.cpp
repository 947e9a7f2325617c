#include "app/recuperador.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

#include "workspace/recuperacion.h"
#include "workspace/workspace.h"

Recuperador::Recuperador(Workspace& ws, QObject* padre)
    : QObject(padre), ws_(ws), candado_(ws.ruta(QStringLiteral("recuperacion.lock")), ws.reloj) {
  destino = [](const QString& ruta) { return std::make_unique<texto::Reemplazo>(ruta); };
  if (!candado_.tomar()) return;
  refrescado_ = ws_.reloj.ahora();
  programar();
  if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

void Recuperador::programar() {
  ws_.reloj.despues(kMirada, this, [this] {
    alReloj();
    programar();
  });
}

bool Recuperador::eventFilter(QObject* o, QEvent* e) {
  const QEvent::Type t = e->type();
  if (t == QEvent::KeyPress || t == QEvent::MouseButtonPress || t == QEvent::Wheel) entrada_ = ws_.reloj.ahora();
  return QObject::eventFilter(o, e);
}

Recuperador::~Recuperador() {
  if (enCurso_.valid()) enCurso_.get();
}

QString Recuperador::ruta() const { return ws_.ruta(recuperacion::kArchivo); }

void Recuperador::esperar() {
  if (enCurso_.valid()) resultado(enCurso_.get());
}

void Recuperador::pendiente() {
  if (!pendiente_) vence_ = ws_.reloj.ahora().addSecs(kRetraso);
  pendiente_ = true;
}

void Recuperador::cambio() {
  if (activo()) pendiente();
}

void Recuperador::trasComando(bool largo) {
  if (!activo()) return;
  if (!ws_.sinGuardar) {
    // Saved, or nothing to keep: no recovery file.
    pendiente_ = false;
    esperar();
    QFile::remove(ruta());
    return;
  }
  pendiente();
  if (largo) escribir(false);
}

void Recuperador::alReloj() {
  if (!activo()) return;
  if (enCurso_.valid() && enCurso_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) esperar();
  const QDateTime ahora = ws_.reloj.ahora();
  const bool quieto = !entrada_.isValid() || entrada_.msecsTo(ahora) >= kQuieto;
  if (pendiente_ && ahora >= vence_ && (quieto || ahora >= vence_.addSecs(kTope - kRetraso))) escribir(false);
  if (refrescado_.secsTo(ahora) >= kRefresco) {
    candado_.refrescar();
    refrescado_ = ahora;
  }
}

void Recuperador::escribirYa() {
  if (!activo()) return;
  if (!ws_.sinGuardar) {
    trasComando(false);
    return;
  }
  pendiente_ = true;
  escribir(true);
}

void Recuperador::escribir(bool esperarlo) {
  if (!activo() || !pendiente_ || !ws_.sinGuardar || ws_.comandoAbierto) return;
  if (enCurso_.valid()) {
    if (!esperarlo && enCurso_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    esperar();
  }
  pendiente_ = false;
  std::shared_ptr<recuperacion::Copia> copia = recuperacion::tomar(ws_);
  const QString archivo = ruta();
  auto escribe = [copia = std::move(copia), archivo, hacia = destino]() mutable {
    const texto::Resultado r = recuperacion::escribirCon(*hacia(archivo), *copia);
    copia.reset();  // its rows are let go in this thread, not in the window's when the outcome is taken
    return r;
  };
  if (esperarlo) return resultado(escribe());
  enCurso_ = std::async(std::launch::async, std::move(escribe));
}

// The outcome of a write, in the window's thread.
void Recuperador::resultado(const texto::Resultado& r) {
  if (r.ok) {
    candado_.refrescar();
    refrescado_ = ws_.reloj.ahora();
  } else if (!pendiente_) {
    // The previous copy stays; this one is tried again a while later.
    pendiente_ = true;
    vence_ = ws_.reloj.ahora().addSecs(kReintento);
  }
  if (r.ok == !fallando_) return;
  fallando_ = !r.ok;
  emit aviso(fallando_ ? QStringLiteral("No se puede guardar la copia de recuperación (%1): el trabajo sin guardar ya no "
                                        "se podrá recuperar.")
                             .arg(r.descripcion)
                       : QStringLiteral("La copia de recuperación se guarda de nuevo: el trabajo sin guardar se podrá "
                                        "recuperar."));
}

void Recuperador::apartar() {
  if (!activo() || !ws_.sinGuardar) return;
  esperar();
  const auto copia = recuperacion::tomar(ws_);
  if (recuperacion::escribirArchivo(ws_.ruta(recuperacion::nombreAparte(copia->momento)), *copia).ok)
    QFile::remove(ruta());
}

void Recuperador::ofrecer() {
  const QFileInfo info(ruta());
  if (!activo() || (!info.exists() && !info.isSymLink())) return;
  const recuperacion::Lectura l = recuperacion::leerArchivo(ruta());
  if (!l.copia) {
    // Never offered as work; kept aside, and said.
    const QString aparte = recuperacion::apartar(ruta(), ws_.reloj.ahora());
    ws_.MsgBox(QStringLiteral("Se encontró trabajo sin guardar, pero el archivo recuperacion.dat no se puede leer: %1.")
                       .arg(l.falla) +
                   (aparte.isEmpty() ? QStringLiteral("\r\nNo se pudo apartar; el trabajo empieza vacío.")
                                     : QStringLiteral("\r\nSe guardó aparte como «%1»; el trabajo empieza vacío.").arg(aparte)),
               Botones::Ok, QString(), Icono::Exclamacion);
    return;
  }
  const QString pregunta =
      QStringLiteral("Se encontró trabajo sin guardar, copiado el %1 a las %2 (%3 renglones). ¿Desea recuperarlo?")
          .arg(l.copia->momento.toString(QStringLiteral("dd/MM/yyyy")), l.copia->momento.toString(QStringLiteral("HH:mm:ss")))
          .arg(l.copia->renglones());
  if (ws_.MsgBox(pregunta, Botones::SiNo, QString(), Icono::Pregunta) == Respuesta::Si) {
    recuperacion::restaurar(ws_, *l.copia);
    pendiente();
  } else {
    recuperacion::apartar(ruta(), l.copia->momento);
  }
}

bool Recuperador::recuperar(const QString& archivo) {
  const auto copia = recuperacion::leer(archivo);
  if (!copia) return false;
  recuperacion::restaurar(ws_, *copia);
  pendiente();
  return true;
}
