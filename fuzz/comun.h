#pragma once
// What the harnesses share: one program folder for the whole run, a workspace
// on it with a fixed clock, and a prompter that answers open dialogs with the
// fuzzed file, takes every order offered by the consolidation dialog and
// answers every question with its default.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "consolidation/form2.h"
#include "workspace/prompter.h"
#include "workspace/workspace.h"

namespace fuzz {

class PrompterFuzz : public Prompter {
 public:
  QString archivo;  // answer of the next open dialog
  QString guardar;  // answer of the next save dialog
  int mensajes = 0;
  Respuesta mostrar(const Mensaje& m) override {
    ++mensajes;
    return m.botones == Botones::Ok || m.botones == Botones::OkCancelar ? Respuesta::Ok : Respuesta::No;
  }
  QString abrirArchivo(const DialogoArchivo&) override { return std::exchange(archivo, QString()); }
  QString guardarArchivo(const DialogoArchivo&) override { return std::exchange(guardar, QString()); }
  void ejecutarDialogo(DialogoModelo& m) override {
    auto* f = dynamic_cast<Form2Modelo*>(&m);
    if (!f) return;
    // Every entry in turn (the dialog refuses the other departments), then Aceptar.
    for (int i = 0; i < f->List1.size() && i < 64; ++i) {
      f->List1.indice = i;
      f->Command1_Click();
    }
    f->Command2_Click();
  }
};

inline QTemporaryDir& carpeta() {
  static QTemporaryDir dir;
  return dir;
}

inline QString ruta(const QString& nombre) { return carpeta().path() + QLatin1Char('/') + nombre; }

inline void escribir(const QString& nombre, const uint8_t* datos, size_t n) {
  QFile f(ruta(nombre));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  f.write(reinterpret_cast<const char*>(datos), static_cast<qint64>(n));
}

// The input grown when its first byte asks for it, so that small inputs reach
// the limits: 0xFF repeats its last line until the file holds one line more
// than a grid takes; 0xFE makes its last line 1 MB long. Any other first byte
// leaves the input as it is.
inline QByteArray crecer(const uint8_t* datos, size_t n) {
  QByteArray b(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(n));
  if (n < 2 || (datos[0] != 0xFF && datos[0] != 0xFE)) return b;
  b.remove(0, 1);
  while (b.endsWith('\n') || b.endsWith('\r')) b.chop(1);
  const QByteArray ultima = b.mid(b.lastIndexOf('\n') + 1) + "\r\n";
  if (datos[0] == 0xFE) return b + QByteArray(1 << 20, 'X') + "\r\n";
  b += "\r\n";
  const qsizetype faltan = Grid::kLimiteRenglones + 2 - b.count('\n');
  if (faltan > 0) b += ultima.repeated(faltan);
  return b;
}

inline void escribir(const QString& nombre, const QByteArray& b) {
  escribir(nombre, reinterpret_cast<const uint8_t*>(b.constData()), static_cast<size_t>(b.size()));
}

inline QByteArray bytes(const uint8_t* datos, size_t n) {
  return QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(n));
}

// A grid's rows, its cells joined by tabs.
inline QStringList filas(const Grid& g) {
  QStringList t;
  for (int r = 1; r <= g.dataRowCount(); ++r) t.append(g.rowTexts(r).join(QLatin1Char('\t')));
  return t;
}

// A fresh workspace on the run's folder, the log of earlier inputs removed.
struct Entorno {
  PrompterFuzz prompter;
  RelojFijo reloj{QDateTime(QDate(2026, 12, 7), QTime(10, 30))};
  std::unique_ptr<Workspace> ws;
  Entorno() {
    QDir(ruta(QStringLiteral("Log"))).removeRecursively();
    ws = std::make_unique<Workspace>(carpeta().path(), prompter, reloj);
  }
};

// A broken promise of the code under test: stop so the fuzzer keeps the input.
// The line of the broken check is printed first.
inline void exigir(bool cierto, int linea = __builtin_LINE(), const char* archivo = __builtin_FILE()) {
  if (cierto) return;
  std::fprintf(stderr, "exigencia rota: %s:%d\n", archivo, linea);
  std::abort();
}

}  // namespace fuzz
