#pragma once

// What the catalogue benchmarks share: a generated driver catalogue, cold runs with the caches
// dropped, and the floors, which list and read the same files with plain system calls and no Qt.

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>

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

inline double millisecondsOf(const std::function<void()>& work) {
  const Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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

// The floors of one run, in milliseconds.
struct Floors {
  double oneReader = 0;
  double fewReaders = 0;
  double manyReaders = 0;
  double bestOfMany() const { return std::min(fewReaders, manyReaders); }
};

// Each floor timed once; `beforeEach` runs untimed before every timing (a cache drop when cold).
inline Floors timeFloors(const QString& directory, const std::function<void()>& beforeEach) {
  const std::string path = QFile::encodeName(directory).toStdString();
  Floors floors;
  for (const auto& [readers, figure] :
       {std::pair{1, &Floors::oneReader}, std::pair{kFewReaders, &Floors::fewReaders},
        std::pair{kManyReaders, &Floors::manyReaders}}) {
    beforeEach();
    long long bytes = 0;
    floors.*figure = millisecondsOf([&] { bytes = plainScan(path, readers); });
    if (bytes == 0) {
      fail("the floor read nothing");
    }
  }
  return floors;
}

// The best of each figure over several runs.
inline Floors bestOf(const Floors& a, const Floors& b) {
  return {std::min(a.oneReader, b.oneReader), std::min(a.fewReaders, b.fewReaders),
          std::min(a.manyReaders, b.manyReaders)};
}

inline void printFloors(const Floors& floors) {
  std::printf(
      "    floors (readdir, then open, read whole, close; no Qt): one reader %.1f ms; "
      "%d readers %.1f ms, %d readers %.1f ms\n",
      floors.oneReader, kFewReaders, floors.fewReaders, kManyReaders, floors.manyReaders);
}

}  // namespace bench
