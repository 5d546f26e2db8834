#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/launch/ProgramLogs.h"
#include "core/process/LogLines.h"
#include "core/process/OutputLog.h"
#include "support/ChildProcess.h"
#include "support/EnvironmentOverride.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

TEST(ProgramLogs, NamesSayWhoseLogItIs) {
  EXPECT_EQ(emulatorLogPath(QStringLiteral("/logs")), QStringLiteral("/logs/tessik-output.log"));
  EXPECT_EQ(previousEmulatorLogPath(QStringLiteral("/logs")),
            QStringLiteral("/logs/tessik-output.log.1"));
  const struct {
    const char* driver;
    const char* log;
  } cases[] = {
      {"pacman.drv", "/logs/checksum-pacman.log"},
      {"Galaga.DRV", "/logs/checksum-Galaga.log"},
      {"my game.v2.drv", "/logs/checksum-my game.v2.log"},
      {"noextension", "/logs/checksum-noextension.log"},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(checksumLogPath(QStringLiteral("/logs"), text(example.driver)), text(example.log))
        << example.driver;
  }
}

TEST(ProgramLogs, LastLinesDropTheTrailingBreaks) {
  const struct {
    const char* output;
    int count;
    const char* last;
  } cases[] = {
      {"", 3, ""},
      {"\n\r\n", 3, ""},
      {"one", 3, "one"},
      {"one\ntwo\nthree\nfour\n", 2, "three\nfour"},
      {"one\r\ntwo\r\n\r\n", 5, "one\ntwo"},
      {"one\n\ntwo\n", 2, "\ntwo"},
      {"ROM not found: a.zip\n", 10, "ROM not found: a.zip"},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(lastLines(example.output, example.count), QByteArray(example.last)) << example.output;
  }
}

int modeOf(const QString& path) {
  struct stat status {};
  return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : -1;
}

// A Log folder that cannot take the log leaves it to the user's cache folder, whose missing
// folders only this user may enter; with no cache folder to use either, there is no log.
TEST(ProgramLogs, LogGoesToTheCacheWhenTheLogFolderCannotTakeIt) {
  const struct {
    const char* logDir;    // in the base; "-" for an empty Log folder
    const char* cacheDir;  // XDG_CACHE_HOME in the base, "-" unset (HOME is the base's "home")
    const char* logIn;     // the folder the log was made in, in the base; "" for no log
  } cases[] = {
      {"logs", "cache", "logs"},
      {"missing", "cache", "cache/vorlane/logs"},
      {"afile", "cache", "cache/vorlane/logs"},
      {"afile/logs", "cache", "cache/vorlane/logs"},
      {"-", "cache", "cache/vorlane/logs"},
      {"missing", "-", "home/.cache/vorlane/logs"},
      {"missing", "afile/cache", ""},
  };
  for (const auto& example : cases) {
    TempBase base;
    base.makeDir(QStringLiteral("logs"));
    base.makeDir(QStringLiteral("home"));
    base.write(QStringLiteral("afile"), "not a folder\n");
    const QByteArray cacheDir = QFile::encodeName(base.filePath(text(example.cacheDir)));
    const EnvironmentOverride cache("XDG_CACHE_HOME",
                                    example.cacheDir == std::string("-") ? QByteArray() : cacheDir);
    const EnvironmentOverride home("HOME",
                                   QFile::encodeName(base.filePath(QStringLiteral("home"))));
    const QString logDir =
        example.logDir == std::string("-") ? QString() : base.filePath(text(example.logDir));

    const ProgramLog log = createProgramLog(logDir, emulatorLogPath);
    if (*example.logIn == '\0') {
      EXPECT_EQ(log.file, nullptr) << example.logDir << " " << example.cacheDir;
      continue;
    }
    const QString folder = base.filePath(text(example.logIn));
    ASSERT_NE(log.file, nullptr) << example.logDir << " " << example.cacheDir;
    EXPECT_EQ(log.directory, folder);
    EXPECT_EQ(QFileInfo(log.file->path()).path(), folder);
    if (folder.endsWith(QStringLiteral("vorlane/logs"))) {
      EXPECT_EQ(modeOf(folder), 0700) << example.logIn;
      EXPECT_EQ(modeOf(QFileInfo(folder).path()), 0700) << example.logIn;
    }
  }
}

}  // namespace
}  // namespace vorlane::test
