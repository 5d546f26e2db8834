// The list's order by game name: what ranking the games costs the scan (on a catalogue of 40,000
// driver files, and on 200,000 made-up names, plain and accented), and what switching a list of
// 200,000 drivers to that order and back costs on the window's thread, with a filter proxy, a list
// view and a selected row as the Drivers page has them: re-mapped from the ranks the scan left in
// the model below the proxy, and, for comparison, sorted by the proxy comparing those ranks. Each
// switch is printed beside its target. Runs on the offscreen platform.

#include <cstdio>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include <QApplication>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>

#include "CatalogueBench.h"
#include "core/catalogue/DriverScan.h"
#include "core/catalogue/GameNameOrder.h"
#include "core/text/TextCodec.h"
#include "ui/drivers/CatalogueFilter.h"
#include "ui/drivers/CatalogueModel.h"

namespace {

constexpr double kSwitchTargetMs = 100;
constexpr int kSwitchCatalogueSize = 200'000;
constexpr int kRuns = 5;

double bestOf(int runs, const std::function<void()>& work) {
  double best = std::numeric_limits<double>::max();
  for (int run = 0; run < runs; ++run) {
    best = std::min(best, bench::costOf(work).wall);
  }
  return best;
}

// The work and the layout and painting it causes.
bench::Cost costWithEvents(const std::function<void()>& work) {
  QApplication::processEvents();
  return bench::costOf([&] {
    work();
    QApplication::processEvents();
  });
}

void benchmarkRankingWithTheScan() {
  QTemporaryDir directory;
  if (!directory.isValid()) {
    bench::fail("cannot make a temporary directory");
  }
  bench::writeDriverCatalogue(directory.path(), bench::kCatalogueSize);
  QList<vorlane::DriverRecord> drivers;
  const double scan = bestOf(
      kRuns, [&] { drivers = vorlane::scanDrivers(directory.path(), directory.path()).drivers; });
  const double ranking = bestOf(kRuns, [&] { vorlane::rankByGameName(drivers); });
  std::printf("ranking by game name with the scan, %d drivers (best of %d):\n",
              bench::kCatalogueSize, kRuns);
  std::printf("  warm scan %.1f ms, of which ranking %.1f ms: %.3f of the scan\n", scan, ranking,
              ranking / scan);
  for (const bool accented : {false, true}) {
    QList<vorlane::DriverRecord> madeUp = bench::madeUpCatalogue(kSwitchCatalogueSize, accented);
    const double ms = bestOf(kRuns, [&] { vorlane::rankByGameName(madeUp); });
    std::printf("  ranking %d made-up names (%s): %.1f ms\n", kSwitchCatalogueSize,
                accented ? "3 in 10 accented" : "ASCII", ms);
  }
}

void print(const char* what, const bench::Cost& cost) {
  std::printf("  %s %.1f ms (CPU %.1f), %.2f x the %.0f ms target (CPU %.2f x)\n", what, cost.wall,
              cost.cpu, cost.wall / kSwitchTargetMs, kSwitchTargetMs, cost.cpu / kSwitchTargetMs);
}

// The rows of a ranked catalogue in the order chosen, switched as a re-map: the rows rowsInOrder
// gives, in one layout change that keeps persistent indexes (the selection) on their records. It
// stands for the Drivers page's model, which keeps list order and cannot switch yet.
class OrderedRows : public QAbstractListModel {
 public:
  explicit OrderedRows(QList<vorlane::DriverRecord> drivers)
      : m_drivers(std::move(drivers)),
        m_rows(vorlane::rowsInOrder(m_drivers, vorlane::ListOrder::ByFileName)) {}

  void setOrder(vorlane::ListOrder order) {
    Q_EMIT layoutAboutToBeChanged();
    QList<qsizetype> rows = vorlane::rowsInOrder(m_drivers, order);
    std::vector<int> shownAt(std::size_t(rows.size()));
    for (qsizetype place = 0; place < rows.size(); ++place) {
      shownAt[std::size_t(rows.at(place))] = int(place);
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& shown : before) {
      after.append(index(shownAt[std::size_t(m_rows.at(shown.row()))]));
    }
    m_rows = std::move(rows);
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
  }
  const vorlane::DriverRecord& record(int row) const { return m_drivers.at(m_rows.at(row)); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : int(m_rows.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    return role == Qt::DisplayRole ? QVariant(vorlane::decodeText(record(index.row()).gameName))
                                   : QVariant();
  }

 private:
  QList<vorlane::DriverRecord> m_drivers;  // in list order
  QList<qsizetype> m_rows;
};

// The Drivers page's filter proxy, ordered by sorting: the ranks compared, no name collated.
class RankedFilter : public vorlane::CatalogueFilter {
 public:
  explicit RankedFilter(vorlane::CatalogueModel* catalogue)
      : CatalogueFilter(catalogue), m_catalogue(catalogue) {}

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
    return m_catalogue->record(left.row()).gameNameRank <
           m_catalogue->record(right.row()).gameNameRank;
  }

 private:
  const vorlane::CatalogueModel* m_catalogue;
};

// A list view with one-line rows on `model`, its row `row` selected.
void showSelected(QListView& view, QAbstractItemModel* model, int row) {
  view.setModel(model);
  view.setUniformItemSizes(true);
  view.resize(300, 400);
  view.show();
  view.setCurrentIndex(model->index(row, 0));
}

// Switched in the model below the filter proxy, as a re-map.
void benchmarkRemap(const QList<vorlane::DriverRecord>& drivers) {
  OrderedRows model(drivers);
  QSortFilterProxyModel filter;
  filter.setSourceModel(&model);
  QListView view;
  const int selectedRow = int(drivers.size() / 3);
  showSelected(view, &filter, selectedRow);
  bench::Cost toGameName;
  bench::Cost toFileName;
  for (int run = 0; run < kRuns; ++run) {
    toGameName.keepBest(costWithEvents([&] { model.setOrder(vorlane::ListOrder::ByGameName); }));
    toFileName.keepBest(costWithEvents([&] { model.setOrder(vorlane::ListOrder::ByFileName); }));
  }
  if (&model.record(filter.mapToSource(view.currentIndex()).row()) != &model.record(selectedRow)) {
    bench::fail("the re-map lost the selection");
  }
  const double rows =
      bestOf(kRuns, [&] { vorlane::rowsInOrder(drivers, vorlane::ListOrder::ByGameName); });
  std::printf("  (the rows in game-name order from the ranks alone: %.1f ms)\n", rows);
  print("re-mapped to game names", toGameName);
  print("re-mapped back to file names", toFileName);
}

// Sorted by the Drivers page's filter proxy.
void benchmarkProxySort(const QList<vorlane::DriverRecord>& drivers) {
  vorlane::CatalogueModel model;
  model.takeScan(drivers);
  RankedFilter filter(&model);
  QListView view;
  const int selectedRow = int(drivers.size() / 3);
  showSelected(view, &filter, selectedRow);
  bench::Cost toGameName;
  bench::Cost toFileName;
  for (int run = 0; run < kRuns; ++run) {
    toGameName.keepBest(costWithEvents([&] { filter.sort(0); }));
    toFileName.keepBest(costWithEvents([&] { filter.sort(-1); }));
  }
  if (filter.mapToSource(view.currentIndex()).row() != selectedRow) {
    bench::fail("the sort lost the selection");
  }
  print("sorted by the filter proxy to game names", toGameName);
  print("sorted by the filter proxy back to file names", toFileName);
}

void benchmarkSwitch(bool accented) {
  QList<vorlane::DriverRecord> drivers = bench::madeUpCatalogue(kSwitchCatalogueSize, accented);
  vorlane::rankByGameName(drivers);
  std::printf("switching the order of %d drivers (%s) on the window's thread (best of %d):\n",
              kSwitchCatalogueSize, accented ? "3 in 10 names accented" : "ASCII names", kRuns);
  benchmarkRemap(drivers);
  benchmarkProxySort(drivers);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  bench::printMachine();
  bench::useTypicalLocale();
  benchmarkRankingWithTheScan();
  benchmarkSwitch(false);
  benchmarkSwitch(true);
  return 0;
}
