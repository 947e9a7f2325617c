#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "fixture.h"
#include "workspace/textfile.h"

TEST(TextFile, Windows1252BothWays) {
  const QByteArray todos = [] {
    QByteArray b;
    for (int i = 0; i < 256; ++i) b.append(static_cast<char>(i));
    return b;
  }();
  EXPECT_EQ(texto::a1252(texto::desde1252(todos)), todos);
  EXPECT_EQ(texto::desde1252(QByteArray("\x80\xd1\xe9")), Q("€Ñé"));
  EXPECT_EQ(texto::a1252(Q("Ω")), QByteArray("?"));
}

TEST(TextFile, LinesEndInCrLfLfOrCr) {
  EXPECT_EQ(texto::partirLineas(QStringLiteral("a\r\nb\nc\rd")),
            (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
  EXPECT_EQ(texto::partirLineas(QStringLiteral("a\r\n\r\n")), (QStringList{QStringLiteral("a"), QString()}));
  EXPECT_TRUE(texto::partirLineas(QString()).isEmpty());
  EXPECT_EQ(texto::unirLineas({QStringLiteral("a"), QString()}), QByteArray("a\r\n\r\n"));
}

TEST(TextFile, MissingFilesAndFolders) {
  QTemporaryDir dir;
  EXPECT_FALSE(texto::escribirLineas(dir.filePath(QStringLiteral("no/hay/a.txt")), {QStringLiteral("x")}).ok);
  QByteArray b;
  EXPECT_EQ(texto::leerBytes(dir.filePath(QStringLiteral("falta.txt")), b).numero, 53);
}
