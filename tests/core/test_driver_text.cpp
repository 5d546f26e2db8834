#include <gtest/gtest.h>

#include "core/editor/DriverText.h"
#include "core/platform/Error.h"
#include "support/ErrorOf.h"

namespace vorlane {
namespace {

QString errorOf(const QByteArray& fileBytes) {
  return test::errorOf([&] { widgetTextFromFile(fileBytes); });
}

TEST(DriverText, MakesEveryLineBreakACrLfPair) {
  struct Case {
    QByteArray file;
    QByteArray expected;
  };
  const Case cases[] = {
      {"", ""},
      {"no break", "no break"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\n\rb", "a\r\n\r\nb"},
      {"\r\r\n\n\r", "\r\n\r\n\r\n\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(withCrLfBreaks(c.file), c.expected) << c.file.toStdString();
    EXPECT_EQ(withCrLfBreaks(QString::fromLatin1(c.file)), QString::fromLatin1(c.expected));
  }
}

TEST(DriverText, SavesAnUnchangedTextAsTheFilesOwnBytes) {
  const QByteArray files[] = {
      "GAMENAME     Pac-Man\nDIRECTORY    pacman\n[Video]\nmode=1\n",
      "CR only\r[Sound]\rvolume=3",
      "mixed\r\n\n\r",
      "Windows-1252 caf\xE9 \x80 \xA0\r\nlast line without a break",
      "\xEF\xBB\xBFUTF-8 with a mark, caf\xC3\xA9\n",
      "",
  };
  for (const QByteArray& file : files) {
    const QString shown = widgetTextFromFile(file);
    EXPECT_FALSE(shown.contains(QLatin1Char('\r'))) << file.toStdString();
    EXPECT_EQ(fileBytesToSave(file, shown), withCrLfBreaks(file)) << file.toStdString();
  }
}

TEST(DriverText, ShowsAndSavesTheTextByItsEncoding) {
  EXPECT_EQ(widgetTextFromFile("caf\xE9\r\n\x80"), QString::fromUtf8("caf\u00E9\n\u20AC"));
  EXPECT_EQ(widgetTextFromFile("caf\xC3\xA9\n"), QString::fromUtf8("caf\u00E9\n"));
  // An edited text is written as UTF-8 with CR LF breaks, also when the file was not UTF-8.
  EXPECT_EQ(fileBytesToSave("caf\xE9\n", QString::fromUtf8("caf\u00E9\nnew\n")),
            QByteArray("caf\xC3\xA9\r\nnew\r\n"));
  EXPECT_EQ(fileBytesToSave(QByteArray(), QStringLiteral("a\nb")), QByteArray("a\r\nb"));
  // The codec hides a UTF-8 file's byte-order mark; an edited text keeps it, a Windows-1252
  // text that merely begins with the same bytes gains none.
  EXPECT_EQ(fileBytesToSave("\xEF\xBB\xBF\xEF\xBB\xBFx\n", QChar(0xFEFF) + QStringLiteral("y")),
            QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFy"));
  EXPECT_EQ(
      fileBytesToSave("\xEF\xBB\xBF caf\xE9", QString::fromUtf8("\u00EF\u00BB\u00BF caf\u00E9!")),
      QByteArray("\xC3\xAF\xC2\xBB\xC2\xBF caf\xC3\xA9!"));
}

TEST(DriverText, RefusesATextTheEditorCannotHoldWhole) {
  const QString message = QStringLiteral("Text exceeds memo capacity");
  EXPECT_EQ(errorOf(QByteArray("before\0after", 12)), message);
  EXPECT_EQ(errorOf(QByteArray(kMemoCapacity + 1, 'x')), message);
  // The limit holds for the text with its breaks made CR LF.
  EXPECT_EQ(errorOf(QByteArray(kMemoCapacity / 2 + 1, '\n')), message);
  EXPECT_EQ(widgetTextFromFile(QByteArray(kMemoCapacity, 'x')).size(), kMemoCapacity);
  EXPECT_EQ(widgetTextFromFile(QByteArray(kMemoCapacity / 2, '\n')).size(), kMemoCapacity / 2);
}

TEST(DriverText, PutsTheCaretBehindTheBracketOfTheFirstExactHeader) {
  struct Case {
    const char* text;
    const char* section;
    qsizetype expected;
  };
  const Case cases[] = {
      {"GAMENAME x\r\n[Video]\r\nmode=1", "Video", 13},
      {"[Video]", "Video", 1},
      {"; see [Video] below\r\n[Video]\r\n", "Video", 7},
      {"GAMENAME x\r\n[video]\r\n", "Video", 0},
      {"[Videos]\r\n", "Video", 0},
      {"", "Video", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sectionCaretOffset(QString::fromLatin1(c.text), QString::fromLatin1(c.section)),
              c.expected)
        << c.text;
  }
}

TEST(DriverText, ConvertsOffsetsBetweenMemoAndWidget) {
  const QString widget = QStringLiteral("ab\ncd\n\nef");
  const QString memo = toMemoText(widget);
  ASSERT_EQ(memo, QStringLiteral("ab\r\ncd\r\n\r\nef"));
  ASSERT_EQ(toWidgetText(memo), widget);

  struct Case {
    qsizetype memoOffset;
    qsizetype widgetOffset;
  };
  const Case cases[] = {{0, 0}, {2, 2}, {4, 3}, {6, 5}, {8, 6}, {10, 7}, {12, 9}};
  for (const Case& c : cases) {
    EXPECT_EQ(toWidgetOffset(memo, c.memoOffset), c.widgetOffset) << c.memoOffset;
    EXPECT_EQ(toMemoOffset(widget, c.widgetOffset), c.memoOffset) << c.widgetOffset;
  }
  // Between CR and LF is not a place in the widget's text: the break's start stands for it.
  EXPECT_EQ(toWidgetOffset(memo, 3), 2);
  EXPECT_EQ(toWidgetOffset(memo, 9), 6);

  const QString shown = QStringLiteral("GAMENAME x\n; [Sound]\n[Video]\n[Sound]\nvolume=3");
  const QString shownMemo = toMemoText(shown);
  const qsizetype caret =
      toWidgetOffset(shownMemo, sectionCaretOffset(shownMemo, QStringLiteral("Video")));
  EXPECT_TRUE(shown.mid(caret).startsWith(QStringLiteral("Video]\n"))) << caret;
}

}  // namespace
}  // namespace vorlane
