#pragma once

#include <memory>
#include <optional>

#include <QString>
#include <QStringList>

#include "core/platform/ProgramEndWatch.h"

namespace vorlane {

class OutputLog;

struct ProgramStart {
  // Nothing on success, otherwise a text for the user with the program's path and the system's
  // reason in its own words ("Cannot start /base/tessik.exe: Exec format error").
  std::optional<QString> failure;
  // Tells when the started program ends; null after a failure, or when the system cannot tell.
  std::unique_ptr<ProgramEndWatch> end;
};

// Starts the program with the given arguments and working directory and returns at once; no
// shell ever sees the arguments, nothing is waited for, and no zombie is left. Paths and
// arguments reach the program as the bytes encodeNative gives. A Windows executable (a file that
// begins with "MZ") is started through wine from the PATH. The program's standard output and
// error go to `output` when one is given, and where this process's own go otherwise.
ProgramStart startProgram(const QString& program, const QStringList& arguments,
                          const QString& workingDirectory, const OutputLog* output = nullptr);

}  // namespace vorlane
