#include <sys/resource.h>
#include <unistd.h>

#include <system_error>
#include <thread>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include "core/files/FolderWatch.h"
#include "support/ChildProcess.h"
#include "support/TempBase.h"
#include "ui/drivers/CatalogueFilter.h"
#include "ui/drivers/CatalogueModel.h"
#include "ui/drivers/CatalogueRefresh.h"

namespace vorlane {
namespace {

using test::TempBase;

// Every game's archive is "rom": one archive appearing unmarks them all.
QByteArray driverText(const char* gameName) {
  return test::driverText(gameName, "DIRECTORY    rom\r\n");
}

// How long a refresh may take on a loaded machine, sanitizers and all.
constexpr int kRefreshWait = 30'000;
// Short, so a refused scan is tried again within the wait.
constexpr std::chrono::milliseconds kRetryInterval{20};
// A child that hangs past this is ended, and its test fails.
constexpr unsigned kChildDeadlineSeconds = 120;

QStringList gameNames(const CatalogueModel& model) {
  QStringList names;
  for (int row = 0; row < model.rowCount(); ++row) {
    names.append(model.index(row).data().toString());
  }
  return names;
}

// A driver folder scanned once as the window does, and a refresh on the model.
struct Catalogue {
  TempBase base;
  QString drivers = base.makeDir(QStringLiteral("drivers"));
  QString roms = base.makeDir(QStringLiteral("roms"));
  CatalogueModel model;
  CatalogueRefresh refresh{&model, nullptr, kRetryInterval};
  QSignalSpy applied{&refresh, &CatalogueRefresh::applied};
  QSignalSpy settled{&refresh, &CatalogueRefresh::settled};
  QSignalSpy resets{&model, &QAbstractItemModel::modelReset};

  void write(const char* file, const char* gameName) const {
    base.write(QStringLiteral("drivers/") + QString::fromUtf8(file), driverText(gameName));
  }
  void scan() {
    model.takeScan(scanDrivers(base.path(), drivers, {}, QLocale(), roms).drivers);
    refresh.setFolders(drivers, roms);
    resets.clear();
  }
  // Waits until no scan runs or waits, each one applied.
  void settle() { ASSERT_TRUE(!settled.isEmpty() || settled.wait(kRefreshWait)); }
};

TEST(CatalogueRefresh, TakesTheFoldersChangesAsRows) {
  Catalogue c;
  c.write("a.drv", "Alpha");
  c.write("b.drv", "Beta");
  c.write("c.drv", "Gamma");
  c.scan();
  ASSERT_EQ(gameNames(c.model), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"),
                                             QStringLiteral("Gamma")}));
  EXPECT_FALSE(c.model.index(0).data(CatalogueModel::MissingArchiveRole).toString().isEmpty());

  QFile::remove(c.drivers + QStringLiteral("/a.drv"));
  c.write("b.drv", "Bravo");
  c.write("d.drv", "Delta");
  c.base.write(QStringLiteral("roms/rom.zip"), "PK");
  c.refresh.request();
  ASSERT_TRUE(c.applied.wait(kRefreshWait));
  EXPECT_EQ(gameNames(c.model), (QStringList{QStringLiteral("Bravo"), QStringLiteral("Gamma"),
                                             QStringLiteral("Delta")}));
  // The archive the drivers name appeared: no game is greyed any longer.
  for (int row = 0; row < c.model.rowCount(); ++row) {
    EXPECT_TRUE(c.model.index(row).data(CatalogueModel::MissingArchiveRole).toString().isEmpty());
  }
  EXPECT_EQ(c.resets.count(), 0);

  // A folder that is gone empties the list instead of showing the base directory's drivers.
  c.base.write(QStringLiteral("base.drv"), driverText("In the base"));
  QDir(c.drivers).removeRecursively();
  c.refresh.request();
  ASSERT_TRUE(c.applied.wait(kRefreshWait));
  EXPECT_EQ(c.model.rowCount(), 0);
}

TEST(CatalogueRefresh, RequestsDuringAScanBecomeOneMoreScan) {
  Catalogue c;
  c.scan();
  for (int i = 0; i < 500; ++i) {
    c.base.write(QStringLiteral("drivers/g%1.drv").arg(i), driverText("G"));
  }
  for (int i = 0; i < 5; ++i) {
    c.refresh.request();
  }
  c.settle();
  EXPECT_GE(c.applied.count(), 1);
  EXPECT_LE(c.applied.count(), 2);
  EXPECT_EQ(c.model.rowCount(), 500);
}

// A scan of folders the window no longer shows must not overwrite the new scan's rows.
TEST(CatalogueRefresh, AScanOfFormerFoldersIsDropped) {
  Catalogue c;
  c.write("a.drv", "Alpha");
  c.scan();
  c.refresh.request();
  const QString other = c.base.makeDir(QStringLiteral("other"));
  c.base.write(QStringLiteral("other/z.drv"), driverText("Zulu"));
  c.model.takeScan(scanDrivers(c.base.path(), other).drivers);
  c.refresh.setFolders(other, c.roms);
  c.settle();
  EXPECT_EQ(gameNames(c.model), QStringList{QStringLiteral("Zulu")});
}

// The rows are compared off the window's thread with the model's rows of when the scan began; a
// model that took other rows of the same folders meanwhile still ends with the folder's rows.
TEST(CatalogueRefresh, AModelChangedDuringTheScanEndsWithTheFoldersRows) {
  Catalogue c;
  c.write("a.drv", "Alpha");
  c.write("c.drv", "Charlie");
  c.scan();
  c.write("b.drv", "Bravo");
  c.refresh.request();
  c.model.takeScan({c.model.drivers().at(1)});
  // Follows the model by its row changes alone, as the list does.
  CatalogueFilter shown(&c.model);
  ASSERT_EQ(shown.rowCount(), 1);
  c.settle();
  EXPECT_EQ(gameNames(c.model), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo"),
                                             QStringLiteral("Charlie")}));
  EXPECT_EQ(shown.rowCount(), 3);
}

// Copied in while the watch and the refresh run, 10,000 drivers end in a few applications.
TEST(CatalogueRefresh, ABurstOfDriversEndsInFewApplications) {
  Catalogue c;
  c.scan();
  FolderWatch watch;
  watch.watch(c.drivers);
  QObject::connect(&watch, &FolderWatch::changed, &c.refresh, &CatalogueRefresh::request);
  constexpr int kBurst = 10'000;
  for (int i = 0; i < kBurst; ++i) {
    c.base.write(QStringLiteral("drivers/burst%1.drv").arg(i), driverText("Burst"));
  }
  const QDeadlineTimer deadline(kRefreshWait);
  while (c.model.rowCount() < kBurst && !deadline.hasExpired()) {
    c.applied.wait(int(deadline.remainingTime()));
  }
  EXPECT_EQ(c.model.rowCount(), kBurst);
  EXPECT_LE(c.applied.count(), 5);
  EXPECT_EQ(c.resets.count(), 0);
}

// Run in a child whose processes are at their limit for a moment: the system refuses the scan a
// thread. The refresh tries again once the limit allows, and a refresh that never got one is let
// go at once. Throws what went wrong.
void refuseAScanAThread() {
  rlimit processes{};
  getrlimit(RLIMIT_NPROC, &processes);
  const auto limitProcesses = [&](rlim_t soft) {
    const rlimit limit{soft, processes.rlim_max};
    if (setrlimit(RLIMIT_NPROC, &limit) != 0) {
      throw Error(QStringLiteral("setrlimit failed"));
    }
  };
  Catalogue c;
  c.write("a.drv", "Alpha");
  c.scan();
  limitProcesses(0);
  try {
    std::thread([] {}).join();
    throw Error(QStringLiteral("the limit lets a thread start"));
  } catch (const std::system_error&) {
  }
  c.write("b.drv", "Bravo");
  c.refresh.request();
  c.refresh.request();
  QCoreApplication::processEvents();
  if (!c.settled.isEmpty() || !c.applied.isEmpty()) {
    throw Error(QStringLiteral("a refused scan was taken as done"));
  }
  {
    CatalogueRefresh neverStarted(&c.model);
    neverStarted.request();
  }
  limitProcesses(processes.rlim_cur);
  if (!c.applied.wait(kRefreshWait) || (c.settled.isEmpty() && !c.settled.wait(kRefreshWait))) {
    throw Error(QStringLiteral("the refused scan was never tried again"));
  }
  const QStringList names = gameNames(c.model);
  if (names != QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo")}) {
    throw Error(names.join(u'|'));
  }
}

TEST(CatalogueRefresh, AScanRefusedAThreadIsTriedAgainAndHoldsNothingUp) {
  const test::ChildOutcome outcome =
      test::runInChild({.fileSizeLimit = std::nullopt, .asOrdinaryUser = true}, [] {
        // A hang ends the child, and the test fails.
        alarm(kChildDeadlineSeconds);
        refuseAScanAThread();
      });
  EXPECT_TRUE(outcome.ranToEnd);
  EXPECT_EQ(outcome.error.value_or(QString()).toStdString(), "");
}

}  // namespace
}  // namespace vorlane
