#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace vorlane {

// Where the line that begins at `start` ends: the position of its CR or LF, or the text's end.
qsizetype lineEnd(QByteArrayView text, qsizetype start);

// Where the next line begins after a line that ends at `end` (a CR LF pair counts as one end).
qsizetype nextLineStart(QByteArrayView text, qsizetype end);

// The lines of a settings text. A line ends at CR LF, at a lone LF or at a lone CR, so LF CR is
// two line ends with an empty line between them; a line end at the very end of the text starts
// no further line, and an empty text has no lines.
QList<QByteArray> splitLines(QByteArrayView text);

// The lines as a text with CR LF behind every line, the last one included.
QByteArray joinLinesCrLf(const QList<QByteArray>& lines);

}  // namespace vorlane
