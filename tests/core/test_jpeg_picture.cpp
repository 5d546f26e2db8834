#include "core/formats/JpegPicture.h"

#include <cstdio>  // jpeglib.h expects FILE and size_t to be declared

#include <QByteArray>

#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>

#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/formats/JpegDecoder.h"
#include "support/ErrorOf.h"
#include "support/JpegEncoder.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::encodeJpeg;
using test::JpegEncoding;
using test::twoBandSamples;

QByteArray pixel(std::initializer_list<int> bytes) {
  QByteArray value;
  for (const int b : bytes) {
    value.append(static_cast<char>(b));
  }
  return value;
}

// 0xRRGGBB at (x, y), through the palette for indexed bitmaps.
quint32 colourAt(const JpegBitmap& bitmap, int x, int y) {
  const auto* row =
      reinterpret_cast<const uchar*>(bitmap.pixels.constData()) + y * bitmap.bytesPerLine;
  if (bitmap.format == JpegBitmap::Format::Indexed8) {
    return bitmap.palette.at(row[x]) & 0xFFFFFFU;
  }
  return quint32{row[3 * x]} << 16 | quint32{row[3 * x + 1]} << 8 | row[3 * x + 2];
}

// Lossy coding and grey quantisation move a channel by a few levels at most.
void expectNear(quint32 actual, quint32 expected, const char* where) {
  for (const int shift : {16, 8, 0}) {
    EXPECT_NEAR(int((actual >> shift) & 0xFF), int((expected >> shift) & 0xFF), 8)
        << where << std::hex << " actual 0x" << actual << " expected 0x" << expected;
  }
}

QByteArray colourJpeg(int width, int height, bool progressive = false) {
  JpegEncoding encoding{.width = width, .height = height, .progressive = progressive};
  return encodeJpeg(encoding,
                    twoBandSamples(width, height, pixel({200, 40, 90}), pixel({20, 120, 230})));
}

// Rewrites the frame header's declared size; the coded data stays that of the small picture.
QByteArray withDeclaredSize(QByteArray jpeg, int width, int height) {
  for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
    const auto marker = static_cast<uchar>(jpeg[i + 1]);
    if (static_cast<uchar>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
      jpeg[i + 5] = static_cast<char>(height >> 8);
      jpeg[i + 6] = static_cast<char>(height & 0xFF);
      jpeg[i + 7] = static_cast<char>(width >> 8);
      jpeg[i + 8] = static_cast<char>(width & 0xFF);
      return jpeg;
    }
  }
  ADD_FAILURE() << "no frame header";
  return jpeg;
}

// A position halfway through the coded data, after every header.
qsizetype middleOfCodedData(const QByteArray& jpeg) {
  const qsizetype scan = jpeg.indexOf(QByteArrayLiteral("\xFF\xDA"));
  EXPECT_GT(scan, 0);
  return scan + (jpeg.size() - scan) / 2;
}

struct ColourCase {
  const char* name;
  JpegEncoding encoding;
  QByteArray top;
  QByteArray bottom;
  JpegBitmap::Format format;
  quint32 expectedTop;
  quint32 expectedBottom;
};

TEST(JpegDecoder, DecodesEveryColourModelTopRowFirst) {
  // 33 wide, so rows need padding to a multiple of 4 bytes in both formats.
  const ColourCase cases[] = {
      {"colour",
       {.width = 33, .height = 32},
       pixel({200, 40, 90}),
       pixel({20, 120, 230}),
       JpegBitmap::Format::Rgb888,
       0xC8285A,
       0x1478E6},
      {"progressive",
       {.width = 33, .height = 32, .progressive = true},
       pixel({200, 40, 90}),
       pixel({20, 120, 230}),
       JpegBitmap::Format::Rgb888,
       0xC8285A,
       0x1478E6},
      {"grey",
       {.width = 33, .height = 32, .components = 1, .input = JCS_GRAYSCALE},
       pixel({30}),
       pixel({220}),
       JpegBitmap::Format::Indexed8,
       0x1E1E1E,
       0xDCDCDC},
      // Adobe's CMYK is stored inverted: red is C=0 M=255 Y=255 K=0, stored 255 0 0 255.
      {"Adobe CMYK",
       {.width = 33, .height = 32, .components = 4, .input = JCS_CMYK},
       pixel({255, 0, 0, 255}),
       pixel({0, 0, 255, 255}),
       JpegBitmap::Format::Rgb888,
       0xFF0000,
       0x0000FF},
      {"plain CMYK",
       {.width = 33, .height = 32, .components = 4, .input = JCS_CMYK, .adobeMarker = false},
       pixel({0, 255, 255, 0}),
       pixel({255, 255, 0, 0}),
       JpegBitmap::Format::Rgb888,
       0xFF0000,
       0x0000FF},
      {"two components",
       {.width = 33, .height = 32, .components = 2, .input = JCS_UNKNOWN},
       pixel({70, 200}),
       pixel({180, 10}),
       JpegBitmap::Format::Rgb888,
       0x464646,
       0xB4B4B4},
  };
  for (const ColourCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray jpeg = encodeJpeg(
        c.encoding, twoBandSamples(c.encoding.width, c.encoding.height, c.top, c.bottom));
    const JpegDecodeResult result = decodeJpeg(jpeg);
    ASSERT_FALSE(result.failure.has_value());
    const JpegBitmap& bitmap = result.bitmap;
    EXPECT_EQ(bitmap.width, 33);
    EXPECT_EQ(bitmap.height, 32);
    EXPECT_EQ(bitmap.format, c.format);
    EXPECT_EQ(bitmap.bytesPerLine, c.format == JpegBitmap::Format::Indexed8 ? 36 : 100);
    EXPECT_EQ(bitmap.pixels.size(), bitmap.bytesPerLine * bitmap.height);
    const qsizetype used = c.format == JpegBitmap::Format::Indexed8 ? 33 : 99;
    for (int y = 0; y < bitmap.height; ++y) {
      const QByteArray padding =
          bitmap.pixels.sliced(y * bitmap.bytesPerLine + used, bitmap.bytesPerLine - used);
      EXPECT_EQ(padding, QByteArray(padding.size(), '\0')) << "padding of row " << y;
    }
    expectNear(colourAt(bitmap, 16, 2), c.expectedTop, "top");
    expectNear(colourAt(bitmap, 32, 29), c.expectedBottom, "bottom");
  }
}

TEST(JpegDecoder, GreyPaletteHas236GreyLevels) {
  const QByteArray samples = twoBandSamples(16, 16, pixel({0}), pixel({255}));
  const JpegBitmap bitmap =
      decodeJpeg(
          encodeJpeg({.width = 16, .height = 16, .components = 1, .input = JCS_GRAYSCALE}, samples))
          .bitmap;
  ASSERT_EQ(bitmap.palette.size(), 236);
  for (const quint32 entry : bitmap.palette) {
    EXPECT_EQ(entry >> 24, 0xFFU);
    EXPECT_EQ((entry >> 16) & 0xFF, entry & 0xFF);
    EXPECT_EQ((entry >> 8) & 0xFF, entry & 0xFF);
  }
  EXPECT_EQ(bitmap.palette.front() & 0xFF, 0U);
  EXPECT_EQ(bitmap.palette.back() & 0xFF, 255U);
}

TEST(JpegDecoder, HeaderGivesSizeOrLibraryErrorCode) {
  EXPECT_EQ(readJpegHeader(colourJpeg(40, 24)), QSize(40, 24));
  EXPECT_EQ(readJpegHeader(QByteArray()), QSize(0, 0));
  try {
    readJpegHeader(QByteArrayLiteral("GAMENAME Pac-Man\r\n"));
    FAIL() << "a text file passed as JPEG";
  } catch (const JpegError& error) {
    EXPECT_EQ(error.code(), JERR_NO_SOI);
    EXPECT_EQ(error.message(), messages::jpegError(JERR_NO_SOI));
  }
}

TEST(JpegDecoder, FailuresCarryTheLibraryCode) {
  const QByteArray colour = colourJpeg(16, 16);
  const struct {
    const char* name;
    QByteArray data;
    int code;
  } cases[] = {
      {"text file", QByteArrayLiteral("not a picture"), JERR_NO_SOI},
      {"empty file", QByteArray(), JERR_INPUT_EMPTY},
      {"header only", colour.first(20), JERR_NO_IMAGE},
      // 1/8 of 65500 x 65500 is still over the pixel limit.
      {"too large at every scale", withDeclaredSize(colour, 65500, 65500), JERR_IMAGE_TOO_BIG},
      // A progressive file needs coefficients for the whole picture at full size.
      {"progressive beyond working memory",
       withDeclaredSize(colourJpeg(16, 16, true), 20000, 20000), JERR_NO_BACKING_STORE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const JpegDecodeResult result = decodeJpeg(c.data);
    ASSERT_TRUE(result.failure.has_value());
    EXPECT_EQ(result.failure->code(), c.code);
    EXPECT_TRUE(result.bitmap.isNull());
  }
}

TEST(JpegDecoder, FileCutShortAfterItsHeaderStillDecodes) {
  const QByteArray whole = colourJpeg(64, 64);
  const JpegDecodeResult result = decodeJpeg(whole.first(middleOfCodedData(whole)));
  EXPECT_FALSE(result.failure.has_value());
  EXPECT_EQ(result.bitmap.width, 64);
  EXPECT_EQ(result.bitmap.height, 64);
  expectNear(colourAt(result.bitmap, 30, 3), 0xC8285A, "first rows");
}

TEST(JpegDecoder, FailureAfterRowsKeepsThem) {
  // A start-of-image marker inside the coded data: the rows before it decode, the rest are
  // filled in by the library, and the marker is refused when the picture is finished.
  QByteArray jpeg = colourJpeg(64, 64);
  jpeg.insert(middleOfCodedData(jpeg), QByteArrayLiteral("\xFF\xD8"));
  const JpegDecodeResult result = decodeJpeg(jpeg);
  ASSERT_TRUE(result.failure.has_value());
  EXPECT_EQ(result.failure->code(), JERR_SOI_DUPLICATE);
  EXPECT_EQ(result.bitmap.height, 64);
  expectNear(colourAt(result.bitmap, 30, 3), 0xC8285A, "rows before the failure");
}

TEST(JpegDecoder, HugePictureIsDecodedScaledDown) {
  const QByteArray jpeg = withDeclaredSize(colourJpeg(16, 16), 20000, 20000);
  EXPECT_EQ(readJpegHeader(jpeg), QSize(20000, 20000));
  const JpegDecodeResult result = decodeJpeg(jpeg);
  EXPECT_FALSE(result.failure.has_value());
  // 1/2 would still be 100 megapixels.
  EXPECT_EQ(result.bitmap.width, 5000);
  EXPECT_EQ(result.bitmap.height, 5000);
  EXPECT_LE(qint64{result.bitmap.width} * result.bitmap.height, kMaxDecodedPixels);
}

TEST(JpegPicture, LoadsHeaderAtOnceAndReportsADecodeFailureOnce) {
  const test::TempBase base;
  JpegPicture picture = JpegPicture::load(base.write(QStringLiteral("a.jpg"), colourJpeg(40, 24)));
  EXPECT_EQ(picture.size(), QSize(40, 24));
  EXPECT_EQ(picture.bitmap().width, 40);
  EXPECT_FALSE(picture.takeFailure().has_value());

  JpegPicture empty = JpegPicture::load(base.write(QStringLiteral("empty.jpg"), QByteArray()));
  EXPECT_EQ(empty.size(), QSize(0, 0));
  EXPECT_TRUE(empty.bitmap().isNull());
  const std::optional<JpegError> failure = empty.takeFailure();
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->code(), JERR_INPUT_EMPTY);
  EXPECT_TRUE(empty.bitmap().isNull());
  EXPECT_FALSE(empty.takeFailure().has_value());
}

TEST(JpegPicture, UnreadableFilesFailWithTheirPath) {
  const test::TempBase base;
  const QString missing = base.filePath(QStringLiteral("missing.jpg"));
  const QString directory = base.makeDir(QStringLiteral("dir.jpg"));
  for (const QString& path : {missing, directory}) {
    EXPECT_EQ(test::errorOf([&] { JpegPicture::load(path); }), messages::cannotOpenFile(path));
  }
  EXPECT_THROW(JpegPicture::load(base.write(QStringLiteral("text.jpg"), "text")), JpegError);
}

}  // namespace
}  // namespace vorlane
