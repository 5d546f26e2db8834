#include "core/editor/DriverText.h"

#include <type_traits>

#include <QByteArrayView>

#include "core/errors/Error.h"
#include "core/errors/ErrorMessages.h"
#include "core/settings/WindowTexts.h"
#include "core/text/TextCodec.h"

namespace vorlane {
namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

// An edited driver file read as Windows-1252 is saved as Windows-1252, which has no code for
// this character.
QString notInWindows1252(char32_t character) {
  return windowText(WindowText::NotInWindows1252)
      .arg(QString::fromUcs4(&character, 1),
           QStringLiteral("%1")
               .arg(static_cast<uint>(character), 4, 16, QLatin1Char('0'))
               .toUpper());
}

// Bytes and text alike, as CR and LF have the same code in both. One pass over the data, so
// a file of many short lines costs no more than any other.
template <typename Text>
Text crLfBreaks(const Text& text) {
  using Char = std::remove_cvref_t<decltype(*text.constData())>;
  const Char cr(kCr);
  const Char lf(kLf);
  Text result(text.size() * 2, Qt::Uninitialized);
  Char* out = result.data();
  for (const Char* in = text.constData(), *end = in + text.size(); in != end; ++in) {
    if (*in != cr && *in != lf) {
      *out++ = *in;
      continue;
    }
    *out++ = cr;
    *out++ = lf;
    if (*in == cr && in + 1 != end && in[1] == lf) {
      ++in;
    }
  }
  result.truncate(out - result.constData());
  return result;
}

// The codec reads a UTF-8 byte-order mark as no text at all; such a file's text, written as
// UTF-8, is exactly its bytes behind the mark.
bool hasUtf8Mark(const QByteArray& bytes) {
  return bytes.startsWith(kUtf8Mark) &&
         decodeText(bytes).toUtf8() == bytes.sliced(kUtf8Mark.size());
}

// The whole character at `at`, also when it takes two code units.
char32_t characterAt(QStringView text, qsizetype at) {
  const QChar first = text[at];
  if (first.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
    return QChar::surrogateToUcs4(first, text[at + 1]);
  }
  return first.unicode();
}

}  // namespace

QByteArray withCrLfBreaks(const QByteArray& bytes) {
  return crLfBreaks(bytes);
}

QString withCrLfBreaks(const QString& text) {
  return crLfBreaks(text);
}

QString widgetTextFromFile(const QByteArray& fileBytes) {
  // The size is checked first as well, so a huge file is refused before it is copied.
  if (fileBytes.contains('\0') || fileBytes.size() > kMemoCapacity) {
    throw Error(messages::textExceedsMemoCapacity());
  }
  const QByteArray bytes = withCrLfBreaks(fileBytes);
  if (bytes.size() > kMemoCapacity) {
    throw Error(messages::textExceedsMemoCapacity());
  }
  return toWidgetText(decodeText(bytes));
}

QByteArray fileBytesToSave(const QByteArray& loadedBytes, const QString& widgetText) {
  const QByteArray loaded = withCrLfBreaks(loadedBytes);
  const QString memoText = toMemoText(widgetText);
  if (decodeText(loaded) == memoText) {
    return loaded;
  }
  // Bytes the user never touched must not change: a file read as Windows-1252 stays so.
  if (!isUtf8Text(loaded)) {
    if (const qsizetype outside = firstOutsideWindows1252(memoText); outside >= 0) {
      throw Error(notInWindows1252(characterAt(memoText, outside)));
    }
    return encodeWindows1252(memoText);
  }
  // An edited text keeps the file's byte-order mark.
  const QByteArray bytes = memoText.toUtf8();
  return hasUtf8Mark(loaded) ? kUtf8Mark.toByteArray() + bytes : bytes;
}

QString toMemoText(const QString& widgetText) {
  return withCrLfBreaks(widgetText);
}

QString toWidgetText(const QString& memoText) {
  QString text(memoText.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (const QChar* in = memoText.constData(), *end = in + memoText.size(); in != end; ++in) {
    if (*in == QChar(kCr) && in + 1 != end && in[1] == QChar(kLf)) {
      continue;
    }
    *out++ = *in;
  }
  text.truncate(out - text.constData());
  return text;
}

qsizetype sectionCaretOffset(const QString& memoText, const QString& sectionName) {
  const QString header = QLatin1Char('[') + sectionName + QLatin1Char(']');
  return memoText.indexOf(header, 0, Qt::CaseSensitive) + 1;
}

qsizetype sectionBodyOffset(const QString& memoText, const QString& sectionName) {
  const qsizetype header = sectionCaretOffset(memoText, sectionName);
  if (header == 0) {
    return 0;
  }
  const qsizetype lineBreak = memoText.indexOf(u"\r\n", header);
  return lineBreak < 0 ? memoText.size() : lineBreak + 2;
}

qsizetype toWidgetOffset(const QString& memoText, qsizetype memoOffset) {
  const QStringView before = QStringView(memoText).left(memoOffset);
  qsizetype offset = memoOffset - before.count(u"\r\n");
  if (before.endsWith(QChar(kCr)) && memoOffset < memoText.size() &&
      memoText[memoOffset] == QChar(kLf)) {
    --offset;
  }
  return offset;
}

qsizetype toMemoOffset(const QString& widgetText, qsizetype widgetOffset) {
  return widgetOffset + QStringView(widgetText).left(widgetOffset).count(QChar(kLf));
}

}  // namespace vorlane
