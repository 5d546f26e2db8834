#include "ui/drivers/PreviewImage.h"

#include <utility>

#include <QImage>
#include <QPainter>

#include "core/formats/PictureFit.h"

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

void PreviewImage::setPicture(JpegPicture picture, const QString& fileName) {
  m_picture = std::move(picture);
  m_fileName = fileName;
  setFailureText(QString());
}

void PreviewImage::showFailure(const Error& failure, const QString& fileName) {
  m_picture.reset();
  // A file that cannot be opened is named in its message; a picture's code needs its name.
  const bool named = dynamic_cast<const JpegError*>(&failure) == nullptr;
  setFailureText(named ? failure.message() : failure.message() + QLatin1Char('\n') + fileName);
}

void PreviewImage::removePicture() {
  m_picture.reset();
  setFailureText(QString());
}

void PreviewImage::setKeepShape(bool keep) {
  m_keepShape = keep;
  update();
}

void PreviewImage::setFailureText(const QString& text) {
  m_failure = text;
  setAccessibleDescription(text);
  update();
}

void PreviewImage::paintEvent(QPaintEvent*) {
  if (m_picture) {
    const QImage image = wrapBitmap(m_picture->bitmap());
    if (std::optional<JpegError> failure = m_picture->takeFailure()) {
      showFailure(*failure, m_fileName);
    } else if (!image.isNull()) {
      drawPicture(image);
    }
  }
  if (!m_failure.isEmpty()) {
    // In the palette's own colours, so that it reads in light and dark themes alike.
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().marginsRemoved(QMargins(4, 4, 4, 4)),
                     Qt::AlignCenter | Qt::TextWordWrap, m_failure);
  }
}

void PreviewImage::drawPicture(const QImage& image) {
  QPainter painter(this);
  if (!m_keepShape) {
    // Without smooth transforms the painter repeats or drops whole rows and columns.
    painter.drawImage(rect(), image);
    return;
  }
  const PictureFit fit = fitPicture(image.size(), size());
  // The area's background, not the caption, shows beside the picture.
  painter.fillRect(rect(), palette().window());
  painter.setRenderHint(QPainter::SmoothPixmapTransform, fit.smooth);
  painter.drawImage(fit.target, image);
}

}  // namespace vorlane
