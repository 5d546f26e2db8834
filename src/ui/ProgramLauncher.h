#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vorlane {

// Both start `program` with the arguments in `workingDirectory` and return without waiting.
// When the program cannot be started the user is told in one warning box over `owner`, as the
// system shell would tell them; the caller learns nothing and goes on. What the program writes
// goes to a log in `logDirectory`; when no log can be made there (or the directory is empty), it
// goes where this program's own output goes, and nothing else is shown.

// Play: the emulator's log is kept for the latest run and the one before. When the emulator
// ends within its first seconds and has written something, one box over `owner` shows the last
// lines and where the log is.
void launchEmulator(QWidget* owner, const QString& program, const QStringList& arguments,
                    const QString& workingDirectory, const QString& logDirectory);

// Checksum: the log is the game's own (named after `driverFileName`), and a window titled with
// the tool and `gameName` shows it as it grows.
void launchChecksum(QWidget* owner, const QString& program, const QStringList& arguments,
                    const QString& workingDirectory, const QString& logDirectory,
                    const QString& driverFileName, const QString& gameName);

}  // namespace vorlane
