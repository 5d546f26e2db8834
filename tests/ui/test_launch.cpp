#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "core/errors/ErrorMessages.h"
#include "core/process/ProcessMessages.h"
#include "core/settings/ProfileFile.h"
#include "support/ChildProcess.h"
#include "support/StandInProgram.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/common/MessageBoxes.h"

namespace vorlane::test {
namespace {

const QString kEmulatorLog = QStringLiteral("emulator.log");
const QString kChecksumLog = QStringLiteral("checksum.log");
const QString kDefaultOptions = QStringLiteral("-400x300VESA2 -frameskip 4");

struct Driver {
  const char* fileName;
  QByteArray text;
};

// tessik.ini with the drivers folder and the ROM directory text, the drivers, and a settings
// file when given.
void layOut(const TempBase& base, const QList<Driver>& drivers, const QByteArray& romDir = ".",
            const QByteArray& settings = {}) {
  base.writeEmulatorConfig({.romDir = romDir, .drvDir = ".\\drivers"}, "testMode     no\r\n");
  base.makeDir(QStringLiteral("drivers"));
  for (const Driver& driver : drivers) {
    base.write(QStringLiteral("drivers/") + text(driver.fileName), driver.text);
  }
  if (!settings.isEmpty()) {
    base.write(QStringLiteral("vorlane.ini"), settings);
  }
}

void writeStandIns(const TempBase& base) {
  writeRecordingProgram(base, QStringLiteral("tessik.exe"), base.filePath(kEmulatorLog));
  writeRecordingProgram(base, QStringLiteral("tools/checksum.exe"), base.filePath(kChecksumLog));
}

QList<ProgramRun> waitForRuns(const TempBase& base, const QString& log, qsizetype count) {
  const QList<ProgramRun> runs = test::waitForRuns(base.filePath(log), count);
  EXPECT_EQ(runs.size(), count) << log.toStdString();
  return runs;
}

// The record of the `count`th start. Waiting for it before the next start keeps the records in
// the order of the starts, which detached programs do not otherwise keep.
ProgramRun waitForRun(const TempBase& base, const QString& log, qsizetype count) {
  return waitForRuns(base, log, count).value(count - 1);
}

QString physicalPath(const TempBase& base) {
  return QFileInfo(base.path()).canonicalFilePath();
}

QStringList words(const QString& line) {
  return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

void typeInto(QLineEdit* field, const QString& typed) {
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, typed);
}

QString optionLine(const WindowOnBase& main) {
  return main.child<QLineEdit>("edtLinhaComando")->text();
}

const QList<Driver> kThreeGames = {
    {"alpha.drv", "GAMENAME     Alpha\r\nDIRECTORY    alpharoms\r\n"},
    {"Beta.drv", "GAMENAME     Beta\r\n"},
    {"gamma.drv", "GAMENAME     Gamma\r\n"},
};

// Each step acts on the controls as a user would; the option text follows every user change.
TEST(OptionText, FollowsTheUsersChangesOfTheOptionControls) {
  TempBase base;
  layOut(base, {});
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  auto* resolution = main.child<QComboBox>("cboResolucao");
  auto* frameSkip = main.child<QComboBox>("cboFrameskip");
  EXPECT_EQ(optionLine(main), kDefaultOptions);

  const struct {
    const char* step;
    std::function<void()> act;
    const char* expected;
  } steps[] = {
      {"keyboard in the closed resolution list",
       [&] {
         resolution->setFocus();
         QTest::keyClick(resolution, Qt::Key_Down);
       },
       "-640x480 -frameskip 4"},
      {"keyboard in the closed frame-skip list",
       [&] {
         frameSkip->setFocus();
         QTest::keyClick(frameSkip, Qt::Key_End);
       },
       "-640x480 -frameskip 9"},
      {"mouse in the opened resolution list",
       [&] {
         resolution->showPopup();
         QListView* view = qobject_cast<QListView*>(resolution->view());
         QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                           view->visualRect(view->model()->index(5, 0)).center());
       },
       "-800x600VESA2 -frameskip 9"},
      {"flags ticked out of order",
       [&] {
         for (const char* box : {"chkSom", "chkInverterTeclas", "chkVerificarRoms", "chkModoDebug",
                                 "chkUsarTroca", "chkSincronizar", "chkModoPerfil"}) {
           clickCheckBox(main.child<QCheckBox>(box));
         }
       },
       "-800x600VESA2 -frameskip 9 -sync -debug -profile -nocheck -swap -swapKey -sound"},
      {"flags cleared again",
       [&] {
         for (const char* box : {"chkSincronizar", "chkModoPerfil", "chkSom", "chkInverterTeclas",
                                 "chkUsarTroca", "chkModoDebug"}) {
           clickCheckBox(main.child<QCheckBox>(box));
         }
       },
       "-800x600VESA2 -frameskip 9 -nocheck"},
      {"a selection by the program recomposes nothing",
       [&] {
         resolution->setCurrentIndex(0);
         frameSkip->setCurrentIndex(1);
       },
       "-800x600VESA2 -frameskip 9 -nocheck"},
      {"nothing selected in either list, then a flag",
       [&] {
         resolution->setCurrentIndex(-1);
         frameSkip->setCurrentIndex(-1);
         clickCheckBox(main.child<QCheckBox>("chkVerificarRoms"));
       },
       " -frameskip -1"},
  };
  showPage(main, kConfiguration);
  for (const auto& step : steps) {
    step.act();
    EXPECT_EQ(optionLine(main), text(step.expected)) << step.step;
  }
  EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST(OptionText, GameSwitchClickRecomposesWithoutChangingTheText) {
  TempBase base;
  layOut(base, {});
  WindowOnBase main(base);
  auto* field = main.child<QLineEdit>("edtLinhaComando");
  field->setText(QStringLiteral("stale"));
  showPage(main, kDip);
  clickCheckBox(main.child<QCheckBox>("chkFreePlay"));
  EXPECT_EQ(field->text(), kDefaultOptions);
  EXPECT_TRUE(main.child<QCheckBox>("chkFreePlay")->isChecked());
}

// The field is editable and keeps the stored line exactly when the custom line is on.
TEST(OptionText, CustomLineAfterStartUp) {
  const struct {
    const char* settings;
    bool on;
    const char* shown;
  } cases[] = {
      {"[Configuracao]\r\nLinhaComando=-640x480 -sound\r\nUtilizaLInhaComando=1\r\n", true,
       "-640x480 -sound"},
      {"[Configuracao]\r\nLinhaComando=\r\nUtilizaLInhaComando=1\r\n", true, ""},
      {"[Configuracao]\r\nLinhaComando=-640x480 -sound\r\nUtilizaLInhaComando=0\r\n", false,
       "-400x300VESA2 -frameskip 4"},
  };
  for (const auto& example : cases) {
    TempBase base;
    layOut(base, {}, ".", example.settings);
    WindowOnBase main(base);
    EXPECT_EQ(main.child<QCheckBox>("chkLinhaComando")->isChecked(), example.on)
        << example.settings;
    EXPECT_EQ(main.child<QLineEdit>("edtLinhaComando")->isEnabled(), example.on)
        << example.settings;
    EXPECT_EQ(optionLine(main), text(example.shown)) << example.settings;
  }
}

TEST(OptionText, CustomLineOnKeepsTheTypedTextAndOffComposesAgain) {
  TempBase base;
  layOut(base, {});
  WindowOnBase main(base);
  auto* custom = main.child<QCheckBox>("chkLinhaComando");
  auto* field = main.child<QLineEdit>("edtLinhaComando");
  showPage(main, kConfiguration);

  clickCheckBox(custom);
  EXPECT_TRUE(field->isEnabled());
  EXPECT_EQ(field->text(), kDefaultOptions);

  typeInto(field, QStringLiteral("-my own line"));
  clickCheckBox(main.child<QCheckBox>("chkSom"));
  EXPECT_EQ(field->text(), text("-my own line"));

  clickCheckBox(custom);
  EXPECT_FALSE(field->isEnabled());
  EXPECT_EQ(field->text(), kDefaultOptions + QStringLiteral(" -sound"));
}

// The composed text is the program's own: Apply stores it as such, not as the stored line's
// bytes, even where those read the same.
TEST(OptionText, ComposedTextIsStoredAsItselfNotAsTheBytesItReplaced) {
  TempBase base;
  layOut(base, {}, ".",
         "[Configuracao]\r\nLinhaComando=\xEF\xBB\xBF-400x300VESA2 -frameskip "
         "4\r\nUtilizaLInhaComando=0\r\n");
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  showPage(main, kConfiguration);
  QTest::mouseClick(main.child<QPushButton>("btnAplicar"), Qt::LeftButton);

  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_EQ(ProfileFile(base.filePath(QStringLiteral("vorlane.ini")))
                .readString("Configuracao", "LinhaComando", "<absent>"),
            kDefaultOptions.toUtf8());
}

TEST(Play, StartsTheEmulatorByButtonEnterAndDoubleClick) {
  TempBase base;
  layOut(base, kThreeGames);
  writeStandIns(base);
  ErrorBoxLog boxes;
  LaunchFailureLog failures;
  WindowOnBase main(base);
  QListView* list = driverList(main);

  clickDriver(main, 0);
  clickButton(main, "btnExecutar");
  clickButton(main, "btnExecutar");  // nothing is waited for: a second instance starts
  QList<ProgramRun> runs = waitForRuns(base, kEmulatorLog, 2);

  clickDriver(main, 1);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  runs.append(waitForRun(base, kEmulatorLog, 3));

  showPage(main, kDrivers);
  // Through the window system, so the press that selects comes before the double-click.
  QTest::mouseDClick(main.window().windowHandle(), Qt::LeftButton, Qt::NoModifier,
                     list->viewport()->mapTo(&main.window(), catalogueRowRect(list, 2).center()));
  EXPECT_EQ(selectedCatalogueRow(list), 2) << "the double-click first selects";
  runs.append(waitForRun(base, kEmulatorLog, 4));

  const char* const expectedFiles[] = {"alpha.drv", "alpha.drv", "Beta.drv", "gamma.drv"};
  for (qsizetype i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].workingDirectory, physicalPath(base)) << i;
    EXPECT_EQ(runs[i].arguments, words(kDefaultOptions) + QStringList{text(expectedFiles[i])}) << i;
  }
  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_TRUE(failures.texts().isEmpty());
}

// The custom line is split like a Windows command line; nothing else is added to it.
TEST(Play, PassesTheCustomLineAndTheFileName) {
  const struct {
    const char* line;
    QStringList arguments;
  } cases[] = {
      {"", {text("alpha.drv")}},
      {"-sound \"C:\\my roms\\\\\" -x\\\"y",
       {text("-sound"), text("C:\\my roms\\"), text("-x\"y"), text("alpha.drv")}},
  };
  for (const auto& example : cases) {
    TempBase base;
    layOut(base, kThreeGames, ".",
           QByteArray("[Configuracao]\r\nUtilizaLInhaComando=1\r\nLinhaComando=") + example.line +
               "\r\n");
    writeStandIns(base);
    WindowOnBase main(base);
    clickDriver(main, 0);
    clickButton(main, "btnExecutar");
    const QList<ProgramRun> runs = waitForRuns(base, kEmulatorLog, 1);
    ASSERT_EQ(runs.size(), 1) << example.line;
    EXPECT_EQ(runs.front().arguments, example.arguments) << example.line;
  }
}

TEST(Checksum, StartsTheToolOnTheArchiveInTheRomDirectoryAsShown) {
  TempBase base;
  layOut(base, kThreeGames);
  writeStandIns(base);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  auto* romDir = main.child<QLineEdit>("edtRomDir");
  const QString dirBase = base.path();

  const struct {
    int row;
    const char* romDirText;  // nullptr: as read from tessik.ini
    QString archive;
  } cases[] = {
      {0, nullptr, dirBase + QStringLiteral("/alpharoms.zip")},
      {2, "/srv/roms", QStringLiteral("/srv/roms/gamma.drv.zip")},
  };
  qsizetype starts = 0;
  for (const auto& example : cases) {
    if (example.romDirText != nullptr) {
      showPage(main, kConfiguration);
      typeInto(romDir, text(example.romDirText));  // typed, never applied
    }
    clickDriver(main, example.row);
    clickButton(main, "btnChecksum");
    const ProgramRun run = waitForRun(base, kChecksumLog, ++starts);
    EXPECT_EQ(run.workingDirectory, physicalPath(base)) << starts;
    // One argument, although the base directory holds blanks.
    EXPECT_EQ(run.arguments, QStringList{example.archive}) << starts;
  }
  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_EQ(base.read(QStringLiteral("tessik.ini")).left(15), QByteArray("Romdir       .\r"));
}

// The name is one argument, blanks and all; shell characters stay text and run nothing.
TEST(Launch, NameWithBlanksAndShellCharactersReachesTheProgramAsText) {
  const char* const name = "a b;$(touch pwned)|&`touch pwned2`*?'.drv";
  TempBase base;
  layOut(base, {{name, "GAMENAME     Odd\r\n"}});
  writeStandIns(base);
  WindowOnBase main(base);
  clickDriver(main, 0);
  clickButton(main, "btnExecutar");
  clickButton(main, "btnChecksum");

  const QList<ProgramRun> plays = waitForRuns(base, kEmulatorLog, 1);
  ASSERT_EQ(plays.size(), 1);
  EXPECT_EQ(plays.front().arguments, words(kDefaultOptions) + QStringList{text(name)});
  const QList<ProgramRun> checks = waitForRuns(base, kChecksumLog, 1);
  ASSERT_EQ(checks.size(), 1);
  EXPECT_EQ(checks.front().arguments,
            QStringList{base.path() + QLatin1Char('/') + text(name) + QStringLiteral(".zip")});
  for (const QString& stray : {QStringLiteral("pwned"), QStringLiteral("pwned2")}) {
    EXPECT_FALSE(QFile::exists(base.filePath(stray)));
    EXPECT_FALSE(QFile::exists(base.filePath(QStringLiteral("drivers/") + stray)));
  }
}

// Without the programs every start is refused at once, so what was tried shows without waiting.
TEST(Launch, MissingProgramIsToldOnceAndTheWindowStaysAsItWas) {
  TempBase base;
  layOut(base, kThreeGames);
  ErrorBoxLog boxes;
  LaunchFailureLog failures;
  WindowOnBase main(base);

  clickButton(main, "btnExecutar");
  clickButton(main, "btnChecksum");
  EXPECT_TRUE(failures.texts().isEmpty()) << "nothing is started without a selection";

  clickDriver(main, 1);
  const QString optionsBefore = optionLine(main);
  clickButton(main, "btnExecutar");
  clickButton(main, "btnChecksum");
  ASSERT_EQ(failures.texts().size(), 2);
  EXPECT_TRUE(failures.texts()[0].contains(base.filePath(QStringLiteral("tessik.exe"))));
  EXPECT_TRUE(failures.texts()[1].contains(base.filePath(QStringLiteral("tools/checksum.exe"))));
  EXPECT_TRUE(boxes.texts().isEmpty());
  EXPECT_EQ(optionLine(main), optionsBefore);
  EXPECT_EQ(selectedCatalogueRow(driverList(main)), 1);
  EXPECT_TRUE(main.window().isVisible());
}

TEST(Checksum, DriverFileGoneSinceTheScanShowsTheErrorBoxAndStartsNothing) {
  TempBase base;
  layOut(base, kThreeGames);
  ErrorBoxLog boxes;
  LaunchFailureLog failures;
  WindowOnBase main(base);
  clickDriver(main, 0);
  const QString driver = base.filePath(QStringLiteral("drivers/alpha.drv"));
  QFile::remove(driver);
  clickButton(main, "btnChecksum");

  ASSERT_EQ(boxes.texts().size(), 1);
  EXPECT_EQ(boxes.texts().front(), QStringLiteral("Cannot open file ") + driver + QLatin1Char('.'));
  EXPECT_TRUE(failures.texts().isEmpty());
}

// Every descriptor this process may still open but `count`, held until it goes; the limit is
// lowered first, so that there are not many to take.
class DescriptorsTaken {
 public:
  explicit DescriptorsTaken(int count) {
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = std::min<rlim_t>(limit.rlim_cur, 512);
    ::setrlimit(RLIMIT_NOFILE, &limit);
    for (int descriptor; (descriptor = ::open("/dev/null", O_RDONLY)) >= 0;) {
      m_taken.push_back(descriptor);
    }
    for (int i = 0; i < count && !m_taken.empty(); ++i) {
      ::close(m_taken.back());
      m_taken.pop_back();
    }
  }
  // The sanitizers need descriptors of their own to look into memory when the window goes.
  ~DescriptorsTaken() {
    for (const int descriptor : m_taken) {
      ::close(descriptor);
    }
  }
  DescriptorsTaken(const DescriptorsTaken&) = delete;
  DescriptorsTaken& operator=(const DescriptorsTaken&) = delete;

 private:
  std::vector<int> m_taken;
};

// With the descriptors used up but for a few (in a child of the test, whose limit is its own),
// Play and Checksum either start or say in their one box that too many files are open, and the
// box finds a descriptor free for the display: the program's own are let go before it comes.
TEST(Launch, FewDescriptorsAreToldAndLeaveOneForTheBox) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"),
             "Romdir       .\r\nDrvdir       .\\drivers\r\nLogdir       .\r\n");
  base.write(QStringLiteral("drivers/alpha.drv"), "GAMENAME     Alpha\r\n");
  writeStandIns(base);
  const QString tooManyForTheDriver = errorBoxText(
      messages::cannotOpenFile(base.filePath(QStringLiteral("drivers/alpha.drv")), EMFILE));
  const struct {
    const char* button;
    QStringList boxes;  // each that may come, besides none
  } cases[] = {
      {"btnExecutar", {messages::cannotStart(base.filePath(QStringLiteral("tessik.exe")), EMFILE)}},
      {"btnChecksum",
       {messages::cannotStart(base.filePath(QStringLiteral("tools/checksum.exe")), EMFILE),
        tooManyForTheDriver}},
  };
  for (const auto& example : cases) {
    for (int free = 0; free <= 6; ++free) {
      const ChildOutcome outcome = runInChild({}, [&] {
        WindowOnBase main(base);
        clickDriver(main, 0);
        QStringList boxes;
        setMessageBoxRecorder([&](BoxKind, const QString& text) {
          const int probe = ::open("/dev/null", O_RDONLY);
          boxes.append(probe >= 0 ? text : text + QStringLiteral(" (no descriptor free)"));
          ::close(probe);
        });
        {
          const DescriptorsTaken taken(free);
          clickButton(main, example.button);
        }
        throw Error(boxes.join(QLatin1Char('|')));
      });
      ASSERT_TRUE(outcome.ranToEnd) << example.button << free;
      const QString boxes = outcome.error.value_or(QString());
      EXPECT_TRUE(free > 0 ? boxes.isEmpty() || example.boxes.contains(boxes)
                           : example.boxes.contains(boxes))
          << example.button << " with " << free << " free: " << boxes.toStdString();
    }
  }
}

}  // namespace
}  // namespace vorlane::test
