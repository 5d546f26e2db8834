#include <gtest/gtest.h>

#include "core/errors/Error.h"
#include "core/launch/LaunchParameters.h"
#include "core/text/NativeText.h"
#include "support/ErrorOf.h"
#include "support/NativeFiles.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::strings;
using test::TempBase;
using test::text;

// The option text is split by the Windows rules; the file name is always one argument more.
TEST(LaunchParameters, PlaySplitsTheOptionTextAndAddsTheFileNameWhole) {
  const struct {
    const char* options;
    const char* fileName;
    QStringList arguments;
  } cases[] = {
      {"-400x300VESA2 -frameskip 4", "pacman.drv",
       strings({"-400x300VESA2", "-frameskip", "4", "pacman.drv"})},
      {"", "pacman.drv", strings({"pacman.drv"})},
      {"-sound", "pebble picnic.drv", strings({"-sound", "pebble picnic.drv"})},
      {"-sound", " two\tblanks .drv", strings({"-sound", " two\tblanks .drv"})},
      {"-sound", "h\"q\".drv", strings({"-sound", "hq.drv"})},
      {"\"a b\" c\\\\\"d e\"", "x.drv", strings({"a b", "c\\d e", "x.drv"})},
      // An open quote or a trailing backslash in the line cannot take the name in.
      {"-x \"open", "my game.drv", strings({"-x", "open", "my game.drv"})},
      {"C:\\dir\\", "a.drv", strings({"C:\\dir\\", "a.drv"})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(playArguments(text(c.options), text(c.fileName)), c.arguments)
        << c.options << " + " << c.fileName;
  }
}

TEST(LaunchParameters, ProgramsLieUnderTheBaseDirectory) {
  EXPECT_EQ(emulatorProgram(QStringLiteral("/games/tessik")),
            QStringLiteral("/games/tessik/tessik.exe"));
  EXPECT_EQ(checksumProgram(QStringLiteral("/games/tessik")),
            QStringLiteral("/games/tessik/tools/checksum.exe"));
}

// The archive path is one argument, blanks and all: the ROM directory resolved against the base,
// and the archive named as the driver file on disk says (the path rule itself is RomArchive's).
TEST(LaunchParameters, ChecksumReadsTheDriversArchiveAndResolvesTheRomDirectory) {
  const TempBase base;
  const QString withKey =
      base.write(QStringLiteral("my emu/drivers/pacman.drv"),
                 QByteArrayLiteral("GAMENAME     Pac-Man\r\nDIRECTORY    pacman\r\n"));
  const QString latin1Key = base.write(QStringLiteral("my emu/drivers/cafe.drv"),
                                       QByteArrayLiteral("DIRECTORY    caf\xE9\r\n"));
  const QString nativeName = decodeNative(encodeNative(base.path()) + "/my emu/drivers/g\xE9.drv");
  test::writeNativeFile(encodeNative(nativeName), "GAMENAME     G\r\n");
  const QString dirBase = base.filePath(QStringLiteral("my emu"));
  const QByteArray nativeBase = encodeNative(dirBase);

  struct Case {
    QString romDirText;
    QString driverPath;
    QString fileName;
    QByteArray expected;
  };
  const Case cases[] = {
      {QStringLiteral(".\\roms\\"), withKey, QStringLiteral("pacman.drv"),
       nativeBase + "/roms/pacman.zip"},
      {QStringLiteral("/mnt/roms/"), latin1Key, QStringLiteral("cafe.drv"),
       "/mnt/roms/caf\xC3\xA9.zip"},
      {QStringLiteral("/mnt/roms/"), nativeName, decodeNative("g\xE9.drv"),
       "/mnt/roms/g\xE9.drv.zip"},
  };
  for (const Case& c : cases) {
    const QStringList arguments =
        checksumArguments(dirBase, c.romDirText, c.driverPath, c.fileName);
    ASSERT_EQ(arguments.size(), 1) << c.romDirText.toStdString();
    EXPECT_EQ(encodeNative(arguments.front()), c.expected)
        << c.romDirText.toStdString() << " " << c.fileName.toStdString();
  }
}

TEST(LaunchParameters, ChecksumFailsOnADriverFileThatIsGone) {
  const TempBase base;
  const QString gone = base.filePath(QStringLiteral("drivers/gone.drv"));
  EXPECT_EQ(test::errorOf([&] {
              checksumArguments(base.path(), QStringLiteral("."), gone, QStringLiteral("gone.drv"));
            }),
            QStringLiteral("Cannot open file ") + gone);
}

}  // namespace
}  // namespace vorlane
