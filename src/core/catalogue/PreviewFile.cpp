#include "core/catalogue/PreviewFile.h"

#include "core/platform/FileSystem.h"
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
  if (isRegularFile(exact)) {
    return exact;
  }
  const QString wanted = driverFile + kPreviewExtension;
  QString found;
  forEachRegularFile(basePath(dirBase, kPreviewDirectory), [&](const QString& name) {
    if (name.compare(wanted, Qt::CaseInsensitive) == 0 && (found.isEmpty() || name < found)) {
      found = name;
    }
  });
  return found.isEmpty() ? QString() : inPreviewDirectory(dirBase, found);
}

}  // namespace vorlane
