#pragma once

#include <optional>

#include <QProcessEnvironment>
#include <QStringList>

#include "core/start/StartOptions.h"

namespace vorlane {

inline constexpr int kNoDisplayExitCode = 1;

// Where local X servers listen, one socket a display: "X" and the display's number.
inline constexpr char kXSocketDirectory[] = "/tmp/.X11-unix";

// Qt aborts when it has nowhere to open a window. The program ends instead, with one line on
// standard error, when the environment names no display (DISPLAY, WAYLAND_DISPLAY) or none of
// those it names answers; unless a platform or display is named (QT_QPA_PLATFORM, Qt's -platform
// and -display options), which Qt is left to judge. A DISPLAY of a form not known here is left
// to Qt too. `arguments` begin with the program's own name.
std::optional<EarlyExit> noDisplayExit(
    const QStringList& arguments, const QProcessEnvironment& environment,
    const QString& xSocketDirectory = QLatin1String(kXSocketDirectory));

}  // namespace vorlane
