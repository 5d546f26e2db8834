#include "core/catalogue/DriverScan.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <optional>
#include <utility>
#include <vector>

#include "core/catalogue/FileNameOrder.h"
#include "core/catalogue/ReaderPool.h"
#include "core/catalogue/RomArchive.h"
#include "core/catalogue/ShownName.h"
#include "core/files/FlatFile.h"
#include "core/files/TextLines.h"
#include "core/platform/Error.h"
#include "core/platform/FileAccess.h"
#include "core/platform/FileSystem.h"
#include "core/platform/FreedMemory.h"
#include "core/platform/Messages.h"
#include "core/platform/NativeText.h"
#include "core/platform/Paths.h"

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

// One record for each name, in list order, with only its file name set, and the rows in the
// order of their files' numbers, which mostly follows where the files lie: read so, a cold disk
// serves neighbouring files together instead of seeking for each.
struct Records {
  QList<DriverRecord> drivers;
  std::vector<qsizetype> readingOrder;
};

Records inListOrder(Listing listing, const QLocale& locale) {
  const QList<qsizetype> order = sortedOrder(listing.names, locale);
  Records records;
  records.drivers.resize(order.size());
  std::vector<std::pair<quint64, qsizetype>> byFileNumber(order.size());
  for (qsizetype row = 0; row < order.size(); ++row) {
    records.drivers[row].file = std::move(listing.names[order.at(row)]);
    byFileNumber[row] = {listing.fileNumbers[order.at(row)], row};
  }
  std::sort(byFileNumber.begin(), byFileNumber.end());
  records.readingOrder.reserve(byFileNumber.size());
  for (const auto& [fileNumber, row] : byFileNumber) {
    records.readingOrder.push_back(row);
  }
  return records;
}

void keepLowest(std::atomic<qsizetype>& lowest, qsizetype candidate) {
  qsizetype current = lowest.load();
  while (candidate < current && !lowest.compare_exchange_weak(current, candidate)) {
  }
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
                             const QString& romDirectory, const std::atomic<bool>* stop) {
  DriverScanResult scan;
  scan.directory = resolveDriverDirectory(dirBase, directoryText);
  Records records;
  const QString& directory = scan.directory;
  // Without a ROM directory the archives are not looked for: nothing would be marked.
  const bool checkArchives = !romDirectory.isEmpty() && isDirectory(romDirectory);
  std::optional<RomFolder> roms;
  {
    // The ROM folder is listed on another core while this one lists and sorts the drivers.
    std::future<void> romListing;
    if (checkArchives) {
      romListing = std::async(std::launch::async | std::launch::deferred,
                              [&] { roms.emplace(romDirectory); });
    }
    // Sorted before any file is read: the sort keys of a large catalogue are freed before the
    // records take their memory, rather than both being held at once.
    records = inListOrder(listUnsorted(directory, onLongListing), locale);
    if (romListing.valid()) {
      romListing.get();
    }
  }
  releaseFreedMemory();
  const QList<QByteArray> keys = checkArchives ? QList<QByteArray>{kGameNameKey, kArchiveNameKey}
                                               : QList<QByteArray>{kGameNameKey};
  const OpenDirectory folder(directory);
  QList<DriverRecord>& drivers = records.drivers;
  // Each reader writes only the records of its own files.
  DriverRecord* recordOf = drivers.data();
  std::atomic<qsizetype> firstUnreadable{drivers.size()};
  const auto readDriver = [&](qsizetype k) {
    const qsizetype i = records.readingOrder[std::size_t(k)];
    DriverRecord& record = recordOf[i];
    const QByteArray fileName = encodeNative(record.file);
    try {
      RegularFile file(folder, fileName);
      const QList<std::optional<QByteArray>> values = readFoundFlatValues(file, keys);
      record.gameName = cleanGameName(values.front().value_or(fileName));
      if (checkArchives) {
        QByteArray archive = archiveFileInDirectory(archiveFileName(values.back(), fileName));
        if (!roms->holdsArchive(archive)) {
          record.missingArchive = std::move(archive);
        }
      }
    } catch (const Error&) {
      // One unreadable file (removed after the listing, no permission) must not cost the user
      // the rest of the catalogue.
      record.gameName = cleanGameName(fileName);
      keepLowest(firstUnreadable, i);
    }
  };
  runInParallel(drivers.size(), kReaderThreads, readDriver, stop);
  if (firstUnreadable < drivers.size()) {
    scan.firstUnreadablePath = basePath(directory, drivers.at(firstUnreadable).file);
  }
  scan.drivers = std::move(drivers);
  return scan;
}

QList<DriverRecord> rescanDriverFolder(const QString& directory, const QString& romDirectory,
                                       const QLocale& locale, const std::atomic<bool>* stop) {
  if (!isDirectory(directory)) {
    return {};
  }
  try {
    // An absolute directory resolves to itself, never to the base directory given beside it.
    return scanDrivers(directory, directory, {}, locale, romDirectory, stop).drivers;
  } catch (const Error&) {
    return {};
  }
}

}  // namespace vorlane
