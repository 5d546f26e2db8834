#pragma once

#include <span>

#include <QString>
#include <QStringList>

// The texts of the windows that are no control's caption (a tip, spoken names, the output
// window's lines, a box's heading), translated by the language file like the captions. "%1" and
// "%2" stand for what the place that shows the text fills in.
namespace vorlane {

enum class WindowText {
  MissingArchive,       // a game's tip; %1 its ROM archive
  WithoutArchive,       // the count panel's tip; %1 the count's spoken name, %2 the greyed games
  OneDriver,            // the count panel's spoken name with one game
  DriverCount,          // the same with %1 games
  ShownOfDrivers,       // while the filter hides games: %1 shown, %2 the count's spoken name
  OutputTitle,          // the output window's title; %1 the program, %2 the game
  ProgramRunning,       // %1 the program
  ProgramEnded,         // how it ended unknown; %1 the program
  ProgramEndedWith,     // %1 the program, %2 how it ended (ExitCode or Signal)
  ExitCode,             // %1 the code
  Signal,               // %1 the signal's number, %2 its name
  EndedAtOnce,          // the heading of the box about an emulator that failed at once; %1 the
                        // program, %2 how it ended
  EndedAtOnceSilently,  // the same when it wrote nothing
  WholeLog,             // that box's last line; %1 the log with all the emulator wrote
  OutputSkipped,        // the output window's line for output it passed over; %1 bytes
  FollowedByPolling,    // the count panel's tip while the folders are looked at again in turns
};

struct WindowTextRow {
  WindowText text;
  const char* key;          // the language file's key
  const char* builtInText;  // UTF-8; used when the language's section lacks the key
};

// One row per WindowText, in its order.
std::span<const WindowTextRow> windowTextTable();

// The text in the language applied last; the built-in text until one is applied. Only the
// user-interface thread asks and sets.
QString windowText(WindowText text);

// Takes one text per row of the table, in its order, when a language is applied.
void useWindowTexts(const QStringList& texts);

}  // namespace vorlane
