#include "core/settings/EmulatorConfig.h"

#include "core/files/FlatFile.h"
#include "core/platform/Error.h"
#include "core/platform/NativeText.h"
#include "core/platform/Paths.h"

namespace vorlane {

QString logDirectory(const QString& dirBase) {
  try {
    const QByteArray text =
        readFlatValue(basePath(dirBase, kEmulatorConfigFileName), kLogDirectorySetting.key,
                      kLogDirectorySetting.defaultValue);
    return resolveDirectoryText(dirBase, decodeNative(text));
  } catch (const Error&) {
    return QString();
  }
}

}  // namespace vorlane
