#include "core/text/TextLines.h"

#include <algorithm>

namespace vorlane {

qsizetype lineEnd(QByteArrayView text, qsizetype start) {
  const auto end =
      std::find_if(text.begin() + start, text.end(), [](char c) { return c == '\r' || c == '\n'; });
  return end - text.begin();
}

qsizetype nextLineStart(QByteArrayView text, qsizetype end) {
  if (end >= text.size()) {
    return text.size();
  }
  const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
  return end + (crLf ? 2 : 1);
}

QList<QByteArray> splitLines(QByteArrayView text) {
  QList<QByteArray> lines;
  forEachLine(text, [&](QByteArrayView line) { lines.append(line.toByteArray()); });
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
