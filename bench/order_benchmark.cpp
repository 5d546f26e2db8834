// The list's order by game name: what ranking a scan's games costs beside the scan (on a catalogue
// of 40,000 driver files, and on 200,000 made-up names, plain and accented), which a list shown
// in that order pays once, and what switching a list of 200,000 ranked drivers to that order and
// back costs on the window's thread, with the Drivers page's model, its filter proxy, a list view
// and a selected row: re-mapped by the model from the ranks, and, for comparison, sorted by the
// proxy comparing those ranks. Each switch is printed beside its target. Runs on the offscreen
// platform.

#include <cstdio>
#include <functional>
#include <limits>

#include <QApplication>
#include <QListView>
#include <QTemporaryDir>

#include "CatalogueBench.h"
#include "WindowBench.h"
#include "core/catalogue/DriverScan.h"
#include "core/catalogue/GameNameOrder.h"
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

void benchmarkRankingAfterTheScan() {
  QTemporaryDir directory;
  if (!directory.isValid()) {
    bench::fail("cannot make a temporary directory");
  }
  bench::writeDriverCatalogue(directory.path(), bench::kCatalogueSize);
  QList<vorlane::DriverRecord> drivers;
  const double scan = bestOf(
      kRuns, [&] { drivers = vorlane::scanDrivers(directory.path(), directory.path()).drivers; });
  // The whole ranking, as a scan's records get it once the list shows them by game name.
  const double ranking = bestOf(kRuns, [&] { vorlane::rankByGameName(drivers); });
  std::printf("ranking a scan's records by game name, %d drivers (best of %d):\n",
              bench::kCatalogueSize, kRuns);
  std::printf("  warm scan %.1f ms, then ranking %.1f ms: %.3f of the scan\n", scan, ranking,
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

// The driver file of the game selected in `view`; empty when none is.
QString selectedFile(const QListView& view) {
  const QModelIndexList selected = view.selectionModel()->selectedIndexes();
  return selected.isEmpty()
             ? QString()
             : selected.front().data(vorlane::CatalogueModel::FileNameRole).toString();
}

// Switched by the Drivers page's model below its filter proxy: the rows re-mapped from the ranks
// the scan left, in one layout change that keeps the selection on its game.
void benchmarkRemap(const QList<vorlane::DriverRecord>& drivers) {
  vorlane::CatalogueModel model;
  model.takeScan(drivers);
  vorlane::CatalogueFilter filter(&model);
  QListView view;
  const int selectedRow = int(drivers.size() / 3);
  showSelected(view, &filter, selectedRow);
  const QString selected = selectedFile(view);
  bench::Cost toGameName;
  bench::Cost toFileName;
  for (int run = 0; run < kRuns; ++run) {
    toGameName.keepBest(costWithEvents([&] { model.setOrder(vorlane::ListOrder::ByGameName); }));
    if (selectedFile(view) != selected) {
      bench::fail("the switch to game names lost the selection");
    }
    toFileName.keepBest(costWithEvents([&] { model.setOrder(vorlane::ListOrder::ByFileName); }));
  }
  if (selectedFile(view) != selected) {
    bench::fail("the switch back to file names lost the selection");
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
  const vorlane::bench::OffscreenApplication application(argc, argv);
  bench::printMachine();
  bench::useTypicalLocale();
  benchmarkRankingAfterTheScan();
  benchmarkSwitch(false);
  benchmarkSwitch(true);
  return 0;
}
