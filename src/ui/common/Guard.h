#pragma once

#include <exception>

#include <QObject>
#include <QString>

#include "core/errors/Error.h"
#include "ui/common/MessageBoxes.h"

namespace vorlane {

// Runs one handler: a failure ends it, shows the error box, and the program runs on.
template <typename Handler>
void runGuarded(Handler&& handler) noexcept {
  try {
    handler();
  } catch (const Error& error) {
    showErrorBox(error.message());
  } catch (const std::exception& error) {
    showErrorBox(QString::fromLocal8Bit(error.what()));
  }
}

// Connects a signal to a handler method of the window through the guard; what the method
// returns is dropped.
template <typename Sender, typename Signal, typename Window, typename Result>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, Window* window,
                                       Result (Window::*handler)()) {
  return QObject::connect(sender, signal, window,
                          [window, handler] { runGuarded([&] { (window->*handler)(); }); });
}

}  // namespace vorlane
