#include "ui/PreviewImage.h"

namespace vorlane {

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {}

}  // namespace vorlane
