#include <iterator>

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

TEST(FrontEndSettings, MissingFileGivesTheDefaults) {
  TempBase base;
  const ProfileFile file(base.filePath(kFrontEndSettingsFileName));
  EXPECT_EQ(readSetting(file, kLanguageSetting), "Portugues");
  EXPECT_EQ(readSetting(file, kCustomLineSetting), "");
  EXPECT_FALSE(readSetting(file, kCustomLineFieldEnabled));
  EXPECT_FALSE(readSetting(file, kCustomLineFlag));
  EXPECT_EQ(readSetting(file, kResolutionSetting), 3);
  EXPECT_EQ(readSetting(file, kFrameskipSetting), 4);
  EXPECT_EQ(readOptionBoxes(file), QList<bool>(6, false));
}

TEST(FrontEndSettings, FirstApplyWritesElevenKeysInTwoSections) {
  TempBase base;
  const ProfileFile file(base.filePath(kFrontEndSettingsFileName));
  writeSetting(file, kLanguageSetting, "English");
  writeSetting(file, kCustomLineSetting, "-vsync -frameskip 2");
  writeSetting(file, kCustomLineFlag, true);
  writeSetting(file, kResolutionSetting, -1);
  writeSetting(file, kFrameskipSetting, 2);
  for (qsizetype i = 0; i < qsizetype(std::size(kOptionBoxSettings)); ++i) {
    writeSetting(file, *kOptionBoxSettings[i], i % 2 == 0);
  }
  EXPECT_EQ(base.read(kFrontEndSettingsFileName),
            "[Configuracao]\r\n"
            "Idioma=English\r\n"
            "LinhaComando=-vsync -frameskip 2\r\n"
            "UtilizaLInhaComando=1\r\n"
            "[General]\r\n"
            "Resolucao=-1\r\n"
            "Frameskip=2\r\n"
            "SincronizarVbl=1\r\n"
            "ModoDebug=0\r\n"
            "VerificarRoms=1\r\n"
            "UsarTroca=0\r\n"
            "ModoPerfil=1\r\n"
            "Som=0\r\n");
  EXPECT_TRUE(readSetting(file, kCustomLineFieldEnabled));
  EXPECT_EQ(readOptionBoxes(file), (QList<bool>{true, false, true, false, true, false}));
}

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
