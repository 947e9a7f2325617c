// The scrambling of the settings: its table of 93 codes and the way back.
#include <gtest/gtest.h>

#include <QSet>

#include "client/scrambling.h"
#include "fixture.h"

TEST_F(WorkspaceTest, CifradoTablaYVuelta) {
  int n = 0;
  const auto* tabla = tablaCodigos(&n);
  ASSERT_EQ(n, 93);
  QSet<QString> codigos;
  QString todas;
  for (int i = 0; i < n; ++i) {
    const QString c = QString::fromUtf16(tabla[i].second);
    ASSERT_EQ(c.size(), 3);
    for (QChar x : c) EXPECT_TRUE(x.unicode() >= 32 && x.unicode() <= 126);
    codigos.insert(c);
  }
  EXPECT_EQ(codigos.size(), 93);
  for (int c = 32; c <= 126; ++c)
    if (c != 96 && c != 126) todas += QChar(c);
  const QString cifrado = EnCode(*ws, todas);
  EXPECT_EQ(cifrado.size(), 93 * 3);
  EXPECT_EQ(DeCode(cifrado), todas);
  EXPECT_EQ(EnCode(*ws, QString()), QString());
  EXPECT_NE(EnCode(*ws, Q("a")), EnCode(*ws, Q("A")));
  // Outside the table: kept as itself, and decoding no longer gives it back.
  const QString con = EnCode(*ws, Q("añ~"));
  EXPECT_EQ(con.size(), 3 + 1 + 1);
  EXPECT_NE(DeCode(con), Q("añ~"));
  // An incomplete last group is dropped; a group that is no code is dropped.
  const QString ab = EnCode(*ws, Q("ab"));
  EXPECT_EQ(DeCode(ab + Q("x")), Q("ab"));
  EXPECT_EQ(DeCode(Q("\x01\x01\x01") + ab), Q("ab"));
  EXPECT_TRUE(textosLog().contains(Q("MODULO2-----ENTRO A LA FUNCION-----EnCode")));
}
