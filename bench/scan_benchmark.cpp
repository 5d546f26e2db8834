// The driver scan (listing, sorting, every game name read) against its floors of plain system
// calls, on a warm cache and, when the caches can be dropped, on a cold one. Prints each figure
// and its ratio to the one-reader floor and to the better of the two many-reader floors, and the
// cost of marking the games whose ROM archives are missing against the scan without it.

#include <cstdio>
#include <functional>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "CatalogueBench.h"
#include "core/catalogue/DriverScan.h"

namespace {

constexpr int kWarmRuns = 5;
constexpr int kColdRuns = 3;

// The scan's figures, with and without looking for the games' ROM archives.
struct ScanCosts {
  bench::Cost plain;
  bench::Cost marking;
};

void report(const char* cache, int runs, const ScanCosts& costs, const bench::Floors& floors) {
  const bench::Cost& scan = costs.plain;
  std::printf("  %s (best of %d):\n", cache, runs);
  bench::printFloors(floors);
  std::printf(
      "    scan %.1f ms (CPU %.1f): %.2f x the one-reader floor, %.2f x the many-reader floor "
      "(%.1f ms); CPU %.2f x the one-reader floor's\n",
      scan.wall, scan.cpu, scan.wall / floors.oneReader.wall, scan.wall / floors.bestOfMany().wall,
      floors.bestOfMany().wall, scan.cpu / floors.oneReader.cpu);
  std::printf("    scan marking missing ROM archives %.1f ms (CPU %.1f): %.2f x the scan without\n",
              costs.marking.wall, costs.marking.cpu, costs.marking.wall / scan.wall);
}

// A ROM directory holding the archives of every other game of the catalogue.
void writeHalfTheArchives(const QString& directory, int count) {
  for (int index = 0; index < count; index += 2) {
    QFile archive(directory + QStringLiteral("/game%1.zip").arg(index));
    if (!archive.open(QIODevice::WriteOnly)) {
      bench::fail("cannot write the ROM archives");
    }
  }
}

void benchmark(int count, bool cold) {
  QTemporaryDir directory;
  if (!directory.isValid()) {
    bench::fail("cannot make a temporary directory");
  }
  QTemporaryDir roms;
  bench::writeDriverCatalogue(directory.path(), count);
  writeHalfTheArchives(roms.path(), count);
  std::printf("scan of %d drivers\n", count);

  const auto timeScan = [&](const QString& romDirectory) {
    vorlane::DriverScanResult scan;
    const bench::Cost cost = bench::costOf([&] {
      scan = vorlane::scanDrivers(directory.path(), QString(), {}, QLocale(), romDirectory);
    });
    if (scan.drivers.size() != count || !scan.firstUnreadablePath.isEmpty()) {
      bench::fail("the scan did not read every driver");
    }
    return cost;
  };

  const auto scanRound = [&](ScanCosts& costs, const std::function<void()>& beforeEach) {
    beforeEach();
    costs.plain.keepBest(timeScan(QString()));
    beforeEach();
    costs.marking.keepBest(timeScan(roms.path()));
  };

  timeScan(QString());  // the first scan pays for loading the collator's data
  ScanCosts scan;
  bench::Floors floors;
  // Scans and floors in turns, so a busy moment of the machine weighs on neither alone.
  for (int run = 0; run < kWarmRuns; ++run) {
    scanRound(scan, [] {});
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
    scanRound(scan, [] { bench::dropCaches(); });
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
