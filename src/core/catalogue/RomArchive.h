#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>

#include "core/files/FileAccess.h"

namespace vorlane {

// The driver file's key that names the game's ROM archive.
inline const QByteArray kArchiveNameKey = QByteArrayLiteral("DIRECTORY");

// The game's ROM archive name in the file system's bytes. The driver's "DIRECTORY" value is text,
// read as driver text is (UTF-8 where valid, else Windows-1252) and named as the system names
// files (UTF-8); without the key, the driver file's own name (with its extension), which came
// from the file system and keeps its bytes.
QByteArray archiveFileName(const std::optional<QByteArray>& directoryValue,
                           const QByteArray& driverFileName);

// archiveFileName for a driver file, as path text (decodeNative). Throws Error "Cannot open
// file %s" when the driver file cannot be read.
QString archiveName(const QString& driverPath, const QString& fileName);

// The archive's path as the checksum tool receives it (double quotes dropped): the ROM directory,
// the archive name and ".zip". One "/" goes between a non-empty directory and the name unless the
// directory already ends in a separator, so the archive lies inside the directory.
QString archivePath(const QString& romDirectory, const QString& archive);

// What every archive path of a ROM directory begins with, in the file system's bytes: the
// directory (double quotes dropped) and the "/" that archivePath puts after it.
QByteArray archiveDirectoryPart(const QString& romDirectory);

// The archive's file within the ROM directory for an archive name in the file system's bytes
// (archiveFileName): its path without archiveDirectoryPart.
QByteArray archiveFileInDirectory(QByteArray archive);

// The archives that lie in one ROM directory, for the scan to look up every game's: the
// directory is listed once, where looking at each archive in turn would cost a call each.
class RomFolder {
 public:
  explicit RomFolder(const QString& romDirectory);

  // Whether a file that archiveFileInDirectory gave is a regular file, or a link to one, in the
  // directory: a FIFO, a folder or a device named like an archive is no archive.
  bool holdsArchive(const QByteArray& file) const;

 private:
  QByteArray m_directoryPart;
  // The directory held open when the directory part is a folder's path and "/": its archives
  // are then looked up by name, without walking the whole path again for each game.
  std::optional<OpenDirectory> m_directory;
  // The names of the regular files listed there, one after another, and views on each: one
  // block rather than a block for each of tens of thousands of names.
  QByteArray m_listedNames;
  QSet<QByteArrayView> m_listed;
  bool m_wasListed = false;
};

}  // namespace vorlane
