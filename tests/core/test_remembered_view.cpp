#include "core/start/RememberedView.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include "core/start/RememberedBase.h"
#include "core/text/NativeText.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

QString confPath(const TempBase& config) {
  return config.filePath(QStringLiteral("vorlane/vorlane.conf"));
}

TEST(RememberedView, EachValueComesBackAsItWasLeft) {
  TempBase config;
  const RememberedView remembered(confPath(config));
  EXPECT_EQ(remembered.view(), ViewSettings());
  QByteArray everyByte;
  for (int i = 0; i < 256; ++i) {
    everyByte += char(i);
  }
  const ViewSettings views[] = {
      {everyByte, true, false, true, ListOrder::ByGameName, false},
      {"\x01\xD9\xD0\xCB", false, true, false, ListOrder::ByFileName, true},
      {},
  };
  for (const ViewSettings& view : views) {
    remembered.rememberView(view);
    EXPECT_EQ(remembered.view(), view);
  }

  const struct {
    const char* base;
    const char* driver;
  } plays[] = {
      {"/home/me/tessik", "pacman.drv"},
      // Any bytes of a path, a key's own separators among them, name a directory of its own.
      {"/jogos/caf\xE9 = [x]; #1", "caf\xE9.DRV"},
      {"/a%2Fb", "percent.drv"},
      {"/a/b", "slash.drv"},
      {"/line\nbreak\t", " blank ends .drv"},
      {"[General]", "=\"quoted\";.drv"},
  };
  for (const auto& play : plays) {
    remembered.rememberLastPlayed(decodeNative(play.base), play.driver);
  }
  for (const auto& play : plays) {
    EXPECT_EQ(remembered.lastPlayed(decodeNative(play.base)), QByteArray(play.driver)) << play.base;
  }
  EXPECT_EQ(remembered.lastPlayed(QStringLiteral("/never/played")), QByteArray());
}

// A file this program would not have written reads as nothing remembered, and writing replaces
// it. What every remembered file refuses to read (no regular file, too large, binary) is the
// remembered base's test.
TEST(RememberedView, AFileThisProgramDidNotWriteReadsAsNothingRemembered) {
  const struct {
    const char* name;
    QByteArray contents;                  // written unless null
    void (*layOut)(const QString& path);  // then, when set
  } cases[] = {
      // A link that leads to no file is replaced, as by every rewrite.
      {"link loop",
       {},
       [](const QString& path) {
         const QString other = path + QStringLiteral(".loop");
         ASSERT_TRUE(QFile::link(path, other) && QFile::link(other, path));
       }},
      {"values it would not write",
       "[Window]\nGeometry=not base64!\nMaximised=yes\nFullScreen=1\n"
       "[Drivers]\nListOrder=Random\nKeepPictureShape=\nOnlyWithRomArchive=on\n"
       "[LastPlayed]\n/games=../up.drv\n/g=sub/dir.drv\n/h=..\n/i=\n",
       nullptr},
      {"sections it would not write",
       "[window]\nMaximised=true\n[Drivers\nListOrder=GameName\n[]\n/games=p.drv\n", nullptr},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    TempBase config;
    const QString path = config.filePath(QStringLiteral("vorlane.conf"));
    if (!example.contents.isNull()) {
      config.write(QStringLiteral("vorlane.conf"), example.contents);
    }
    if (example.layOut != nullptr) {
      example.layOut(path);
    }
    const RememberedView remembered(path);
    EXPECT_EQ(remembered.view(), ViewSettings());
    EXPECT_EQ(remembered.lastPlayed(QStringLiteral("/games")), QByteArray());
    const ViewSettings maximised{{}, true};
    remembered.rememberView(maximised);
    EXPECT_EQ(remembered.view(), maximised);
  }
}

TEST(RememberedView, WritingOneValueKeepsTheOthers) {
  TempBase config;
  const QString path =
      config.write(QStringLiteral("vorlane.conf"),
                   "[General]\nBaseDirectory=/games/tessik\n\n[Later]\nNewer%20Key=kept ;note\n");
  const RememberedBase base(path);
  const RememberedView remembered(path);
  const ViewSettings view{"geometry", false, true, true, ListOrder::ByGameName, true};
  remembered.rememberLastPlayed(QStringLiteral("/games/tessik"), "pacman.drv");
  remembered.rememberView(view);
  base.remember(QStringLiteral("/other"));
  remembered.rememberLastPlayed(QStringLiteral("/other"), "galaga.drv");
  remembered.rememberLastPlayed(QStringLiteral("/games/tessik"), "dkong.drv");

  EXPECT_EQ(base.directory(), QStringLiteral("/other"));
  EXPECT_EQ(remembered.view(), view);
  EXPECT_EQ(remembered.lastPlayed(QStringLiteral("/games/tessik")), QByteArray("dkong.drv"));
  EXPECT_EQ(remembered.lastPlayed(QStringLiteral("/other")), QByteArray("galaga.drv"));
  // One file, in the format Qt's settings read.
  const QSettings qt(path, QSettings::IniFormat);
  EXPECT_EQ(qt.value(QStringLiteral("Later/Newer Key")), QStringLiteral("kept"));
  EXPECT_EQ(qt.value(QStringLiteral("BaseDirectory")), QStringLiteral("/other"));
  EXPECT_EQ(qt.value(QStringLiteral("Drivers/ListOrder")), QStringLiteral("GameName"));
  EXPECT_TRUE(qt.value(QStringLiteral("Window/FullScreen")).toBool());
}

// The file never outgrows what is read back, however many directories were played in, however
// long their names.
TEST(RememberedView, TheLeastRecentlyPlayedDirectoriesAreForgottenFirst) {
  TempBase config;
  const QString path = confPath(config);
  const RememberedView remembered(path);
  const auto base = [](int number) { return QStringLiteral("/base/%1").arg(number); };
  const int played = int(RememberedView::kMostBaseDirectories) + 3;
  for (int number = 0; number < played; ++number) {
    remembered.rememberLastPlayed(base(number), "game.drv");
    // Played again now and then, the first stays.
    if (number % 8 == 7) {
      remembered.rememberLastPlayed(base(0), "first.drv");
    }
  }
  EXPECT_EQ(remembered.lastPlayed(base(0)), QByteArray("first.drv"));
  for (int number = 1; number < played; ++number) {
    EXPECT_EQ(remembered.lastPlayed(base(number)).isEmpty(), number <= 3) << number;
  }

  const auto longBase = [](int number) {
    return decodeNative(QByteArray(4000, '\xE9') + QByteArray::number(number));
  };
  for (int number = 0; number < 24; ++number) {
    remembered.rememberLastPlayed(longBase(number), "long.drv");
  }
  EXPECT_LE(QFileInfo(path).size(), RememberedFile::kSizeLimit);
  EXPECT_EQ(remembered.lastPlayed(longBase(23)), QByteArray("long.drv"));
  EXPECT_EQ(remembered.lastPlayed(longBase(0)), QByteArray());
}

}  // namespace
}  // namespace vorlane::test
