#pragma once

#include <memory>
#include <optional>

#include <QString>
#include <QStringList>

#include "core/process/ProgramReport.h"

namespace vorlane {

class OutputLog;

struct ProgramStart {
  // Nothing on success, otherwise a text for the user with the program's path and the system's
  // reason in its own words ("Cannot start /base/tessik.exe: Exec format error").
  std::optional<QString> failure;
  // What the started program's watcher reports (its live output, when asked for, and its
  // end); null after a failure.
  std::unique_ptr<ProgramReport> report;
};

// Whether a program's output, besides going to its log, is also fed to the report as it comes;
// the last lines come with its end either way.
struct LiveOutput {
  bool fed = false;
};
inline constexpr LiveOutput kNoLiveOutput{};
inline constexpr LiveOutput kWholeLiveOutput{true};

// Starts the program with the given arguments and working directory and returns at once; no
// shell ever sees the arguments, nothing is waited for, and no zombie is left. Paths and
// arguments reach the program as the bytes encodeNative gives. A Windows executable (a file that
// begins with "MZ") is started through wine from the PATH. The program's standard output and
// error go to the log `output` when one is given (bounded, after a first line with the command
// and the time, and before a last line with the end), and where this process's own go
// otherwise.
ProgramStart startProgram(const QString& program, const QStringList& arguments,
                          const QString& workingDirectory, const OutputLog* output = nullptr,
                          LiveOutput live = kNoLiveOutput);

}  // namespace vorlane
