#include "core/files/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <optional>

#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/text/NativeText.h"

namespace vorlane {
namespace {

// Where wine keeps its drive letters, each a link named "c:", "d:" and so on.
QString wineDriveFolder() {
  const QByteArray prefix = qgetenv("WINEPREFIX");
  if (!prefix.isEmpty()) {
    return decodeNative(prefix) + QLatin1String("/dosdevices");
  }
  const QByteArray home = qgetenv("HOME");
  return home.isEmpty() ? QString() : decodeNative(home) + QLatin1String("/.wine/dosdevices");
}

// "C:/roms" (a text copied from a Windows configuration, "\" already read as "/") through wine's
// link for drive C, when that link is there; nothing for other texts or unknown drives.
std::optional<QString> throughWineDrive(const QString& path) {
  const bool driveLetter = path.size() >= 2 && path[0].isLetter() && path[0].unicode() < 0x80 &&
                           path[1] == QLatin1Char(':') &&
                           (path.size() == 2 || path[2] == QLatin1Char('/'));
  const QString folder = driveLetter ? wineDriveFolder() : QString();
  if (folder.isEmpty()) {
    return std::nullopt;
  }
  const QString drive = folder + QLatin1Char('/') + path[0].toLower() + QLatin1Char(':');
  struct stat status {};
  if (::lstat(encodeNative(drive).constData(), &status) != 0) {
    return std::nullopt;
  }
  return drive + path.mid(2);
}

}  // namespace

QString currentDirectory() {
  // Asked of the system directly: a path that does not fit the usual buffer must be refused,
  // not turned into "/" (where every later write would land).
  const std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
  if (!path) {
    throw Error(messages::cannotUseCurrentDirectory(errno));
  }
  // Every file of the base directory is opened by its full path, which the system refuses
  // beyond this length.
  const QByteArray bytes(path.get());
  if (bytes.size() >= PATH_MAX) {
    throw Error(messages::cannotUseCurrentDirectory(ENAMETOOLONG));
  }
  return decodeNative(bytes);
}

QString basePath(const QString& dirBase, const QString& name) {
  return dirBase + QLatin1Char('/') + name;
}

QString resolveDirectoryText(const QString& dirBase, const QString& text) {
  QString path = text;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (path.isEmpty() || path.startsWith(QLatin1Char('/'))) {
    return path;
  }
  if (path == QLatin1String(".")) {
    return dirBase;
  }
  if (path.startsWith(QLatin1String("./"))) {
    return dirBase + path.mid(1);
  }
  if (std::optional<QString> drive = throughWineDrive(path)) {
    return *drive;
  }
  return basePath(dirBase, path);
}

}  // namespace vorlane
