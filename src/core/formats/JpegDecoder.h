#pragma once

#include <optional>

#include <QByteArray>
#include <QList>
#include <QSize>

#include "core/formats/JpegError.h"

namespace vorlane {

// A decoded picture laid out so that a QImage can wrap `pixels` as they are: `height` rows of
// `bytesPerLine` bytes (a multiple of 4, padding zeroed), top row first.
struct JpegBitmap {
  enum class Format { Rgb888, Indexed8 };

  int width = 0;
  int height = 0;
  qsizetype bytesPerLine = 0;
  Format format = Format::Rgb888;
  QList<quint32> palette;  // 0xAARRGGBB; Indexed8 only
  QByteArray pixels;

  bool isNull() const { return width == 0 || height == 0; }
};

// What a decode produced: a failure keeps the rows decoded before it (the rest stay black);
// a failure before the first row leaves no bitmap.
struct JpegDecodeResult {
  JpegBitmap bitmap;
  std::optional<JpegError> failure;
};

// A picture larger than this is decoded at the first of the scales 1/2, 1/4, 1/8 that brings
// it within the limit, so a huge or hostile file cannot exhaust memory.
inline constexpr qint64 kMaxDecodedPixels = 64'000'000;

// Width and height from the JPEG header alone; an empty file is 0 x 0. Throws JpegError.
QSize readJpegHeader(const QByteArray& data);

// The whole picture: colour as 24-bit RGB, greyscale as 8 bits over a grey palette of 236
// levels, CMYK and other colour models converted to RGB; block smoothing on, progressive files
// decoded completely, library warnings (such as data that ends early) ignored.
JpegDecodeResult decodeJpeg(const QByteArray& data);

}  // namespace vorlane
