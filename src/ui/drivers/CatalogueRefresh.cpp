#include "ui/drivers/CatalogueRefresh.h"

#include <system_error>
#include <utility>

#include "core/catalogue/GameNameOrder.h"
#include "ui/drivers/CatalogueModel.h"

namespace vorlane {

CatalogueRefresh::CatalogueRefresh(CatalogueModel* model, QObject* parent,
                                   std::chrono::milliseconds retryInterval)
    : QObject(parent), m_model(model) {
  m_retry.setSingleShot(true);
  m_retry.setInterval(retryInterval);
  connect(&m_retry, &QTimer::timeout, this, &CatalogueRefresh::start);
}

CatalogueRefresh::~CatalogueRefresh() {
  m_stop = true;
  if (m_scan.joinable()) {
    m_scan.join();
  }
}

void CatalogueRefresh::setFolders(const QString& driverDirectory, const QString& romDirectory,
                                  const QLocale& locale) {
  m_driverDirectory = driverDirectory;
  m_romDirectory = romDirectory;
  m_locale = locale;
  ++m_folderGeneration;
}

void CatalogueRefresh::requestFor(FolderChanges changes) {
  FolderChanges pending = m_pending.value_or(FolderChanges{false, false});
  pending |= changes;
  m_pending = pending;
  if (!m_scanning && !m_retry.isActive()) {
    start();
  }
}

void CatalogueRefresh::start() {
  const FolderChanges changes = *std::exchange(m_pending, std::nullopt);
  m_runningGeneration = m_folderGeneration;
  // Shared, not copied: the model replaces its list, never changes it.
  m_scannedFrom = m_model->drivers();
  // Here rather than on the window's thread, when the list shows the ranks.
  const bool ranks = m_model->order() == ListOrder::ByGameName;
  try {
    m_scan = std::thread([this, before = m_scannedFrom, driverDirectory = m_driverDirectory,
                          romDirectory = m_romDirectory, locale = m_locale, changes, ranks] {
      QList<DriverRecord> drivers =
          rescanDriverFolder(before, driverDirectory, romDirectory, changes, locale, &m_stop);
      if (ranks && !m_stop) {
        ensureRankedByGameName(drivers, locale);
      }
      CatalogueDiff diff = diffCatalogue(before, drivers);
      m_rescan = Rescan{std::move(drivers), std::move(diff)};
      // Dropped unread when this object is gone first.
      QMetaObject::invokeMethod(this, &CatalogueRefresh::takeResult, Qt::QueuedConnection);
    });
  } catch (const std::system_error&) {
    // The user's processes are at their limit for now: the request waits for a thread, and a
    // window closed meanwhile waits for nothing.
    m_scannedFrom.clear();
    m_pending = changes;
    m_retry.start();
    return;
  }
  m_scanning = true;
}

void CatalogueRefresh::takeResult() {
  m_scanning = false;
  // Makes the result the scan wrote visible here; the scan has told its end as its last step.
  m_scan.join();
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
  const bool waiting = m_pending.has_value();
  if (waiting) {
    start();
  }
  if (current) {
    Q_EMIT applied();
  }
  if (!waiting) {
    Q_EMIT settled();
  }
}

}  // namespace vorlane
