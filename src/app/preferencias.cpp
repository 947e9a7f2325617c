#include "app/preferencias.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kClaveRecientes = QStringLiteral("trabajo/recientes");
}

Preferencias::Preferencias(const QString& carpetaPrograma)
    : ini_(std::make_unique<QSettings>(carpetaPrograma + QStringLiteral("/preferencias.ini"), QSettings::IniFormat)) {}

QVariant Preferencias::valor(const QString& clave, const QVariant& omision) const { return ini_->value(clave, omision); }

void Preferencias::poner(const QString& clave, const QVariant& v) { ini_->setValue(clave, v); }

// A path as one key: QSettings takes '/' and '\' for groups.
QString Preferencias::clave(const QString& grupo, const QString& ruta) {
  const QString limpia = QDir::cleanPath(QFileInfo(ruta).absoluteFilePath());
  return grupo + QLatin1Char('/') + QString::fromLatin1(limpia.toUtf8().toBase64(QByteArray::Base64UrlEncoding));
}

QStringList Preferencias::recientes() const { return ini_->value(kClaveRecientes).toStringList(); }

void Preferencias::agregarReciente(const QString& ruta) {
  const QString nueva = QDir::cleanPath(QFileInfo(ruta).absoluteFilePath());
  QStringList lista = recientes();
  lista.removeAll(nueva);
  lista.prepend(nueva);
  while (lista.size() > kRecientes) lista.removeLast();
  ini_->setValue(kClaveRecientes, lista);
}

QString Preferencias::hora(const QString& trabajo) const { return ini_->value(clave(QStringLiteral("hora"), trabajo)).toString(); }

void Preferencias::ponerHora(const QString& trabajo, const QString& hora) {
  ini_->setValue(clave(QStringLiteral("hora"), trabajo), hora);
}

QString Preferencias::carpeta(const QString& clase) const {
  return ini_->value(QStringLiteral("carpetas/") + clase.toLower()).toString();
}

void Preferencias::ponerCarpeta(const QString& clase, const QString& carpeta) {
  ini_->setValue(QStringLiteral("carpetas/") + clase.toLower(), carpeta);
}

bool Preferencias::guardar() {
  ini_->sync();
  return ini_->status() == QSettings::NoError;
}
