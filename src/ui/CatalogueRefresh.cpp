#include "ui/CatalogueRefresh.h"

#include <QtConcurrent/QtConcurrentRun>

#include "ui/CatalogueModel.h"

namespace vorlane {

CatalogueRefresh::CatalogueRefresh(CatalogueModel* model, QObject* parent)
    : QObject(parent), m_model(model) {
  connect(&m_watcher, &QFutureWatcher<QList<DriverRecord>>::finished, this,
          &CatalogueRefresh::takeResult);
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

void CatalogueRefresh::request() {
  if (m_watcher.isRunning()) {
    m_pending = true;
  } else {
    start();
  }
}

void CatalogueRefresh::start() {
  m_pending = false;
  m_runningGeneration = m_folderGeneration;
  m_watcher.setFuture(
      QtConcurrent::run(rescanDriverFolder, m_driverDirectory, m_romDirectory, m_locale));
}

void CatalogueRefresh::takeResult() {
  const bool current = m_runningGeneration == m_folderGeneration;
  if (current) {
    m_model->applyRefresh(m_watcher.result());
  }
  if (m_pending) {
    start();
  }
  if (current) {
    Q_EMIT applied();
  }
}

}  // namespace vorlane
