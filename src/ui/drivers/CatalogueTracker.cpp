#include "ui/drivers/CatalogueTracker.h"

#include <utility>

#include "core/catalogue/DriverScan.h"
#include "core/files/FolderWatch.h"
#include "ui/drivers/CatalogueModel.h"
#include "ui/drivers/CatalogueRefresh.h"

namespace vorlane {

CatalogueTracker::CatalogueTracker(CatalogueModel* model, QObject* parent)
    : QObject(parent),
      m_model(model),
      m_refresh(new CatalogueRefresh(model, this)),
      m_driverWatch(new FolderWatch(FolderWatch::kDefaultQuietTime, this)),
      m_romWatch(new FolderWatch(FolderWatch::kDefaultQuietTime, this)),
      m_previewWatch(new FolderWatch(FolderWatch::kDefaultQuietTime, this)) {
  connect(m_driverWatch, &FolderWatch::changed, m_refresh,
          [this] { m_refresh->requestFor({.drivers = true, .archives = false}); });
  connect(m_romWatch, &FolderWatch::changed, m_refresh,
          [this] { m_refresh->requestFor({.drivers = false, .archives = true}); });
  for (FolderWatch* watch : {m_driverWatch, m_romWatch}) {
    connect(watch, &FolderWatch::pollingChanged, this, [this] {
      Q_EMIT pollingChanged(m_driverWatch->isPolling() || m_romWatch->isPolling());
    });
  }
  connect(m_refresh, &CatalogueRefresh::applied, this, &CatalogueTracker::refreshed);
  connect(m_previewWatch, &FolderWatch::changed, this, &CatalogueTracker::previewsChanged);
}

void CatalogueTracker::takeScan(QList<DriverRecord> drivers, const QString& driverDirectory,
                                const QString& romDirectory, const QString& previewDirectory) {
  m_driverDirectory = driverDirectory;
  m_model->takeScan(std::move(drivers), romDirectory);
  m_refresh->setFolders(driverDirectory, romDirectory);
  m_driverWatch->watch(driverDirectory);
  m_romWatch->watch(romDirectory);
  m_previewWatch->watch(previewDirectory);
}

void CatalogueTracker::refresh() {
  m_refresh->request();
}

}  // namespace vorlane
