#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/platform/Error.h"
#include "core/platform/FileAccess.h"
#include "core/platform/Messages.h"
#include "core/platform/TextCodec.h"
#include "support/ErrorOf.h"
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

}  // namespace
}  // namespace vorlane::test
