#include "core/errors/ErrorMessages.h"

#include <cerrno>
#include <cstring>

#include "core/text/NativeText.h"

namespace vorlane::messages {

QString cannotOpenFile(const QString& path, int errorNumber) {
  const QString message = QStringLiteral("Cannot open file %1").arg(displayPath(path));
  return errorNumber == EMFILE || errorNumber == ENFILE
             ? message + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errorNumber))
             : message;
}

QString cannotCreateFile(const QString& path) {
  return QStringLiteral("Cannot create file %1").arg(displayPath(path));
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

QString fileAccessDenied() {
  return QStringLiteral("File access denied");
}

QString cannotUseCurrentDirectory(int errorNumber) {
  return QStringLiteral("Cannot use the current directory as the base directory: %1")
      .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
}

}  // namespace vorlane::messages
