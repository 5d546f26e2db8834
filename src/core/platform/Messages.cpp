#include "core/platform/Messages.h"

#include <cstring>

#include "core/platform/NativeText.h"

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
  return QStringLiteral("ROM archive not found: %1").arg(displayPath(path));
}

QString withoutArchive(const QString& driverCount, int missing) {
  return QStringLiteral("%1, %2 without ROM archive").arg(driverCount).arg(missing);
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
  return QStringLiteral("%1 \u2014 %2").arg(programName, gameName);
}

QString programRunning(const QString& programName) {
  return QStringLiteral("%1 is running.").arg(programName);
}

QString programEnded(const QString& programName) {
  return QStringLiteral("%1 has ended.").arg(programName);
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
  return QStringLiteral("%1 ended at once. The last it wrote:\n\n%2\n\nAll of it is in %3")
      .arg(programName, lastLines, displayPath(logPath));
}

QString errorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
    return message + QLatin1Char('.');
  }
  return message;
}

}  // namespace vorlane::messages
