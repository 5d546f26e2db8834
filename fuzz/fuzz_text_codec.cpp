// Arbitrary bytes through the text codec. An unchanged text must give back its bytes exactly;
// valid UTF-8 (checked here independently of Qt) must read as UTF-8 and anything else as one
// character per byte, which Windows-1252 writes back as the same bytes; a text written as UTF-8
// must read back the same. The same bytes as a path must come back from the path text whole.
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>
#include <QStringView>

#include "core/text/NativeText.h"
#include "core/text/TextCodec.h"

#include "FuzzInput.h"

namespace {

using vorlane::fuzz::check;

const QByteArray kUtf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// Well-formed UTF-8 by the Unicode standard's table: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool isWellFormedUtf8(const QByteArray& bytes) {
  const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
  const uchar* const end = p + bytes.size();
  while (p != end) {
    const uchar lead = *p++;
    int continuation = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (lead < 0x80) {
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      continuation = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      continuation = 2;
      low = lead == 0xE0 ? 0xA0 : 0x80;
      high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      continuation = 3;
      low = lead == 0xF0 ? 0x90 : 0x80;
      high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
      return false;
    }
    for (int i = 0; i < continuation; ++i, low = 0x80, high = 0xBF) {
      if (p == end || *p < low || *p > high) {
        return false;
      }
      ++p;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString text = vorlane::decodeText(bytes);
  check(vorlane::encodeText(text, bytes) == bytes, "an unchanged text keeps its bytes");
  check(QStringView(text).isValidUtf16(), "a decoded text is valid UTF-16");

  if (isWellFormedUtf8(bytes)) {
    const QByteArray withoutMark =
        bytes.startsWith(kUtf8ByteOrderMark) ? bytes.sliced(kUtf8ByteOrderMark.size()) : bytes;
    check(text.toUtf8() == withoutMark, "UTF-8 reads as UTF-8, a byte order mark as no text");
    check(vorlane::isUtf8Text(bytes), "UTF-8 is told apart");
  } else {
    check(!vorlane::isUtf8Text(bytes), "Windows-1252 is told apart");
    check(vorlane::firstOutsideWindows1252(text) == -1 && vorlane::encodeWindows1252(text) == bytes,
          "Windows-1252 text is written back as its bytes");
    check(text.size() == bytes.size(), "other bytes read as Windows-1252, one character a byte");
    for (qsizetype i = 0; i < bytes.size(); ++i) {
      const auto byte = static_cast<uchar>(bytes[i]);
      check(byte >= 0x80 && byte < 0xA0 ? text[i].unicode() >= 0x80 : text[i].unicode() == byte,
            "Windows-1252 agrees with Latin-1 outside 0x80..0x9F");
    }
  }

  // A leading U+FEFF written as UTF-8 is a byte order mark, which reads as no text.
  const QString changed = text + QStringLiteral("\u00e9");
  if (!changed.startsWith(QChar(0xFEFF))) {
    check(vorlane::decodeText(vorlane::encodeText(changed, bytes)) == changed,
          "a changed text written as UTF-8 reads back the same");
  }
  const QString path = vorlane::decodeNative(bytes);
  check(vorlane::encodeNative(path) == bytes, "a path text gives back the path's bytes");
  if (isWellFormedUtf8(bytes)) {
    check(path.toUtf8() == bytes, "a UTF-8 path reads as UTF-8, a leading mark included");
  }
  return 0;
}
