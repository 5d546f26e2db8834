#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

#include "core/launch/OutputLines.h"

namespace vorlane::test {
namespace {

constexpr qsizetype kPiece = OutputLines::kMaxLineBytes;

// The lines as UTF-8, so that tables can hold them as literals.
QByteArrayList utf8(const QStringList& lines) {
  QByteArrayList bytes;
  for (const QString& line : lines) {
    bytes.append(line.toUtf8());
  }
  return bytes;
}

// The lines shown for `output` when it arrives in chunks of `chunkSize` bytes (0: all at once),
// with the program ended afterwards when `ended`.
QByteArrayList shownLines(const QByteArray& output, qsizetype chunkSize, bool ended = true) {
  OutputLines lines;
  const qsizetype step = chunkSize == 0 ? std::max<qsizetype>(output.size(), 1) : chunkSize;
  for (qsizetype at = 0; at < output.size(); at += step) {
    lines.append(QByteArrayView(output).sliced(at, std::min(step, output.size() - at)));
  }
  if (ended) {
    lines.finish();
  }
  return utf8(lines.takeLines());
}

// The same lines however the output is cut into chunks, in particular between "\r" and "\n" and
// inside a UTF-8 character.
void expectShownInAnyChunks(const QByteArray& output, const QByteArrayList& expected, bool ended,
                            const char* what) {
  for (const qsizetype chunkSize : {0, 1, 2, 3, 7}) {
    EXPECT_EQ(shownLines(output, chunkSize, ended), expected)
        << what << ", chunks of " << chunkSize;
  }
}

TEST(OutputLines, LineBreaksDecodingAndControlCharacters) {
  const struct {
    const char* what;
    QByteArray output;
    bool ended;
    QByteArrayList expected;
  } cases[] = {
      {"each line break", "one\ntwo\r\nthree\n", true, {"one", "two", "three"}},
      {"last line unfinished while running", "one\ntwo", false, {"one"}},
      {"a lone return rewrites the line", "\r12 %\r13 %\r100 %\n", true, {"100 %"}},
      {"a return at the end keeps the line", "a\rbc\r", true, {"bc"}},
      {"a shorter text replaces the whole line", "Checking 100%\rdone\n", true, {"done"}},
      {"empty lines", "\n\r\n\r\ra\r\r\nb", true, {"", "", "a", "b"}},
      {"one bad byte spoils only its own line",
       "Ch\xC3\xA2teau\ncaf\xE9\nna\xC3\xAFve",
       true,
       {"Ch\u00E2teau", "caf\u00E9", "na\u00EFve"}},
      {"Windows-1252 only where not UTF-8",
       "\x80 \x93quoted\x94\n",
       true,
       {"\u20AC \u201Cquoted\u201D"}},
      {"NUL and controls visible, tab kept",
       QByteArray("a\0b\x01\x7F\tc\n", 8),
       true,
       {"a\u2400b\u2401\u2421\tc"}},
      {"escape sequences as text",
       "\x1B[31mred\x1B[0m\x1B]0;title\x07\n",
       true,
       {"\u241B[31mred\u241B[0m\u241B]0;title\u2407"}},
      {"no text and text breaks as replacement",
       "\xC2\x85x\xE2\x80\xA8y\xE2\x80\xA9z\n\x81\n",
       true,
       {"\uFFFDx\uFFFDy\uFFFDz", "\uFFFD"}},
  };
  for (const auto& example : cases) {
    expectShownInAnyChunks(example.output, example.expected, example.ended, example.what);
  }
}

TEST(OutputLines, LongLinesComeInPiecesThatKeepCharactersWhole) {
  const QByteArray x(kPiece, 'x');
  const QByteArray e = "\xC3\xA9";             // é
  const QByteArray face = "\xF0\x9F\x98\x80";  // U+1F600, four bytes
  const QByteArray shownFace = "\U0001F600";
  const struct {
    const char* what;
    QByteArray output;
    QByteArrayList expected;
  } cases[] = {
      {"a line of exactly a piece", x + "\nz", {x, "z"}},
      {"one byte more", x + "y\n", {x, "y"}},
      {"three pieces and a rest", x + x + x + "rest", {x, x, x, "rest"}},
      {"two-byte character across the cut",
       x.left(kPiece - 1) + e + "y",
       {x.left(kPiece - 1), "\u00E9y"}},
      {"four-byte character across the cut",
       x.left(kPiece - 2) + face + "y\r\n",
       {x.left(kPiece - 2), shownFace + "y"}},
      {"Windows-1252 cut where it falls",
       x.left(kPiece - 1) + "\xE9\xE9",
       {x.left(kPiece - 1) + "\u00E9", "\u00E9"}},
  };
  for (const auto& example : cases) {
    for (const qsizetype chunkSize : {qsizetype(0), qsizetype(1), kPiece - 1, kPiece + 1}) {
      EXPECT_EQ(shownLines(example.output, chunkSize), example.expected)
          << example.what << ", chunks of " << chunkSize;
    }
  }
}

// Only what a window keeps is held, so memory stays bounded whatever the program writes.
TEST(OutputLines, HoldsOnlyTheLatestLinesAWindowKeeps) {
  QByteArray manyLines;
  for (int i = 1; i <= OutputLines::kMaxLines + 2500; ++i) {
    manyLines += "line " + QByteArray::number(i) + '\n';
  }
  const QByteArrayList latest = shownLines(manyLines, 4096);
  ASSERT_EQ(latest.size(), OutputLines::kMaxLines);
  EXPECT_EQ(latest.front(), "line 2501");
  EXPECT_EQ(latest.back(), "line " + QByteArray::number(OutputLines::kMaxLines + 2500));

  // An endless line: pieces, the latest that fit, and nothing held beyond them.
  OutputLines endless;
  const QByteArray chunk(kPiece * 16 + 100, 'y');
  for (int i = 0; i < 5; ++i) {
    endless.append(chunk);
  }
  const QStringList pieces = endless.takeLines();
  EXPECT_EQ(pieces.size(), OutputLines::kMaxShownBytes / kPiece);
  for (const QString& piece : pieces) {
    EXPECT_EQ(piece.size(), kPiece);
  }
  endless.finish();
  EXPECT_EQ(utf8(endless.takeLines()), QByteArrayList{QByteArray(chunk.size() * 5 % kPiece, 'y')});
  EXPECT_FALSE(endless.hasLines());
}

TEST(OutputLines, TheLineInProgressShowsAsItIsRewritten) {
  OutputLines lines;
  lines.append("Checking a.zip: 12%");
  EXPECT_TRUE(lines.lineInProgressChanged());
  EXPECT_EQ(lines.lineInProgress(), QStringLiteral("Checking a.zip: 12%"));
  lines.append("\r");
  EXPECT_FALSE(lines.lineInProgressChanged());
  lines.append("Checking a.zip: 50%");
  EXPECT_EQ(lines.lineInProgress(), QStringLiteral("Checking a.zip: 50%"));
  lines.append("\r\n");
  EXPECT_EQ(lines.lineInProgress(), QString());
  EXPECT_EQ(utf8(lines.takeLines()), QByteArrayList{"Checking a.zip: 50%"});
}

TEST(OutputLines, NoticeEndsTheLineInProgressAndStandsAlone) {
  OutputLines lines;
  lines.append("Checking ro");
  lines.appendNotice(QStringLiteral("[skipped]"));
  lines.append("ms\ndone\r");
  lines.appendNotice(QStringLiteral("[skipped]"));
  lines.append("\nend\n");
  EXPECT_EQ(utf8(lines.takeLines()),
            QByteArrayList({"Checking ro", "[skipped]", "ms", "done", "[skipped]", "", "end"}));
}

}  // namespace
}  // namespace vorlane::test
