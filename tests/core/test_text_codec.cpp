#include <gtest/gtest.h>

#include "core/text/TextCodec.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

TEST(TextCodec, ReadsUtf8OrWindows1252AndKeepsUnchangedBytes) {
  const QByteArray utf8 =
      "Configura\xc3\xa7\xc3\xb5"
      "es";
  const QByteArray cp1252 =
      "Configura\xe7\xf5"
      "es \x80 \x93ok\x94";
  EXPECT_EQ(decodeText(utf8), text("Configurações"));
  EXPECT_EQ(decodeText(cp1252), text("Configurações € “ok”"));
  EXPECT_EQ(encodeText(decodeText(cp1252), cp1252), cp1252);
  EXPECT_EQ(encodeText(text("Configurações!"), cp1252), QByteArray(utf8 + "!"));
  EXPECT_EQ(encodeText(text("plain")), QByteArray("plain"));
}

}  // namespace
}  // namespace vorlane::test
