#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <gtest/gtest.h>

#include "core/errors/Error.h"
#include "core/formats/FlatFile.h"
#include "support/ChildProcess.h"
#include "support/ErrorOf.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;

const QString kFile = QStringLiteral("tessik.ini");

using test::errorOf;

struct ReadCase {
  const char* name;
  QByteArray file;
  QByteArray key;
  QByteArray expected;  // "<default>" stands for the default being returned
};

TEST(readFoundFlatValues, FindsTheValueByTheFileRules) {
  const QByteArray kDefault = "<default>";
  const ReadCase cases[] = {
      {"crlf", "a\r\nRomdir       /p\r\nb\r\n", "Romdir", "/p"},
      {"lf only", "a\nRomdir       /p\nb\n", "Romdir", "/p"},
      {"cr only ends a line", "aRomdir x\rRomdir       /p\r", "Romdir", "/p"},
      {"last line without end", "a\r\nRomdir /p", "Romdir", "/p"},
      {"capital key in file", "ROMDIR       /p", "Romdir", "/p"},
      {"capital key asked", "romdir       /p", "ROMDIR", "/p"},
      {"no latin-1 folding", "\xC9tat  x", "\xE9tat", "<default>"},
      {"no utf-8 folding", "\xC3\x89tat  x", "\xC3\xA9tat", "<default>"},
      {"accented bytes compare exactly", "\xC9tat  x", "\xC9TAT", "x"},
      {"prefix of a longer word", "Romdirs x", "Romdir", "s x"},
      {"equals sign kept", "Romdir=/p", "Romdir", "=/p"},
      {"tab separator", "Romdir\t/p", "Romdir", "/p"},
      {"blank before key never matches", " Romdir       /p", "Romdir", "<default>"},
      {"key inside a line never matches", "x Romdir       /p", "Romdir", "<default>"},
      {"controls trimmed both ends", "Romdir \t\x01/p q\x1f \t", "Romdir", "/p q"},
      {"high bytes not trimmed", "Romdir \xA0/p\xA0", "Romdir", "\xA0/p\xA0"},
      {"only blanks gives empty", "Romdir       \r\nRomdir x", "Romdir", ""},
      {"first of duplicates", "testMode     yes\r\ntestMode     no", "testMode", "yes"},
      {"sections play no part", "[dip]\r\ntestMode     yes", "testMode", "yes"},
      {"nul hides rest of line", QByteArray("Romdir  /a\0bc\r\n", 15), "Romdir", "/a"},
      {"nul hides later lines", QByteArray("x\0\r\nRomdir  /a", 14), "Romdir", "<default>"},
      {"empty file", "", "Romdir", "<default>"},
      {"absent key", "Logdir       /l\r\n", "Romdir", "<default>"},
  };
  for (const ReadCase& c : cases) {
    TempBase base;
    const QString path = base.write(kFile, c.file);
    EXPECT_EQ(readFoundFlatValues(path, {c.key}).front().value_or(kDefault), c.expected) << c.name;
    EXPECT_EQ(flatValue(readFlatText(path), c.key, kDefault), c.expected) << c.name;
  }
}

// Lines of "x" that fill the file up to `size` bytes, so that what follows starts there.
QByteArray filledTo(qint64 size) {
  QByteArray filler(size, 'x');
  for (qsizetype i = 99; i < filler.size(); i += 100) {
    filler[i] = '\n';
  }
  filler[filler.size() - 1] = '\n';
  return filler;
}

TEST(readFoundFlatValues, ReadsFurtherBlocksOnlyAsTheLinesNeedThem) {
  const QByteArray kDefault = "<default>";
  const qint64 block = kFlatFileFirstBlock;
  const ReadCase cases[] = {
      {"key after the first block", filledTo(block + 10) + "Romdir  /p\r\n", "Romdir", "/p"},
      {"key split by the block end", filledTo(block - 3) + "Romdir  /p\r\n", "Romdir", "/p"},
      {"value split by the block end", filledTo(block - 10) + "Romdir  /long/path\r\n", "Romdir",
       "/long/path"},
      {"crlf split by the block end", filledTo(block - 6) + "Romdi\r\nRomdir  /p", "Romdir", "/p"},
      {"last line ends at the block end", filledTo(block - 10) + "Romdir  /p", "Romdir", "/p"},
      {"nul in a later block", filledTo(block + 10) + QByteArray("Rom\0dir /p\nRomdir /q", 20),
       "Romdir", "<default>"},
      {"many blocks", filledTo(40 * block) + "Romdir  /p", "Romdir", "/p"},
      {"absent from many blocks", filledTo(40 * block), "Romdir", "<default>"},
  };
  for (const ReadCase& c : cases) {
    TempBase base;
    const QString path = base.write(kFile, c.file);
    EXPECT_EQ(readFoundFlatValues(path, {c.key}).front().value_or(kDefault), c.expected) << c.name;
    EXPECT_EQ(flatValue(readFlatText(path), c.key, kDefault), c.expected) << c.name;
  }
}

struct WriteCase {
  const char* name;
  QByteArray before;
  QByteArray key;
  QByteArray value;
  QByteArray after;
};

TEST(writeFlatValue, ReplacesTheFirstKeyFieldLineAndRewritesWithCrLf) {
  const WriteCase cases[] = {
      {"crlf", "a\r\nRomdir       /old\r\nb\r\n", "Romdir", "/new",
       "a\r\nRomdir       /new\r\nb\r\n"},
      {"lf only becomes crlf", "Romdir       /old\nb\n", "Romdir", "/new",
       "Romdir       /new\r\nb\r\n"},
      {"cr only becomes crlf", "a\rRomdir       /old\r", "Romdir", "/new",
       "a\r\nRomdir       /new\r\n"},
      {"lf cr is two line ends", "a\n\rb", "Romdir", "/new", "a\r\n\r\nb\r\n"},
      {"other lines keep their text", "a  \r\n\r\n\tb \r\nc", "Romdir", "/new",
       "a  \r\n\r\n\tb \r\nc\r\n"},
      {"key written in caller's case", "ROMDIR       /old", "Romdir", "/new",
       "Romdir       /new\r\n"},
      {"rest of line dropped", "testMode     yes ; comment", "testMode", "no",
       "testMode     no\r\n"},
      {"value stored as passed", "Romdir       /old", "Romdir", " /new  ",
       "Romdir        /new  \r\n"},
      {"empty value", "Romdir       /old", "Romdir", "", "Romdir       \r\n"},
      {"only first duplicate", "testMode     no\r\ntestMode     no\r\n", "testMode", "yes",
       "testMode     yes\r\ntestMode     no\r\n"},
      {"equals line read but not rewritten", "Romdir=/p\r\n", "Romdir", "/new", "Romdir=/p\r\n"},
      {"too few blanks not rewritten", "Romdir  /p\r\n", "Romdir", "/new", "Romdir  /p\r\n"},
      {"tab not rewritten", "Romdir\t/p\r\n", "Romdir", "/new", "Romdir\t/p\r\n"},
      {"longer word not rewritten", "freePlayers  x\r\n", "freePlay", "yes", "freePlayers  x\r\n"},
      {"blank before key not rewritten", " Romdir       /p", "Romdir", "/new",
       " Romdir       /p\r\n"},
      {"absent key adds no line", "Logdir       /l", "Romdir", "/new", "Logdir       /l\r\n"},
      {"twelve-character key gets one blank", "continueMode no", "continueMode", "yes",
       "continueMode yes\r\n"},
      {"thirteen-character key gets no blank", "ABCDEFGHIJKLMold", "abcdefghijklm", "v",
       "abcdefghijklmv\r\n"},
      {"longer key gets no blank", "abcdefghijklmnold", "abcdefghijklmn", "v",
       "abcdefghijklmnv\r\n"},
      {"empty file stays empty", "", "Romdir", "/new", ""},
      {"bytes from nul on kept behind the lines",
       QByteArray("Romdir       /old\0tail\r\nRomdir       x\n", 38), "Romdir", "/new",
       QByteArray("Romdir       /new\r\n\0tail\r\nRomdir       x\n", 40)},
      {"line ended before nul", QByteArray("a\n\0b", 4), "Romdir", "/new",
       QByteArray("a\r\n\0b", 5)},
      {"nothing before nul", QByteArray("\0Romdir       /old\n", 19), "Romdir", "/new",
       QByteArray("\0Romdir       /old\n", 19)},
  };
  for (const WriteCase& c : cases) {
    TempBase base;
    const QString path = base.write(kFile, c.before);
    writeFlatValue(path, c.key, c.value);
    EXPECT_EQ(base.read(kFile), c.after) << c.name;
  }
}

TEST(SwitchTexts, OnlyYesInAnyCaseIsOn) {
  EXPECT_EQ(yesNoText(true), "yes");
  EXPECT_EQ(yesNoText(false), "no");
  const std::pair<QByteArray, bool> cases[] = {
      {"yes", true},   {"YES", true},   {"yEs", true},   {"no", false},
      {"1", false},    {"true", false}, {"y", false},    {"", false},
      {"yes ", false}, {" yes", false}, {"yess", false},
  };
  for (const auto& [text, on] : cases) {
    EXPECT_EQ(isYes(text), on) << text.toStdString();
  }
}

// The key reader reads in blocks, with its own check of the file's kind and size; the whole-file
// readers share readWholeFile's.
TEST(FlatFileFailures, MissingOrUnreadableFileIsReportedWithItsPath) {
  TempBase base;
  const QString missing = base.filePath(QStringLiteral("none.ini"));
  const QString directory = base.makeDir(QStringLiteral("folder.ini"));
  const QString fifo = base.filePath(QStringLiteral("fifo.ini"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
  const QString oversize = base.write(QStringLiteral("sparse.ini"), "Romdir       x\n");
  ASSERT_EQ(::truncate(QFile::encodeName(oversize).constData(), kTextFileLimit + 1), 0);
  const QString atLimit = base.write(QStringLiteral("small.ini"), "Romdir       x\n");
  ASSERT_EQ(::truncate(QFile::encodeName(atLimit).constData(), kTextFileLimit), 0);
  EXPECT_EQ(readFoundFlatValues(atLimit, {"Romdir"}).front().value_or("."), "x");
  for (const QString& path : {fifo, oversize}) {
    EXPECT_EQ(errorOf([&] { readFoundFlatValues(path, {"Romdir"}); }),
              QStringLiteral("Cannot open file ") + path);
  }
  for (const QString& path : {missing, directory}) {
    const QString expected = QStringLiteral("Cannot open file ") + path;
    EXPECT_EQ(errorOf([&] { readFoundFlatValues(path, {"Romdir"}); }), expected);
    EXPECT_EQ(errorOf([&] { readFlatText(path); }), expected);
    EXPECT_EQ(errorOf([&] { writeFlatValue(path, "Romdir", "."); }), expected);
  }
  EXPECT_FALSE(QFile::exists(missing));
}

// The rewrite goes through the atomic replace, whose own test has the ways a write fails.
TEST(FlatFileFailures, WriteThatCannotCompleteKeepsTheOldFileWhole) {
  TempBase base;
  const QByteArray before = "Romdir       /old\nLogdir       /log\n";
  const QString path = base.write(kFile, before);
  const QByteArray hugeValue(64 * 1024, 'x');

  const test::ChildOutcome outcome =
      test::runInChild({.fileSizeLimit = 4096, .asOrdinaryUser = false},
                       [&] { writeFlatValue(path, "Romdir", hugeValue); });
  ASSERT_TRUE(outcome.ranToEnd);
  EXPECT_EQ(outcome.error, QStringLiteral("Stream write error"));
  EXPECT_EQ(base.read(kFile), before);
}

}  // namespace
}  // namespace vorlane
