#include "core/catalogue/RomArchive.h"

#include "core/files/FlatFile.h"
#include "core/platform/NativeText.h"
#include "core/platform/TextCodec.h"

namespace vorlane {
namespace {

constexpr char kArchiveExtension[] = ".zip";

// The ROM directory and, unless it is empty or already ends in a separator, one "/".
QString archiveDirectoryPart(const QString& romDirectory) {
  const bool needsSeparator = !romDirectory.isEmpty() && !romDirectory.endsWith(QLatin1Char('/')) &&
                              !romDirectory.endsWith(QLatin1Char('\\'));
  return needsSeparator ? romDirectory + QLatin1Char('/') : romDirectory;
}

}  // namespace

QByteArray archiveFileName(const std::optional<QByteArray>& directoryValue,
                           const QByteArray& driverFileName) {
  return directoryValue ? encodeNative(decodeText(*directoryValue)) : driverFileName;
}

QString archiveName(const QString& driverPath, const QString& fileName) {
  return decodeNative(archiveFileName(readFoundFlatValues(driverPath, {kArchiveNameKey}).front(),
                                      encodeNative(fileName)));
}

QString archivePath(const QString& romDirectory, const QString& archive) {
  return decodeNative(RomArchivePaths(romDirectory).nativePath(encodeNative(archive)));
}

RomArchivePaths::RomArchivePaths(const QString& romDirectory)
    // The tool's one argument carries no quotes, so a quoted directory loses them.
    : m_directoryPart(encodeNative(archiveDirectoryPart(romDirectory).remove(QLatin1Char('"')))) {}

QByteArray RomArchivePaths::nativePath(QByteArray archive) const {
  // The name's bytes stand for themselves: a double quote is one byte in every reading.
  return m_directoryPart + archive.replace('"', QByteArray()) + kArchiveExtension;
}

}  // namespace vorlane
