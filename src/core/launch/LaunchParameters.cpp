#include "core/launch/LaunchParameters.h"

#include "core/platform/CommandLineSplitter.h"
#include "core/platform/NativeText.h"
#include "core/platform/Paths.h"
#include "core/settings/UFuncoes.h"

namespace vorlane {
namespace {

// What Vorlane adds to a command line is one argument, whatever it holds; its double quotes go,
// as the Windows split would take them away (a DIRECTORY value written "alpha").
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

QString archiveName(const QString& driverPath, const QString& fileName) {
  return decodeNative(LeValor(driverPath, kArchiveNameKey, encodeNative(fileName)));
}

QString archivePath(const QString& romDirectory, const QString& archive) {
  const bool needsSeparator = !romDirectory.isEmpty() && !romDirectory.endsWith(QLatin1Char('/')) &&
                              !romDirectory.endsWith(QLatin1Char('\\'));
  return romDirectory + (needsSeparator ? QStringLiteral("/") : QString()) + archive +
         QStringLiteral(".zip");
}

QString checksumArchivePath(const QString& romDirectory, const QString& archive) {
  return oneArgument(archivePath(romDirectory, archive));
}

QStringList checksumArguments(const QString& dirBase, const QString& romDirText,
                              const QString& driverPath, const QString& fileName) {
  return {checksumArchivePath(resolveDirectoryText(dirBase, romDirText),
                              archiveName(driverPath, fileName))};
}

}  // namespace vorlane
