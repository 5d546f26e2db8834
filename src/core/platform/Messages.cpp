#include "core/platform/Messages.h"

#include <cstring>

namespace vorlane::messages {

QString cannotOpenFile(const QString& path) {
  return QStringLiteral("Cannot open file %1").arg(path);
}

QString cannotCreateFile(const QString& path) {
  return QStringLiteral("Cannot create file %1").arg(path);
}

QString cannotOpenDirectory(const QString& path) {
  return QStringLiteral("Cannot open directory %1").arg(path);
}

QString streamWriteError() {
  return QStringLiteral("Stream write error");
}

QString unableToWriteTo(const QString& path) {
  return QStringLiteral("Unable to write to %1").arg(path);
}

QString textExceedsMemoCapacity() {
  return QStringLiteral("Text exceeds memo capacity");
}

QString jpegError(int code) {
  return QStringLiteral("JPEG error #%1").arg(code);
}

QString fileAccessDenied() {
  return QStringLiteral("File access denied");
}

QString cannotUseCurrentDirectory(int errorNumber) {
  return QStringLiteral("Cannot use the current directory as the base directory: %1")
      .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QString errorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
    return message + QLatin1Char('.');
  }
  return message;
}

}  // namespace vorlane::messages
