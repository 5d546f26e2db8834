#include "core/platform/TextCodec.h"

#include <array>

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

}  // namespace

QString decodeText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  return utf8.hasError() ? decodeCp1252(bytes) : text;
}

QByteArray encodeText(const QString& text, const QByteArray& original) {
  if (!original.isNull() && decodeText(original) == text) {
    return original;
  }
  return text.toUtf8();
}

}  // namespace vorlane
