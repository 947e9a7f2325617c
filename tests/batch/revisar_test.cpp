// aviso-lote revisar over the golden folders of tests/data/revisar: each holds
// a notice (aviso.txt), perhaps the work file it is checked against
// (trabajo.code), and everything the command must say (esperado.txt): the
// report, the messages on standard error, the exit status.
// AVISO_REGENERAR=1 rewrites esperado.txt from what the command says.
#include <QDir>

#include "apoyo.h"

TEST_F(LoteTest, RevisarCasosDeOro) {
  const QDir raiz(QStringLiteral(AVISO_TEST_DATA "/revisar"));
  const QStringList casos = raiz.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  ASSERT_GE(casos.size(), 12);
  for (const QString& caso : casos) {
    const QDir d(raiz.filePath(caso));
    QStringList args = {QStringLiteral("revisar"), d.filePath(QStringLiteral("aviso.txt"))};
    if (d.exists(QStringLiteral("trabajo.code")))
      args += QStringList{QStringLiteral("--trabajo"), d.filePath(QStringLiteral("trabajo.code"))};
    const Corrida c = correr(args);
    QString dicho = c.salida;
    for (const QString& e : c.errores) dicho += QStringLiteral("error: ") + e + QLatin1Char('\n');
    dicho += QStringLiteral("estado %1\n").arg(c.estado);
    dicho.replace(d.path() + QLatin1Char('/'), QString());
    QFile f(d.filePath(QStringLiteral("esperado.txt")));
    if (qEnvironmentVariableIsSet("AVISO_REGENERAR")) {
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(dicho.toUtf8());
      continue;
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << caso.toStdString();
    EXPECT_EQ(dicho.toStdString(), f.readAll().toStdString()) << caso.toStdString();
  }
}
