#include "ui/CatalogueRefresh.h"

#include <utility>

#include <QtConcurrent/QtConcurrentRun>

#include "ui/CatalogueModel.h"

namespace vorlane {

CatalogueRefresh::CatalogueRefresh(CatalogueModel* model, QObject* parent)
    : QObject(parent), m_model(model) {
  connect(&m_watcher, &QFutureWatcher<void>::finished, this, &CatalogueRefresh::takeResult);
}

CatalogueRefresh::~CatalogueRefresh() {
  m_watcher.waitForFinished();
}

void CatalogueRefresh::setFolders(const QString& driverDirectory, const QString& romDirectory,
                                  const QLocale& locale) {
  m_driverDirectory = driverDirectory;
  m_romDirectory = romDirectory;
  m_locale = locale;
  ++m_folderGeneration;
}

void CatalogueRefresh::requestFor(FolderChanges changes) {
  if (m_scanning) {
    FolderChanges pending = m_pending.value_or(FolderChanges{false, false});
    pending |= changes;
    m_pending = pending;
  } else {
    start(changes);
  }
}

void CatalogueRefresh::start(FolderChanges changes) {
  m_pending.reset();
  m_scanning = true;
  m_runningGeneration = m_folderGeneration;
  // Shared, not copied: the model replaces its list, never changes it.
  m_scannedFrom = m_model->drivers();
  m_watcher.setFuture(
      QtConcurrent::run([this, before = m_scannedFrom, driverDirectory = m_driverDirectory,
                         romDirectory = m_romDirectory, locale = m_locale, changes] {
        QList<DriverRecord> drivers =
            rescanDriverFolder(before, driverDirectory, romDirectory, changes, locale);
        CatalogueDiff diff = diffCatalogue(before, drivers);
        m_rescan = Rescan{std::move(drivers), std::move(diff)};
      }));
}

void CatalogueRefresh::takeResult() {
  m_scanning = false;
  // Rethrows what the scan threw.
  m_watcher.waitForFinished();
  const Rescan rescan = *std::exchange(m_rescan, std::nullopt);
  const bool current = m_runningGeneration == m_folderGeneration;
  if (current) {
    if (m_scannedFrom.isSharedWith(m_model->drivers())) {
      m_model->applyRefresh(rescan.drivers, rescan.diff);
    } else {
      // The model took other rows meanwhile: they are compared afresh.
      m_model->applyRefresh(rescan.drivers);
    }
  }
  // The rows of before the scan are freed as soon as the model lets them go.
  m_scannedFrom.clear();
  if (m_pending) {
    start(*m_pending);
  }
  if (current) {
    Q_EMIT applied();
  }
}

}  // namespace vorlane
