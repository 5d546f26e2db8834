#include "core/process/ProgramStarter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QDateTime>

#include "core/files/FileAccess.h"
#include "core/files/Paths.h"
#include "core/process/DetachedProcess.h"
#include "core/process/LogLines.h"
#include "core/process/OutputLog.h"
#include "core/process/ProcessMessages.h"
#include "core/text/NativeText.h"

namespace vorlane {
namespace {

// The first program of that name on the PATH, found by the bytes of the PATH's folders.
QString findOnPath(const QByteArray& name) {
  for (const QByteArray& folder : qgetenv("PATH").split(':')) {
    const QByteArray candidate = folder + '/' + name;
    struct stat status {};
    if (!folder.isEmpty() && ::stat(candidate.constData(), &status) == 0 &&
        S_ISREG(status.st_mode) && ::access(candidate.constData(), X_OK) == 0) {
      return decodeNative(candidate);
    }
  }
  return QString();
}

// The program is started from the working directory, so a relative path must not depend on it.
QString absolutePath(const QString& path) {
  return path.startsWith(QLatin1Char('/')) ? path : basePath(currentDirectory(), path);
}

// Each argument in double quotes, so that blanks and empty arguments show, and otherwise as the
// program receives it ("C:\TESSIK\x"). A quote inside gets a backslash before it, and so, as
// on a Windows command line, do the backslashes just before a quote or the closing one.
QByteArray quotedCommandLine(const QList<QByteArray>& argv) {
  QByteArray line;
  for (const QByteArray& argument : argv) {
    if (!line.isEmpty()) {
      line += ' ';
    }
    line += '"';
    qsizetype backslashes = 0;
    for (const char byte : argument) {
      if (byte == '"') {
        line += QByteArray(backslashes + 1, '\\');
      }
      backslashes = byte == '\\' ? backslashes + 1 : 0;
      line += byte;
    }
    line += QByteArray(backslashes, '\\') + '"';
  }
  return line;
}

ProgramStart startDetached(const QString& executable, const QStringList& arguments,
                           const QString& workingDirectory, const OutputLog* log, LiveOutput live,
                           const QString& program) {
  QList<QByteArray> argv{encodeNative(executable)};
  for (const QString& argument : arguments) {
    argv.append(encodeNative(argument));
  }
  DetachedOutput output;
  if (log != nullptr) {
    output.logDescriptor = log->descriptor();
    output.logHeader = messages::logHeader(
        quotedCommandLine(argv), QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1());
    output.liveFeed = live.fed;
  }
  const DetachedStart start =
      startDetachedProcess(argv.front(), argv, encodeNative(workingDirectory), output);
  if (start.unreported) {
    return {messages::startNotReported(program), nullptr};
  }
  if (start.errorNumber != 0) {
    return {messages::cannotStart(program, start.errorNumber), nullptr};
  }
  return {std::nullopt,
          std::make_unique<ProgramReport>(start.reportDescriptor, start.programDescriptor)};
}

}  // namespace

ProgramStart startProgram(const QString& program, const QStringList& arguments,
                          const QString& workingDirectory, const OutputLog* output,
                          LiveOutput live) {
  const QByteArray native = encodeNative(program);
  struct stat status {};
  // The system's own reason: a missing file, a loop of links, a folder that may not be entered.
  if (::stat(native.constData(), &status) != 0) {
    return {messages::cannotStart(program, errno), nullptr};
  }
  if (S_ISDIR(status.st_mode)) {
    return {messages::cannotStart(program, EISDIR), nullptr};
  }
  // A pipe or a device is no program (the system refuses it with this same reason), and
  // looking into one could block.
  if (!S_ISREG(status.st_mode)) {
    return {messages::cannotStart(program, EACCES), nullptr};
  }
  const QString path = absolutePath(program);
  if (isWindowsProgram(path)) {
    const QString wine = findOnPath(QByteArrayLiteral("wine"));
    if (wine.isEmpty()) {
      return {messages::needsWine(program), nullptr};
    }
    return startDetached(wine, QStringList{path} + arguments, workingDirectory, output, live,
                         program);
  }
  return startDetached(path, arguments, workingDirectory, output, live, program);
}

}  // namespace vorlane
