// The driver scan (listing, sorting, every game name read) against its floors of plain system
// calls, on a warm cache and, when the caches can be dropped, on a cold one. Prints each figure
// and its ratio to the one-reader floor and to the better of the two many-reader floors.

#include <cstdio>
#include <limits>

#include <QTemporaryDir>

#include "CatalogueBench.h"
#include "core/catalogue/DriverScan.h"

namespace {

constexpr int kWarmRuns = 5;
constexpr int kColdRuns = 3;

void report(const char* cache, int runs, double scanMs, const bench::Floors& floors) {
  std::printf("  %s (best of %d):\n", cache, runs);
  bench::printFloors(floors);
  std::printf(
      "    scan %.1f ms: %.2f x the one-reader floor, %.2f x the many-reader floor (%.1f ms)\n",
      scanMs, scanMs / floors.oneReader, scanMs / floors.bestOfMany(), floors.bestOfMany());
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
    const double ms =
        bench::millisecondsOf([&] { scan = vorlane::scanDrivers(directory.path(), QString()); });
    if (scan.files.size() != count || !scan.firstUnreadablePath.isEmpty()) {
      bench::fail("the scan did not read every driver");
    }
    return ms;
  };

  timeScan();  // the first scan pays for loading the collator's data
  double scanMs = std::numeric_limits<double>::max();
  bench::Floors floors{scanMs, scanMs, scanMs};
  // Scan and floors in turns, so a busy moment of the machine weighs on neither alone.
  for (int run = 0; run < kWarmRuns; ++run) {
    scanMs = std::min(scanMs, timeScan());
    floors = bench::bestOf(floors, bench::timeFloors(directory.path(), [] {}));
  }
  report("warm", kWarmRuns, scanMs, floors);

  if (!cold) {
    return;
  }
  if (!bench::dropCaches()) {
    bench::printColdNote();
    return;
  }
  scanMs = std::numeric_limits<double>::max();
  floors = {scanMs, scanMs, scanMs};
  for (int run = 0; run < kColdRuns; ++run) {
    bench::dropCaches();
    scanMs = std::min(scanMs, timeScan());
    floors =
        bench::bestOf(floors, bench::timeFloors(directory.path(), [] { bench::dropCaches(); }));
  }
  report("cold, caches dropped before each run", kColdRuns, scanMs, floors);
}

}  // namespace

int main() {
  bench::useTypicalLocale();
  benchmark(1'000, false);
  benchmark(bench::kCatalogueSize, true);
  return 0;
}
