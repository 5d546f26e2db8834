// Files that are not what they claim to be, and disks that fill up: nothing may hang, eat
// memory or lose a byte of the user's files.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "core/catalogue/DriverScan.h"
#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/files/FileAccess.h"
#include "core/files/Paths.h"
#include "core/formats/FlatFile.h"
#include "core/process/ProgramStarter.h"
#include "core/settings/ProfileFile.h"
#include "support/ChildProcess.h"
#include "support/ErrorOf.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::errorOf;
using test::TempBase;

QString makeFifo(const TempBase& base, const QString& name) {
  const QString path = base.filePath(name);
  EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0) << std::strerror(errno);
  return path;
}

QString linkTo(const TempBase& base, const QString& name, const QString& target) {
  const QString path = base.filePath(name);
  EXPECT_TRUE(QFile::link(target, path));
  return path;
}

// Every name in the directory, hidden ones included: a temporary file left behind shows here.
QStringList entriesOf(const QString& directory) {
  return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                   QDir::Name);
}

TEST(HostileFiles, OnlyRegularFilesWithinTheCapAreRead) {
  TempBase base;
  // Its key in the first line: read in blocks or whole, a file over the cap is refused alike.
  const QString oversize = base.filePath(QStringLiteral("sparse.ini"));
  ASSERT_EQ(
      ::truncate(QFile::encodeName(base.write(QStringLiteral("sparse.ini"), "Romdir       x\n"))
                     .constData(),
                 kTextFileLimit + 1),
      0);
  const QString atLimit = base.write(QStringLiteral("small.ini"), "Romdir       x\n");
  ASSERT_EQ(::truncate(QFile::encodeName(atLimit).constData(), kTextFileLimit), 0);
  const QString paths[] = {
      makeFifo(base, QStringLiteral("fifo.ini")),
      linkTo(base, QStringLiteral("zero.ini"), QStringLiteral("/dev/zero")),
      linkTo(base, QStringLiteral("random.ini"), QStringLiteral("/dev/urandom")),
      linkTo(base, QStringLiteral("fifo-link.ini"), base.filePath(QStringLiteral("fifo.ini"))),
      oversize,
  };
  for (const QString& path : paths) {
    EXPECT_EQ(errorOf([&] { readWholeFile(path); }), messages::cannotOpenFile(path));
    EXPECT_EQ(errorOf([&] { readFoundFlatValues(path, {"Romdir"}); }),
              messages::cannotOpenFile(path));
    EXPECT_EQ(errorOf([&] { writeFlatValue(path, "Romdir", "."); }),
              messages::cannotOpenFile(path));
    EXPECT_EQ(ProfileFile(path).sectionNames(), QList<QByteArray>{}) << path.toStdString();
    EXPECT_EQ(errorOf([&] { ProfileFile(path).writeBool("s", "k", true); }),
              messages::unableToWriteTo(path));
  }
  // A file exactly at the cap is still an ordinary file.
  EXPECT_EQ(readFoundFlatValues(atLimit, {"Romdir"}).front().value_or("."), "x");
}

TEST(HostileFiles, DriversThatAreNoRegularFilesAreNotListed) {
  TempBase base;
  base.write(QStringLiteral("alpha.drv"), "GAMENAME Alpha\n");
  linkTo(base, QStringLiteral("zero.drv"), QStringLiteral("/dev/zero"));
  makeFifo(base, QStringLiteral("pipe.drv"));
  linkTo(base, QStringLiteral("good-link.drv"), base.filePath(QStringLiteral("alpha.drv")));
  const DriverScanResult scan = scanDrivers(base.path(), QString(), {}, QLocale::c());
  ASSERT_EQ(scan.drivers.size(), 2);
  EXPECT_EQ(scan.drivers[0].file, QStringLiteral("alpha.drv"));
  EXPECT_EQ(scan.drivers[1].file, QStringLiteral("good-link.drv"));
}

TEST(HostileFiles, ProgramsThatAreNoRegularFilesAreRefusedWithoutBlocking) {
  TempBase base;
  const QString fifo = makeFifo(base, QStringLiteral("tessik.exe"));
  const QString device = linkTo(base, QStringLiteral("checksum.exe"), QStringLiteral("/dev/zero"));
  for (const QString& program : {fifo, device}) {
    EXPECT_EQ(startProgram(program, {}, base.path()).failure,
              test::text("Não é possível iniciar %1: Permission denied").arg(program));
  }
}

TEST(HostileFiles, RewritesRefuseWhatIsNoRegularFile) {
  TempBase base;
  const QString fifo = makeFifo(base, QStringLiteral("driver.drv"));
  EXPECT_EQ(errorOf([&] { replaceFileAtomically(fifo, "text"); }),
            messages::cannotCreateFile(fifo));
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// A small tmpfs mounted for one test, so a full disk is a real one.
class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_base.path()).constData(), "tmpfs", 0,
                        "size=256k") == 0;
    if (!m_mounted) {
      GTEST_SKIP() << "a tmpfs cannot be mounted here (" << std::strerror(errno)
                   << "; needs root); the file-size limit tests still cover failed writes";
    }
  }
  void TearDown() override {
    if (m_mounted) {
      ::umount2(QFile::encodeName(m_base.path()).constData(), MNT_DETACH);
    }
  }

  // Takes every free block, so the next write of even one byte fails.
  void fill() const {
    const int descriptor =
        ::open(QFile::encodeName(m_base.filePath(QStringLiteral("filler"))).constData(),
               O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(descriptor, 0);
    const QByteArray block(4096, 'f');
    while (::write(descriptor, block.constData(), block.size()) > 0) {
    }
    ::close(descriptor);
  }

  TempBase m_base;
  bool m_mounted = false;
};

TEST_F(FullDisk, EveryRewriteKeepsTheOldFileWholeAndSaysSo) {
  struct RewriteCase {
    const char* name;
    std::function<QString(const QString&)> expectedMessage;  // given the file's path
    std::function<void(const QString&)> rewrite;
  };
  const QByteArray newValue(512, 'n');
  const RewriteCase rewrites[] = {
      {"flat file", [](const QString&) { return messages::streamWriteError(); },
       [&](const QString& path) { writeFlatValue(path, "Romdir", newValue); }},
      {"profile file", &messages::unableToWriteTo,
       [&](const QString& path) { ProfileFile(path).writeString("s", "Romdir", newValue); }},
      {"driver save", [](const QString&) { return messages::streamWriteError(); },
       [&](const QString& path) { replaceFileAtomically(path, readWholeFile(path) + newValue); }},
  };
  const QByteArray small = "[s]\r\nRomdir       old\r\n";
  const QByteArray large = small + QByteArray(100 * 1024, 'L') + "\r\n";
  m_base.write(QStringLiteral("small.ini"), small);
  m_base.write(QStringLiteral("large.ini"), large);
  fill();
  const QStringList before = entriesOf(m_base.path());

  for (const RewriteCase& rewrite : rewrites) {
    for (const auto& [name, bytes] : {std::pair{QStringLiteral("small.ini"), small},
                                      std::pair{QStringLiteral("large.ini"), large}}) {
      const QString path = m_base.filePath(name);
      EXPECT_EQ(errorOf([&] { rewrite.rewrite(path); }), rewrite.expectedMessage(path))
          << rewrite.name << ", " << name.toStdString();
      EXPECT_EQ(m_base.read(name), bytes) << rewrite.name << ", " << name.toStdString();
      EXPECT_EQ(entriesOf(m_base.path()), before) << rewrite.name;
    }
  }

  // Once there is room again, the same rewrite goes through.
  ASSERT_TRUE(QFile::remove(m_base.filePath(QStringLiteral("filler"))));
  writeFlatValue(m_base.filePath(QStringLiteral("small.ini")), "Romdir", "new");
  EXPECT_EQ(m_base.read(QStringLiteral("small.ini")), QByteArray("[s]\r\nRomdir       new\r\n"));
}

TEST(BaseDirectory, APathBeyondTheSystemLimitIsRefusedNotReplaced) {
  TempBase base;
  const test::ChildOutcome outcome = test::runInChild({}, [&] {
    // Deeper than any full path the system accepts, reached one relative step at a time.
    const QByteArray step(200, 'd');
    if (::chdir(QFile::encodeName(base.path()).constData()) != 0) {
      return;
    }
    int depth = 0;
    while (depth < 25 && ::mkdir(step.constData(), 0755) == 0 && ::chdir(step.constData()) == 0) {
      ++depth;
    }
    // Climbs back out removing each step: a path this long is beyond the temporary
    // directory's own clean-up.
    const auto removeSteps = [&] {
      for (; depth > 0 && ::chdir("..") == 0; --depth) {
        ::rmdir(step.constData());
      }
    };
    try {
      currentDirectory();
    } catch (const Error&) {
      removeSteps();
      throw;
    }
    removeSteps();
  });
  ASSERT_TRUE(outcome.ranToEnd);
  EXPECT_EQ(outcome.error, messages::cannotUseCurrentDirectory(ENAMETOOLONG));
}

}  // namespace
}  // namespace vorlane
