#include "core/launch/OutputLines.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

#include "core/text/TextCodec.h"

namespace vorlane {
namespace {

bool isContinuationByte(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// How many bytes the UTF-8 character that `byte` begins has; 0 when it begins none.
int utf8Length(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value >= 0xF0 && value < 0xF8 ? 4 : value >= 0xE0 ? 3 : value >= 0xC0 ? 2 : 0;
}

// The character as a window shows it: control characters as their symbols (U+2400 and on), and
// codes that are no text, or that text widgets take as breaks, as the replacement character.
QChar visible(QChar c) {
  const char16_t code = c.unicode();
  if (code == u'\t') {
    return c;
  }
  if (code < 0x20) {
    return QChar(char16_t(0x2400 + code));
  }
  if (code == 0x7F) {
    return QChar(char16_t(0x2421));
  }
  const bool breaksOrNoText = (code >= 0x80 && code < 0xA0) || code == 0x2028 || code == 0x2029 ||
                              code == 0xFDD0 || code == 0xFDD1;
  return breaksOrNoText ? QChar(QChar::ReplacementCharacter) : c;
}

bool pointsInto(const QByteArray& line, QByteArrayView chunk) {
  const std::less_equal<const char*> notAfter;
  return notAfter(chunk.data(), line.constData()) &&
         std::less<const char*>()(line.constData(), chunk.data() + chunk.size());
}

QString shownText(const QByteArray& line) {
  QString text = decodeText(line);
  for (QChar& c : text) {
    c = visible(c);
  }
  return text;
}

}  // namespace

OutputLines::OutputLines() : m_lines(kMaxLines) {}

void OutputLines::append(QByteArrayView bytes) {
  m_chunk = bytes;
  m_at = 0;
  const qsizetype size = bytes.size();
  const auto find = [&](char byte) {
    const void* found = std::memchr(bytes.data() + m_at, byte, static_cast<size_t>(size - m_at));
    return found == nullptr ? size : static_cast<const char*>(found) - bytes.data();
  };
  // The next of each line break, looked for again only once passed, so a chunk is read once.
  qsizetype nextNewline = -1;
  qsizetype nextReturn = -1;
  while (m_at < size) {
    if (m_returned && bytes[m_at] != '\n' && bytes[m_at] != '\r') {
      // Text after a lone "\r" writes the line anew.
      m_returned = false;
      m_partial.clear();
      m_partialChanged = true;
    }
    if (nextNewline < m_at) {
      nextNewline = find('\n');
    }
    if (nextReturn < m_at) {
      nextReturn = find('\r');
    }
    const qsizetype lineEnd = std::min(nextNewline, nextReturn);
    cutPieces(lineEnd);
    if (lineEnd == size) {
      m_partialChanged = m_partialChanged || m_at < size;
      m_partial.append(bytes.data() + m_at, size - m_at);
      break;
    }
    if (bytes[lineEnd] == '\r') {
      keepLineInProgress(lineEnd);
    } else {
      endLine(lineEnd);
      m_returned = false;
    }
    m_at = lineEnd + 1;
  }
  // The lines still pointing into the chunk get bytes of their own, newest first.
  for (int i = m_count - 1; i >= 0; --i) {
    QByteArray& line = m_lines[static_cast<size_t>((m_first + i) % kMaxLines)];
    if (!pointsInto(line, bytes)) {
      break;
    }
    line = QByteArray(line.constData(), line.size());
  }
  m_chunk = QByteArrayView();
}

void OutputLines::appendNotice(const QString& line) {
  finish();
  push(line.toUtf8());
}

void OutputLines::finish() {
  if (!m_partial.isEmpty()) {
    push(std::exchange(m_partial, QByteArray()));
  }
  m_returned = false;
  m_partialChanged = true;
}

QStringList OutputLines::takeLines() {
  QStringList lines;
  lines.reserve(m_count);
  for (int i = 0; i < m_count; ++i) {
    QByteArray& line = m_lines[static_cast<size_t>((m_first + i) % kMaxLines)];
    lines.append(shownText(line));
    line = QByteArray();
  }
  m_first = 0;
  m_count = 0;
  m_bytes = 0;
  return lines;
}

QString OutputLines::lineInProgress() {
  m_partialChanged = false;
  return shownText(m_partial);
}

// The line in progress ends at `lineEnd` in the chunk.
void OutputLines::endLine(qsizetype lineEnd) {
  push(takeLineStart(m_partial.size() + lineEnd - m_at));
  m_partialChanged = true;
}

// A lone "\r" at `lineEnd` in the chunk: the line stays in progress, with bytes of its own, until
// a "\n" ends it or text replaces it.
void OutputLines::keepLineInProgress(qsizetype lineEnd) {
  m_partialChanged = m_partialChanged || lineEnd > m_at;
  const QByteArray line = takeLineStart(m_partial.size() + lineEnd - m_at);
  m_partial = QByteArray(line.constData(), line.size());
  m_returned = true;
}

// Makes pieces of the line in progress while it is longer than a piece, up to `lineEnd` in the
// chunk. A piece ends before a UTF-8 character that it would otherwise cut.
void OutputLines::cutPieces(qsizetype lineEnd) {
  while (m_partial.size() + lineEnd - m_at > kMaxLineBytes) {
    qsizetype cut = kMaxLineBytes;
    for (int back = 1; back <= 3 && isContinuationByte(lineByte(cut)); ++back) {
      const char byte = lineByte(cut - back);
      if (!isContinuationByte(byte)) {
        if (utf8Length(byte) > back) {
          cut -= back;
        }
        break;
      }
    }
    push(takeLineStart(cut));
  }
}

// The first `length` bytes of the line in progress, which then begins after them. Bytes from the
// chunk are not copied here: append() copies the lines it keeps.
QByteArray OutputLines::takeLineStart(qsizetype length) {
  if (m_partial.isEmpty()) {
    QByteArray line = QByteArray::fromRawData(m_chunk.data() + m_at, length);
    m_at += length;
    return line;
  }
  if (length <= m_partial.size()) {
    QByteArray line = m_partial.left(length);
    m_partial.remove(0, length);
    return line;
  }
  QByteArray line = std::exchange(m_partial, QByteArray());
  const qsizetype fromChunk = length - line.size();
  line.append(m_chunk.data() + m_at, fromChunk);
  m_at += fromChunk;
  return line;
}

// The byte at `index` of the line in progress: the carried-over start, then the chunk.
char OutputLines::lineByte(qsizetype index) const {
  return index < m_partial.size() ? m_partial[index] : m_chunk[m_at + index - m_partial.size()];
}

void OutputLines::push(QByteArray line) {
  if (m_count == kMaxLines) {
    dropOldest();
  }
  m_bytes += line.size();
  m_lines[static_cast<size_t>((m_first + m_count) % kMaxLines)] = std::move(line);
  ++m_count;
  while (m_bytes > kMaxShownBytes && m_count > 1) {
    dropOldest();
  }
}

void OutputLines::dropOldest() {
  QByteArray& oldest = m_lines[static_cast<size_t>(m_first)];
  m_bytes -= oldest.size();
  oldest = QByteArray();
  m_first = (m_first + 1) % kMaxLines;
  --m_count;
}

}  // namespace vorlane
