#include "core/catalogue/DriverScan.h"

#include <utility>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "core/catalogue/FileNameOrder.h"
#include "core/platform/Error.h"
#include "core/platform/Messages.h"
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
  if (directory.isEmpty() || !QFileInfo(directory).isDir()) {
    directory = dirBase;
  }
  while (directory.size() > 1 && directory.endsWith(QLatin1Char('/'))) {
    directory.chop(1);
  }
  return directory;
}

QStringList listDriverFiles(const QString& directory, const LongListingNotice& onLongListing,
                            const QLocale& locale) {
  // The directory iterator would show such a directory as empty.
  const QFileInfo info(directory);
  if (!info.isReadable() || !info.isExecutable()) {
    throw Error(messages::fileAccessDenied());
  }
  QStringList names;
  // Without QDir::Hidden and QDir::System: no names beginning with ".", no broken links, no
  // devices or pipes (reading one could block the scan).
  QDirIterator entries(directory, QDir::Files);
  while (entries.hasNext()) {
    entries.next();
    QString name = entries.fileName();
    // A link to a device or a pipe passes the filter above; only regular files are drivers.
    if (!name.endsWith(kDriverExtension, Qt::CaseInsensitive) || !entries.fileInfo().isFile()) {
      continue;
    }
    names.append(std::move(name));
    if (names.size() == kBusyEntryPosition + 1 && onLongListing) {
      onLongListing();
    }
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
    const QByteArray fileName = QFile::encodeName(file);
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
