#include "core/catalogue/NameFilter.h"

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

}  // namespace

NameFilter::NameFilter(const QString& text) : m_folded(folded(text)) {}

bool NameFilter::matches(const QString& name) const {
  return !isActive() || folded(name).contains(m_folded);
}

}  // namespace vorlane
