// A driver file of arbitrary bytes as the editor loads, edits and saves it. Input: typed text
// NUL section name NUL file bytes. Line breaks normalise once and for all; an unchanged text
// saves as the file's own bytes; an edited text reads back as edited, or for a Windows-1252 file
// is refused only for a character that encoding lacks; caret offsets map between the memo and
// widget forms and back.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QList>
#include <QString>

#include "core/editor/DriverText.h"
#include "core/errors/Error.h"
#include "core/text/TextCodec.h"

#include "FuzzInput.h"

namespace {

using vorlane::fuzz::check;

constexpr qsizetype kOffsetSamples = 64;

// Every CR stands before an LF and every LF after a CR.
bool hasOnlyCrLfBreaks(const QByteArray& bytes) {
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if ((bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) ||
        (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))) {
      return false;
    }
  }
  return true;
}

// Offsets spread over 0..size, both ends included.
QList<qsizetype> sampleOffsets(qsizetype size) {
  QList<qsizetype> offsets;
  const qsizetype count = std::min(size, kOffsetSamples);
  for (qsizetype i = 0; i <= count; ++i) {
    offsets.append(count == 0 ? 0 : i * size / count);
  }
  return offsets;
}

void checkOffsets(const QString& widgetText) {
  const QString memoText = vorlane::toMemoText(widgetText);
  check(vorlane::toWidgetText(memoText) == widgetText, "memo text converts back");
  for (const qsizetype offset : sampleOffsets(widgetText.size())) {
    check(vorlane::toWidgetOffset(memoText, vorlane::toMemoOffset(widgetText, offset)) == offset,
          "a widget offset maps to the memo and back");
  }
  for (const qsizetype offset : sampleOffsets(memoText.size())) {
    const bool insideBreak =
        offset > 0 && offset < memoText.size() && memoText[offset - 1] == u'\r';
    check(vorlane::toMemoOffset(widgetText, vorlane::toWidgetOffset(memoText, offset)) ==
              offset - (insideBreak ? 1 : 0),
          "a memo offset maps to the widget and back, inside a break to the break's start");
  }
}

void checkSectionSearch(const QString& memoText, const QString& name) {
  const qsizetype caret = vorlane::sectionCaretOffset(memoText, name);
  check(caret >= 0 && caret <= memoText.size(), "the section caret lies inside the text");
  check(caret == 0 || memoText.sliced(caret - 1).startsWith(u'[' + name + u']'),
        "the section caret stands behind the header's bracket");
  const qsizetype body = vorlane::sectionBodyOffset(memoText, name);
  check(body >= caret && body <= memoText.size(), "the section body lies behind its header");
  check(body == 0 || body == memoText.size() || memoText.sliced(0, body).endsWith(u"\r\n"),
        "the section body starts a line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QList<QByteArray> fields = vorlane::fuzz::splitFields(data, size, 3);
  // The widget takes typed line breaks as "\n" alone.
  const QString typed = QString::fromUtf8(fields[0]).remove(u'\r');
  const QString sectionName = QString::fromUtf8(fields[1]);
  const QByteArray& fileBytes = fields[2];

  const QByteArray normalised = vorlane::withCrLfBreaks(fileBytes);
  check(hasOnlyCrLfBreaks(normalised), "every break becomes CR LF");
  check(vorlane::withCrLfBreaks(normalised) == normalised, "normalising twice changes nothing");

  QString widgetText;
  try {
    widgetText = vorlane::widgetTextFromFile(fileBytes);
  } catch (const vorlane::Error&) {
    check(fileBytes.contains('\0') || normalised.size() > vorlane::kMemoCapacity,
          "only a NUL or an oversized text is refused");
    return 0;
  }
  check(!widgetText.contains(u'\r'), "the widget text breaks lines with LF alone");
  check(vorlane::fileBytesToSave(fileBytes, widgetText) == normalised,
        "an unchanged text saves as the file's own bytes");
  checkOffsets(widgetText);
  checkSectionSearch(vorlane::toMemoText(widgetText), sectionName);

  // A typed U+FEFF at the very start would read back as a byte order mark, which is no text.
  const QString edited = widgetText + typed;
  if (!typed.isEmpty() && !edited.startsWith(QChar(0xFEFF))) {
    const bool windows1252 = !vorlane::isUtf8Text(normalised);
    QByteArray saved;
    try {
      saved = vorlane::fileBytesToSave(fileBytes, edited);
    } catch (const vorlane::Error&) {
      check(windows1252 && vorlane::firstOutsideWindows1252(edited) >= 0,
            "only a character Windows-1252 lacks is refused, and only for such a file");
      return 0;
    }
    // Windows-1252 bytes that happen to form UTF-8 are read as UTF-8 next time.
    if (!windows1252 || !vorlane::isUtf8Text(saved)) {
      check(vorlane::widgetTextFromFile(saved) == edited, "an edited text reads back as edited");
    }
  }
  return 0;
}
