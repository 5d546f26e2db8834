#include <cerrno>

#include <QSet>

#include <gtest/gtest.h>

#include "core/errors/ErrorMessages.h"
#include "core/settings/CaptionTable.h"
#include "core/settings/LanguageFile.h"
#include "core/settings/WindowTexts.h"
#include "support/AppliedLanguage.h"
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
  EXPECT_EQ(captionTable().size(), 35u);
  EXPECT_EQ(controls.size(), 35);
  EXPECT_EQ(keys.size(), 34);
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

// The window texts share the caption keys' namespace in the file, and so do a language's name
// and locales: a key of two of them would set two unrelated texts.
TEST(WindowTexts, OneRowPerTextInOrderWithKeysOfTheirOwn) {
  QSet<QByteArray> keys{kLanguageNameKey, kLanguageLocalesKey};
  for (const CaptionRow& row : captionTable()) {
    keys.insert(row.key);
  }
  const std::span<const WindowTextRow> rows = windowTextTable();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(rows[i].text), i) << rows[i].key;
    EXPECT_FALSE(keys.contains(rows[i].key)) << rows[i].key;
    keys.insert(rows[i].key);
    EXPECT_EQ(paddedCaptionKey(rows[i].key).size(), 20) << rows[i].key;
  }
}

// The messages that the window builds take the applied language's texts; what is filled in is
// never read as a placeholder itself.
TEST(WindowTexts, MessagesTakeTheAppliedLanguage) {
  TempBase base;
  const ProfileFile languages(base.write(QStringLiteral("vorlane.lng"),
                                         "[English]\r\n"
                                         "FrmSaida=Output of %1 \xE2\x80\x94 %2\r\n"
                                         "lblEstadoTerminado=%1 has ended.\r\n"
                                         "lblEstadoFimCom=%1 has ended with %2.\r\n"
                                         "txtCodigoSaida=exit code %1\r\n"
                                         "msgFimImediato=%1 ended at once, %2:\r\n"
                                         "msgLogCompleto=See %1\r\n"
                                         "Memo1=On %1\\nor %2, press %3\r\n"));
  EXPECT_EQ(messages::programEnded(QStringLiteral("tool"), ProgramEnd::exited(2)),
            QStringLiteral(u"tool terminou com c\u00f3digo de sa\u00edda 2."));
  EXPECT_EQ(
      messages::cannotStart(QStringLiteral("/x/tessik.exe"), EACCES),
      QStringLiteral(u"N\u00e3o \u00e9 poss\u00edvel iniciar /x/tessik.exe: Permission denied"));

  const test::AppliedLanguage english("english", languages.path());
  EXPECT_EQ(messages::programOutputTitle(QStringLiteral("a%2"), QStringLiteral("%1b")),
            QStringLiteral(u"Output of a%2 \u2014 %1b"));
  EXPECT_EQ(messages::programEnded(QStringLiteral("tool"), ProgramEnd()),
            QStringLiteral("tool has ended."));
  EXPECT_EQ(messages::programEnded(QStringLiteral("tool"), ProgramEnd::exited(2)),
            QStringLiteral("tool has ended with exit code 2."));
  EXPECT_EQ(messages::programEndedAtOnce(QStringLiteral("emu%1"), ProgramEnd::exited(3),
                                         QStringLiteral("x\ny"), QStringLiteral("/logs/e.log")),
            QStringLiteral("emu%1 ended at once, exit code 3:\n\nx\ny\n\nSee /logs/e.log"));
  EXPECT_EQ(messages::aboutText(QStringLiteral("a%2"), QStringLiteral("b"), QStringLiteral("c")),
            QStringLiteral("On a%2\nor b, press c"));
  // The signal's phrase is a text the section lacks: built in, inside the section's line.
  EXPECT_EQ(messages::programEnded(QStringLiteral("tool"), ProgramEnd::killed(9)),
            QStringLiteral("tool has ended with sinal 9 (Killed)."));
  // A text the section lacks stays built in.
  EXPECT_EQ(messages::programRunning(QStringLiteral("tool")),
            QStringLiteral(u"tool est\u00e1 em execu\u00e7\u00e3o."));
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
