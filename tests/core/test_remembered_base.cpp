#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/platform/Messages.h"
#include "core/start/RememberedBase.h"
#include "support/ErrorOf.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

TEST(RememberedBase, SettingsLiveInTheUsersConfigurationDirectory) {
  TempBase config;
  const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  EXPECT_EQ(RememberedBase::defaultSettingsPath(),
            config.path() + QStringLiteral("/vorlane/vorlane.conf"));
  qputenv("XDG_CONFIG_HOME", previous);
}

TEST(RememberedBase, NothingRememberedReadsEmptyAndWritesNothing) {
  TempBase config;
  const RememberedBase remembered(config.filePath(QStringLiteral("vorlane/vorlane.conf")));
  EXPECT_TRUE(remembered.directory().isEmpty());
  EXPECT_TRUE(remembered.usableDirectory().isEmpty());
  EXPECT_TRUE(QDir(config.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(RememberedBase, KeepsAnyPathAndMakesItsFolder) {
  TempBase config;
  const RememberedBase remembered(config.filePath(QStringLiteral("new/folder/vorlane.conf")));
  for (const char* path : {"/games/tessik", "/home/me/Jogos = \"antigos\"; [ROMs] #1 ",
                           "/home/me/Émulateur/テスト", "relative\\dir"}) {
    remembered.remember(text(path));
    EXPECT_EQ(remembered.directory(), text(path));
  }
}

TEST(RememberedBase, UsableOnlyWhileTheDirectoryHoldsTessikIni) {
  TempBase config;
  TempBase games;
  const RememberedBase remembered(config.filePath(QStringLiteral("vorlane.conf")));
  const struct {
    const char* name;
    void (*layOut)(const TempBase& games, const QString& dir);
    bool usable;
  } cases[] = {
      {"with tessik.ini",
       [](const TempBase& base, const QString& dir) {
         base.write(dir + QStringLiteral("/tessik.ini"), "Romdir .\r\n");
       },
       true},
      {"empty", [](const TempBase& base, const QString& dir) { base.makeDir(dir); }, false},
      {"tessik.ini is a folder",
       [](const TempBase& base, const QString& dir) {
         base.makeDir(dir + QStringLiteral("/tessik.ini"));
       },
       false},
      {"removed", [](const TempBase&, const QString&) {}, false},
  };
  for (const auto& example : cases) {
    const QString dir = QString::fromLatin1(example.name);
    example.layOut(games, dir);
    remembered.remember(games.filePath(dir));
    EXPECT_EQ(remembered.directory(), games.filePath(dir)) << example.name;
    EXPECT_EQ(remembered.usableDirectory(), example.usable ? games.filePath(dir) : QString())
        << example.name;
  }
}

TEST(RememberedBase, ReportsASettingsFileItCannotWrite) {
  TempBase config;
  // A regular file where the settings folder should be: no user, root included, can write there.
  config.write(QStringLiteral("vorlane"), "not a folder");
  const QString path = config.filePath(QStringLiteral("vorlane/vorlane.conf"));
  const RememberedBase remembered(path);
  EXPECT_EQ(errorOf([&] { remembered.remember(QStringLiteral("/games")); }),
            messages::cannotCreateFile(path));
  EXPECT_TRUE(remembered.directory().isEmpty());
}

}  // namespace
}  // namespace vorlane::test
