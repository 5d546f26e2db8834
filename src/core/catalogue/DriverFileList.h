#pragma once

#include <QString>
#include <QStringList>

namespace vorlane {

struct DriverScanResult;

// The hidden file list of the Drivers page: the driver directory, its driver files in list
// order, and the current driver file.
class DriverFileList {
 public:
  // An empty list in `directory`, with no selection.
  explicit DriverFileList(QString directory = QString());

  const QString& directory() const { return m_directory; }
  const QStringList& entries() const { return m_entries; }

  // Index in entries() of the current driver file, or -1 if there is none.
  int itemIndex() const { return m_itemIndex; }
  // An index outside entries() clears the selection.
  void setItemIndex(int index);

  // The directory, "/" and entry `index`.
  QString filePath(int index) const;

  // The directory and files of a scan; the selection is cleared.
  void takeScan(const DriverScanResult& scan);

 private:
  QString m_directory;
  QStringList m_entries;
  int m_itemIndex = -1;
};

}  // namespace vorlane
