#pragma once

#include <memory>
#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

#include "core/catalogue/PreviewFile.h"
#include "core/settings/ProfileFile.h"

class QKeyEvent;
class QKeySequence;
class QPushButton;

namespace Ui {
class MainWindow;
}

namespace vorlane {

class CatalogueFilter;
class CatalogueModel;
class CatalogueRefresh;
class DriverEditor;
class DriverListFilter;
class FolderWatch;
struct DriverRecord;
class GamepadNavigation;
class SetupWarnings;
struct GamepadTiming;

// The main window: the four pages, their handlers and the state that lives as long as it.
// Its handlers are split by concern over MainWindow*.cpp.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The games of the Drivers page, one row per driver file in list order.
  const CatalogueModel& catalogue() const { return *m_catalogue; }
  // The driver directory of the last scan: absolute, without a trailing "/".
  const QString& driverDirectory() const { return m_driverDirectory; }
  // Catalogue row of the current driver file (the one the selection handler copied last), or -1.
  int currentDriverRow() const;

  // False when creation could not take the base directory: the program must end then, since
  // every file it would write lies there.
  bool hasBaseDirectory() const { return !m_baseDirectory.isEmpty(); }

  // The editor window that Edit Driver shows; it is created after this window.
  void setDriverEditor(DriverEditor* editor) { m_editor = editor; }

  // Lets game controllers drive the window from now on.
  void takeGamepads(const GamepadTiming& timing);

 Q_SIGNALS:
  // Play started the emulator; it has ended (the window is then raised and active again).
  void gameStarted();
  void gameEnded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Tab and Shift+Tab walk one ring: the tab bar, the showing page's controls, Close.
  bool focusNextPrevChild(bool next) override;

 private:
  // Lifecycle (MainWindow.cpp).
  void bindHandlers();
  void runCreationSteps();

  // Keyboard: Enter, the Tab ring and the accelerators (MainWindowKeyboard.cpp).
  QPushButton* defaultButtonOfCurrentPage() const;
  bool handleEnter(QWidget* focus);
  bool handleTab(const QKeyEvent* key);
  QList<QWidget*> pageTabOrder(const QWidget* page) const;
  QList<QWidget*> tabRing() const;
  bool activateAccelerator(const QKeySequence& key);

  // Emulator configuration file (MainWindow.cpp).
  QString emulatorConfigPath() const;
  void readEmulatorConfig();
  void writeEmulatorDirectories();
  void btnAplicarDIPClick();

  // Front-end settings and languages (MainWindowSettings.cpp).
  void bindSettingsHandlers();
  void listLanguages();
  // Selects the item of the section named so, letter case aside; none when no item is.
  void selectLanguage(const QByteArray& section);
  void readFrontEndSettings();
  QByteArray selectedLanguage() const;
  void applyLanguage(const QByteArray& language);
  // The About page names the pages and the play button as they are captioned now.
  void showAboutText();
  void btnAplicarClick();
  // Marks the directory fields and the play and checksum buttons while what they name is
  // missing.
  void showSetupWarnings();

  // Driver catalogue and preview (MainWindowCatalogue.cpp).
  void bindCatalogueHandlers();
  void loadDrivers();
  void lstDriversClick();
  // Shows the preview and the file name of a driver; a picture that fails to load ends it with
  // the old picture and captions kept, except while following the disk: then no picture shows
  // and the failure, as one in decoding, stays quiet.
  void showDriver(const QString& file);
  // Shows the picture of a preview file, none for an empty path, or in its place why it cannot.
  void showPreview(const QString& preview);
  // The record of the game selected in lstDrivers, or none. The current row alone is no
  // selection: the list makes its first row current when it takes the focus, without selecting
  // it. Valid until the catalogue changes.
  const DriverRecord* selectedDriver() const;
  // The record of the current driver file while a game is selected, or none: Checksum and the
  // editor act on it.
  const DriverRecord* currentDriver() const;
  QString driverFilePath(const DriverRecord& driver) const;
  // The ROM and log directories as their fields now name them.
  QString romDirectory() const;
  QString logDirectoryOfField() const;
  // While the filter hides every game, no game shows in the preview and the buttons that act on
  // the selected game are off.
  void enableDriverButtons();

  // Live refresh while the program runs (MainWindowRefresh.cpp): no busy pointer and no box.
  void bindRefreshHandlers();
  // Points the watches and the refresh at the folders of the last scan.
  void followScannedFolders();
  void catalogueRefreshed();
  void previewFolderChanged();

  // Option text and launching (MainWindowLaunch.cpp).
  void bindLaunchHandlers();
  // Composes the option text into the field unless the custom line is on; returns the field's
  // text as the emulator is to get it.
  QString composeCommandLine();
  void chkLinhaComandoClick();
  void btnExecutarClick();
  void btnChecksumClick();
  void gameHasEnded();

  // Driver editor (MainWindowEditor.cpp).
  void bindEditorHandlers();
  void btnEditarClick();

  std::unique_ptr<Ui::MainWindow> m_ui;
  QString m_baseDirectory;
  std::unique_ptr<ProfileFile> m_settingsFile;
  std::unique_ptr<ProfileFile> m_languageFile;
  PreviewFinder m_previews;
  // The preview file shown and its stamp when it was loaded: a change of another file in the
  // folder leaves the picture as it is.
  struct ShownPreview {
    QString path;
    std::optional<FileStamp> stamp;
  } m_shownPreview;
  DriverEditor* m_editor = nullptr;
  // The catalogue and the filter over it live as long as the window; the list shows the filter.
  CatalogueModel* m_catalogue = nullptr;
  CatalogueFilter* m_catalogueFilter = nullptr;
  QString m_driverDirectory;
  // The copied selection: file name of the current driver, empty for none.
  QString m_currentDriverFile;
  DriverListFilter* m_driverFilter = nullptr;  // owned by the Drivers page
  CatalogueRefresh* m_refresh = nullptr;
  FolderWatch* m_driverWatch = nullptr;
  FolderWatch* m_romWatch = nullptr;
  FolderWatch* m_previewWatch = nullptr;
  SetupWarnings* m_setupWarnings = nullptr;
  GamepadNavigation* m_gamepads = nullptr;  // owned by this window; none unless taken
};

}  // namespace vorlane
