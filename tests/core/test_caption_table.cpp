#include <QSet>

#include <gtest/gtest.h>

#include "core/settings/CaptionTable.h"
#include "core/settings/LanguageFile.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;

const CaptionRow& rowOf(const char* control) {
  for (const CaptionRow& row : captionTable()) {
    if (qstrcmp(row.control, control) == 0) {
      return row;
    }
  }
  throw std::out_of_range(control);
}

TEST(CaptionTable, OnlyTheTwoApplyButtonsShareAKey) {
  QSet<QByteArray> controls;
  QSet<QByteArray> keys;
  for (const CaptionRow& row : captionTable()) {
    controls.insert(row.control);
    keys.insert(row.key);
    EXPECT_EQ(paddedCaptionKey(row.key).size(), 20) << row.key;
  }
  EXPECT_EQ(controls.size(), qsizetype(captionTable().size()));
  EXPECT_EQ(keys.size(), controls.size() - 1);
  EXPECT_STREQ(rowOf("btnAplicarDIP").key, rowOf("btnAplicar").key);
}

TEST(CaptionTable, LanguageSectionOverridesBuiltInCaptions) {
  TempBase base;
  const ProfileFile languages(base.write(QStringLiteral("vorlane.lng"),
                                         "[Portugues]\r\n"
                                         "[English]\r\n"
                                         "tabDrivers=Games\r\n"
                                         "btnAplicar = &Apply\r\n"
                                         "btnAplicarDIP=Ignored\r\n"
                                         "chkSom=\r\n"
                                         "lblResolucao=R\xE9solution:\r\n"
                                         "grpVideo=V\xC3\xAD"
                                         "deo!\r\n"));
  const QHash<QByteArray, QString> translated{
      {"tabDrivers", QStringLiteral("Games")},
      {"btnAplicar", QStringLiteral("&Apply")},
      {"btnAplicarDIP", QStringLiteral("&Apply")},
      {"chkSom", QString()},
      {"lblResolucao", QStringLiteral(u"R\u00e9solution:")},
      {"grpVideo", QStringLiteral(u"V\u00eddeo!")},
  };
  const QStringList english = languageTexts(languages, "ENGLISH").captions;
  const QStringList none = languageTexts(languages, "").captions;
  const QStringList portuguese = languageTexts(languages, "Portugues").captions;
  const qsizetype rows = static_cast<qsizetype>(captionTable().size());
  ASSERT_EQ(english.size(), rows);
  ASSERT_EQ(none.size(), rows);
  ASSERT_EQ(portuguese.size(), rows);
  for (qsizetype i = 0; i < rows; ++i) {
    const CaptionRow& row = captionTable()[i];
    const QString builtIn = QString::fromUtf8(row.builtInCaption);
    EXPECT_EQ(english[i], translated.value(row.control, builtIn)) << row.control;
    EXPECT_EQ(none[i], builtIn) << row.control;
    EXPECT_EQ(portuguese[i], builtIn) << row.control;
  }
  EXPECT_TRUE(none.contains(QStringLiteral(u"Configura\u00e7\u00f5es")));
}

TEST(WithoutAccelerator, DropsTheAltMarkAndKeepsADoubledAmpersand) {
  const struct {
    const char* caption;
    const char* spoken;
  } cases[] = {{"&Jogar", "Jogar"},  {"E&xit", "Exit"},         {"Tom && Jerry", "Tom & Jerry"},
               {"&&&Save", "&Save"}, {"trailing&", "trailing"}, {"", ""}};
  for (const auto& example : cases) {
    EXPECT_EQ(withoutAccelerator(QString::fromUtf8(example.caption)),
              QString::fromUtf8(example.spoken))
        << example.caption;
  }
}

}  // namespace
}  // namespace vorlane
