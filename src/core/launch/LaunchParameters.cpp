#include "core/launch/LaunchParameters.h"

#include "core/catalogue/RomArchive.h"
#include "core/files/Paths.h"
#include "core/launch/CommandLineSplitter.h"

namespace vorlane {
namespace {

// The driver's name is one argument, so it loses the quotes that the Windows split would drop.
QString oneArgument(QString text) {
  return text.remove(QLatin1Char('"'));
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

QStringList checksumArguments(const QString& dirBase, const QString& romDirText,
                              const QString& driverPath, const QString& fileName) {
  return {
      archivePath(resolveDirectoryText(dirBase, romDirText), archiveName(driverPath, fileName))};
}

}  // namespace vorlane
