#include "scripted_prompter.h"

Respuesta ScriptedPrompter::mostrar(const Mensaje& m) {
  mensajes.push_back(m);
  if (!respuestas.empty()) {
    Respuesta r = respuestas.front();
    respuestas.pop_front();
    return r;
  }
  switch (m.botones) {
    case Botones::SiNo: return Respuesta::No;
    case Botones::SiNoCancelar: return Respuesta::Cancelar;
    case Botones::OkCancelar: return Respuesta::Cancelar;
    default: return Respuesta::Ok;
  }
}

QString ScriptedPrompter::abrirArchivo(const DialogoArchivo& d) {
  dialogosArchivo.push_back(d);
  if (archivosAbrir.empty()) return {};
  QString r = archivosAbrir.front();
  archivosAbrir.pop_front();
  return r;
}

QString ScriptedPrompter::guardarArchivo(const DialogoArchivo& d) {
  dialogosArchivo.push_back(d);
  if (archivosGuardar.empty()) return {};
  QString r = archivosGuardar.front();
  archivosGuardar.pop_front();
  return r;
}

void ScriptedPrompter::ejecutarDialogo(DialogoModelo& modelo) {
  dialogosVistos.append(modelo.forma());
  if (alDialogo) alDialogo(modelo);
}

QStringList ScriptedPrompter::textos() const {
  QStringList t;
  for (const Mensaje& m : mensajes) t.append(m.texto);
  return t;
}

std::optional<QString> ScriptedPrompter::pedirClave(const QString&, const QString& texto) {
  clavesPedidas.append(texto);
  if (claves.empty()) return std::nullopt;
  QString r = claves.front();
  claves.pop_front();
  return r;
}

void ScriptedPrompter::conAvance(const QString&, const std::function<void(const Avance&)>& trabajo) {
  trabajo([this](qint64 hechos, qint64 total) {
    avances.emplace_back(hechos, total);
    return cancelarEn < 0 || hechos < cancelarEn;
  });
}
