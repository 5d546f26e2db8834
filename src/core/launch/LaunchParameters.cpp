#include "core/launch/LaunchParameters.h"

#include "core/files/FlatFile.h"
#include "core/platform/CommandLineSplitter.h"
#include "core/platform/NativeText.h"
#include "core/platform/Paths.h"
#include "core/platform/TextCodec.h"

namespace vorlane {
namespace {

// A DIRECTORY value written "alpha" must name the archive alpha.zip.
QString oneArgument(QString text) {
  return text.remove(QLatin1Char('"'));
}

constexpr char kArchiveExtension[] = ".zip";

// The ROM directory and, unless it is empty or already ends in a separator, one "/".
QString archiveDirectoryPart(const QString& romDirectory) {
  const bool needsSeparator = !romDirectory.isEmpty() && !romDirectory.endsWith(QLatin1Char('/')) &&
                              !romDirectory.endsWith(QLatin1Char('\\'));
  return needsSeparator ? romDirectory + QLatin1Char('/') : romDirectory;
}

}  // namespace

QString emulatorProgram(const QString& dirBase) {
  return basePath(dirBase, QStringLiteral("tessik.exe"));
}

QString checksumProgram(const QString& dirBase) {
  return basePath(dirBase, QStringLiteral("tools/checksum.exe"));
}

QStringList playArguments(const QString& optionText, const QString& fileName) {
  return splitCommandLine(optionText) << oneArgument(fileName);
}

QByteArray archiveFileName(const std::optional<QByteArray>& directoryValue,
                           const QByteArray& driverFileName) {
  return directoryValue ? encodeNative(decodeText(*directoryValue)) : driverFileName;
}

QString archiveName(const QString& driverPath, const QString& fileName) {
  return decodeNative(archiveFileName(readFoundFlatValues(driverPath, {kArchiveNameKey}).front(),
                                      encodeNative(fileName)));
}

QString archivePath(const QString& romDirectory, const QString& archive) {
  return decodeNative(ChecksumArchives(romDirectory).nativePath(encodeNative(archive)));
}

ChecksumArchives::ChecksumArchives(const QString& romDirectory)
    : m_directoryPart(encodeNative(oneArgument(archiveDirectoryPart(romDirectory)))) {}

QByteArray ChecksumArchives::nativePath(QByteArray archive) const {
  // The name's bytes stand for themselves: a double quote is one byte in every reading.
  return m_directoryPart + archive.replace('"', QByteArray()) + kArchiveExtension;
}

QStringList checksumArguments(const QString& dirBase, const QString& romDirText,
                              const QString& driverPath, const QString& fileName) {
  return {
      archivePath(resolveDirectoryText(dirBase, romDirText), archiveName(driverPath, fileName))};
}

}  // namespace vorlane
