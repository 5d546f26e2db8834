#include "ui/UPrincipal.h"

#include <QListWidget>
#include <QPushButton>

#include "ui/Guard.h"
#include "ui/UEditor.h"
#include "ui_UPrincipal.h"

namespace vorlane {

void TFrmPrincipal::bindEditorHandlers() {
  connectGuarded(m_ui->btnEditar, &QPushButton::clicked, this, &TFrmPrincipal::btnEditarClick);
}

void TFrmPrincipal::btnEditarClick() {
  const bool selected =
      m_ui->lstDrivers->currentRow() >= 0 && !m_ui->lstDrivers->selectedItems().isEmpty();
  // The file list's index follows the driver list's; without it there is no file to name.
  if (!selected || lstArquivos.itemIndex() < 0 || m_editor == nullptr) {
    return;
  }
  m_editor->setArquivoDriver(lstArquivos.filePath(lstArquivos.itemIndex()));
  // The result is not used, and nothing follows the closing: the driver list is not rescanned.
  m_editor->exec();
}

}  // namespace vorlane
