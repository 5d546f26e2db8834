#include "ui/MainWindow.h"

#include "core/catalogue/DriverScan.h"
#include "core/platform/FileAccess.h"
#include "core/platform/FolderWatch.h"
#include "ui/drivers/CatalogueRefresh.h"
#include "ui/drivers/DriverListFilter.h"

namespace vorlane {

void MainWindow::bindRefreshHandlers() {
  m_refresh = new CatalogueRefresh(m_catalogue, this);
  m_driverWatch = new FolderWatch(FolderWatch::kDefaultQuietTime, this);
  m_romWatch = new FolderWatch(FolderWatch::kDefaultQuietTime, this);
  m_previewWatch = new FolderWatch(FolderWatch::kDefaultQuietTime, this);
  // A change of the ROM folder only looks for the archives again: their names are known.
  connect(m_driverWatch, &FolderWatch::changed, m_refresh,
          [this] { m_refresh->requestFor({.drivers = true, .archives = false}); });
  connect(m_romWatch, &FolderWatch::changed, m_refresh,
          [this] { m_refresh->requestFor({.drivers = false, .archives = true}); });
  for (FolderWatch* watch : {m_driverWatch, m_romWatch}) {
    connect(watch, &FolderWatch::pollingChanged, this, [this] {
      m_driverFilter->setFollowedByPolling(m_driverWatch->isPolling() || m_romWatch->isPolling());
    });
  }
  connect(m_refresh, &CatalogueRefresh::applied, this, &MainWindow::catalogueRefreshed);
  connect(m_previewWatch, &FolderWatch::changed, this, &MainWindow::previewFolderChanged);
}

void MainWindow::followScannedFolders() {
  const QString roms = romDirectory();
  m_refresh->setFolders(m_driverDirectory, roms);
  m_driverWatch->watch(m_driverDirectory);
  m_romWatch->watch(roms);
  m_previewWatch->watch(previewDirectory(m_baseDirectory));
}

void MainWindow::catalogueRefreshed() {
  // The rows changed in place: the selection, the filter's text and the focus stay as they are,
  // unless the filter now hides the selected game.
  m_driverFilter->followCatalogueChange();
}

void MainWindow::previewFolderChanged() {
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

}  // namespace vorlane
