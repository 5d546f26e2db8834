#pragma once

#include <chrono>
#include <optional>

#include <QMultiHash>
#include <QString>

#include "core/files/FileAccess.h"
#include "core/files/FileSystem.h"

namespace vorlane {

// dirBase + "/preview".
QString previewDirectory(const QString& dirBase);
// dirBase + "/preview/" + the driver's file name, extension included, + ".jpg".
QString previewPath(const QString& dirBase, const QString& driverFile);

// Finds the preview file of a driver at each selection with a few file-system calls, however
// many files the preview directory holds: its listing is kept, and read again only once the
// directory has changed.
class PreviewFinder {
 public:
  // A listing is kept only when read more than `timestampTick` after the directory's last change:
  // one read within it may have missed a change made in the same tick, which would leave the
  // directory's times as they were.
  explicit PreviewFinder(std::chrono::nanoseconds timestampTick = FileStamp::kTimestampTick)
      : m_timestampTick(timestampTick) {}

  // The preview file to load for a driver: the preview path when it names a regular file (or a
  // link to one); otherwise a regular file in the preview directory whose name matches without
  // regard to letter case (pictures copied from Windows often differ in case), the first in
  // code-point order when several do; an empty text when there is none. A directory, a broken
  // link or a device never counts.
  QString find(const QString& dirBase, const QString& driverFile);
  // Drops the kept listing, for when the directory is known to have changed: a change within
  // the timestamp's tick of the listing leaves the directory's stamp as it was.
  void forget();

 private:
  void refresh(const QString& directory);

  std::chrono::nanoseconds m_timestampTick;
  QString m_directory;
  // Set while the names are those of m_directory as long as it keeps this stamp.
  std::optional<DirectoryStamp> m_keptStamp;
  QMultiHash<QString, QString> m_namesByFoldedName;
};

}  // namespace vorlane
