#include "support/StandInProgram.h"

#include <QFile>

#include "core/text/NativeText.h"
#include "support/Polling.h"

namespace vorlane::test {
namespace {

const QByteArray kDirectoryMark = "cwd=";
const QByteArray kArgumentMark = "arg=";
const QByteArray kEndMark = "end";
// How often a script looks again for the file it waits for.
constexpr int kScriptPollMs = 50;

// The complete records of a log; a record still being written is left for the next read.
QList<ProgramRun> parseRuns(const QByteArray& log) {
  QList<ProgramRun> runs;
  ProgramRun run;
  for (const QByteArray& line : log.split('\n')) {
    if (line.startsWith(kDirectoryMark)) {
      run = ProgramRun{decodeNative(line.mid(kDirectoryMark.size())), {}};
    } else if (line.startsWith(kArgumentMark)) {
      run.arguments.append(decodeNative(line.mid(kArgumentMark.size())));
    } else if (line == kEndMark) {
      runs.append(run);
    }
  }
  return runs;
}

}  // namespace

QByteArray shellScript(const QByteArray& body) {
  return "#!/bin/sh\n" + body;
}

QString writeProgram(const TempBase& base, const QString& name, const QByteArray& body) {
  QFile::remove(base.filePath(name));
  const QString path = base.write(name, shellScript(body));
  QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
  return path;
}

QByteArray waitForFileLine(const QByteArray& path, int timeoutMs) {
  const int tries = timeoutMs / kScriptPollMs;
  const QByteArray interval = QByteArray::number(kScriptPollMs / 1000.0);
  return "i=0; while [ ! -e '" + path + "' ] && [ $i -lt " + QByteArray::number(tries) +
         " ]; do sleep " + interval + "; i=$((i + 1)); done\n";
}

QByteArray recordingBody(const QString& logPath) {
  return "record=\"" + kDirectoryMark +
         "$(pwd -P)\"\n"
         "for argument in \"$@\"; do\n"
         "  record=\"$record\n" +
         kArgumentMark +
         "$argument\"\n"
         "done\n"
         "printf '%s\\n" +
         kEndMark + "\\n' \"$record\" >> '" + encodeNative(logPath) + "'\n";
}

QString writeRecordingProgram(const TempBase& base, const QString& name, const QString& logPath) {
  return writeProgram(base, name, recordingBody(logPath));
}

QList<ProgramRun> waitForRuns(const QString& logPath, qsizetype count, int timeoutMs) {
  QList<ProgramRun> runs;
  pollUntil(
      [&] {
        QFile file(logPath);
        runs = file.open(QIODevice::ReadOnly) ? parseRuns(file.readAll()) : QList<ProgramRun>();
        return runs.size() >= count;
      },
      timeoutMs);
  return runs;
}

}  // namespace vorlane::test
