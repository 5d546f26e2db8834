#include <algorithm>
#include <functional>
#include <optional>

#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include "core/launch/OutputLines.h"
#include "support/EnvironmentOverride.h"
#include "support/Polling.h"
#include "support/StandInProgram.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/output/ProgramLauncher.h"
#include "ui/output/ProgramOutputWindow.h"

// Freed memory that AddressSanitizer holds back would count as resident; a small hold keeps the
// measure of resident memory about what the windows keep.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=1";
}

namespace vorlane::test {
namespace {

constexpr int kWaitMs = 10000;

// tessik.ini with the log directory text, and two games.
void layOut(const TempBase& base, const QByteArray& logDir) {
  base.writeEmulatorConfig({.romDir = ".\\roms\\", .logDir = logDir, .drvDir = ".\\drivers"});
  base.write(QStringLiteral("drivers/alpha.drv"),
             driverText("Alpha", "DIRECTORY    alpharoms\r\n"));
  base.write(QStringLiteral("drivers/beta.drv"), driverText("Beta One"));
}

// A checksum tool that says what it checks, warns on its error output, and gives its result
// only once the file `go` exists, when `go` is given.
void writeChecksumTool(const TempBase& base, const QString& go = QString()) {
  const QByteArray wait = go.isEmpty() ? QByteArray() : waitForFileLine(base.filePath(go).toUtf8());
  writeProgram(base, QStringLiteral("tools/checksum.exe"),
               "printf 'Checking %s\\n' \"${1##*/}\"\necho 'Warning: no parent set' >&2\n" + wait +
                   "printf 'CRC 1234abcd OK\\r\\n'\n");
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
  return status(window) == text("checksum.exe terminou com código de saída 0.");
}

// Whether an emulator's first seconds are still watched; once they are not, its early end has
// been told or never will be.
bool watchingForAnEarlyEnd(WindowOnBase& main) {
  return main.window().findChild<QObject*>(QStringLiteral("earlyEndReport")) != nullptr;
}

// A log's lines between its first line (the command and the time) and its last (the end).
QByteArray logBody(const QByteArray& log) {
  const qsizetype start = log.indexOf('\n') + 1;
  const qsizetype end = log.lastIndexOf('\n', -2) + 1;
  return start <= end ? log.mid(start, end - start) : QByteArray();
}

// The window shows lines, one under the other.
const QString kFullOutput =
    QStringLiteral("Checking alpharoms.zip\nWarning: no parent set\nCRC 1234abcd OK");

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
  EXPECT_EQ(window->windowTitle(), text("Saída de checksum.exe \u2014 Alpha"));
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return shownOutput(window).count(QLatin1Char('\n')) == 1; }, kWaitMs));
  EXPECT_EQ(shownOutput(window), kFullOutput.section(QLatin1Char('\n'), 0, 1));
  EXPECT_EQ(status(window), text("checksum.exe está em execução."));

  clickDriver(main, 1);
  EXPECT_EQ(selectedCatalogueRow(driverList(main)), 1) << "the main window is in use";

  base.write(QStringLiteral("go"), "");
  EXPECT_TRUE(QTest::qWaitFor([&] { return hasEnded(window); }, kWaitMs));
  EXPECT_EQ(shownOutput(window), kFullOutput);
  const QByteArray log = base.read(QStringLiteral("logs/checksum-alpha.log"));
  EXPECT_EQ(logBody(log), kFullOutput.toUtf8() + "\r\n");
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
  const QStringList titles = {text("Saída de checksum.exe \u2014 Alpha"),
                              text("Saída de checksum.exe \u2014 Beta One"),
                              text("Saída de checksum.exe \u2014 Beta One")};
  for (qsizetype i = 0; i < windows.size(); ++i) {
    EXPECT_EQ(windows[i]->windowTitle(), titles[i]);
    EXPECT_TRUE(QTest::qWaitFor([&] { return hasEnded(windows[i]); }, kWaitMs)) << i;
    EXPECT_TRUE(shownOutput(windows[i]).endsWith(QStringLiteral("\nCRC 1234abcd OK"))) << i;
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

  // Closing the main window ends the program: the windows that are still open close with it.
  main.window().close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
  ASSERT_TRUE(pollUntil([&] { return !contentOf(flooded).isEmpty(); }, kWaitMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return hasEnded(window); }, kWaitMs));
  const QString shown = shownOutput(window);
  qint64 skipped = 0;
  QRegularExpressionMatchIterator lines =
      QRegularExpression(QStringLiteral("\\n\\[\\.\\.\\. (\\d+) bytes ")).globalMatch(shown);
  while (lines.hasNext()) {
    skipped += lines.next().captured(1).toLongLong();
  }
  EXPECT_GT(skipped, 2 << 20);
}

// A progress line shows in place while the tool runs, as a terminal shows it; each line is decoded
// on its own and shows its control characters.
TEST(ChecksumOutput, ShowsAProgressLineInPlaceAndEveryByteVisibly) {
  TempBase base;
  layOut(base, ".");
  const QByteArray go = base.filePath(QStringLiteral("go")).toUtf8();
  writeProgram(base, QStringLiteral("tools/checksum.exe"),
               "printf 'Ch\\303\\242teau\\ncaf\\351\\n\\033[1mbold\\000\\n\\r12 %%\\r50 %%'\n" +
                   waitForFileLine(go) + "printf '\\r100 %%'\n");
  WindowOnBase main(base);
  clickDriver(main, 0);
  clickButton(main, "btnChecksum");
  ASSERT_EQ(outputWindows(main).size(), 1);
  const ProgramOutputWindow* window = outputWindows(main).front();

  const QString lines = text("Ch\u00E2teau\ncaf\u00E9\n\u241B[1mbold\u2400\n");
  const QString beforeTheEnd = lines + text("50 %");
  EXPECT_TRUE(QTest::qWaitFor([&] { return shownOutput(window) == beforeTheEnd; }, kWaitMs))
      << shownOutput(window).toStdString();
  base.write(QStringLiteral("go"), "");
  EXPECT_TRUE(QTest::qWaitFor([&] { return hasEnded(window); }, kWaitMs));
  EXPECT_EQ(shownOutput(window), lines + text("100 %"));
}

// The output window is an ordinary window beside the main window, so the main window's list stays
// in view and comes forward when clicked; where the screen has no room beside it, it covers
// neither the list nor Play.
TEST(ChecksumOutput, OpensBesideTheMainWindowWhereTheScreenHasRoom) {
  enum Place { kRight, kLeft, kAside };
  const struct {
    const char* where;
    int mainLeft;  // -1: centred, as it starts; 0: at the screen's left; 1: at its right
    Place expected;
  } cases[] = {{"centred", -1, kAside}, {"at the left", 0, kRight}, {"at the right", 1, kLeft}};
  for (const auto& example : cases) {
    TempBase base;
    layOut(base, ".");
    writeChecksumTool(base);
    WindowOnBase main(base);
    const QRect screen = main.window().screen()->availableGeometry();
    const QRect start = main.window().frameGeometry();
    if (example.mainLeft >= 0) {
      main.window().move(example.mainLeft == 0 ? screen.left() : screen.right() - start.width() + 1,
                         start.top());
    }
    const QRect mainFrame = main.window().frameGeometry();
    clickDriver(main, 0);
    clickButton(main, "btnChecksum");
    ASSERT_EQ(outputWindows(main).size(), 1) << example.where;
    ProgramOutputWindow* window = outputWindows(main).front();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << example.where;
    const QRect frame = window->frameGeometry();

    EXPECT_EQ(window->windowHandle()->transientParent(), nullptr) << example.where;
    EXPECT_TRUE(window->isWindow()) << example.where;
    switch (example.expected) {
      case kRight:
        EXPECT_GT(frame.left(), mainFrame.right()) << example.where;
        break;
      case kLeft:
        EXPECT_LT(frame.right(), mainFrame.left()) << example.where;
        break;
      case kAside:
        for (const char* part : {"lstDrivers", "btnExecutar"}) {
          const auto* widget = main.child<QWidget>(part);
          EXPECT_FALSE(frame.intersects(QRect(widget->mapToGlobal(QPoint()), widget->size())))
              << example.where << " covers " << part;
        }
        break;
    }
    if (example.expected != kAside) {
      EXPECT_EQ(frame.top(), mainFrame.top()) << example.where;
    }
    EXPECT_TRUE(screen.contains(frame)) << example.where;
  }
}

// What the window reads of a tool that writes at full speed until it is told to stop: one burst
// of it, and enough for a window that kept what it read to pass its memory bound.
constexpr qint64 kFloodBurstBytes = qint64(4) << 20;
constexpr qint64 kFloodReadBytes = qint64(48) << 20;
// What the process may grow by while the window reads a flood, far less than it reads.
constexpr qint64 kMemoryBound = qint64(40) << 20;
static_assert(kFloodReadBytes > kMemoryBound, "a window that kept what it read would pass");

// A count from the kernel's account of this process, in bytes.
qint64 ownCount(const QString& file, const QByteArray& key) {
  QFile account(file);
  EXPECT_TRUE(account.open(QIODevice::ReadOnly)) << file.toStdString();
  for (const QByteArray& line : account.readAll().split('\n')) {
    if (line.startsWith(key)) {
      const QByteArray value = line.mid(key.size()).trimmed();
      return value.endsWith(" kB") ? value.chopped(3).toLongLong() << 10 : value.toLongLong();
    }
  }
  ADD_FAILURE() << "no " << key.constData() << " in " << file.toStdString();
  return 0;
}

qint64 residentBytes() {
  return ownCount(QStringLiteral("/proc/self/status"), "VmRSS:");
}

qint64 bytesRead() {
  return ownCount(QStringLiteral("/proc/self/io"), "rchar:");
}

// Runs the event loop as the program does, without pauses, until `done` holds or `timeoutMs`
// has passed.
bool runUntil(const std::function<bool()>& done, int timeoutMs) {
  QEventLoop loop;
  QTimer looking;
  QObject::connect(&looking, &QTimer::timeout, &loop, [&] {
    if (done()) {
      loop.quit();
    }
  });
  looking.start(20);
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

// A tool that writes as fast as it can, many lines or one endless line: the output window holds no
// more than it shows. How fast the main window answers keys meanwhile is a benchmark's
// (bench/key_answer_benchmark).
TEST(ChecksumOutput, FloodOfOutputLeavesMemoryBounded) {
  const struct {
    const char* what;
    QByteArray flood;  // one burst of it
    qint64 readBytes;  // what the window reads before the test looks
    bool memoryMeasured;
  } cases[] = {
      {"many lines", "yes 'Checking alpharoms.zip: 12 % done' | head -c 4194304", kFloodBurstBytes,
       false},
      {"one endless line", "yes 'abcdefghijklmnopqrstuvwxyz' | tr -d '\\n' | head -c 4194304",
       kFloodReadBytes, true},
  };
  for (const auto& example : cases) {
    TempBase base;
    layOut(base, ".");
    const QByteArray stop = base.filePath(QStringLiteral("stop")).toUtf8();
    writeProgram(base, QStringLiteral("tools/checksum.exe"),
                 "until [ -e '" + stop + "' ]; do " + example.flood + "; done\n");
    WindowOnBase main(base);
    clickDriver(main, 0);
    const qint64 memoryBefore = residentBytes();
    const qint64 readBefore = bytesRead();
    qint64 memoryMost = memoryBefore;
    const auto noteMemory = [&] { memoryMost = std::max(memoryMost, residentBytes()); };

    clickButton(main, "btnChecksum");
    ASSERT_EQ(outputWindows(main).size(), 1) << example.what;
    const ProgramOutputWindow* window = outputWindows(main).front();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shownOutput(window).isEmpty(); }, kWaitMs))
        << example.what;
    EXPECT_TRUE(runUntil(
        [&] {
          noteMemory();
          return bytesRead() - readBefore >= example.readBytes;
        },
        kWaitMs * 6))
        << example.what << ": read " << bytesRead() - readBefore << " bytes";
    ASSERT_FALSE(hasEnded(window)) << example.what;
    if (example.memoryMeasured) {
      EXPECT_LT(memoryMost - memoryBefore, kMemoryBound) << example.what;
    }
    EXPECT_LE(shownOutput(window).size(), OutputLines::kMaxShownBytes) << example.what;
    base.write(QStringLiteral("stop"), "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return hasEnded(window); }, kWaitMs)) << example.what;
  }
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
    QStringList expected = {text("tessik.exe terminou logo ao iniciar, com código de saída 1. O "
                                 "que escreveu por último:"),
                            {}};
    for (int i = 3; i <= 12; ++i) {
      expected.append(QStringLiteral("%1 line %2").arg(QLatin1String(run)).arg(i));
    }
    expected << QString() << text("Tudo está em ") + log;
    EXPECT_EQ(failures.texts().front().split(QLatin1Char('\n')), expected) << run.constData();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watchingForAnEarlyEnd(main); }, kWaitMs))
        << run.constData();
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
  const struct {
    QByteArray body;
    bool late;        // ends only once the early window has passed
    const char* box;  // nullptr: none; "$" stands for the log
  } cases[] = {
      {"echo 'Loading alpha...'\nexit 0\n", false, nullptr},
      {"echo 'ROM not found: alpha.zip' >&2\nexit 3\n", false,
       "tessik.exe terminou logo ao iniciar, com código de saída 3. O que escreveu por último:\n\n"
       "ROM not found: alpha.zip\n\nTudo está em $"},
      {"kill -KILL $$\n", false,
       "tessik.exe terminou logo ao iniciar, com sinal 9 (Killed), sem escrever nada.\n\n"
       "Tudo está em $"},
      {"echo 'Loading alpha...'\n" + waitForFileLine("go") + "exit 3\n", true, nullptr},
  };
  for (const auto& example : cases) {
    QFile::remove(base.filePath(QStringLiteral("go")));
    WindowOnBase main(base, example.late ? std::chrono::milliseconds(500) : kEarlyEndWindow);
    clickDriver(main, 0);
    writeProgram(base, QStringLiteral("tessik.exe"), example.body);
    clickButton(main, "btnExecutar");
    if (example.late) {
      ASSERT_TRUE(QTest::qWaitFor([&] { return !watchingForAnEarlyEnd(main); }, kWaitMs));
      base.write(QStringLiteral("go"), "");
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return contentOf(log).contains("\nEnded"); }, kWaitMs))
        << example.body.constData();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watchingForAnEarlyEnd(main); }, kWaitMs))
        << example.body.constData();
    if (example.box == nullptr) {
      EXPECT_TRUE(failures.texts().isEmpty()) << example.body.constData();
    } else {
      EXPECT_EQ(failures.texts(), QStringList{text(example.box).replace(QLatin1Char('$'), log)})
          << example.body.constData();
    }
    failures.clear();
  }
}

// An emulator that floods its output before it fails: the box's last lines are whole lines and
// end with the error, however far the window was behind (it reads nothing until the run is
// over). The flood is a parameter: a little more than the report channel holds.
TEST(PlayOutput, EarlyFailureAfterAFloodShowsTheWholeLastLines) {
  constexpr int kFloodLines = (2 << 20) / 40;
  const QByteArray floodLine = "init: loading tile of bank 3, chunk 7";
  const QByteArray error = "ERROR: ROM not found: g1.zip";
  TempBase base;
  layOut(base, ".");
  const QString log = base.filePath(QStringLiteral("tessik-output.log"));
  writeProgram(base, QStringLiteral("tessik.exe"),
               "yes '" + floodLine + "' | head -n " + QByteArray::number(kFloodLines) + "\necho '" +
                   error + "' >&2\nexit 1\n");
  LaunchFailureLog failures;
  WindowOnBase main(base);
  clickDriver(main, 0);
  clickButton(main, "btnExecutar");
  ASSERT_TRUE(pollUntil([&] { return contentOf(log).contains("\nEnded"); }, kWaitMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !failures.texts().isEmpty(); }, kWaitMs));
  QStringList lines = failures.texts().front().split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), 13);
  lines = lines.mid(2, lines.size() - 4);
  EXPECT_EQ(lines, QStringList(9, QString::fromLatin1(floodLine)) << QString::fromLatin1(error));
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
            text("A saída está em %1, pois %2 não pode ser substituído: Is a directory")
                .arg(log, base.filePath(QStringLiteral("tessik-output.log"))));
  EXPECT_TRUE(failures.texts().back().endsWith(text("Tudo está em ") + log));
  EXPECT_TRUE(logBody(base.read(logs.front())).startsWith("only line 1\n"));
}

// Without a log directory that takes files, both programs start as before and nothing is shown.
// A Log folder that cannot take the logs leaves them to the cache folder, named where the output
// is shown; only when that cannot take them either does the output go unseen.
TEST(LaunchOutput, LogsTheLogFolderCannotTakeGoToTheCache) {
  const struct {
    const char* logDir;
    const char* cacheDir;  // in the base; "" when it cannot be used
  } cases[] = {
      {".\\missing", "cache"},
      {"C:\\TESSIK\\LOGS", "cache"},
      {".\\drivers\\alpha.drv", "cache"},
      {"", "cache"},
      {".\\missing", ""},
  };
  for (const auto& example : cases) {
    const std::string name = std::string(example.logDir) + " " + example.cacheDir;
    TempBase base;
    layOut(base, example.logDir);
    const QString cache = *example.cacheDir != '\0'
                              ? base.filePath(text(example.cacheDir))
                              : base.filePath(QStringLiteral("drivers/beta.drv/cache"));
    const EnvironmentOverride cacheHome("XDG_CACHE_HOME", QFile::encodeName(cache));
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return contentOf(record) == "play\n"; }, kWaitMs)) << name;
    clickButton(main, "btnChecksum");
    ASSERT_TRUE(QTest::qWaitFor([&] { return contentOf(record) == "play\nchecksum\n"; }, kWaitMs))
        << name;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watchingForAnEarlyEnd(main); }, kWaitMs)) << name;
    EXPECT_TRUE(boxes.texts().isEmpty()) << name;

    if (*example.cacheDir == '\0') {
      EXPECT_TRUE(outputWindows(main).isEmpty()) << name;
      EXPECT_TRUE(failures.texts().isEmpty()) << name;
      QDirIterator files(base.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
      while (files.hasNext()) {
        EXPECT_FALSE(files.next().contains(QStringLiteral(".log")))
            << files.filePath().toStdString();
      }
      continue;
    }
    const QString logs = cache + QStringLiteral("/vorlane/logs/");
    ASSERT_EQ(failures.texts().size(), 1) << name;
    EXPECT_TRUE(failures.texts().front().endsWith(text("ROM not found\n\nTudo está em ") + logs +
                                                  QStringLiteral("tessik-output.log")))
        << failures.texts().front().toStdString();
    EXPECT_EQ(logBody(contentOf(logs + QStringLiteral("tessik-output.log"))), "ROM not found\n");
    ASSERT_EQ(outputWindows(main).size(), 1) << name;
    const ProgramOutputWindow* window = outputWindows(main).front();
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblLog"))->text(),
              text("Tudo está em ") + logs + QStringLiteral("checksum-alpha.log"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return hasEnded(window); }, kWaitMs)) << name;
    EXPECT_EQ(logBody(contentOf(logs + QStringLiteral("checksum-alpha.log"))), "CRC OK\n");
  }
}

}  // namespace
}  // namespace vorlane::test
