#pragma once

#include <QString>

namespace vorlane {

// The emulator directory that a menu start chose, kept in the user's configuration directory
// (never in the base directory's own files), in an INI file as Qt's settings write it. The file
// is read and written as every settings file is: a regular file only (a link to one is written
// through), never opened so that it could block, read under a small size cap and replaced
// atomically.
class RememberedBase {
 public:
  // The settings file in the user's configuration directory: $XDG_CONFIG_HOME/vorlane/.
  static QString defaultSettingsPath();

  explicit RememberedBase(QString settingsPath = defaultSettingsPath());

  const QString& settingsPath() const { return m_settingsPath; }

  // The directory chosen last, with its bytes as they were; empty when none was, or when the file
  // is no regular file or too large to be one this program wrote.
  QString directory() const;

  // The directory chosen last while it still holds tessik.ini, so a start may use it without
  // asking; empty otherwise.
  QString usableDirectory() const;

  // Replaces the file, whatever it held. Throws Error "Cannot create file %s" when it cannot be
  // (no regular file, read-only, its folder cannot be made) and "Stream write error" when not
  // every byte reached the disk.
  void remember(const QString& directory) const;

 private:
  QString m_settingsPath;
};

// True when `directory` holds the emulator configuration file as a regular file.
bool holdsEmulatorConfig(const QString& directory);

}  // namespace vorlane
