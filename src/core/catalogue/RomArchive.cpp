#include "core/catalogue/RomArchive.h"

#include "core/files/FlatFile.h"
#include "core/platform/FileSystem.h"
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
    : m_directoryPart(encodeNative(archiveDirectoryPart(romDirectory).remove(QLatin1Char('"')))) {
  if (m_directoryPart.endsWith('/')) {
    m_directory = std::make_shared<const OpenDirectory>(decodeNative(m_directoryPart));
  }
}

QByteArray RomArchivePaths::nativePath(QByteArray archive) const {
  // The name's bytes stand for themselves: a double quote is one byte in every reading.
  archive.replace('"', QByteArray());
  // Made at its exact size: the scan keeps the path of every missing archive, and joining the
  // parts with "+" leaves each with room to grow, which on a large catalogue costs megabytes.
  QByteArray path;
  path.reserve(m_directoryPart.size() + archive.size() + qsizetype(sizeof kArchiveExtension) - 1);
  return path.append(m_directoryPart).append(archive).append(kArchiveExtension);
}

bool RomArchivePaths::isArchiveFile(const QByteArray& path) const {
  if (!m_directory || !path.startsWith(m_directoryPart)) {
    return isNativeRegularFile(path);
  }
  // Taken from the directory, a name that begins with "/" must not be read as a path of its
  // own: in the whole path its slashes only join the directory's.
  qsizetype start = m_directoryPart.size();
  while (start < path.size() && path.at(start) == '/') {
    ++start;
  }
  return m_directory->holdsRegularFile(path.sliced(start));
}

}  // namespace vorlane
