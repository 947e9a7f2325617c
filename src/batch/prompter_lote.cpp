#include "batch/prompter_lote.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The harmless answer of each kind of question, as the window's default button.
Respuesta inofensiva(Botones b) {
  switch (b) {
    case Botones::Ok: return Respuesta::Ok;
    case Botones::SiNo: return Respuesta::No;
    case Botones::SiNoCancelar: return Respuesta::Cancelar;
    case Botones::OkCancelar: return Respuesta::Cancelar;
  }
  return Respuesta::Ok;
}

bool cabe(Respuesta r, Botones b) {
  switch (b) {
    case Botones::Ok: return r == Respuesta::Ok;
    case Botones::SiNo: return r == Respuesta::Si || r == Respuesta::No;
    case Botones::SiNoCancelar: return r == Respuesta::Si || r == Respuesta::No || r == Respuesta::Cancelar;
    case Botones::OkCancelar: return r == Respuesta::Ok || r == Respuesta::Cancelar;
  }
  return false;
}

QString absoluta(const QString& ruta) {
  return ruta.isEmpty() ? ruta : QDir::cleanPath(QFileInfo(ruta).absoluteFilePath());
}

}  // namespace

void PrompterLote::terminar(qint64 perdidas) {
  if (perdidas > 0)
    aviso(QStringLiteral("aviso-lote"), perdidas == 1 ? QStringLiteral("1 renglón del registro no se pudo escribir")
                                                      : QString::number(perdidas) + QStringLiteral(" renglones del registro no se pudieron escribir"));
}

QString PrompterLote::linea(const QString& titulo, const QString& texto) {
  // Line ends after the last line are not inside the text.
  QString t = texto;
  while (t.endsWith(QLatin1Char('\n')) || t.endsWith(QLatin1Char('\r'))) t.chop(1);
  t.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
  t.replace(QLatin1Char('\r'), QStringLiteral(" / "));
  t.replace(QLatin1Char('\n'), QStringLiteral(" / "));
  return titulo + QStringLiteral(": ") + t;
}

void PrompterLote::aviso(const QString& titulo, const QString& texto) {
  err_ << linea(titulo, texto) << '\n';
  err_.flush();
}

Respuesta PrompterLote::mostrar(const Mensaje& m) {
  aviso(m.titulo, m.texto);
  if (m.botones == Botones::Ok) return Respuesta::Ok;
  // A question takes the next answer that fits it; otherwise the harmless one.
  Respuesta r = inofensiva(m.botones);
  if (!respuestas.empty() && cabe(respuestas.front(), m.botones)) {
    r = respuestas.front();
    respuestas.pop_front();
  }
  return r;
}

QString PrompterLote::abrirArchivo(const DialogoArchivo&) {
  if (archivosAbrir.empty()) return QString();
  const QString r = absoluta(archivosAbrir.front());
  archivosAbrir.pop_front();
  return r;
}

QString PrompterLote::guardarArchivo(const DialogoArchivo&) {
  // The path was named on the command line: replacing a file there is what
  // was asked for, so the overwrite question of the dialog is not put.
  if (archivosGuardar.empty()) return QString();
  const QString r = absoluta(archivosGuardar.front());
  archivosGuardar.pop_front();
  return r;
}

void PrompterLote::ejecutarDialogo(DialogoModelo& modelo) {
  auto it = dialogos.find(modelo.forma());
  if (it != dialogos.end() && it->second) it->second(modelo);
}
