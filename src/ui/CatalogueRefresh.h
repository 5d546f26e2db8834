#pragma once

#include <QFutureWatcher>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>

#include "core/catalogue/DriverScan.h"

namespace vorlane {

class CatalogueModel;

// Brings a catalogue model up to date with its folders while the program runs: the driver scan
// runs off the window's thread, and its result reaches the model as row changes on the window's
// thread. Requests that come while a scan runs are gathered into one scan after it.
class CatalogueRefresh : public QObject {
  Q_OBJECT

 public:
  explicit CatalogueRefresh(CatalogueModel* model, QObject* parent = nullptr);
  // Waits for a running scan: it reads folders the owner may be about to change.
  ~CatalogueRefresh() override;

  // The folders of the scan the model last took. A scan still running for other folders is not
  // applied.
  void setFolders(const QString& driverDirectory, const QString& romDirectory,
                  const QLocale& locale = QLocale());
  // Scans again: now, or after the scan that runs.
  void request();
  // A scan runs or is waiting to.
  bool isBusy() const { return m_watcher.isRunning() || m_pending; }

 Q_SIGNALS:
  // The model took a scan's result (the rows may be the same as before).
  void applied();

 private:
  void start();
  void takeResult();

  CatalogueModel* m_model;
  QFutureWatcher<QList<DriverRecord>> m_watcher;
  QString m_driverDirectory;
  QString m_romDirectory;
  QLocale m_locale;
  // Counts the changes of folders, so a scan of folders no longer shown is dropped.
  quint64 m_folderGeneration = 0;
  quint64 m_runningGeneration = 0;
  bool m_pending = false;
};

}  // namespace vorlane
