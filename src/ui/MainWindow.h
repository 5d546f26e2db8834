#pragma once

#include <chrono>
#include <memory>

#include <QByteArray>
#include <QString>
#include <QWidget>

#include "core/settings/ProfileFile.h"
#include "core/start/RememberedView.h"
#include "ui/output/ProgramLauncher.h"

namespace Ui {
class MainWindow;
}

namespace vorlane {

class CatalogueModel;
class DipPage;
class DriverEditor;
class DriversPage;
class GamepadNavigation;
class KeyboardRing;
class SetupWarnings;
class SettingsPage;
struct GamepadTiming;

// The main window: it owns the four pages (Drivers, Settings, DIP switches, About), creates
// them in the start-up order, and carries what one page asks of another. Each page owns its
// controls' handlers; the window's own are Apply, which reaches every page, and the language.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // An emulator that fails within `earlyEndWindow` of its start is told with its last output.
  explicit MainWindow(QWidget* parent = nullptr,
                      std::chrono::milliseconds earlyEndWindow = kEarlyEndWindow);
  ~MainWindow() override;

  // The games of the Drivers page, one row per driver file, in the order the user chose.
  const CatalogueModel& catalogue() const;

  // False when creation could not take the base directory: the program must end then, since
  // every file it would write lies there.
  bool hasBaseDirectory() const { return !m_baseDirectory.isEmpty(); }

  // The editor window that Edit Driver shows; it is created after this window.
  void setDriverEditor(DriverEditor* editor);

  // Shows the window as it was left, maximised or full screen, and full screen when
  // `fullScreen` asks for it.
  void showAsLeft(bool fullScreen = false);

  // Lets game controllers drive the window from now on.
  void takeGamepads(const GamepadTiming& timing);

 Q_SIGNALS:
  // Play started the emulator; it has ended (the window is then raised and active again).
  void gameStarted();
  void gameEnded();

 protected:
  // Tab and Shift+Tab walk one ring: the tab bar, the showing page's controls, Close.
  bool focusNextPrevChild(bool next) override;
  // The window's size, place and state are remembered as it closes.
  void closeEvent(QCloseEvent* event) override;

 private:
  // Places the controls as the window grows past the layout's size.
  void anchorControls();
  // Takes the remembered size, and the remembered place while it lies on a screen; else the
  // window is centred on the primary screen.
  void placeAsLeft();
  // F11: full screen on, or off back to the window as it was.
  void toggleFullScreen();
  void rememberView() const;
  void rememberLastPlayed(const QString& driverFile) const;
  void runCreationSteps();
  // The pages, on the base directory and the files just taken.
  void createPages();
  QString emulatorConfigPath() const;
  void readEmulatorConfig();
  // Marks the directory fields and the play and checksum buttons while what they name is
  // missing.
  void showSetupWarnings();
  void applyLanguage(const QByteArray& language);
  // The About page names the pages and the play button as they are captioned now.
  void showAboutText();
  void loadDrivers();
  QString composeCommandLine();
  void btnAplicarClick();
  void gameHasEnded();
  // Keeps the Drivers page's view choices for the next start.
  void rememberDriversView() const;

  std::unique_ptr<Ui::MainWindow> m_ui;
  std::chrono::milliseconds m_earlyEndWindow;
  RememberedView m_remembered;
  ViewSettings m_leftView;  // as the last run left the window
  // Whether the window was maximised when full screen began. A window manager may report the full
  // screen alone, so the state to return to is kept here.
  bool m_maximisedUnderFullScreen = false;
  QString m_baseDirectory;
  std::unique_ptr<ProfileFile> m_settingsFile;
  std::unique_ptr<ProfileFile> m_languageFile;
  KeyboardRing* m_keyboard;
  DriversPage* m_drivers = nullptr;
  SettingsPage* m_settings = nullptr;
  DipPage* m_dip = nullptr;
  SetupWarnings* m_setupWarnings = nullptr;
  GamepadNavigation* m_gamepads = nullptr;  // owned by this window; none unless taken
};

}  // namespace vorlane
