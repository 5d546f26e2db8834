#include "core/catalogue/DriverScan.h"

#include <optional>
#include <utility>
#include <vector>

#include "core/catalogue/FileNameOrder.h"
#include "core/catalogue/ReaderPool.h"
#include "core/catalogue/RomArchive.h"
#include "core/files/FlatFile.h"
#include "core/files/TextLines.h"
#include "core/platform/Error.h"
#include "core/platform/FileSystem.h"
#include "core/platform/Messages.h"
#include "core/platform/NativeText.h"
#include "core/platform/Paths.h"

namespace vorlane {

namespace {

const QString kDriverExtension = QStringLiteral(".drv");
const QByteArray kGameNameKey = QByteArrayLiteral("GAMENAME");
constexpr qsizetype kBusyEntryPosition = 100;

// The driver files of a directory in the order the system lists them.
QStringList listUnsorted(const QString& directory, const LongListingNotice& onLongListing) {
  QStringList names;
  const bool listed = forEachRegularFile(directory, [&](QString name) {
    if (!name.endsWith(kDriverExtension, Qt::CaseInsensitive)) {
      return;
    }
    names.append(std::move(name));
    if (names.size() == kBusyEntryPosition + 1 && onLongListing) {
      onLongListing();
    }
  });
  // Rather than passing it off as a directory without drivers.
  if (!listed) {
    throw Error(messages::fileAccessDenied());
  }
  return names;
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
  value.replace('"', QByteArray());
  return trimBytes(value, isBlankOrControl);
}

DriverScanResult scanDrivers(const QString& dirBase, const QString& directoryText,
                             const LongListingNotice& onLongListing, const QLocale& locale,
                             const QString& romDirectory) {
  DriverScanResult scan;
  scan.directory = resolveDriverDirectory(dirBase, directoryText);
  const QString& directory = scan.directory;
  const QStringList listed = listUnsorted(directory, onLongListing);
  // Without a ROM directory the archives are not looked for: nothing would be marked.
  const bool checkArchives = !romDirectory.isEmpty() && isDirectory(romDirectory);
  const QList<QByteArray> keys = checkArchives ? QList<QByteArray>{kGameNameKey, kArchiveNameKey}
                                               : QList<QByteArray>{kGameNameKey};
  const RomArchivePaths archives(romDirectory);
  QList<DriverRecord> records(listed.size());
  // Each reader writes only the entries of its own files.
  DriverRecord* recordOf = records.data();
  std::vector<char> unreadable(listed.size(), 0);
  QList<qsizetype> order;
  // The files are read in the order listed while this thread sorts their names: on a cold cache
  // the sort costs no time at all.
  runInParallel(
      listed.size(), kReaderThreads,
      [&](qsizetype i) {
        DriverRecord& record = recordOf[i];
        record.file = listed.at(i);
        const QByteArray fileName = encodeNative(record.file);
        try {
          const QList<std::optional<QByteArray>> values =
              readFoundFlatValues(basePath(directory, record.file), keys);
          record.gameName = cleanGameName(values.front().value_or(fileName));
          if (checkArchives) {
            const QByteArray archive =
                archives.nativePath(archiveFileName(values.back(), fileName));
            // A FIFO, a folder or a device named like an archive is no archive to check.
            if (!isNativeRegularFile(archive)) {
              record.missingArchive = decodeNative(archive);
            }
          }
        } catch (const Error&) {
          // One unreadable file (removed after the listing, no permission) must not cost the
          // user the rest of the catalogue.
          record.gameName = cleanGameName(fileName);
          unreadable[i] = 1;
        }
      },
      [&] { order = sortedOrder(listed, locale); });

  scan.drivers.reserve(listed.size());
  for (const qsizetype i : std::as_const(order)) {
    if (unreadable[i] && scan.firstUnreadablePath.isEmpty()) {
      scan.firstUnreadablePath = basePath(directory, listed.at(i));
    }
    scan.drivers.append(std::move(records[i]));
  }
  return scan;
}

QList<DriverRecord> rescanDriverFolder(const QString& directory, const QString& romDirectory,
                                       const QLocale& locale) {
  if (!isDirectory(directory)) {
    return {};
  }
  try {
    // An absolute directory resolves to itself, never to the base directory given beside it.
    return scanDrivers(directory, directory, {}, locale, romDirectory).drivers;
  } catch (const Error&) {
    return {};
  }
}

}  // namespace vorlane
