#include "ui/UPrincipal.h"

#include "ui_UPrincipal.h"

// Work in progress: Edit Driver lands here.
namespace vorlane {

void TFrmPrincipal::bindEditorHandlers() {}
void TFrmPrincipal::btnEditarClick() {}

}  // namespace vorlane
