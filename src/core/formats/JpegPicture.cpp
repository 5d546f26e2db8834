#include "core/formats/JpegPicture.h"

#include <utility>

#include "core/files/FileAccess.h"

namespace vorlane {

JpegPicture JpegPicture::load(const QString& path) {
  return JpegPicture(readWholeFile(path, kPictureFileLimit));
}

JpegPicture::JpegPicture(QByteArray data)
    : m_data(std::move(data)), m_size(readJpegHeader(m_data)) {}

const JpegBitmap& JpegPicture::bitmap() {
  if (!m_bitmap) {
    JpegDecodeResult result = decodeJpeg(m_data);
    m_bitmap = std::move(result.bitmap);
    m_failure = std::move(result.failure);
    m_data = QByteArray();
  }
  return *m_bitmap;
}

std::optional<JpegError> JpegPicture::takeFailure() {
  return std::exchange(m_failure, std::nullopt);
}

}  // namespace vorlane
