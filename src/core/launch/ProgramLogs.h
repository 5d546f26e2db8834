#pragma once

#include <functional>
#include <memory>

#include <QByteArray>
#include <QString>

#include "core/process/OutputLog.h"

// Where Play and Checksum keep what the programs wrote, and what of it the user is shown.
namespace vorlane {

// The emulator's log of the latest Play, and the one of the Play before it.
QString emulatorLogPath(const QString& logDirectory);
QString previousEmulatorLogPath(const QString& logDirectory);

// One checksum log per game, named after the driver file without its extension
// ("checksum-pacman.log"), replaced at each run.
QString checksumLogPath(const QString& logDirectory, const QString& driverFileName);

// A program's log, and the folder it was made in.
struct ProgramLog {
  std::unique_ptr<OutputLog> file;
  QString directory;
};

// Makes the log that `logPathIn` names in `logDirectory`, or, when none can be made there (the
// folder empty, missing, or not to be written), in "vorlane/logs" of the user's cache folder
// ($XDG_CACHE_HOME, else ~/.cache), whose missing folders are made for this user only. A null
// file when not even that folder can take it.
ProgramLog createProgramLog(const QString& logDirectory,
                            const std::function<QString(const QString&)>& logPathIn);

// The last `count` lines of a program's output, without the line breaks after the last one;
// "\r\n" counts as one line break.
QByteArray lastLines(const QByteArray& output, int count);

}  // namespace vorlane
