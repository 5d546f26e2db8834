#include <sys/stat.h>

#include <algorithm>
#include <iterator>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/common/MessageBoxes.h"

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

// A game for Play, Checksum and Edit Driver, which are off until one is selected.
void addGame(TempBase& base) {
  base.write(QStringLiteral("drivers dir/alpha.drv"), "GAMENAME     Alpha\r\n");
}

void selectFirstGame(WindowOnBase& main) {
  QListView* list = driverList(main);
  list->setCurrentIndex(list->model()->index(0, 0));
  ASSERT_TRUE(main.child<QPushButton>("btnExecutar")->isEnabled());
}

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
  EXPECT_TRUE(shownGames(driverList(main)).isEmpty());
  EXPECT_EQ(main.child<QTabWidget>("PageControl1")->currentWidget()->objectName(),
            text("tabDrivers"));
}

// Every control's place, by name.
QHash<QString, QRect> placesOf(const QWidget& window) {
  QHash<QString, QRect> places;
  for (const QWidget* control : window.findChildren<QWidget*>()) {
    if (!control->objectName().isEmpty() && !control->objectName().startsWith(u"qt_")) {
      places.insert(control->objectName(), control->geometry());
    }
  }
  return places;
}

bool resizesTo(QWidget& window, QSize size) {
  window.resize(size);
  return QTest::qWaitFor([&] { return window.size() == size; });
}

// The layout's size is the smallest; growing gives the list the height, the list and the preview
// a half each of the width; Play moves with them, Close with the window's corner.
TEST(MainWindow, GrowsFromTheLayoutSizeGivingTheListAndPreviewTheRoom) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  WindowOnBase main(base);
  QWidget& window = main.window();
  EXPECT_EQ(window.size(), QSize(532, 373));
  EXPECT_EQ(window.minimumSize(), QSize(532, 373));
  EXPECT_TRUE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  const QHash<QString, QRect> layout = placesOf(window);

  // 201 wider: the list takes 100 of it, the preview 101; 100 higher.
  ASSERT_TRUE(resizesTo(window, QSize(733, 473)));
  const struct {
    const char* control;
    QRect grown;
  } grown[] = {
      {"PageControl1", {4, 4, 722, 433}},   {"lstDrivers", {4, 24, 329, 357}},
      {"panImagem", {340, 24, 366, 261}},   {"imgAmostra", {2, 2, 362, 257}},
      {"btnExecutar", {340, 292, 109, 25}}, {"btnFechar", {633, 444, 85, 25}},
      {"panNomeDriver", {4, 384, 273, 17}}, {"edtFiltro", {456, 310, 250, 21}},
  };
  for (const auto& [control, place] : grown) {
    EXPECT_EQ(main.child<QWidget>(control)->geometry(), place) << control;
  }

  // Back at the smallest size, and asked for less, every control is where the layout put it.
  ASSERT_TRUE(resizesTo(window, QSize(532, 373)));
  window.resize(400, 300);
  EXPECT_EQ(window.size(), QSize(532, 373));
  const QHash<QString, QRect> places = placesOf(window);
  for (auto place = layout.cbegin(); place != layout.cend(); ++place) {
    EXPECT_EQ(places.value(place.key()), place.value()) << place.key().toStdString();
  }
}

TEST(MainWindow, IsCentredByItsFrame) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  WindowOnBase main(base);
  const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  ASSERT_NE(main.window().frameGeometry(), main.window().geometry()) << "no frame to count";
  EXPECT_LE((main.window().frameGeometry().center() - centre).manhattanLength(), 1);
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
  addGame(base);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  selectFirstGame(main);
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
  QTest::keyClick(driverList(main), Qt::Key_Escape);
  EXPECT_TRUE(main.window().isVisible());
  QTest::mouseClick(main.child<QPushButton>("btnFechar"), Qt::LeftButton);
  EXPECT_FALSE(main.window().isVisible());
}

// The focused control as the ring names it: the tab control stands for its tab bar.
QString focusName(WindowOnBase& main) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) {
    return QStringLiteral("(none)");
  }
  if (focus == main.child<QTabWidget>("PageControl1")->tabBar()) {
    return QStringLiteral("PageControl1");
  }
  return focus->objectName();
}

void activate(QWidget& window) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Presses `key` on whatever holds the focus, `count` times, and names each control reached.
QStringList walk(WindowOnBase& main, Qt::Key key, int count) {
  const Qt::KeyboardModifiers modifiers =
      key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
  QStringList reached;
  for (int i = 0; i < count; ++i) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    reached.append(focusName(main));
  }
  return reached;
}

TEST(MainWindow, StartsWithTheFocusOnTheTabBar) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  WindowOnBase main(base);
  activate(main.window());
  EXPECT_EQ(focusName(main), text("PageControl1"));
}

// Tab walks the tab bar, the showing page's controls in their order and Close, round to the
// tab bar; Shift+Tab walks the same ring backwards. Disabled controls are passed over.
TEST(MainWindow, TabWalksOneRingThroughTheShowingPage) {
  TempBase base;
  base.write(QStringLiteral("tessik.ini"), kTessikIni);
  addGame(base);
  WindowOnBase main(base);
  selectFirstGame(main);
  activate(main.window());
  auto* pages = main.child<QTabWidget>("PageControl1");
  const QStringList configuration{
      text("cboResolucao"), text("cboFrameskip"),     text("chkSincronizar"),
      text("chkModoDebug"), text("chkVerificarRoms"), text("chkUsarTroca"),
      text("chkSom"),       text("chkModoPerfil"),    text("chkInverterTeclas"),
      text("btnAplicar"),   text("cboIdioma"),        text("edtRomDir"),
      text("edtLogDir"),    text("edtDrvDir")};
  const struct {
    int page;
    bool customLine;
    QStringList controls;
  } rings[] = {
      {0, false, {text("lstDrivers"), text("btnExecutar"), text("btnChecksum"), text("btnEditar")}},
      {1, false, configuration + QStringList{text("chkLinhaComando")}},
      {1, true, configuration + QStringList{text("edtLinhaComando"), text("chkLinhaComando")}},
      {2,
       false,
       {text("btnAplicarDIP"), text("chkTestMode"), text("chkDemoSounds"), text("chkVideoFlip"),
        text("chkFreePlay"), text("chkContinueMode"), text("chkFreezeScreen")}},
      {3, false, {text("Memo1")}},
  };
  for (const auto& ring : rings) {
    auto* customLine = main.child<QCheckBox>("chkLinhaComando");
    if (customLine->isChecked() != ring.customLine) {
      clickCheckBox(customLine);
    }
    pages->setCurrentIndex(ring.page);
    pages->tabBar()->setFocus();
    const QStringList forward =
        ring.controls + QStringList{text("btnFechar"), text("PageControl1")};
    EXPECT_EQ(walk(main, Qt::Key_Tab, forward.size()), forward) << "page " << ring.page;

    QStringList backward{text("btnFechar")};
    for (auto control = ring.controls.crbegin(); control != ring.controls.crend(); ++control) {
      backward.append(*control);
    }
    backward.append(text("PageControl1"));
    EXPECT_EQ(walk(main, Qt::Key_Backtab, backward.size()), backward) << "page " << ring.page;
  }
}

// Alt+letter clicks the first control in the ring whose caption has that accelerator, also
// when other captions share the letter; controls on hidden pages do not count.
TEST(MainWindow, SharedAcceleratorGoesToTheFirstControlInTheRing) {
  // The default language's section; without the file the built-in captions apply.
  const QByteArray clashing =
      "[Portugues]\r\n"
      "btnChecksum=&Checksum\r\nbtnFechar=&Close\r\n"
      "btnAplicar=&Apply\r\nchkSom=&Audio\r\n"
      "btnEditar=&Play again\r\nbtnExecutar=&Play\r\ntabSobre=&Play list\r\n";
  const struct {
    QByteArray languageFile;
    int page;
    Qt::Key letter;
    const char* clicked;  // a button or check box, or nullptr when a tab is chosen
    int pageAfter;
  } cases[] = {
      {QByteArray(), 0, Qt::Key_E, "btnExecutar", 0},  // "&Executar", "&Editar Driver"
      {clashing, 0, Qt::Key_C, "btnChecksum", 0},     {clashing, 2, Qt::Key_C, "btnFechar", 2},
      {clashing, 1, Qt::Key_A, "chkSom", 1},          {clashing, 2, Qt::Key_A, "btnAplicarDIP", 2},
      {clashing, 0, Qt::Key_P, nullptr, 3},  // the tab bar comes first
  };
  const char* controls[] = {"btnExecutar",   "btnChecksum", "btnEditar", "btnAplicar",
                            "btnAplicarDIP", "btnFechar",   "chkSom"};
  for (const auto& example : cases) {
    TempBase base;
    base.write(QStringLiteral("tessik.ini"), kTessikIni);
    if (!example.languageFile.isEmpty()) {
      base.write(QStringLiteral("vorlane.lng"), example.languageFile);
    }
    addGame(base);
    // Play and Checksum now have a game, and say that its program is missing.
    ErrorBoxLog boxes;
    WindowOnBase main(base);
    selectFirstGame(main);
    activate(main.window());
    auto* pages = main.child<QTabWidget>("PageControl1");
    pages->setCurrentIndex(example.page);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const char* name : controls) {
      spies.push_back(std::make_unique<QSignalSpy>(main.child<QAbstractButton>(name),
                                                   &QAbstractButton::clicked));
    }
    QTest::keyClick(QApplication::focusWidget(), example.letter, Qt::AltModifier);
    // A click by accelerator shows the button pressed for a moment first; once no button is,
    // every click the key made has come.
    EXPECT_TRUE(QTest::qWaitFor([&] {
      return std::none_of(std::begin(controls), std::end(controls), [&](const char* name) {
        return main.child<QAbstractButton>(name)->isDown();
      });
    }));
    for (std::size_t i = 0; i < spies.size(); ++i) {
      const bool expected =
          example.clicked != nullptr && qstrcmp(controls[i], example.clicked) == 0;
      EXPECT_EQ(spies[i]->count(), expected ? 1 : 0)
          << "page " << example.page << ", letter "
          << QKeySequence(example.letter).toString().toStdString() << ", control " << controls[i];
    }
    EXPECT_EQ(pages->currentIndex(), example.pageAfter);
  }
}

// A path is shown as it is, never read as markup: "<u>" would underline the rest of it.
TEST(MessageBoxes, ShowTheirTextAsPlainText) {
  TempBase base;
  const QString markup = base.makeDir(QStringLiteral("<u>"));
  int answered = 0;
  const auto expectPlainBox = [&answered](const QString& expectedStart) {
    answerNextModal([&answered, expectedStart](QWidget* modal) {
      ++answered;
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      EXPECT_TRUE(box->text().startsWith(expectedStart)) << box->text().toStdString();
      EXPECT_EQ(box->textFormat(), Qt::PlainText);
      box->close();
    });
  };
  {
    // The error box, here at start-up without the emulator's configuration.
    expectPlainBox(QStringLiteral("Cannot open file ") + markup + QStringLiteral("/tessik.ini"));
    WindowOnBase main(markup);
    EXPECT_EQ(answered, 1);
  }
  // The box that tells a program could not be started.
  base.write(QStringLiteral("<u>/tessik.ini"), "Drvdir       .\r\n");
  base.write(QStringLiteral("<u>/game.drv"), "GAMENAME     Game\r\n");
  WindowOnBase main(markup);
  ASSERT_EQ(shownGames(driverList(main)).size(), 1);
  clickDriver(main, 0);
  expectPlainBox(text("Não é possível iniciar ") + markup + QStringLiteral("/tessik.exe"));
  QTest::mouseClick(main.child<QPushButton>("btnExecutar"), Qt::LeftButton);
  EXPECT_EQ(answered, 2);
}

}  // namespace
}  // namespace vorlane::test
