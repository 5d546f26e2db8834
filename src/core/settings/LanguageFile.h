#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>

#include "core/settings/ProfileFile.h"

namespace vorlane {

// The language file installed with the program, relative to the directory of its executable
// (share/vorlane beside bin), so an install under any prefix finds its own.
QString shippedLanguageFilePath(const QString& programDirectory);

// The language file of a run: the base directory's vorlane.lng whenever it has one, which then
// stands alone (nothing of the shipped file is merged in); the shipped one otherwise. Neither
// is ever written.
QString languageFilePath(const QString& baseDirectory, const QString& programDirectory);

// Two keys of a language's section that are no texts: the name the language list shows (the
// section name stays what is stored, so it can keep to plain letters), and the locales the
// language serves, separated by commas or blanks ("pt, pt_BR").
inline constexpr char kLanguageNameKey[] = "NomeIdioma";
inline constexpr char kLanguageLocalesKey[] = "Localidades";

struct LanguageEntry {
  QByteArray section;
  QByteArray shownName;  // the section's name for the list, else the section name
  QList<QByteArray> locales;
};

// One entry per section, in file order.
QList<LanguageEntry> languageEntries(const ProfileFile& languageFile);

// The user's locale for texts, as the C library takes it: the first of LC_ALL, LC_MESSAGES and
// LANG that is set and not empty.
QByteArray userLocale(const QProcessEnvironment& environment);

// The section of the language serving `locale` ("pt_BR.UTF-8@euro"): the first that lists its
// language and territory ("pt_BR"), else the first that lists its language ("pt"), letter case
// aside; empty when none does.
QByteArray languageForLocale(const QList<LanguageEntry>& languages, const QByteArray& locale);

// The language a start selects: the one stored in the settings file, even an empty one; with
// none stored, the one serving `locale`; else the stored setting's default.
QByteArray startLanguage(const ProfileFile& settingsFile, const QList<LanguageEntry>& languages,
                         const QByteArray& locale);

}  // namespace vorlane
