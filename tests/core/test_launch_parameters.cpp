#include <gtest/gtest.h>

#include "../support/TempBase.h"
#include "core/launch/LaunchParameters.h"
#include "core/platform/Error.h"
#include "support/ErrorOf.h"

namespace vorlane {
namespace {

using test::TempBase;

TEST(LaunchParameters, PlayGivesTheOptionTextABlankAndTheFileName) {
  EXPECT_EQ(
      playParameterText(QStringLiteral("-400x300VESA2 -frameskip 4"), QStringLiteral("pacman.drv")),
      QStringLiteral("-400x300VESA2 -frameskip 4 pacman.drv"));
  // An empty custom line still leaves the blank in front of the name.
  EXPECT_EQ(playParameterText(QString(), QStringLiteral("pacman.drv")),
            QStringLiteral(" pacman.drv"));
}

TEST(LaunchParameters, ProgramsLieUnderTheBaseDirectory) {
  EXPECT_EQ(emulatorProgram(QStringLiteral("/games/tessik")),
            QStringLiteral("/games/tessik/tessik.exe"));
  EXPECT_EQ(checksumProgram(QStringLiteral("/games/tessik")),
            QStringLiteral("/games/tessik/tools/checksum.exe"));
}

TEST(LaunchParameters, ChecksumPutsTheArchiveInsideTheRomDirectory) {
  struct Case {
    const char* romDirectory;
    const char* expected;
  };
  const Case cases[] = {
      {"/base", "/base/pacman.zip"},
      {"/base/roms/", "/base/roms/pacman.zip"},
      {"C:\\roms\\", "C:\\roms\\pacman.zip"},
      {"", "pacman.zip"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(checksumParameterText(QString::fromUtf8(c.romDirectory), QStringLiteral("pacman"))
                  .toStdString(),
              c.expected)
        << c.romDirectory;
  }
}

TEST(LaunchParameters, ChecksumReadsTheDriversArchiveAndResolvesTheRomDirectory) {
  const TempBase base;
  const QString withKey =
      base.write(QStringLiteral("drivers/pacman.drv"),
                 QByteArrayLiteral("GAMENAME     Pac-Man\r\nDIRECTORY    pacman\r\n"));
  const QString withoutKey = base.write(QStringLiteral("drivers/galaga.drv"),
                                        QByteArrayLiteral("GAMENAME     Galaga\r\n"));
  const QString latin1Key =
      base.write(QStringLiteral("drivers/cafe.drv"), QByteArrayLiteral("DIRECTORY    caf\xE9\r\n"));
  const QString dirBase = base.path();

  struct Case {
    QString romDirText;
    QString driverPath;
    QString fileName;
    QString expected;
  };
  const Case cases[] = {
      {QStringLiteral("."), withKey, QStringLiteral("pacman.drv"),
       dirBase + QStringLiteral("/pacman.zip")},
      {QStringLiteral(".\\roms\\"), withKey, QStringLiteral("pacman.drv"),
       dirBase + QStringLiteral("/roms/pacman.zip")},
      {QStringLiteral("/mnt/roms"), withoutKey, QStringLiteral("galaga.drv"),
       QStringLiteral("/mnt/roms/galaga.drv.zip")},
      {QString(), withKey, QStringLiteral("pacman.drv"), QStringLiteral("pacman.zip")},
      {QStringLiteral("/mnt/roms/"), latin1Key, QStringLiteral("cafe.drv"),
       QString::fromUtf8("/mnt/roms/caf\u00E9.zip")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(checksumParameterTextFor(dirBase, c.romDirText, c.driverPath, c.fileName), c.expected)
        << c.romDirText.toStdString() << " " << c.fileName.toStdString();
  }
}

TEST(LaunchParameters, ChecksumFailsOnADriverFileThatIsGone) {
  const TempBase base;
  const QString gone = base.filePath(QStringLiteral("drivers/gone.drv"));
  EXPECT_EQ(test::errorOf([&] {
              checksumParameterTextFor(base.path(), QStringLiteral("."), gone,
                                       QStringLiteral("gone.drv"));
            }),
            QStringLiteral("Cannot open file ") + gone);
}

}  // namespace
}  // namespace vorlane
