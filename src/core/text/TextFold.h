#pragma once

#include <string>

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

namespace vorlane {

// Text as a search that ignores letter case and accents sees it: the compatibility
// decomposition with its combining marks dropped, then case folded ("É" folds to "e", "ﬁ" to
// "fi"). Marks are the only characters that decomposition reorders, and they are dropped, so a
// character folds alike wherever it stands: each distinct character is decomposed once and
// remembered, and a long list of names costs a look-up per character instead of a normalization
// per name. One thread at a time.
class TextFold {
 public:
  // Appends the fold of `text` to `out`; a lone surrogate stays as it is.
  void append(QStringView text, std::u16string& out);
  // An ASCII character folds to its lower case.
  static constexpr char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
  }

 private:
  const std::u16string& foldOf(char32_t character);

  QHash<char32_t, std::u16string> m_folds;
};

}  // namespace vorlane
