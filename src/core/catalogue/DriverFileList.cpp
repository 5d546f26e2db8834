#include "core/catalogue/DriverFileList.h"

#include <utility>

#include "core/catalogue/DriverScan.h"
#include "core/platform/Paths.h"

namespace vorlane {

DriverFileList::DriverFileList(QString directory) : m_directory(std::move(directory)) {}

void DriverFileList::setItemIndex(int index) {
  m_itemIndex = index >= 0 && index < m_entries.size() ? index : -1;
}

QString DriverFileList::filePath(int index) const {
  return basePath(m_directory, m_entries.at(index));
}

void DriverFileList::takeScan(const DriverScanResult& scan) {
  m_directory = scan.directory;
  m_entries.clear();
  m_entries.reserve(scan.drivers.size());
  for (const DriverRecord& driver : scan.drivers) {
    m_entries.append(driver.file);
  }
  m_itemIndex = -1;
}

}  // namespace vorlane
