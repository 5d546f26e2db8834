#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <limits>

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "core/files/FileAccess.h"

namespace vorlane {

// One driver file as the scan found it.
struct DriverRecord {
  QString file;         // the bare file name
  QByteArray gameName;  // as the list shows it
  // The game's ROM archive: its file within the ROM directory (archiveFileInDirectory), without
  // the directory that every game shares and in the file system's bytes, so that a change of the
  // ROM folder is checked without reading the driver again. Empty when the file could not be read.
  QByteArray archive;
  // Whether the archive was looked for and is missing.
  bool archiveMissing = false;
  // Its place in its catalogue's order by game name (gameNameOrder), from 0, once ranked
  // (ensureRankedByGameName): an order the list can switch to without collating a name. A scan
  // reads no rank; a refresh keeps the ranks of the records it keeps.
  static constexpr quint32 kUnranked = std::numeric_limits<quint32>::max();
  quint32 gameNameRank = kUnranked;
  // The fingerprint of the file's stamp as it was read, so that a later look reads it again only
  // once it changed. 0, which matches no file, when it could not be read, or was read too soon
  // after its last change for a later change to show.
  quint64 stampPrint = 0;
  // What a rename keeps of the file: its device, inode, size and modification time in one print
  // (size and time so that a new file given a freed inode is not taken for the old one). 0, which
  // matches no file, when it could not be read.
  quint64 identity = 0;
};

// Which of the catalogue's folders changed since its drivers were read.
struct FolderChanges {
  bool drivers = true;   // driver files added, removed, renamed or rewritten
  bool archives = true;  // archives added or removed in the ROM folder

  FolderChanges& operator|=(FolderChanges other) {
    drivers = drivers || other.drivers;
    archives = archives || other.archives;
    return *this;
  }
};

// Everything one scan of the driver directory found.
struct DriverScanResult {
  QString directory;            // absolute, without a trailing "/"
  QList<DriverRecord> drivers;  // in list order
  QString firstUnreadablePath;  // the first driver file that could not be read; empty if none
};

// Called once, on the scanning thread, while a listing is read, as its entry at position 100
// (counting from 0) is added, so a long listing can show the busy pointer.
using LongListingNotice = std::function<void()>;

// The driver directory that a directory text names: relative texts are taken from `dirBase`
// (which must be absolute), never from the process's current directory; a text that is empty
// or names no existing directory gives `dirBase`. The result has no trailing "/".
QString resolveDriverDirectory(const QString& dirBase, const QString& text);

// A GAMENAME value (or the default standing in for it) as the list shows it: every double
// quote removed, characters of code 0 to 32 trimmed from both ends, a long name cut (shownName).
QByteArray cleanGameName(QByteArray value);

// The whole scan: resolves the directory, lists it afresh and reads every file's game name
// (its file name when the key is missing), several files at a time. The driver files are the
// names that end in ".drv" in any letter case and belong to a regular file or a link to one;
// names that begin with "." are left out, read-only files are listed; they are sorted by
// sortedOrder. A file that cannot be read shows its file name and does not end the scan; the
// first such path in list order is kept for one message afterwards. Throws Error "File access
// denied" when the directory may not be read or entered, rather than passing it off as one
// without drivers.
// When `romDirectory` names an existing directory, each readable driver's ROM archive (the path
// the checksum tool would be given) is looked for there as well, by the same readers: only a
// regular file, or a link to one, counts as the archive. A file read within `timestampTick` of its
// last change keeps no stamp.
// Once `stop` is seen set, no further file is read: the scan returns with records left unread,
// a result only to be dropped.
DriverScanResult scanDrivers(const QString& dirBase, const QString& directoryText,
                             const LongListingNotice& onLongListing = {},
                             const QLocale& locale = QLocale(),
                             const QString& romDirectory = QString(),
                             const std::atomic<bool>* stop = nullptr,
                             std::chrono::nanoseconds timestampTick = FileStamp::kTimestampTick);

// The drivers of a folder scanned before (`known`, in list order, as scanDrivers gave them or this
// did), brought up to date for a refresh while the program runs. A change of the driver folder
// lists it again and reads only the files that are new or whose stamp changed; a change of the ROM
// folder looks for the known archives again and reads no driver. Unlike scanDrivers, a folder that
// is gone, is no folder or may not be read gives no drivers (its part of the catalogue empties)
// rather than the base directory's or a message. `stop` as for scanDrivers.
QList<DriverRecord> rescanDriverFolder(
    const QList<DriverRecord>& known, const QString& directory, const QString& romDirectory,
    FolderChanges changes = {}, const QLocale& locale = QLocale(),
    const std::atomic<bool>* stop = nullptr,
    std::chrono::nanoseconds timestampTick = FileStamp::kTimestampTick);

}  // namespace vorlane
