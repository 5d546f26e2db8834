#include "ui/UPrincipal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/launch/LaunchParameters.h"
#include "core/launch/OptionText.h"
#include "core/launch/ProgramLogs.h"
#include "core/platform/NativeText.h"
#include "ui/ControlBindings.h"
#include "ui/FileText.h"
#include "ui/Guard.h"
#include "ui/ProgramLauncher.h"
#include "ui_UPrincipal.h"

namespace vorlane {
namespace {

OptionState optionStateOf(const Ui::TFrmPrincipal& ui) {
  OptionState state;
  state.resolutionIndex = ui.cboResolucao->currentIndex();
  state.frameSkipIndex = ui.cboFrameskip->currentIndex();
  for (const OptionBox& option : kOptionBoxes) {
    state.*option.flag = (ui.*option.box)->isChecked();
  }
  return state;
}

}  // namespace

void TFrmPrincipal::bindLaunchHandlers() {
  // `activated` comes from the user's choices only, by mouse or keyboard; a selection set by
  // the program does not recompose.
  for (QComboBox* list : {m_ui->cboResolucao, m_ui->cboFrameskip}) {
    connectGuarded(list, &QComboBox::activated, this, &TFrmPrincipal::MontaLinhaComando);
  }
  for (const OptionBox& option : kOptionBoxes) {
    connectGuarded((*m_ui).*option.box, &QCheckBox::clicked, this,
                   &TFrmPrincipal::MontaLinhaComando);
  }
  for (const SwitchBox& bound : kSwitchBoxes) {
    connectGuarded((*m_ui).*bound.control, &QCheckBox::clicked, this,
                   &TFrmPrincipal::MontaLinhaComando);
  }
  connectGuarded(m_ui->chkLinhaComando, &QCheckBox::clicked, this,
                 &TFrmPrincipal::chkLinhaComandoClick);
  connectGuarded(m_ui->btnExecutar, &QPushButton::clicked, this, &TFrmPrincipal::btnExecutarClick);
  // The press before the double-click has already selected the game.
  connectGuarded(m_ui->lstDrivers, &QListWidget::itemDoubleClicked, this,
                 &TFrmPrincipal::btnExecutarClick);
  connectGuarded(m_ui->btnChecksum, &QPushButton::clicked, this, &TFrmPrincipal::btnChecksumClick);
}

QString TFrmPrincipal::MontaLinhaComando() {
  const QString composed = composeOptionText(optionStateOf(*m_ui));
  if (!m_ui->chkLinhaComando->isChecked()) {
    setOwnText(m_ui->edtLinhaComando, composed);
  }
  // A line read from the settings file goes out as its own bytes, as the names in it are
  // written on the system's side.
  return decodeNative(fileText(m_ui->edtLinhaComando));
}

void TFrmPrincipal::chkLinhaComandoClick() {
  m_ui->edtLinhaComando->setEnabled(m_ui->chkLinhaComando->isChecked());
  MontaLinhaComando();
}

void TFrmPrincipal::btnExecutarClick() {
  const int row = selectedDriverRow();
  if (row < 0 || row >= lstArquivos.entries().size()) {
    return;
  }
  const QString options = MontaLinhaComando();
  launchEmulator(this, emulatorProgram(DirBase),
                 playArguments(options, lstArquivos.entries().at(row)), DirBase,
                 logDirectory(DirBase));
}

void TFrmPrincipal::btnChecksumClick() {
  // The driver file is the file list's own current one, which the selection keeps in step.
  const int fileIndex = lstArquivos.itemIndex();
  const int row = selectedDriverRow();
  if (row < 0 || fileIndex < 0) {
    return;
  }
  const QString& fileName = lstArquivos.entries().at(fileIndex);
  const QStringList arguments = checksumArguments(DirBase, decodeNative(fileText(m_ui->edtRomDir)),
                                                  lstArquivos.filePath(fileIndex), fileName);
  launchChecksum(this, checksumProgram(DirBase), arguments, DirBase, logDirectory(DirBase),
                 fileName, m_ui->lstDrivers->item(row)->text());
}

}  // namespace vorlane
