#include <gtest/gtest.h>

#include "core/editor/DriverText.h"
#include "core/errors/Error.h"
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
  // An edited text is written with CR LF breaks in the encoding the file was read in.
  const struct {
    const char* name;
    QByteArray file;
    QString edited;
    QByteArray saved;
  } cases[] = {
      {"Windows-1252 stays Windows-1252", "caf\xE9\n",
       QString::fromUtf8("caf\u00E9\nna\u00EFve \u20AC \u201Cq\u201D \u0178\n"),
       "caf\xE9\r\nna\xEFve \x80 \x93q\x94 \x9F\r\n"},
      // The five codes Windows-1252 leaves unassigned read as C1 controls and go back as such.
      {"unassigned codes", "\x81\x8D\x8F\x90\x9D",
       QString::fromUtf8("\u0081\u008D\u008F\u0090\u009D!"), "\x81\x8D\x8F\x90\x9D!"},
      {"UTF-8 stays UTF-8", "caf\xC3\xA9\n", QString::fromUtf8("caf\u00E9\n\u0101\n"),
       "caf\xC3\xA9\r\n\xC4\x81\r\n"},
      {"plain ASCII is UTF-8", "abc", QString::fromUtf8("abc \u00E9"), "abc \xC3\xA9"},
      {"a new file", QByteArray(), QStringLiteral("a\nb"), "a\r\nb"},
      // The codec hides a UTF-8 file's byte-order mark; an edited text keeps it.
      {"byte-order mark", "\xEF\xBB\xBF\xEF\xBB\xBFx\n", QChar(0xFEFF) + QStringLiteral("y"),
       "\xEF\xBB\xBF\xEF\xBB\xBFy"},
      {"the hidden mark stays", "\xEF\xBB\xBF[Video]\r\n", QStringLiteral("[Video]\n[New]\n"),
       "\xEF\xBB\xBF[Video]\r\n[New]\r\n"},
      // Windows-1252 that merely begins with the mark's bytes is Windows-1252 all through.
      {"mark bytes in Windows-1252", "\xEF\xBB\xBF caf\xE9",
       QString::fromUtf8("\u00EF\u00BB\u00BF caf\u00E9!"), "\xEF\xBB\xBF caf\xE9!"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fileBytesToSave(c.file, c.edited), c.saved) << c.name;
  }
}

// A character Windows-1252 has no code for is refused by name, never replaced.
TEST(DriverText, RefusesToSaveWhatWindows1252CannotStore) {
  const struct {
    QString edited;
    const char* named;
  } cases[] = {
      {QString::fromUtf8("caf\u00E9 \u0101 \u0102"), "\"\u0101\" (U+0101)"},
      {QString::fromUtf8("caf\u00E9 \U0001F600"), "\"\U0001F600\" (U+1F600)"},
      {QString::fromUtf8("caf\u00E9 \u0080"), "(U+0080)"},
  };
  for (const auto& c : cases) {
    const QString message = test::errorOf([&] { fileBytesToSave("caf\xE9", c.edited); });
    EXPECT_TRUE(message.contains(QString::fromUtf8(c.named))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Windows-1252"))) << message.toStdString();
  }
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

TEST(DriverText, PutsTheSectionBodyAtTheLineBelowTheFirstExactHeader) {
  struct Case {
    const char* text;
    const char* section;
    qsizetype expected;
  };
  const Case cases[] = {
      {"GAMENAME x\r\n[Video]\r\nmode=1", "Video", 21},
      {"[Video]  ; screen\r\n\r\n", "Video", 19},
      {"; see [Video] below\r\n[Video]\r\n", "Video", 21},
      {"x\r\n[Video]", "Video", 10},
      {"x\r\n[Video]\r\n", "Video", 12},
      {"GAMENAME x\r\n[video]\r\nmode=1", "Video", 0},
      {"", "Video", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sectionBodyOffset(QString::fromLatin1(c.text), QString::fromLatin1(c.section)),
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
