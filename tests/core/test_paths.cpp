#include <QFile>

#include <gtest/gtest.h>

#include "core/catalogue/DriverScan.h"
#include "core/files/Paths.h"
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

}  // namespace
}  // namespace vorlane::test
