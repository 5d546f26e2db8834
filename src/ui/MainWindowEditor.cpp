#include "ui/MainWindow.h"

#include <QPushButton>

#include "core/catalogue/DriverScan.h"
#include "ui/DriverEditor.h"
#include "ui/Guard.h"
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
  // The result is not used, and nothing follows the closing: a saved game name reaches the list
  // through the driver folder's watch, not a rescan.
  m_editor->exec();
}

}  // namespace vorlane
