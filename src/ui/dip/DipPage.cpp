#include "ui/dip/DipPage.h"

#include <array>
#include <utility>

#include <QCheckBox>
#include <QPushButton>

#include "core/formats/FlatFile.h"
#include "core/settings/EmulatorConfig.h"
#include "ui/common/Guard.h"

namespace vorlane {
namespace {

// A switch box and its key in the emulator's file, in read and write order: a key the file
// lacks is added in this order.
struct SwitchBox {
  QCheckBox* DipControls::*box;
  const EmulatorSetting* setting;
};

constexpr std::array<SwitchBox, 6> kSwitchBoxes{{
    {&DipControls::chkTestMode, &kTestModeSetting},
    {&DipControls::chkContinueMode, &kContinueModeSetting},
    {&DipControls::chkDemoSounds, &kDemoSoundsSetting},
    {&DipControls::chkVideoFlip, &kVideoFlipSetting},
    {&DipControls::chkFreezeScreen, &kFreezeScreenSetting},
    {&DipControls::chkFreePlay, &kFreePlaySetting},
}};

}  // namespace

DipPage::DipPage(const DipControls& controls, QString emulatorConfigPath,
                 std::function<void()> switchClicked, QObject* parent)
    : QObject(parent),
      m_ui(controls),
      m_emulatorConfigPath(std::move(emulatorConfigPath)),
      m_switchClicked(std::move(switchClicked)) {
  for (const SwitchBox& bound : kSwitchBoxes) {
    connect(m_ui.*bound.box, &QCheckBox::clicked, this,
            [this] { runGuarded([this] { m_switchClicked(); }); });
  }
  connectGuarded(m_ui.btnAplicarDIP, &QPushButton::clicked, this, &DipPage::btnAplicarDIPClick);
}

QList<QWidget*> DipPage::tabOrder() const {
  return {m_ui.btnAplicarDIP, m_ui.chkTestMode,     m_ui.chkDemoSounds,  m_ui.chkVideoFlip,
          m_ui.chkFreePlay,   m_ui.chkContinueMode, m_ui.chkFreezeScreen};
}

QPushButton* DipPage::defaultButton() const {
  return m_ui.btnAplicarDIP;
}

void DipPage::showSwitches(const QByteArray& configText) {
  for (const SwitchBox& bound : kSwitchBoxes) {
    const EmulatorSetting& setting = *bound.setting;
    (m_ui.*bound.box)->setChecked(isYes(flatValue(configText, setting.key, setting.defaultValue)));
  }
}

void DipPage::btnAplicarDIPClick() {
  for (const SwitchBox& bound : kSwitchBoxes) {
    writeFlatValue(m_emulatorConfigPath, bound.setting->key,
                   yesNoText((m_ui.*bound.box)->isChecked()));
  }
}

}  // namespace vorlane
