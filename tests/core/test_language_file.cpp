#include <utility>

#include <QDir>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include "core/settings/CaptionTable.h"
#include "core/settings/LanguageFile.h"
#include "core/settings/WindowTexts.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;

TEST(LanguageFilePath, TheBaseDirectorysFileWinsElseTheShippedOne) {
  TempBase root;
  const QString program = root.makeDir(QStringLiteral("prefix/bin"));
  const QString shipped = root.write(QStringLiteral("prefix/share/vorlane/vorlane.lng"), "[A]\n");
  EXPECT_EQ(QDir::cleanPath(shippedLanguageFilePath(program)), shipped);

  const QString bare = root.makeDir(QStringLiteral("bare"));
  EXPECT_EQ(languageFilePath(bare, program), shippedLanguageFilePath(program));
  // Even an empty file of the base directory's own stands alone.
  const QString own = root.write(QStringLiteral("own/vorlane.lng"), "");
  EXPECT_EQ(languageFilePath(root.filePath(QStringLiteral("own")), program), own);
}

// A language may name itself for the list; the locales it serves pick the first language of a
// user with nothing stored, the territory before the language alone; a stored one, even empty,
// always wins.
TEST(StartLanguage, StoredElseTheUsersLocaleElseTheDefault) {
  TempBase base;
  const ProfileFile languages(base.write(QStringLiteral("vorlane.lng"),
                                         "[Portugues]\r\nNomeIdioma=Portugu\xC3\xAAs\r\n"
                                         "Localidades=pt\r\n"
                                         "[Brasileiro]\r\nLocalidades = pt_BR,pt_PT\r\n"
                                         "[English]\r\nNomeIdioma=\r\nLocalidades=en  EN_gb\r\n"
                                         "[Espanol]\r\nLocalidades=es\r\n"));
  const QList<LanguageEntry> entries = languageEntries(languages);
  QList<QByteArray> shown;
  for (const LanguageEntry& entry : entries) {
    shown.append(entry.shownName);
  }
  EXPECT_EQ(shown, (QList<QByteArray>{"Portugu\xC3\xAAs", "Brasileiro", "English", "Espanol"}));

  const struct {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* settings;  // vorlane.ini, if any
    const char* selected;
  } cases[] = {
      {nullptr, nullptr, "en_US.UTF-8", nullptr, "English"},
      {"es_ES.UTF-8@euro", "en_US", "en_US", nullptr, "Espanol"},
      {"", "en_GB", "es_ES", nullptr, "English"},
      {nullptr, nullptr, "pt_BR.UTF-8", nullptr, "Brasileiro"},
      {nullptr, nullptr, "pt_AO", nullptr, "Portugues"},
      {nullptr, nullptr, "fr_FR.UTF-8", nullptr, "Portugues"},
      {nullptr, nullptr, "C.UTF-8", nullptr, "Portugues"},
      {nullptr, nullptr, nullptr, nullptr, "Portugues"},
      {nullptr, nullptr, "en_US", "[Configuracao]\r\nIdioma=espanol\r\n", "espanol"},
      {nullptr, nullptr, "en_US", "[Configuracao]\r\nIdioma=\r\n", ""},
      {nullptr, nullptr, "en_US", "[General]\r\nIdioma=Espanol\r\n", "English"},
  };
  for (const auto& example : cases) {
    QProcessEnvironment environment;
    for (const auto& [name, value] :
         {std::pair{"LC_ALL", example.lcAll}, std::pair{"LC_MESSAGES", example.lcMessages},
          std::pair{"LANG", example.lang}}) {
      if (value != nullptr) {
        environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
      }
    }
    const QString settings = base.write(QStringLiteral("vorlane.ini"),
                                        example.settings != nullptr ? example.settings : "");
    EXPECT_EQ(startLanguage(ProfileFile(settings), entries, userLocale(environment)),
              QByteArray(example.selected))
        << "case " << &example - cases;
  }
}

QSet<QString> placeholders(const QString& text) {
  QSet<QString> found;
  for (const QRegularExpressionMatch& match :
       QRegularExpression(QStringLiteral("%\\d")).globalMatch(text)) {
    found.insert(match.captured());
  }
  return found;
}

// Each shipped language fills every key in UTF-8, and a window text keeps the places its
// built-in text has for what the program fills in.
QList<QByteArray> everyKey() {
  QList<QByteArray> keys{kLanguageNameKey, kLanguageLocalesKey};
  for (const CaptionRow& row : captionTable()) {
    keys.append(row.key);
  }
  for (const WindowTextRow& row : windowTextTable()) {
    keys.append(row.key);
  }
  return keys;
}

TEST(ShippedLanguages, FillEveryKeyWithTheBuiltInPlaceholders) {
  const ProfileFile shipped{QStringLiteral(VORLANE_LANGUAGES_FILE)};
  const QList<QByteArray> sections = shipped.sectionNames();
  EXPECT_EQ(sections, (QList<QByteArray>{"Portugues", "English", "Espanol"}));

  const QList<QByteArray> keys = everyKey();
  for (const QByteArray& section : sections) {
    const QList<std::optional<QByteArray>> values = shipped.readStrings(section, keys);
    for (qsizetype i = 0; i < keys.size(); ++i) {
      ASSERT_TRUE(values[i].has_value()) << section.constData() << " lacks " << keys[i].constData();
      EXPECT_FALSE(values[i]->isEmpty()) << section.constData() << " " << keys[i].constData();
      EXPECT_EQ(QString::fromUtf8(*values[i]).toUtf8(), *values[i]) << "not UTF-8";
    }
    const QStringList windowTexts = languageTexts(shipped, section).windowTexts;
    for (const WindowTextRow& row : windowTextTable()) {
      EXPECT_EQ(placeholders(windowTexts[static_cast<qsizetype>(row.text)]),
                placeholders(QString::fromUtf8(row.builtInText)))
          << section.constData() << " " << row.key;
    }
  }
}

// The demo's own file, mixed encodings and all, leaves no text to the built-in Portuguese.
TEST(DemoLanguages, FillEveryKey) {
  const ProfileFile demo{QStringLiteral(VORLANE_DEMO_DIR "/vorlane.lng")};
  const QList<QByteArray> keys = everyKey();
  for (const QByteArray& section : demo.sectionNames()) {
    const QList<std::optional<QByteArray>> values = demo.readStrings(section, keys);
    for (qsizetype i = 0; i < keys.size(); ++i) {
      EXPECT_TRUE(values[i].has_value()) << section.constData() << " lacks " << keys[i].constData();
    }
  }
}

}  // namespace
}  // namespace vorlane
