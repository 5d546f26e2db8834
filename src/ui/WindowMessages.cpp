#include "ui/WindowMessages.h"

#include <cstring>

#include "core/settings/WindowTexts.h"
#include "core/text/NativeText.h"

namespace vorlane::messages {
namespace {

// "exit code 2", "signal 9 (Killed)" in the applied language; empty for an unknown end.
QString endStatus(ProgramEnd end) {
  switch (end.kind) {
    case ProgramEnd::Kind::Exited:
      return windowText(WindowText::ExitCode).arg(end.value);
    case ProgramEnd::Kind::Killed: {
      const char* name = ::sigdescr_np(end.value);
      return windowText(WindowText::Signal)
          .arg(QString::number(end.value),
               name != nullptr ? QString::fromLocal8Bit(name) : QString::number(end.value));
    }
    case ProgramEnd::Kind::Unknown:
      break;
  }
  return QString();
}

}  // namespace

QString missingArchive(const QString& path) {
  return windowText(WindowText::MissingArchive).arg(displayPath(path));
}

QString withoutArchive(const QString& driverCount, int missing) {
  return windowText(WindowText::WithoutArchive).arg(driverCount).arg(missing);
}

QString programOutputTitle(const QString& programName, const QString& gameName) {
  return windowText(WindowText::OutputTitle).arg(programName, gameName);
}

QString programRunning(const QString& programName) {
  return windowText(WindowText::ProgramRunning).arg(programName);
}

QString programEnded(const QString& programName, ProgramEnd end) {
  const QString status = endStatus(end);
  return status.isEmpty() ? windowText(WindowText::ProgramEnded).arg(programName)
                          : windowText(WindowText::ProgramEndedWith).arg(programName, status);
}

QString outputSkipped(qint64 count) {
  return windowText(WindowText::OutputSkipped).arg(count);
}

QString programEndedAtOnce(const QString& programName, ProgramEnd end, const QString& lastLines,
                           const QString& logPath) {
  if (lastLines.isEmpty()) {
    return windowText(WindowText::EndedAtOnceSilently).arg(programName, endStatus(end)) +
           QStringLiteral("\n\n") + wholeLog(logPath);
  }
  return windowText(WindowText::EndedAtOnce).arg(programName, endStatus(end)) +
         QStringLiteral("\n\n") + lastLines + QStringLiteral("\n\n") + wholeLog(logPath);
}

QString wholeLog(const QString& logPath) {
  return windowText(WindowText::WholeLog).arg(displayPath(logPath));
}

QString aboutText(const QString& driversPage, const QString& settingsPage,
                  const QString& playButton) {
  return windowText(WindowText::AboutText)
      .replace(QLatin1String("\\n"), QLatin1String("\n"))
      .arg(driversPage, settingsPage, playButton);
}

}  // namespace vorlane::messages
