#include "core/platform/Paths.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include <QFile>

#include "core/platform/Error.h"
#include "core/platform/Messages.h"

namespace vorlane {

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
  return QFile::decodeName(bytes);
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
  return basePath(dirBase, path);
}

}  // namespace vorlane
