#include "ui/drivers/DriversPage.h"

#include <utility>

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QShortcut>

#include "core/catalogue/DriverScan.h"
#include "core/errors/ErrorMessages.h"
#include "core/files/Paths.h"
#include "core/formats/JpegPicture.h"
#include "core/launch/LaunchParameters.h"
#include "core/process/ProgramReport.h"
#include "core/text/NativeText.h"
#include "core/text/TextCodec.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Guard.h"
#include "ui/common/MessageBoxes.h"
#include "ui/drivers/CatalogueFilter.h"
#include "ui/drivers/CatalogueModel.h"
#include "ui/drivers/CatalogueTracker.h"
#include "ui/drivers/CutNameTip.h"
#include "ui/drivers/DriverListFilter.h"
#include "ui/drivers/MissingArchiveMarker.h"
#include "ui/drivers/PreviewImage.h"
#include "ui/drivers/PreviewPanel.h"
#include "ui/drivers/RandomGame.h"
#include "ui/drivers/ViewChoices.h"
#include "ui/editor/DriverEditor.h"
#include "ui/output/ProgramLauncher.h"

namespace vorlane {

DriversPage::DriversPage(const DriversControls& controls, const QString& baseDirectory,
                         DriversPageLinks links, QObject* parent)
    : QObject(parent),
      m_ui(controls),
      m_baseDirectory(baseDirectory),
      m_links(std::move(links)),
      m_catalogue(new CatalogueModel(this)),
      m_catalogueFilter(new CatalogueFilter(m_catalogue, this)),
      m_driverFilter(new DriverListFilter(m_ui.page, m_ui.lstDrivers, m_ui.edtFiltro,
                                          m_ui.panTotalDrivers, m_catalogueFilter, m_catalogue)),
      m_tracker(new CatalogueTracker(m_catalogue, this)) {
  // Games whose ROM archive is missing are greyed; they can still be chosen, since merged sets
  // may keep their ROMs elsewhere.
  new MissingArchiveMarker(m_ui.lstDrivers, m_catalogue);
  new CutNameTip(m_ui.lstDrivers);
  // File names are shown as they are, never read as markup.
  m_ui.panNomeDriver->setTextFormat(Qt::PlainText);
  // A scan replaces the rows without telling the selection's end: only the user's selections,
  // and those the filter makes as the user would, run the handler.
  connectGuarded(m_ui.lstDrivers->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                 &DriversPage::lstDriversClick);
  // The filter maps its rows again in one layout change, which drops a hidden game's selection
  // without a word; outside list order a refresh is one too, which keeps a renamed file selected.
  connect(m_catalogueFilter, &QAbstractItemModel::layoutChanged, this, [this] {
    const DriverRecord* selected = selectedDriver();
    if (selected == nullptr ? m_showsSelection : selected->file != m_shownFile) {
      lstDriversClick();
    }
  });
  // The rows changed in place: the selection, the filter's text and the focus stay as they are,
  // unless the filter now hides the selected game.
  connect(m_tracker, &CatalogueTracker::refreshed, m_driverFilter,
          &DriverListFilter::followCatalogueChange);
  connect(m_tracker, &CatalogueTracker::pollingChanged, m_driverFilter,
          &DriverListFilter::setFollowedByPolling);
  connect(m_tracker, &CatalogueTracker::previewsChanged, this, &DriversPage::previewFolderChanged);

  m_viewChoices = new ViewChoices({.list = m_ui.lstDrivers,
                                   .previewArea = m_ui.panImagem,
                                   .preview = m_ui.imgAmostra,
                                   .catalogue = m_catalogue,
                                   .filter = m_catalogueFilter,
                                   .listFilter = m_driverFilter},
                                  this);

  connectGuarded(m_ui.btnExecutar, &QPushButton::clicked, this, &DriversPage::btnExecutarClick);
  // The press before the double-click has already selected the game.
  connectGuarded(m_ui.lstDrivers, &QAbstractItemView::doubleClicked, this,
                 &DriversPage::btnExecutarClick);
  connectGuarded(m_ui.btnChecksum, &QPushButton::clicked, this, &DriversPage::btnChecksumClick);
  connectGuarded(m_ui.btnEditar, &QPushButton::clicked, this, &DriversPage::btnEditarClick);
  auto* randomGame = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), m_ui.page->window());
  connect(randomGame, &QShortcut::activated, this, [this] {
    if (m_ui.page->isVisible()) {
      selectRandomShownGame(m_ui.lstDrivers);
    }
  });
}

QList<QWidget*> DriversPage::tabOrder() const {
  return {m_ui.lstDrivers, m_ui.btnExecutar, m_ui.btnChecksum, m_ui.btnEditar};
}

QPushButton* DriversPage::defaultButton() const {
  return m_ui.btnExecutar;
}

void DriversPage::loadDrivers() {
  DriverScanResult scan;
  {
    BusyCursor busy;
    // A failing listing ends here, before the catalogue is touched.
    const QString roms = romDirectory();
    scan = scanDrivers(
        m_baseDirectory, decodeNative(m_links.directories().drivers), [&busy] { busy.show(); },
        QLocale(), roms);
    m_tracker->takeScan(std::move(scan.drivers), scan.directory, roms,
                        previewDirectory(m_baseDirectory));
    m_showsSelection = false;
  }
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

void DriversPage::selectGame(const QString& driverFile) {
  // Nothing remembered, the common first start: no row to look through.
  if (driverFile.isEmpty()) {
    return;
  }
  // Among the rows as the model orders them: a record's place in the scan is its row only in
  // list order.
  int row = 0;
  while (row < m_catalogue->rowCount() && m_catalogue->record(row).file != driverFile) {
    ++row;
  }
  const QModelIndex shown = m_catalogueFilter->mapFromSource(m_catalogue->index(row));
  if (!shown.isValid()) {
    return;
  }
  m_ui.lstDrivers->selectionModel()->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect);
  m_ui.lstDrivers->scrollTo(shown, QAbstractItemView::PositionAtCenter);
  m_ui.lstDrivers->setFocus();
}

QString DriversPage::romDirectory() const {
  return resolveDirectoryText(m_baseDirectory, decodeNative(m_links.directories().roms));
}

QString DriversPage::logDirectory() const {
  // An empty text gives none: the log then goes to the user's cache folder.
  return resolveDirectoryText(m_baseDirectory, decodeNative(m_links.directories().logs));
}

const DriverRecord* DriversPage::selectedDriver() const {
  const QModelIndexList selected = m_ui.lstDrivers->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    return nullptr;
  }
  return &m_catalogue->record(m_catalogueFilter->mapToSource(selected.front()).row());
}

void DriversPage::lstDriversClick() {
  const DriverRecord* selected = selectedDriver();
  m_showsSelection = selected != nullptr;
  enableDriverButtons();
  if (selected == nullptr) {
    // The selected game went (from the disk, or out of the filter's view): nothing names it.
    showPreview(QString());
    m_shownFile.clear();
    m_ui.panNomeDriver->clear();
    m_ui.panImagem->setCaption(QString());
    return;
  }
  showDriver(selected->file);
}

void DriversPage::enableDriverButtons() {
  // They act on the selected game only.
  const bool selected = selectedDriver() != nullptr;
  for (QPushButton* button : {m_ui.btnExecutar, m_ui.btnChecksum, m_ui.btnEditar}) {
    button->setEnabled(selected);
  }
}

void DriversPage::showDriver(const QString& file) {
  m_shownFile = file;
  m_ui.panNomeDriver->setText(displayPath(file));
  m_ui.panImagem->setCaption(displayPath(file));
  showPreview(m_previews.find(m_baseDirectory, file));
}

void DriversPage::showPreview(const QString& preview) {
  // Taken before the file is read: a change made while it is read shows as a new stamp. Kept for
  // a picture that failed as well: it is read again once its own file changes.
  m_shownPreview = {preview, preview.isEmpty() ? std::nullopt : regularFileStamp(preview)};
  if (preview.isEmpty()) {
    m_ui.imgAmostra->removePicture();
    return;
  }
  const QString pictureName = displayPath(QFileInfo(preview).fileName());
  try {
    m_ui.imgAmostra->setPicture(JpegPicture::load(preview), pictureName);
  } catch (const Error& failure) {
    m_ui.imgAmostra->showFailure(failure, pictureName);
  }
}

void DriversPage::previewFolderChanged() {
  // A picture still being written shows its failure now; the next change shows it whole.
  m_previews.forget();
  const DriverRecord* selected = selectedDriver();
  if (selected == nullptr) {
    return;
  }
  const QString preview = m_previews.find(m_baseDirectory, selected->file);
  // Another file changed: decoding a large picture again would hold up the window for nothing.
  if (preview == m_shownPreview.path &&
      (preview.isEmpty() || regularFileStamp(preview) == m_shownPreview.stamp)) {
    return;
  }
  showPreview(preview);
}

void DriversPage::btnExecutarClick() {
  const DriverRecord* selected = selectedDriver();
  if (selected == nullptr) {
    return;
  }
  const QString options = m_links.optionText();
  const ProgramReport* game = launchEmulator(
      m_ui.page->window(), emulatorProgram(m_baseDirectory), playArguments(options, selected->file),
      m_baseDirectory, logDirectory(), m_links.earlyEndWindow);
  if (game != nullptr) {
    Q_EMIT gameStarted(selected->file);
    connect(game, &ProgramReport::ended, this, &DriversPage::gameEnded);
  }
}

void DriversPage::btnChecksumClick() {
  const DriverRecord* driver = selectedDriver();
  if (driver == nullptr) {
    return;
  }
  const QStringList arguments =
      checksumArguments(m_baseDirectory, decodeNative(m_links.directories().roms),
                        basePath(m_tracker->driverDirectory(), driver->file), driver->file);
  launchChecksum(m_ui.page->window(), checksumProgram(m_baseDirectory), arguments, m_baseDirectory,
                 logDirectory(), driver->file, decodeText(driver->gameName));
}

void DriversPage::btnEditarClick() {
  const DriverRecord* driver = selectedDriver();
  if (driver == nullptr || m_editor == nullptr) {
    return;
  }
  m_editor->setDriverFile(basePath(m_tracker->driverDirectory(), driver->file));
  // A saved game name reaches the list through a refresh, without waiting for the driver
  // folder's watch, which does not see a driver that is a link to a file elsewhere.
  const QMetaObject::Connection refresh =
      connect(m_editor, &DriverEditor::saved, m_tracker, &CatalogueTracker::refresh);
  m_editor->exec();
  disconnect(refresh);
}

}  // namespace vorlane
