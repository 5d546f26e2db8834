#include <gtest/gtest.h>

#include "core/settings/FrontEndSettings.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;

// The stored option boxes, in the order the window writes them.
const BoolSetting* const kOptionBoxSettings[] = {&kSyncSetting,        &kDebugModeSetting,
                                                 &kCheckRomsSetting,   &kSwapSetting,
                                                 &kProfileModeSetting, &kSoundSetting};

QList<bool> readOptionBoxes(const ProfileFile& file) {
  QList<bool> checks;
  for (const BoolSetting* setting : kOptionBoxSettings) {
    checks.append(readSetting(file, *setting));
  }
  return checks;
}

// The keys, their sections and order, and the defaults as stored are the window's first Apply's
// table (test_settings); here, what a hand-written file's values read as.
TEST(FrontEndSettings, HandWrittenValuesAreReadAndRewrittenInPlace) {
  TempBase base;
  const ProfileFile file(base.write(kFrontEndSettingsFileName,
                                    "[Configuracao]\r\n"
                                    "UtilizaLinhaComando=1\r\n"
                                    "[General]\r\n"
                                    "Som=yes\r\n"
                                    "ModoDebug=2\r\n"));
  EXPECT_TRUE(readSetting(file, kCustomLineFieldEnabled));
  EXPECT_TRUE(readSetting(file, kCustomLineFlag));
  EXPECT_EQ(readOptionBoxes(file), (QList<bool>{false, true, false, false, false, false}));

  writeSetting(file, kCustomLineFlag, false);
  writeSetting(file, kDebugModeSetting, readSetting(file, kDebugModeSetting));
  EXPECT_EQ(base.read(kFrontEndSettingsFileName),
            "[Configuracao]\r\n"
            "UtilizaLinhaComando=0\r\n"
            "[General]\r\n"
            "Som=yes\r\n"
            "ModoDebug=1\r\n");
}

}  // namespace
}  // namespace vorlane
