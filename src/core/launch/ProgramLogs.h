#pragma once

#include <QByteArray>
#include <QString>

// Where Play and Checksum keep what the programs wrote, and what of it the user is shown.
namespace vorlane {

// The emulator's log of the latest Play, and the one of the Play before it.
QString emulatorLogPath(const QString& logDirectory);
QString previousEmulatorLogPath(const QString& logDirectory);

// One checksum log per game, named after the driver file without its extension
// ("checksum-pacman.log"), replaced at each run.
QString checksumLogPath(const QString& logDirectory, const QString& driverFileName);

// The last `count` lines of a program's output, without the line breaks after the last one;
// "\r\n" counts as one line break.
QByteArray lastLines(const QByteArray& output, int count);

}  // namespace vorlane
