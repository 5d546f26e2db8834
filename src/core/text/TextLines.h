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

// The digit's value in a base of up to 16, or -1 when it is no digit of that base.
inline int digitValue(char c, int base) {
  const int value = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
  return value < base ? value : -1;
}

// The part of the text without the bytes at either end for which `strip` holds.
template <typename Predicate>
QByteArrayView trimmedView(QByteArrayView text, Predicate strip) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && strip(text[begin])) {
    ++begin;
  }
  while (end > begin && strip(text[end - 1])) {
    --end;
  }
  return text.sliced(begin, end - begin);
}

template <typename Predicate>
QByteArray trimBytes(QByteArrayView text, Predicate strip) {
  return trimmedView(text, strip).toByteArray();
}

// Calls `visit` with each line of a settings text, in place. A line ends at CR LF, at a lone LF
// or at a lone CR, so LF CR is two line ends with an empty line between them; a line end at the
// very end of the text starts no further line, and an empty text has no lines.
template <typename Visit>
void forEachLine(QByteArrayView text, Visit visit) {
  for (qsizetype start = 0; start < text.size();) {
    const qsizetype end = lineEnd(text, start);
    visit(text.sliced(start, end - start));
    start = nextLineStart(text, end);
  }
}

// The lines of a settings text, as forEachLine cuts them.
QList<QByteArray> splitLines(QByteArrayView text);

// The lines as a text with CR LF behind every line, the last one included.
QByteArray joinLinesCrLf(const QList<QByteArray>& lines);

}  // namespace vorlane
