#pragma once

// What the catalogue benchmarks share: a generated driver catalogue, cold runs with the caches
// dropped, and the floors, which list and read the same files with plain system calls and no Qt.

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QString>

#include "core/catalogue/DriverScan.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline constexpr int kCatalogueSize = 40'000;
// The many-reader floor is the better of these two pool sizes.
inline constexpr int kFewReaders = 16;
inline constexpr int kManyReaders = 64;

[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(1);
}

// Writes a file whole, making its folder; a benchmark cannot run on without it.
inline void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
      file.write(bytes) != bytes.size()) {
    fail(qPrintable(QStringLiteral("cannot write ") + path));
  }
}

// The wall-clock time of some work and the CPU time it took, user and system, over every thread
// of the process, in milliseconds. On a machine shared with other work the wall-clock times
// depend on what else runs; the CPU times show the work done.
struct Cost {
  double wall = std::numeric_limits<double>::max();
  double cpu = std::numeric_limits<double>::max();

  void keepBest(const Cost& other) {
    wall = std::min(wall, other.wall);
    cpu = std::min(cpu, other.cpu);
  }
};

inline double cpuMilliseconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

inline Cost costOf(const std::function<void()>& work) {
  const double cpuBefore = cpuMilliseconds();
  const Clock::time_point start = Clock::now();
  work();
  return {std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
          cpuMilliseconds() - cpuBefore};
}

// The cores and the load average, since other work running at the same time weighs on every
// wall-clock figure.
inline void printMachine() {
  double load[1] = {0};
  ::getloadavg(load, 1);
  std::printf("machine: %u cores, load average %.2f\n", std::thread::hardware_concurrency(),
              load[0]);
}

// A user's locale, where the file names are sorted by the collator (the C locale, usual in build
// environments, takes a cheaper path).
inline void useTypicalLocale() {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// About 1.5 KB, the game name a few lines in, as real driver files have it.
inline QByteArray driverText(int index) {
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
inline void writeDriverCatalogue(const QString& directory, int count) {
  std::vector<int> order(count);
  for (int i = 0; i < count; ++i) {
    order[i] = i;
  }
  std::shuffle(order.begin(), order.end(), std::mt19937(12345));
  for (const int index : order) {
    const QString name =
        (index % 3 == 0 ? QStringLiteral("Game%1.drv") : QStringLiteral("game%1.DRV")).arg(index);
    QFile file(directory + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(driverText(index)) < 0) {
      fail("cannot write the driver catalogue");
    }
  }
}

// Records of game names of a few made-up words each, in list order by file name, so that filter
// texts match some and not others. With `accented`, about 3 names in 10 hold an accented letter,
// which the filter must decompose and only the collator's keys order.
inline QList<vorlane::DriverRecord> madeUpCatalogue(int count, bool accented) {
  static const char* const words[] = {"Pac",   "Galaxy", "Space", "Invaders", "Dragon",  "Fighter",
                                      "Mania", "Kong",   "Star",  "Zone",     "Quest",   "Force",
                                      "Rally", "Ninja",  "Turbo", "Blaster",  "Pokémon", "Café"};
  std::mt19937 random(2024);
  // The accented words come last.
  std::uniform_int_distribution<int> word(0, int(std::size(words)) - (accented ? 1 : 3));
  QList<vorlane::DriverRecord> drivers;
  drivers.reserve(count);
  for (int i = 0; i < count; ++i) {
    vorlane::DriverRecord driver;
    driver.file = QStringLiteral("game%1.drv").arg(i, 6, 10, QLatin1Char('0'));
    driver.gameName = QByteArray(words[word(random)]) + ' ' + words[word(random)] + ' ' +
                      words[word(random)] + ' ' + QByteArray::number(i);
    drivers.append(driver);
  }
  return drivers;
}

// Writes the dirty pages back and drops the page cache, dentries and inodes, as after a reboot.
// False when the system does not permit it (it needs root).
inline bool dropCaches() {
  ::sync();
  const int control = ::open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
  if (control < 0) {
    return false;
  }
  const bool dropped = ::write(control, "3", 1) == 1;
  ::close(control);
  return dropped;
}

inline void printColdNote() {
  std::printf(
      "  cold: skipped, the page cache cannot be dropped here (writing "
      "/proc/sys/vm/drop_caches needs root)\n");
}

inline bool isDriverName(const char* name) {
  const std::size_t length = std::strlen(name);
  return name[0] != '.' && length >= 4 && ::strcasecmp(name + length - 4, ".drv") == 0;
}

// The floor of a scan: the directory listed with readdir, then every driver file opened, read
// whole and closed, by `readers` threads that take the files in turn. Returns the bytes read.
inline long long plainScan(const std::string& directory, int readers) {
  std::vector<std::string> paths;
  DIR* listing = ::opendir(directory.c_str());
  if (listing == nullptr) {
    fail("cannot list the catalogue");
  }
  while (const dirent* entry = ::readdir(listing)) {
    if (isDriverName(entry->d_name)) {
      paths.push_back(directory + '/' + entry->d_name);
    }
  }
  ::closedir(listing);

  std::atomic<std::size_t> next{0};
  std::atomic<long long> total{0};
  const auto read = [&] {
    char buffer[64 * 1024];
    long long bytes = 0;
    for (std::size_t i; (i = next++) < paths.size();) {
      const int file = ::open(paths[i].c_str(), O_RDONLY | O_CLOEXEC);
      if (file < 0) {
        continue;
      }
      for (ssize_t got; (got = ::read(file, buffer, sizeof buffer)) > 0;) {
        bytes += got;
      }
      ::close(file);
    }
    total += bytes;
  };
  std::vector<std::thread> threads;
  for (int i = 1; i < readers; ++i) {
    threads.emplace_back(read);
  }
  read();
  for (std::thread& thread : threads) {
    thread.join();
  }
  return total;
}

// The best floors over several runs.
struct Floors {
  Cost oneReader;
  Cost fewReaders;
  Cost manyReaders;

  const Cost& bestOfMany() const {
    return fewReaders.wall <= manyReaders.wall ? fewReaders : manyReaders;
  }
};

// Times each floor once more, keeping the best; `beforeEach` runs untimed before every timing
// (a cache drop when cold).
inline void timeFloors(Floors& floors, const QString& directory,
                       const std::function<void()>& beforeEach) {
  const std::string path = QFile::encodeName(directory).toStdString();
  for (const auto& [readers, figure] :
       {std::pair{1, &Floors::oneReader}, std::pair{kFewReaders, &Floors::fewReaders},
        std::pair{kManyReaders, &Floors::manyReaders}}) {
    beforeEach();
    long long bytes = 0;
    (floors.*figure).keepBest(costOf([&] { bytes = plainScan(path, readers); }));
    if (bytes == 0) {
      fail("the floor read nothing");
    }
  }
}

inline void printFloors(const Floors& floors) {
  std::printf(
      "    floors (readdir, then open, read whole, close; no Qt): one reader %.1f ms (CPU %.1f); "
      "%d readers %.1f ms (CPU %.1f), %d readers %.1f ms (CPU %.1f)\n",
      floors.oneReader.wall, floors.oneReader.cpu, kFewReaders, floors.fewReaders.wall,
      floors.fewReaders.cpu, kManyReaders, floors.manyReaders.wall, floors.manyReaders.cpu);
}

}  // namespace bench
