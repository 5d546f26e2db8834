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
  // The file list's index follows the driver list's; without it there is no file to name.
  if (selectedDriverRow() < 0 || lstArquivos.itemIndex() < 0 || m_editor == nullptr) {
    return;
  }
  m_editor->setArquivoDriver(lstArquivos.filePath(lstArquivos.itemIndex()));
  // The result is not used, and nothing follows the closing: the driver list is not rescanned.
  m_editor->exec();
}

}  // namespace vorlane
