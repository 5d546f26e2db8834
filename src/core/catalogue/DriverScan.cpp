#include "core/catalogue/DriverScan.h"

#include <utility>
#include <vector>

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>

#include "core/catalogue/FileNameOrder.h"
#include "core/catalogue/ReaderPool.h"
#include "core/platform/DirectoryEntries.h"
#include "core/platform/Error.h"
#include "core/platform/Messages.h"
#include "core/platform/Paths.h"
#include "core/settings/TextLines.h"
#include "core/settings/UFuncoes.h"

namespace vorlane {

namespace {

const QByteArray kDriverExtension = QByteArrayLiteral(".drv");
const QByteArray kGameNameKey = QByteArrayLiteral("GAMENAME");
constexpr qsizetype kBusyEntryPosition = 100;

// The driver files of a directory in the order the system lists them.
QStringList listUnsorted(const QString& directory, const LongListingNotice& onLongListing) {
  // A directory that may be read but not entered would list files that cannot be opened.
  const QFileInfo info(directory);
  DirectoryEntries entries(directory);
  if (!info.isReadable() || !info.isExecutable() || !entries.isOpen()) {
    throw Error(messages::fileAccessDenied());
  }
  QStringList names;
  while (entries.next()) {
    const QByteArrayView name = entries.name();
    // Names beginning with "." are hidden; devices and pipes are no drivers (reading one could
    // block the scan).
    if (name.startsWith('.') || name.size() < kDriverExtension.size() ||
        name.last(kDriverExtension.size()).compare(kDriverExtension, Qt::CaseInsensitive) != 0 ||
        !entries.isRegularFile()) {
      continue;
    }
    names.append(QFile::decodeName(name.toByteArray()));
    if (names.size() == kBusyEntryPosition + 1 && onLongListing) {
      onLongListing();
    }
  }
  return names;
}

}  // namespace

QString resolveDriverDirectory(const QString& dirBase, const QString& text) {
  QString directory = resolveDirectoryText(dirBase, text);
  if (directory.isEmpty() || !QFileInfo(directory).isDir()) {
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
                             const LongListingNotice& onLongListing, const QLocale& locale) {
  DriverScanResult scan;
  scan.directory = resolveDriverDirectory(dirBase, directoryText);
  const QString& directory = scan.directory;
  const QStringList listed = listUnsorted(directory, onLongListing);
  QList<QByteArray> gameNames(listed.size());
  // Each reader writes only the entries of its own files.
  QByteArray* gameNameOf = gameNames.data();
  std::vector<char> unreadable(listed.size(), 0);
  QList<qsizetype> order;
  // The files are read in the order listed while this thread sorts their names: on a cold cache
  // the sort costs no time at all.
  runInParallel(
      listed.size(), kReaderThreads,
      [&](qsizetype i) {
        const QByteArray fileName = QFile::encodeName(listed.at(i));
        QByteArray value;
        try {
          value = LeValor(basePath(directory, listed.at(i)), kGameNameKey, fileName);
        } catch (const Error&) {
          // One unreadable file (removed after the listing, no permission) must not cost the
          // user the rest of the catalogue.
          value = fileName;
          unreadable[i] = 1;
        }
        gameNameOf[i] = cleanGameName(std::move(value));
      },
      [&] { order = sortedOrder(listed, locale); });

  scan.files.reserve(listed.size());
  scan.gameNames.reserve(listed.size());
  for (const qsizetype i : std::as_const(order)) {
    scan.files.append(listed.at(i));
    scan.gameNames.append(std::move(gameNames[i]));
    if (unreadable[i] && scan.firstUnreadablePath.isEmpty()) {
      scan.firstUnreadablePath = basePath(directory, listed.at(i));
    }
  }
  return scan;
}

}  // namespace vorlane
