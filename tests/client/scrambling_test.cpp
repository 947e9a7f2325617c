#include <gtest/gtest.h>

#include <QSet>

#include "client/scrambling.h"
#include "fixture.h"

class ScramblingTest : public WorkspaceTest {};

TEST_F(ScramblingTest, TheTableKeepsItsRules) {
  int n = 0;
  const auto* tabla = tablaCodigos(&n);
  ASSERT_EQ(n, 93);
  QSet<QChar> claves;
  QSet<QString> codigos;
  int conComillas = 0;
  for (int i = 0; i < n; ++i) {
    const QChar k(tabla[i].first);
    const QString c = QString::fromUtf16(tabla[i].second);
    EXPECT_GE(k.unicode(), 32);
    EXPECT_LE(k.unicode(), 126);
    EXPECT_NE(k, QLatin1Char('`'));
    EXPECT_NE(k, QLatin1Char('~'));
    ASSERT_EQ(c.size(), 3);
    for (QChar x : c) EXPECT_TRUE(x.unicode() >= 32 && x.unicode() <= 126);
    if (c.contains(QLatin1Char('"'))) ++conComillas;
    claves.insert(k);
    codigos.insert(c);
  }
  EXPECT_EQ(claves.size(), 93);
  EXPECT_EQ(codigos.size(), 93);
  EXPECT_EQ(conComillas, 3);
}

TEST_F(ScramblingTest, RoundTripAndWhatCannotComeBack) {
  QString todas;
  for (int c = 32; c <= 126; ++c)
    if (c != 96 && c != 126) todas += QChar(c);
  const QString cifrado = EnCode(*ws, todas);
  EXPECT_EQ(cifrado.size(), 93 * 3);
  EXPECT_EQ(DeCode(cifrado), todas);
  EXPECT_EQ(EnCode(*ws, QString()), QString());
  EXPECT_EQ(DeCode(QString()), QString());
  EXPECT_EQ(EnCode(*ws, QStringLiteral("aBa")).mid(0, 3), EnCode(*ws, QStringLiteral("a")));
  EXPECT_NE(EnCode(*ws, QStringLiteral("a")), EnCode(*ws, QStringLiteral("A")));
  // Outside the table: kept as itself, and decoding no longer gives it back.
  const QString con = EnCode(*ws, Q("añ~"));
  EXPECT_EQ(con.size(), 3 + 1 + 1);
  EXPECT_NE(DeCode(con), Q("añ~"));
  // An incomplete last group is dropped; a group that is no code is dropped.
  const QString ab = EnCode(*ws, QStringLiteral("ab"));
  EXPECT_EQ(DeCode(ab + QStringLiteral("x")), QStringLiteral("ab"));
  EXPECT_EQ(DeCode(QStringLiteral("\x01\x01\x01") + ab), QStringLiteral("ab"));
  EXPECT_TRUE(textosLog().contains(QStringLiteral("MODULO2-----ENTRO A LA FUNCION-----EnCode")));
}
