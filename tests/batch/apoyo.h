#pragma once
// Running aviso-lote in the test's process (lote::ejecutar) or as the program
// itself, on the fixture's temporary program folder with today fixed.
#include <QProcess>
#include <QTextStream>

#include "batch/lote.h"
#include "fixture.h"
#include "startup/startup.h"

struct Corrida {
  int estado = -1;
  QString salida;               // standard output
  QStringList errores;          // standard error, one line a message
};

class LoteTest : public WorkspaceTest {
 protected:
  static QString datos(const QString& archivo) { return QStringLiteral(AVISO_LOTE_DATOS "/") + archivo; }
  QString en(const QString& archivo) const { return dir.filePath(archivo); }

  // In this process; --carpeta and --hoy 07/12/2026 are put in front unless `tal` is set.
  Corrida correr(QStringList args, bool tal = false) {
    if (!tal) args = QStringList{QStringLiteral("--carpeta"), carpeta(), QStringLiteral("--hoy"),
                                 QStringLiteral("07/12/2026")} + args;
    QString o, e;
    QTextStream so(&o), se(&e);
    Corrida c;
    c.estado = lote::ejecutar(args, carpeta(), so, se);
    so.flush();
    se.flush();
    c.salida = o;
    c.errores = e.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return c;
  }

  // The program aviso-lote itself.
  Corrida programa(QStringList args) {
    args = QStringList{QStringLiteral("--carpeta"), carpeta(), QStringLiteral("--hoy"), QStringLiteral("07/12/2026")} +
           args;
    QProcess p;
    p.start(QStringLiteral(AVISO_LOTE), args);
    Corrida c;
    if (!p.waitForFinished(60000)) {
      ADD_FAILURE() << "aviso-lote did not end";
      p.kill();
      p.waitForFinished();
      return c;
    }
    c.estado = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    c.salida = QString::fromUtf8(p.readAllStandardOutput());
    c.errores = QString::fromUtf8(p.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return c;
  }

  // The settings as the window would load them now.
  void recargar() {
    reiniciar();
    Form_Load(*ws);
  }

  Corrida clienteDelEjemplo() {
    return correr({QStringLiteral("cliente"), QStringLiteral("--cliente"), QStringLiteral("1234"),
                   QStringLiteral("--proveedor"), QStringLiteral("45678"), QStringLiteral("--rfc"),
                   QStringLiteral("ABCD010101-AB1")});
  }
};

inline std::string str(const QStringList& l) { return l.join(QLatin1Char('\n')).toStdString(); }

// Texts shown as text in the failure reports.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
