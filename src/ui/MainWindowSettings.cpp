#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVariant>

#include "core/launch/LaunchParameters.h"
#include "core/platform/Messages.h"
#include "core/platform/TextCodec.h"
#include "core/settings/CaptionTable.h"
#include "core/settings/FrontEndSettings.h"
#include "core/settings/LanguageFile.h"
#include "core/settings/WindowTexts.h"
#include "ui/ControlBindings.h"
#include "ui/SetupWarnings.h"
#include "ui/common/FileText.h"
#include "ui/common/Guard.h"
#include "ui/common/SpokenNames.h"
#include "ui_MainWindow.h"

namespace vorlane {
namespace {

// The control names in the caption table are the window's object names.
template <typename Widget>
Widget* namedControl(const QWidget* window, const char* name) {
  auto* control = window->findChild<Widget*>(QString::fromLatin1(name));
  Q_ASSERT_X(control != nullptr, "namedControl", name);
  return control;
}

// A caption is a tab page's tab text, a group box's title, or a button's or label's text.
// A tab or button that the language leaves without a caption would have no name for a screen
// reader: it keeps its built-in caption as that name.
void setCaption(QTabWidget* pages, QWidget* control, const QString& caption,
                const QString& builtInCaption) {
  const QString spokenName = caption.isEmpty() ? withoutAccelerator(builtInCaption) : QString();
  if (const int tab = pages->indexOf(control); tab >= 0) {
    pages->setTabText(tab, caption);
    pages->tabBar()->setAccessibleTabName(tab, spokenName);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(caption);
    button->setAccessibleName(spokenName);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(caption);
  }
}

// Selects the item at `index`; an index outside the list leaves it with no selection.
void selectIndex(QComboBox* list, int index) {
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace

void MainWindow::bindSettingsHandlers() {
  connectGuarded(m_ui->btnAplicar, &QPushButton::clicked, this, &MainWindow::btnAplicarClick);
}

void MainWindow::listLanguages() {
  // The language's own name is shown decoded; the item keeps the section's bytes for Apply to
  // store.
  m_ui->cboIdioma->clear();
  for (const LanguageEntry& language : languageEntries(*m_languageFile)) {
    m_ui->cboIdioma->addItem(decodeText(language.shownName), language.section);
  }
}

void MainWindow::selectLanguage(const QByteArray& section) {
  const QString wanted = decodeText(section);
  for (int i = 0; i < m_ui->cboIdioma->count(); ++i) {
    if (decodeText(m_ui->cboIdioma->itemData(i).toByteArray())
            .compare(wanted, Qt::CaseInsensitive) == 0) {
      m_ui->cboIdioma->setCurrentIndex(i);
      return;
    }
  }
  m_ui->cboIdioma->setCurrentIndex(-1);
}

void MainWindow::readFrontEndSettings() {
  selectLanguage(startLanguage(*m_settingsFile, languageEntries(*m_languageFile),
                               userLocale(QProcessEnvironment::systemEnvironment())));

  setFileText(m_ui->edtLinhaComando, readSetting(*m_settingsFile, kCustomLineSetting));
  m_ui->edtLinhaComando->setEnabled(readSetting(*m_settingsFile, kCustomLineFieldEnabled));
  m_ui->chkLinhaComando->setChecked(readSetting(*m_settingsFile, kCustomLineFlag));

  selectIndex(m_ui->cboResolucao, readSetting(*m_settingsFile, kResolutionSetting));
  selectIndex(m_ui->cboFrameskip, readSetting(*m_settingsFile, kFrameskipSetting));

  for (const OptionBox& option : kOptionBoxes) {
    if (option.setting != nullptr) {
      ((*m_ui).*option.box)->setChecked(readSetting(*m_settingsFile, *option.setting));
    }
  }
}

QByteArray MainWindow::selectedLanguage() const {
  return m_ui->cboIdioma->currentData().toByteArray();
}

void MainWindow::applyLanguage(const QByteArray& language) {
  const LanguageTexts texts = languageTexts(*m_languageFile, language);
  for (qsizetype i = 0; i < texts.captions.size(); ++i) {
    const CaptionRow& row = captionTable()[i];
    setCaption(m_ui->PageControl1, namedControl<QWidget>(this, row.control), texts.captions[i],
               QString::fromUtf8(row.builtInCaption));
  }
  // The texts built later (tips, spoken counts, the output window's) take the language as they
  // are made; those on show now change at the next scan or window.
  useWindowTexts(texts.windowTexts);
  showAboutText();
  if (m_setupWarnings != nullptr) {
    m_setupWarnings->refresh();
  }
  nameControls({{m_ui->PageControl1, WindowText::PagesName},
                {m_ui->lstDrivers, WindowText::DriverListName},
                {m_ui->panImagem, WindowText::PreviewName},
                {m_ui->imgAmostra, WindowText::PreviewPictureName},
                {m_ui->edtLinhaComando, WindowText::CommandLineName},
                {m_ui->Memo1, WindowText::AboutName}});
}

void MainWindow::showAboutText() {
  const auto pageName = [this](QWidget* page) {
    return withoutAccelerator(m_ui->PageControl1->tabText(m_ui->PageControl1->indexOf(page)));
  };
  m_ui->Memo1->setPlainText(messages::aboutText(pageName(m_ui->tabDrivers),
                                                pageName(m_ui->tabConfiguracao),
                                                withoutAccelerator(m_ui->btnExecutar->text())));
}

void MainWindow::showSetupWarnings() {
  QList<QLineEdit*> fields;
  for (const DirectoryField& bound : kDirectoryFields) {
    fields.append((*m_ui).*bound.control);
  }
  m_setupWarnings = new SetupWarnings(m_baseDirectory, fields,
                                      {{m_ui->btnExecutar, emulatorProgram(m_baseDirectory)},
                                       {m_ui->btnChecksum, checksumProgram(m_baseDirectory)}},
                                      this);
}

void MainWindow::btnAplicarClick() {
  // Each write goes to the file on its own; a failed one ends the handler, earlier ones stay.
  writeSetting(*m_settingsFile, kLanguageSetting, selectedLanguage());
  writeSetting(*m_settingsFile, kCustomLineSetting, fileText(m_ui->edtLinhaComando));
  writeSetting(*m_settingsFile, kCustomLineFlag, m_ui->chkLinhaComando->isChecked());
  writeSetting(*m_settingsFile, kResolutionSetting, m_ui->cboResolucao->currentIndex());
  writeSetting(*m_settingsFile, kFrameskipSetting, m_ui->cboFrameskip->currentIndex());
  for (const OptionBox& option : kOptionBoxes) {
    if (option.setting != nullptr) {
      writeSetting(*m_settingsFile, *option.setting, ((*m_ui).*option.box)->isChecked());
    }
  }
  applyLanguage(selectedLanguage());
  writeEmulatorDirectories();
  loadDrivers();
  composeCommandLine();
}

}  // namespace vorlane
