#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/errors/ErrorMessages.h"
#include "core/files/FileAccess.h"
#include "support/ChildProcess.h"
#include "support/ErrorOf.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

// Every name in the directory, hidden ones included: a temporary file left behind shows here.
QStringList entriesOf(const QString& directory) {
  return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                   QDir::Name);
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

// A FIFO or a device would block or never end, and a file past the cap would fill the memory;
// a file exactly at the cap is still an ordinary file.
TEST(ReadWholeFile, OnlyRegularFilesWithinTheCapAreRead) {
  TempBase base;
  const QString fifo = base.filePath(QStringLiteral("fifo.ini"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0) << std::strerror(errno);
  const QString oversize = base.write(QStringLiteral("sparse.ini"), "Romdir       x\n");
  ASSERT_EQ(::truncate(QFile::encodeName(oversize).constData(), kTextFileLimit + 1), 0);
  const QString atLimit = base.write(QStringLiteral("small.ini"), "Romdir       x\n");
  ASSERT_EQ(::truncate(QFile::encodeName(atLimit).constData(), kTextFileLimit), 0);
  const std::pair<const char*, QString> links[] = {
      {"zero.ini", QStringLiteral("/dev/zero")},
      {"random.ini", QStringLiteral("/dev/urandom")},
      {"fifo-link.ini", fifo},
  };
  QStringList refused = {fifo, oversize};
  for (const auto& [name, target] : links) {
    refused.append(base.filePath(QString::fromUtf8(name)));
    ASSERT_TRUE(QFile::link(target, refused.back()));
  }
  for (const QString& path : refused) {
    EXPECT_EQ(errorOf([&] { readWholeFile(path); }), messages::cannotOpenFile(path));
  }
  EXPECT_EQ(readWholeFile(atLimit).size(), kTextFileLimit);
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

// A read-only file and a FIFO are refused and left as they were.
TEST(ReplaceFileAtomically, RefusesReadOnlyFilesAndWhatIsNoRegularFile) {
  TempBase base;
  const QString path = base.write(QStringLiteral("tessik.ini"), "keep me");
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  EXPECT_EQ(errorOf([&] { replaceFileAtomically(path, "lost"); }),
            messages::cannotCreateFile(path));
  EXPECT_EQ(base.read(QStringLiteral("tessik.ini")), QByteArray("keep me"));

  const QString fifo = base.filePath(QStringLiteral("driver.drv"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0) << std::strerror(errno);
  EXPECT_EQ(errorOf([&] { replaceFileAtomically(fifo, "text"); }),
            messages::cannotCreateFile(fifo));
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
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

TEST(ReplaceFileAtomically, AWriteThatCannotCompleteKeepsTheOldFileWholeAndLeavesNothing) {
  TempBase base;
  const QByteArray before = "Romdir       /old\nLogdir       /log\n";
  const QString path = base.write(QStringLiteral("tessik.ini"), before);
  const ChildOutcome outcome = runInChild({.fileSizeLimit = 4096, .asOrdinaryUser = false}, [&] {
    replaceFileAtomically(path, QByteArray(64 * 1024, 'x'));
  });
  ASSERT_TRUE(outcome.ranToEnd);
  EXPECT_EQ(outcome.error, messages::streamWriteError());
  EXPECT_EQ(base.read(QStringLiteral("tessik.ini")), before);
  EXPECT_EQ(entriesOf(base.path()), QStringList{QStringLiteral("tessik.ini")});
}

// A small tmpfs mounted for one test, so a full disk is a real one.
class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_base.path()).constData(), "tmpfs", 0,
                        "size=256k") == 0;
    if (!m_mounted) {
      GTEST_SKIP() << "a tmpfs cannot be mounted here (" << std::strerror(errno)
                   << "; needs root); the file-size limit test still covers failed writes";
    }
  }
  void TearDown() override {
    if (m_mounted) {
      ::umount2(QFile::encodeName(m_base.path()).constData(), MNT_DETACH);
    }
  }

  // Takes every free block, so the next write of even one byte fails.
  void fill() const {
    const int descriptor =
        ::open(QFile::encodeName(m_base.filePath(QStringLiteral("filler"))).constData(),
               O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(descriptor, 0);
    const QByteArray block(4096, 'f');
    while (::write(descriptor, block.constData(), block.size()) > 0) {
    }
    ::close(descriptor);
  }

  TempBase m_base;
  bool m_mounted = false;
};

// Each caller's own message for it is checked in that caller's test.
TEST_F(FullDisk, ARewriteKeepsTheOldFileWholeAndSaysSo) {
  const QByteArray small = "[s]\r\nRomdir       old\r\n";
  const QByteArray large = small + QByteArray(100 * 1024, 'L') + "\r\n";
  m_base.write(QStringLiteral("small.ini"), small);
  m_base.write(QStringLiteral("large.ini"), large);
  fill();
  const QStringList before = entriesOf(m_base.path());

  for (const auto& [name, bytes] : {std::pair{QStringLiteral("small.ini"), small},
                                    std::pair{QStringLiteral("large.ini"), large}}) {
    const QString path = m_base.filePath(name);
    EXPECT_EQ(errorOf([&] { replaceFileAtomically(path, bytes + QByteArray(512, 'n')); }),
              messages::streamWriteError())
        << name.toStdString();
    EXPECT_EQ(m_base.read(name), bytes) << name.toStdString();
    EXPECT_EQ(entriesOf(m_base.path()), before) << name.toStdString();
  }

  // Once there is room again, the same rewrite goes through.
  ASSERT_TRUE(QFile::remove(m_base.filePath(QStringLiteral("filler"))));
  replaceFileAtomically(m_base.filePath(QStringLiteral("small.ini")), "new");
  EXPECT_EQ(m_base.read(QStringLiteral("small.ini")), QByteArray("new"));
}

}  // namespace
}  // namespace vorlane::test
