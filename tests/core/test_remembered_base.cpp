#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include "core/errors/ErrorMessages.h"
#include "core/start/RememberedBase.h"
#include "core/text/NativeText.h"
#include "support/ErrorOf.h"
#include "support/FifoWatch.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

TEST(RememberedBase, SettingsLiveInTheUsersConfigurationDirectory) {
  TempBase config;
  const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  EXPECT_EQ(RememberedFile::defaultPath(), config.path() + QStringLiteral("/vorlane/vorlane.conf"));
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
  const QByteArray paths[] = {
      "/games/tessik",
      "/home/me/Jogos = \"antigos\"; [ROMs] #1 ",
      "  /leading, blanks",
      "/home/me/\xC3\x89mulateur/\xE3\x83\x86",
      "relative\\dir",
      "@at/first",
      "/line\nbreak\ttab\r\x01"
      "1f\x7f",
      // Not UTF-8: the bytes come back as they were.
      "/jogos/caf\xE9 \xFF\\\"",
  };
  for (const QByteArray& path : paths) {
    remembered.remember(decodeNative(path));
    EXPECT_EQ(encodeNative(remembered.directory()), path);
  }
}

// Files written by earlier versions (through Qt's INI writer) are read, and Qt reads ours.
TEST(RememberedBase, ReadsAndWritesTheFormatOfQtsIniFiles) {
  TempBase config;
  const QString path = config.filePath(QStringLiteral("vorlane.conf"));
  const RememberedBase remembered(path);
  for (const char* directory :
       {"/games/tessik", "/a;b,c=d", " blank ends ", "@first", "tab\there", "quote\"back\\slash",
        "/\xC3\xA9t\xC3\xA9/\x01"
        "2"}) {
    SCOPED_TRACE(directory);
    {
      QSettings written(path, QSettings::IniFormat);
      written.setValue(QStringLiteral("BaseDirectory"), text(directory));
    }
    EXPECT_EQ(remembered.directory(), text(directory));
    remembered.remember(text(directory));
    EXPECT_EQ(QSettings(path, QSettings::IniFormat).value(QStringLiteral("BaseDirectory")),
              text(directory));
  }
  const struct {
    const char* file;
    const char* directory;
  } handWritten[] = {
      {"[General]\r\nBaseDirectory = /games  ; chosen in May\r\n", "/games"},
      {"\xEF\xBB\xBF[general]\nBaseDirectory=\"/x\\x41\"\n", "/xA"},
      {"BaseDirectory=/before/any/section\n", "/before/any/section"},
      {"[Other]\nBaseDirectory=/elsewhere\n", ""},
      {"[General]\nBaseDirectoryX=/not/the/key\n", ""},
  };
  for (const auto& example : handWritten) {
    config.write(QStringLiteral("vorlane.conf"), example.file);
    EXPECT_EQ(remembered.directory(), text(example.directory)) << example.file;
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

// The null device made anew in the test's folder where the system allows it (as root), so a
// fault that replaced it could harm no real device; a link to the real one otherwise.
QString makeNullDevice(const TempBase& base) {
  const QString path = base.filePath(QStringLiteral("null"));
  if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    EXPECT_TRUE(QFile::link(QStringLiteral("/dev/null"), path));
  }
  return path;
}

mode_t fileTypeOf(const QString& path) {
  struct stat status {};
  return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

TEST(RememberedBase, NoFileButARegularOneIsReadOrReplaced) {
  const struct {
    const char* name;
    void (*layOut)(const TempBase& config, const QString& path);
  } cases[] = {
      {"fifo",
       [](const TempBase&, const QString& path) {
         ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
       }},
      {"link to a device",
       [](const TempBase& config, const QString& path) {
         ASSERT_TRUE(QFile::link(makeNullDevice(config), path));
       }},
      {"folder", [](const TempBase&, const QString& path) { QDir().mkpath(path); }},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    TempBase config;
    const QString path = config.filePath(QStringLiteral("vorlane.conf"));
    example.layOut(config, path);
    const mode_t type = fileTypeOf(path);
    const RememberedBase remembered(path);
    {
      const FifoWatch watch(QFile::encodeName(path), kPipeDeadline);
      EXPECT_TRUE(remembered.directory().isEmpty());
      EXPECT_EQ(errorOf([&] { remembered.remember(QStringLiteral("/games")); }),
                messages::cannotCreateFile(path));
    }
    EXPECT_EQ(fileTypeOf(path), type);
  }
}

// A key as this program writes it, at the start of a file it would not have written.
constexpr char kKeyAtTheStart[] = "[General]\nBaseDirectory=/unread\n";

// What the file holds never stops the choice from being remembered: a file this program could
// not have written reads as nothing and is replaced, and a link to a regular file is written
// through.
TEST(RememberedBase, AnyRegularFileIsReplacedWithoutReadingItWhole) {
  TempBase config;
  const QString path = config.filePath(QStringLiteral("vorlane.conf"));
  const RememberedBase remembered(path);
  QByteArray binary = kKeyAtTheStart;
  for (int i = 0; i < 4096; ++i) {
    binary += char((i * 131) % 256);
  }
  const struct {
    const char* name;
    void (*layOut)(const TempBase& config, const QString& path, const QByteArray& binary);
  } cases[] = {
      {"binary",
       [](const TempBase& base, const QString&, const QByteArray& bytes) {
         base.write(QStringLiteral("vorlane.conf"), bytes);
       }},
      // Its key is one that only a whole read of 300 MB would find.
      {"huge",
       [](const TempBase& base, const QString& file, const QByteArray&) {
         base.write(QStringLiteral("vorlane.conf"), kKeyAtTheStart);
         ASSERT_EQ(::truncate(QFile::encodeName(file).constData(), qint64(300) << 20), 0);
       }},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    QFile::remove(path);
    example.layOut(config, path, binary);
    EXPECT_TRUE(remembered.directory().isEmpty());
    remembered.remember(QStringLiteral("/games"));
    EXPECT_EQ(remembered.directory(), QStringLiteral("/games"));
    EXPECT_LT(QFileInfo(path).size(), 100);
  }

  const QString target = config.write(QStringLiteral("dotfiles/vorlane.conf"), "");
  const QString link = config.filePath(QStringLiteral("linked.conf"));
  ASSERT_TRUE(QFile::link(target, link));
  RememberedBase(link).remember(QStringLiteral("/through/the/link"));
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(RememberedBase(target).directory(), QStringLiteral("/through/the/link"));
}

}  // namespace
}  // namespace vorlane::test
