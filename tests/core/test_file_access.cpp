#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/errors/ErrorMessages.h"
#include "core/files/FileAccess.h"
#include "support/ErrorOf.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

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

}  // namespace
}  // namespace vorlane::test
