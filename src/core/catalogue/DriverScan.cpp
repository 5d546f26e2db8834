#include "core/catalogue/DriverScan.h"

#include <utility>
#include <vector>

#include "core/catalogue/FileNameOrder.h"
#include "core/catalogue/ReaderPool.h"
#include "core/platform/Error.h"
#include "core/platform/FileSystem.h"
#include "core/platform/Messages.h"
#include "core/platform/NativeText.h"
#include "core/platform/Paths.h"
#include "core/settings/TextLines.h"
#include "core/settings/UFuncoes.h"

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
        const QByteArray fileName = encodeNative(listed.at(i));
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
