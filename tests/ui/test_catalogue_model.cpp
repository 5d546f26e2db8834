#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QListView>
#include <QSignalSpy>

#include "support/DriverRecords.h"
#include "support/UiHarness.h"
#include "ui/WindowMessages.h"
#include "ui/drivers/CatalogueFilter.h"
#include "ui/drivers/CatalogueModel.h"

namespace vorlane {
namespace {

using test::records;

// Each row's file and shown name, as "file=name".
QStringList rowsOf(const QAbstractItemModel& model) {
  QStringList rows;
  for (int row = 0; row < model.rowCount(); ++row) {
    const QModelIndex index = model.index(row, 0);
    rows.append(index.data(CatalogueModel::FileNameRole).toString() + QLatin1Char('=') +
                index.data().toString());
  }
  return rows;
}

QStringList rowsOf(const QList<DriverRecord>& drivers) {
  CatalogueModel model;
  model.takeScan(drivers);
  return rowsOf(model);
}

TEST(CatalogueModel, RefreshesAsRowChangesNeverAReset) {
  const struct {
    const char* what;
    QList<DriverRecord> before;
    QList<DriverRecord> after;
    // Signals, one per span of consecutive rows.
    int inserted;
    int removed;
    int changed;
  } cases[] = {
      {"added", records({"a", "c"}), records({"a", "b", "c", "d"}), 2, 0, 0},
      {"removed", records({"a", "b", "c", "d"}), records({"b", "d"}), 0, 2, 0},
      {"renamed", records({"a=Alpha", "b=Beta"}), records({"b=Beta", "c=Alpha"}), 1, 1, 0},
      {"re-titled", records({"a=Alpha", "b=Beta"}), records({"a=Alpha", "b=Bravo"}), 0, 0, 1},
      {"archive found", records({"a=A!", "b=B!"}), records({"a=A", "b=B!"}), 0, 0, 1},
      {"emptied", records({"a", "b"}), {}, 0, 1, 0},
      {"scattered", records({"b", "d", "f", "h"}), records({"a", "c", "d", "e", "g=G", "h=H"}), 2,
       2, 1},
  };
  for (const auto& c : cases) {
    CatalogueModel model;
    const QAbstractItemModelTester modelCheck(
        &model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    CatalogueFilter filter(&model);
    const QAbstractItemModelTester filterCheck(
        &filter, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.takeScan(c.before);

    // Rows are read as the views read them, at every step.
    const QStringList wanted = rowsOf(c.after);
    QObject::connect(&model, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int last) {
                       for (int row = first; row <= last; ++row) {
                         EXPECT_EQ(rowsOf(model).at(row), wanted.at(row)) << c.what;
                       }
                     });
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.applyRefresh(c.after);

    EXPECT_EQ(rowsOf(model), wanted) << c.what;
    EXPECT_EQ(rowsOf(filter), wanted) << c.what;
    EXPECT_EQ(resets.count(), 0) << c.what;
    EXPECT_EQ(inserted.count(), c.inserted) << c.what;
    EXPECT_EQ(removed.count(), c.removed) << c.what;
    EXPECT_EQ(changed.count(), c.changed) << c.what;
  }
}

TEST(CatalogueModel, MissingArchiveIsExplained) {
  CatalogueModel model;
  model.takeScan(records({"a=Alpha!", "b=Beta"}), QStringLiteral("/roms"));
  const QModelIndex missing = model.index(0);
  const QModelIndex present = model.index(1);
  const QString tip = messages::missingArchive(QStringLiteral("/roms/a.zip"));
  EXPECT_EQ(missing.data(Qt::ToolTipRole).toString(), tip);
  EXPECT_EQ(missing.data(Qt::AccessibleDescriptionRole).toString(), tip);
  EXPECT_EQ(missing.data(CatalogueModel::MissingArchiveRole).toString(),
            QStringLiteral("/roms/a.zip"));
  for (const int role : {int(Qt::ToolTipRole), int(Qt::AccessibleDescriptionRole)}) {
    EXPECT_FALSE(present.data(role).isValid()) << role;
  }
}

// Game names are driver text: bytes that are not UTF-8 read as Windows-1252.
TEST(CatalogueModel, ShowsGameNamesDecoded) {
  CatalogueModel model;
  DriverRecord record;
  record.file = QStringLiteral("c.drv");
  record.gameName = QByteArray("Caf\xE9");
  model.takeScan({record});
  EXPECT_EQ(model.index(0).data().toString(), QStringLiteral("Caf\u00E9"));
}

TEST(CatalogueModel, FilterLeavesOutRowsAndFollowsRefreshes) {
  CatalogueModel model;
  CatalogueFilter filter(&model);
  model.takeScan(records({"a=Pokémon", "b=Galaga", "c=Pac-Man"}));
  filter.setNameFilter(QStringLiteral("POKEMON"));
  EXPECT_EQ(rowsOf(filter), QStringList{QStringLiteral("a=Pokémon")});
  EXPECT_TRUE(filter.isFiltering());
  model.applyRefresh(records({"a=Pokémon", "b=Galaga", "c=Pokemon Pinball", "d=Pokedex"}));
  EXPECT_EQ(rowsOf(filter),
            (QStringList{QStringLiteral("a=Pokémon"), QStringLiteral("c=Pokemon Pinball")}));
  filter.setNameFilter(QString());
  EXPECT_FALSE(filter.isFiltering());
  EXPECT_EQ(filter.rowCount(), 4);
}

// Typing on tests only the games shown; every step shows what the same text shows on its own,
// also when the text grows at its start or the catalogue changed since the last keystroke.
TEST(CatalogueModel, TypingOnShowsWhatTheTextShowsAlone) {
  const QList<DriverRecord> before = records(
      {"a=Galaga", "b=Galaxian", "c=Gálaxy Force", "d=Pac-Man", "e=Mega Gal", "f=Dragon's Lair"});
  const QList<DriverRecord> after =
      records({"a=Galaga", "b=Galaxian", "c=Gálaxy Force", "d=Pacgal", "g=Gallop Racer"});
  const struct {
    const char* typed;
    bool refreshedBefore;  // the catalogue changed from `before` to `after` first
  } steps[] = {
      {"a", false},  {"ga", false},  {"gal", false},  {"gala", true},    {"gal", false},
      {"ga", false}, {"ega", false}, {"mega", false}, {"mega g", false}, {"", false},
  };
  CatalogueModel model;
  CatalogueFilter filter(&model);
  model.takeScan(before);
  for (const auto& step : steps) {
    if (step.refreshedBefore) {
      model.applyRefresh(after);
    }
    filter.setNameFilter(QString::fromUtf8(step.typed));
    CatalogueModel alone;
    CatalogueFilter aloneFilter(&alone);
    alone.takeScan(model.drivers());
    aloneFilter.setNameFilter(QString::fromUtf8(step.typed));
    EXPECT_EQ(rowsOf(filter), rowsOf(aloneFilter)) << step.typed;
  }
}

// The user's game stays selected and current through refreshes, filtered or not.
TEST(CatalogueModel, SelectionByFileSurvivesARefresh) {
  CatalogueModel model;
  CatalogueFilter filter(&model);
  QListView view;
  view.setModel(&filter);
  model.takeScan(records({"b=Beta", "d=Delta", "f=Foxtrot"}));
  filter.setNameFilter(QStringLiteral("t"));
  view.setCurrentIndex(filter.index(2, 0));
  ASSERT_EQ(test::selectedFile(&view), QStringLiteral("f"));

  model.applyRefresh(records({"a=Alpha", "c=Charlie", "e=Echo", "f=Foxtrot Two", "g=Golf"}));
  EXPECT_EQ(test::selectedFile(&view), QStringLiteral("f"));
  EXPECT_EQ(view.currentIndex().data().toString(), QStringLiteral("Foxtrot Two"));
  EXPECT_EQ(rowsOf(filter), QStringList{QStringLiteral("f=Foxtrot Two")});
}

}  // namespace
}  // namespace vorlane
