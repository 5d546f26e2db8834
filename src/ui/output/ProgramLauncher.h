#pragma once

#include <chrono>

#include <QString>
#include <QStringList>

class QWidget;

namespace vorlane {

class ProgramReport;

// Both start `program` with the arguments in `workingDirectory` and return without waiting.
// When the program cannot be started the user is told in one warning box over `owner`, as the
// system shell would tell them; the caller learns nothing and goes on. What the program writes
// goes to a log in `logDirectory`, or in the user's cache folder when none can be made there (see
// createProgramLog); only when neither can take it does it go where this program's own output
// goes, and nothing else is shown.

// How long after its start an emulator that fails is taken to have failed to run the game.
inline constexpr std::chrono::milliseconds kEarlyEndWindow{5000};

// Play: the emulator's log is kept for the latest run and the one before. When the emulator
// fails (a non-zero exit code or a signal) within `earlyEndWindow` of its start, one box over
// `owner` says how it ended, shows the last lines it wrote and where the log is. Returns the
// report of the started emulator, which lives until its end has been reported, or null when it
// did not start.
const ProgramReport* launchEmulator(QWidget* owner, const QString& program,
                                    const QStringList& arguments, const QString& workingDirectory,
                                    const QString& logDirectory,
                                    std::chrono::milliseconds earlyEndWindow);

// Checksum: the log is the game's own (named after `driverFileName`), and a window titled with
// the tool and `gameName` shows the output as it comes, where the log is, and how the tool ended.
void launchChecksum(QWidget* owner, const QString& program, const QStringList& arguments,
                    const QString& workingDirectory, const QString& logDirectory,
                    const QString& driverFileName, const QString& gameName);

}  // namespace vorlane
