#pragma once
// What the window remembers between runs, in one file of the program folder
// (preferencias.ini): the last work files, the delivery hour each was saved
// with, the folder last used for each kind of file, and whatever the window
// keeps of its own (size and place). The file is written whole; with a folder
// that cannot be written the values live on in memory while the window is open.
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

class Preferencias {
 public:
  static constexpr int kRecientes = 5;

  explicit Preferencias(const QString& carpetaPrograma);

  // Any value of the window's own, by key ("ventana/geometria").
  QVariant valor(const QString& clave, const QVariant& omision = {}) const;
  void poner(const QString& clave, const QVariant& v);

  // The last work files opened or saved, the newest first.
  QStringList recientes() const;
  void agregarReciente(const QString& ruta);
  // The delivery hour a work file had when it was last saved here ("" none).
  QString hora(const QString& trabajo) const;
  void ponerHora(const QString& trabajo, const QString& hora);
  // The folder last used for a kind of file (its extension, "txt", "inf"...).
  QString carpeta(const QString& clase) const;
  void ponerCarpeta(const QString& clase, const QString& carpeta);

  // Writes the file whole; false when it could not be written (the values
  // stay in memory).
  bool guardar();

 private:
  static QString clave(const QString& grupo, const QString& ruta);
  std::unique_ptr<QSettings> ini_;
};
