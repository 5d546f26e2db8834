#include <optional>

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/ProgramLauncher.h"
#include "ui/ProgramOutputWindow.h"

namespace vorlane::test {
namespace {

constexpr int kWaitMs = 10000;

// tessik.ini with the log directory text, and two games.
void layOut(const TempBase& base, const QByteArray& logDir) {
  base.write(QStringLiteral("tessik.ini"), "Romdir       .\\roms\\\r\nLogdir       " + logDir +
                                               "\r\nDrvdir       .\\drivers\r\n");
  base.write(QStringLiteral("drivers/alpha.drv"),
             "GAMENAME     Alpha\r\nDIRECTORY    alpharoms\r\n");
  base.write(QStringLiteral("drivers/beta.drv"), "GAMENAME     Beta One\r\n");
}

// A new file each time: a shell still running the old script reads on in its own.
void writeProgram(const TempBase& base, const QString& name, const QByteArray& body) {
  QFile::remove(base.filePath(name));
  const QString path = base.write(name, "#!/bin/sh\n" + body);
  QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

// A checksum tool that says what it checks, warns on its error output, and gives its result
// only once the file `go` exists, when `go` is given.
void writeChecksumTool(const TempBase& base, const QString& go = QString()) {
  const QByteArray wait =
      go.isEmpty() ? QByteArray()
                   : "while [ ! -e '" + base.filePath(go).toUtf8() + "' ]; do sleep 0.05; done\n";
  writeProgram(base, QStringLiteral("tools/checksum.exe"),
               "printf 'Checking %s\\n' \"${1##*/}\"\necho 'Warning: no parent set' >&2\n" + wait +
                   "printf 'CRC 1234abcd OK\\r\\n'\n");
}

// What a started program has written so far; empty before it has.
QByteArray contentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<ProgramOutputWindow*> outputWindows(WindowOnBase& main) {
  return main.window().findChildren<ProgramOutputWindow*>();
}

QString shownOutput(const ProgramOutputWindow* window) {
  return window->findChild<QPlainTextEdit*>(QStringLiteral("MemoSaida"))->toPlainText();
}

QString status(const ProgramOutputWindow* window) {
  return window->findChild<QLabel*>(QStringLiteral("lblEstado"))->text();
}

bool hasEnded(const ProgramOutputWindow* window) {
  return status(window) == QStringLiteral("checksum.exe has ended with exit code 0.");
}

// A log's lines between its first line (the command and the time) and its last (the end).
QByteArray logBody(const QByteArray& log) {
  const qsizetype start = log.indexOf('\n') + 1;
  const qsizetype end = log.lastIndexOf('\n', -2) + 1;
  return start <= end ? log.mid(start, end - start) : QByteArray();
}

const QString kFullOutput =
    QStringLiteral("Checking alpharoms.zip\nWarning: no parent set\nCRC 1234abcd OK\n");

// The window shows the tool's lines before it ends, and says when it has; the main window stays
// in use meanwhile.
TEST(ChecksumOutput, ShowsTheLinesAsTheyArriveAndTheEnd) {
  TempBase base;
  layOut(base, ".\\logs");
  base.makeDir(QStringLiteral("logs"));
  writeChecksumTool(base, QStringLiteral("go"));
  ErrorBoxLog boxes;
  LaunchFailureLog failures;
  WindowOnBase main(base);
  clickDriver(main, 0);
  clickButton(main, "btnChecksum");

  ASSERT_EQ(outputWindows(main).size(), 1);
  const ProgramOutputWindow* window = outputWindows(main).front();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(window->windowTitle(), text("checksum.exe \u2014 Alpha"));
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return shownOutput(window).count(QLatin1Char('\n')) == 2; }, kWaitMs));
  EXPECT_EQ(shownOutput(window), kFullOutput.section(QLatin1Char('\n'), 0, 1) + QLatin1Char('\n'));
  EXPECT_EQ(status(window), QStringLiteral("checksum.exe is running."));

  clickDriver(main, 1);
  EXPECT_EQ(main.child<QListWidget>("lstDrivers")->currentRow(), 1) << "the main window is in use";

  base.write(QStringLiteral("go"), "");
  EXPECT_TRUE(QTest::qWaitFor([&] { return hasEnded(window); }, kWaitMs));
  EXPECT_EQ(shownOutput(window), kFullOutput);
  const QByteArray log = base.read(QStringLiteral("logs/checksum-alpha.log"));
  EXPECT_EQ(logBody(log), kFullOutput.toUtf8().replace("OK\n", "OK\r\n"));
  EXPECT_TRUE(log.endsWith("\nEnded with exit code 0\n"));
  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_TRUE(failures.texts().isEmpty());
}

TEST(ChecksumOutput, OneWindowPerRunClosingCleanlyAndWithTheMainWindow) {
  TempBase base;
  layOut(base, ".");
  writeChecksumTool(base);
  std::optional<WindowOnBase> running(std::in_place, base);
  WindowOnBase& main = *running;
  clickDriver(main, 0);
  clickButton(main, "btnChecksum");
  clickDriver(main, 1);
  clickButton(main, "btnChecksum");
  clickButton(main, "btnChecksum");

  const QList<ProgramOutputWindow*> windows = outputWindows(main);
  ASSERT_EQ(windows.size(), 3);
  const QStringList titles = {text("checksum.exe \u2014 Alpha"),
                              text("checksum.exe \u2014 Beta One"),
                              text("checksum.exe \u2014 Beta One")};
  for (qsizetype i = 0; i < windows.size(); ++i) {
    EXPECT_EQ(windows[i]->windowTitle(), titles[i]);
    EXPECT_TRUE(QTest::qWaitFor([&] { return hasEnded(windows[i]); }, kWaitMs)) << i;
    EXPECT_TRUE(shownOutput(windows[i]).endsWith(QStringLiteral("CRC 1234abcd OK\n"))) << i;
  }
  EXPECT_TRUE(QFile::exists(base.filePath(QStringLiteral("checksum-alpha.log"))));
  EXPECT_TRUE(QFile::exists(base.filePath(QStringLiteral("checksum-beta.log"))));

  QPointer<ProgramOutputWindow> closed = windows[0];
  QPointer<ProgramOutputWindow> open = windows[1];
  QTest::keyClick(closed->findChild<QPlainTextEdit*>(QStringLiteral("MemoSaida")), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closed.isNull());
  EXPECT_EQ(outputWindows(main).size(), 2);
  EXPECT_TRUE(main.window().isVisible());

  running.reset();
  EXPECT_TRUE(open.isNull());
}

// The tool runs on, and writes on into its log, after Vorlane has gone.
TEST(ChecksumOutput, ClosingVorlaneNeverEndsTheTool) {
  TempBase base;
  layOut(base, ".");
  writeChecksumTool(base, QStringLiteral("go"));
  {
    WindowOnBase main(base);
    clickDriver(main, 0);
    clickButton(main, "btnChecksum");
    ASSERT_EQ(outputWindows(main).size(), 1);
    const ProgramOutputWindow* window = outputWindows(main).front();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shownOutput(window).isEmpty(); }, kWaitMs));
  }
  base.write(QStringLiteral("go"), "");
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return base.read(QStringLiteral("checksum-alpha.log"))
            .endsWith("OK\r\nEnded with exit code 0\n");
      },
      kWaitMs));
}

// Output that comes while the window cannot read is left out of it, and one line says how much;
// the end still shows.
TEST(ChecksumOutput, OutputTheWindowMissedIsCounted) {
  TempBase base;
  layOut(base, ".");
  const QString flooded = base.filePath(QStringLiteral("flooded"));
  writeProgram(base, QStringLiteral("tools/checksum.exe"),
               "yes 'checking block 0123456789' | head -c 4194304\necho done > '" +
                   flooded.toUtf8() + "'\n");
  WindowOnBase main(base);
  clickDriver(main, 0);
  clickButton(main, "btnChecksum");
  ASSERT_EQ(outputWindows(main).size(), 1);
  const ProgramOutputWindow* window = outputWindows(main).front();
  // No event is handled meanwhile, so the window reads nothing.
  for (const QDeadlineTimer deadline(kWaitMs); contentOf(flooded).isEmpty();) {
    ASSERT_FALSE(deadline.hasExpired());
    QThread::msleep(20);
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return hasEnded(window); }, kWaitMs));
  const QString shown = shownOutput(window);
  qint64 skipped = 0;
  QRegularExpressionMatchIterator lines =
      QRegularExpression(QStringLiteral("\\n\\[\\.\\.\\. (\\d+) bytes skipped")).globalMatch(shown);
  while (lines.hasNext()) {
    skipped += lines.next().captured(1).toLongLong();
  }
  EXPECT_GT(skipped, 2 << 20);
}

// An emulator that writes `lines` numbered lines to its error output and ends at once.
void writeFailingEmulator(const TempBase& base, const QByteArray& run, int lines) {
  writeProgram(base, QStringLiteral("tessik.exe"),
               "i=1\nwhile [ $i -le " + QByteArray::number(lines) + " ]; do echo \"" + run +
                   " line $i\" >&2; i=$((i + 1)); done\nexit 1\n");
}

TEST(PlayOutput, EmulatorThatFailsAtOnceShowsItsLastLinesAndTheLogOnce) {
  TempBase base;
  layOut(base, "./logs");
  base.makeDir(QStringLiteral("logs"));
  const QString log = base.filePath(QStringLiteral("logs/tessik-output.log"));
  ErrorBoxLog boxes;
  LaunchFailureLog failures;
  WindowOnBase main(base);
  clickDriver(main, 0);

  for (const QByteArray run : {"first", "second"}) {
    writeFailingEmulator(base, run, 12);
    clickButton(main, "btnExecutar");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !failures.texts().isEmpty(); }, kWaitMs))
        << run.constData();
    QStringList expected = {
        QStringLiteral("tessik.exe ended at once with exit code 1. The last it wrote:"), {}};
    for (int i = 3; i <= 12; ++i) {
      expected.append(QStringLiteral("%1 line %2").arg(QLatin1String(run)).arg(i));
    }
    expected << QString() << QStringLiteral("All of it is in ") + log;
    EXPECT_EQ(failures.texts().front().split(QLatin1Char('\n')), expected) << run.constData();
    QTest::qWait(200);
    EXPECT_EQ(failures.texts().size(), 1) << "one box per run";
    EXPECT_TRUE(logBody(base.read(QStringLiteral("logs/tessik-output.log")))
                    .startsWith(run + " line 1\n" + run + " line 2\n"));
    failures.clear();
  }
  EXPECT_TRUE(
      logBody(base.read(QStringLiteral("logs/tessik-output.log.1"))).startsWith("first line 1\n"));
  EXPECT_TRUE(boxes.texts().isEmpty());
}

// Only a failure within the first seconds is told, naming how the emulator ended: not an
// early success, nor a failure after the first seconds.
TEST(PlayOutput, OnlyAnEarlyFailureIsToldWithItsStatus) {
  TempBase base;
  layOut(base, ".");
  const QString log = base.filePath(QStringLiteral("tessik-output.log"));
  LaunchFailureLog failures;
  WindowOnBase main(base);
  clickDriver(main, 0);
  const auto watching = [&] {
    return main.window().findChild<QObject*>(QStringLiteral("earlyEndReport")) != nullptr;
  };
  const struct {
    const char* body;
    bool late;        // ends only once the early window has passed
    const char* box;  // nullptr: none; "$" stands for the log
  } cases[] = {
      {"echo 'Loading alpha...'\nexit 0\n", false, nullptr},
      {"echo 'ROM not found: alpha.zip' >&2\nexit 3\n", false,
       "tessik.exe ended at once with exit code 3. The last it wrote:\n\n"
       "ROM not found: alpha.zip\n\nAll of it is in $"},
      {"kill -KILL $$\n", false,
       "tessik.exe ended at once, killed by signal 9 (Killed), without writing anything. "
       "Its log is $"},
      {"echo 'Loading alpha...'\nwhile [ ! -e go ]; do sleep 0.05; done\nexit 3\n", true, nullptr},
  };
  for (const auto& example : cases) {
    QFile::remove(base.filePath(QStringLiteral("go")));
    setEarlyEndWindow(example.late ? 500 : 5000);
    writeProgram(base, QStringLiteral("tessik.exe"), example.body);
    clickButton(main, "btnExecutar");
    if (example.late) {
      ASSERT_TRUE(QTest::qWaitFor([&] { return !watching(); }, kWaitMs));
      base.write(QStringLiteral("go"), "");
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return contentOf(log).contains("\nEnded"); }, kWaitMs))
        << example.body;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watching(); }, kWaitMs)) << example.body;
    if (example.box == nullptr) {
      EXPECT_TRUE(failures.texts().isEmpty()) << example.body;
    } else {
      EXPECT_EQ(failures.texts(), QStringList{text(example.box).replace(QLatin1Char('$'), log)})
          << example.body;
    }
    failures.clear();
  }
  setEarlyEndWindow(5000);
}

// A folder at the log's name: the run's log keeps a name of its own, and the boxes say which.
TEST(PlayOutput, TakenLogNameIsToldWithWhereTheOutputWent) {
  TempBase base;
  layOut(base, ".");
  base.makeDir(QStringLiteral("tessik-output.log"));
  LaunchFailureLog failures;
  WindowOnBase main(base);
  clickDriver(main, 0);
  writeFailingEmulator(base, "only", 1);
  clickButton(main, "btnExecutar");
  ASSERT_TRUE(QTest::qWaitFor([&] { return failures.texts().size() == 2; }, kWaitMs));
  const QStringList logs =
      QDir(base.path()).entryList({QStringLiteral("tessik-output.log.*")}, QDir::Files);
  ASSERT_EQ(logs.size(), 1);
  const QString log = base.filePath(logs.front());
  EXPECT_EQ(failures.texts().front(),
            QStringLiteral("The output is in %1, since %2 cannot be replaced: Is a directory")
                .arg(log, base.filePath(QStringLiteral("tessik-output.log"))));
  EXPECT_TRUE(failures.texts().back().endsWith(QStringLiteral("All of it is in ") + log));
  EXPECT_TRUE(logBody(base.read(logs.front())).startsWith("only line 1\n"));
}

// Without a log directory that takes files, both programs start as before and nothing is shown.
TEST(LaunchOutput, LogDirectoryThatCannotBeWrittenChangesNothing) {
  for (const QByteArray logDir : {".\\missing", ".\\drivers\\alpha.drv", ""}) {
    TempBase base;
    layOut(base, logDir);
    const QString record = base.filePath(QStringLiteral("record"));
    writeProgram(base, QStringLiteral("tessik.exe"),
                 "echo 'ROM not found' >&2\necho play >> '" + record.toUtf8() + "'\nexit 1\n");
    writeProgram(base, QStringLiteral("tools/checksum.exe"),
                 "echo 'CRC OK'\necho checksum >> '" + record.toUtf8() + "'\n");
    ErrorBoxLog boxes;
    LaunchFailureLog failures;
    WindowOnBase main(base);
    clickDriver(main, 0);
    clickButton(main, "btnExecutar");
    ASSERT_TRUE(QTest::qWaitFor([&] { return contentOf(record) == "play\n"; }, kWaitMs))
        << logDir.constData();
    clickButton(main, "btnChecksum");
    ASSERT_TRUE(QTest::qWaitFor([&] { return contentOf(record) == "play\nchecksum\n"; }, kWaitMs))
        << logDir.constData();
    QTest::qWait(300);

    EXPECT_TRUE(outputWindows(main).isEmpty()) << logDir.constData();
    EXPECT_TRUE(failures.texts().isEmpty()) << logDir.constData();
    EXPECT_TRUE(boxes.texts().isEmpty()) << logDir.constData();
    QDirIterator files(base.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
      EXPECT_FALSE(files.next().contains(QStringLiteral(".log"))) << files.filePath().toStdString();
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tessik-output.log")));
  }
}

}  // namespace
}  // namespace vorlane::test
