#pragma once

#include <dirent.h>

#include <QByteArrayView>
#include <QString>

namespace vorlane {

// The entries of a directory in the order the system lists them, "." and ".." left out. Read
// with the system's own calls: on directories of tens of thousands of files the toolkit's
// iterator costs twice as much.
class DirectoryEntries {
 public:
  // isOpen() tells whether the directory could be opened for listing.
  explicit DirectoryEntries(const QString& directory);
  ~DirectoryEntries();
  DirectoryEntries(const DirectoryEntries&) = delete;
  DirectoryEntries& operator=(const DirectoryEntries&) = delete;

  bool isOpen() const { return m_directory != nullptr; }

  // Moves to the next entry; false at the end of the listing.
  bool next();
  // The entry's name in the file system's bytes, valid until the next call of next().
  QByteArrayView name() const { return QByteArrayView(m_entry->d_name); }
  // Whether the entry is a regular file or a link to one (a broken link is not).
  bool isRegularFile() const;

 private:
  DIR* m_directory = nullptr;
  const dirent* m_entry = nullptr;
};

}  // namespace vorlane
