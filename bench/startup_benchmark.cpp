// Start-up cost of the main window against its floor: a bare top-level window of the same size
// plus the file reads that creation does. Runs on the offscreen platform so that figures do not
// depend on a display server.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "CopyTree.h"
#include "core/catalogue/DriverScan.h"
#include "core/platform/Paths.h"
#include "core/platform/TextCodec.h"
#include "core/settings/CaptionTable.h"
#include "core/settings/EmulatorConfig.h"
#include "core/settings/FrontEndSettings.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/UFuncoes.h"
#include "ui/Application.h"
#include "ui/ErrorBox.h"
#include "ui/UPrincipal.h"

namespace {

using vorlane::bench::copyTree;

constexpr int kRounds = 25;

double medianMilliseconds(const std::function<void()>& action) {
  std::vector<double> times;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    action();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
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
  const QString ini = vorlane::basePath(base, vorlane::kEmulatorConfigFileName);
  for (const auto& setting : vorlane::kEmulatorSettings) {
    vorlane::LeValor(ini, setting.key, setting.defaultValue);
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
  for (const auto& box : vorlane::kOptionBoxSettings) {
    vorlane::readSetting(settings, box.setting);
  }
  vorlane::captionTexts(languages, language);
  vorlane::scanDrivers(base, vorlane::decodeText(vorlane::LeValor(ini, "Drvdir", ".")));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const auto launch = std::chrono::steady_clock::now();
  QApplication application(argc, argv);
  vorlane::setUpApplication(application);
  const double applicationStart =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - launch).count();
  vorlane::setErrorBoxRecorder([](const QString&) {});

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
  auto startOn = [&](const QString& base) {
    QDir::setCurrent(base);
    return medianMilliseconds([] {
      vorlane::TFrmPrincipal window;
      showAndSettle(window);
    });
  };
  const double layoutOnly = startOn(empty.path());  // creation stops at the first read
  const double full = startOn(demo.path());
  QDir::setCurrent(previous);

  std::printf("start-up (median of %d, offscreen)\n", kRounds);
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
  return 0;
}
