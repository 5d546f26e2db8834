// Start-up cost of the main window against its floor: a bare top-level window of the same size
// plus the file reads that creation does; then start-up with a catalogue of 40,000 drivers
// against a bare window plus the floors of scanning it, warm and cold; start-up as the catalogue
// grows, and the peak resident memory of a window on 200,000 drivers. Runs on the offscreen
// platform so that figures do not depend on a display server.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include "CatalogueBench.h"
#include "CopyTree.h"
#include "core/catalogue/DriverScan.h"
#include "core/files/Paths.h"
#include "core/formats/FlatFile.h"
#include "core/settings/CaptionTable.h"
#include "core/settings/EmulatorConfig.h"
#include "core/settings/FrontEndSettings.h"
#include "core/settings/ProfileFile.h"
#include "core/text/TextCodec.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/common/MessageBoxes.h"
#include "ui/drivers/CatalogueModel.h"
#include "ui/gamepad/GamepadTiming.h"

namespace {

using vorlane::bench::copyTree;

constexpr int kRounds = 25;
constexpr int kWarmCatalogueRounds = 5;
constexpr int kColdCatalogueRounds = 3;
constexpr int kGrowthRounds = 3;
constexpr int kGrowthSizes[] = {10'000, 40'000, 200'000};
constexpr int kMemoryCatalogueSize = 200'000;
constexpr double kPeakMemoryTargetMb = 90;
// Start-up per driver at the largest catalogue against the smallest: linear growth keeps it near 1.
constexpr double kLinearGrowthTarget = 1.2;
const char* const kPeakMemoryOption = "--peak-memory-on";
// A fresh process pays for loading SDL's device access and mapping database at its first start.
const char* const kFirstStartOption = "--first-start-on";
const char* const kWithGamepads = "gamepads";
constexpr int kFirstStartRuns = 7;

// `untimedAfter` runs after each timed action, outside the time.
double medianMilliseconds(
    const std::function<void()>& action, const std::function<void()>& untimedAfter = [] {}) {
  std::vector<double> times;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    action();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    untimedAfter();
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void showAndSettle(QWidget& window) {
  window.show();
  QApplication::processEvents();
}

// The reads creation makes, through the same core functions, without any widget.
void readLikeCreation(const QString& base) {
  const QByteArray ini =
      vorlane::readFlatText(vorlane::basePath(base, vorlane::kEmulatorConfigFileName));
  for (const auto* setting :
       {&vorlane::kRomDirectorySetting, &vorlane::kLogDirectorySetting,
        &vorlane::kDriverDirectorySetting, &vorlane::kTestModeSetting,
        &vorlane::kContinueModeSetting, &vorlane::kDemoSoundsSetting, &vorlane::kVideoFlipSetting,
        &vorlane::kFreezeScreenSetting, &vorlane::kFreePlaySetting}) {
    vorlane::flatValue(ini, setting->key, setting->defaultValue);
  }
  const vorlane::ProfileFile settings(vorlane::basePath(base, vorlane::kFrontEndSettingsFileName));
  const vorlane::ProfileFile languages(vorlane::basePath(base, vorlane::kLanguageFileName));
  languages.sectionNames();
  const QByteArray language = vorlane::readSetting(settings, vorlane::kLanguageSetting);
  vorlane::readSetting(settings, vorlane::kCustomLineSetting);
  vorlane::readSetting(settings, vorlane::kCustomLineFieldEnabled);
  vorlane::readSetting(settings, vorlane::kCustomLineFlag);
  vorlane::readSetting(settings, vorlane::kResolutionSetting);
  vorlane::readSetting(settings, vorlane::kFrameskipSetting);
  for (const auto* box :
       {&vorlane::kSyncSetting, &vorlane::kDebugModeSetting, &vorlane::kCheckRomsSetting,
        &vorlane::kSwapSetting, &vorlane::kProfileModeSetting, &vorlane::kSoundSetting}) {
    vorlane::readSetting(settings, *box);
  }
  vorlane::languageTexts(languages, language);
  const vorlane::EmulatorSetting& drivers = vorlane::kDriverDirectorySetting;
  vorlane::scanDrivers(
      base, vorlane::decodeText(vorlane::flatValue(ini, drivers.key, drivers.defaultValue)));
}

// A base directory whose tessik.ini names its drivers folder, holding `count` drivers.
void layOutCatalogueBase(const QString& base, int count) {
  QFile ini(vorlane::basePath(base, vorlane::kEmulatorConfigFileName));
  if (!ini.open(QIODevice::WriteOnly) || ini.write("Drvdir       .\\drivers\r\n") < 0 ||
      !QDir(base).mkdir(QStringLiteral("drivers"))) {
    bench::fail("cannot lay out a base directory");
  }
  bench::writeDriverCatalogue(vorlane::basePath(base, QStringLiteral("drivers")), count);
}

// From the creation of the main window on `base` to its showing; its destruction is not counted.
bench::Cost startUpCost(const QString& base, int expectedDrivers) {
  QDir::setCurrent(base);
  std::optional<vorlane::MainWindow> window;
  const bench::Cost cost = bench::costOf([&] {
    window.emplace();
    showAndSettle(*window);
  });
  if (window->catalogue().rowCount() != expectedDrivers) {
    bench::fail("the window did not list every driver");
  }
  return cost;
}

struct CatalogueStartUp {
  bench::Cost bare;
  bench::Cost withDrivers;
  bench::Cost withoutDrivers;
  bench::Floors floors;
};

void reportCatalogueStartUp(const char* cache, int rounds, const CatalogueStartUp& best,
                            const bench::Cost& floor, const char* floorName) {
  const double drivers = best.withDrivers.wall - best.withoutDrivers.wall;
  const double driversCpu = best.withDrivers.cpu - best.withoutDrivers.cpu;
  std::printf("  %s (best of %d):\n", cache, rounds);
  bench::printFloors(best.floors);
  std::printf(
      "    %d drivers %.1f ms, none %.1f ms: the drivers cost %.1f ms (CPU %.1f), %.2f x the %s "
      "floor\n",
      bench::kCatalogueSize, best.withDrivers.wall, best.withoutDrivers.wall, drivers, driversCpu,
      drivers / floor.wall, floorName);
  std::printf(
      "    %d drivers against a bare window plus the %s floor (%.1f + %.1f ms): ratio %.2f\n",
      bench::kCatalogueSize, floorName, best.bare.wall, floor.wall,
      best.withDrivers.wall / (best.bare.wall + floor.wall));
}

void benchmarkCatalogueStartUp() {
  QTemporaryDir withDrivers;
  QTemporaryDir withoutDrivers;
  layOutCatalogueBase(withDrivers.path(), bench::kCatalogueSize);
  layOutCatalogueBase(withoutDrivers.path(), 0);
  const QString drivers = vorlane::basePath(withDrivers.path(), QStringLiteral("drivers"));
  const QString previous = QDir::currentPath();
  std::printf("start-up with %d drivers (offscreen, creation to shown window)\n",
              bench::kCatalogueSize);

  const auto bareWindow = [] {
    return bench::costOf([] {
      QWidget window;
      window.setFixedSize(532, 373);
      showAndSettle(window);
    });
  };
  const auto round = [&](CatalogueStartUp& best, const std::function<void()>& beforeEach) {
    beforeEach();
    best.withDrivers.keepBest(startUpCost(withDrivers.path(), bench::kCatalogueSize));
    beforeEach();
    best.withoutDrivers.keepBest(startUpCost(withoutDrivers.path(), 0));
    bench::timeFloors(best.floors, drivers, beforeEach);
  };

  CatalogueStartUp warm;
  startUpCost(withDrivers.path(), bench::kCatalogueSize);  // loads the collator's data
  for (int i = 0; i < kWarmCatalogueRounds; ++i) {
    warm.bare.keepBest(bareWindow());
    round(warm, [] {});
  }
  reportCatalogueStartUp("warm", kWarmCatalogueRounds, warm, warm.floors.oneReader, "one-reader");

  if (bench::dropCaches()) {
    CatalogueStartUp cold;
    cold.bare = warm.bare;  // a bare window reads no files
    for (int i = 0; i < kColdCatalogueRounds; ++i) {
      round(cold, [] { bench::dropCaches(); });
    }
    reportCatalogueStartUp("cold, caches dropped before each", kColdCatalogueRounds, cold,
                           cold.floors.bestOfMany(), "many-reader");
  } else {
    bench::printColdNote();
  }
  QDir::setCurrent(previous);
}

// Start-up of a window on catalogues of growing size, warm: the time each driver costs stays the
// same when start-up grows linearly.
void benchmarkCatalogueGrowth() {
  const QString previous = QDir::currentPath();
  QTemporaryDir withoutDrivers;
  layOutCatalogueBase(withoutDrivers.path(), 0);
  bench::Cost none;
  for (int i = 0; i < kGrowthRounds; ++i) {
    none.keepBest(startUpCost(withoutDrivers.path(), 0));
  }
  std::printf("start-up as the catalogue grows (warm, best of %d; no drivers %.1f ms)\n",
              kGrowthRounds, none.wall);
  double firstPerDriver = 0;
  double lastPerDriver = 0;
  for (const int size : kGrowthSizes) {
    QTemporaryDir base;
    layOutCatalogueBase(base.path(), size);
    startUpCost(base.path(), size);  // warms the page cache
    bench::Cost best;
    for (int i = 0; i < kGrowthRounds; ++i) {
      best.keepBest(startUpCost(base.path(), size));
    }
    const double perThousand = (best.wall - none.wall) * 1000 / size;
    firstPerDriver = firstPerDriver == 0 ? perThousand : firstPerDriver;
    lastPerDriver = perThousand;
    std::printf("  %7d drivers %8.1f ms (CPU %8.1f): %.2f ms per 1,000 drivers\n", size, best.wall,
                best.cpu, perThousand);
  }
  std::printf("  per driver at %d against %d: ratio %.2f (linear: 1.00; target <= %.2f)\n",
              kGrowthSizes[std::size(kGrowthSizes) - 1], kGrowthSizes[0],
              lastPerDriver / firstPerDriver, kLinearGrowthTarget);
  QDir::setCurrent(previous);
}

// The peak resident memory of a fresh process that shows the main window on `base`, and the
// parts of its memory at the end, anonymous (the heap) and mapped from files (code, data), in MB.
struct PeakMemory {
  double peak = 0;
  double anonymous = 0;
  double files = 0;
};

PeakMemory peakMemoryOfWindowOn(const QString& program, const QString& base) {
  QProcess child;
  child.start(program, {QString::fromLatin1(kPeakMemoryOption), base});
  if (!child.waitForFinished(-1) || child.exitCode() != 0) {
    bench::fail("the window for the memory figure did not start");
  }
  const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
  if (figures.size() != 3) {
    bench::fail("the window for the memory figure gave no figures");
  }
  return {figures[0].toDouble() / 1024, figures[1].toDouble() / 1024, figures[2].toDouble() / 1024};
}

void benchmarkPeakMemory(const QString& program) {
  QTemporaryDir withDrivers;
  QTemporaryDir withoutDrivers;
  layOutCatalogueBase(withDrivers.path(), kMemoryCatalogueSize);
  layOutCatalogueBase(withoutDrivers.path(), 0);
  const PeakMemory none = peakMemoryOfWindowOn(program, withoutDrivers.path());
  const PeakMemory full = peakMemoryOfWindowOn(program, withDrivers.path());
  std::printf("peak resident memory of the program showing its window\n");
  std::printf("  no drivers %.1f MB; %d drivers %.1f MB (target <= %.0f MB), %.0f bytes a driver\n",
              none.peak, kMemoryCatalogueSize, full.peak, kPeakMemoryTargetMb,
              (full.peak - none.peak) * 1024 * 1024 / kMemoryCatalogueSize);
  std::printf(
      "  resident once shown: no drivers %.1f MB heap, %.1f MB files; %d drivers %.1f MB "
      "heap, %.1f MB files\n",
      none.anonymous, none.files, kMemoryCatalogueSize, full.anonymous, full.files);
}

// The child of benchmarkPeakMemory: shows the window on `base` and prints its peak, then its
// anonymous and file-mapped resident memory, in KB. The peak is the memory's own high-water mark,
// which starts afresh with the program; the resource usage's maximum would carry over the
// parent's from before the program was started.
int showWindowAndPrintPeakMemory(QApplication& application, const QString& base) {
  vorlane::setUpApplication(application);
  vorlane::setMessageBoxRecorder([](vorlane::BoxKind, const QString&) {});
  QDir::setCurrent(base);
  vorlane::MainWindow window;
  showAndSettle(window);
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) {
    return 1;
  }
  const QList<QByteArray> fields = {"VmHWM:", "RssAnon:", "RssFile:"};
  QList<QByteArray> figures(fields.size());
  for (QByteArray line; !(line = status.readLine()).isEmpty();) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
      if (line.startsWith(fields[i])) {
        figures[i] = line.mid(fields[i].size()).trimmed().split(' ').front();
      }
    }
  }
  if (figures.contains(QByteArray())) {
    return 1;
  }
  std::printf("%s\n", figures.join(' ').constData());
  return 0;
}

// The child of benchmarkFirstStart: prints the milliseconds from the window's creation to its
// showing on `base`, reading game controllers or not, as the program's first window.
int showFirstWindowAndPrintTime(QApplication& application, const QString& base, bool gamepads) {
  vorlane::setUpApplication(application);
  vorlane::setMessageBoxRecorder([](vorlane::BoxKind, const QString&) {});
  QDir::setCurrent(base);
  const auto start = std::chrono::steady_clock::now();
  vorlane::MainWindow window;
  if (gamepads) {
    window.takeGamepads({});
  }
  showAndSettle(window);
  std::printf(
      "%f\n",
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  return 0;
}

double firstStartOn(const QString& program, const QString& base, bool gamepads) {
  QStringList arguments = {QString::fromLatin1(kFirstStartOption), base};
  if (gamepads) {
    arguments.append(QString::fromLatin1(kWithGamepads));
  }
  QProcess child;
  child.start(program, arguments);
  if (!child.waitForFinished(-1) || child.exitCode() != 0) {
    bench::fail("the window for the first-start figure did not start");
  }
  return child.readAllStandardOutput().trimmed().toDouble();
}

// Runs alternate, so a machine that slows down part way weighs on both figures alike.
void benchmarkFirstStart(const QString& program, const QString& base) {
  std::vector<double> with;
  std::vector<double> without;
  for (int run = 0; run < kFirstStartRuns; ++run) {
    with.push_back(firstStartOn(program, base, true));
    without.push_back(firstStartOn(program, base, false));
  }
  const auto median = [](std::vector<double>& times) {
    std::nth_element(times.begin(), times.begin() + std::ssize(times) / 2, times.end());
    return times[times.size() / 2];
  };
  const double withMs = median(with);
  const double withoutMs = median(without);
  std::printf(
      "  first window of a fresh process (median of %d processes each): with game controllers "
      "read %.2f ms, without %.2f ms: %.2f ms more, target at most 10 ms\n",
      kFirstStartRuns, withMs, withoutMs, withMs - withoutMs);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const bool peakMemoryChild = argc == 3 && std::strcmp(argv[1], kPeakMemoryOption) == 0;
  const bool firstStartChild = argc >= 3 && std::strcmp(argv[1], kFirstStartOption) == 0;
  const QString childBase =
      peakMemoryChild || firstStartChild ? QString::fromLocal8Bit(argv[2]) : QString();
  const bool childGamepads =
      firstStartChild && argc == 4 && std::strcmp(argv[3], kWithGamepads) == 0;
  const auto launch = std::chrono::steady_clock::now();
  QApplication application(argc, argv);
  if (peakMemoryChild) {
    return showWindowAndPrintPeakMemory(application, childBase);
  }
  if (firstStartChild) {
    return showFirstWindowAndPrintTime(application, childBase, childGamepads);
  }
  vorlane::setUpApplication(application);
  const double applicationStart =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - launch).count();
  vorlane::setMessageBoxRecorder([](vorlane::BoxKind, const QString&) {});

  QTemporaryDir demo;
  QTemporaryDir empty;
  copyTree(QStringLiteral(VORLANE_DEMO_DIR), demo.path());
  const QString previous = QDir::currentPath();

  {
    QWidget warmUp;  // the first window pays for fonts and style once
    showAndSettle(warmUp);
  }
  const double bare = medianMilliseconds([] {
    QWidget window;
    window.setFixedSize(532, 373);
    showAndSettle(window);
  });
  const double reads = medianMilliseconds([&] { readLikeCreation(demo.path()); });
  // From creation to the shown window, as the catalogue figures below: a window's end is not
  // start-up, and closing its folder watches waits on the kernel for tens of milliseconds.
  auto startOn = [&](const QString& base, bool gamepads = false) {
    QDir::setCurrent(base);
    std::optional<vorlane::MainWindow> window;
    return medianMilliseconds(
        [&] {
          window.emplace();
          if (gamepads) {
            window->takeGamepads({});
          }
          showAndSettle(*window);
        },
        [&] { window.reset(); });
  };
  const double layoutOnly = startOn(empty.path());  // creation stops at the first read
  const double full = startOn(demo.path());
  // Each window starts and ends SDL's controller subsystems, as one program run does.
  const double withGamepads = startOn(demo.path(), true);
  QDir::setCurrent(previous);

  std::printf("start-up on the demo base directory (median of %d, offscreen)\n", kRounds);
  std::printf("  bare window %.2f ms, creation's file reads %.2f ms: floor %.2f ms\n", bare, reads,
              bare + reads);
  std::printf("  main window layout alone %.2f ms\n", layoutOnly);
  std::printf("  main window on the demo base directory %.2f ms\n", full);
  std::printf("  ratio to the floor %.2f; ratio to layout + reads %.2f\n", full / (bare + reads),
              full / (layoutOnly + reads));
  // What a user waits for: the application object comes first either way.
  std::printf(
      "  with the application's own start (%.2f ms, once): %.2f ms against %.2f ms, ratio %.2f\n",
      applicationStart, applicationStart + full, applicationStart + bare + reads,
      (applicationStart + full) / (applicationStart + bare + reads));

  std::printf(
      "  with game controllers read %.2f ms, without %.2f ms (--no-gamepad): %.2f ms more, "
      "target at most 10 ms\n",
      withGamepads, full, withGamepads - full);
  benchmarkFirstStart(QCoreApplication::applicationFilePath(), demo.path());

  bench::printMachine();
  bench::useTypicalLocale();
  benchmarkCatalogueStartUp();
  benchmarkCatalogueGrowth();
  benchmarkPeakMemory(QCoreApplication::applicationFilePath());
  return 0;
}
