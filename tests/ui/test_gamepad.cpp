#include <sys/stat.h>

#include <optional>

#include <QApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <SDL.h>
#include <gtest/gtest.h>

#include "support/EnvironmentOverride.h"
#include "support/FifoWatch.h"
#include "support/StandInProgram.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "support/VirtualPadDesc.h"
#include "ui/MainWindow.h"
#include "ui/gamepad/GamepadReader.h"

namespace vorlane::test {
namespace {

constexpr int kWaitMs = 10000;
constexpr int kGames = 30;
// Fast polls; a first repeat so late that a tap never repeats.
constexpr GamepadTiming kTapTiming{{.firstRepeatMs = 60000}, 5, 20};

QString gameFile(int row) {
  return QStringLiteral("game%1.drv").arg(row, 2, 10, QLatin1Char('0'));
}

// Games "Game 00" to "Game 29"; a stand-in emulator that records its arguments, one a line, and
// runs until the file `quit` exists; a stand-in checksum tool that records its arguments.
void layOut(const TempBase& base) {
  base.writeEmulatorConfig({.romDir = ".\\roms", .drvDir = ".\\drivers"});
  for (int row = 0; row < kGames; ++row) {
    base.write(QStringLiteral("drivers/") + gameFile(row),
               driverText("Game " + gameFile(row).mid(4, 2).toUtf8()));
  }
  // Its wait is bounded, so a failed test leaves no program behind for long.
  writeProgram(base, QStringLiteral("tessik.exe"),
               "printf '%s\\n' \"$@\" >> '" + base.filePath(QStringLiteral("played")).toUtf8() +
                   "'\n" + waitForFileLine(base.filePath(QStringLiteral("quit")).toUtf8()));
  writeProgram(
      base, QStringLiteral("tools/checksum.exe"),
      "printf '%s\\n' \"$@\" >> '" + base.filePath(QStringLiteral("checked")).toUtf8() + "'\n");
}

// One SDL virtual device: a game controller with every button and axis, or a joystick-only
// device (as arcade encoders are) with two axes, four buttons and a hat. Attached on creation,
// pulled out on destruction.
class VirtualPad {
 public:
  enum class Kind { Controller, JoystickOnly };

  // `mappedByUser`: the user's mappings make the device a game controller whatever its kind.
  explicit VirtualPad(Kind kind, bool mappedByUser = false) {
    EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    SDL_VirtualJoystickDesc desc = virtualControllerDesc("Test pad");
    if (kind == Kind::JoystickOnly) {
      desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
      desc.naxes = 2;
      desc.nbuttons = 4;
      desc.nhats = 1;
      desc.button_mask = desc.axis_mask = 0;
      desc.name = "Test arcade stick";
    }
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    EXPECT_EQ(SDL_IsGameController(index), kind == Kind::Controller || mappedByUser);
    m_joystick = SDL_JoystickOpen(index);
    EXPECT_NE(m_joystick, nullptr) << SDL_GetError();
    m_id = SDL_JoystickInstanceID(m_joystick);
  }

  ~VirtualPad() {
    SDL_JoystickClose(m_joystick);
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
      if (SDL_JoystickGetDeviceInstanceID(index) == m_id) {
        SDL_JoystickDetachVirtual(index);
      }
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
  }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  void setButton(int button, bool down) {
    SDL_JoystickSetVirtualButton(m_joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
  }
  void setAxis(int axis, int value) { SDL_JoystickSetVirtualAxis(m_joystick, axis, Sint16(value)); }
  void setHat(Uint8 value) { SDL_JoystickSetVirtualHat(m_joystick, 0, value); }

  // The device's id as a mapping names it: without the name's checksum, which SDL does not
  // match.
  QByteArray mappingGuid() const {
    char text[33];
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(m_joystick), text, sizeof(text));
    return QByteArray(text).replace(4, 4, "0000");
  }

 private:
  SDL_Joystick* m_joystick = nullptr;
  SDL_JoystickID m_id = -1;
};

// The main window on a laid-out base, active, reading pads with `timing`.
class PadWindow {
 public:
  explicit PadWindow(const TempBase& base, const GamepadTiming& timing = kTapTiming)
      : m_main(base) {
    m_main.window().takeGamepads(timing);
    m_reader = m_main.window().findChild<GamepadReader*>();
    m_main.window().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&m_main.window()));
  }

  WindowOnBase& main() { return m_main; }
  QListView* games() { return m_main.child<QListView>("lstDrivers"); }

  int selectedRow() { return selectedCatalogueRow(games()); }

  // Waits until the reader has read the devices `count` times from now: a state set on a
  // virtual pad is seen by the next reading.
  void waitForPolls(int count = 3) {
    QSignalSpy polls(m_reader, &GamepadReader::polled);
    while (polls.size() < count) {
      ASSERT_TRUE(polls.wait(kWaitMs));
    }
  }

  // A pad plugged in or pulled out is taken up or dropped at the reading after SDL tells it.
  void waitForDevices() { waitForPolls(); }

  // A press seen by the reader, then a release seen by it.
  void tap(VirtualPad& pad, int button) {
    pad.setButton(button, true);
    waitForPolls();
    pad.setButton(button, false);
    waitForPolls();
  }

 private:
  WindowOnBase m_main;
  GamepadReader* m_reader = nullptr;
};

// Whether the stand-in program recording to `record` got `argument`, waiting for it.
bool waitForArgument(const TempBase& base, const char* record, const QString& argument) {
  return QTest::qWaitFor(
      [&] {
        return base.read(QString::fromLatin1(record)).split('\n').contains(argument.toUtf8());
      },
      kWaitMs);
}

bool waitForRow(PadWindow& window, int row) {
  return QTest::qWaitFor([&] { return window.selectedRow() == row; }, kWaitMs);
}

// The window, then a game controller plugged in after start-up.
class PadPluggedIn : public ::testing::Test {
 protected:
  void SetUp() override { window.waitForDevices(); }

  TempBase base;
  bool laidOut = (layOut(base), true);
  PadWindow window{base};
  VirtualPad pad{VirtualPad::Kind::Controller};
};

// Moves act as the list's own keys: the same rows, hidden rows skipped alike.
TEST_F(PadPluggedIn, MovesPagesAndEndsAsTheKeyboardDoes) {
  clickDriver(window.main(), 5);
  const struct {
    int button;
    Qt::Key key;
  } cases[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Qt::Key_Down},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, Qt::Key_Up},
      {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, Qt::Key_PageDown},
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, Qt::Key_PageUp},
  };
  for (const int start : {5, 12}) {
    for (const auto& example : cases) {
      window.games()->setCurrentIndex(window.games()->model()->index(start, 0));
      QTest::keyClick(window.games(), example.key);
      const int expected = window.selectedRow();
      ASSERT_NE(expected, start);
      window.games()->setCurrentIndex(window.games()->model()->index(start, 0));
      window.tap(pad, example.button);
      EXPECT_EQ(window.selectedRow(), expected) << example.button << " from " << start;
    }
  }
  pad.setAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  EXPECT_TRUE(waitForRow(window, kGames - 1));
  pad.setAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
  EXPECT_TRUE(waitForRow(window, 0));
  EXPECT_EQ(window.main().child<QLabel>("panNomeDriver")->text(), gameFile(0));
}

TEST(GamepadWindow, AHeldDirectionRepeatsAndStopsWhenLetGo) {
  TempBase base;
  layOut(base);
  VirtualPad pad(VirtualPad::Kind::Controller);  // plugged in before start-up
  PadWindow window(base, {{.firstRepeatMs = 100, .repeatMs = 20}, 5, 20});
  window.waitForDevices();
  clickDriver(window.main(), 0);
  pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
  EXPECT_TRUE(waitForRow(window, 5));
  pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
  window.waitForPolls();
  const int stopped = window.selectedRow();
  // Many repeat intervals later.
  window.waitForPolls(20);
  EXPECT_EQ(window.selectedRow(), stopped);
}

TEST_F(PadPluggedIn, ARestingStickNeverMovesTheList) {
  clickDriver(window.main(), 3);
  for (const int drift : {3000, -7000, 7900, 0}) {
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, drift);
    window.waitForPolls();
    EXPECT_EQ(window.selectedRow(), 3) << drift;
  }
  pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
  EXPECT_TRUE(waitForRow(window, 4));
  pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
  window.waitForPolls();
  pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
  EXPECT_TRUE(waitForRow(window, 3));
}

// Play starts the selected game; until it ends the pad does nothing, then acts at once again.
TEST_F(PadPluggedIn, PlayStartsTheGameAndThePadRestsWhileItRuns) {
  clickDriver(window.main(), 7);
  window.tap(pad, SDL_CONTROLLER_BUTTON_A);
  ASSERT_TRUE(waitForArgument(base, "played", gameFile(7)));
  window.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  window.tap(pad, SDL_CONTROLLER_BUTTON_START);
  window.tap(pad, SDL_CONTROLLER_BUTTON_Y);
  EXPECT_EQ(window.selectedRow(), 7);

  QSignalSpy ended(&window.main().window(), &MainWindow::gameEnded);
  base.write(QStringLiteral("quit"), "");
  ASSERT_TRUE(ended.wait(kWaitMs));
  pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
  EXPECT_TRUE(waitForRow(window, 8));
  EXPECT_EQ(QApplication::activeWindow(), &window.main().window());
  pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
  window.waitForPolls();
  EXPECT_EQ(base.read(QStringLiteral("played")).count(gameFile(7).toUtf8()), 1);
}

TEST_F(PadPluggedIn, WestRunsTheChecksumOfTheSelectedGame) {
  clickDriver(window.main(), 11);
  window.tap(pad, SDL_CONTROLLER_BUTTON_X);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return base.read(QStringLiteral("checked")).endsWith("/roms/game11.drv.zip\n"); },
      kWaitMs))
      << base.read(QStringLiteral("checked")).toStdString();
}

// North and Ctrl+R draw a game the filter shows, never the selected one, and show it as a
// user's selection does.
TEST_F(PadPluggedIn, TheRandomGameIsAnotherShownOne) {
  auto* filter = window.main().child<QLineEdit>("edtFiltro");
  filter->setText(QStringLiteral("Game 1"));  // Game 01, Game 10 to Game 19
  const QList<int> shown = {1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
  QList<int> drawn;
  for (int draw = 0; draw < 30; ++draw) {
    const int before = window.selectedRow();
    if (draw % 2 == 0) {
      window.tap(pad, SDL_CONTROLLER_BUTTON_Y);
    } else {
      QTest::keyClick(&window.main().window(), Qt::Key_R, Qt::ControlModifier);
    }
    const int after = window.selectedRow();
    EXPECT_NE(after, before) << draw;
    EXPECT_TRUE(shown.contains(after)) << after;
    EXPECT_EQ(window.main().child<QLabel>("panNomeDriver")->text(), gameFile(after));
    drawn.append(after);
  }
  EXPECT_GT(QSet<int>(drawn.begin(), drawn.end()).size(), 3);

  window.tap(pad, SDL_CONTROLLER_BUTTON_B);
  EXPECT_TRUE(filter->text().isEmpty());
  EXPECT_TRUE(shownIndex(window.games(), 0).isValid());
}

// Off the Drivers page only page switching acts, with Back held on the shoulders.
TEST_F(PadPluggedIn, OtherPagesOnlySwitchPages) {
  auto* pages = window.main().child<QTabWidget>("PageControl1");
  clickDriver(window.main(), 2);
  pad.setButton(SDL_CONTROLLER_BUTTON_BACK, true);
  window.tap(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  EXPECT_EQ(pages->currentIndex(), 1);
  pad.setButton(SDL_CONTROLLER_BUTTON_BACK, false);
  for (const int button : {SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_A,
                           SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER}) {
    window.tap(pad, button);
  }
  EXPECT_EQ(pages->currentIndex(), 1);
  EXPECT_EQ(window.selectedRow(), 2);
  EXPECT_FALSE(QFile::exists(base.filePath(QStringLiteral("played"))));
  pad.setButton(SDL_CONTROLLER_BUTTON_BACK, true);
  window.tap(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
  window.tap(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
  EXPECT_EQ(pages->currentIndex(), pages->count() - 1) << "wraps round";
}

TEST_F(PadPluggedIn, ThePadRestsWhileABoxIsOpen) {
  clickDriver(window.main(), 4);
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Box"), QStringLiteral("Open"),
                  QMessageBox::Ok, &window.main().window());
  box.open();
  ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
  window.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  window.tap(pad, SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(window.selectedRow(), 4);
  box.close();
  window.main().window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window.main().window()));
  window.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  EXPECT_EQ(window.selectedRow(), 5);
  EXPECT_FALSE(QFile::exists(base.filePath(QStringLiteral("played"))));
}

// An arcade encoder SDL knows only as a joystick: its hat or first two axes move, its first
// button plays; one pulled out and plugged in again is taken up again.
TEST(GamepadWindow, AJoystickOnlyDeviceMovesAndPlays) {
  TempBase base;
  layOut(base);
  PadWindow window(base);
  auto stick = std::make_unique<VirtualPad>(VirtualPad::Kind::JoystickOnly);
  window.waitForDevices();
  clickDriver(window.main(), 0);
  stick->setHat(SDL_HAT_DOWN);
  EXPECT_TRUE(waitForRow(window, 1));
  stick->setHat(SDL_HAT_CENTERED);
  window.waitForPolls();
  stick->setAxis(1, 32767);
  EXPECT_TRUE(waitForRow(window, 2));
  stick->setAxis(1, 0);
  window.waitForPolls();
  EXPECT_EQ(window.selectedRow(), 2);

  stick.reset();
  window.waitForDevices();
  stick = std::make_unique<VirtualPad>(VirtualPad::Kind::JoystickOnly);
  window.waitForDevices();
  window.tap(*stick, 0);
  EXPECT_TRUE(waitForArgument(base, "played", gameFile(2)));
  base.write(QStringLiteral("quit"), "");
}

// The mappings of the file SDL_GAMECONTROLLERCONFIG_FILE names reach SDL; a file refused (here a
// FIFO, which SDL itself would wait on for ever) leaves the pads read without them.
TEST(GamepadWindow, TheUsersMappingFileReachesSdlAndAFifoThereIsNeverWaitedOn) {
  QByteArray mapping;
  {
    const VirtualPad probe(VirtualPad::Kind::JoystickOnly);
    // The stick becomes a game controller whose South (Play) is its third button.
    mapping = probe.mappingGuid() + ",Test arcade stick,a:b2,platform:Linux,\n";
  }
  for (const bool regular : {true, false}) {
    SCOPED_TRACE(regular ? "regular file" : "fifo");
    TempBase base;
    layOut(base);
    const QString path = base.filePath(QStringLiteral("mappings.txt"));
    if (regular) {
      base.write(QStringLiteral("mappings.txt"), mapping);
    } else {
      ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    }
    const EnvironmentOverride variable("SDL_GAMECONTROLLERCONFIG_FILE", QFile::encodeName(path));
    std::optional<PadWindow> window;
    {
      const FifoWatch watch(QFile::encodeName(path), kPipeDeadline);
      window.emplace(base);
    }
    VirtualPad stick(VirtualPad::Kind::JoystickOnly, regular);
    window->waitForDevices();
    clickDriver(window->main(), 3);
    // A joystick-only device plays with its first button.
    window->tap(stick, regular ? 2 : 0);
    EXPECT_TRUE(waitForArgument(base, "played", gameFile(3)));
    base.write(QStringLiteral("quit"), "");
  }
}

}  // namespace
}  // namespace vorlane::test
