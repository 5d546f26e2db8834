#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "support/TempBase.h"

namespace vorlane::test {

// Shell scripts that tests start in place of the emulator and the checksum tool.

// `body` as a script for /bin/sh.
QByteArray shellScript(const QByteArray& body);

// Writes `body` as an executable script at `name` in the base and returns its full path. A new
// file each time: a shell still running the old script reads on in its own.
QString writeProgram(const TempBase& base, const QString& name, const QByteArray& body);

// A script line that waits until `path` exists, for at most `timeoutMs`, so a script the test
// never releases does not outlive it by long.
QByteArray waitForFileLine(const QByteArray& path, int timeoutMs = 20000);

// A body that appends one record to `logPath` for each run: its working directory and each
// argument. Shell built-ins only, so it runs with any PATH; one write per record.
QByteArray recordingBody(const QString& logPath);
QString writeRecordingProgram(const TempBase& base, const QString& name, const QString& logPath);

struct ProgramRun {
  QString workingDirectory;  // each as the path text of its bytes
  QStringList arguments;
};

// The runs recorded in `logPath` once there are at least `count`, or those there are when
// `timeoutMs` has passed. Started programs are not waited for, so their records come later.
QList<ProgramRun> waitForRuns(const QString& logPath, qsizetype count, int timeoutMs = 10000);

}  // namespace vorlane::test
