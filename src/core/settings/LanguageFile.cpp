#include "core/settings/LanguageFile.h"

#include <QFileInfo>

#include "core/platform/Paths.h"
#include "core/settings/FrontEndSettings.h"

namespace vorlane {

QString shippedLanguageFilePath(const QString& programDirectory) {
  return programDirectory + QLatin1String("/../share/vorlane/") + kLanguageFileName;
}

QString languageFilePath(const QString& baseDirectory, const QString& programDirectory) {
  const QString own = basePath(baseDirectory, kLanguageFileName);
  return QFileInfo::exists(own) ? own : shippedLanguageFilePath(programDirectory);
}

}  // namespace vorlane
