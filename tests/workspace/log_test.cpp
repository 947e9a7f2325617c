// The log's lines in Windows-1252 with their date and time, one file a day;
// a log that cannot be written is in the golden case log_imposible.
#include <gtest/gtest.h>


#include "fixture.h"

TEST_F(WorkspaceTest, RegistroUnArchivoPorDia) {
  ws->EscribirLog(Q("ENTRO AL EVENTO-----Form_Load-----verifica si existe el archivo de configuración"));
  ws->EscribirLog(QString());
  EXPECT_EQ(leer(dir.filePath(Q("Log/Log07122026.txt"))),
            QByteArray("07/12/2026 10:30:00, ENTRO AL EVENTO-----Form_Load-----verifica si existe el archivo de "
                       "configuraci\xF3n\r\n07/12/2026 10:30:00, \r\n"));
  reloj.poner(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 1)));
  ws->EscribirLog(Q("otro"));
  EXPECT_EQ(leer(dir.filePath(Q("Log/Log08122026.txt"))), QByteArray("08/12/2026 00:00:01, otro\r\n"));
  EXPECT_TRUE(prompter.mensajes.empty());
}
