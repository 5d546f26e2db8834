#pragma once

#include <array>
#include <span>

#include <QLatin1String>

// The keys of the emulator's own configuration file that the front-end reads and writes.
namespace vorlane {

inline constexpr QLatin1String kEmulatorConfigFileName("tessik.ini");

struct EmulatorSetting {
  const char* key;
  const char* defaultValue;  // used when no line of the file has the key
};

// In start-up read order; the window binds its controls to these rows by index, so the order
// is part of the contract: the three directories, then the six game switches.
inline constexpr std::array<EmulatorSetting, 9> kEmulatorSettings{{
    {"Romdir", "."},
    {"Logdir", "."},
    {"Drvdir", "."},
    {"testMode", "no"},
    {"continueMode", "yes"},
    {"demoSounds", "no"},
    {"videoFlip", "no"},
    {"freezeScreen", "no"},
    {"freePlay", "no"},
}};

inline constexpr std::span<const EmulatorSetting, 3> kEmulatorDirectories =
    std::span(kEmulatorSettings).first<3>();
inline constexpr std::span<const EmulatorSetting, 6> kEmulatorSwitches =
    std::span(kEmulatorSettings).last<6>();

}  // namespace vorlane
