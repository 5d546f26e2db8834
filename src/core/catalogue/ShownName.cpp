#include "core/catalogue/ShownName.h"

#include <QString>
#include <QTextBoundaryFinder>

#include "core/text/TextCodec.h"

namespace vorlane {
namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// Where `text` is cut to at most `limit` code units: the last character boundary there.
qsizetype cutPosition(const QString& text, qsizetype limit) {
  // The boundary at `limit` depends on the character after it alone.
  const QString head = text.left(limit + 1);
  QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, head);
  characters.setPosition(limit);
  if (characters.isAtBoundary()) {
    return limit;
  }
  const qsizetype before = characters.toPreviousBoundary();
  if (before > 0) {
    return before;
  }
  // One character longer than the limit (a letter under hundreds of marks): cut between code
  // points.
  return head.at(limit - 1).isHighSurrogate() ? limit - 1 : limit;
}

}  // namespace

QByteArray shownName(const QByteArray& name) {
  // No encoding takes fewer bytes than characters.
  if (name.size() <= kShownNameLength) {
    return name;
  }
  // Decoded whole: its head alone might read as another encoding.
  const QString text = decodeText(name);
  if (text.size() <= kShownNameLength) {
    return name;
  }
  return (text.left(cutPosition(text, kShownNameLength)) + kEllipsis).toUtf8();
}

}  // namespace vorlane
