#pragma once

#include <QString>

#include "core/start/RememberedFile.h"

namespace vorlane {

// The emulator directory that a menu start chose, kept in the user's remembered file.
class RememberedBase {
 public:
  explicit RememberedBase(QString settingsPath = RememberedFile::defaultPath());

  // The directory chosen last, with its bytes as they were; empty when none was, or when the file
  // is none this program wrote (RememberedFile::read).
  QString directory() const;

  // The directory chosen last while it still holds tessik.ini, so a start may use it without
  // asking; empty otherwise.
  QString usableDirectory() const;

  // Keeps what else the file remembers (unless it is none this program wrote). Throws as
  // RememberedFile::write does.
  void remember(const QString& directory) const;

 private:
  RememberedFile m_file;
};

// True when `directory` holds the emulator configuration file as a regular file.
bool holdsEmulatorConfig(const QString& directory);

}  // namespace vorlane
