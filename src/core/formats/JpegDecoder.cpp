#include "core/formats/JpegDecoder.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h expects FILE and size_t to be declared
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace vorlane {

namespace {

// libjpeg's own working memory. Progressive files keep coefficients for the whole picture at
// full size whatever the output scale; beyond this the decode fails rather than exhausting
// memory.
constexpr long kMaxLibraryMemory = 1L << 30;

constexpr int kGreyLevels = 236;

// libjpeg reports a fatal error by calling error_exit, which must not return. A C++ exception
// thrown from there would have to unwind through the library's C frames, which are not
// guaranteed to carry unwind information. So error_exit jumps back to the setjmp in
// Decompressor::run instead; the only frames it skips are libjpeg's and the step's, which hold
// nothing with a destructor. The C++ side then raises or records JpegError, and the decompressor is
// destroyed normally.
struct ErrorTrap {
  jpeg_error_mgr manager;  // first member: libjpeg hands the error callbacks this address
  std::jmp_buf jump;
};

[[noreturn]] void jumpToTrap(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// Warnings (a file that ends early, corrupt data the library skips) and traces are ignored.
void ignoreMessage(j_common_ptr, int) {}

class Decompressor {
 public:
  Decompressor() {
    m_info.err = jpeg_std_error(&m_trap.manager);
    m_trap.manager.error_exit = jumpToTrap;
    m_trap.manager.emit_message = ignoreMessage;
  }
  ~Decompressor() { jpeg_destroy_decompress(&m_info); }  // also safe before creation

  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  // Runs libjpeg calls; false when the library stopped them with an error. `step` must keep
  // nothing with a destructor in its own frame.
  template <typename Step>
  bool run(Step&& step) {
    if (setjmp(m_trap.jump) != 0) {
      return false;
    }
    step(&m_info);
    return true;
  }

  int errorCode() const { return m_trap.manager.msg_code; }
  const jpeg_decompress_struct& info() const { return m_info; }

 private:
  ErrorTrap m_trap;
  jpeg_decompress_struct m_info{};
};

void openAndReadHeader(j_decompress_ptr info, const QByteArray& data) {
  jpeg_create_decompress(info);
  info->mem->max_memory_to_use = kMaxLibraryMemory;
  // The memory source reports an empty input as JERR_INPUT_EMPTY and, like the library's file
  // source, ends data that stops early with a fake EOI marker and a warning.
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(data.constData()),
               static_cast<unsigned long>(data.size()));
  jpeg_read_header(info, TRUE);
}

// How a row that libjpeg delivers becomes a row of the bitmap.
enum class RowConversion { Direct, CmykToRgb, InvertedCmykToRgb, FirstComponentToRgb };

RowConversion chooseOutput(j_decompress_ptr info) {
  info->do_block_smoothing = TRUE;
  info->buffered_image = FALSE;
  switch (info->jpeg_color_space) {
    case JCS_GRAYSCALE:
      info->out_color_space = JCS_GRAYSCALE;
      info->quantize_colors = TRUE;
      info->desired_number_of_colors = kGreyLevels;
      return RowConversion::Direct;
    case JCS_CMYK:
    case JCS_YCCK:
      info->out_color_space = JCS_CMYK;
      // Adobe's applications store CMYK inverted, and they are the ones that write APP14.
      return info->saw_Adobe_marker ? RowConversion::InvertedCmykToRgb : RowConversion::CmykToRgb;
    case JCS_UNKNOWN:
      // Two, or five and more, components: no colour model to follow; show the first as grey.
      info->out_color_space = JCS_UNKNOWN;
      return RowConversion::FirstComponentToRgb;
    default:
      info->out_color_space = JCS_RGB;
      return RowConversion::Direct;
  }
}

// Sets the first scale of 1/1, 1/2, 1/4, 1/8 whose output fits kMaxDecodedPixels; false when
// none does.
bool chooseScale(j_decompress_ptr info) {
  for (const unsigned int denominator : {1U, 2U, 4U, 8U}) {
    info->scale_num = 1;
    info->scale_denom = denominator;
    jpeg_calc_output_dimensions(info);
    if (qint64{info->output_width} * info->output_height <= kMaxDecodedPixels) {
      return true;
    }
  }
  return false;
}

uchar scaleByte(int a, int b) {
  return static_cast<uchar>((a * b + 127) / 255);
}

void convertRow(RowConversion conversion, const JSAMPLE* in, uchar* out, JDIMENSION width,
                int components) {
  for (JDIMENSION x = 0; x < width; ++x, in += components, out += 3) {
    switch (conversion) {
      case RowConversion::CmykToRgb:
        for (int c = 0; c < 3; ++c) {
          out[c] = scaleByte(255 - in[c], 255 - in[3]);
        }
        break;
      case RowConversion::InvertedCmykToRgb:
        for (int c = 0; c < 3; ++c) {
          out[c] = scaleByte(in[c], in[3]);
        }
        break;
      case RowConversion::FirstComponentToRgb:
      case RowConversion::Direct:
        out[0] = out[1] = out[2] = in[0];
        break;
    }
  }
}

qsizetype bytesPerPixel(JpegBitmap::Format format) {
  return format == JpegBitmap::Format::Indexed8 ? 1 : 3;
}

// A picture's bitmap is written once, row after row: large pages spare the system one fault
// for every 4 KiB of it.
void adviseLargePages(QByteArray& buffer) {
#ifdef __linux__
  constexpr quintptr kLargePage = 2 * 1024 * 1024;
  const auto begin = reinterpret_cast<quintptr>(buffer.data());
  const quintptr end = begin + static_cast<quintptr>(buffer.size());
  const quintptr alignedBegin = (begin + kLargePage - 1) / kLargePage * kLargePage;
  if (alignedBegin < end) {
    madvise(reinterpret_cast<void*>(alignedBegin), end - alignedBegin, MADV_HUGEPAGE);
  }
#else
  Q_UNUSED(buffer);
#endif
}

// A bitmap of the output size, left uninitialised for libjpeg to fill row by row: zeroing
// tens of megabytes first would cost a noticeable share of the decode.
JpegBitmap makeBitmap(const jpeg_decompress_struct& info) {
  JpegBitmap bitmap;
  bitmap.width = static_cast<int>(info.output_width);
  bitmap.height = static_cast<int>(info.output_height);
  bitmap.format = info.quantize_colors ? JpegBitmap::Format::Indexed8 : JpegBitmap::Format::Rgb888;
  bitmap.bytesPerLine = (bitmap.width * bytesPerPixel(bitmap.format) + 3) / 4 * 4;
  bitmap.pixels = QByteArray(bitmap.bytesPerLine * bitmap.height, Qt::Uninitialized);
  adviseLargePages(bitmap.pixels);
  if (info.quantize_colors) {
    for (int i = 0; i < info.actual_number_of_colors; ++i) {
      const quint32 level = info.colormap[0][i];
      bitmap.palette.append(0xFF000000U | level << 16 | level << 8 | level);
    }
  }
  return bitmap;
}

// Zeroes what libjpeg did not write: the padding of the decoded rows and every row after them.
void blankUnwritten(JpegBitmap& bitmap, int decodedRows) {
  const qsizetype used = bitmap.width * bytesPerPixel(bitmap.format);
  char* const pixels = bitmap.pixels.data();
  if (used < bitmap.bytesPerLine) {
    for (int y = 0; y < decodedRows; ++y) {
      std::fill_n(pixels + y * bitmap.bytesPerLine + used, bitmap.bytesPerLine - used, '\0');
    }
  }
  std::fill(pixels + decodedRows * bitmap.bytesPerLine, pixels + bitmap.pixels.size(), '\0');
}

// Reads every remaining row into the bitmap, through `scratch` (rec_outbuf_height rows of
// output) when the rows need converting. Runs under Decompressor::run, so nothing in its frame
// has a destructor.
void readRows(j_decompress_ptr info, RowConversion conversion, JSAMPROW* rows, JSAMPLE* scratch,
              JpegBitmap& bitmap) {
  auto* const pixels = reinterpret_cast<uchar*>(bitmap.pixels.data());
  const qsizetype scratchLine = qsizetype{info->output_width} * info->output_components;
  const auto rowsPerCall = static_cast<JDIMENSION>(info->rec_outbuf_height);
  while (info->output_scanline < info->output_height) {
    const JDIMENSION first = info->output_scanline;
    const JDIMENSION wanted = std::min(rowsPerCall, info->output_height - first);
    for (JDIMENSION i = 0; i < wanted; ++i) {
      rows[i] = conversion == RowConversion::Direct ? pixels + (first + i) * bitmap.bytesPerLine
                                                    : scratch + i * scratchLine;
    }
    const JDIMENSION got = jpeg_read_scanlines(info, rows, wanted);
    if (conversion != RowConversion::Direct) {
      for (JDIMENSION i = 0; i < got; ++i) {
        convertRow(conversion, rows[i], pixels + (first + i) * bitmap.bytesPerLine,
                   info->output_width, info->output_components);
      }
    }
  }
}

}  // namespace

QSize readJpegHeader(const QByteArray& data) {
  if (data.isEmpty()) {
    return QSize(0, 0);
  }
  Decompressor jpeg;
  if (!jpeg.run([&](j_decompress_ptr info) { openAndReadHeader(info, data); })) {
    throw JpegError(jpeg.errorCode());
  }
  return QSize(static_cast<int>(jpeg.info().image_width),
               static_cast<int>(jpeg.info().image_height));
}

JpegDecodeResult decodeJpeg(const QByteArray& data) {
  JpegDecodeResult result;
  Decompressor jpeg;
  RowConversion conversion = RowConversion::Direct;
  bool fits = false;
  const bool started = jpeg.run([&](j_decompress_ptr info) {
    openAndReadHeader(info, data);
    conversion = chooseOutput(info);
    fits = chooseScale(info);
    if (fits) {
      jpeg_start_decompress(info);
    }
  });
  if (!started || !fits) {
    result.failure = JpegError(started ? JERR_IMAGE_TOO_BIG : jpeg.errorCode());
    return result;
  }

  const jpeg_decompress_struct& info = jpeg.info();
  JpegBitmap& bitmap = result.bitmap;
  bitmap = makeBitmap(info);
  const qsizetype scratchLine = qsizetype{info.output_width} * info.output_components;
  QByteArray scratch(conversion == RowConversion::Direct ? 0 : scratchLine * info.rec_outbuf_height,
                     Qt::Uninitialized);
  std::vector<JSAMPROW> rows(info.rec_outbuf_height);
  const bool finished = jpeg.run([&](j_decompress_ptr decompress) {
    readRows(decompress, conversion, rows.data(), reinterpret_cast<JSAMPLE*>(scratch.data()),
             bitmap);
    jpeg_finish_decompress(decompress);
  });
  if (!finished) {
    result.failure = JpegError(jpeg.errorCode());
    if (info.output_scanline == 0) {
      bitmap = JpegBitmap();
      return result;
    }
  }
  blankUnwritten(bitmap, static_cast<int>(info.output_scanline));
  return result;
}

}  // namespace vorlane
