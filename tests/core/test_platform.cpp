#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/catalogue/DriverScan.h"
#include "core/errors/Error.h"
#include "core/files/FileAccess.h"
#include "core/errors/ErrorMessages.h"
#include "core/text/NativeText.h"
#include "core/files/Paths.h"
#include "core/text/TextCodec.h"
#include "support/EnvironmentOverride.h"
#include "support/ErrorOf.h"
#include "support/NativeFiles.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersAboveTheFullStop) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"Cannot open file /a/tessik.ini", "Cannot open file /a/tessik.ini."},
      {"JPEG error #53", "JPEG error #53."},
      {"Done.", "Done."},
      {"Really!", "Really!"},
      {"(quoted)", "(quoted)"},
      {"ends in a slash/", "ends in a slash/."},
      {"ends in a dash -", "ends in a dash -"},
      {"", ""},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(messages::errorBoxText(text(example.message)), text(example.shown));
  }
}

TEST(ReadWholeFile, FailsWithTheOpenMessageForMissingFilesAndDirectories) {
  TempBase base;
  const QString missing = base.filePath(QStringLiteral("missing.ini"));
  const QString directory = base.makeDir(QStringLiteral("folder.ini"));
  EXPECT_EQ(errorOf([&] { readWholeFile(missing); }), messages::cannotOpenFile(missing));
  EXPECT_EQ(errorOf([&] { readWholeFile(directory); }), messages::cannotOpenFile(directory));
  const QString present = base.write(QStringLiteral("a.ini"), QByteArray("a\0b", 3));
  EXPECT_EQ(readWholeFile(present), QByteArray("a\0b", 3));
}

TEST(ReplaceFileAtomically, ReplacesContentAndKeepsPermissions) {
  TempBase base;
  const QString path = base.write(QStringLiteral("tessik.ini"), "old");
  const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
  ASSERT_TRUE(QFile::setPermissions(path, permissions));
  replaceFileAtomically(path, "new content");
  EXPECT_EQ(base.read(QStringLiteral("tessik.ini")), QByteArray("new content"));
  EXPECT_EQ(QFileInfo(path).permissions() & kOwnerGroupOther, permissions & kOwnerGroupOther);
}

TEST(ReplaceFileAtomically, RefusesReadOnlyFilesAndLeavesThemAlone) {
  TempBase base;
  const QString path = base.write(QStringLiteral("tessik.ini"), "keep me");
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  EXPECT_EQ(errorOf([&] { replaceFileAtomically(path, "lost"); }),
            messages::cannotCreateFile(path));
  EXPECT_EQ(base.read(QStringLiteral("tessik.ini")), QByteArray("keep me"));
}

TEST(ReplaceFileAtomically, CreatesMissingFilesButNotMissingFolders) {
  TempBase base;
  const QString fresh = base.filePath(QStringLiteral("fresh.ini"));
  replaceFileAtomically(fresh, "made");
  EXPECT_EQ(base.read(QStringLiteral("fresh.ini")), QByteArray("made"));
  const QString nowhere = base.filePath(QStringLiteral("no/such/folder.ini"));
  EXPECT_EQ(errorOf([&] { replaceFileAtomically(nowhere, "x"); }),
            messages::cannotCreateFile(nowhere));
}

TEST(TextCodec, ReadsUtf8OrWindows1252AndKeepsUnchangedBytes) {
  const QByteArray utf8 =
      "Configura\xc3\xa7\xc3\xb5"
      "es";
  const QByteArray cp1252 =
      "Configura\xe7\xf5"
      "es \x80 \x93ok\x94";
  EXPECT_EQ(decodeText(utf8), text("Configurações"));
  EXPECT_EQ(decodeText(cp1252), text("Configurações € “ok”"));
  EXPECT_EQ(encodeText(decodeText(cp1252), cp1252), cp1252);
  EXPECT_EQ(encodeText(text("Configurações!"), cp1252), QByteArray(utf8 + "!"));
  EXPECT_EQ(encodeText(text("plain")), QByteArray("plain"));
}

TEST(NativeText, AnyBytesComeBackAsTheyWere) {
  const QByteArray cases[] = {
      "/plain/path",
      "caf\xC3\xA9 \xF0\x9F\x98\x80",
      "caf\xE9",
      // U+10080: the second half of its surrogate pair lies where escaped bytes go.
      "\xF0\x90\x82\x80",
      "\xF0\x90\x82\x80\x80",
      "\xED\xA0\x80",      // an encoded surrogate
      "\xC0\xAF",          // an overlong "/"
      "\xE2\x82x",         // a sequence cut short
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xFF\xFE\x80",
      "a\xE9\xF0\x9F\x98\x80\x93q\x94",
      "\xEF\xBB\xBFmark",  // a name may begin with the bytes of a byte-order mark
      "\xE9\xEF\xBB\xBFmark",
  };
  for (const QByteArray& bytes : cases) {
    const QString decoded = decodeNative(bytes);
    EXPECT_EQ(encodeNative(decoded), bytes);
    if (QByteArrayView(bytes).isValidUtf8()) {
      EXPECT_EQ(decoded.toUtf8(), bytes) << "UTF-8 reads as UTF-8";
    } else {
      EXPECT_NE(decoded.toUtf8(), bytes) << "Qt's own encoding could not give these bytes back";
    }
  }
}

TEST(NativeText, ShowsEachNameThroughTheTextCodec) {
  EXPECT_EQ(displayPath(decodeNative("/srv/jos\xC3\xA9/caf\xE9/\x93q\x94.drv")),
            text("/srv/jos\u00E9/caf\u00E9/\u201Cq\u201D.drv"));
  EXPECT_EQ(displayPath(text("/srv/caf\u00E9")), text("/srv/caf\u00E9"));
}

// A base directory whose name is not UTF-8, as unpacked from an old archive.
TEST(NativePaths, FilesInAFolderThatIsNotUtf8AreReadAndWritten) {
  const TempBase root;
  const NativeDirectory created(encodeNative(root.path()) + "/caf\xE9");
  const QByteArray& folder = created.path();
  const QString dirBase = decodeNative(folder);

  const QString file = basePath(dirBase, QStringLiteral("tessik.ini"));
  replaceFileAtomically(file, "Romdir       .\r\n");
  EXPECT_EQ(readNativeFile(folder + "/tessik.ini"), "Romdir       .\r\n");
  EXPECT_EQ(readWholeFile(file), "Romdir       .\r\n");

  // Through a link: the target is rewritten and the link stays a link.
  writeNativeFile(folder + "/target\xE9.ini", "old");
  ASSERT_EQ(::symlink("target\xE9.ini", (folder + "/link\xE9.ini").constData()), 0);
  replaceFileAtomically(decodeNative(folder + "/link\xE9.ini"), "new");
  EXPECT_EQ(readNativeFile(folder + "/target\xE9.ini"), "new");
  char target[64] = {};
  ASSERT_GT(::readlink((folder + "/link\xE9.ini").constData(), target, sizeof target - 1), 0);
  EXPECT_EQ(QByteArray(target), "target\xE9.ini");

  // A message names the file as the user reads its name.
  EXPECT_EQ(errorOf([&] { readWholeFile(basePath(dirBase, decodeNative("gone\xE9.ini"))); }),
            QStringLiteral("Cannot open file ") + root.path() + text("/caf\u00E9/gone\u00E9.ini"));

  const QString startDirectory = QDir::currentPath();
  ASSERT_EQ(::chdir(folder.constData()), 0);
  const QString current = currentDirectory();
  QDir::setCurrent(startDirectory);
  EXPECT_EQ(encodeNative(current),
            encodeNative(QFileInfo(root.path()).canonicalFilePath()) + "/caf\xE9");
}

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
