#pragma once

#include <QString>

namespace vorlane {

// The language file installed with the program, relative to the directory of its executable
// (share/vorlane beside bin), so an install under any prefix finds its own.
QString shippedLanguageFilePath(const QString& programDirectory);

// The language file of a run: the base directory's vorlane.lng whenever it has one, which then
// stands alone (nothing of the shipped file is merged in); the shipped one otherwise. Neither
// is ever written.
QString languageFilePath(const QString& baseDirectory, const QString& programDirectory);

}  // namespace vorlane
