#include "core/platform/Messages.h"

#include <cstring>

#include "core/platform/NativeText.h"
#include "core/settings/WindowTexts.h"

namespace vorlane::messages {

QString cannotOpenFile(const QString& path) {
  return QStringLiteral("Cannot open file %1").arg(displayPath(path));
}

QString cannotCreateFile(const QString& path) {
  return QStringLiteral("Cannot create file %1").arg(displayPath(path));
}

QString cannotOpenDirectory(const QString& path) {
  return QStringLiteral("Cannot open directory %1").arg(path);
}

QString streamWriteError() {
  return QStringLiteral("Stream write error");
}

QString unableToWriteTo(const QString& path) {
  return QStringLiteral("Unable to write to %1").arg(displayPath(path));
}

QString textExceedsMemoCapacity() {
  return QStringLiteral("Text exceeds memo capacity");
}

QString jpegError(int code) {
  return QStringLiteral("JPEG error #%1").arg(code);
}

QString missingArchive(const QString& path) {
  return windowText(WindowText::MissingArchive).arg(displayPath(path));
}

QString fileAccessDenied() {
  return QStringLiteral("File access denied");
}

QString notInWindows1252(char32_t character) {
  return QStringLiteral(
             "Cannot save the character \"%1\" (U+%2): this driver file is written in "
             "Windows-1252, which has no such character; the file was left as it was")
      .arg(QString::fromUcs4(&character, 1),
           QStringLiteral("%1")
               .arg(static_cast<uint>(character), 4, 16, QLatin1Char('0'))
               .toUpper());
}

QString cannotUseCurrentDirectory(int errorNumber) {
  return QStringLiteral("Cannot use the current directory as the base directory: %1")
      .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QString programOutputTitle(const QString& programName, const QString& gameName) {
  return windowText(WindowText::OutputTitle).arg(programName, gameName);
}

QString programRunning(const QString& programName) {
  return windowText(WindowText::ProgramRunning).arg(programName);
}

QString programEnded(const QString& programName) {
  return windowText(WindowText::ProgramEnded).arg(programName);
}

QString outputSkipped(qint64 bytes) {
  return QStringLiteral("[%1 bytes skipped here; they are in the log]").arg(bytes);
}

QString cannotStart(const QString& program, int errorNumber) {
  return QStringLiteral("Cannot start %1: %2")
      .arg(displayPath(program), QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QString needsWine(const QString& program) {
  return QStringLiteral("Cannot start %1: it is a Windows program, which needs wine on the PATH")
      .arg(displayPath(program));
}

QString programEndedAtOnce(const QString& programName, const QString& lastLines,
                           const QString& logPath) {
  return windowText(WindowText::EndedAtOnce).arg(programName) + QStringLiteral("\n\n") + lastLines +
         QStringLiteral("\n\n") + windowText(WindowText::WholeLog).arg(displayPath(logPath));
}

QString errorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
    return message + QLatin1Char('.');
  }
  return message;
}

}  // namespace vorlane::messages
