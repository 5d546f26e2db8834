#pragma once

#include <QString>

// The fixed texts the user can see besides the captions, in one place: every failure, and what
// is said about the programs Vorlane starts. Paths are shown as displayPath shows them.
namespace vorlane::messages {

QString cannotOpenFile(const QString& path);
QString cannotCreateFile(const QString& path);
QString cannotOpenDirectory(const QString& path);
QString streamWriteError();
QString unableToWriteTo(const QString& path);
QString textExceedsMemoCapacity();
QString jpegError(int code);
QString fileAccessDenied();
// The tip of a game whose ROM archive is not where the checksum tool would look for it.
QString missingArchive(const QString& path);
// The count panel's tip: the catalogue's size as the panel's name says it, and how many of its
// games have no ROM archive.
QString withoutArchive(const QString& driverCount, int missing);
// An edited driver file read as Windows-1252 is saved as Windows-1252, which has no code for
// this character.
QString notInWindows1252(char32_t character);
// The base directory cannot be known or is too long to work in; `errorNumber` says why.
QString cannotUseCurrentDirectory(int errorNumber);

// The window that shows what a started program writes, for one game: its title, and its word
// on whether the program still runs.
QString programOutputTitle(const QString& programName, const QString& gameName);
QString programRunning(const QString& programName);
QString programEnded(const QString& programName);
// A program that could not be started, with the system's reason in its own words.
QString cannotStart(const QString& program, int errorNumber);
// A Windows program, and no wine on the PATH to start it with.
QString needsWine(const QString& program);
// The emulator ended within its first seconds: the last lines it wrote, and where all of it is.
QString programEndedAtOnce(const QString& programName, const QString& lastLines,
                           const QString& logPath);

// The error box's text: the message, with a full stop when it is not empty and its last
// character's code is greater than that of ".".
QString errorBoxText(const QString& message);

}  // namespace vorlane::messages
