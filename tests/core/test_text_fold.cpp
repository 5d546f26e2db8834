#include <gtest/gtest.h>

#include "core/catalogue/NameFilter.h"
#include "core/text/TextCodec.h"
#include "core/text/TextFold.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::text;

// The fold as its definition states it, over the whole text at once.
QString plainFold(const QString& text) {
  const QString decomposed = text.normalized(QString::NormalizationForm_KD);
  QString bare;
  for (qsizetype i = 0; i < decomposed.size(); ++i) {
    const bool pair = decomposed[i].isHighSurrogate() && i + 1 < decomposed.size() &&
                      decomposed[i + 1].isLowSurrogate();
    const char32_t character =
        pair ? QChar::surrogateToUcs4(decomposed[i], decomposed[i + 1]) : decomposed[i].unicode();
    const QChar::Category category = QChar::category(character);
    if (category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining &&
        category != QChar::Mark_Enclosing) {
      bare.append(decomposed.sliced(i, pair ? 2 : 1));
    }
    i += pair ? 1 : 0;
  }
  return bare.toCaseFolded();
}

QString cachedFold(TextFold& fold, QStringView text) {
  std::u16string out = u"kept ";
  fold.append(text, out);
  return QString::fromStdU16String(out).sliced(5);
}

TEST(TextFold, FoldsAsTheWholeTextFolds) {
  const struct {
    const char* what;
    QString text;
  } cases[] = {
      {"ASCII", text("Pac-Man 2: The NEW Adventures")},
      {"accents", text("Pokémon Café ÀÉÎÕÜ çñ ÿ Ångström")},
      {"ligatures and compatibility forms", text("ﬁre ﬂy Ǆ ǅ ǆ Ĳ ½ ² ℃ Ⅻ ｆｕｌｌ ｶﾀｶﾅ ㎏")},
      {"case-fold specials", text("Straße ẞ İstanbul ı ς Σ ǰ ŉ K Å ﬀ")},
      {"combining marks already separate", text("Pokée\u0301\u0327 a\u0308\u0301 \u0301alone")},
      {"non-BMP letters and marks", text("𝐀𝐵𝕮 𐐀𐐨 🎮 x\U0001D165y \U0001D15E")},
      {"Greek, Cyrillic, Hangul, CJK", text("Ἀθῆναι ΣΟΦΙΑ Ёлка 한국어 漢字 かな")},
      {"lone surrogates", QString(QChar(0xD800)) + QChar(u'a') + QChar(0xDC00) + QChar(0xD83C)},
      {"empty", QString()},
  };
  TextFold fold;
  for (const auto& example : cases) {
    EXPECT_EQ(cachedFold(fold, example.text), plainFold(example.text)) << example.what;
    // Again, now from the cache.
    EXPECT_EQ(cachedFold(fold, example.text), plainFold(example.text)) << example.what;
  }
}

// Every character of the planes that assign any, each among its neighbours in code point order,
// so that marks follow letters and one another: a character whose fold depended on its
// neighbours would show here.
TEST(TextFold, EveryCharacterFoldsAsInTheWholeText) {
  constexpr char32_t kBlock = 512;
  const auto assigned = [](char32_t c) { return c < 0x40000 || (c >= 0xE0000 && c < 0xE1000); };
  TextFold fold;
  for (char32_t first = 0; first < 0x110000; first += assigned(first) ? kBlock : 0x10000) {
    if (!assigned(first)) {
      continue;
    }
    QString block;
    for (char32_t character = first; character < first + kBlock; ++character) {
      if (!QChar::isSurrogate(character)) {
        block.append(QStringView(QChar::fromUcs4(character)));
      }
    }
    ASSERT_EQ(cachedFold(fold, block), plainFold(block))
        << "block from U+" << std::hex << unsigned(first);
  }
}

// The filter reads driver text as the list shows it, whatever its bytes.
TEST(TextFold, DriverTextMatchesAsItsDecodedText) {
  const char* const names[] = {
      "Plain ASCII",
      "Caf\xC3\xA9 UTF-8",
      "Caf\xE9 Windows-1252",
      "C\x9Cur",
      "\xEF\xBB\xBF"
      "BOM",
      "cut \xC3",
      "overlong \xC0\xAF",
      "surrogate \xED\xA0\x80",
      "\xF0\x9F\x8E\xAE pad",
      "\xFF\xFE",
      "\x80\x81\x8D\x8F\x90\x9D",
  };
  const char* const filters[] = {"a",    "cafe", "é", "œ", "bom", "\xEF\xBB\xBF",
                                 "\xC3", "🎮 p",  "ÿ", "ž", "€",   "\xC2\x81"};
  for (const char* filterText : filters) {
    const NameFilter filter(text(filterText));
    for (const char* name : names) {
      EXPECT_EQ(filter.matchesDriverText(name), filter.matches(decodeText(name)))
          << filterText << " in " << name;
    }
  }
}

}  // namespace
}  // namespace vorlane
