#include "core/platform/ProgramStarter.h"

#include <cerrno>
#include <cstring>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "core/platform/Error.h"
#include "core/platform/FileAccess.h"

namespace vorlane {
namespace {

QString cannotStart(const QString& program, const QString& reason) {
  return QStringLiteral("Cannot start %1: %2").arg(program, reason);
}

QString needsWine(const QString& program) {
  return QStringLiteral("Cannot start %1: it is a Windows program, which needs wine on the PATH")
      .arg(program);
}

QString systemReason(int errorNumber) {
  return QString::fromLocal8Bit(std::strerror(errorNumber));
}

// Opened without blocking: the file may have been swapped for a pipe since it was checked.
bool isWindowsProgram(const QString& path) {
  try {
    return RegularFile(path).read(2) == QByteArrayLiteral("MZ");
  } catch (const Error&) {
    return false;
  }
}

std::optional<QString> startDetached(const QString& executable, const QStringList& arguments,
                                     const QString& workingDirectory, const QString& program) {
  QProcess process;
  process.setProgram(executable);
  process.setArguments(arguments);
  process.setWorkingDirectory(workingDirectory);
  if (process.startDetached()) {
    return std::nullopt;
  }
  return cannotStart(program, process.errorString());
}

}  // namespace

std::optional<QString> startProgram(const QString& program, const QStringList& arguments,
                                    const QString& workingDirectory) {
  const QFileInfo info(program);
  if (!info.exists()) {
    return cannotStart(program, systemReason(ENOENT));
  }
  if (info.isDir()) {
    return cannotStart(program, systemReason(EISDIR));
  }
  // A pipe or a device is no program (the system refuses it with this same reason), and
  // looking into one could block.
  if (!info.isFile()) {
    return cannotStart(program, systemReason(EACCES));
  }
  // The checked file itself is started: a bare name would otherwise be looked up on the PATH.
  const QString path = info.absoluteFilePath();
  if (isWindowsProgram(path)) {
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty()) {
      return needsWine(program);
    }
    return startDetached(wine, QStringList{path} + arguments, workingDirectory, program);
  }
  if (!info.isExecutable()) {
    return cannotStart(program, systemReason(EACCES));
  }
  return startDetached(path, arguments, workingDirectory, program);
}

}  // namespace vorlane
