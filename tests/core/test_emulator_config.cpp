#include "core/settings/EmulatorConfig.h"

#include <gtest/gtest.h>

#include "core/formats/FlatFile.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;

// The game switches, in the order the window reads and writes them.
const EmulatorSetting kEmulatorSwitches[] = {kTestModeSetting,     kContinueModeSetting,
                                             kDemoSoundsSetting,   kVideoFlipSetting,
                                             kFreezeScreenSetting, kFreePlaySetting};

TEST(EmulatorConfig, StartUpReadsAndDipWritesRoundTrip) {
  TempBase base;
  const QString path = base.write(kEmulatorConfigFileName,
                                  "; emulator settings\r\n"
                                  "Romdir       roms\\\r\n"
                                  "TESTMODE     Yes  \r\n"
                                  "continueMode yes\r\n"
                                  "demoSounds   no\r\n"
                                  "videoFlip    no\r\n"
                                  "freezeScreen no\r\n"
                                  "freePlay     no\r\n");
  QList<bool> switches;
  for (const EmulatorSetting& setting : kEmulatorSwitches) {
    switches.append(isYes(flatValue(readFlatText(path), setting.key, setting.defaultValue)));
  }
  EXPECT_EQ(switches, (QList<bool>{true, true, false, false, false, false}));
  EXPECT_EQ(
      flatValue(readFlatText(path), kRomDirectorySetting.key, kRomDirectorySetting.defaultValue),
      "roms\\");
  EXPECT_EQ(
      flatValue(readFlatText(path), kLogDirectorySetting.key, kLogDirectorySetting.defaultValue),
      ".");

  for (qsizetype i = 0; i < switches.size(); ++i) {
    writeFlatValue(path, kEmulatorSwitches[i].key, yesNoText(!switches[i]));
  }
  EXPECT_EQ(base.read(kEmulatorConfigFileName),
            "; emulator settings\r\n"
            "Romdir       roms\\\r\n"
            "testMode     no\r\n"
            "continueMode no\r\n"
            "demoSounds   yes\r\n"
            "videoFlip    yes\r\n"
            "freezeScreen yes\r\n"
            "freePlay     yes\r\n");
}

TEST(EmulatorConfig, OnlyContinueModeIsOnWithoutAFile) {
  TempBase base;
  const QString path = base.write(kEmulatorConfigFileName, "");
  QList<bool> switches;
  for (const EmulatorSetting& setting : kEmulatorSwitches) {
    switches.append(isYes(flatValue(readFlatText(path), setting.key, setting.defaultValue)));
  }
  EXPECT_EQ(switches, (QList<bool>{false, true, false, false, false, false}));
}

}  // namespace
}  // namespace vorlane
