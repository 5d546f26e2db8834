#include "core/platform/ProgramStarter.h"

#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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

bool isWindowsProgram(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && file.read(2) == QByteArrayLiteral("MZ");
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
