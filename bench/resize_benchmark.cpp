// Resizing the main window as a drag does, one step at a time, with the demo's 13 drivers and
// with 200,000, the first game selected: the time of each step on the window's thread, the
// resize with the layout and the painting it causes, against the 16 ms of one frame at 60 per
// second. Runs on the offscreen platform.
#include <algorithm>
#include <cstdio>
#include <optional>

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QTemporaryDir>

#include "CatalogueBench.h"
#include "CopyTree.h"
#include "WindowBench.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/common/MessageBoxes.h"
#include "ui/drivers/CatalogueModel.h"

namespace {

constexpr double kFrameMs = 16;
constexpr int kHugeCatalogue = 200'000;
constexpr int kSteps = 120;  // there and back, 12 by 8 pixels a step

struct StepCost {
  double worst = 0;
  double mean = 0;
  double meanCpu = 0;  // the process's CPU time, which other work on the machine does not add to
};

// The steps of a drag from the layout's size to a larger one and back, in the window built on
// `base`, its catalogue replaced with `drivers` when given.
StepCost dragCost(const QString& base, const std::optional<QList<vorlane::DriverRecord>>& drivers) {
  QDir::setCurrent(base);
  vorlane::MainWindow window;
  auto* list = window.findChild<QListView*>(QStringLiteral("lstDrivers"));
  auto* filter = qobject_cast<QAbstractProxyModel*>(list->model());
  if (drivers) {
    qobject_cast<vorlane::CatalogueModel*>(filter->sourceModel())->takeScan(*drivers);
  }
  window.show();
  list->setCurrentIndex(list->model()->index(0, 0));
  QApplication::processEvents();
  if (list->model()->rowCount() != (drivers ? kHugeCatalogue : 13)) {
    bench::fail("the window does not list the catalogue");
  }
  const QSize smallest = window.size();
  StepCost cost;
  for (int step = 0; step < kSteps; ++step) {
    const int growth = (step < kSteps / 2 ? step : kSteps - step) * 8;
    const bench::Cost stepCost = bench::costOf([&] {
      window.resize(smallest + QSize(growth * 12 / 8, growth));
      QApplication::processEvents();
    });
    cost.worst = std::max(cost.worst, stepCost.wall);
    cost.mean += stepCost.wall / kSteps;
    cost.meanCpu += stepCost.cpu / kSteps;
  }
  return cost;
}

}  // namespace

int main(int argc, char** argv) {
  const vorlane::bench::WindowBenchApplication application(argc, argv);
  QTemporaryDir demo;
  vorlane::bench::copyTree(QStringLiteral(VORLANE_DEMO_DIR), demo.path());
  const QString previous = QDir::currentPath();

  dragCost(demo.path(), std::nullopt);  // the first window pays for fonts and style once
  const StepCost few = dragCost(demo.path(), std::nullopt);
  const StepCost many = dragCost(demo.path(), bench::madeUpCatalogue(kHugeCatalogue, false));
  QDir::setCurrent(previous);

  bench::printMachine();
  std::printf("a resize step of the main window, %d steps of a drag (wall time, offscreen)\n",
              kSteps);
  std::printf("  13 drivers: worst %.2f ms, mean %.2f ms (CPU %.2f ms)\n", few.worst, few.mean,
              few.meanCpu);
  std::printf("  %d drivers: worst %.2f ms, mean %.2f ms (CPU %.2f ms)\n", kHugeCatalogue,
              many.worst, many.mean, many.meanCpu);
  std::printf("  ratio to 13 drivers: worst %.2f, mean %.2f, mean CPU %.2f\n",
              many.worst / few.worst, many.mean / few.mean, many.meanCpu / few.meanCpu);
  std::printf("  worst step %.2f x the %.0f ms frame, mean %.2f x\n", many.worst / kFrameMs,
              kFrameMs, many.mean / kFrameMs);
  return 0;
}
