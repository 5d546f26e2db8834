#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QFile>

#include <gtest/gtest.h>

#include "core/catalogue/DriverScan.h"
#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/files/Paths.h"
#include "support/ChildProcess.h"
#include "support/EnvironmentOverride.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

// A configuration copied from Windows names drives; wine keeps them as links in its prefix.
TEST(ResolveDirectoryText, DriveLettersGoThroughWinesLinks) {
  const TempBase root;
  const QString base = root.makeDir(QStringLiteral("base"));
  const QString prefix = root.makeDir(QStringLiteral("prefix"));
  root.makeDir(QStringLiteral("prefix/drive_c/roms"));
  root.makeDir(QStringLiteral("prefix/dosdevices"));
  ASSERT_TRUE(QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:")));
  const QString home = root.makeDir(QStringLiteral("home"));
  root.makeDir(QStringLiteral("home/.wine/dosdevices"));
  ASSERT_TRUE(QFile::link(QStringLiteral("/srv"), home + QStringLiteral("/.wine/dosdevices/d:")));
  const QString driveC = prefix + QStringLiteral("/dosdevices/c:");
  const QString driveD = home + QStringLiteral("/.wine/dosdevices/d:");

  const struct {
    QByteArray winePrefix;  // null: not set
    const char* text;
    QString resolved;
  } cases[] = {
      {prefix.toUtf8(), "C:\\roms\\", driveC + QStringLiteral("/roms/")},
      {prefix.toUtf8(), "c:/roms", driveC + QStringLiteral("/roms")},
      {prefix.toUtf8(), "C:", driveC},
      {prefix.toUtf8(), "C:roms", base + QStringLiteral("/C:roms")},
      {prefix.toUtf8(), "D:\\x", base + QStringLiteral("/D:/x")},
      {prefix.toUtf8(), "1:\\x", base + QStringLiteral("/1:/x")},
      {QByteArray(), "D:\\x", driveD + QStringLiteral("/x")},
      {QByteArray(), "C:\\roms", base + QStringLiteral("/C:/roms")},
  };
  const EnvironmentOverride homeDirectory("HOME", home.toUtf8());
  for (const auto& c : cases) {
    const EnvironmentOverride winePrefix("WINEPREFIX", c.winePrefix);
    EXPECT_EQ(resolveDirectoryText(base, text(c.text)), c.resolved)
        << c.text << " with WINEPREFIX " << c.winePrefix.toStdString();
  }
  const EnvironmentOverride winePrefix("WINEPREFIX", prefix.toUtf8());
  EXPECT_EQ(resolveDriverDirectory(base, QStringLiteral("C:\\roms\\")),
            driveC + QStringLiteral("/roms"));
}

TEST(CurrentDirectory, APathBeyondTheSystemLimitIsRefusedNotReplaced) {
  TempBase base;
  const ChildOutcome outcome = runInChild({}, [&] {
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
}  // namespace vorlane::test
