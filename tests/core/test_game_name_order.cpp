#include "core/catalogue/GameNameOrder.h"

#include <algorithm>
#include <chrono>

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include "core/catalogue/DriverScan.h"
#include "support/DriverRecords.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

// The files of `rows`, one blank between.
QString filesOf(const QList<DriverRecord>& drivers, const QList<qsizetype>& rows) {
  QStringList files;
  for (const qsizetype row : rows) {
    files.append(drivers.at(row).file);
  }
  return files.join(u' ');
}

// The files as their ranks order them.
QString filesByRank(const QList<DriverRecord>& drivers) {
  return filesOf(drivers, rowsInOrder(drivers, ListOrder::ByGameName));
}

TEST(GameNameOrder, ByTheListsCollationWithTiesByFileName) {
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
  QList<DriverRecord> windows1252 = records({"a.drv=Cafe", "b.drv", "c.drv=Cafz"});
  windows1252[1].gameName = "Caf\xE9";
  const struct {
    const char* name;
    QLocale locale;
    QList<DriverRecord> drivers;  // in list order
    const char* sorted;           // the files, one blank between
  } cases[] = {
      // Letter case is ignored, and games of one name follow their file names, not their names'
      // bytes: ASCII names, sorted without the collator's keys...
      {"ascii, case and ties", QLocale::c(),
       records({"a.drv=pac-man", "b.drv=Galaga", "c.drv=PAC-MAN", "d.drv=Pac-Man", "e.drv=galaga",
                "f.drv=Dig Dug"}),
       "f.drv b.drv e.drv a.drv c.drv d.drv"},
      // ...and names with accents, sorted by the collator's keys.
      {"accents, case and ties", english,
       records({"a.drv=\xC3\xA9"
                "clair",
                "b.drv=Zoo", "c.drv=Echo",
                "d.drv=\xC3\x89"
                "clair",
                "e.drv=Eagle"}),
       "e.drv c.drv a.drv d.drv b.drv"},
      {"accents in the C locale", QLocale::c(),
       records({"a.drv=\xC3\x96rjan", "b.drv=Zaxxon", "c.drv=Ostrich"}), "a.drv c.drv b.drv"},
      {"a language's own letters", swedish,
       records({"a.drv=\xC3\x96rjan", "b.drv=Zaxxon", "c.drv=Ostrich"}), "c.drv b.drv a.drv"},
      {"joined letters in plain ASCII", QLocale(QLocale::Danish),
       records({"a.drv=Aasgard", "b.drv=Zoo", "c.drv=Abbey"}), "c.drv b.drv a.drv"},
      // A name that is not UTF-8 sorts as the list shows it, read as Windows-1252.
      {"windows-1252", QLocale::c(), windows1252, "a.drv b.drv c.drv"},
      {"empty", QLocale::c(), {}, ""},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    EXPECT_EQ(filesOf(example.drivers, gameNameOrder(example.drivers, example.locale)),
              text(example.sorted));
    QList<DriverRecord> ranked = example.drivers;
    rankByGameName(ranked, example.locale);
    EXPECT_EQ(filesByRank(ranked), text(example.sorted));
  }
}

// A scan reads no rank; a refresh keeps the ranks of the records it keeps, and ranking then places
// the records read anew among them as a whole ranking would.
TEST(GameNameOrder, RecordsReadAnewArePlacedAmongTheRankedOnes) {
  TempBase base;
  const auto writeDriver = [&](const char* file, const QByteArray& gameName) {
    base.write(QStringLiteral("drivers/") + text(file),
               "[Driver]\r\nGAMENAME    \"" + gameName + "\"\r\n");
  };
  writeDriver("b.drv", "Galaga");
  writeDriver("c.drv", "Asteroids");
  writeDriver("d.drv", "galaga");
  const auto ranked = [](QList<DriverRecord> drivers) {
    ensureRankedByGameName(drivers, QLocale::c());
    return drivers;
  };
  const DriverScanResult scan =
      scanDrivers(base.path(), QStringLiteral("drivers"), {}, QLocale::c());
  EXPECT_TRUE(std::all_of(scan.drivers.cbegin(), scan.drivers.cend(), [](const auto& driver) {
    return driver.gameNameRank == DriverRecord::kUnranked;
  }));
  EXPECT_EQ(filesByRank(ranked(scan.drivers)), text("c.drv b.drv d.drv"));

  // Rewritten a moment later, so the refresh sees a new stamp whatever the clock's grain.
  const auto refresh = [&](const QList<DriverRecord>& known) {
    return ranked(rescanDriverFolder(known, scan.directory, QString(), {}, QLocale::c(), nullptr,
                                     std::chrono::nanoseconds(0)));
  };
  writeDriver("a.drv", "Zaxxon");
  writeDriver("c.drv", "Xevious");
  QList<DriverRecord> refreshed = refresh(ranked(scan.drivers));
  ASSERT_EQ(refreshed.size(), 4);
  EXPECT_EQ(filesByRank(refreshed), text("b.drv d.drv c.drv a.drv"));

  // A few changes among many: the changed games are placed among the kept ones, as a whole scan
  // would rank them, ties included.
  for (int i = 0; i < 60; ++i) {
    writeDriver(qPrintable(QStringLiteral("m%1.drv").arg(i, 2, 10, QLatin1Char('0'))),
                "Game " + QByteArray::number((i * 37) % 60));
  }
  refreshed = refresh(refreshed);
  writeDriver("m50.drv", "game 31");
  writeDriver("m70.drv", "Asteroids");
  QFile::remove(base.filePath(QStringLiteral("drivers/m20.drv")));
  refreshed = refresh(refreshed);
  EXPECT_EQ(filesByRank(refreshed),
            filesByRank(ranked(
                scanDrivers(base.path(), QStringLiteral("drivers"), {}, QLocale::c()).drivers)));
}

// Records ranked apart, or never, still show once each.
TEST(GameNameOrder, EveryRowShowsOnceInEitherOrder) {
  QList<DriverRecord> drivers = records({"a.drv", "b.drv", "c.drv", "d.drv"});
  const quint32 ranks[] = {2, 0, 0, 9};
  for (qsizetype row = 0; row < drivers.size(); ++row) {
    drivers[row].gameNameRank = ranks[row];
  }
  EXPECT_EQ(filesOf(drivers, rowsInOrder(drivers, ListOrder::ByGameName)),
            text("b.drv c.drv a.drv d.drv"));
  EXPECT_EQ(filesOf(drivers, rowsInOrder(drivers, ListOrder::ByFileName)),
            text("a.drv b.drv c.drv d.drv"));
  EXPECT_TRUE(rowsInOrder({}, ListOrder::ByGameName).isEmpty());
}

}  // namespace
}  // namespace vorlane::test
