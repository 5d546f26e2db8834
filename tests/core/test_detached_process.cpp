#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <memory>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "core/process/DetachedProcess.h"
#include "core/process/OutputLog.h"
#include "core/process/ProgramStarter.h"
#include "core/process/ReportRecord.h"
#include "support/ChildProcess.h"
#include "support/CoreEventLoop.h"
#include "support/Polling.h"
#include "support/StandInProgram.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

const auto* const kEventLoop = ::testing::AddGlobalTestEnvironment(new CoreEventLoop);
constexpr int kWaitMs = 20000;
constexpr qint64 kMiB = qint64(1) << 20;

// The program is a command line for sh -c, so that no script file holds a descriptor open.
ProgramStart startShell(const QString& command, const TempBase& base, const OutputLog* log,
                        LiveOutput live = kNoLiveOutput) {
  return startProgram(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command}, base.path(), log,
                      live);
}

// Waits for a file the program writes when it gets there, until it ends with `ending`; its
// content, trimmed.
QByteArray waitForFile(const QString& path, const QByteArray& ending = "\n") {
  for (const QDeadlineTimer deadline(kWaitMs); !deadline.hasExpired(); turnEventLoop(kPollMs)) {
    const QByteArray content = contentOf(path);
    if (content.endsWith(ending)) {
      return content.trimmed();
    }
  }
  return {};
}

// The figure of one "Name:   123 kB" line of /proc/<pid>/status, in kB.
qint64 statusKb(const QByteArray& pid, const char* name) {
  for (const QByteArray& line :
       contentOf(QStringLiteral("/proc/%1/status").arg(QString::fromLatin1(pid))).split('\n')) {
    if (line.startsWith(name)) {
      return line.mid(qstrlen(name)).trimmed().split(' ').front().toLongLong();
    }
  }
  return -1;
}

TEST(DetachedProcess, LogStartsWithTheCommandAndEndsWithHowTheProgramEnded) {
  const struct {
    const char* command;
    ProgramEnd end;
    const char* body;
    const char* last;
  } cases[] = {
      {"echo one; echo two", ProgramEnd::exited(0), "one\ntwo\n", "Ended with exit code 0"},
      {"printf 'no line break'; exit 3", ProgramEnd::exited(3), "no line break\n",
       "Ended with exit code 3"},
      {"echo bye >&2; kill -KILL $$", ProgramEnd::killed(SIGKILL), "bye\n",
       "Ended, killed by signal 9 (Killed)"},
      {"kill -TERM $$", ProgramEnd::killed(SIGTERM), "", "Ended, killed by signal 15 (Terminated)"},
  };
  for (const auto& example : cases) {
    const TempBase base;
    const QString pidFile = base.filePath(QStringLiteral("pid"));
    const QString command =
        QStringLiteral("echo $$ > '%1'; %2").arg(pidFile, text(example.command));
    const std::unique_ptr<OutputLog> log =
        OutputLog::create(base.filePath(QStringLiteral("tool.log")));
    ASSERT_NE(log, nullptr);
    ProgramStart start = startShell(command, base, log.get());
    ASSERT_NE(start.report, nullptr) << example.command;
    ASSERT_TRUE(waitForEnd(*start.report, kWaitMs)) << example.command;
    EXPECT_EQ(start.report->end(), example.end) << example.command;

    const QByteArray content = contentOf(log->path());
    const qsizetype headerEnd = content.indexOf('\n') + 1;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Started \"/bin/sh\" \"-c\" \"%1\" at "
                                                  "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")
                                       .arg(QRegularExpression::escape(command)))
                    .match(QString::fromUtf8(content.left(headerEnd)))
                    .hasMatch())
        << content.left(headerEnd).constData();
    EXPECT_EQ(content.mid(headerEnd), QByteArray(example.body) + example.last + '\n');
    // The watcher reaped the program before it told the end.
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/") +
                                   QString::fromLatin1(contentOf(pidFile).trimmed())))
        << example.command;
  }
}

// The log's first line shows each argument as the program receives it, in double quotes so that
// blanks and empty arguments show; only a quote, and the backslashes before one, are escaped.
TEST(DetachedProcess, LogHeaderQuotesEachArgument) {
  const TempBase base;
  const struct {
    const char* argument;
    const char* shown;
  } cases[] = {
      {"my game.drv", "\"my game.drv\""},     {"", "\"\""},
      {"C:\\TESSIK\\x", "\"C:\\TESSIK\\x\""}, {"\\\\server\\roms", "\"\\\\server\\roms\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},   {"C:\\", "\"C:\\\\\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},
  };
  for (const auto& example : cases) {
    const std::unique_ptr<OutputLog> log =
        OutputLog::create(base.filePath(QStringLiteral("tool.log")));
    ASSERT_NE(log, nullptr);
    ProgramStart start = startProgram(
        QStringLiteral("/bin/true"), {QString::fromUtf8(example.argument)}, base.path(), log.get());
    ASSERT_NE(start.report, nullptr);
    ASSERT_TRUE(waitForEnd(*start.report, kWaitMs));
    EXPECT_TRUE(contentOf(log->path())
                    .startsWith(QByteArray("Started \"/bin/true\" ") + example.shown + " at "))
        << example.argument << " shown as " << contentOf(log->path()).constData();
  }
}

// 200 MiB of output: the log stays at its cap with its first and last parts and one line for
// what was left out; every byte is either fed or counted as skipped; neither this process nor
// the watcher holds more memory for it.
TEST(DetachedProcess, FloodKeepsTheLogAtItsCapAndTheMemoryBounded) {
  const TempBase base;
  const QString watcherFile = base.filePath(QStringLiteral("watcher"));
  const QString go = base.filePath(QStringLiteral("go"));
  const QString done = base.filePath(QStringLiteral("done"));
  const QString flooded = base.filePath(QStringLiteral("flooded"));
  constexpr qint64 kFlood = 200 * kMiB;
  // The waits give up after their deadline, so a failed test leaves no script behind. One line,
  // so the log's header stays one line.
  const auto waitFor = [](const QString& file) {
    return QString::fromUtf8(waitForFileLine(file.toUtf8()).trimmed()) + QStringLiteral("; ");
  };
  const QString command = QStringLiteral("echo $PPID > '%1'; ").arg(watcherFile) + waitFor(go) +
                          QStringLiteral(
                              "echo FIRST; head -c %2 /dev/zero | tr '\\000' x; echo; echo LAST; "
                              "echo flooded > '%1'; ")
                              .arg(flooded)
                              .arg(kFlood) +
                          waitFor(done);
  const std::unique_ptr<OutputLog> log =
      OutputLog::create(base.filePath(QStringLiteral("flood.log")));
  ASSERT_NE(log, nullptr);
  ProgramStart start = startShell(command, base, log.get(), kWholeLiveOutput);
  ASSERT_NE(start.report, nullptr);
  qint64 fed = 0;
  qint64 skipped = 0;
  const QByteArray self = QByteArray::number(::getpid());
  qint64 ownPeakKb = 0;
  QObject::connect(start.report.get(), &ProgramReport::output, [&](const QByteArray& bytes) {
    if ((fed + bytes.size()) / (8 * kMiB) != fed / (8 * kMiB)) {
      ownPeakKb = std::max(ownPeakKb, statusKb(self, "VmRSS:"));
    }
    fed += bytes.size();
  });
  QObject::connect(start.report.get(), &ProgramReport::skipped,
                   [&](qint64 count) { skipped += count; });

  const QByteArray watcher = waitForFile(watcherFile);
  ASSERT_FALSE(watcher.isEmpty());
  const qint64 watcherBeforeKb = statusKb(watcher, "VmRSS:");
  const qint64 ownBeforeKb = statusKb(self, "VmRSS:");
  QFile(go).open(QIODevice::WriteOnly);
  ASSERT_EQ(waitForFile(flooded), "flooded");
  const qint64 watcherPeakKb = statusKb(watcher, "VmHWM:");
  QFile(done).open(QIODevice::WriteOnly);
  ASSERT_TRUE(waitForEnd(*start.report, kWaitMs));

  const qint64 output = 6 + kFlood + 1 + 5;
  EXPECT_EQ(fed + skipped, output);
  EXPECT_LT(watcherPeakKb - watcherBeforeKb, 32 << 10) << "the watcher keeps 8 MiB";
  EXPECT_LT(ownPeakKb - ownBeforeKb, 64 << 10);

  const QByteArray content = contentOf(log->path());
  const qsizetype headerEnd = content.indexOf('\n') + 1;
  const qint64 leftOut = headerEnd + output - 16 * kMiB;
  const QByteArray marker = "\n[... " + QByteArray::number(leftOut) + " bytes left out ...]\n";
  EXPECT_EQ(content.mid(headerEnd, 7), "FIRST\nx");
  EXPECT_EQ(content.indexOf(marker), 8 * kMiB);
  EXPECT_EQ(content.count("left out"), 1);
  EXPECT_TRUE(content.endsWith("xxx\nLAST\nEnded with exit code 0\n"));
  EXPECT_EQ(content.size(), 16 * kMiB + marker.size() + qstrlen("Ended with exit code 0\n"));
}

// The watcher goes by a name of its own, so that ending Vorlane by its name leaves it be; when
// it is ended all the same, its end is not the program's: that comes when the program ends.
TEST(DetachedProcess, HasANameOfItsOwnAndItsEndIsNotTheProgramsEnd) {
  const TempBase base;
  const QString watcherFile = base.filePath(QStringLiteral("watcher"));
  const QString go = base.filePath(QStringLiteral("go"));
  const std::unique_ptr<OutputLog> log =
      OutputLog::create(base.filePath(QStringLiteral("tool.log")));
  ASSERT_NE(log, nullptr);
  ProgramStart start = startShell(QStringLiteral("echo $PPID > '%1'; ").arg(watcherFile) +
                                      QString::fromUtf8(waitForFileLine(go.toUtf8()).trimmed()) +
                                      QStringLiteral("; exit 5"),
                                  base, log.get());
  ASSERT_NE(start.report, nullptr);
  const QByteArray watcher = waitForFile(watcherFile);
  ASSERT_FALSE(watcher.isEmpty());
  const QString process = QStringLiteral("/proc/") + QString::fromLatin1(watcher);
  EXPECT_EQ(contentOf(process + QStringLiteral("/comm")), "vorlane-relay\n");
  EXPECT_EQ(contentOf(process + QStringLiteral("/cmdline")).split('\0').front(), "vorlane-relay");

  ASSERT_EQ(::kill(watcher.toInt(), SIGKILL), 0);
  const QString watcherStatus = process + QStringLiteral("/stat");
  ASSERT_TRUE(pollUntil(
      [&] {
        const QByteArray status = contentOf(watcherStatus);
        return status.isEmpty() || status.contains(") Z ");
      },
      kWaitMs));
  // The watcher of a program started now tells its end; the loss of the first watcher, which
  // came before, has been read by then.
  ProgramStart quick = startShell(QStringLiteral("exit 0"), base, nullptr);
  ASSERT_NE(quick.report, nullptr);
  ASSERT_TRUE(waitForEnd(*quick.report, kWaitMs));
  EXPECT_FALSE(start.report->hasEnded()) << "the program still runs";

  QFile(go).open(QIODevice::WriteOnly);
  ASSERT_TRUE(waitForEnd(*start.report, kWaitMs));
  EXPECT_EQ(start.report->end(), ProgramEnd{});
}

// A Vorlane started with SIGINT and SIGQUIT ignored, SIGUSR1 blocked and a stray descriptor 10
// passes none of it on.
TEST(DetachedProcess, ProgramInheritsNoSignalStateAndNoStrayDescriptor) {
  const TempBase base;
  const QString seen = base.filePath(QStringLiteral("seen"));
  const QString command =
      QStringLiteral(
          "exec > '%1'; cd /proc/$$/fd && echo fds *; "
          "while read -r line; do case $line in SigBlk*|SigIgn*) echo \"$line\";; esac; "
          "done < /proc/$$/status; echo end")
          .arg(seen);
  const ChildOutcome outcome = runInChild({}, [&] {
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGQUIT, SIG_IGN);
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    sigprocmask(SIG_BLOCK, &blocked, nullptr);
    if (::dup2(::open("/dev/null", O_RDONLY), 10) != 10) {
      throw Error(QStringLiteral("no descriptor 10"));
    }
    if (const std::optional<QString> failure = startShell(command, base, nullptr).failure) {
      throw Error(*failure);
    }
  });
  ASSERT_TRUE(outcome.ranToEnd);
  EXPECT_EQ(outcome.error, std::nullopt);
  // 3 is the folder the shell reads to list the descriptors.
  EXPECT_EQ(waitForFile(seen, "end\n"),
            "fds 0 1 2 3\nSigBlk:\t0000000000000000\nSigIgn:\t0000000000000000\nend");
}

// The watcher's first word, from a process of the test's own in its place: one stopped before it
// says anything leaves the start unreported once the deadline has passed, rather than holding
// the caller for as long as it stays stopped.
TEST(DetachedProcess, WaitsForTheWatchersWordOnlyUntilTheDeadline) {
  using report::RecordHeader;
  constexpr int kDeadlineMs = 200;
  const struct {
    const char* watcher;
    std::function<void(int channel)> act;
    int errorNumber;
    bool unreported;
    bool started;
  } cases[] = {
      {"stopped", [](int) { ::raise(SIGSTOP); }, 0, true, false},
      {"gone silently", [](int) {}, EIO, false, false},
      {"refused",
       [](int channel) { report::writeRecord(channel, RecordHeader::kStartError, ENOENT); }, ENOENT,
       false, false},
      {"started",
       [](int channel) {
         report::writeRecord(channel, RecordHeader::kStarted, 1);
         ::raise(SIGSTOP);
       },
       0, false, true},
  };
  for (const auto& example : cases) {
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t watcher = ::fork();
    if (watcher == 0) {
      ::close(channel[0]);
      example.act(channel[1]);
      ::_exit(0);
    }
    ::close(channel[1]);
    const DetachedStart start = readStartReport(channel[0], kDeadlineMs);
    EXPECT_EQ(start.errorNumber, example.errorNumber) << example.watcher;
    EXPECT_EQ(start.unreported, example.unreported) << example.watcher;
    EXPECT_EQ(start.reportDescriptor >= 0, example.started) << example.watcher;
    for (const int descriptor : {start.reportDescriptor, start.programDescriptor}) {
      if (descriptor >= 0) {
        ::close(descriptor);
      }
    }
    ::kill(watcher, SIGKILL);
    ::waitpid(watcher, nullptr, 0);
  }
}

}  // namespace
}  // namespace vorlane::test
