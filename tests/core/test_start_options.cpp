#include <variant>

#include <QDir>

#include <gtest/gtest.h>

#include "core/start/ProgramInfo.h"
#include "core/start/StartOptions.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

QStringList commandLine(std::initializer_list<const char*> arguments) {
  QStringList list{QStringLiteral("/usr/bin/vorlane")};
  for (const char* argument : arguments) {
    list.append(QString::fromUtf8(argument));
  }
  return list;
}

TEST(StartOptions, OptionsChooseWhereTheBaseComesFrom) {
  const struct {
    std::initializer_list<const char*> arguments;
    BaseSource source;
    const char* directory;
  } cases[] = {
      {{}, BaseSource::CurrentDirectory, ""},
      {{"--base", "/games/tessik"}, BaseSource::Given, "/games/tessik"},
      {{"--base=my roms"}, BaseSource::Given, "my roms"},
      {{"-base", "rel/dir"}, BaseSource::Given, "rel/dir"},
      {{"--remembered-base"}, BaseSource::RememberedOrAsk, ""},
      {{"--choose-base"}, BaseSource::Ask, ""},
      // Qt's own options belong to the application object, not to us.
      {{"-platform", "offscreen", "-style", "fusion", "-reverse"},
       BaseSource::CurrentDirectory,
       ""},
      {{"--remembered-base", "-platform", "xcb"}, BaseSource::RememberedOrAsk, ""},
  };
  for (const auto& example : cases) {
    const QStringList arguments = commandLine(example.arguments);
    const auto parsed = parseStartOptions(arguments);
    ASSERT_TRUE(std::holds_alternative<StartOptions>(parsed)) << arguments.join(u' ').toStdString();
    const auto& options = std::get<StartOptions>(parsed);
    EXPECT_EQ(options.baseSource, example.source) << arguments.join(u' ').toStdString();
    EXPECT_EQ(options.baseDirectory, text(example.directory)) << arguments.join(u' ').toStdString();
  }
}

TEST(StartOptions, HelpVersionAndMistakesEndTheProgramWithTheirText) {
  const struct {
    std::initializer_list<const char*> arguments;
    int exitCode;
    const char* expectedText;
  } cases[] = {
      {{"--help"}, 0, "Usage: vorlane [options]"},
      {{"-h"}, 0, "--remembered-base"},
      {{"--help-all"}, 0, "-platform <value>"},
      {{"--version"}, 0, "vorlane 0.4\n"},
      {{"-v", "--base", "/x"}, 0, "vorlane 0.4\n"},
      {{"--bogus"}, 2, "vorlane: Unknown option 'bogus'."},
      {{"stray"}, 2, "vorlane: unexpected argument 'stray'."},
      {{"--base"}, 2, "vorlane: Missing value after '--base'."},
      {{"--base="}, 2, "vorlane: --base needs a directory."},
      {{"--base", "/x", "--choose-base"}, 2, "exclude each other"},
      {{"--remembered-base", "--choose-base"}, 2, "exclude each other"},
  };
  for (const auto& example : cases) {
    const QStringList arguments = commandLine(example.arguments);
    const auto parsed = parseStartOptions(arguments);
    ASSERT_TRUE(std::holds_alternative<EarlyExit>(parsed)) << arguments.join(u' ').toStdString();
    const auto& early = std::get<EarlyExit>(parsed);
    EXPECT_EQ(early.exitCode, example.exitCode) << arguments.join(u' ').toStdString();
    EXPECT_TRUE(early.text.contains(text(example.expectedText))) << early.text.toStdString();
    EXPECT_TRUE(early.text.endsWith(u'\n')) << early.text.toStdString();
  }
}

TEST(StartOptions, VersionComesFromTheProject) {
  const auto parsed = parseStartOptions(commandLine({"--version"}));
  EXPECT_EQ(std::get<EarlyExit>(parsed).text,
            QStringLiteral("vorlane ") + programVersion() + QLatin1Char('\n'));
  EXPECT_EQ(mainWindowTitle(), text("Vorlane Frontend v0.04"));
}

TEST(WindowVersionText, ShowsTheMinorNumberInTwoDigits) {
  const struct {
    int major;
    int minor;
    const char* shown;
  } cases[] = {{0, 4, "v0.04"}, {0, 10, "v0.10"}, {1, 0, "v1.00"}, {2, 123, "v2.123"}};
  for (const auto& example : cases) {
    EXPECT_EQ(windowVersionText(example.major, example.minor), text(example.shown));
  }
}

class EnterBaseDirectory : public ::testing::Test {
 protected:
  ~EnterBaseDirectory() override { QDir::setCurrent(m_previous); }

  TempBase m_base;
  QString m_previous = QDir::currentPath();
};

TEST_F(EnterBaseDirectory, MakesAnExistingDirectoryCurrent) {
  const QString games = m_base.makeDir(QStringLiteral("my games"));
  EXPECT_EQ(enterBaseDirectory(games), std::nullopt);
  EXPECT_EQ(QDir::currentPath(), QDir(games).canonicalPath());
}

TEST_F(EnterBaseDirectory, SaysWhyAndStaysWhereItWasOtherwise) {
  const QString missing = m_base.filePath(QStringLiteral("gone"));
  const QString file = m_base.write(QStringLiteral("tessik.ini"), "Romdir .\r\n");
  EXPECT_EQ(enterBaseDirectory(missing),
            QStringLiteral("vorlane: the directory %1 does not exist.\n").arg(missing));
  EXPECT_EQ(enterBaseDirectory(file),
            QStringLiteral("vorlane: %1 is not a directory.\n").arg(file));
  EXPECT_EQ(QDir::currentPath(), m_previous);
}

}  // namespace
}  // namespace vorlane::test
