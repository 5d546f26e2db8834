#include "ui/UPrincipal.h"

#include "ui_UPrincipal.h"

// Work in progress: the settings and languages handlers land here.
namespace vorlane {

void TFrmPrincipal::bindSettingsHandlers() {}
void TFrmPrincipal::listLanguages() {}
void TFrmPrincipal::readFrontEndSettings() {}
QByteArray TFrmPrincipal::selectedLanguage() const {
  return {};
}
void TFrmPrincipal::AplicaIdioma(const QByteArray&) {}
void TFrmPrincipal::btnAplicarClick() {}

}  // namespace vorlane
