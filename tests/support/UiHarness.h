#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QModelIndex>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include "support/EnvironmentOverride.h"
#include "support/TempBase.h"
#include "ui/common/MessageBoxes.h"
#include "ui/output/ProgramLauncher.h"

class QLabel;
class QLineEdit;
class QListView;

namespace vorlane {
class DriverEditor;
class MainWindow;
class PreviewImage;
}  // namespace vorlane

namespace vorlane::test {

// Records the text of every box of one kind while it lives, instead of showing it. Several logs
// may live at once; each box reaches every log of its kind.
class BoxLog {
 public:
  explicit BoxLog(BoxKind kind);
  ~BoxLog();
  BoxLog(const BoxLog&) = delete;
  BoxLog& operator=(const BoxLog&) = delete;

  const QStringList& texts() const { return m_texts; }
  void clear() { m_texts.clear(); }

 private:
  BoxKind m_kind;
  QStringList m_texts;
};

// The error boxes of handlers and of start-up.
class ErrorBoxLog : public BoxLog {
 public:
  ErrorBoxLog() : BoxLog(BoxKind::Error) {}
};

// The boxes of the launcher: a program that cannot start, an emulator that ended at once.
class LaunchFailureLog : public BoxLog {
 public:
  LaunchFailureLog() : BoxLog(BoxKind::Warning) {}
};

// A configuration folder of its own ($XDG_CONFIG_HOME) while it lives: the main windows made
// meanwhile remember their view and last game there, and find what the windows before them left.
// A window made while none lives gets one of its own, so that no test finds what another left.
class RememberedHome {
 public:
  RememberedHome();
  ~RememberedHome();
  RememberedHome(const RememberedHome&) = delete;
  RememberedHome& operator=(const RememberedHome&) = delete;

  static bool isAnyLiving();
  // The remembered file the windows read and write, while this is the home that lives last.
  QString filePath() const;

 private:
  QTemporaryDir m_directory;
  EnvironmentOverride m_configHome;
};

// A base directory on disk, made current while the main window is built on it, since the
// window takes the current directory as its base.
class WindowOnBase {
 public:
  explicit WindowOnBase(const TempBase& base);
  // With an early-end window other than the program's.
  WindowOnBase(const TempBase& base, std::chrono::milliseconds earlyEndWindow);
  explicit WindowOnBase(const QString& baseDirectory);
  // A base directory given by its bytes, for names that are not UTF-8.
  explicit WindowOnBase(const QByteArray& directory,
                        std::chrono::milliseconds earlyEndWindow = kEarlyEndWindow);
  ~WindowOnBase();

  MainWindow& window() { return *m_window; }
  // The hidden editor window, created after the main window as at start-up.
  DriverEditor& editor() { return *m_editor; }

  template <typename Widget>
  Widget* child(const char* name) const {
    auto* widget = findNamed(name);
    auto* typed = qobject_cast<Widget*>(widget);
    EXPECT_NE(typed, nullptr) << "no control " << name;
    return typed;
  }

 private:
  QWidget* findNamed(const char* name) const;

  QString m_previousDirectory;
  std::optional<RememberedHome> m_ownHome;
  std::unique_ptr<MainWindow> m_window;
  std::unique_ptr<DriverEditor> m_editor;
};

// A control's caption as the language sets it: a tab's text, a group box's title, a button's or
// label's text.
QString captionOf(const WindowOnBase& main, const char* control);

enum Page { kDrivers = 0, kConfiguration = 1, kDip = 2 };
void showPage(WindowOnBase& main, Page page);

// The Drivers page's game list; it shows the catalogue's rows that the filter lets through.
QListView* driverList(const WindowOnBase& main);

// A main window on a base with its error boxes recorded, and the Drivers page's list, filter
// field and count. Taken apart in a test: auto& [boxes, main, list, field, count] = page.
struct DriversWindow {
  explicit DriversWindow(const TempBase& base);
  // Waits until the window is the active one, as keys to it need.
  bool becomesActive();

  ErrorBoxLog boxes;
  WindowOnBase main;
  QListView* list;
  QLineEdit* field;
  QLabel* count;
};
// How long a change on disk may take to show on a loaded machine, sanitizers and all; a test
// waits for the state it expects, never for this long unless it fails.
inline constexpr int kShowWait = 30'000;

// The texts of the rows the list shows, in order.
QStringList shownGames(const QListView* list);
// Waits until the list shows `games`; false when it never does.
bool showsGames(const QListView* list, const QStringList& games);
// The driver file name of the game selected in the list; empty when none is.
QString selectedFile(const QListView* list);
// Where the list shows a catalogue row (invalid when the filter leaves it out), and where it
// draws it.
QModelIndex shownIndex(const QListView* list, int catalogueRow);
QRect catalogueRowRect(const QListView* list, int catalogueRow);
// The catalogue row of the game selected in the list, or -1.
int selectedCatalogueRow(const QListView* list);
// The driver file names of the window's catalogue, in list order.
QStringList catalogueFiles(const MainWindow& window);

// What the widget draws over transparent pixels, without the window's background.
QImage drawnAlone(QWidget* widget);

// Whether the preview area draws a picture, as it draws it now (the first drawing decodes it):
// neither nothing, which leaves the panel's caption showing, nor a failure's message.
bool showsPicture(PreviewImage* image);

// The contrast of a catalogue row's text as the list draws it: the pixel that stands out most
// from the row's background, which is read at the row's right end, past any text.
double drawnTextContrast(const QListView* list, int catalogueRow);

// Selects a game the way a user does: a click on its catalogue row of the Drivers page.
void clickDriver(WindowOnBase& main, int row);
// Clicks a button of the Drivers page.
void clickButton(WindowOnBase& main, const char* name);

// Clicks a check box on its indicator, where a user would (its middle may lie past its text).
void clickCheckBox(QWidget* box);

// Runs `action` on the next modal widget that opens (a message box or the editor), from a
// timer, so a test can drive code that blocks in a nested event loop.
void answerNextModal(std::function<void(QWidget* modal)> action, int timeoutMs = 5000);

// Runs `action`; should a modal widget open meanwhile, fails the test saying `what` opened and
// closes it, so the action returns.
void runWithoutModal(const std::function<void()>& action, const char* what);

}  // namespace vorlane::test
