#include "core/platform/DirectoryEntries.h"

#include <sys/stat.h>

#include <cstring>

#include <QFile>

namespace vorlane {

DirectoryEntries::DirectoryEntries(const QString& directory)
    : m_directory(::opendir(QFile::encodeName(directory).constData())) {}

DirectoryEntries::~DirectoryEntries() {
  if (m_directory != nullptr) {
    ::closedir(m_directory);
  }
}

bool DirectoryEntries::next() {
  if (m_directory == nullptr) {
    return false;
  }
  do {
    m_entry = ::readdir(m_directory);
  } while (m_entry != nullptr &&
           (std::strcmp(m_entry->d_name, ".") == 0 || std::strcmp(m_entry->d_name, "..") == 0));
  return m_entry != nullptr;
}

bool DirectoryEntries::isRegularFile() const {
  if (m_entry->d_type == DT_REG) {
    return true;
  }
  // A link counts by what it points to; some file systems leave the type to be asked.
  struct stat status {};
  return (m_entry->d_type == DT_LNK || m_entry->d_type == DT_UNKNOWN) &&
         ::fstatat(::dirfd(m_directory), m_entry->d_name, &status, 0) == 0 &&
         S_ISREG(status.st_mode);
}

}  // namespace vorlane
