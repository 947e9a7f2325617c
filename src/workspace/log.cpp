#include "workspace/log.h"

#include <QDir>

#include "workspace/clock.h"
#include "workspace/prompter.h"
#include "workspace/textfile.h"

EventLog::EventLog(QString carpetaPrograma, const Reloj& reloj, Prompter& prompter)
    : carpetaLog_(carpetaPrograma + QStringLiteral("/Log")), reloj_(reloj), prompter_(prompter) {}

QString EventLog::rutaDelDia() const {
  return carpetaLog_ + QStringLiteral("/Log") + reloj_.ahora().toString(QStringLiteral("ddMMyyyy")) + QStringLiteral(".txt");
}

void EventLog::EscribirLog(const QString& texto) {
  bool ok = QDir(carpetaLog_).exists() || QDir().mkdir(carpetaLog_);
  if (ok) {
    const QString ruta = rutaDelDia();  // the clock is read once for the name...
    const QString linea = reloj_.ahora().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) +  // ...and once for the line
                          QStringLiteral(", ") + texto + QStringLiteral("\r\n");
    ok = texto::anexar(ruta, texto::a1252(linea)).ok;
  }
  if (!ok) prompter_.mostrar({QStringLiteral("Error al generar el archivo Log"), QStringLiteral("Aviso Importante"), Icono::Critico, Botones::Ok});
}
