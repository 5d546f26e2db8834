#pragma once

#include <QByteArray>
#include <QString>

#include "core/settings/CaptionTable.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/WindowTexts.h"

namespace vorlane::test {

// Applies the window texts of a language while it lives, from the language file the program
// ships unless another is given; the built-in texts come back afterwards. A main window built
// meanwhile applies its own language over it.
class AppliedLanguage {
 public:
  explicit AppliedLanguage(const QByteArray& language,
                           const QString& languageFile = QStringLiteral(VORLANE_LANGUAGES_FILE)) {
    useWindowTexts(languageTexts(ProfileFile(languageFile), language).windowTexts);
  }
  ~AppliedLanguage() { useWindowTexts(languageTexts(ProfileFile(QString()), {}).windowTexts); }
  AppliedLanguage(const AppliedLanguage&) = delete;
  AppliedLanguage& operator=(const AppliedLanguage&) = delete;
};

}  // namespace vorlane::test
