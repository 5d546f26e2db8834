// Selecting games without a preview picture, with 50,000 unrelated files in preview/, against
// the same selections with an empty preview/. Counts the process's CPU time of the selections in
// the real main window (offscreen), each followed by the repaint it causes.
#include <chrono>
#include <cstdio>
#include <thread>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>

#include "CatalogueBench.h"
#include "WindowBench.h"
#include "ui/MainWindow.h"
#include "ui/drivers/CatalogueModel.h"

namespace {

constexpr int kUnrelatedPreviews = 50'000;
constexpr int kSelections = 60;

// Two drivers without previews, and `unrelated` preview files of other games.
void layOutBase(const QString& base, int unrelated) {
  QDir directory(base);
  if (!directory.mkdir(QStringLiteral("drivers")) || !directory.mkdir(QStringLiteral("preview"))) {
    bench::fail("cannot lay out a base directory");
  }
  bench::writeFile(directory.filePath(QStringLiteral("tessik.ini")), "Drvdir       .\\drivers\r\n");
  for (const char* driver : {"alpha.drv", "beta.drv"}) {
    bench::writeFile(directory.filePath(QStringLiteral("drivers/") + QLatin1String(driver)),
                     "GAMENAME     Game\r\n");
  }
  for (int i = 0; i < unrelated; ++i) {
    bench::writeFile(directory.filePath(QStringLiteral("preview/other%1.drv.jpg").arg(i)),
                     QByteArray());
  }
}

struct SelectionCost {
  double first = 0;  // the first selection after the window opened
  double next = 0;   // the selections after it
};

// CPU time of selections alternating between the two games, in the window built on `base`.
SelectionCost selectionCost(const QString& base) {
  vorlane::bench::WindowOnBase opened(base, 2);
  QListView* list = opened.list();
  const auto select = [&](int row) {
    list->setCurrentIndex(list->model()->index(row, 0));
    QApplication::processEvents();
  };
  SelectionCost cost;
  double start = bench::cpuMilliseconds();
  select(0);
  cost.first = bench::cpuMilliseconds() - start;
  start = bench::cpuMilliseconds();
  for (int i = 1; i <= kSelections; ++i) {
    select(i % 2);
  }
  cost.next = bench::cpuMilliseconds() - start;
  // The handler names the selected game's driver file.
  const auto* name = opened.window().findChild<QLabel*>(QStringLiteral("panNomeDriver"));
  if (name == nullptr ||
      name->text() !=
          list->model()->index(0, 0).data(vorlane::CatalogueModel::FileNameRole).toString()) {
    bench::fail("the selections did not reach the handler");
  }
  return cost;
}

}  // namespace

int main(int argc, char** argv) {
  const vorlane::bench::WindowBenchApplication application(argc, argv);

  QTemporaryDir crowded;
  QTemporaryDir empty;
  layOutBase(crowded.path(), kUnrelatedPreviews);
  layOutBase(empty.path(), 0);
  // A folder changed within the last moments may change again within the same tick of its
  // clock, so a lookup does not trust what it saw of it yet; a user's folder is older.
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  const QString previous = QDir::currentPath();

  selectionCost(empty.path());  // the first window pays for fonts and style once
  const SelectionCost withFiles = selectionCost(crowded.path());
  const SelectionCost withoutFiles = selectionCost(empty.path());
  QDir::setCurrent(previous);

  bench::printMachine();
  std::printf("selection of games without a preview (CPU time, offscreen)\n");
  std::printf("  first selection: %d unrelated files %.2f ms, empty preview/ %.2f ms\n",
              kUnrelatedPreviews, withFiles.first, withoutFiles.first);
  std::printf(
      "  %d selections after it: %d unrelated files %.2f ms, empty preview/ %.2f ms: "
      "ratio %.2f\n",
      kSelections, kUnrelatedPreviews, withFiles.next, withoutFiles.next,
      withFiles.next / withoutFiles.next);
  std::printf("  all %d selections: ratio %.2f\n", kSelections + 1,
              (withFiles.first + withFiles.next) / (withoutFiles.first + withoutFiles.next));
  return 0;
}
