#include "core/process/OutputLog.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/process/LogLines.h"
#include "support/ChildProcess.h"
#include "support/EnvironmentOverride.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

QStringList fileNames(const TempBase& base) {
  return QDir(base.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void append(const OutputLog& log, const QByteArray& bytes) {
  ASSERT_EQ(::write(log.descriptor(), bytes.constData(), static_cast<size_t>(bytes.size())),
            bytes.size());
}

// A run's log as a started program's watcher writes it: its first line, then the output.
QByteArray runLog(const QByteArray& output) {
  return messages::logHeader("\"tool\"", "2026-01-01T00:00:00") + output;
}

// A log appears under its name only once its program has started; until then it lies beside the
// logs it would replace, which stay as they were, and goes again if it is not kept.
TEST(OutputLog, TakesItsNameOnlyWhenKept) {
  TempBase base;
  const QString path = base.write(QStringLiteral("tool.log"), "old run\n");
  {
    const std::unique_ptr<OutputLog> log = OutputLog::create(path);
    ASSERT_NE(log, nullptr);
    EXPECT_NE(log->path(), path);
    EXPECT_EQ(base.read(QStringLiteral("tool.log")), "old run\n");
  }
  EXPECT_EQ(fileNames(base), QStringList{QStringLiteral("tool.log")});

  const std::unique_ptr<OutputLog> log = OutputLog::create(path);
  ASSERT_NE(log, nullptr);
  append(*log, "new run\n");
  log->keep();
  EXPECT_EQ(log->path(), path);
  EXPECT_EQ(base.read(QStringLiteral("tool.log")), "new run\n");
  EXPECT_EQ(fileNames(base), QStringList{QStringLiteral("tool.log")});
}

TEST(OutputLog, KeepsThePreviousRunOnce) {
  TempBase base;
  const QString path = base.filePath(QStringLiteral("tessik-output.log"));
  const QString previous = path + QStringLiteral(".1");
  for (const QByteArray run : {"first\n", "second\n", "third\n"}) {
    const std::unique_ptr<OutputLog> log = OutputLog::create(path);
    ASSERT_NE(log, nullptr);
    append(*log, run);
    log->keep(previous);
  }
  EXPECT_EQ(base.read(QStringLiteral("tessik-output.log")), "third\n");
  EXPECT_EQ(base.read(QStringLiteral("tessik-output.log.1")), "second\n");
  EXPECT_EQ(fileNames(base).size(), 2);
}

// A second run of the same tool replaces the file, while the first run's watcher writes on into
// its own.
TEST(OutputLog, EarlierRunWritesOnIntoItsOwnFile) {
  TempBase base;
  const QString path = base.filePath(QStringLiteral("checksum-pacman.log"));
  const std::unique_ptr<OutputLog> first = OutputLog::create(path);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->keep(), std::nullopt);
  const std::unique_ptr<OutputLog> second = OutputLog::create(path);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->keep(), std::nullopt);
  append(*second, "second\n");
  append(*first, "first\n");
  EXPECT_EQ(base.read(QStringLiteral("checksum-pacman.log")), "second\n");
  EXPECT_EQ(fileNames(base), QStringList{QStringLiteral("checksum-pacman.log")});
}

TEST(OutputLog, PermissionsAreWhatTheUmaskAllows) {
  for (const mode_t mask : {022, 077, 002}) {
    TempBase base;
    const ChildOutcome outcome = runInChild({}, [&] {
      ::umask(mask);
      OutputLog::create(base.filePath(QStringLiteral("tool.log")))->keep();
    });
    ASSERT_TRUE(outcome.ranToEnd);
    struct stat status {};
    ASSERT_EQ(::stat(base.filePath(QStringLiteral("tool.log")).toUtf8().constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask) << mask;
  }
}

// When the name is taken (a folder at the log's name, or at the name the log before it goes
// to), each run's log stays under a name of its own, the user is told which, nothing of the
// user's is moved or lost, and only the latest such log is left.
TEST(OutputLog, TakenNameLeavesTheLatestLogUnderItsOwnNameAndSaysWhere) {
  const struct {
    const char* name;
    const char* previous;  // where the log before it goes; nullptr: nowhere
    const char* folder;    // the folder in the way
    const char* olderLog;  // an earlier run's log at `name`, or nullptr
    const char* note;      // after "A saída está em <log>, "; "$" stands for the base
  } cases[] = {
      {"checksum-pacman.log", nullptr, "checksum-pacman.log", nullptr,
       "pois $/checksum-pacman.log não pode ser substituído: Is a directory"},
      {"tessik-output.log", "tessik-output.log.1", "tessik-output.log", nullptr,
       "pois $/tessik-output.log não pode ser substituído: Is a directory"},
      {"tessik-output.log", "tessik-output.log.1", "tessik-output.log.1", "older run\n",
       "pois o log anterior não pode ser movido para $/tessik-output.log.1: Is a directory"},
  };
  for (const auto& example : cases) {
    TempBase base;
    base.write(text(example.folder) + QStringLiteral("/inside"), "the user's\n");
    if (example.olderLog != nullptr) {
      base.write(text(example.name), example.olderLog);
    }
    const QString path = base.filePath(text(example.name));
    const QString previous =
        example.previous != nullptr ? base.filePath(text(example.previous)) : QString();
    QString lastLog;
    for (const QByteArray& run : {runLog("first\n"), runLog("second\n"), runLog("third\n")}) {
      const std::unique_ptr<OutputLog> log = OutputLog::create(path);
      ASSERT_NE(log, nullptr);
      append(*log, run);
      EXPECT_EQ(log->keep(previous), text("A saída está em %1, ").arg(log->path()) +
                                         text(example.note).replace(QLatin1Char('$'), base.path()))
          << example.folder;
      lastLog = QFileInfo(log->path()).fileName();
      EXPECT_EQ(base.read(lastLog), run) << example.folder;
    }
    EXPECT_EQ(base.read(text(example.folder) + QStringLiteral("/inside")), "the user's\n");
    QStringList left = fileNames(base);
    if (example.olderLog != nullptr) {
      EXPECT_TRUE(left.removeOne(text(example.name)));
      EXPECT_EQ(base.read(text(example.name)), example.olderLog);
    }
    EXPECT_EQ(left, QStringList{lastLog}) << example.folder;
  }
}

// Only a log that a run of this program left under a name of its own goes with the next run;
// the user's files beside the log stay, whatever their names and whatever they hold.
TEST(OutputLog, LeavesTheUsersFilesBesideTheLogAlone) {
  const QByteArray userText = "the user's\n";
  const struct {
    const char* name;
    QByteArray content;
  } usersFiles[] = {
      {"tessik-output.log.backup", userText},
      {"tessik-output.log.Before", userText},
      {"tessik-output.log.old001", userText},
      {"tessik-output.log.march9", userText},
      {"tessik-output.log.keepme", runLog("a copy the user kept\n")},
      {"checksum-g1.log.backup", runLog("a copy the user kept\n")},
      {"tessik-output.log.vorlane-aside-Ab12cd", userText},
      {"tessik-output.log.vorlane-aside-Ab12cd7", runLog("not a name the program gives\n")},
  };
  TempBase base;
  base.write(QStringLiteral("tessik-output.log.vorlane-aside-Xy34zw"), runLog("left aside\n"));
  for (const auto& file : usersFiles) {
    base.write(text(file.name), file.content);
  }
  for (const char* name : {"tessik-output.log", "checksum-g1.log"}) {
    const std::unique_ptr<OutputLog> log = OutputLog::create(base.filePath(text(name)));
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->keep(), std::nullopt);
  }
  EXPECT_FALSE(
      QFile::exists(base.filePath(QStringLiteral("tessik-output.log.vorlane-aside-Xy34zw"))));
  for (const auto& file : usersFiles) {
    EXPECT_EQ(base.read(text(file.name)), file.content) << file.name;
  }
}

// In a shared folder (sticky, like /tmp) another user's file at the log's name cannot be
// replaced: the log keeps its own name, says so, and the next run's log replaces it.
TEST(OutputLog, AnotherUsersFileAtTheNameIsLeftAlone) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs root to make another user's file";
  }
  TempBase base;
  const QString shared = base.makeDir(QStringLiteral("shared"));
  ASSERT_EQ(::chmod(base.path().toUtf8().constData(), 0755), 0);
  ASSERT_EQ(::chmod(shared.toUtf8().constData(), 01777), 0);
  const QString path = base.write(QStringLiteral("shared/checksum-pacman.log"), "root's\n");
  ChildSetup ordinaryUser;
  ordinaryUser.asOrdinaryUser = true;
  const ChildOutcome outcome = runInChild(ordinaryUser, [&] {
    QStringList notes;
    for (int run = 0; run < 2; ++run) {
      const std::unique_ptr<OutputLog> log = OutputLog::create(path);
      append(*log, runLog("run\n"));
      notes.append(log->keep()
                       .value_or(QStringLiteral("kept"))
                       .replace(log->path(), QStringLiteral("<log>")));
    }
    throw Error(notes.join(QLatin1Char('|')));
  });
  ASSERT_TRUE(outcome.ranToEnd);
  const QString note = text("A saída está em <log>, pois ") + path +
                       text(" não pode ser substituído: Operation not permitted");
  EXPECT_EQ(outcome.error, note + QLatin1Char('|') + note);
  EXPECT_EQ(base.read(QStringLiteral("shared/checksum-pacman.log")), "root's\n");
  EXPECT_EQ(QDir(shared).entryList(QDir::Files).size(), 2) << "the name, and the latest log";
}

TEST(OutputLog, NoneWhereTheFolderCannotTakeIt) {
  TempBase base;
  base.write(QStringLiteral("plain"), "a file, not a folder");
  EXPECT_EQ(OutputLog::create(base.filePath(QStringLiteral("missing/tool.log"))), nullptr);
  EXPECT_EQ(OutputLog::create(base.filePath(QStringLiteral("plain/tool.log"))), nullptr);

  // Root writes everywhere, so the folders are tried as an ordinary user.
  QFile::setPermissions(base.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadOther | QFile::ExeOther);
  const QString readOnly = base.makeDir(QStringLiteral("read-only"));
  const QString open = base.makeDir(QStringLiteral("open"));
  QFile::setPermissions(open, QFile::permissions(open) | QFile::WriteOther | QFile::ExeOther);
  ChildSetup ordinaryUser;
  ordinaryUser.asOrdinaryUser = true;
  const ChildOutcome outcome = runInChild(ordinaryUser, [&] {
    const bool inReadOnly = OutputLog::create(readOnly + QStringLiteral("/tool.log")) != nullptr;
    const bool inOpen = OutputLog::create(open + QStringLiteral("/tool.log")) != nullptr;
    throw Error(QStringLiteral("read-only %1, open %2").arg(inReadOnly).arg(inOpen));
  });
  ASSERT_TRUE(outcome.ranToEnd);
  EXPECT_EQ(outcome.error, QStringLiteral("read-only 0, open 1"));
}

}  // namespace
}  // namespace vorlane::test
