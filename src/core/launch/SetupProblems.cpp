#include "core/launch/SetupProblems.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/files/FileAccess.h"
#include "core/files/FileSystem.h"
#include "core/files/Paths.h"
#include "core/settings/WindowTexts.h"
#include "core/text/NativeText.h"

namespace vorlane {

QString folderProblem(const QString& dirBase, const QString& directoryText) {
  const QString folder = resolveDirectoryText(dirBase, directoryText);
  if (folder.isEmpty() || isDirectory(folder)) {
    return QString();
  }
  return windowText(WindowText::FolderNotFound).arg(folder);
}

QString programProblem(const QString& program) {
  const QByteArray native = encodeNative(program);
  struct stat status {};
  if (::stat(native.constData(), &status) != 0) {
    // Any other reason (a folder that may not be entered, a loop of links) is there but unusable.
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return windowText(missing ? WindowText::ProgramNotFound : WindowText::ProgramCannotRun)
        .arg(program);
  }
  if (S_ISREG(status.st_mode) &&
      (::access(native.constData(), X_OK) == 0 || isWindowsProgram(program))) {
    return QString();
  }
  return windowText(WindowText::ProgramCannotRun).arg(program);
}

}  // namespace vorlane
