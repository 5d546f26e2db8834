#include "core/catalogue/PreviewFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include "core/platform/Paths.h"

namespace vorlane {

namespace {

const QString kPreviewDirectory = QStringLiteral("preview");
const QString kPreviewExtension = QStringLiteral(".jpg");

QString inPreviewDirectory(const QString& dirBase, const QString& name) {
  return basePath(dirBase, kPreviewDirectory) + QLatin1Char('/') + name;
}

}  // namespace

QString previewPath(const QString& dirBase, const QString& driverFile) {
  return inPreviewDirectory(dirBase, driverFile + kPreviewExtension);
}

QString findPreviewFile(const QString& dirBase, const QString& driverFile) {
  const QString exact = previewPath(dirBase, driverFile);
  if (QFileInfo(exact).isFile()) {
    return exact;
  }
  const QString wanted = driverFile + kPreviewExtension;
  QString found;
  QDirIterator entries(basePath(dirBase, kPreviewDirectory), QDir::Files);
  while (entries.hasNext()) {
    entries.next();
    const QString name = entries.fileName();
    if (name.compare(wanted, Qt::CaseInsensitive) == 0 && (found.isEmpty() || name < found)) {
      found = name;
    }
  }
  return found.isEmpty() ? QString() : inPreviewDirectory(dirBase, found);
}

}  // namespace vorlane
