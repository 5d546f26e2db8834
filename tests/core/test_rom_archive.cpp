#include <gtest/gtest.h>

#include "core/catalogue/RomArchive.h"

namespace vorlane {
namespace {

TEST(RomArchive, PathLiesInsideTheRomDirectory) {
  struct Case {
    const char* romDirectory;
    const char* expected;
  };
  const Case cases[] = {
      {"/base", "/base/pacman.zip"},          {"/base/roms/", "/base/roms/pacman.zip"},
      {"C:\\roms\\", "C:\\roms\\pacman.zip"}, {"", "pacman.zip"},
      {"/mnt/\"q\"", "/mnt/q/pacman.zip"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(
        archivePath(QString::fromUtf8(c.romDirectory), QStringLiteral("pacman")).toStdString(),
        c.expected)
        << c.romDirectory;
  }
}

// The name comes from DIRECTORY as text, else from the driver file's own bytes.
TEST(RomArchive, NameFromTheDirectoryValueOrTheDriverFile) {
  EXPECT_EQ(archiveFileName(QByteArray("caf\xE9"), "cafe.drv"), QByteArray("caf\xC3\xA9"));
  EXPECT_EQ(archiveFileName(std::nullopt, "g\xE9.drv"), QByteArray("g\xE9.drv"));
  EXPECT_EQ(archiveFileInDirectory("\"al\"pha"), "alpha.zip");
}

}  // namespace
}  // namespace vorlane
