#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "../support/TempBase.h"
#include "core/platform/CommandLineSplitter.h"
#include "core/platform/ProgramStarter.h"

namespace vorlane {
namespace {

using test::TempBase;

const QByteArray kEndOfRun = QByteArrayLiteral("<end>\n");

// A stand-in program: appends its working directory, each argument on its own line and an end
// mark to `log`. Uses shell built-ins only, so it runs with any PATH.
QString writeStandIn(const TempBase& base, const QString& name, const QString& log) {
  const QString path = base.write(
      name, QByteArrayLiteral("#!/bin/sh\n{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; "
                              "done; printf '<end>\\n'; } >> '") +
                log.toUtf8() + QByteArrayLiteral("'\n"));
  QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
  return path;
}

// The lines the stand-in logged, once it has finished; empty when it never did.
QStringList waitForRun(const QString& log) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    QFile file(log);
    if (file.open(QIODevice::ReadOnly)) {
      const QByteArray bytes = file.readAll();
      if (bytes.endsWith(kEndOfRun)) {
        return QString::fromUtf8(bytes.chopped(kEndOfRun.size()))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return {};
}

// True when this process has no child at all, finished or not.
bool hasNoChildProcess() {
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

QString canonical(const QString& path) {
  return QFileInfo(path).canonicalFilePath();
}

// Sets PATH for the test's look-ups and restores it afterwards.
class PathOverride {
 public:
  explicit PathOverride(const QString& path) : m_saved(qgetenv("PATH")) {
    qputenv("PATH", path.toLocal8Bit());
  }
  ~PathOverride() { qputenv("PATH", m_saved); }
  PathOverride(const PathOverride&) = delete;
  PathOverride& operator=(const PathOverride&) = delete;

 private:
  QByteArray m_saved;
};

TEST(StartProgram, PassesEachArgumentAndTheWorkingDirectory) {
  const TempBase base;
  const QString log = base.filePath(QStringLiteral("log"));
  const QString program = writeStandIn(base, QStringLiteral("tessik.exe"), log);
  const QString workDir = base.makeDir(QStringLiteral("work dir"));

  const QStringList arguments =
      splitCommandLine(QStringLiteral("-400x300VESA2 -frameskip 4 my game.drv"));
  EXPECT_EQ(startProgram(program, arguments, workDir), std::nullopt);

  const QStringList expected = {canonical(workDir),           QStringLiteral("-400x300VESA2"),
                                QStringLiteral("-frameskip"), QStringLiteral("4"),
                                QStringLiteral("my"),         QStringLiteral("game.drv")};
  EXPECT_EQ(waitForRun(log), expected);
  EXPECT_TRUE(hasNoChildProcess());
}

TEST(StartProgram, HandsShellCharactersOverAsText) {
  const TempBase base;
  const QString log = base.filePath(QStringLiteral("log"));
  const QString program = writeStandIn(base, QStringLiteral("tessik.exe"), log);
  const QStringList arguments = {QStringLiteral("$(touch pwned)"),
                                 QStringLiteral("`touch pwned`"),
                                 QStringLiteral("a;touch pwned"),
                                 QStringLiteral("b|touch pwned"),
                                 QStringLiteral("c&touch pwned"),
                                 QStringLiteral("*"),
                                 QStringLiteral("?"),
                                 QStringLiteral("\"quoted\" 'single' $HOME")};

  EXPECT_EQ(startProgram(program, arguments, base.path()), std::nullopt);

  EXPECT_EQ(waitForRun(log), QStringList{canonical(base.path())} + arguments);
  EXPECT_FALSE(QFileInfo::exists(base.filePath(QStringLiteral("pwned"))));
}

TEST(StartProgram, ReportsWhyAProgramCannotStart) {
  const TempBase base;
  const QString notExecutable =
      base.write(QStringLiteral("plain.exe"), QByteArrayLiteral("#!/bin/sh\nexit 0\n"));
  QFile::setPermissions(notExecutable, QFile::ReadOwner | QFile::WriteOwner);
  const QString badInterpreter =
      base.write(QStringLiteral("broken.exe"), QByteArrayLiteral("#!/nonexistent/shell\n"));
  QFile::setPermissions(badInterpreter, QFile::ReadOwner | QFile::ExeOwner);

  struct Case {
    QString program;
    QString reason;
  };
  const Case cases[] = {
      {base.filePath(QStringLiteral("missing.exe")), QStringLiteral("No such file or directory")},
      {notExecutable, QStringLiteral("Permission denied")},
      {base.makeDir(QStringLiteral("tools")), QStringLiteral("Is a directory")},
      {badInterpreter, QStringLiteral("No such file or directory")},
  };
  for (const Case& c : cases) {
    const std::optional<QString> failure =
        startProgram(c.program, {QStringLiteral("x")}, base.path());
    ASSERT_TRUE(failure.has_value()) << c.program.toStdString();
    EXPECT_TRUE(failure->contains(c.program)) << failure->toStdString();
    EXPECT_TRUE(failure->contains(c.reason)) << failure->toStdString();
  }
}

TEST(StartProgram, StartsAWindowsProgramThroughWine) {
  const TempBase base;
  const QString log = base.filePath(QStringLiteral("log"));
  // Not executable, as a file copied from Windows usually is not.
  const QString program =
      base.write(QStringLiteral("tessik.exe"), QByteArrayLiteral("MZ\x90\x00\x03\x00\x00\x00"));
  const QString searchDir = base.makeDir(QStringLiteral("bin"));
  {
    const PathOverride path(searchDir);
    const std::optional<QString> failure =
        startProgram(program, {QStringLiteral("pacman.drv")}, base.path());
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->contains(QStringLiteral("Windows program"))) << failure->toStdString();
    EXPECT_TRUE(failure->contains(QStringLiteral("wine"))) << failure->toStdString();
    EXPECT_TRUE(failure->contains(program)) << failure->toStdString();
  }

  writeStandIn(base, QStringLiteral("bin/wine"), log);
  {
    const PathOverride path(searchDir);
    EXPECT_EQ(startProgram(program, {QStringLiteral("my game.drv")}, base.path()), std::nullopt);
  }
  const QStringList expected = {canonical(base.path()), program, QStringLiteral("my game.drv")};
  EXPECT_EQ(waitForRun(log), expected);
}

}  // namespace
}  // namespace vorlane
