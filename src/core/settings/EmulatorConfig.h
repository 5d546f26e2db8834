#pragma once

#include <QLatin1String>

// The keys of the emulator's own configuration file that the front-end reads and writes.
namespace vorlane {

inline constexpr QLatin1String kEmulatorConfigFileName("tessik.ini");

struct EmulatorSetting {
  const char* key;
  const char* defaultValue;  // used when no line of the file has the key
};

// The directories, as texts.
inline constexpr EmulatorSetting kRomDirectorySetting{"Romdir", "."};
inline constexpr EmulatorSetting kLogDirectorySetting{"Logdir", "."};
inline constexpr EmulatorSetting kDriverDirectorySetting{"Drvdir", "."};

// The game switches, as "yes" or "no".
inline constexpr EmulatorSetting kTestModeSetting{"testMode", "no"};
inline constexpr EmulatorSetting kContinueModeSetting{"continueMode", "yes"};
inline constexpr EmulatorSetting kDemoSoundsSetting{"demoSounds", "no"};
inline constexpr EmulatorSetting kVideoFlipSetting{"videoFlip", "no"};
inline constexpr EmulatorSetting kFreezeScreenSetting{"freezeScreen", "no"};
inline constexpr EmulatorSetting kFreePlaySetting{"freePlay", "no"};

}  // namespace vorlane
