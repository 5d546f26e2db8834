#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include "core/files/FolderWatch.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using namespace std::chrono_literals;
using test::TempBase;

// Long enough to gather the changes a test makes in one go on a loaded machine.
constexpr std::chrono::milliseconds kQuietTime = 100ms;
// How long a report may take: the quiet time and the machine's own delays.
constexpr int kReportWait = 5000;
// How long to go on listening for a report that must not come, past the quiet time.
constexpr int kSilenceWait = int(kQuietTime.count() * 3);

struct Watched {
  TempBase base;
  QString folder = base.makeDir(QStringLiteral("emu/drivers"));
  FolderWatch watch{kQuietTime};
  QSignalSpy reports{&watch, &FolderWatch::changed};

  Watched() { watch.watch(folder); }

  // Waits for exactly one more report, and then for quiet.
  void expectOneReport(const char* after) {
    const qsizetype before = reports.count();
    EXPECT_TRUE(reports.wait(kReportWait)) << after;
    EXPECT_FALSE(reports.wait(kSilenceWait)) << after << ": reported again";
    EXPECT_EQ(reports.count(), before + 1) << after;
  }
  void expectNoReport(const char* after) { EXPECT_FALSE(reports.wait(kSilenceWait)) << after; }
};

TEST(FolderWatch, ABurstOfFilesIsReportedOnce) {
  Watched w;
  for (int i = 0; i < 300; ++i) {
    w.base.write(QStringLiteral("emu/drivers/game%1.drv").arg(i), "GAMENAME x\r\n");
  }
  w.expectOneReport("300 files written");
  QFile::remove(w.folder + QStringLiteral("/game7.drv"));
  w.expectOneReport("one file removed");
}

// The folder's entries stay the same when a file is rewritten in place, as some editors save.
TEST(FolderWatch, AFileRewrittenInPlaceIsReported) {
  Watched w;
  const QString driver = w.base.write(QStringLiteral("emu/drivers/game.drv"), "GAMENAME x\r\n");
  w.expectOneReport("file made");
  QFile file(driver);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.write("GAMENAME y");
  file.close();
  w.expectOneReport("file rewritten in place");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  file.readAll();
  file.close();
  w.expectNoReport("file read");
}

TEST(FolderWatch, SubfoldersAndSiblingsAreNotWatched) {
  Watched w;
  w.base.makeDir(QStringLiteral("emu/drivers/sub"));
  w.expectOneReport("subfolder made");
  w.base.write(QStringLiteral("emu/drivers/sub/inner.drv"), "x");
  w.expectNoReport("file written in a subfolder");
  w.base.write(QStringLiteral("emu/sibling.txt"), "x");
  w.expectNoReport("file written beside the folder");
}

TEST(FolderWatch, AFolderThatGoesAndComesBackIsWatchedAgain) {
  const struct {
    const char* what;
    std::function<void(const QString& folder)> takeAway;
  } cases[] = {
      {"removed", [](const QString& folder) { QDir(folder).removeRecursively(); }},
      {"renamed",
       [](const QString& folder) { QDir().rename(folder, folder + QStringLiteral(".old")); }},
      {"replaced by a file",
       [](const QString& folder) {
         QDir(folder).removeRecursively();
         QFile file(folder);
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
       }},
  };
  for (const auto& c : cases) {
    Watched w;
    w.base.write(QStringLiteral("emu/drivers/a.drv"), "x");
    w.expectOneReport(c.what);
    c.takeAway(w.folder);
    w.expectOneReport(c.what);
    // A folder renamed away is no longer this folder.
    if (QDir(w.folder + QStringLiteral(".old")).exists()) {
      w.base.write(QStringLiteral("emu/drivers.old/b.drv"), "x");
      w.expectNoReport(c.what);
    }
    QFile::remove(w.folder);
    w.base.makeDir(QStringLiteral("emu/drivers"));
    w.expectOneReport(c.what);
    w.base.write(QStringLiteral("emu/drivers/c.drv"), "x");
    w.expectOneReport(c.what);
  }
}

TEST(FolderWatch, AFolderMadeAfterTheWatchStartedIsNoticed) {
  TempBase base;
  FolderWatch watch(kQuietTime);
  QSignalSpy reports(&watch, &FolderWatch::changed);
  watch.watch(base.filePath(QStringLiteral("later/drivers")));
  base.makeDir(QStringLiteral("later/drivers"));
  EXPECT_TRUE(reports.wait(kReportWait));
  base.write(QStringLiteral("later/drivers/a.drv"), "x");
  EXPECT_TRUE(reports.wait(kReportWait));
}

// The user's watches used up by other programs: the folder is looked at again in turns, and the
// watches are tried again until the system takes them.
TEST(FolderWatch, RefusedWatchesFallBackToPollingAndAreTriedAgain) {
  constexpr std::chrono::milliseconds kPollInterval = 50ms;
  constexpr int kRefusals = 4;
  TempBase base;
  const QString folder = base.makeDir(QStringLiteral("drivers"));
  FolderWatch watch(kQuietTime, nullptr, kPollInterval, kRefusals);
  QSignalSpy polling(&watch, &FolderWatch::pollingChanged);
  QSignalSpy reports(&watch, &FolderWatch::changed);
  watch.watch(folder);
  ASSERT_TRUE(watch.isPolling());
  ASSERT_EQ(polling.count(), 1);

  const QString driver = base.write(QStringLiteral("drivers/a.drv"), "x");
  EXPECT_TRUE(reports.wait(kReportWait)) << "file made while polling";
  EXPECT_TRUE(polling.count() == 2 || polling.wait(kReportWait)) << "watches placed again";
  EXPECT_FALSE(watch.isPolling());
  EXPECT_EQ(polling.takeLast().front().toBool(), false);

  // Only a watch tells a file rewritten in place.
  const qsizetype before = reports.count();
  QFile file(driver);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.write("y");
  file.close();
  EXPECT_TRUE(reports.wait(kReportWait));
  EXPECT_EQ(reports.count(), before + 1);
}

}  // namespace
}  // namespace vorlane
