#include "core/catalogue/ShownName.h"

#include <gtest/gtest.h>

#include <QString>

#include "core/text/TextCodec.h"

namespace vorlane {
namespace {

TEST(ShownName, ALongNameIsCutBetweenCharactersAndReadsAsTheWholeRead) {
  constexpr qsizetype kLimit = kShownNameLength;
  const QByteArray as = QByteArray(kLimit - 1, 'a');
  const QString shownAs(kLimit - 1, u'a');
  const QString ellipsis = QStringLiteral("\u2026");
  const struct {
    const char* what;
    QByteArray name;
    QString shown;
  } cases[] = {
      {"short", "Caf\xC3\xA9", QStringLiteral("Caf\u00E9")},
      {"at the limit", as + 'a', shownAs + u'a'},
      {"one past", as + "aa", shownAs + u'a' + ellipsis},
      {"surrogate pair across the limit", as + "\xF0\x9F\x98\x80" + "bb", shownAs + ellipsis},
      {"combining mark after the limit", as + "e\xCC\x81" + "bb", shownAs + ellipsis},
      {"one letter under many marks", "a" + QByteArray("\xCC\x81").repeated(1000),
       u'a' + QStringLiteral("\u0301").repeated(kLimit - 1) + ellipsis},
      {"Windows-1252", QByteArray(400, '\xE9'), QString(kLimit, u'\u00E9') + ellipsis},
      // Its head alone is UTF-8; the whole is not, and is read as Windows-1252.
      {"Windows-1252 past the limit", QByteArray("\xC3\xA9").repeated(200) + "\xFF",
       QStringLiteral("\u00C3\u00A9").repeated(kLimit / 2) + ellipsis},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decodeText(shownName(c.name)), c.shown) << c.what;
  }
}

}  // namespace
}  // namespace vorlane
