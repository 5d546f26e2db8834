#include "core/text/TextCodec.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include <QStringDecoder>

namespace vorlane {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; its five unassigned codes map to the
// C1 controls of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text.append(byte >= 0x80 && byte < 0xA0 ? QChar(kCp1252High[byte - 0x80])
                                            : QChar(char16_t(byte)));
  }
  return text;
}

// The Windows-1252 byte of a character, or nothing when it has none (decodeCp1252 reversed).
std::optional<char> cp1252Code(QChar c) {
  const char16_t unit = c.unicode();
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
    return static_cast<char>(unit);
  }
  const auto high = std::find(kCp1252High.begin(), kCp1252High.end(), unit);
  if (high == kCp1252High.end()) {
    return std::nullopt;
  }
  return static_cast<char>(0x80 + (high - kCp1252High.begin()));
}

QStringDecoder utf8Decoder() {
  return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
}

std::optional<QString> decodeUtf8(const QByteArray& bytes) {
  QStringDecoder utf8 = utf8Decoder();
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) {
    return std::nullopt;
  }
  return text;
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
  std::optional<QString> text = decodeUtf8(bytes);
  return text ? std::move(*text) : decodeCp1252(bytes);
}

QStringView decodeText(const QByteArray& bytes, QString& buffer) {
  // UTF-8 never takes fewer bytes than UTF-16 takes code units.
  buffer.resize(bytes.size());
  QStringDecoder utf8 = utf8Decoder();
  const QChar* end = utf8.appendToBuffer(buffer.data(), bytes);
  if (!utf8.hasError()) {
    return QStringView(buffer.constData(), end);
  }
  buffer = decodeCp1252(bytes);
  return buffer;
}

bool isAscii(QByteArrayView bytes) {
  return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; });
}

bool isUtf8Text(const QByteArray& bytes) {
  return decodeUtf8(bytes).has_value();
}

QByteArray encodeText(const QString& text, const QByteArray& original) {
  if (!original.isNull() && decodeText(original) == text) {
    return original;
  }
  return text.toUtf8();
}

qsizetype firstOutsideWindows1252(QStringView text) {
  const auto outside =
      std::find_if(text.begin(), text.end(), [](QChar c) { return !cp1252Code(c).has_value(); });
  return outside == text.end() ? -1 : outside - text.begin();
}

QByteArray encodeWindows1252(QStringView text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (const QChar c : text) {
    bytes.append(cp1252Code(c).value_or('?'));
  }
  return bytes;
}

}  // namespace vorlane
