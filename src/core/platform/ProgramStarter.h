#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace vorlane {

// Starts the program with the given arguments and working directory and returns at once; no
// shell ever sees the arguments, nothing is waited for, and no zombie is left. A Windows
// executable (a file that begins with "MZ") is started through wine from the PATH.
// Returns nothing on success, otherwise a text for the user with the system's reason and the
// program's path.
std::optional<QString> startProgram(const QString& program, const QStringList& arguments,
                                    const QString& workingDirectory);

}  // namespace vorlane
