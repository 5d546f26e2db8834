#pragma once

#include <functional>
#include <optional>

#include <QString>

// Questions to the file system about paths, asked with the paths' own bytes (encodeNative), so
// names that are not UTF-8 are found like any other. Links are followed.
namespace vorlane {

bool pathExists(const QString& path);
bool isDirectory(const QString& path);
bool isRegularFile(const QString& path);
// The same for a path already in the file system's bytes.
bool isNativeRegularFile(const QByteArray& path);

// What identifies one state of a directory's entries: a listing stays true while it is unchanged.
// The change time as well as the modification time, since a program that copies files with their
// times may set the directory's modification time back to what it was.
struct DirectoryStamp {
  qint64 device = 0;
  qint64 inode = 0;
  qint64 modified = 0;  // nanoseconds since the epoch
  qint64 changed = 0;
  bool operator==(const DirectoryStamp&) const = default;
};
// Nothing when the path names no directory.
std::optional<DirectoryStamp> directoryStamp(const QString& path);

// Calls `visit` with the name of each regular file (or link to one) in `directory` as the
// listing is read, in the system's order, and the entry's file number on its file system (its
// inode); names that begin with "." are left out. Returns false, without a call, when the
// directory cannot be read or entered.
bool forEachRegularFile(const QString& directory,
                        const std::function<void(QString name, quint64 fileNumber)>& visit);
// The same with each name in the file system's bytes.
bool forEachRegularNativeFile(const QString& directory,
                              const std::function<void(const char* name)>& visit);

// The same for every name, whatever it belongs to (broken links too).
bool forEachName(const QString& directory, const std::function<void(QString name)>& visit);

// Calls `visit` with the listing's descriptor (for looking at an entry, or removing it, by its
// name) and the name of every entry, "." and ".." and the names that begin with "." included.
bool forEachEntry(const QString& directory,
                  const std::function<void(int descriptor, const char* name)>& visit);

}  // namespace vorlane
