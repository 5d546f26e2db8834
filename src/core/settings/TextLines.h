#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace vorlane {

// Where the line that begins at `start` ends: the position of its CR or LF, or the text's end.
qsizetype lineEnd(QByteArrayView text, qsizetype start);

// Where the next line begins after a line that ends at `end` (a CR LF pair counts as one end).
qsizetype nextLineStart(QByteArrayView text, qsizetype end);

// Codes 0 to 32: the blank and the control characters.
inline bool isBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

// The text without the bytes at either end for which `strip` holds.
template <typename Predicate>
QByteArray trimBytes(QByteArrayView text, Predicate strip) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && strip(text[begin])) {
    ++begin;
  }
  while (end > begin && strip(text[end - 1])) {
    --end;
  }
  return text.sliced(begin, end - begin).toByteArray();
}

// The lines of a settings text. A line ends at CR LF, at a lone LF or at a lone CR, so LF CR is
// two line ends with an empty line between them; a line end at the very end of the text starts
// no further line, and an empty text has no lines.
QList<QByteArray> splitLines(QByteArrayView text);

// The lines as a text with CR LF behind every line, the last one included.
QByteArray joinLinesCrLf(const QList<QByteArray>& lines);

}  // namespace vorlane
