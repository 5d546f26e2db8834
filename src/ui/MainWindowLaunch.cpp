#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "core/catalogue/DriverScan.h"
#include "core/launch/LaunchParameters.h"
#include "core/launch/OptionText.h"
#include "core/platform/NativeText.h"
#include "core/platform/Paths.h"
#include "core/platform/ProgramReport.h"
#include "core/platform/TextCodec.h"
#include "ui/ControlBindings.h"
#include "ui/common/FileText.h"
#include "ui/common/Guard.h"
#include "ui/output/ProgramLauncher.h"
#include "ui_MainWindow.h"

namespace vorlane {
namespace {

OptionState optionStateOf(const Ui::MainWindow& ui) {
  OptionState state;
  state.resolutionIndex = ui.cboResolucao->currentIndex();
  state.frameSkipIndex = ui.cboFrameskip->currentIndex();
  for (const OptionBox& option : kOptionBoxes) {
    state.*option.flag = (ui.*option.box)->isChecked();
  }
  return state;
}

}  // namespace

void MainWindow::bindLaunchHandlers() {
  // `activated` comes from the user's choices only, by mouse or keyboard; a selection set by
  // the program does not recompose.
  for (QComboBox* list : {m_ui->cboResolucao, m_ui->cboFrameskip}) {
    connectGuarded(list, &QComboBox::activated, this, &MainWindow::composeCommandLine);
  }
  for (const OptionBox& option : kOptionBoxes) {
    connectGuarded((*m_ui).*option.box, &QCheckBox::clicked, this, &MainWindow::composeCommandLine);
  }
  for (const SwitchBox& bound : kSwitchBoxes) {
    connectGuarded((*m_ui).*bound.control, &QCheckBox::clicked, this,
                   &MainWindow::composeCommandLine);
  }
  connectGuarded(m_ui->chkLinhaComando, &QCheckBox::clicked, this,
                 &MainWindow::chkLinhaComandoClick);
  connectGuarded(m_ui->btnExecutar, &QPushButton::clicked, this, &MainWindow::btnExecutarClick);
  // The press before the double-click has already selected the game.
  connectGuarded(m_ui->lstDrivers, &QAbstractItemView::doubleClicked, this,
                 &MainWindow::btnExecutarClick);
  connectGuarded(m_ui->btnChecksum, &QPushButton::clicked, this, &MainWindow::btnChecksumClick);
}

QString MainWindow::composeCommandLine() {
  const QString composed = composeOptionText(optionStateOf(*m_ui));
  if (!m_ui->chkLinhaComando->isChecked()) {
    setOwnText(m_ui->edtLinhaComando, composed);
  }
  // A line read from the settings file goes out as its own bytes, as the names in it are
  // written on the system's side.
  return decodeNative(fileText(m_ui->edtLinhaComando));
}

void MainWindow::chkLinhaComandoClick() {
  m_ui->edtLinhaComando->setEnabled(m_ui->chkLinhaComando->isChecked());
  composeCommandLine();
}

QString MainWindow::logDirectoryOfField() const {
  // An empty text gives none: the log then goes to the user's cache folder.
  return resolveDirectoryText(m_baseDirectory, decodeNative(fileText(m_ui->edtLogDir)));
}

void MainWindow::btnExecutarClick() {
  const DriverRecord* selected = selectedDriver();
  if (selected == nullptr) {
    return;
  }
  const QString options = composeCommandLine();
  const ProgramReport* game =
      launchEmulator(this, emulatorProgram(m_baseDirectory), playArguments(options, selected->file),
                     m_baseDirectory, logDirectoryOfField());
  if (game != nullptr) {
    Q_EMIT gameStarted();
    connect(game, &ProgramReport::ended, this, &MainWindow::gameHasEnded);
  }
}

void MainWindow::gameHasEnded() {
  // The player comes back to the list: the pad and the keyboard act at once.
  raise();
  activateWindow();
  Q_EMIT gameEnded();
}

void MainWindow::btnChecksumClick() {
  // The driver file is the copied current one, which the selection keeps in step.
  const DriverRecord* driver = currentDriver();
  if (driver == nullptr) {
    return;
  }
  const QStringList arguments =
      checksumArguments(m_baseDirectory, decodeNative(fileText(m_ui->edtRomDir)),
                        driverFilePath(*driver), driver->file);
  launchChecksum(this, checksumProgram(m_baseDirectory), arguments, m_baseDirectory,
                 logDirectoryOfField(), driver->file, decodeText(driver->gameName));
}

}  // namespace vorlane
