#include <QDir>
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
TEST(ShippedLanguages, FillEveryKeyWithTheBuiltInPlaceholders) {
  const ProfileFile shipped{QStringLiteral(VORLANE_LANGUAGES_FILE)};
  const QList<QByteArray> sections = shipped.sectionNames();
  EXPECT_EQ(sections, (QList<QByteArray>{"Portugues", "English", "Espanol"}));

  QList<QByteArray> keys;
  for (const CaptionRow& row : captionTable()) {
    keys.append(row.key);
  }
  for (const WindowTextRow& row : windowTextTable()) {
    keys.append(row.key);
  }
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

}  // namespace
}  // namespace vorlane
