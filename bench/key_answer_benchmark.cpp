// How long the main window takes to answer a key while a checksum tool floods its output window,
// against the same keys on the idle window. Runs on the offscreen platform so that figures do not
// depend on a display server.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "CatalogueBench.h"
#include "WindowBench.h"
#include "ui/MainWindow.h"

namespace {

// Keys timed on the idle window and during the flood.
constexpr int kTimedKeys = 15;
// The main window answers a key during a flood within this many times what it takes when idle.
constexpr double kAnswerRatioTarget = 20;
constexpr int kWaitMs = 10'000;

// Runs the event loop as the program does until `done` holds; fails after kWaitMs.
void runUntil(const std::function<bool()>& done, const char* what) {
  const QDeadlineTimer deadline(kWaitMs);
  while (!done()) {
    if (deadline.hasExpired()) {
      bench::fail(what);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

// Times how long the main window takes to answer a key: the key waits in the event queue behind
// whatever the windows are doing, and the answer includes repainting the main window.
class KeyAnswerClock : public QObject {
 public:
  KeyAnswerClock(QWidget* window, QListView* list) : m_window(window), m_list(list) {
    m_list->installEventFilter(this);
  }

  // The time each of kTimedKeys keys took, in nanoseconds, sorted.
  std::vector<qint64> answers() {
    std::vector<qint64> times;
    for (int i = 0; i < kTimedKeys; ++i) {
      m_answeredAfter = -1;
      m_clock.start();
      QCoreApplication::postEvent(
          m_list,
          new QKeyEvent(QEvent::KeyPress, i % 2 == 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier));
      runUntil([&] { return m_answeredAfter >= 0; }, "a key was never answered");
      times.push_back(m_answeredAfter);
    }
    std::sort(times.begin(), times.end());
    return times;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == m_list && event->type() == QEvent::KeyPress && m_answeredAfter < 0) {
      m_window->repaint();
      m_answeredAfter = m_clock.nsecsElapsed();
    }
    return false;
  }

 private:
  QWidget* m_window;
  QListView* m_list;
  QElapsedTimer m_clock;
  qint64 m_answeredAfter = -1;
};

struct Answers {
  qint64 idleMedian = 0;
  qint64 floodMedian = 0;
  qint64 floodSlow = 0;  // the 90th percentile
};

// A checksum tool that writes `flood` over and over until the file `stop` exists, started from
// the window built on `base`; the keys timed before and during its flood.
Answers answersDuringFlood(const QString& base, const QByteArray& flood, const QString& stop) {
  bench::writeFile(base + QStringLiteral("/tools/checksum.exe"),
                   "#!/bin/sh\nuntil [ -e '" + stop.toUtf8() + "' ]; do " + flood + "; done\n");
  QFile::setPermissions(base + QStringLiteral("/tools/checksum.exe"),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  vorlane::bench::WindowOnBase opened(base, 1);
  vorlane::MainWindow& window = opened.window();
  QListView* list = opened.list();
  list->setCurrentIndex(list->model()->index(0, 0));
  KeyAnswerClock keys(&window, list);
  Answers answers;
  const std::vector<qint64> idle = keys.answers();
  answers.idleMedian = idle[kTimedKeys / 2];

  window.findChild<QPushButton*>(QStringLiteral("btnChecksum"))->click();
  runUntil(
      [&] {
        const auto outputs = window.findChildren<QPlainTextEdit*>(QStringLiteral("MemoSaida"));
        return !outputs.isEmpty() && !outputs.front()->toPlainText().isEmpty();
      },
      "the tool's output never showed");
  const std::vector<qint64> during = keys.answers();
  answers.floodMedian = during[kTimedKeys / 2];
  answers.floodSlow = during[kTimedKeys * 9 / 10];
  bench::writeFile(stop, QByteArray());
  return answers;
}

}  // namespace

int main(int argc, char** argv) {
  const vorlane::bench::WindowBenchApplication application(argc, argv);

  QTemporaryDir base;
  bench::writeFile(base.filePath(QStringLiteral("tessik.ini")),
                   "Romdir       .\\roms\\\r\nDrvdir       .\\drivers\r\n");
  bench::writeFile(base.filePath(QStringLiteral("drivers/alpha.drv")),
                   "GAMENAME     Alpha\r\nDIRECTORY    alpharoms\r\n");
  const QString previous = QDir::currentPath();

  const struct {
    const char* what;
    QByteArray flood;  // one burst of it
  } floods[] = {
      {"many lines", "yes 'Checking alpharoms.zip: 12 % done' | head -c 4194304"},
      {"one endless line", "yes 'abcdefghijklmnopqrstuvwxyz' | tr -d '\\n' | head -c 4194304"},
  };
  bench::printMachine();
  std::printf("main window's answer to a key while a tool floods its output (offscreen)\n");
  int stops = 0;
  for (const auto& flood : floods) {
    const Answers answers = answersDuringFlood(
        base.path(), flood.flood, base.filePath(QStringLiteral("stop%1").arg(++stops)));
    std::printf(
        "  %s: idle median %.3f ms, flood median %.3f ms, flood 90th percentile %.3f ms: "
        "ratio %.2f (target below %.0f)\n",
        flood.what, answers.idleMedian / 1e6, answers.floodMedian / 1e6, answers.floodSlow / 1e6,
        double(answers.floodSlow) / double(answers.idleMedian), kAnswerRatioTarget);
  }
  QDir::setCurrent(previous);
  return 0;
}
