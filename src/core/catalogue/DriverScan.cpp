#include "core/catalogue/DriverScan.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <optional>
#include <utility>
#include <vector>

#include <QHash>

#include "core/catalogue/FileNameOrder.h"
#include "core/catalogue/FreedMemory.h"
#include "core/catalogue/ReaderPool.h"
#include "core/catalogue/RomArchive.h"
#include "core/catalogue/ShownName.h"
#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/files/FileAccess.h"
#include "core/files/FileSystem.h"
#include "core/files/Paths.h"
#include "core/formats/FlatFile.h"
#include "core/text/NativeText.h"
#include "core/text/TextLines.h"

namespace vorlane {

namespace {

const QString kDriverExtension = QStringLiteral(".drv");
const QByteArray kGameNameKey = QByteArrayLiteral("GAMENAME");
constexpr qsizetype kBusyEntryPosition = 100;

// The driver files of a directory in the order the system lists them, with their file numbers.
struct Listing {
  QStringList names;
  std::vector<quint64> fileNumbers;
};

Listing listUnsorted(const QString& directory, const LongListingNotice& onLongListing) {
  Listing listing;
  QStringList& names = listing.names;
  const bool listed = forEachRegularFile(directory, [&](QString name, quint64 fileNumber) {
    if (!name.endsWith(kDriverExtension, Qt::CaseInsensitive)) {
      return;
    }
    names.append(std::move(name));
    listing.fileNumbers.push_back(fileNumber);
    if (names.size() == kBusyEntryPosition + 1 && onLongListing) {
      onLongListing();
    }
  });
  // Rather than passing it off as a directory without drivers.
  if (!listed) {
    throw Error(messages::fileAccessDenied());
  }
  return listing;
}

qint64 nanosecondsNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

quint64 stampPrintOf(const std::optional<FileStamp>& stamp) {
  return stamp ? stamp->fingerprint() : 0;
}

// The stamp without its change time, which a rename moves.
quint64 identityOf(const FileStamp& stamp) {
  return FileStamp{stamp.device, stamp.inode, stamp.size, stamp.modified, 0}.fingerprint();
}

// How the listed files stand to the records of a former scan: entry i is the row of the listing's
// entry i among them (-1 for a new file), and whether its file is unchanged since. Both empty
// when no record is known, as at the first scan, which then holds no more memory than it did.
struct Matches {
  std::vector<qsizetype> knownRow;
  std::vector<char> unchanged;
  bool anyNew = false;

  bool isUnchanged(std::size_t entry) const { return !unchanged.empty() && unchanged[entry]; }
};

Matches match(const Listing& listing, const QList<DriverRecord>& known, const QString& directory,
              const std::atomic<bool>* stop) {
  const qsizetype count = listing.names.size();
  if (known.isEmpty()) {
    return Matches{{}, {}, count > 0};
  }
  Matches matches{std::vector<qsizetype>(std::size_t(count), -1),
                  std::vector<char>(std::size_t(count), 0), false};
  QHash<QString, qsizetype> rowOfName;
  rowOfName.reserve(known.size());
  for (qsizetype row = 0; row < known.size(); ++row) {
    rowOfName.insert(known.at(row).file, row);
  }
  for (qsizetype i = 0; i < count; ++i) {
    matches.knownRow[std::size_t(i)] = rowOfName.value(listing.names.at(i), -1);
    matches.anyNew = matches.anyNew || matches.knownRow[std::size_t(i)] < 0;
  }
  // A look at each file's stamp, far cheaper than reading it, on several threads as the reads.
  const OpenDirectory folder(directory);
  runInParallel(
      count, kReaderThreads,
      [&](qsizetype i) {
        const qsizetype row = matches.knownRow[std::size_t(i)];
        matches.unchanged[std::size_t(i)] =
            row >= 0 && stampPrintOf(folder.regularFileStamp(encodeNative(listing.names.at(i)))) ==
                            known.at(row).stampPrint;
      },
      stop);
  return matches;
}

// The listing's entries in list order. Without a new file, the known files keep their order: the
// list is sorted already, and no name is collated again.
QList<qsizetype> listOrder(const Listing& listing, const Matches& matches, qsizetype knownCount,
                           const QLocale& locale) {
  if (matches.anyNew) {
    return sortedOrder(listing.names, locale);
  }
  std::vector<qsizetype> entryOfRow(std::size_t(knownCount), -1);
  for (std::size_t i = 0; i < matches.knownRow.size(); ++i) {
    entryOfRow[std::size_t(matches.knownRow[i])] = qsizetype(i);
  }
  QList<qsizetype> order;
  order.reserve(listing.names.size());
  for (const qsizetype entry : entryOfRow) {
    if (entry >= 0) {
      order.append(entry);
    }
  }
  return order;
}

// One record for each listed file, in list order: the known record of an unchanged file, else one
// with only its file name set, to be read. The rows to read are in the order of their files'
// numbers, which mostly follows where the files lie: read so, a cold disk serves neighbouring
// files together instead of seeking for each.
struct Records {
  QList<DriverRecord> drivers;
  std::vector<qsizetype> toRead;
};

Records inListOrder(Listing listing, const QList<DriverRecord>& known, const Matches& matches,
                    const QList<qsizetype>& order) {
  Records records;
  records.drivers.resize(order.size());
  std::vector<std::pair<quint64, qsizetype>> byFileNumber;
  for (qsizetype row = 0; row < order.size(); ++row) {
    const auto entry = std::size_t(order.at(row));
    if (matches.isUnchanged(entry)) {
      records.drivers[row] = known.at(matches.knownRow[entry]);
    } else {
      records.drivers[row].file = std::move(listing.names[qsizetype(entry)]);
      byFileNumber.emplace_back(listing.fileNumbers[entry], row);
    }
  }
  std::sort(byFileNumber.begin(), byFileNumber.end());
  records.toRead.reserve(byFileNumber.size());
  for (const auto& [fileNumber, row] : byFileNumber) {
    records.toRead.push_back(row);
  }
  return records;
}

void keepLowest(std::atomic<qsizetype>& lowest, qsizetype candidate) {
  qsizetype current = lowest.load();
  while (candidate < current && !lowest.compare_exchange_weak(current, candidate)) {
  }
}

// Reads the game name, the archive's name and the stamp of the records at `rows`, several files at
// a time; returns the lowest row whose file could not be read, or the number of records.
qsizetype readRecords(QList<DriverRecord>& drivers, const std::vector<qsizetype>& rows,
                      const QString& directory, qint64 readAt,
                      std::chrono::nanoseconds timestampTick, const std::atomic<bool>* stop) {
  const QList<QByteArray> keys{kGameNameKey, kArchiveNameKey};
  const OpenDirectory folder(directory);
  // Each reader writes only the records of its own files.
  DriverRecord* recordOf = drivers.data();
  std::atomic<qsizetype> firstUnreadable{drivers.size()};
  runInParallel(
      qsizetype(rows.size()), kReaderThreads,
      [&](qsizetype k) {
        const qsizetype i = rows[std::size_t(k)];
        DriverRecord& record = recordOf[i];
        const QByteArray fileName = encodeNative(record.file);
        try {
          RegularFile file(folder, fileName);
          const QList<std::optional<QByteArray>> values = readFoundFlatValues(file, keys);
          record.gameName = cleanGameName(values.front().value_or(fileName));
          record.archive = archiveFileInDirectory(archiveFileName(values.back(), fileName));
          record.identity = identityOf(file.stamp());
          if (file.stamp().settledBefore(readAt, timestampTick)) {
            record.stampPrint = file.stamp().fingerprint();
          }
        } catch (const Error&) {
          // One unreadable file (removed after the listing, no permission) must not cost the user
          // the rest of the catalogue.
          record.gameName = cleanGameName(fileName);
          keepLowest(firstUnreadable, i);
        }
      },
      stop);
  return firstUnreadable;
}

// Without a ROM directory (`roms` none) the archives are not looked for: nothing is marked.
bool archiveIsMissing(const DriverRecord& driver, const std::optional<RomFolder>& roms) {
  return roms && !driver.archive.isEmpty() && !roms->holdsArchive(driver.archive);
}

bool checksArchives(const QString& romDirectory) {
  return !romDirectory.isEmpty() && isDirectory(romDirectory);
}

std::optional<RomFolder> romFolder(const QString& romDirectory) {
  return checksArchives(romDirectory) ? std::optional<RomFolder>(std::in_place, romDirectory)
                                      : std::nullopt;
}

// The known records with their archives looked for again; shared with `known` unless a mark
// changed.
QList<DriverRecord> withArchivesLookedFor(const QList<DriverRecord>& known,
                                          const std::optional<RomFolder>& roms) {
  // Each archive's name lies wherever the scan that read it put it, seldom still in the cache: one
  // asked for some rows ahead has come by its turn, rather than each look waiting on memory alone.
  constexpr qsizetype kFetchAhead = 16;
  QList<DriverRecord> drivers = known;
  for (qsizetype row = 0; row < known.size(); ++row) {
    if (row + kFetchAhead < known.size()) {
      __builtin_prefetch(known.at(row + kFetchAhead).archive.constData());
    }
    const bool missing = archiveIsMissing(known.at(row), roms);
    if (missing != known.at(row).archiveMissing) {
      drivers[row].archiveMissing = missing;
    }
  }
  return drivers;
}

// The records of a driver folder in list order, and the lowest row whose file could not be read
// (the number of records when every file was read).
struct FolderRead {
  QList<DriverRecord> drivers;
  qsizetype firstUnreadable = 0;
};

// Lists the folder and reads the files that `known` does not hold unchanged; the archives of the
// files read are looked for, and those of every file when `archivesChanged`.
FolderRead readFolder(const QString& directory, const QList<DriverRecord>& known,
                      const QString& romDirectory, bool archivesChanged,
                      const LongListingNotice& onLongListing, const QLocale& locale,
                      const std::atomic<bool>* stop, std::chrono::nanoseconds timestampTick) {
  // Before any stamp is taken: a file changed since then is not trusted to show a later change.
  const qint64 readAt = nanosecondsNow();
  std::optional<RomFolder> roms;
  Records records;
  {
    // The ROM folder is listed on another core while this one lists and sorts the drivers.
    std::future<void> romListing = std::async(std::launch::async | std::launch::deferred, [&] {
      if (checksArchives(romDirectory)) {
        roms.emplace(romDirectory);
      }
    });
    // Sorted before any file is read: the sort keys of a large catalogue are freed before the
    // records take their memory, rather than both being held at once.
    Listing listing = listUnsorted(directory, onLongListing);
    const Matches matches = match(listing, known, directory, stop);
    const QList<qsizetype> order = listOrder(listing, matches, known.size(), locale);
    records = inListOrder(std::move(listing), known, matches, order);
    romListing.get();
  }
  releaseFreedMemory();
  FolderRead read;
  read.firstUnreadable =
      readRecords(records.drivers, records.toRead, directory, readAt, timestampTick, stop);
  read.drivers = std::move(records.drivers);
  // In place: the list is this scan's own.
  DriverRecord* recordOf = read.drivers.data();
  const auto lookFor = [&](qsizetype row) {
    recordOf[row].archiveMissing = archiveIsMissing(recordOf[row], roms);
  };
  if (archivesChanged) {
    for (qsizetype row = 0; row < read.drivers.size(); ++row) {
      lookFor(row);
    }
  } else {
    std::for_each(records.toRead.cbegin(), records.toRead.cend(), lookFor);
  }
  return read;
}

}  // namespace

QString resolveDriverDirectory(const QString& dirBase, const QString& text) {
  QString directory = resolveDirectoryText(dirBase, text);
  if (directory.isEmpty() || !isDirectory(directory)) {
    directory = dirBase;
  }
  while (directory.size() > 1 && directory.endsWith(QLatin1Char('/'))) {
    directory.chop(1);
  }
  return directory;
}

QByteArray cleanGameName(QByteArray value) {
  value.removeIf([](char c) { return c == '"'; });
  return shownName(trimBytes(value, isBlankOrControl));
}

DriverScanResult scanDrivers(const QString& dirBase, const QString& directoryText,
                             const LongListingNotice& onLongListing, const QLocale& locale,
                             const QString& romDirectory, const std::atomic<bool>* stop,
                             std::chrono::nanoseconds timestampTick) {
  DriverScanResult scan;
  scan.directory = resolveDriverDirectory(dirBase, directoryText);
  FolderRead read = readFolder(scan.directory, {}, romDirectory, true, onLongListing, locale, stop,
                               timestampTick);
  if (read.firstUnreadable < read.drivers.size()) {
    scan.firstUnreadablePath = basePath(scan.directory, read.drivers.at(read.firstUnreadable).file);
  }
  scan.drivers = std::move(read.drivers);
  return scan;
}

QList<DriverRecord> rescanDriverFolder(const QList<DriverRecord>& known, const QString& directory,
                                       const QString& romDirectory, FolderChanges changes,
                                       const QLocale& locale, const std::atomic<bool>* stop,
                                       std::chrono::nanoseconds timestampTick) {
  if (!isDirectory(directory)) {
    return {};
  }
  if (!changes.drivers) {
    // The archives' names are known: no driver file is read again.
    return withArchivesLookedFor(known, romFolder(romDirectory));
  }
  try {
    return readFolder(directory, known, romDirectory, changes.archives, {}, locale, stop,
                      timestampTick)
        .drivers;
  } catch (const Error&) {
    return {};
  }
}

}  // namespace vorlane
