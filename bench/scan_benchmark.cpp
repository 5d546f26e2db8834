// The driver scan against its floor: a plain loop that opens, reads whole and closes the same
// files in the same order. Prints both times and their ratio for a small and a large catalogue.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "core/catalogue/DriverScan.h"
#include "core/platform/Paths.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;

// About 1.5 KB, the game name a few lines in, as real driver files have it.
QByteArray driverText(int index) {
  QByteArray text = "[Driver]\r\nDIRECTORY    game" + QByteArray::number(index) +
                    "\r\nCPU          z80\r\nCLOCK        3072000\r\nGAMENAME     \"Game number " +
                    QByteArray::number(index) + "\"\r\nYEAR         1981\r\n\r\n[Roms]\r\n";
  for (int rom = 0; text.size() < 1500; ++rom) {
    text += "rom" + QByteArray::number(rom) + ".bin  size 0x1000  crc 0x" +
            QByteArray::number(index * 7919 + rom, 16) + "  region cpu1\r\n";
  }
  return text;
}

// File names in mixed letter case, written in shuffled order so the listing is unsorted.
void writeCatalogue(const QString& directory, int count) {
  std::vector<int> order(count);
  for (int i = 0; i < count; ++i) {
    order[i] = i;
  }
  std::shuffle(order.begin(), order.end(), std::mt19937(12345));
  for (const int index : order) {
    const QString name =
        (index % 3 == 0 ? QStringLiteral("Game%1.drv") : QStringLiteral("game%1.DRV")).arg(index);
    QFile file(vorlane::basePath(directory, name));
    if (!file.open(QIODevice::WriteOnly) || file.write(driverText(index)) < 0) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
      std::exit(1);
    }
  }
}

double milliseconds(const std::function<void()>& work) {
  const Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void benchmark(int count) {
  QTemporaryDir directory;
  if (!directory.isValid()) {
    std::fprintf(stderr, "cannot make a temporary directory\n");
    std::exit(1);
  }
  writeCatalogue(directory.path(), count);

  // The two are timed in turns and the best of each kept, so a busy moment of the machine
  // weighs on neither alone.
  vorlane::DriverScanResult scan;
  qint64 bytes = 0;
  double scanMs = 0;
  double floorMs = 0;
  for (int run = 0; run < kRuns; ++run) {
    const double scanRun =
        milliseconds([&] { scan = vorlane::scanDrivers(directory.path(), QString()); });
    const double floorRun = milliseconds([&] {
      bytes = 0;
      for (const QString& name : std::as_const(scan.files)) {
        QFile file(vorlane::basePath(scan.directory, name));
        if (file.open(QIODevice::ReadOnly)) {
          bytes += file.readAll().size();
        }
      }
    });
    scanMs = run == 0 ? scanRun : std::min(scanMs, scanRun);
    floorMs = run == 0 ? floorRun : std::min(floorMs, floorRun);
  }
  if (scan.files.size() != count) {
    std::fprintf(stderr, "scan found %lld of %d files\n", qint64{scan.files.size()}, count);
    std::exit(1);
  }
  std::printf(
      "scan  N=%6d  scan %8.1f ms  floor (open, read whole, close) %8.1f ms  ratio %.2f"
      "  (%.1f MB read)\n",
      count, scanMs, floorMs, scanMs / floorMs, double(bytes) / 1e6);
}

}  // namespace

int main() {
  for (const int count : {1'000, 40'000}) {
    benchmark(count);
  }
  return 0;
}
