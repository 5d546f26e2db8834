#pragma once

#include <array>

#include <QCheckBox>
#include <QLineEdit>

#include "core/launch/OptionText.h"
#include "core/settings/EmulatorConfig.h"
#include "core/settings/FrontEndSettings.h"
#include "ui_UPrincipal.h"

// The main window's groups of like controls, each bound to what it stands for. Every table is
// in read and write order: a key the file lacks is added in this order.
namespace vorlane {

// A flag box of the configuration page: the option it sets, and the setting it is stored as
// (none for the swapped-keys box, which is never stored).
struct OptionBox {
  QCheckBox* Ui::TFrmPrincipal::*box;
  bool OptionState::*flag;
  const BoolSetting* setting;
};

inline constexpr std::array<OptionBox, 7> kOptionBoxes{{
    {&Ui::TFrmPrincipal::chkSincronizar, &OptionState::sync, &kSyncSetting},
    {&Ui::TFrmPrincipal::chkModoDebug, &OptionState::debug, &kDebugModeSetting},
    {&Ui::TFrmPrincipal::chkVerificarRoms, &OptionState::noCheck, &kCheckRomsSetting},
    {&Ui::TFrmPrincipal::chkUsarTroca, &OptionState::swap, &kSwapSetting},
    {&Ui::TFrmPrincipal::chkModoPerfil, &OptionState::profile, &kProfileModeSetting},
    {&Ui::TFrmPrincipal::chkSom, &OptionState::sound, &kSoundSetting},
    {&Ui::TFrmPrincipal::chkInverterTeclas, &OptionState::swapKey, nullptr},
}};

// A control of the emulator page and its key in the emulator's file.
template <typename Control>
struct EmulatorControl {
  Control* Ui::TFrmPrincipal::*control;
  const EmulatorSetting* setting;
};
using DirectoryField = EmulatorControl<QLineEdit>;
using SwitchBox = EmulatorControl<QCheckBox>;

inline constexpr std::array<DirectoryField, 3> kDirectoryFields{{
    {&Ui::TFrmPrincipal::edtRomDir, &kRomDirectorySetting},
    {&Ui::TFrmPrincipal::edtLogDir, &kLogDirectorySetting},
    {&Ui::TFrmPrincipal::edtDrvDir, &kDriverDirectorySetting},
}};

inline constexpr std::array<SwitchBox, 6> kSwitchBoxes{{
    {&Ui::TFrmPrincipal::chkTestMode, &kTestModeSetting},
    {&Ui::TFrmPrincipal::chkContinueMode, &kContinueModeSetting},
    {&Ui::TFrmPrincipal::chkDemoSounds, &kDemoSoundsSetting},
    {&Ui::TFrmPrincipal::chkVideoFlip, &kVideoFlipSetting},
    {&Ui::TFrmPrincipal::chkFreezeScreen, &kFreezeScreenSetting},
    {&Ui::TFrmPrincipal::chkFreePlay, &kFreePlaySetting},
}};

}  // namespace vorlane
