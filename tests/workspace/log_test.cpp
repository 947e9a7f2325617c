#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <unistd.h>

#include "fixture.h"

class LogTest : public WorkspaceTest {};

TEST_F(LogTest, OneFileADayInItsFolder) {
  EXPECT_FALSE(QDir(carpeta() + QStringLiteral("/Log")).exists());
  ws->EscribirLog(Q("ENTRO AL EVENTO-----Form_Load-----verifica si existe el archivo de configuración"));
  ws->EscribirLog(QString());
  const QString ruta = carpeta() + QStringLiteral("/Log/Log07122026.txt");
  ASSERT_TRUE(QFile::exists(ruta));
  EXPECT_EQ(leer(ruta), QByteArray("07/12/2026 10:30:00, ENTRO AL EVENTO-----Form_Load-----verifica si existe el archivo de "
                                   "configuraci\xF3n\r\n07/12/2026 10:30:00, \r\n"));
  reloj.poner(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 1)));
  ws->EscribirLog(QStringLiteral("otro"));
  EXPECT_TRUE(QFile::exists(carpeta() + QStringLiteral("/Log/Log08122026.txt")));
  EXPECT_TRUE(prompter.mensajes.empty());
}

TEST_F(LogTest, UnwritableFolderWarnsOnceAndCountsTheLostLines) {
  if (geteuid() == 0) {
    // root writes anywhere: make the log folder a plain file instead.
    escribir(QStringLiteral("Log"), "no soy carpeta");
  } else {
    QFile::setPermissions(carpeta(), QFile::ReadOwner | QFile::ExeOwner);
  }
  ws->EscribirLog(QStringLiteral("uno"));
  ws->EscribirLog(QStringLiteral("dos"));
  QFile::setPermissions(carpeta(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ASSERT_EQ(prompter.mensajes.size(), 1u);
  EXPECT_EQ(ws->log.perdidas(), 2);
  EXPECT_EQ(prompter.mensajes[0].texto, QStringLiteral("Error al generar el archivo Log"));
  EXPECT_EQ(prompter.mensajes[0].titulo, QStringLiteral("Aviso Importante"));
  EXPECT_EQ(prompter.mensajes[0].icono, Icono::Critico);
}
