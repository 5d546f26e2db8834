#include "core/catalogue/RomArchive.h"

#include <vector>

#include "core/files/FileSystem.h"
#include "core/formats/FlatFile.h"
#include "core/text/NativeText.h"
#include "core/text/TextCodec.h"

namespace vorlane {
namespace {

constexpr char kArchiveExtension[] = ".zip";

}  // namespace

QByteArray archiveDirectoryPart(const QString& romDirectory) {
  // Unless it is empty or already ends in a separator, one "/" follows the directory. The tool's
  // one argument carries no quotes, so a quoted directory loses them.
  const bool needsSeparator = !romDirectory.isEmpty() && !romDirectory.endsWith(QLatin1Char('/')) &&
                              !romDirectory.endsWith(QLatin1Char('\\'));
  QString part = needsSeparator ? romDirectory + QLatin1Char('/') : romDirectory;
  return encodeNative(part.remove(QLatin1Char('"')));
}

QByteArray archiveFileName(const std::optional<QByteArray>& directoryValue,
                           const QByteArray& driverFileName) {
  if (!directoryValue) {
    return driverFileName;
  }
  // ASCII reads and names itself alike; the scan names every game's archive.
  return isAscii(*directoryValue) ? *directoryValue : encodeNative(decodeText(*directoryValue));
}

QString archiveName(const QString& driverPath, const QString& fileName) {
  return decodeNative(archiveFileName(readFoundFlatValues(driverPath, {kArchiveNameKey}).front(),
                                      encodeNative(fileName)));
}

QString archivePath(const QString& romDirectory, const QString& archive) {
  return decodeNative(archiveDirectoryPart(romDirectory) +
                      archiveFileInDirectory(encodeNative(archive)));
}

QByteArray archiveFileInDirectory(QByteArray archive) {
  // The name's bytes stand for themselves: a double quote is one byte in every reading.
  archive.removeIf([](char c) { return c == '"'; });
  // Made at its exact size: the scan keeps the file of every missing archive, and joining the
  // parts with "+" leaves each with room to grow, which on a large catalogue costs megabytes.
  QByteArray file;
  file.reserve(archive.size() + qsizetype(sizeof kArchiveExtension) - 1);
  return file.append(archive).append(kArchiveExtension);
}

RomFolder::RomFolder(const QString& romDirectory)
    : m_directoryPart(archiveDirectoryPart(romDirectory)) {
  if (!m_directoryPart.endsWith('/')) {
    return;
  }
  const QString directory = decodeNative(m_directoryPart);
  m_directory.emplace(directory);
  std::vector<qsizetype> ends;
  m_wasListed = forEachRegularNativeFile(directory, [&](const char* name) {
    m_listedNames.append(name);
    ends.push_back(m_listedNames.size());
  });
  // Viewed once every name is in: the block no longer moves.
  m_listed.reserve(qsizetype(ends.size()));
  qsizetype start = 0;
  for (const qsizetype end : ends) {
    m_listed.insert(QByteArrayView(m_listedNames).sliced(start, end - start));
    start = end;
  }
}

bool RomFolder::holdsArchive(const QByteArray& file) const {
  if (!m_directory) {
    return isNativeRegularFile(m_directoryPart + file);
  }
  // Taken from the directory, a name that begins with "/" must not be read as a path of its
  // own: in the whole path its slashes only join the directory's.
  qsizetype start = 0;
  while (start < file.size() && file.at(start) == '/') {
    ++start;
  }
  const QByteArrayView name = QByteArrayView(file).sliced(start);
  // The listing holds bare names and leaves out those that begin with ".".
  if (m_wasListed && !name.contains('/') && !name.startsWith('.')) {
    return m_listed.contains(name);
  }
  return m_directory->holdsRegularFile(name.toByteArray());
}

}  // namespace vorlane
