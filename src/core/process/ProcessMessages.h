#pragma once

#include <QString>

// What the user is told about starting a program and keeping its log, in the applied language.
// Paths are shown as displayPath shows them.
namespace vorlane::messages {

// A program that could not be started, with the system's reason in its own words.
QString cannotStart(const QString& program, int errorNumber);
// A Windows program, and no wine on the PATH to start it with.
QString needsWine(const QString& program);
// The process that starts a program never told whether it did (it may have been stopped).
QString startNotReported(const QString& program);
// A run's log that could not take its name, and where it is instead.
QString logKeptAside(const QString& logPath, const QString& takenPath, int errorNumber);
// The log of the run before could not be moved aside, so the new one left it in place.
QString previousLogInTheWay(const QString& logPath, const QString& previousPath, int errorNumber);

}  // namespace vorlane::messages
