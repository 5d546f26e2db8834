#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/ErrorBox.h"
#include "ui/UPrincipal.h"

namespace vorlane::test {
namespace {

const QByteArray kTessikIni =
    "; emulator settings\r\n"
    "Romdir       .\\roms\r\n"
    "LOGDIR       C:\\logs\r\n"
    "Drvdir       drivers dir\r\n"
    "soundcard    sb16\r\n"
    "testMode     YES\r\n"
    "demoSounds   yes  \r\n"
    "videoFlip    1\r\n"
    "freePlay     no\r\n";

TEST(MainWindow, StartsWithoutEmulatorConfigShowingOneBoxAndTheLayout) {
  TempBase base;
  ErrorBoxLog boxes;
  WindowOnBase main(base);

  ASSERT_EQ(boxes.texts().size(), 1);
  EXPECT_EQ(boxes.texts().front(),
            QStringLiteral("Cannot open file ") + base.path() + QStringLiteral("/tessik.ini."));
  EXPECT_EQ(main.window().windowTitle(), text("Vorlane Frontend v0.04"));
  EXPECT_EQ(main.child<QPushButton>("btnExecutar")->text(), text("&Jogar"));
  EXPECT_EQ(main.child<QCheckBox>("chkVerificarRoms")->text(), text("Não verficar as ROMs"));
  EXPECT_TRUE(main.child<QLineEdit>("edtRomDir")->text().isEmpty());
  EXPECT_FALSE(main.child<QCheckBox>("chkContinueMode")->isChecked());
  EXPECT_EQ(main.child<QListWidget>("lstDrivers")->count(), 0);
  EXPECT_EQ(main.child<QTabWidget>("PageControl1")->currentWidget()->objectName(),
            text("tabDrivers"));
}

TEST(MainWindow, IsFixedSizeWithoutMaximiseBox) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  WindowOnBase main(base);

  EXPECT_EQ(main.window().size(), QSize(532, 373));
  EXPECT_EQ(main.window().minimumSize(), main.window().maximumSize());
  EXPECT_FALSE(main.window().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(main.window().windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST(MainWindow, ReadsDirectoriesAndSwitchesFromEmulatorConfig) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  ErrorBoxLog boxes;
  WindowOnBase main(base);

  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_EQ(main.child<QLineEdit>("edtRomDir")->text(), text(".\\roms"));
  EXPECT_EQ(main.child<QLineEdit>("edtLogDir")->text(), text("C:\\logs"));
  EXPECT_EQ(main.child<QLineEdit>("edtDrvDir")->text(), text("drivers dir"));
  const struct {
    const char* box;
    bool checked;
  } switches[] = {{"chkTestMode", true},   {"chkContinueMode", true},  {"chkDemoSounds", true},
                  {"chkVideoFlip", false}, {"chkFreezeScreen", false}, {"chkFreePlay", false}};
  for (const auto& expected : switches) {
    EXPECT_EQ(main.child<QCheckBox>(expected.box)->isChecked(), expected.checked) << expected.box;
  }
}

TEST(MainWindow, DipApplyRewritesTheSwitchLinesOnly) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  main.child<QTabWidget>("PageControl1")->setCurrentIndex(2);
  clickCheckBox(main.child<QCheckBox>("chkVideoFlip"));
  clickCheckBox(main.child<QCheckBox>("chkTestMode"));
  QTest::mouseClick(main.child<QPushButton>("btnAplicarDIP"), Qt::LeftButton);

  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_EQ(base.read(QStringLiteral("tessik.ini")), QByteArray("; emulator settings\r\n"
                                                                "Romdir       .\\roms\r\n"
                                                                "LOGDIR       C:\\logs\r\n"
                                                                "Drvdir       drivers dir\r\n"
                                                                "soundcard    sb16\r\n"
                                                                "testMode     no\r\n"
                                                                "demoSounds   yes\r\n"
                                                                "videoFlip    yes\r\n"
                                                                "freePlay     no\r\n"));
}

TEST(MainWindow, FailingHandlerShowsTheBoxAndTheWindowRunsOn) {
  TempBase base;
  const QString ini = base.write(QStringLiteral("tessik.ini"), kTessikIni);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
  main.child<QTabWidget>("PageControl1")->setCurrentIndex(2);
  QTest::mouseClick(main.child<QPushButton>("btnAplicarDIP"), Qt::LeftButton);

  ASSERT_EQ(boxes.texts().size(), 1);
  EXPECT_EQ(boxes.texts().front(), QStringLiteral("Cannot create file ") + ini + QLatin1Char('.'));
  EXPECT_EQ(base.read(QStringLiteral("tessik.ini")), kTessikIni);
  EXPECT_TRUE(main.window().isVisible());
}

TEST(MainWindow, StartsWhenTheSettingsFilesArePipesOrDevices) {
  TempBase base;
  for (const char* name : {"tessik.ini", "vorlane.lng"}) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(base.filePath(text(name))).constData(), 0644), 0);
  }
  ASSERT_TRUE(
      QFile::link(QStringLiteral("/dev/zero"), base.filePath(QStringLiteral("vorlane.ini"))));
  ErrorBoxLog boxes;
  WindowOnBase main(base);

  EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Cannot open file ") + base.path() +
                                       QStringLiteral("/tessik.ini.")});
  EXPECT_EQ(main.child<QPushButton>("btnExecutar")->text(), text("&Jogar"));
}

TEST(MainWindow, LongDirectoryTextsSurviveAnApplyWhole) {
  TempBase base;
  const QByteArray longDirectory = "/roms/" + QByteArray(40000, 'r');
  base.write(QStringLiteral("tessik.ini"), "Romdir       " + longDirectory + "\r\n");
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  EXPECT_EQ(main.child<QLineEdit>("edtRomDir")->text().size(), longDirectory.size());
  main.child<QTabWidget>("PageControl1")->setCurrentIndex(1);
  QTest::mouseClick(main.child<QPushButton>("btnAplicar"), Qt::LeftButton);

  EXPECT_TRUE(
      base.read(QStringLiteral("tessik.ini")).startsWith("Romdir       " + longDirectory + "\r\n"));
}

// Enter clicks the default button of the page that is showing, unless a button has the focus.
TEST(MainWindow, EnterClicksTheDefaultButtonOfTheShowingPage) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  auto* pages = main.child<QTabWidget>("PageControl1");
  const struct {
    int page;
    const char* focus;
    const char* clicked;  // nullptr: nothing is clicked
    Qt::KeyboardModifiers modifiers;
  } cases[] = {
      {0, "lstDrivers", "btnExecutar", Qt::NoModifier},
      {0, "btnChecksum", "btnChecksum", Qt::NoModifier},
      {1, "edtRomDir", "btnAplicar", Qt::NoModifier},
      {1, "chkSom", "btnAplicar", Qt::NoModifier},
      {1, "edtRomDir", nullptr, Qt::ShiftModifier},
      {2, "chkFreePlay", "btnAplicarDIP", Qt::NoModifier},
      {3, "Memo1", nullptr, Qt::NoModifier},
  };
  const char* buttons[] = {"btnExecutar", "btnChecksum", "btnAplicar", "btnAplicarDIP",
                           "btnEditar"};
  for (const auto& example : cases) {
    pages->setCurrentIndex(example.page);
    QWidget* focus = main.child<QWidget>(example.focus);
    focus->setFocus();
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const char* name : buttons) {
      spies.push_back(
          std::make_unique<QSignalSpy>(main.child<QPushButton>(name), &QPushButton::clicked));
    }
    QTest::keyClick(focus, Qt::Key_Return, example.modifiers);
    for (std::size_t i = 0; i < spies.size(); ++i) {
      const bool expected = example.clicked != nullptr && qstrcmp(buttons[i], example.clicked) == 0;
      EXPECT_EQ(spies[i]->count(), expected ? 1 : 0)
          << "page " << example.page << ", focus " << example.focus << ", button " << buttons[i];
    }
  }
}

TEST(MainWindow, EscapeDoesNothingAndCloseButtonCloses) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  WindowOnBase main(base);
  QTest::keyClick(main.child<QListWidget>("lstDrivers"), Qt::Key_Escape);
  EXPECT_TRUE(main.window().isVisible());
  QTest::mouseClick(main.child<QPushButton>("btnFechar"), Qt::LeftButton);
  EXPECT_FALSE(main.window().isVisible());
}

TEST(ErrorBox, HasTheTitleTheCriticalIconAndOneOkButton) {
  std::unique_ptr<QMessageBox> box(createErrorBox(QStringLiteral("Cannot open file /x/y")));
  box->setAttribute(Qt::WA_DeleteOnClose, false);
  EXPECT_EQ(box->windowTitle(), text("Vorlane - Tessik Frontend"));
  EXPECT_EQ(box->text(), text("Cannot open file /x/y."));
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
}

}  // namespace
}  // namespace vorlane::test
