#include "core/settings/LanguageFile.h"

#include <QFileInfo>

#include "core/files/Paths.h"
#include "core/settings/FrontEndSettings.h"

namespace vorlane {
namespace {

// The first language whose locales hold `tag`, letter case aside.
QByteArray languageServing(const QList<LanguageEntry>& languages, const QByteArray& tag) {
  for (const LanguageEntry& language : languages) {
    for (const QByteArray& served : language.locales) {
      if (served.compare(tag, Qt::CaseInsensitive) == 0) {
        return language.section;
      }
    }
  }
  return {};
}

// "pt_BR" of "pt_BR.UTF-8@euro": the codeset and the modifier say nothing of the words.
QByteArray languageAndTerritory(const QByteArray& locale) {
  qsizetype end = 0;
  while (end < locale.size() && locale[end] != '.' && locale[end] != '@') {
    ++end;
  }
  return locale.left(end);
}

}  // namespace

QString shippedLanguageFilePath(const QString& programDirectory) {
  return programDirectory + QLatin1String("/../share/vorlane/") + kLanguageFileName;
}

QString languageFilePath(const QString& baseDirectory, const QString& programDirectory) {
  const QString own = basePath(baseDirectory, kLanguageFileName);
  return QFileInfo::exists(own) ? own : shippedLanguageFilePath(programDirectory);
}

QList<LanguageEntry> languageEntries(const ProfileFile& languageFile) {
  QList<LanguageEntry> entries;
  for (const auto& [section, values] :
       languageFile.readEachSection({kLanguageNameKey, kLanguageLocalesKey})) {
    QList<QByteArray> locales;
    for (const QByteArray& locale : values[1].value_or(QByteArray()).replace(',', ' ').split(' ')) {
      if (!locale.isEmpty()) {
        locales.append(locale);
      }
    }
    const QByteArray shownName = values[0].value_or(QByteArray());
    entries.append({section, shownName.isEmpty() ? section : shownName, locales});
  }
  return entries;
}

QByteArray userLocale(const QProcessEnvironment& environment) {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const QString value = environment.value(QLatin1String(name));
    if (!value.isEmpty()) {
      return value.toLocal8Bit();
    }
  }
  return {};
}

QByteArray languageForLocale(const QList<LanguageEntry>& languages, const QByteArray& locale) {
  const QByteArray territorial = languageAndTerritory(locale);
  const QByteArray plain = territorial.left(territorial.indexOf('_'));
  if (plain.isEmpty()) {
    return {};
  }
  const QByteArray exact = languageServing(languages, territorial);
  return exact.isEmpty() ? languageServing(languages, plain) : exact;
}

QByteArray startLanguage(const ProfileFile& settingsFile, const QList<LanguageEntry>& languages,
                         const QByteArray& locale) {
  const std::optional<QByteArray> stored =
      settingsFile.readStrings(kLanguageSetting.section, {kLanguageSetting.key}).front();
  if (stored.has_value()) {
    return *stored;
  }
  const QByteArray served = languageForLocale(languages, locale);
  return served.isEmpty() ? QByteArray(kLanguageSetting.defaultValue) : served;
}

}  // namespace vorlane
