#include "core/start/DisplayCheck.h"

#include "core/start/ProgramInfo.h"

namespace vorlane {
namespace {

// Qt reads its options with one dash or two, each followed by its value as the next argument.
bool namesPlatformOrDisplay(const QStringList& arguments) {
  for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
    QString option = arguments[i];
    if (option.startsWith(QLatin1String("--"))) {
      option.remove(0, 1);
    }
    if (option == QLatin1String("-platform") || option == QLatin1String("-display")) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<EarlyExit> noDisplayExit(const QStringList& arguments,
                                       const QProcessEnvironment& environment) {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (!environment.value(QString::fromLatin1(variable)).isEmpty()) {
      return std::nullopt;
    }
  }
  if (namesPlatformOrDisplay(arguments)) {
    return std::nullopt;
  }
  return EarlyExit{kNoDisplayExitCode,
                   QStringLiteral("%1: no display: set DISPLAY or WAYLAND_DISPLAY, or name a Qt "
                                  "platform with -platform or QT_QPA_PLATFORM.\n")
                       .arg(QString::fromLatin1(kProgramName))};
}

}  // namespace vorlane
