#include "core/catalogue/PreviewFile.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

#include <QStringList>

#include "core/files/FileSystem.h"
#include "core/files/Paths.h"

namespace vorlane {

namespace {

const QString kPreviewDirectory = QStringLiteral("preview");
const QString kPreviewExtension = QStringLiteral(".jpg");

QString inPreviewDirectory(const QString& dirBase, const QString& name) {
  return previewDirectory(dirBase) + QLatin1Char('/') + name;
}

qint64 nanosecondsNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

QString previewDirectory(const QString& dirBase) {
  return basePath(dirBase, kPreviewDirectory);
}

QString previewPath(const QString& dirBase, const QString& driverFile) {
  return inPreviewDirectory(dirBase, driverFile + kPreviewExtension);
}

QString PreviewFinder::find(const QString& dirBase, const QString& driverFile) {
  const QString exact = previewPath(dirBase, driverFile);
  if (isRegularFile(exact)) {
    return exact;
  }
  refresh(previewDirectory(dirBase));
  const QString wanted = driverFile + kPreviewExtension;
  QStringList names = m_namesByFoldedName.values(wanted.toCaseFolded());
  std::sort(names.begin(), names.end());
  for (const QString& name : std::as_const(names)) {
    // The listing may be older than the entry: what the name is now decides.
    const QString path = inPreviewDirectory(dirBase, name);
    if (name.compare(wanted, Qt::CaseInsensitive) == 0 && isRegularFile(path)) {
      return path;
    }
  }
  return QString();
}

void PreviewFinder::forget() {
  m_keptStamp.reset();
}

void PreviewFinder::refresh(const QString& directory) {
  // Taken before the listing, so a change made while it is read shows as a new stamp.
  const std::optional<DirectoryStamp> stamp = directoryStamp(directory);
  if (stamp && directory == m_directory && stamp == m_keptStamp) {
    return;
  }
  m_namesByFoldedName.clear();
  m_directory = directory;
  m_keptStamp.reset();
  if (!stamp) {
    return;
  }
  const qint64 listedAt = nanosecondsNow();
  // Every name, not only those of pictures: a link whose picture is added later changes
  // nothing in the directory itself.
  forEachName(directory,
              [&](const QString& name) { m_namesByFoldedName.insert(name.toCaseFolded(), name); });
  if (listedAt - std::max(stamp->modified, stamp->changed) > m_timestampTick.count()) {
    m_keptStamp = stamp;
  }
}

}  // namespace vorlane
