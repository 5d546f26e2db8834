#include "ui/MainWindow.h"

#include <QPushButton>

#include "core/catalogue/DriverScan.h"
#include "ui/common/Guard.h"
#include "ui/drivers/CatalogueRefresh.h"
#include "ui/editor/DriverEditor.h"
#include "ui_MainWindow.h"

namespace vorlane {

void MainWindow::bindEditorHandlers() {
  connectGuarded(m_ui->btnEditar, &QPushButton::clicked, this, &MainWindow::btnEditarClick);
}

void MainWindow::btnEditarClick() {
  const DriverRecord* driver = currentDriver();
  if (driver == nullptr || m_editor == nullptr) {
    return;
  }
  m_editor->setDriverFile(driverFilePath(*driver));
  // A saved game name reaches the list through a refresh, without waiting for the driver
  // folder's watch, which does not see a driver that is a link to a file elsewhere.
  const QMetaObject::Connection refresh =
      connect(m_editor, &DriverEditor::saved, m_refresh, &CatalogueRefresh::request);
  m_editor->exec();
  disconnect(refresh);
}

}  // namespace vorlane
