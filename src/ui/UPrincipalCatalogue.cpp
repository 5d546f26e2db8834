#include "ui/UPrincipal.h"

#include "ui_UPrincipal.h"

// Work in progress: the catalogue handlers land here.
namespace vorlane {

void TFrmPrincipal::bindCatalogueHandlers() {}
void TFrmPrincipal::CarregaDrivers() {}
void TFrmPrincipal::lstDriversClick() {}

}  // namespace vorlane
