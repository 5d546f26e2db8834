#include "ui/MainWindow.h"

#include <limits>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "core/files/FlatFile.h"
#include "core/platform/Paths.h"
#include "core/settings/EmulatorConfig.h"
#include "core/settings/FrontEndSettings.h"
#include "core/settings/LanguageFile.h"
#include "core/start/ProgramInfo.h"
#include "ui/ControlBindings.h"
#include "ui/common/FileText.h"
#include "ui/common/Guard.h"
#include "ui/common/WindowPlacement.h"
#include "ui/gamepad/GamepadNavigation.h"
#include "ui_MainWindow.h"

namespace vorlane {

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::MainWindow>()) {
  m_ui->setupUi(this);
  setWindowTitle(mainWindowTitle());
  m_ui->Label1->setText(QString::fromLatin1(kApplicationTitle));
  // Also where the start-up ends before a language is applied.
  showAboutText();
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(size());
  // A field must hold any value the files can hold: one cut at the toolkit's default length
  // would be written back shortened at the next Apply.
  for (QLineEdit* field : findChildren<QLineEdit*>()) {
    field->setMaxLength(std::numeric_limits<int>::max());
  }

  new WindowPlacement(this);

  QApplication::instance()->installEventFilter(this);
  bindHandlers();
  runGuarded([this] { runCreationSteps(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::takeGamepads(const GamepadTiming& timing) {
  if (m_gamepads != nullptr) {
    return;
  }
  m_gamepads = new GamepadNavigation(
      {this, m_ui->PageControl1, m_ui->tabDrivers, m_ui->lstDrivers, m_ui->btnExecutar,
       m_ui->btnChecksum, m_ui->tabDrivers->findChild<QLineEdit*>(QStringLiteral("edtFiltro"))},
      timing);
  connect(this, &MainWindow::gameStarted, m_gamepads, &GamepadNavigation::gameStarted);
  connect(this, &MainWindow::gameEnded, m_gamepads, &GamepadNavigation::gameEnded);
}

void MainWindow::bindHandlers() {
  connect(m_ui->btnFechar, &QPushButton::clicked, this, &QWidget::close);
  connectGuarded(m_ui->btnAplicarDIP, &QPushButton::clicked, this, &MainWindow::btnAplicarDIPClick);
  bindSettingsHandlers();
  bindCatalogueHandlers();
  bindLaunchHandlers();
  bindEditorHandlers();
}

void MainWindow::runCreationSteps() {
  m_baseDirectory = currentDirectory();
  m_settingsFile =
      std::make_unique<ProfileFile>(basePath(m_baseDirectory, kFrontEndSettingsFileName));
  m_languageFile = std::make_unique<ProfileFile>(
      languageFilePath(m_baseDirectory, QCoreApplication::applicationDirPath()));
  readEmulatorConfig();
  showSetupWarnings();
  listLanguages();
  readFrontEndSettings();
  applyLanguage(selectedLanguage());
  loadDrivers();
  composeCommandLine();
}

QString MainWindow::emulatorConfigPath() const {
  return basePath(m_baseDirectory, kEmulatorConfigFileName);
}

void MainWindow::readEmulatorConfig() {
  // One read serves all nine keys; a file that cannot be read fails here, before any control
  // changes, as the first of nine separate reads would.
  const QByteArray text = readFlatText(emulatorConfigPath());
  for (const DirectoryField& bound : kDirectoryFields) {
    const EmulatorSetting& setting = *bound.setting;
    setFileText((*m_ui).*bound.control, flatValue(text, setting.key, setting.defaultValue));
  }
  for (const SwitchBox& bound : kSwitchBoxes) {
    const EmulatorSetting& setting = *bound.setting;
    ((*m_ui).*bound.control)->setChecked(isYes(flatValue(text, setting.key, setting.defaultValue)));
  }
}

void MainWindow::writeEmulatorDirectories() {
  const QString path = emulatorConfigPath();
  for (const DirectoryField& bound : kDirectoryFields) {
    writeFlatValue(path, bound.setting->key, fileText((*m_ui).*bound.control));
  }
}

void MainWindow::btnAplicarDIPClick() {
  const QString path = emulatorConfigPath();
  for (const SwitchBox& bound : kSwitchBoxes) {
    writeFlatValue(path, bound.setting->key, yesNoText(((*m_ui).*bound.control)->isChecked()));
  }
}

}  // namespace vorlane
