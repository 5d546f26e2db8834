#include "core/text/TextFold.h"

#include <algorithm>

namespace vorlane {
namespace {

bool isMark(char32_t character) {
  const QChar::Category category = QChar::category(character);
  return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
         category == QChar::Mark_Enclosing;
}

// The character whose first unit is at `i`, a surrogate pair taken whole; `i` moves to its last
// unit.
char32_t takeCharacter(QStringView text, qsizetype& i) {
  const QChar unit = text[i];
  if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
    return QChar::surrogateToUcs4(unit, text[++i]);
  }
  return unit.unicode();
}

std::u16string foldOfCharacter(char32_t character) {
  const QString decomposed =
      QStringView(QChar::fromUcs4(character)).toString().normalized(QString::NormalizationForm_KD);
  QString bare;
  for (qsizetype i = 0; i < decomposed.size(); ++i) {
    const char32_t part = takeCharacter(decomposed, i);
    if (!isMark(part)) {
      bare.append(QStringView(QChar::fromUcs4(part)));
    }
  }
  return bare.toCaseFolded().toStdU16String();
}

}  // namespace

void TextFold::append(QStringView text, std::u16string& out) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].unicode() >= 0x80) {
      out += foldOf(takeCharacter(text, i));
      continue;
    }
    // A run of ASCII at once: most of a name, even an accented one.
    const qsizetype runEnd =
        std::find_if(text.begin() + i, text.end(), [](QChar c) { return c.unicode() >= 0x80; }) -
        text.begin();
    const std::size_t at = out.size();
    out.resize(at + std::size_t(runEnd - i));
    std::transform(text.begin() + i, text.begin() + runEnd, out.begin() + qsizetype(at),
                   [](QChar c) { return asciiLower(c.unicode()); });
    i = runEnd - 1;
  }
}

const std::u16string& TextFold::foldOf(char32_t character) {
  auto found = m_folds.constFind(character);
  if (found == m_folds.cend()) {
    found = m_folds.insert(character, foldOfCharacter(character));
  }
  return *found;
}

}  // namespace vorlane
