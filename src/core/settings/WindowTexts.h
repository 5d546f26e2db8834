#pragma once

#include <span>

#include <QString>
#include <QStringList>

// The texts of the windows that are no control's caption (a tip, spoken names, the output
// window's lines, a box's heading, the About page, the editor's question, the folder chooser,
// the messages Vorlane adds to the documented ones), translated by the language file like the
// captions. "%1", "%2" and "%3" stand for what the place that shows the text fills in.
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
  AboutText,            // the About page; %1 and %2 the Drivers and settings pages' captions,
                        // %3 the play button's; a backslash and "n" break a line, since a
                        // value is one line
  CannotStart,          // a program that could not start; %1 the program, %2 the system's reason
  NeedsWine,            // a Windows program, and no wine on the PATH; %1 the program
  StartNotReported,     // the process that starts a program never told whether it did; %1 it
  LogKeptAside,         // %1 the log, %2 the name it could not take, %3 the system's reason
  PreviousLogInTheWay,  // %1 the log, %2 where the one before could not go, %3 the reason
  NotInWindows1252,     // a character the editor cannot save; %1 it, %2 its code
  EditorSaveTip,        // the editor's tool buttons
  EditorCloseTip,
  EditorNotLoaded,      // the editor's title after a failed load; %1 the driver file
  SaveChangesQuestion,  // asked on closing the editor with unsaved changes; %1 the driver file
  SaveButton,           // that question's answers; Cancel is the folder chooser's too
  DiscardButton,
  CancelButton,
  ChooserTitle,  // the folder chooser for the emulator's directory
  ChooserLookIn,
  ChooserName,
  ChooserType,
  ChooserAccept,
  ChooserDirectories,  // what the chooser lists
  NoEmulatorConfig,    // a chosen folder without tessik.ini; %1 the folder
  CannotOpenFolder,    // a chosen folder that cannot be entered; %1 the folder
  FolderNotFound,      // a directory field's sign; %1 the folder
  ProgramNotFound,     // a line of Play's or Checksum's tip; %1 the program
  ProgramCannotRun,    // the same for a program that is there but cannot be run
  PagesName,           // what a screen reader calls the controls without a caption
  DriverListName,
  PreviewName,
  PreviewPictureName,
  CommandLineName,
  AboutName,
  SectionsName,  // the editor's
  DriverTextName,
  FollowedByPolling,  // the count panel's tip while the folders are looked at again in turns
  OrderByGameName,    // the game list's menu
  OrderByFileName,
  OnlyWithRomArchive,
  KeepPictureShape,  // the preview's menu
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
