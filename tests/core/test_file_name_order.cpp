#include "core/catalogue/FileNameOrder.h"

#include <algorithm>
#include <iterator>
#include <random>

#include <QCollator>
#include <QLocale>

#include <gtest/gtest.h>

#include "core/text/NativeText.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::strings;

// The names as sortedOrder puts them.
QStringList inSortedOrder(const QStringList& names, const QLocale& locale) {
  QStringList sorted;
  for (const qsizetype index : sortedOrder(names, locale)) {
    sorted.append(names.at(index));
  }
  return sorted;
}

// The names as the locale's collator alone puts them, letter case ignored, ties in binary order.
QStringList collatorOrder(QStringList names, const QLocale& locale) {
  QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
    const int order = collator.compare(a, b);
    return order != 0 ? order < 0 : a < b;
  });
  return names;
}

TEST(FileNameOrder, CaseIgnoredByTheLocaleAndTiesInBinaryOrder) {
  const struct {
    QLocale locale;
    QStringList names;
    QStringList sorted;
  } cases[] = {
      {QLocale::c(), strings({"b.drv", "A.drv", "d.DRV"}), strings({"A.drv", "b.drv", "d.DRV"})},
      {QLocale::c(), strings({"a.drv", "b.drv", "B.drv", "A.drv"}),
       strings({"A.drv", "a.drv", "B.drv", "b.drv"})},
      {QLocale(QLocale::English, QLocale::UnitedStates), strings({"b.drv", "A.drv", "d.DRV"}),
       strings({"A.drv", "b.drv", "d.DRV"})},
      {QLocale(QLocale::English, QLocale::UnitedStates),
       strings({"f.drv", "a.drv", "\xC3\xA9.drv", "B.drv", "A.drv", "e.drv"}),
       strings({"A.drv", "a.drv", "B.drv", "e.drv", "\xC3\xA9.drv", "f.drv"})},
      // The C locale has no rules: accented letters still stand beside their base letters.
      {QLocale::c(),
       strings({"Zz.drv", "\xC3\xA9t\xC3\xA9.drv", "eta.drv", "Ez.drv", "\xC3\x84rger.drv"}),
       strings({"\xC3\x84rger.drv", "eta.drv", "\xC3\xA9t\xC3\xA9.drv", "Ez.drv", "Zz.drv"})},
      // Where the language joins letters, plain ASCII names follow its rules too.
      {QLocale(QLocale::Danish), strings({"aa.drv", "z.drv", "ab.drv"}),
       strings({"ab.drv", "z.drv", "aa.drv"})},
      // A name that is not UTF-8 sorts as it shows, read as Windows-1252.
      {QLocale::c(),
       {decodeNative("cafz.drv"), decodeNative("caf\xE9.drv"), decodeNative("cafe.drv")},
       {decodeNative("cafe.drv"), decodeNative("caf\xE9.drv"), decodeNative("cafz.drv")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale.name().toStdString());
    EXPECT_EQ(inSortedOrder(c.names, c.locale), c.sorted);
  }
}

// Names of printable ASCII are ordered without the collator's keys where the language leaves
// ASCII alone: every character, in every position and letter case, must still fall where the
// collator puts it.
TEST(FileNameOrder, PlainAsciiNamesSortAsTheCollatorSortsThem) {
  QStringList names;
  for (char16_t c = 0x20; c <= 0x7E; ++c) {
    names.append(QString(QChar(c)));
    names.append(QString(QChar(c)) + QStringLiteral(".drv"));
    names.append(QStringLiteral("Game") + QChar(c) + QStringLiteral("1.DRV"));
  }
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> length(1, 12);
  std::uniform_int_distribution<int> character(0x20, 0x7E);
  for (int i = 0; i < 3000; ++i) {
    QString name;
    for (int n = length(random); n > 0; --n) {
      name.append(QChar(char16_t(character(random))));
    }
    names.append(name);
  }
  for (const QLocale::Language language :
       {QLocale::C, QLocale::English, QLocale::Portuguese, QLocale::Spanish, QLocale::French,
        QLocale::German, QLocale::Italian}) {
    const QLocale locale(language);
    SCOPED_TRACE(locale.name().toStdString());
    EXPECT_EQ(inSortedOrder(names, locale), collatorOrder(names, locale));
  }
}

// Long listings are keyed in shares by several threads: every name must come out once, in the
// order the collator gives, whichever share it was keyed in.
TEST(FileNameOrder, LongListingsSortAsOneAcrossTheirShares) {
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  const char* const stems[] = {"Game", "game", "GAME", "g\xC3\xA9me", "G\xC3\xA9me"};
  for (const qsizetype size :
       {kNamesPerKeyTask - 1, kNamesPerKeyTask, kNamesPerKeyTask + 1, 2 * kNamesPerKeyTask + 3}) {
    SCOPED_TRACE(size);
    QStringList names;
    for (qsizetype i = 0; i < size; ++i) {
      // Numbers scattered, so the listing is far from its order.
      const qsizetype number = (i * 7919) % size;
      names.append(QString::fromUtf8(stems[number % std::size(stems)]) + QString::number(number) +
                   QStringLiteral(".drv"));
    }
    EXPECT_EQ(inSortedOrder(names, english), collatorOrder(names, english));
  }
}

}  // namespace
}  // namespace vorlane
