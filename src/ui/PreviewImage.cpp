#include "ui/PreviewImage.h"

#include <utility>

#include <QImage>
#include <QPainter>
#include <QTimer>

#include "ui/MessageBoxes.h"

namespace vorlane {

namespace {

// The bitmap's own pixels, not copied: the image must not outlive the picture.
QImage wrapBitmap(const JpegBitmap& bitmap) {
  if (bitmap.isNull()) {
    return QImage();
  }
  const bool indexed = bitmap.format == JpegBitmap::Format::Indexed8;
  QImage image(reinterpret_cast<const uchar*>(bitmap.pixels.constData()), bitmap.width,
               bitmap.height, bitmap.bytesPerLine,
               indexed ? QImage::Format_Indexed8 : QImage::Format_RGB888);
  if (indexed) {
    image.setColorTable(bitmap.palette);
  }
  return image;
}

}  // namespace

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {}

void PreviewImage::setPicture(JpegPicture picture, DecodeFailure onFailure) {
  m_picture = std::move(picture);
  m_onFailure = onFailure;
  update();
}

void PreviewImage::removePicture() {
  m_picture.reset();
  update();
}

void PreviewImage::paintEvent(QPaintEvent*) {
  if (!m_picture) {
    return;
  }
  const QImage image = wrapBitmap(m_picture->bitmap());
  // Shown after this paint, so a box never opens inside a paint event; handed out only once,
  // so later redraws of what was decoded before the failure stay silent.
  if (std::optional<JpegError> failure = m_picture->takeFailure();
      failure && m_onFailure == DecodeFailure::ShowBox) {
    QTimer::singleShot(0, this, [message = failure->message()] { showErrorBox(message); });
  }
  if (image.isNull()) {
    return;
  }
  // Without smooth transforms the painter repeats or drops whole rows and columns.
  QPainter painter(this);
  painter.drawImage(rect(), image);
}

}  // namespace vorlane
