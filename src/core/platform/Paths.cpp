#include "core/platform/Paths.h"

#include <QDir>

namespace vorlane {

QString currentDirectory() {
  return QDir::currentPath();
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
