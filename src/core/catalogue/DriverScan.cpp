#include "core/catalogue/DriverScan.h"

#include <utility>

#include "core/catalogue/FileNameOrder.h"
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

QStringList listDriverFiles(const QString& directory, const LongListingNotice& onLongListing,
                            const QLocale& locale) {
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
  sortFileNames(names, locale);
  return names;
}

QByteArray cleanGameName(QByteArray value) {
  value.replace('"', QByteArray());
  return trimBytes(value, isBlankOrControl);
}

DriverScanResult scanDrivers(const QString& dirBase, const QString& directoryText,
                             const LongListingNotice& onLongListing, const QLocale& locale) {
  DriverScanResult scan;
  scan.directory = resolveDriverDirectory(dirBase, directoryText);
  scan.files = listDriverFiles(scan.directory, onLongListing, locale);
  scan.gameNames.reserve(scan.files.size());
  for (const QString& file : std::as_const(scan.files)) {
    const QString path = basePath(scan.directory, file);
    const QByteArray fileName = encodeNative(file);
    QByteArray value;
    try {
      value = LeValor(path, kGameNameKey, fileName);
    } catch (const Error&) {
      // One unreadable file (removed after the listing, no permission) must not cost the
      // user the rest of the catalogue.
      value = fileName;
      if (scan.firstUnreadablePath.isEmpty()) {
        scan.firstUnreadablePath = path;
      }
    }
    scan.gameNames.append(cleanGameName(std::move(value)));
  }
  return scan;
}

}  // namespace vorlane
