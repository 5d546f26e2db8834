#pragma once

#include <QByteArray>

namespace vorlane {

// The directory fields of the Settings page as they read now, in the bytes the emulator's file
// holds: relative texts are resolved against the base directory by whoever uses them.
struct DirectoryTexts {
  QByteArray roms;
  QByteArray logs;
  QByteArray drivers;
};

}  // namespace vorlane
