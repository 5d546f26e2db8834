#pragma once

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>

#include "core/process/ProgramEnd.h"

// The fixed texts the user can see besides the captions, in one place: every failure, and what
// is said about the programs Vorlane starts. Paths are shown as displayPath shows them. The
// failures of the design keep their words; every other text is a window text, in the applied
// language.
namespace vorlane::messages {

// When the system's reason is that no descriptor was left, the message says so.
QString cannotOpenFile(const QString& path, int errorNumber = 0);
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
// "checksum.exe has ended with exit code 2.", "... has ended with signal 9 (Killed)."
QString programEnded(const QString& programName, ProgramEnd end);
// Output the window could not keep up with, and that only the log has.
QString outputSkipped(qint64 count);
// A program that could not be started, with the system's reason in its own words.
QString cannotStart(const QString& program, int errorNumber);
// The process that starts a program never told whether it did (it may have been stopped).
QString startNotReported(const QString& program);
// A Windows program, and no wine on the PATH to start it with.
QString needsWine(const QString& program);
// The emulator failed within its first seconds: how it ended, the last lines it wrote (maybe
// none), and where all of it is.
QString programEndedAtOnce(const QString& programName, ProgramEnd end, const QString& lastLines,
                           const QString& logPath);
// Where all that a started program wrote is.
QString wholeLog(const QString& logPath);
// A run's log that could not take its name, and where it is instead.
QString logKeptAside(const QString& logPath, const QString& takenPath, int errorNumber);
// The log of the run before could not be moved aside, so the new one left it in place.
QString previousLogInTheWay(const QString& logPath, const QString& previousPath, int errorNumber);

// The About page, naming the pages and the button by the captions they show.
QString aboutText(const QString& driversPage, const QString& settingsPage,
                  const QString& playButton);

// A log's first line: this word, the program and its arguments as it receives them (each in double
// quotes), and the time.
inline constexpr char kLogHeaderWord[] = "Started ";
QByteArray logHeader(const QByteArray& commandLine, const QByteArray& time);
// A log's lines written by the watcher of a started program after a fork, where nothing may
// allocate: each fills `buffer` (cut at `size` bytes) and returns the length. The line after
// the log's first part when the middle was left out, and the log's last line with the end.
std::size_t formatLeftOutLine(char* buffer, std::size_t size, std::uint64_t count);
std::size_t formatLogEndLine(char* buffer, std::size_t size, ProgramEnd end);

// The error box's text: the message, with a full stop when it is not empty and its last
// character's code is greater than that of ".".
QString errorBoxText(const QString& message);

}  // namespace vorlane::messages
