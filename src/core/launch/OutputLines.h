#pragma once

#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace vorlane {

// Turns what a program writes, in chunks of any size, into the lines a window shows, as a
// terminal shows them: "\n" and "\r\n" end a line, and a lone "\r" goes back to the start of the
// line in progress, so that the text after it replaces that line (a progress bar stays one
// line, shown as it changes). Each
// line is decoded on its own (UTF-8 where valid, else Windows-1252) and its control characters
// are shown as symbols, never acted on. Memory stays bounded whatever the program writes: a line
// longer than kMaxLineBytes comes in pieces, and only the latest lines that a window keeps are
// held until taken.
class OutputLines {
 public:
  // The most lines a window keeps, and the most bytes of them (so also of characters).
  static constexpr int kMaxLines = 10000;
  static constexpr qsizetype kMaxShownBytes = qsizetype(1) << 20;
  // A longer line is shown in pieces of this size, never cutting a UTF-8 character in two.
  static constexpr qsizetype kMaxLineBytes = qsizetype(64) << 10;

  OutputLines();

  void append(QByteArrayView bytes);
  // Ends the line in progress, if any, and adds `line` after it as a line of its own.
  void appendNotice(const QString& line);
  // The program has ended: the line in progress, if any, is a line.
  void finish();

  // The lines completed since the last call, oldest first, at most the latest kMaxLines and
  // kMaxShownBytes of them.
  QStringList takeLines();
  bool hasLines() const { return m_count > 0; }
  // The line not ended yet, as far as the program wrote it; its changes since the last call.
  QString lineInProgress();
  bool lineInProgressChanged() const { return m_partialChanged; }

 private:
  void endLine(qsizetype length);
  void keepLineInProgress(qsizetype lineEnd);
  void cutPieces(qsizetype lineEnd);
  QByteArray takeLineStart(qsizetype length);
  char lineByte(qsizetype index) const;
  void push(QByteArray line);
  void dropOldest();

  // The latest completed lines, as a ring of kMaxLines: m_first is the oldest.
  std::vector<QByteArray> m_lines;
  int m_first = 0;
  int m_count = 0;
  qsizetype m_bytes = 0;
  // The start of the line in progress carried over from earlier chunks; shorter than a piece.
  QByteArray m_partial;
  // The chunk being split and where its unsplit part begins; lines taken from it refer to it
  // until append() returns.
  QByteArrayView m_chunk;
  qsizetype m_at = 0;
  // A lone "\r" came after the line in progress: a "\n" still ends it, text replaces it.
  bool m_returned = false;
  bool m_partialChanged = false;
};

}  // namespace vorlane
