#include "core/catalogue/NameFilter.h"

#include <algorithm>

#include "core/platform/TextCodec.h"

namespace vorlane {
namespace {

bool isAscii(QChar c) {
  return c.unicode() < 0x80;
}

bool isMark(QChar c) {
  const QChar::Category category = c.category();
  return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
         category == QChar::Mark_Enclosing;
}

// Letters without their accents and in one case: the compatibility decomposition splits "é"
// into "e" and a combining mark, which is then dropped. Only the runs of non-ASCII characters
// are decomposed: an ASCII character decomposes to itself and no mark moves across it, so the
// result is the whole text's, at a fraction of the cost on names that are mostly ASCII.
QString folded(QStringView text) {
  QString bare;
  bare.reserve(text.size());
  for (qsizetype i = 0; i < text.size();) {
    if (isAscii(text[i])) {
      bare.append(text[i++]);
      continue;
    }
    const qsizetype runEnd =
        std::find_if(text.begin() + i, text.end(), [](QChar c) { return isAscii(c); }) -
        text.begin();
    const QString decomposed =
        text.sliced(i, runEnd - i).toString().normalized(QString::NormalizationForm_KD);
    for (const QChar c : decomposed) {
      if (!isMark(c)) {
        bare.append(c);
      }
    }
    i = runEnd;
  }
  return bare.toCaseFolded();
}

bool isAscii(QStringView text) {
  return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return isAscii(c); });
}

bool isAscii(QByteArrayView bytes) {
  return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; });
}

}  // namespace

NameFilter::NameFilter(const QString& text) : m_folded(folded(text)) {}

bool NameFilter::matches(const QString& name) const {
  if (!isActive()) {
    return true;
  }
  // An ASCII name has no accents to drop, and its letters fold as a search without case
  // compares them: most names skip the decomposition, which a keystroke on a long catalogue
  // would otherwise pay for every game.
  if (isAscii(name)) {
    return name.contains(m_folded, Qt::CaseInsensitive);
  }
  return folded(name).contains(m_folded);
}

bool NameFilter::matchesDriverText(const QByteArray& name) const {
  if (isActive() && isAscii(name)) {
    return QLatin1StringView(name).contains(m_folded, Qt::CaseInsensitive);
  }
  return matches(decodeText(name));
}

}  // namespace vorlane
