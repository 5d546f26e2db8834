#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QTimer>

#include "core/catalogue/CatalogueDiff.h"
#include "core/catalogue/DriverScan.h"

namespace vorlane {

class CatalogueModel;

// Brings a catalogue model up to date with its folders while the program runs: the driver scan
// and its comparison with the model's rows run off the window's thread, and the result reaches
// the model as row changes on the window's thread. Requests that come while a scan runs are
// gathered into one scan after it. A scan the system gives no thread for (too many processes
// for a moment) is tried again after `retryInterval`.
class CatalogueRefresh : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kDefaultRetryInterval{1000};

  explicit CatalogueRefresh(CatalogueModel* model, QObject* parent = nullptr,
                            std::chrono::milliseconds retryInterval = kDefaultRetryInterval);
  // Stops a running scan after the files it reads and waits for it: it reads folders the owner
  // may be about to change.
  ~CatalogueRefresh() override;
  CatalogueRefresh(const CatalogueRefresh&) = delete;
  CatalogueRefresh& operator=(const CatalogueRefresh&) = delete;

  // The folders of the scan the model last took. A scan still running for other folders is not
  // applied.
  void setFolders(const QString& driverDirectory, const QString& romDirectory,
                  const QLocale& locale = QLocale());
  // Scans again for the folders that changed: now, or after the scan that runs.
  void requestFor(FolderChanges changes);
  // The same when either folder may have changed.
  void request() { requestFor({}); }
 Q_SIGNALS:
  // The model took a scan's result (the rows may be the same as before).
  void applied();
  // A scan ended, applied or dropped, and none waits: every request so far is answered.
  void settled();

 private:
  // A scan's drivers and how the model's rows, as they were when it started, become them.
  struct Rescan {
    QList<DriverRecord> drivers;
    CatalogueDiff diff;
  };

  void start();
  void takeResult();

  CatalogueModel* m_model;
  std::thread m_scan;
  std::atomic<bool> m_stop{false};
  QTimer m_retry;
  // The running scan's result, written by it; the window's thread reads it once the scan ended,
  // and lets it go at once: the diff is as long as the catalogue.
  std::optional<Rescan> m_rescan;
  // The model's rows the running scan is compared with, shared with the model while it keeps
  // them.
  QList<DriverRecord> m_scannedFrom;
  QString m_driverDirectory;
  QString m_romDirectory;
  QLocale m_locale;
  // Counts the changes of folders, so a scan of folders no longer shown is dropped.
  quint64 m_folderGeneration = 0;
  quint64 m_runningGeneration = 0;
  // From a scan's start until its result is taken.
  bool m_scanning = false;
  // The folders that changed since the running scan began, gathered for the next one.
  std::optional<FolderChanges> m_pending;
};

}  // namespace vorlane
