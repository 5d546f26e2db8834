#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <variant>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "core/start/ProgramInfo.h"
#include "core/start/StartOptions.h"
#include "core/text/NativeText.h"
#include "support/NativeFiles.h"
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
    bool gamepads = true;
    bool fullScreen = false;
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
      {{"--no-gamepad"}, BaseSource::CurrentDirectory, "", false},
      {{"-no-gamepad", "--base", "/g"}, BaseSource::Given, "/g", false},
      {{"--fullscreen"}, BaseSource::CurrentDirectory, "", true, true},
      {{"-fullscreen", "--remembered-base", "--no-gamepad"},
       BaseSource::RememberedOrAsk,
       "",
       false,
       true},
  };
  for (const auto& example : cases) {
    const QStringList arguments = commandLine(example.arguments);
    const auto parsed = parseStartOptions(arguments);
    ASSERT_TRUE(std::holds_alternative<StartOptions>(parsed)) << arguments.join(u' ').toStdString();
    const auto& options = std::get<StartOptions>(parsed);
    EXPECT_EQ(options.baseSource, example.source) << arguments.join(u' ').toStdString();
    EXPECT_EQ(options.baseDirectory, text(example.directory)) << arguments.join(u' ').toStdString();
    EXPECT_EQ(options.gamepads, example.gamepads) << arguments.join(u' ').toStdString();
    EXPECT_EQ(options.fullScreen, example.fullScreen) << arguments.join(u' ').toStdString();
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
      {{"--help"}, 0, "--no-gamepad"},
      {{"--help"}, 0, "--fullscreen"},
      {{"--fullscreen=yes"}, 2, "vorlane: Unexpected value after '--fullscreen'."},
      {{"--help-all"}, 0, "-platform <value>"},
      {{"--version"}, 0, "vorlane 0.4\n"},
      {{"-v", "--base", "/x"}, 0, "vorlane 0.4\n"},
      {{"--bogus"}, 2, "vorlane: Unknown option 'bogus'."},
      {{"stray"}, 2, "vorlane: Unexpected argument 'stray'."},
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

// A name unpacked from an old archive: the command line's bytes reach the directory unchanged.
TEST_F(EnterBaseDirectory, EntersADirectoryWhoseNameIsNotUtf8) {
  const NativeDirectory games(encodeNative(m_base.path()) + "/jogos \xE9");
  const char* const argv[] = {"vorlane", "--base", games.path().constData()};
  const auto parsed = parseStartOptions(startArguments(3, argv));
  ASSERT_TRUE(std::holds_alternative<StartOptions>(parsed));
  const QString given = std::get<StartOptions>(parsed).baseDirectory;
  EXPECT_EQ(encodeNative(given), games.path());
  EXPECT_EQ(enterBaseDirectory(given), std::nullopt);
  char current[PATH_MAX];
  ASSERT_NE(::getcwd(current, sizeof current), nullptr);
  EXPECT_EQ(QByteArray(current), QDir(m_base.path()).canonicalPath().toUtf8() + "/jogos \xE9");
}

// Folders nested deeper than the system lets a path name, made one step at a time, and removed
// the same way when the test ends.
class DeepFolders {
 public:
  DeepFolders(const QString& root, int depth) : m_name(200, 'd') {
    m_folders.append(::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY));
    m_path = root;
    for (int level = 0; level < depth; ++level) {
      EXPECT_EQ(::mkdirat(m_folders.back(), m_name.constData(), 0755), 0);
      m_folders.append(::openat(m_folders.back(), m_name.constData(), O_RDONLY | O_DIRECTORY));
      m_path += QLatin1Char('/') + QString::fromLatin1(m_name);
    }
  }
  ~DeepFolders() {
    for (qsizetype level = m_folders.size() - 1; level > 0; --level) {
      ::close(m_folders[level]);
      ::unlinkat(m_folders[level - 1], m_name.constData(), AT_REMOVEDIR);
    }
    ::close(m_folders.front());
  }
  DeepFolders(const DeepFolders&) = delete;
  DeepFolders& operator=(const DeepFolders&) = delete;

  const QString& path() const { return m_path; }

 private:
  QByteArray m_name;
  QList<int> m_folders;
  QString m_path;
};

TEST_F(EnterBaseDirectory, SaysWhyAndStaysWhereItWasOtherwise) {
  const QString missing = m_base.filePath(QStringLiteral("gone"));
  const QString file = m_base.write(QStringLiteral("tessik.ini"), "Romdir .\r\n");
  const QString missingNotUtf8 = decodeNative(encodeNative(m_base.path()) + "/caf\xE9");
  const DeepFolders deep(m_base.path(), PATH_MAX / 200 + 1);
  const struct {
    QString directory;
    QString message;
  } cases[] = {
      {missing, QStringLiteral("vorlane: The directory %1 does not exist.\n").arg(missing)},
      {file, QStringLiteral("vorlane: %1 is not a directory.\n").arg(file)},
      {file + QStringLiteral("/sub"),
       QStringLiteral("vorlane: Cannot use the directory %1/sub: Not a directory.\n").arg(file)},
      {deep.path(), QStringLiteral("vorlane: Cannot use the directory %1: File name too long.\n")
                        .arg(deep.path())},
      // Shown as Windows-1252, as every name that is not UTF-8 is.
      {missingNotUtf8,
       QStringLiteral("vorlane: The directory %1/caf\u00E9 does not exist.\n").arg(m_base.path())},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(enterBaseDirectory(example.directory), example.message);
  }
  EXPECT_EQ(QDir::currentPath(), m_previous);
}

}  // namespace
}  // namespace vorlane::test
