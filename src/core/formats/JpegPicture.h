#pragma once

#include <optional>

#include <QByteArray>
#include <QSize>
#include <QString>

#include "core/formats/JpegDecoder.h"
#include "core/formats/JpegError.h"

namespace vorlane {

// A preview picture as the preview area holds it: the file's bytes and the size from their
// header at load, the bitmap decoded once, at the first drawing, and kept for every redraw.
class JpegPicture {
 public:
  // Reads the whole file and its header. Throws Error "Cannot open file %s" or JpegError; an empty
  // file loads as a 0 x 0 picture.
  static JpegPicture load(const QString& path);

  // Reads the header of the bytes. Throws JpegError.
  explicit JpegPicture(QByteArray data);

  QSize size() const { return m_size; }

  // Decodes at the first call; later calls return the same bitmap, possibly partial or null
  // when the decode failed.
  const JpegBitmap& bitmap();

  // The decoding failure not yet handed out: given once, so it is reported once.
  std::optional<JpegError> takeFailure();

 private:
  QByteArray m_data;  // released once decoded
  QSize m_size;
  std::optional<JpegBitmap> m_bitmap;
  std::optional<JpegError> m_failure;
};

}  // namespace vorlane
