#include "core/text/NativeText.h"

#include <QStringDecoder>
#include <QStringList>

#include "core/text/TextCodec.h"

namespace vorlane {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

bool isContinuation(QByteArrayView bytes, qsizetype at, uchar low = 0x80, uchar high = 0xBF) {
  if (at >= bytes.size()) {
    return false;
  }
  const auto byte = static_cast<uchar>(bytes[at]);
  return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at `at` (no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0 when the byte there begins none.
qsizetype utf8SequenceLength(QByteArrayView bytes, qsizetype at) {
  const auto lead = static_cast<uchar>(bytes[at]);
  if (lead < 0x80) {
    return 1;
  }
  qsizetype length = 0;
  uchar low = 0x80;
  uchar high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (!isContinuation(bytes, at + 1, low, high)) {
    return 0;
  }
  for (qsizetype i = 2; i < length; ++i) {
    if (!isContinuation(bytes, at + i)) {
      return 0;
    }
  }
  return length;
}

// An escaped byte, not the second half of a character beyond U+FFFF.
bool isEscape(QStringView text, qsizetype at) {
  const char16_t unit = text[at].unicode();
  return unit >= kFirstEscape && unit <= kLastEscape &&
         (at == 0 || !text[at - 1].isHighSurrogate());
}

bool hasEscape(QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (isEscape(text, i)) {
      return true;
    }
  }
  return false;
}

// UTF-8 as it stands: a leading byte-order mark is part of a name, not a mark to drop.
QString decodeUtf8(QByteArrayView bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8,
                      QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  return utf8.decode(bytes);
}

}  // namespace

QString decodeNative(QByteArrayView bytes) {
  // Most names are plain ASCII, which needs no decoder: a listing decodes every name.
  if (isAscii(bytes)) {
    return QString::fromLatin1(bytes);
  }
  if (bytes.isValidUtf8()) {
    return decodeUtf8(bytes);
  }
  QString text;
  text.reserve(bytes.size());
  qsizetype runStart = 0;
  qsizetype at = 0;
  while (at < bytes.size()) {
    const qsizetype length = utf8SequenceLength(bytes, at);
    if (length > 0) {
      at += length;
      continue;
    }
    text.append(decodeUtf8(bytes.sliced(runStart, at - runStart)));
    text.append(QChar(char16_t(kEscapeBase + static_cast<uchar>(bytes[at]))));
    runStart = ++at;
  }
  text.append(decodeUtf8(bytes.sliced(runStart)));
  return text;
}

QByteArray encodeNative(QStringView text) {
  if (!hasEscape(text)) {
    return text.toUtf8();
  }
  QByteArray bytes;
  bytes.reserve(text.size());
  qsizetype runStart = 0;
  for (qsizetype at = 0; at < text.size(); ++at) {
    if (isEscape(text, at)) {
      bytes.append(text.sliced(runStart, at - runStart).toUtf8());
      bytes.append(static_cast<char>(text[at].unicode() - kEscapeBase));
      runStart = at + 1;
    }
  }
  bytes.append(text.sliced(runStart).toUtf8());
  return bytes;
}

QString displayPath(const QString& path) {
  if (!hasEscape(path)) {
    return path;
  }
  QStringList names = path.split(QLatin1Char('/'));
  for (QString& name : names) {
    name = decodeText(encodeNative(name));
  }
  return names.join(QLatin1Char('/'));
}

}  // namespace vorlane
