#include "core/catalogue/ShownName.h"

#include <gtest/gtest.h>

#include <QString>

#include "core/platform/TextCodec.h"

namespace vorlane {
namespace {

QByteArray repeated(const char* bytes, qsizetype times) {
  return QByteArray(bytes).repeated(times);
}

QString repeated(const QString& text, qsizetype times) {
  return text.repeated(times);
}

TEST(ShownName, ALongNameIsCutBetweenCharactersAndReadsAsTheWholeRead) {
  const QString a = QStringLiteral("a");
  const QString ellipsis = QStringLiteral("\u2026");
  const struct {
    const char* what;
    QByteArray name;
    QString shown;
  } cases[] = {
      {"short", "Caf\xC3\xA9", QStringLiteral("Caf\u00E9")},
      {"at the limit", repeated("a", kShownNameLength), repeated(a, kShownNameLength)},
      {"one past", repeated("a", kShownNameLength + 1), repeated(a, kShownNameLength) + ellipsis},
      {"surrogate pair across the limit",
       repeated("a", kShownNameLength - 1) + "\xF0\x9F\x98\x80" + "bb",
       repeated(a, kShownNameLength - 1) + ellipsis},
      {"combining mark after the limit", repeated("a", kShownNameLength - 1) + "e\xCC\x81" + "bb",
       repeated(a, kShownNameLength - 1) + ellipsis},
      {"one letter under many marks", "a" + repeated("\xCC\x81", 1000),
       a + repeated(QStringLiteral("\u0301"), kShownNameLength - 1) + ellipsis},
      {"Windows-1252", repeated("\xE9", 400),
       repeated(QStringLiteral("\u00E9"), kShownNameLength) + ellipsis},
      // Its head alone is UTF-8; the whole is not, and is read as Windows-1252.
      {"Windows-1252 past the limit", repeated("\xC3\xA9", 200) + "\xFF",
       repeated(QStringLiteral("\u00C3\u00A9"), kShownNameLength / 2) + ellipsis},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decodeText(shownName(c.name)), c.shown) << c.what;
  }
}

}  // namespace
}  // namespace vorlane
