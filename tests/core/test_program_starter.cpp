#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <memory>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/launch/CommandLineSplitter.h"
#include "core/process/OutputLog.h"
#include "core/process/ProgramStarter.h"
#include "core/text/NativeText.h"
#include "support/CoreEventLoop.h"
#include "support/EnvironmentOverride.h"
#include "support/NativeFiles.h"
#include "support/StandInProgram.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;
using test::text;
using test::waitForEnd;
using test::writeNativeFile;

const auto* const kEventLoop = ::testing::AddGlobalTestEnvironment(new test::CoreEventLoop);

// The working directory and the arguments of the stand-in's one run; empty when it never ran.
QStringList waitForRun(const QString& log) {
  const QList<test::ProgramRun> runs = test::waitForRuns(log, 1);
  return runs.isEmpty() ? QStringList()
                        : QStringList{runs.front().workingDirectory} + runs.front().arguments;
}

// True when this process has no child at all, finished or not.
bool hasNoChildProcess() {
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

QString canonical(const QString& path) {
  return QFileInfo(path).canonicalFilePath();
}

TEST(StartProgram, PassesEachArgumentAndTheWorkingDirectory) {
  const TempBase base;
  const QString log = base.filePath(QStringLiteral("log"));
  const QString program = test::writeRecordingProgram(base, QStringLiteral("tessik.exe"), log);
  const QString workDir = base.makeDir(QStringLiteral("work dir"));

  const QStringList arguments =
      splitCommandLine(QStringLiteral("-400x300VESA2 -frameskip 4 my game.drv"));
  EXPECT_EQ(startProgram(program, arguments, workDir).failure, std::nullopt);

  const QStringList expected = {canonical(workDir),           QStringLiteral("-400x300VESA2"),
                                QStringLiteral("-frameskip"), QStringLiteral("4"),
                                QStringLiteral("my"),         QStringLiteral("game.drv")};
  EXPECT_EQ(waitForRun(log), expected);
  EXPECT_TRUE(hasNoChildProcess());
}

TEST(StartProgram, HandsShellCharactersOverAsText) {
  const TempBase base;
  const QString log = base.filePath(QStringLiteral("log"));
  const QString program = test::writeRecordingProgram(base, QStringLiteral("tessik.exe"), log);
  const QStringList arguments = {QStringLiteral("$(touch pwned)"),
                                 QStringLiteral("`touch pwned`"),
                                 QStringLiteral("a;touch pwned"),
                                 QStringLiteral("b|touch pwned"),
                                 QStringLiteral("c&touch pwned"),
                                 QStringLiteral("*"),
                                 QStringLiteral("?"),
                                 QStringLiteral("\"quoted\" 'single' $HOME")};

  EXPECT_EQ(startProgram(program, arguments, base.path()).failure, std::nullopt);

  EXPECT_EQ(waitForRun(log), QStringList{canonical(base.path())} + arguments);
  EXPECT_FALSE(QFileInfo::exists(base.filePath(QStringLiteral("pwned"))));
}

// Names whose bytes are not UTF-8 (the program's folder, the working directory, an argument)
// reach the system exactly.
TEST(StartProgram, PassesTheBytesOfNamesThatAreNotUtf8) {
  const TempBase base;
  const QString log = base.filePath(QStringLiteral("log"));
  const test::NativeDirectory created(encodeNative(base.path()) + "/caf\xE9 \x93q\x94");
  const QByteArray& folder = created.path();
  writeNativeFile(folder + "/tessik.exe", test::shellScript(test::recordingBody(log)), 0755);
  const QString workDir = decodeNative(folder);

  const QStringList arguments = {decodeNative("caf\xE9.drv"), text("jos\u00E9.drv")};
  EXPECT_EQ(startProgram(workDir + QStringLiteral("/tessik.exe"), arguments, workDir).failure,
            std::nullopt);

  const QStringList logged = waitForRun(log);
  ASSERT_EQ(logged.size(), 3);
  EXPECT_EQ(encodeNative(logged[0]), encodeNative(canonical(base.path())) + "/caf\xE9 \x93q\x94");
  EXPECT_EQ(encodeNative(logged[1]), "caf\xE9.drv");
  EXPECT_EQ(encodeNative(logged[2]), "jos\xC3\xA9.drv");
}

TEST(StartProgram, ReportsWhyAProgramCannotStartInPlainWords) {
  const TempBase base;
  const QString notExecutable =
      base.write(QStringLiteral("plain.exe"), QByteArrayLiteral("#!/bin/sh\nexit 0\n"));
  QFile::setPermissions(notExecutable, QFile::ReadOwner | QFile::WriteOwner);
  const QString badInterpreter =
      base.write(QStringLiteral("broken.exe"), QByteArrayLiteral("#!/nonexistent/shell\n"));
  QFile::setPermissions(badInterpreter, QFile::ReadOwner | QFile::ExeOwner);
  const QString noFormat =
      base.write(QStringLiteral("garbage.exe"), QByteArrayLiteral("\x01\x02 no program here\n"));
  QFile::setPermissions(noFormat, QFile::ReadOwner | QFile::ExeOwner);
  const QString loop = base.filePath(QStringLiteral("loop.exe"));
  QFile::link(base.filePath(QStringLiteral("loop2.exe")), loop);
  QFile::link(loop, base.filePath(QStringLiteral("loop2.exe")));
  // A FIFO or a device would block the start.
  const QString fifo = base.filePath(QStringLiteral("fifo.exe"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
  const QString device = base.filePath(QStringLiteral("device.exe"));
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));

  struct Case {
    QString program;
    const char* reason;
  };
  const Case cases[] = {
      {base.filePath(QStringLiteral("missing.exe")), "No such file or directory"},
      {notExecutable, "Permission denied"},
      {base.makeDir(QStringLiteral("tools")), "Is a directory"},
      {badInterpreter, "No such file or directory"},
      {noFormat, "Exec format error"},
      {loop, "Too many levels of symbolic links"},
      {fifo, "Permission denied"},
      {device, "Permission denied"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(startProgram(c.program, {QStringLiteral("x")}, base.path()).failure,
              text("Não é possível iniciar ") + c.program + QStringLiteral(": ") + text(c.reason));
  }
  EXPECT_TRUE(hasNoChildProcess());
}

TEST(StartProgram, StartsAWindowsProgramThroughWine) {
  const TempBase base;
  const QString log = base.filePath(QStringLiteral("log"));
  // Not executable, as a file copied from Windows usually is not.
  const QString program =
      base.write(QStringLiteral("tessik.exe"), QByteArrayLiteral("MZ\x90\x00\x03\x00\x00\x00"));
  const QString searchDir = base.makeDir(QStringLiteral("bin"));
  {
    const test::EnvironmentOverride path("PATH", searchDir.toLocal8Bit());
    const std::optional<QString> failure =
        startProgram(program, {QStringLiteral("pacman.drv")}, base.path()).failure;
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->contains(QStringLiteral("programa do Windows"))) << failure->toStdString();
    EXPECT_TRUE(failure->contains(QStringLiteral("wine"))) << failure->toStdString();
    EXPECT_TRUE(failure->contains(program)) << failure->toStdString();
  }

  test::writeRecordingProgram(base, QStringLiteral("bin/wine"), log);
  {
    const test::EnvironmentOverride path("PATH", searchDir.toLocal8Bit());
    EXPECT_EQ(startProgram(program, {QStringLiteral("my game.drv")}, base.path()).failure,
              std::nullopt);
  }
  const QStringList expected = {canonical(base.path()), program, QStringLiteral("my game.drv")};
  EXPECT_EQ(waitForRun(log), expected);
}

// The program's output is fed as it writes it; the end is told only when the program itself
// ends, not when the process that started it does, and only after all the output.
TEST(StartProgram, FeedsTheOutputAndTellsTheEnd) {
  const TempBase base;
  const QString go = base.filePath(QStringLiteral("go"));
  const QString program =
      test::writeProgram(base, QStringLiteral("tool.exe"),
                         "echo \"out $1\"\necho err >&2\n" + test::waitForFileLine(go.toUtf8()) +
                             "echo last\nexit 3\n");
  const std::unique_ptr<OutputLog> log =
      OutputLog::create(base.filePath(QStringLiteral("tool.log")));
  ASSERT_NE(log, nullptr);

  ProgramStart start =
      startProgram(program, {QStringLiteral("a b")}, base.path(), log.get(), kWholeLiveOutput);
  ASSERT_EQ(start.failure, std::nullopt);
  ASSERT_NE(start.report, nullptr);
  QByteArray output;
  QObject::connect(start.report.get(), &ProgramReport::output,
                   [&](const QByteArray& bytes) { output += bytes; });
  const QByteArray expected = "out a b\nerr\n";
  for (const QDeadlineTimer deadline(10000);
       output.size() < expected.size() && !deadline.hasExpired();) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  EXPECT_EQ(output, expected);
  // A program started after it, that ends at once, has its end told first: by then an end
  // told of the process that started the waiting program would have come too.
  const QString quick = test::writeProgram(base, QStringLiteral("quick.exe"), "exit 0\n");
  ProgramStart quickStart = startProgram(quick, {}, base.path());
  ASSERT_NE(quickStart.report, nullptr);
  EXPECT_TRUE(waitForEnd(*quickStart.report, 10000));
  EXPECT_FALSE(start.report->hasEnded()) << "the program is still waiting";

  QFile(go).open(QIODevice::WriteOnly);
  EXPECT_TRUE(waitForEnd(*start.report, 10000));
  EXPECT_EQ(output, expected + "last\n");
  EXPECT_EQ(start.report->end(), ProgramEnd::exited(3));
  EXPECT_TRUE(hasNoChildProcess());
}

TEST(StartProgram, ProgramThatCannotStartHasNoEndToTell) {
  const TempBase base;
  const std::unique_ptr<OutputLog> log =
      OutputLog::create(base.filePath(QStringLiteral("tool.log")));
  ASSERT_NE(log, nullptr);
  const QString garbage =
      base.write(QStringLiteral("garbage.exe"), QByteArrayLiteral("\x01\x02 no program\n"));
  QFile::setPermissions(garbage, QFile::ReadOwner | QFile::ExeOwner);

  const ProgramStart start = startProgram(garbage, {}, base.path(), log.get());
  EXPECT_NE(start.failure, std::nullopt);
  EXPECT_EQ(start.report, nullptr);
  QFile file(log->path());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().isEmpty());
  EXPECT_TRUE(hasNoChildProcess());
}

}  // namespace
}  // namespace vorlane
