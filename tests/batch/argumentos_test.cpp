// The raw bytes of aviso-lote's arguments: only well-formed UTF-8 names a file.
#include <gtest/gtest.h>

#include <QTextStream>

#include "batch/lote.h"

namespace {

TEST(Argumentos, OnlyWellFormedUtf8) {
  const struct {
    const char* bytes;
    bool utf8;
  } casos[] = {
      {"envio.code", true},
      {"ni\xc3\xb1o.code", true},           // ñ
      {"\xe2\x82\xac", true},               // €
      {"\xf0\x9f\x93\xa6", true},           // U+1F4E6
      {"\xff\xfe.code", false},
      {"\xc3", false},                      // cut short
      {"\xc3(", false},                     // no continuation
      {"\x80", false},                      // stray continuation
      {"\xc0\xaf", false},                  // overlong "/"
      {"\xe0\x80\xaf", false},              // overlong "/"
      {"\xed\xa0\x80", false},              // surrogate
      {"\xf4\x90\x80\x80", false},          // past U+10FFFF
      {"latin1 \xe9.code", false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(lote::esUtf8(QByteArray(c.bytes)), c.utf8);
  }
  QString mensajes;
  QTextStream errores(&mensajes);
  const char* argv[] = {"aviso-lote", "revisar", "\xff\xfe.txt"};
  EXPECT_EQ(lote::revisarArgumentos(3, argv, errores), lote::kError);
  errores.flush();
  EXPECT_TRUE(mensajes.contains(QStringLiteral("El argumento 2 (\"\\xff\\xfe.txt\") no es texto UTF-8"))) << mensajes.toStdString();
  EXPECT_EQ(lote::revisarArgumentos(2, argv, errores), lote::kHecho);
}

}  // namespace
