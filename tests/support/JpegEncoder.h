#pragma once

#include <cstdio>  // jpeglib.h expects FILE and size_t to be declared
#include <cstdlib>

#include <QByteArray>

#include <jpeglib.h>

// Pictures made on the spot with libjpeg's compressor, for tests and benchmarks. Header-only so
// that the benchmarks can use it without the test libraries.
namespace vorlane::test {

struct JpegEncoding {
  int width = 0;
  int height = 0;
  int components = 3;             // bytes per pixel in the samples
  J_COLOR_SPACE input = JCS_RGB;  // what the samples hold; the file gets libjpeg's default model
  bool progressive = false;
  bool adobeMarker = true;  // libjpeg writes one for CMYK unless told not to
  int quality = 90;
};

// Compresses `samples`: `height` rows of width * components bytes, top row first. libjpeg's
// standard error handler ends the program on a bad encoding, which only a wrong test can cause.
inline QByteArray encodeJpeg(const JpegEncoding& encoding, const QByteArray& samples) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(encoding.width);
  info.image_height = static_cast<JDIMENSION>(encoding.height);
  info.input_components = encoding.components;
  info.in_color_space = encoding.input;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, encoding.quality, TRUE);
  if (!encoding.adobeMarker) {
    info.write_Adobe_marker = FALSE;
  }
  if (encoding.progressive) {
    jpeg_simple_progression(&info);
  }
  jpeg_start_compress(&info, TRUE);
  const qsizetype line = qsizetype{encoding.width} * encoding.components;
  while (info.next_scanline < info.image_height) {
    auto* row = reinterpret_cast<JSAMPLE*>(const_cast<char*>(samples.constData())) +
                info.next_scanline * line;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  QByteArray jpeg(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  std::free(buffer);
  return jpeg;
}

// Samples of a picture whose upper half is `top` and lower half `bottom` (one pixel's bytes
// each).
inline QByteArray twoBandSamples(int width, int height, const QByteArray& top,
                                 const QByteArray& bottom) {
  QByteArray samples;
  samples.reserve(qsizetype{width} * height * top.size());
  for (int y = 0; y < height; ++y) {
    samples += (y < height / 2 ? top : bottom).repeated(width);
  }
  return samples;
}

}  // namespace vorlane::test
