#pragma once

#include <optional>

#include <QProcessEnvironment>
#include <QStringList>

#include "core/start/StartOptions.h"

namespace vorlane {

inline constexpr int kNoDisplayExitCode = 1;

// Qt aborts when it has nowhere to open a window. Without a display in the environment
// (DISPLAY, WAYLAND_DISPLAY) and without a platform or display named (QT_QPA_PLATFORM, Qt's
// -platform and -display options) the program ends instead, with one line on standard error.
// `arguments` begin with the program's own name.
std::optional<EarlyExit> noDisplayExit(const QStringList& arguments,
                                       const QProcessEnvironment& environment);

}  // namespace vorlane
