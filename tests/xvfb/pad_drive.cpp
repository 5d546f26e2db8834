// Drives the program's own main window on a real X display with an SDL virtual pad (no device
// can be attached to the real binary from outside without uinput), one step at a time, and
// saves a screenshot of the whole screen after each step into the given folder. Ends with 1
// when a step does not come about.
#include <functional>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QItemSelectionModel>
#include <QListView>
#include <QPixmap>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <SDL.h>

#include "support/VirtualPadDesc.h"
#include "ui/Application.h"
#include "ui/DriverEditor.h"
#include "ui/GamepadReader.h"
#include "ui/GamepadTiming.h"
#include "ui/MainWindow.h"

namespace {

struct Step {
  const char* name;
  std::function<void()> act;
  std::function<bool()> done;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  vorlane::setUpApplication(application);
  if (argc != 3) {
    qCritical("usage: pad_drive BASE SCREENSHOT_DIR");
    return 2;
  }
  const QString shots = QString::fromLocal8Bit(argv[2]);
  QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
  vorlane::MainWindow window;
  vorlane::DriverEditor editor;
  window.setDriverEditor(&editor);
  window.takeGamepads({});
  window.show();
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) {
    qCritical("the main window never became active");
    return 1;
  }

  SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
  const SDL_VirtualJoystickDesc desc = vorlane::test::virtualControllerDesc("Drive pad");
  SDL_Joystick* pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
  const auto* reader = window.findChild<vorlane::GamepadReader*>();

  auto* list = window.findChild<QListView*>(QStringLiteral("lstDrivers"));
  auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  const auto row = [list] {
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
  };
  // A state set on the pad is seen by the reader's next reading.
  const auto seen = [reader] {
    QSignalSpy polls(reader, &vorlane::GamepadReader::polled);
    while (polls.size() < 2 && polls.wait(10000)) {
    }
  };
  const auto tap = [pad, &seen](int button) {
    SDL_JoystickSetVirtualButton(pad, button, SDL_PRESSED);
    seen();
    SDL_JoystickSetVirtualButton(pad, button, SDL_RELEASED);
    seen();
  };
  int before = -1;
  const Step steps[] = {
      {"pad-attached", [] {}, [reader] { return reader->deviceCount() == 1; }},
      {"down-twice",
       [&] {
         tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
         tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
       },
       [&] { return row() == 2; }},  // the focus made the first row current
      {"last-game",
       [&] { SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767); },
       [&] { return row() == list->model()->rowCount() - 1; }},
      {"random-game",
       [&] {
         SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
         before = row();
         tap(SDL_CONTROLLER_BUTTON_Y);
       },
       [&] { return row() != before && row() >= 0; }},
      {"play-then-back", [&] { tap(SDL_CONTROLLER_BUTTON_A); },
       [&] { return QFile::exists(QStringLiteral("emulator.log")) && window.isActiveWindow(); }},
      {"settings-page",
       [&] {
         SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, SDL_PRESSED);
         seen();
         tap(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
         SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, SDL_RELEASED);
       },
       [&] { return pages->currentIndex() == 1; }},
  };
  int failures = 0;
  for (const Step& step : steps) {
    step.act();
    const bool done = QTest::qWaitFor(step.done, 10000);
    QApplication::processEvents();
    window.screen()->grabWindow(0).save(shots + QLatin1Char('/') + QLatin1String(step.name) +
                                        QStringLiteral(".png"));
    qInfo("%s: %s (selected row %d, page %d)", step.name, done ? "done" : "NOT DONE", row(),
          pages->currentIndex());
    failures += done ? 0 : 1;
  }
  SDL_JoystickClose(pad);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
  return failures == 0 ? 0 : 1;
}
