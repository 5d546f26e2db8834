#include "ui/MainWindow.h"

#include <QListWidget>
#include <QPushButton>

#include "ui/DriverEditor.h"
#include "ui/Guard.h"
#include "ui_MainWindow.h"

namespace vorlane {

void MainWindow::bindEditorHandlers() {
  connectGuarded(m_ui->btnEditar, &QPushButton::clicked, this, &MainWindow::btnEditarClick);
}

void MainWindow::btnEditarClick() {
  // The file list's index follows the driver list's; without it there is no file to name.
  if (selectedDriverRow() < 0 || m_driverFiles.itemIndex() < 0 || m_editor == nullptr) {
    return;
  }
  m_editor->setDriverFile(m_driverFiles.filePath(m_driverFiles.itemIndex()));
  // The result is not used, and nothing follows the closing: the driver list is not rescanned.
  m_editor->exec();
}

}  // namespace vorlane
