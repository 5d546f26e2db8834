#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace vorlane {

// Starts the program with the given arguments and working directory and returns at once; no
// shell ever sees the arguments, nothing is waited for, and no zombie is left. Paths and
// arguments reach the program as the bytes encodeNative gives. A Windows executable (a file that
// begins with "MZ") is started through wine from the PATH.
// Returns nothing on success, otherwise a text for the user with the program's path and the
// system's reason in its own words ("Cannot start /base/tessik.exe: Exec format error").
std::optional<QString> startProgram(const QString& program, const QStringList& arguments,
                                    const QString& workingDirectory);

}  // namespace vorlane
