#include "core/start/RememberedBase.h"

#include <utility>

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "core/platform/Error.h"
#include "core/platform/Messages.h"
#include "core/platform/Paths.h"
#include "core/settings/EmulatorConfig.h"
#include "core/start/ProgramInfo.h"

namespace vorlane {
namespace {

constexpr char kSettingsFileName[] = "vorlane.conf";
constexpr char kBaseDirectoryKey[] = "BaseDirectory";

}  // namespace

QString RememberedBase::defaultSettingsPath() {
  // The generic location with our own folder name: the application's name is the window's
  // title, which is no name for a folder.
  const QString configHome =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return configHome + QLatin1Char('/') + QLatin1String(kProgramName) + QLatin1Char('/') +
         QLatin1String(kSettingsFileName);
}

RememberedBase::RememberedBase(QString settingsPath) : m_settingsPath(std::move(settingsPath)) {}

QString RememberedBase::directory() const {
  if (!QFileInfo(m_settingsPath).isFile()) {
    return {};
  }
  const QSettings settings(m_settingsPath, QSettings::IniFormat);
  return settings.value(QLatin1String(kBaseDirectoryKey)).toString();
}

QString RememberedBase::usableDirectory() const {
  const QString remembered = directory();
  return !remembered.isEmpty() && holdsEmulatorConfig(remembered) ? remembered : QString();
}

void RememberedBase::remember(const QString& directory) const {
  QSettings settings(m_settingsPath, QSettings::IniFormat);
  settings.setValue(QLatin1String(kBaseDirectoryKey), directory);
  settings.sync();
  if (settings.status() != QSettings::NoError) {
    throw Error(messages::cannotCreateFile(m_settingsPath));
  }
}

bool holdsEmulatorConfig(const QString& directory) {
  return QFileInfo(basePath(directory, kEmulatorConfigFileName)).isFile();
}

}  // namespace vorlane
