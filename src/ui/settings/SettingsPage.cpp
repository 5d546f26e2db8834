#include "ui/settings/SettingsPage.h"

#include <array>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QVariant>

#include "core/formats/FlatFile.h"
#include "core/launch/OptionText.h"
#include "core/settings/EmulatorConfig.h"
#include "core/settings/FrontEndSettings.h"
#include "core/settings/LanguageFile.h"
#include "core/text/NativeText.h"
#include "core/text/TextCodec.h"
#include "ui/common/FileText.h"
#include "ui/common/Guard.h"

namespace vorlane {
namespace {

// A flag box of the page: the option it sets, and the setting it is stored as (none for the
// swapped-keys box, which is never stored). In read and write order: a key the file lacks is
// added in this order.
struct OptionBox {
  QCheckBox* SettingsControls::*box;
  bool OptionState::*flag;
  const BoolSetting* setting;
};

constexpr std::array<OptionBox, 7> kOptionBoxes{{
    {&SettingsControls::chkSincronizar, &OptionState::sync, &kSyncSetting},
    {&SettingsControls::chkModoDebug, &OptionState::debug, &kDebugModeSetting},
    {&SettingsControls::chkVerificarRoms, &OptionState::noCheck, &kCheckRomsSetting},
    {&SettingsControls::chkUsarTroca, &OptionState::swap, &kSwapSetting},
    {&SettingsControls::chkModoPerfil, &OptionState::profile, &kProfileModeSetting},
    {&SettingsControls::chkSom, &OptionState::sound, &kSoundSetting},
    {&SettingsControls::chkInverterTeclas, &OptionState::swapKey, nullptr},
}};

// A directory field and its key in the emulator's file, in the file's order.
struct DirectoryField {
  QLineEdit* SettingsControls::*field;
  const EmulatorSetting* setting;
};

constexpr std::array<DirectoryField, 3> kDirectoryFields{{
    {&SettingsControls::edtRomDir, &kRomDirectorySetting},
    {&SettingsControls::edtLogDir, &kLogDirectorySetting},
    {&SettingsControls::edtDrvDir, &kDriverDirectorySetting},
}};

// Selects the item at `index`; an index outside the list leaves it with no selection.
void selectIndex(QComboBox* list, int index) {
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace

SettingsPage::SettingsPage(const SettingsControls& controls, const ProfileFile& settingsFile,
                           const ProfileFile& languageFile, QString emulatorConfigPath,
                           QObject* parent)
    : QObject(parent),
      m_ui(controls),
      m_settingsFile(settingsFile),
      m_languageFile(languageFile),
      m_emulatorConfigPath(std::move(emulatorConfigPath)) {
  // `activated` comes from the user's choices only, by mouse or keyboard; a selection set by
  // the program does not recompose.
  for (QComboBox* list : {m_ui.cboResolucao, m_ui.cboFrameskip}) {
    connectGuarded(list, &QComboBox::activated, this, &SettingsPage::composeCommandLine);
  }
  for (const OptionBox& option : kOptionBoxes) {
    connectGuarded(m_ui.*option.box, &QCheckBox::clicked, this, &SettingsPage::composeCommandLine);
  }
  connectGuarded(m_ui.chkLinhaComando, &QCheckBox::clicked, this,
                 &SettingsPage::chkLinhaComandoClick);
}

QList<QWidget*> SettingsPage::tabOrder() const {
  // The video box, the other options box, Apply, the language box, the directories box, then
  // the custom line's field before its check box.
  return {m_ui.cboResolucao,      m_ui.cboFrameskip, m_ui.chkSincronizar,  m_ui.chkModoDebug,
          m_ui.chkVerificarRoms,  m_ui.chkUsarTroca, m_ui.chkSom,          m_ui.chkModoPerfil,
          m_ui.chkInverterTeclas, m_ui.btnAplicar,   m_ui.cboIdioma,       m_ui.edtRomDir,
          m_ui.edtLogDir,         m_ui.edtDrvDir,    m_ui.edtLinhaComando, m_ui.chkLinhaComando};
}

QPushButton* SettingsPage::defaultButton() const {
  return m_ui.btnAplicar;
}

void SettingsPage::listLanguages() {
  // The language's own name is shown decoded; the item keeps the section's bytes for Apply to
  // store.
  m_ui.cboIdioma->clear();
  for (const LanguageEntry& language : languageEntries(m_languageFile)) {
    m_ui.cboIdioma->addItem(decodeText(language.shownName), language.section);
  }
}

void SettingsPage::selectLanguage(const QByteArray& section) {
  const QString wanted = decodeText(section);
  for (int i = 0; i < m_ui.cboIdioma->count(); ++i) {
    if (decodeText(m_ui.cboIdioma->itemData(i).toByteArray())
            .compare(wanted, Qt::CaseInsensitive) == 0) {
      m_ui.cboIdioma->setCurrentIndex(i);
      return;
    }
  }
  m_ui.cboIdioma->setCurrentIndex(-1);
}

void SettingsPage::readFrontEndSettings() {
  selectLanguage(startLanguage(m_settingsFile, languageEntries(m_languageFile),
                               userLocale(QProcessEnvironment::systemEnvironment())));

  setFileText(m_ui.edtLinhaComando, readSetting(m_settingsFile, kCustomLineSetting));
  m_ui.edtLinhaComando->setEnabled(readSetting(m_settingsFile, kCustomLineFieldEnabled));
  m_ui.chkLinhaComando->setChecked(readSetting(m_settingsFile, kCustomLineFlag));

  selectIndex(m_ui.cboResolucao, readSetting(m_settingsFile, kResolutionSetting));
  selectIndex(m_ui.cboFrameskip, readSetting(m_settingsFile, kFrameskipSetting));

  for (const OptionBox& option : kOptionBoxes) {
    if (option.setting != nullptr) {
      (m_ui.*option.box)->setChecked(readSetting(m_settingsFile, *option.setting));
    }
  }
}

QByteArray SettingsPage::selectedLanguage() const {
  return m_ui.cboIdioma->currentData().toByteArray();
}

void SettingsPage::writeFrontEndSettings() {
  writeSetting(m_settingsFile, kLanguageSetting, selectedLanguage());
  writeSetting(m_settingsFile, kCustomLineSetting, fileText(m_ui.edtLinhaComando));
  writeSetting(m_settingsFile, kCustomLineFlag, m_ui.chkLinhaComando->isChecked());
  writeSetting(m_settingsFile, kResolutionSetting, m_ui.cboResolucao->currentIndex());
  writeSetting(m_settingsFile, kFrameskipSetting, m_ui.cboFrameskip->currentIndex());
  for (const OptionBox& option : kOptionBoxes) {
    if (option.setting != nullptr) {
      writeSetting(m_settingsFile, *option.setting, (m_ui.*option.box)->isChecked());
    }
  }
}

void SettingsPage::showEmulatorDirectories(const QByteArray& configText) {
  for (const DirectoryField& bound : kDirectoryFields) {
    const EmulatorSetting& setting = *bound.setting;
    setFileText(m_ui.*bound.field, flatValue(configText, setting.key, setting.defaultValue));
  }
}

void SettingsPage::writeEmulatorDirectories() {
  for (const DirectoryField& bound : kDirectoryFields) {
    writeFlatValue(m_emulatorConfigPath, bound.setting->key, fileText(m_ui.*bound.field));
  }
}

DirectoryTexts SettingsPage::directoryTexts() const {
  return {fileText(m_ui.edtRomDir), fileText(m_ui.edtLogDir), fileText(m_ui.edtDrvDir)};
}

QList<QLineEdit*> SettingsPage::directoryFields() const {
  QList<QLineEdit*> fields;
  for (const DirectoryField& bound : kDirectoryFields) {
    fields.append(m_ui.*bound.field);
  }
  return fields;
}

QString SettingsPage::composeCommandLine() {
  OptionState state;
  state.resolutionIndex = m_ui.cboResolucao->currentIndex();
  state.frameSkipIndex = m_ui.cboFrameskip->currentIndex();
  for (const OptionBox& option : kOptionBoxes) {
    state.*option.flag = (m_ui.*option.box)->isChecked();
  }
  const QString composed = composeOptionText(state);
  if (!m_ui.chkLinhaComando->isChecked()) {
    setOwnText(m_ui.edtLinhaComando, composed);
  }
  // A line read from the settings file goes out as its own bytes, as the names in it are
  // written on the system's side.
  return decodeNative(fileText(m_ui.edtLinhaComando));
}

void SettingsPage::chkLinhaComandoClick() {
  m_ui.edtLinhaComando->setEnabled(m_ui.chkLinhaComando->isChecked());
  composeCommandLine();
}

}  // namespace vorlane
