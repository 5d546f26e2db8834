#pragma once

#include <QString>

namespace vorlane {

// The emulator directory that a menu start chose, kept in the user's configuration directory
// (never in the base directory's own files).
class RememberedBase {
 public:
  // The settings file in the user's configuration directory: $XDG_CONFIG_HOME/vorlane/.
  static QString defaultSettingsPath();

  explicit RememberedBase(QString settingsPath = defaultSettingsPath());

  const QString& settingsPath() const { return m_settingsPath; }

  // The directory chosen last, or empty when none was.
  QString directory() const;

  // The directory chosen last while it still holds tessik.ini, so a start may use it without
  // asking; empty otherwise.
  QString usableDirectory() const;

  // Throws Error "Cannot create file %s" when the settings file cannot be written.
  void remember(const QString& directory) const;

 private:
  QString m_settingsPath;
};

// True when `directory` holds the emulator configuration file as a regular file.
bool holdsEmulatorConfig(const QString& directory);

}  // namespace vorlane
