#pragma once

#include <QString>

#include "core/process/ProgramEnd.h"

// The messages the windows compose from the window texts, in the applied language. Paths are
// shown as displayPath shows them.
namespace vorlane::messages {

// The tip of a game whose ROM archive is not where the checksum tool would look for it.
QString missingArchive(const QString& path);
// The count panel's tip: the catalogue's size as the panel's name says it, and how many of its
// games have no ROM archive.
QString withoutArchive(const QString& driverCount, int missing);

// The window that shows what a started program writes, for one game: its title, and its word
// on whether the program still runs.
QString programOutputTitle(const QString& programName, const QString& gameName);
QString programRunning(const QString& programName);
// "checksum.exe has ended with exit code 2.", "... has ended with signal 9 (Killed)."
QString programEnded(const QString& programName, ProgramEnd end);
// Output the window could not keep up with, and that only the log has.
QString outputSkipped(qint64 count);
// The emulator failed within its first seconds: how it ended, the last lines it wrote (maybe
// none), and where all of it is.
QString programEndedAtOnce(const QString& programName, ProgramEnd end, const QString& lastLines,
                           const QString& logPath);
// Where all that a started program wrote is.
QString wholeLog(const QString& logPath);

// The About page, naming the pages and the button by the captions they show.
QString aboutText(const QString& driversPage, const QString& settingsPage,
                  const QString& playButton);

}  // namespace vorlane::messages
