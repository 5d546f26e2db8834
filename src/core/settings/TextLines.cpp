#include "core/settings/TextLines.h"

namespace vorlane {

QList<QByteArray> splitLines(QByteArrayView text) {
  QList<QByteArray> lines;
  qsizetype start = 0;
  qsizetype pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c != '\r' && c != '\n') {
      ++pos;
      continue;
    }
    lines.append(text.sliced(start, pos - start).toByteArray());
    pos += (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    start = pos;
  }
  if (start < text.size()) {
    lines.append(text.sliced(start).toByteArray());
  }
  return lines;
}

QByteArray joinLinesCrLf(const QList<QByteArray>& lines) {
  QByteArray text;
  for (const QByteArray& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace vorlane
