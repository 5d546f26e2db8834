#include "ui/MainWindow.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QShortcut>

#include "core/catalogue/DriverScan.h"
#include "core/catalogue/JpegPicture.h"
#include "core/catalogue/PreviewFile.h"
#include "core/platform/Messages.h"
#include "core/platform/NativeText.h"
#include "core/platform/Paths.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/FileText.h"
#include "ui/common/Guard.h"
#include "ui/common/MessageBoxes.h"
#include "ui/drivers/CatalogueFilter.h"
#include "ui/drivers/CatalogueModel.h"
#include "ui/drivers/DriverListFilter.h"
#include "ui/drivers/MissingArchiveMarker.h"
#include "ui/drivers/PreviewImage.h"
#include "ui/drivers/PreviewPanel.h"
#include "ui/drivers/RandomGame.h"
#include "ui_MainWindow.h"

namespace vorlane {

void MainWindow::bindCatalogueHandlers() {
  m_catalogue = new CatalogueModel(this);
  m_catalogueFilter = new CatalogueFilter(m_catalogue, this);
  m_driverFilter = new DriverListFilter(m_ui->tabDrivers, m_ui->lstDrivers, m_ui->panTotalDrivers,
                                        m_catalogueFilter, m_catalogue);
  // Games whose ROM archive is missing are greyed; they can still be chosen, since merged sets
  // may keep their ROMs elsewhere.
  new MissingArchiveMarker(m_ui->lstDrivers);
  // File names are shown as they are, never read as markup.
  m_ui->panNomeDriver->setTextFormat(Qt::PlainText);
  // A scan replaces the rows without telling the selection's end: only the user's selections,
  // and those the filter makes as the user would, run the handler.
  connectGuarded(m_ui->lstDrivers->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                 &MainWindow::lstDriversClick);
  // The filter maps its rows again in one layout change, which drops a hidden game's selection
  // without a word.
  connect(m_catalogueFilter, &QAbstractItemModel::layoutChanged, this, [this] {
    if (selectedDriver() == nullptr && !m_currentDriverFile.isEmpty()) {
      lstDriversClick();
    }
  });
  bindRefreshHandlers();
  auto* randomGame = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
  connect(randomGame, &QShortcut::activated, this, [this] {
    if (m_ui->tabDrivers->isVisible()) {
      selectRandomShownGame(m_ui->lstDrivers);
    }
  });
}

void MainWindow::loadDrivers() {
  DriverScanResult scan;
  {
    BusyCursor busy;
    // A failing listing ends here, before the catalogue is touched.
    const QString roms = romDirectory();
    scan = scanDrivers(
        m_baseDirectory, decodeNative(fileText(m_ui->edtDrvDir)), [&busy] { busy.show(); },
        QLocale(), roms);
    m_driverDirectory = scan.directory;
    m_currentDriverFile.clear();
    m_catalogue->takeScan(scan.drivers, roms);
  }
  followScannedFolders();
  // A rescan keeps the filter's text and applies it to the new list; it also shows the count.
  // Outside the busy pointer: the game it may select shows its preview.
  m_driverFilter->apply();
  enableDriverButtons();
  // After the busy pointer is gone, and as a box rather than a failure: the catalogue is whole
  // and creation goes on with its next step.
  if (!scan.firstUnreadablePath.isEmpty()) {
    showErrorBox(messages::cannotOpenFile(scan.firstUnreadablePath));
  }
}

QString MainWindow::romDirectory() const {
  return resolveDirectoryText(m_baseDirectory, decodeNative(fileText(m_ui->edtRomDir)));
}

const DriverRecord* MainWindow::selectedDriver() const {
  const QModelIndexList selected = m_ui->lstDrivers->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    return nullptr;
  }
  return &m_catalogue->record(m_catalogueFilter->mapToSource(selected.front()).row());
}

int MainWindow::currentDriverRow() const {
  return m_currentDriverFile.isEmpty() ? -1 : m_catalogue->rowOfFile(m_currentDriverFile);
}

const DriverRecord* MainWindow::currentDriver() const {
  const int row = currentDriverRow();
  return selectedDriver() == nullptr || row < 0 ? nullptr : &m_catalogue->record(row);
}

QString MainWindow::driverFilePath(const DriverRecord& driver) const {
  return basePath(m_driverDirectory, driver.file);
}

void MainWindow::lstDriversClick() {
  const DriverRecord* selected = selectedDriver();
  enableDriverButtons();
  if (selected == nullptr) {
    // The selected game went (from the disk, or out of the filter's view): nothing names it.
    m_currentDriverFile.clear();
    showPreview(QString());
    m_ui->panNomeDriver->clear();
    m_ui->panImagem->setCaption(QString());
    return;
  }
  m_currentDriverFile = selected->file;
  showDriver(m_currentDriverFile);
}

void MainWindow::enableDriverButtons() {
  // They act on the selected game only.
  const bool selected = selectedDriver() != nullptr;
  for (QPushButton* button : {m_ui->btnExecutar, m_ui->btnChecksum, m_ui->btnEditar}) {
    button->setEnabled(selected);
  }
}

void MainWindow::showDriver(const QString& file) {
  m_ui->panNomeDriver->setText(displayPath(file));
  m_ui->panImagem->setCaption(displayPath(file));
  showPreview(m_previews.find(m_baseDirectory, file));
}

void MainWindow::showPreview(const QString& preview) {
  // Taken before the file is read: a change made while it is read shows as a new stamp. Kept for
  // a picture that failed as well: it is read again once its own file changes.
  m_shownPreview = {preview, preview.isEmpty() ? std::nullopt : regularFileStamp(preview)};
  if (preview.isEmpty()) {
    m_ui->imgAmostra->removePicture();
    return;
  }
  const QString pictureName = displayPath(QFileInfo(preview).fileName());
  try {
    m_ui->imgAmostra->setPicture(JpegPicture::load(preview), pictureName);
  } catch (const Error& failure) {
    m_ui->imgAmostra->showFailure(failure, pictureName);
  }
}

}  // namespace vorlane
