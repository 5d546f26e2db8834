// Arbitrary bytes as a preview picture, loaded and drawn as the preview area does: the header
// read and the decode must stay inside their buffers, and a bitmap must have the layout that
// JpegBitmap promises, since the window wraps its pixels in a QImage as they are.
#include <cstddef>
#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QSize>

#include "core/formats/JpegDecoder.h"
#include "core/formats/JpegError.h"
#include "core/formats/JpegPicture.h"

#include "FuzzInput.h"

namespace {

using vorlane::JpegBitmap;
using vorlane::fuzz::check;

// Larger pictures cost libjpeg, which is not what is fuzzed here, up to seconds each and would
// starve the search; their decode at a reduced scale is covered by the unit tests.
constexpr qint64 kPixelBudget = 1 << 20;

void checkLayout(const JpegBitmap& bitmap, QSize header) {
  const bool indexed = bitmap.format == JpegBitmap::Format::Indexed8;
  const qsizetype used = qsizetype{bitmap.width} * (indexed ? 1 : 3);
  check(
      bitmap.bytesPerLine % 4 == 0 && bitmap.bytesPerLine >= used && bitmap.bytesPerLine < used + 4,
      "rows are the pixels' bytes padded to the next multiple of 4");
  check(bitmap.pixels.size() == bitmap.bytesPerLine * bitmap.height,
        "the pixel buffer holds every row");
  check(QSize(bitmap.width, bitmap.height) == header,
        "a picture within the budget decodes at full size");
  check(indexed == !bitmap.palette.isEmpty() && bitmap.palette.size() <= 256,
        "an indexed bitmap, and only one, has a palette of at most 256 entries");
  const auto* pixels = reinterpret_cast<const uchar*>(bitmap.pixels.constData());
  for (int y = 0; y < bitmap.height; ++y) {
    const uchar* row = pixels + y * bitmap.bytesPerLine;
    for (qsizetype x = used; x < bitmap.bytesPerLine; ++x) {
      check(row[x] == 0, "row padding is zero");
    }
    for (qsizetype x = 0; indexed && x < used; ++x) {
      check(row[x] < bitmap.palette.size(), "every index has a palette entry");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    vorlane::JpegPicture picture(bytes);
    if (qint64{picture.size().width()} * picture.size().height() > kPixelBudget) {
      return 0;
    }
    const JpegBitmap& bitmap = picture.bitmap();
    const std::optional<vorlane::JpegError> failure = picture.takeFailure();
    check(failure || !bitmap.isNull(), "a decode without failure gives a bitmap");
    check(!picture.takeFailure(), "a failure is handed out once");
    if (!bitmap.isNull()) {
      checkLayout(bitmap, picture.size());
    }
  } catch (const vorlane::JpegError&) {
    // A header the library refuses: the message the user sees.
  }
  return 0;
}
