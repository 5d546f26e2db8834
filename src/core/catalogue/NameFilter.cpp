#include "core/catalogue/NameFilter.h"

#include <algorithm>

#include "core/platform/TextCodec.h"

namespace vorlane {
namespace {

// Letters without their accents and in one case: the compatibility decomposition splits "é"
// into "e" and a combining mark, which is then dropped.
QString folded(const QString& text) {
  const QString decomposed = text.normalized(QString::NormalizationForm_KD);
  QString bare;
  bare.reserve(decomposed.size());
  for (const QChar c : decomposed) {
    if (c.category() != QChar::Mark_NonSpacing && c.category() != QChar::Mark_SpacingCombining &&
        c.category() != QChar::Mark_Enclosing) {
      bare.append(c);
    }
  }
  return bare.toCaseFolded();
}

bool isAscii(QStringView text) {
  return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
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
