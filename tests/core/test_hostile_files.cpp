// Files that are not what they claim to be: nothing may hang, eat memory or lose a byte of the
// user's files. What a full disk does to a rewrite is the atomic replace's (test_file_access).
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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
