#include <cstdio>
#include <variant>

#include <QApplication>
#include <QProcessEnvironment>
#include <QStringList>

#include "core/start/DisplayCheck.h"
#include "core/start/StartOptions.h"
#include "ui/Application.h"
#include "ui/BaseDirectoryChooser.h"
#include "ui/MainWindow.h"
#include "ui/editor/DriverEditor.h"
#include "ui/gamepad/GamepadTiming.h"

namespace {

int endEarly(const vorlane::EarlyExit& early) {
  std::fputs(early.text.toLocal8Bit().constData(), early.exitCode == 0 ? stdout : stderr);
  return early.exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  // The command line is read, and a given base entered, before the application object exists:
  // help, version and usage errors need no display, and its absence is told before Qt aborts.
  const QStringList arguments = vorlane::startArguments(argc, argv);
  const auto parsed = vorlane::parseStartOptions(arguments);
  if (const auto* early = std::get_if<vorlane::EarlyExit>(&parsed)) {
    return endEarly(*early);
  }
  const auto& options = std::get<vorlane::StartOptions>(parsed);
  if (options.baseSource == vorlane::BaseSource::Given) {
    if (const auto problem = vorlane::enterBaseDirectory(options.baseDirectory)) {
      return endEarly({vorlane::kUsageErrorExitCode, *problem});
    }
  }

  if (const auto noDisplay =
          vorlane::noDisplayExit(arguments, QProcessEnvironment::systemEnvironment())) {
    return endEarly(*noDisplay);
  }

  QApplication application(argc, argv);
  vorlane::setUpApplication(application);
  if (!vorlane::enterMenuStartBase(options.baseSource)) {
    return 0;
  }
  vorlane::MainWindow mainWindow;
  if (!mainWindow.hasBaseDirectory()) {
    return 1;
  }
  vorlane::DriverEditor driverEditor;
  mainWindow.setDriverEditor(&driverEditor);
  mainWindow.showAsLeft(options.fullScreen);
  if (options.gamepads) {
    // Opening the pads reads the user's mappings: after the window is up, never before it.
    QMetaObject::invokeMethod(
        &mainWindow, [&mainWindow] { mainWindow.takeGamepads({}); }, Qt::QueuedConnection);
  }
  return application.exec();
}
