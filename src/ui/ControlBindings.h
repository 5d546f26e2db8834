#pragma once

#include <array>

#include <QCheckBox>
#include <QLineEdit>

#include "core/launch/OptionText.h"
#include "core/settings/EmulatorConfig.h"
#include "core/settings/FrontEndSettings.h"
#include "ui_MainWindow.h"

// The main window's groups of like controls, each bound to what it stands for. Every table is
// in read and write order: a key the file lacks is added in this order.
namespace vorlane {

// A flag box of the configuration page: the option it sets, and the setting it is stored as
// (none for the swapped-keys box, which is never stored).
struct OptionBox {
  QCheckBox* Ui::MainWindow::*box;
  bool OptionState::*flag;
  const BoolSetting* setting;
};

inline constexpr std::array<OptionBox, 7> kOptionBoxes{{
    {&Ui::MainWindow::chkSincronizar, &OptionState::sync, &kSyncSetting},
    {&Ui::MainWindow::chkModoDebug, &OptionState::debug, &kDebugModeSetting},
    {&Ui::MainWindow::chkVerificarRoms, &OptionState::noCheck, &kCheckRomsSetting},
    {&Ui::MainWindow::chkUsarTroca, &OptionState::swap, &kSwapSetting},
    {&Ui::MainWindow::chkModoPerfil, &OptionState::profile, &kProfileModeSetting},
    {&Ui::MainWindow::chkSom, &OptionState::sound, &kSoundSetting},
    {&Ui::MainWindow::chkInverterTeclas, &OptionState::swapKey, nullptr},
}};

// A control of the emulator page and its key in the emulator's file.
template <typename Control>
struct EmulatorControl {
  Control* Ui::MainWindow::*control;
  const EmulatorSetting* setting;
};
using DirectoryField = EmulatorControl<QLineEdit>;
using SwitchBox = EmulatorControl<QCheckBox>;

inline constexpr std::array<DirectoryField, 3> kDirectoryFields{{
    {&Ui::MainWindow::edtRomDir, &kRomDirectorySetting},
    {&Ui::MainWindow::edtLogDir, &kLogDirectorySetting},
    {&Ui::MainWindow::edtDrvDir, &kDriverDirectorySetting},
}};

inline constexpr std::array<SwitchBox, 6> kSwitchBoxes{{
    {&Ui::MainWindow::chkTestMode, &kTestModeSetting},
    {&Ui::MainWindow::chkContinueMode, &kContinueModeSetting},
    {&Ui::MainWindow::chkDemoSounds, &kDemoSoundsSetting},
    {&Ui::MainWindow::chkVideoFlip, &kVideoFlipSetting},
    {&Ui::MainWindow::chkFreezeScreen, &kFreezeScreenSetting},
    {&Ui::MainWindow::chkFreePlay, &kFreePlaySetting},
}};

}  // namespace vorlane
