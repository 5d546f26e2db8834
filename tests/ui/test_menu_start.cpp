#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include "core/errors/ErrorMessages.h"
#include "core/start/RememberedBase.h"
#include "support/FifoWatch.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/BaseDirectoryChooser.h"
#include "ui/MainWindow.h"
#include "ui/common/MessageBoxes.h"

namespace vorlane::test {
namespace {

// Each test has its own configuration directory (XDG_CONFIG_HOME) and an emulator directory
// with two drivers, and gets back the current directory it started in.
class MenuStart : public ::testing::Test {
 protected:
  MenuStart() {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    m_games.write(QStringLiteral("tessik.ini"), "Drvdir       .\\drivers\r\n");
    m_games.write(QStringLiteral("drivers/a.drv"), "GAMENAME     Alpha\r\n");
    m_games.write(QStringLiteral("drivers/b.drv"), "GAMENAME     Beta\r\n");
  }
  ~MenuStart() override {
    QDir::setCurrent(m_previousDirectory);
    if (m_previousConfigHome.isNull()) {
      qunsetenv("XDG_CONFIG_HOME");
    } else {
      qputenv("XDG_CONFIG_HOME", m_previousConfigHome);
    }
  }

  bool configIsEmpty() const {
    return QDir(m_config.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  const QString m_previousDirectory = QDir::currentPath();
  const QByteArray m_previousConfigHome = qgetenv("XDG_CONFIG_HOME");
  TempBase m_config;
  TempBase m_games;
};

QFileDialog* chooserOf(QWidget* modal) {
  auto* chooser = qobject_cast<QFileDialog*>(modal);
  EXPECT_NE(chooser, nullptr) << "the modal window is no directory chooser";
  return chooser;
}

// Types the path where the chooser has put the focus and presses Enter, as a user does.
void typeIntoChooser(QFileDialog* chooser, const QString& path) {
  auto* nameField = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (!QTest::qWaitForWindowActive(chooser) || QApplication::focusWidget() != nameField) {
    ADD_FAILURE() << "the chooser does not take typing in its name field";
    chooser->reject();
    return;
  }
  QTest::keyClicks(nameField, path);
  QTest::keyClick(nameField, Qt::Key_Return);
}

// Fails the test and closes the chooser when one opens while `start` runs.
bool startWithoutChooser(BaseSource source) {
  bool entered = false;
  runWithoutModal([&] { entered = enterMenuStartBase(source); }, "a chooser");
  return entered;
}

TEST_F(MenuStart, FirstStartAsksInTheHomeDirectoryAndRemembersTheChoice) {
  answerNextModal([&](QWidget* modal) {
    QFileDialog* chooser = chooserOf(modal);
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(chooser->windowTitle().contains(QStringLiteral("tessik.ini")));
    EXPECT_EQ(chooser->directory().absolutePath(), QDir::homePath());
    typeIntoChooser(chooser, m_games.path());
  });
  ASSERT_TRUE(enterMenuStartBase(BaseSource::RememberedOrAsk));

  EXPECT_EQ(QDir::currentPath(), m_games.path());
  EXPECT_EQ(RememberedBase().directory(), m_games.path());
  EXPECT_TRUE(QFileInfo(m_config.filePath(QStringLiteral("vorlane/vorlane.conf"))).isFile());
  // Only the remembered choice: the chooser's own history is kept out of the user's settings.
  EXPECT_EQ(QDir(m_config.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("vorlane")});

  // The window then starts in the chosen directory as if started there.
  ErrorBoxLog boxes;
  MainWindow window;
  const auto* games = window.findChild<QListView*>(QStringLiteral("lstDrivers"));
  ASSERT_EQ(shownGames(games).size(), 2);
  EXPECT_EQ(shownGames(games).front(), QStringLiteral("Alpha"));
  EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST_F(MenuStart, RememberedDirectoryStartsWithoutAsking) {
  RememberedBase().remember(m_games.path());
  EXPECT_TRUE(startWithoutChooser(BaseSource::RememberedOrAsk));
  EXPECT_EQ(QDir::currentPath(), m_games.path());
}

TEST_F(MenuStart, OtherStartsNeitherAskNorWrite) {
  for (const BaseSource source : {BaseSource::CurrentDirectory, BaseSource::Given}) {
    EXPECT_TRUE(startWithoutChooser(source));
    EXPECT_EQ(QDir::currentPath(), m_previousDirectory);
    EXPECT_TRUE(configIsEmpty());
  }
}

TEST_F(MenuStart, CancelEndsTheStartWithoutWritingAnything) {
  answerNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  EXPECT_FALSE(enterMenuStartBase(BaseSource::RememberedOrAsk));
  EXPECT_EQ(QDir::currentPath(), m_previousDirectory);
  EXPECT_TRUE(configIsEmpty());
}

// A chosen directory without tessik.ini is refused with a message naming it, and the chooser
// opens again there; cancelling then still writes nothing.
TEST_F(MenuStart, RefusesADirectoryWithoutTessikIniAndAsksAgain) {
  const QString wrong = m_games.makeDir(QStringLiteral("not the emulator"));
  // Cancelling first, while nothing has been written yet.
  for (const bool chooseAgain : {false, true}) {
    ErrorBoxLog boxes;
    answerNextModal([&](QWidget* modal) {
      QFileDialog* chooser = chooserOf(modal);
      ASSERT_NE(chooser, nullptr);
      typeIntoChooser(chooser, wrong);
      answerNextModal([&](QWidget* again) {
        QFileDialog* second = chooserOf(again);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(second->directory().absolutePath(), wrong);
        if (chooseAgain) {
          typeIntoChooser(second, m_games.path());
        } else {
          second->reject();
        }
      });
    });
    EXPECT_EQ(enterMenuStartBase(BaseSource::Ask), chooseAgain);

    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts().front().contains(wrong + text(" não contém o tessik.ini")))
        << boxes.texts().front().toStdString();
    if (chooseAgain) {
      EXPECT_EQ(QDir::currentPath(), m_games.path());
      EXPECT_EQ(RememberedBase().directory(), m_games.path());
    } else {
      EXPECT_EQ(QDir::currentPath(), m_previousDirectory);
      EXPECT_TRUE(configIsEmpty());
    }
  }
}

TEST_F(MenuStart, AsksAgainWhereTheRememberedDirectoryLostTessikIni) {
  const QString emptied = m_games.makeDir(QStringLiteral("old tessik"));
  const RememberedBase remembered;
  remembered.remember(emptied);
  const QString settingsFile = QStringLiteral("vorlane/vorlane.conf");
  const QByteArray settings = m_config.read(settingsFile);
  answerNextModal([&](QWidget* modal) {
    QFileDialog* chooser = chooserOf(modal);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->directory().absolutePath(), emptied);
    chooser->reject();
  });
  EXPECT_FALSE(enterMenuStartBase(BaseSource::RememberedOrAsk));
  EXPECT_EQ(m_config.read(settingsFile), settings);
}

TEST_F(MenuStart, ChooseActionAsksEvenWithAUsableDirectoryAndReplacesIt) {
  TempBase other;
  other.write(QStringLiteral("tessik.ini"), "Drvdir       .\r\n");
  RememberedBase().remember(m_games.path());
  answerNextModal([&](QWidget* modal) {
    QFileDialog* chooser = chooserOf(modal);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->directory().absolutePath(), m_games.path());
    typeIntoChooser(chooser, other.path());
  });
  ASSERT_TRUE(enterMenuStartBase(BaseSource::Ask));
  EXPECT_EQ(QDir::currentPath(), other.path());
  EXPECT_EQ(RememberedBase().directory(), other.path());
}

// A pipe where the remembered choice should be is never opened: the start asks, says that it
// cannot remember the answer, and goes on there; the pipe stays a pipe.
TEST_F(MenuStart, APipeInPlaceOfTheRememberedFileNeitherHangsNorStopsTheStart) {
  const QString settings = m_config.filePath(QStringLiteral("vorlane/vorlane.conf"));
  m_config.makeDir(QStringLiteral("vorlane"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(settings).constData(), 0644), 0);
  ErrorBoxLog boxes;
  answerNextModal([&](QWidget* modal) {
    QFileDialog* chooser = chooserOf(modal);
    ASSERT_NE(chooser, nullptr);
    typeIntoChooser(chooser, m_games.path());
  });
  {
    const FifoWatch watch(QFile::encodeName(settings), kPipeDeadline);
    ASSERT_TRUE(enterMenuStartBase(BaseSource::RememberedOrAsk));
  }
  EXPECT_EQ(QDir::currentPath(), m_games.path());
  EXPECT_EQ(boxes.texts(), QStringList{errorBoxText(messages::cannotCreateFile(settings))});
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(settings).constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

}  // namespace
}  // namespace vorlane::test
