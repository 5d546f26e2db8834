#include "ui/UPrincipal.h"

#include "ui_UPrincipal.h"

// Work in progress: the option text and launch handlers land here.
namespace vorlane {

void TFrmPrincipal::bindLaunchHandlers() {}
QString TFrmPrincipal::MontaLinhaComando() {
  return {};
}
void TFrmPrincipal::MontaComandoClick() {}
void TFrmPrincipal::chkLinhaComandoClick() {}
void TFrmPrincipal::btnExecutarClick() {}
void TFrmPrincipal::btnChecksumClick() {}

}  // namespace vorlane
