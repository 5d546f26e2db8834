#include "ui/MainWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStringList>

#include "core/catalogue/DriverScan.h"
#include "core/catalogue/JpegPicture.h"
#include "core/catalogue/PreviewFile.h"
#include "core/platform/Messages.h"
#include "core/platform/NativeText.h"
#include "core/platform/Paths.h"
#include "core/platform/TextCodec.h"
#include "ui/BusyCursor.h"
#include "ui/DriverListFilter.h"
#include "ui/FileText.h"
#include "ui/Guard.h"
#include "ui/MessageBoxes.h"
#include "ui/MissingArchiveMarker.h"
#include "ui/PreviewImage.h"
#include "ui/PreviewPanel.h"
#include "ui/RandomGame.h"
#include "ui_MainWindow.h"

namespace vorlane {

namespace {

// Replaces the items in one go (a long catalogue stays quick to fill), with the list's signals
// blocked: a change the program makes is no selection by the user.
void fillDriverList(QListWidget* list, const QList<DriverRecord>& drivers) {
  QStringList texts;
  texts.reserve(drivers.size());
  for (const DriverRecord& driver : drivers) {
    texts.append(decodeText(driver.gameName));
  }
  const QSignalBlocker programChanges(list);
  list->clear();
  list->addItems(texts);
}

}  // namespace

void MainWindow::bindCatalogueHandlers() {
  // Games whose ROM archive is missing are greyed; they can still be chosen, since merged sets
  // may keep their ROMs elsewhere.
  m_archiveMarker = new MissingArchiveMarker(m_ui->lstDrivers);
  m_driverFilter = new DriverListFilter(m_ui->tabDrivers, m_ui->lstDrivers, m_ui->panTotalDrivers,
                                        m_archiveMarker);
  // File names are shown as they are, never read as markup.
  m_ui->panNomeDriver->setTextFormat(Qt::PlainText);
  // Only the user's selections run the handler (see fillDriverList).
  connectGuarded(m_ui->lstDrivers, &QListWidget::itemSelectionChanged, this,
                 &MainWindow::lstDriversClick);
  connect(m_driverFilter, &DriverListFilter::hidesEveryGame, this,
          &MainWindow::filterHidesEveryGame);
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
    // A failing listing ends here, before either list is touched.
    scan = scanDrivers(
        m_baseDirectory, decodeNative(fileText(m_ui->edtDrvDir)), [&busy] { busy.show(); },
        QLocale(), resolveDirectoryText(m_baseDirectory, decodeNative(fileText(m_ui->edtRomDir))));
    m_driverFiles.takeScan(scan);
    m_archiveMarker->takeScan(scan.drivers);
    fillDriverList(m_ui->lstDrivers, scan.drivers);
  }
  // A rescan keeps the filter's text and applies it to the new list; it also shows the count.
  // Outside the busy pointer: the game it may select shows its preview, which can fail.
  m_driverFilter->apply();
  // After the busy pointer is gone, and as a box rather than a failure: the catalogue is whole
  // and creation goes on with its next step.
  if (!scan.firstUnreadablePath.isEmpty()) {
    showErrorBox(messages::cannotOpenFile(scan.firstUnreadablePath));
  }
}

int MainWindow::selectedDriverRow() const {
  const QList<QListWidgetItem*> selected = m_ui->lstDrivers->selectedItems();
  return selected.isEmpty() ? -1 : m_ui->lstDrivers->row(selected.front());
}

void MainWindow::lstDriversClick() {
  const int row = selectedDriverRow();
  if (row < 0) {
    return;
  }
  if (m_driverFiles.itemIndex() != row) {
    m_driverFiles.setItemIndex(row);
  }
  const QString name = m_driverFiles.entries().at(m_driverFiles.itemIndex());

  // A picture that fails to load ends the handler here: the old picture and captions stay.
  const QString preview = m_previews.find(m_baseDirectory, name);
  if (preview.isEmpty()) {
    m_ui->imgAmostra->removePicture();
  } else {
    m_ui->imgAmostra->setPicture(JpegPicture::load(preview));
  }
  m_ui->panNomeDriver->setText(displayPath(name));
  m_ui->panImagem->setCaption(displayPath(name));
}

void MainWindow::filterHidesEveryGame(bool hidesAll) {
  for (QPushButton* button : {m_ui->btnExecutar, m_ui->btnChecksum, m_ui->btnEditar}) {
    button->setEnabled(!hidesAll);
  }
  if (hidesAll) {
    m_ui->imgAmostra->removePicture();
    m_ui->panNomeDriver->clear();
    m_ui->panImagem->setCaption(QString());
  }
}

}  // namespace vorlane
