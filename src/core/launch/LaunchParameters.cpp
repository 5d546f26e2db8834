#include "core/launch/LaunchParameters.h"

#include "core/platform/Paths.h"
#include "core/platform/TextCodec.h"
#include "core/settings/UFuncoes.h"

namespace vorlane {

QString emulatorProgram(const QString& dirBase) {
  return basePath(dirBase, QStringLiteral("tessik.exe"));
}

QString checksumProgram(const QString& dirBase) {
  return basePath(dirBase, QStringLiteral("tools/checksum.exe"));
}

QString playParameterText(const QString& optionText, const QString& fileName) {
  return optionText + QLatin1Char(' ') + fileName;
}

QString archiveName(const QString& driverPath, const QString& fileName) {
  return decodeText(LeValor(driverPath, QByteArrayLiteral("DIRECTORY"), fileName.toUtf8()));
}

QString checksumParameterText(const QString& romDirectory, const QString& archive) {
  const bool needsSeparator = !romDirectory.isEmpty() && !romDirectory.endsWith(QLatin1Char('/')) &&
                              !romDirectory.endsWith(QLatin1Char('\\'));
  return romDirectory + (needsSeparator ? QStringLiteral("/") : QString()) + archive +
         QStringLiteral(".zip");
}

QString checksumParameterTextFor(const QString& dirBase, const QString& romDirText,
                                 const QString& driverPath, const QString& fileName) {
  return checksumParameterText(resolveDirectoryText(dirBase, romDirText),
                               archiveName(driverPath, fileName));
}

}  // namespace vorlane
