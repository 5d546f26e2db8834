// Section lists of huge files against floors measured in the same run. The core's listing of a
// language file with N sections against reading the file and cutting it into lines, for growing
// N: a linear listing keeps the ratio and the time per section flat. Then the two windows that
// show such lists: the main window on a language file of 100,000 sections against the same
// window on the demo's, and the driver editor on a driver of 20,000 sections against the same
// text put into a bare text widget. Runs on the offscreen platform.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "CopyTree.h"
#include "WindowBench.h"
#include "core/editor/DriverText.h"
#include "core/files/FileAccess.h"
#include "core/files/Paths.h"
#include "core/settings/ProfileFile.h"
#include "core/text/TextLines.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/common/MessageBoxes.h"
#include "ui/editor/DriverEditor.h"

namespace {

using vorlane::bench::copyTree;

constexpr int kRuns = 3;

// The best of a few runs, so a busy moment of the machine does not count.
double bestMilliseconds(const std::function<void()>& work) {
  double best = 0;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    best = run == 0 ? ms : std::min(best, ms);
  }
  return best;
}

// Names with accented letters, each section with a few captions; every tenth header repeats
// the one before it in capitals and in the other encoding, as a careless merge leaves them.
QByteArray sectionsText(int count) {
  QByteArray text;
  for (int i = 0; i < count; ++i) {
    const bool repeat = i % 10 == 9;
    const QByteArray number = QByteArray::number(repeat ? i - 1 : i);
    text += (repeat ? "[L\xCDNGUA " : "[L\xC3\xADngua ") + number + "]\r\ntabDrivers=Drivers " +
            number + "\r\nbtnFechar=&Close\r\n";
  }
  return text;
}

void benchmarkListing(const QString& directory, int count) {
  const QString path = vorlane::basePath(directory, QStringLiteral("vorlane.lng"));
  bench::writeFile(path, sectionsText(count));
  qsizetype listed = 0;
  const double listing =
      bestMilliseconds([&] { listed = vorlane::ProfileFile(path).sectionNames().size(); });
  const double floor =
      bestMilliseconds([&] { vorlane::splitLines(vorlane::readWholeFile(path)).size(); });
  if (listed != count - count / 10) {
    std::fprintf(stderr, "listed %lld of %d sections\n", qint64{listed}, count - count / 10);
    std::exit(1);
  }
  std::printf(
      "  N=%7d  listing %8.1f ms  floor (read, cut into lines) %7.1f ms  ratio %5.2f  "
      "%.2f us per section\n",
      count, listing, floor, listing / floor, listing * 1000 / count);
}

double mainWindowStart(const QString& base) {
  const QString previous = QDir::currentPath();
  QDir::setCurrent(base);
  const double ms = bestMilliseconds([] {
    vorlane::MainWindow window;
    window.show();
    QApplication::processEvents();
  });
  QDir::setCurrent(previous);
  return ms;
}

// The demo's languages behind 100,000 others, so every caption look-up passes them all.
void benchmarkMainWindow(const QString& demo, const QString& huge) {
  copyTree(QStringLiteral(VORLANE_DEMO_DIR), demo);
  copyTree(QStringLiteral(VORLANE_DEMO_DIR), huge);
  const QString languages = vorlane::basePath(huge, QStringLiteral("vorlane.lng"));
  bench::writeFile(languages, sectionsText(100'000) + vorlane::readWholeFile(languages));
  const double onDemo = mainWindowStart(demo);
  const double onHuge = mainWindowStart(huge);
  std::printf(
      "  main window, 100,000 language sections %8.1f ms  on the demo %6.1f ms  ratio %.2f\n",
      onHuge, onDemo, onHuge / onDemo);
}

void benchmarkEditor(const QString& directory) {
  const QString path = vorlane::basePath(directory, QStringLiteral("huge.drv"));
  const QByteArray bytes = "GAMENAME     Huge\r\n" + sectionsText(20'000);
  bench::writeFile(path, bytes);
  const double editor = bestMilliseconds([&] {
    vorlane::DriverEditor window;
    window.setDriverFile(path);
    window.show();
    QApplication::processEvents();
  });
  const double floor = bestMilliseconds([&] {
    QPlainTextEdit memo;
    memo.setPlainText(vorlane::widgetTextFromFile(vorlane::readWholeFile(path)));
    memo.show();
    QApplication::processEvents();
  });
  std::printf(
      "  driver editor, 20,000 sections %8.1f ms  floor (its text in a bare text widget) %6.1f ms"
      "  ratio %.2f\n",
      editor, floor, editor / floor);
}

}  // namespace

int main(int argc, char** argv) {
  const vorlane::bench::WindowBenchApplication application(argc, argv);
  QTemporaryDir files;
  QTemporaryDir demo;
  QTemporaryDir huge;
  if (!files.isValid() || !demo.isValid() || !huge.isValid()) {
    std::fprintf(stderr, "cannot make a temporary directory\n");
    return 1;
  }

  std::printf("section lists (best of %d, offscreen)\n", kRuns);
  for (const int count : {1'000, 20'000, 100'000}) {
    benchmarkListing(files.path(), count);
  }
  benchmarkMainWindow(demo.path(), huge.path());
  benchmarkEditor(files.path());
  return 0;
}
