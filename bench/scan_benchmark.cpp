// The driver scan (listing, sorting, every game name read) against its floors of plain system
// calls, on a warm cache and, when the caches can be dropped, on a cold one. Prints each figure
// and its ratio to the one-reader floor and to the better of the two many-reader floors.

#include <cstdio>

#include <QTemporaryDir>

#include "CatalogueBench.h"
#include "core/catalogue/DriverScan.h"

namespace {

constexpr int kWarmRuns = 5;
constexpr int kColdRuns = 3;

void report(const char* cache, int runs, const bench::Cost& scan, const bench::Floors& floors) {
  std::printf("  %s (best of %d):\n", cache, runs);
  bench::printFloors(floors);
  std::printf(
      "    scan %.1f ms (CPU %.1f): %.2f x the one-reader floor, %.2f x the many-reader floor "
      "(%.1f ms); CPU %.2f x the one-reader floor's\n",
      scan.wall, scan.cpu, scan.wall / floors.oneReader.wall, scan.wall / floors.bestOfMany().wall,
      floors.bestOfMany().wall, scan.cpu / floors.oneReader.cpu);
}

void benchmark(int count, bool cold) {
  QTemporaryDir directory;
  if (!directory.isValid()) {
    bench::fail("cannot make a temporary directory");
  }
  bench::writeDriverCatalogue(directory.path(), count);
  std::printf("scan of %d drivers\n", count);

  const auto timeScan = [&] {
    vorlane::DriverScanResult scan;
    const bench::Cost cost =
        bench::costOf([&] { scan = vorlane::scanDrivers(directory.path(), QString()); });
    if (scan.files.size() != count || !scan.firstUnreadablePath.isEmpty()) {
      bench::fail("the scan did not read every driver");
    }
    return cost;
  };

  timeScan();  // the first scan pays for loading the collator's data
  bench::Cost scan;
  bench::Floors floors;
  // Scan and floors in turns, so a busy moment of the machine weighs on neither alone.
  for (int run = 0; run < kWarmRuns; ++run) {
    scan.keepBest(timeScan());
    bench::timeFloors(floors, directory.path(), [] {});
  }
  report("warm", kWarmRuns, scan, floors);

  if (!cold) {
    return;
  }
  if (!bench::dropCaches()) {
    bench::printColdNote();
    return;
  }
  scan = {};
  floors = {};
  for (int run = 0; run < kColdRuns; ++run) {
    bench::dropCaches();
    scan.keepBest(timeScan());
    bench::timeFloors(floors, directory.path(), [] { bench::dropCaches(); });
  }
  report("cold, caches dropped before each run", kColdRuns, scan, floors);
}

}  // namespace

int main() {
  bench::printMachine();
  bench::useTypicalLocale();
  benchmark(1'000, false);
  benchmark(bench::kCatalogueSize, true);
  return 0;
}
