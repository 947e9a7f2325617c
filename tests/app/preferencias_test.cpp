// preferencias.ini: the five last work files, the hour per file, the folder
// per kind; written whole, kept in memory when the folder is read-only.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/preferencias.h"
#include "fixture.h"

TEST(Preferencias, RecientesHoraYCarpetasSobrevivenAlReinicio) {
  QTemporaryDir dir;
  {
    Preferencias p(dir.path());
    for (const char* f : {"a.006", "b.006", "c.006", "a.006", "d.006", "e.006", "f.006"})
      p.agregarReciente(dir.filePath(Q(f)));
    p.ponerHora(dir.filePath(Q("a.006")), Q("09:00"));
    p.ponerCarpeta(Q("TXT"), Q("/avisos"));
    ASSERT_TRUE(p.guardar());
  }
  Preferencias p(dir.path());
  QStringList esperados;
  for (const char* f : {"f.006", "e.006", "d.006", "a.006", "c.006"}) esperados << dir.filePath(Q(f));
  EXPECT_EQ(p.recientes(), esperados);  // newest first, a reopened file moves up, five kept
  EXPECT_EQ(p.hora(dir.path() + Q("/./a.006")), Q("09:00"));
  EXPECT_EQ(p.hora(dir.filePath(Q("b.006"))), QString());
  EXPECT_EQ(p.carpeta(Q("txt")), Q("/avisos"));
}

TEST(Preferencias, CarpetaSinEscrituraLasGuardaEnMemoria) {
  // Under a plain file: no one, root included, can write there.
  QTemporaryDir dir;
  QFile(dir.filePath(Q("f"))).open(QIODevice::WriteOnly);
  Preferencias p(dir.filePath(Q("f/programa")));
  p.agregarReciente(Q("/x/t.006"));
  EXPECT_FALSE(p.guardar());
  EXPECT_EQ(p.recientes(), QStringList{Q("/x/t.006")});
}
