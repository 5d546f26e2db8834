#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"

namespace vorlane::test {
namespace {

void layOut(const TempBase& base) {
  base.write(QStringLiteral("tessik.ini"), "Drvdir       .\r\n");
}

bool isCentredOnThePrimaryScreen(const QWidget& window) {
  const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  return (window.frameGeometry().center() - centre).manhattanLength() <= 1;
}

TEST(WindowView, F11TogglesFullScreenAndEscapeLeavesItAsItIs) {
  TempBase base;
  layOut(base);
  WindowOnBase main(base);
  MainWindow& window = main.window();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const struct {
    Qt::Key key;
    bool fullScreen;
  } steps[] = {
      {Qt::Key_F11, true}, {Qt::Key_Escape, true}, {Qt::Key_F11, false}, {Qt::Key_Escape, false}};
  for (const auto& [key, fullScreen] : steps) {
    QTest::keyClick(&window, key);
    EXPECT_EQ(window.isFullScreen(), fullScreen) << QKeySequence(key).toString().toStdString();
  }
  // As a start with --fullscreen shows it.
  window.showAsLeft(true);
  EXPECT_TRUE(window.isFullScreen());
}

// Each state comes back with the place the window had before it was maximised or full screen.
TEST(WindowView, ReopensWhereAndAsItWasLeft) {
  TempBase base;
  layOut(base);
  const QRect place(60, 50, 700, 450);
  for (const Qt::WindowStates state :
       {Qt::WindowStates(Qt::WindowNoState), Qt::WindowStates(Qt::WindowMaximized),
        Qt::WindowStates(Qt::WindowFullScreen), Qt::WindowMaximized | Qt::WindowFullScreen}) {
    const RememberedHome home;
    {
      WindowOnBase first(base);
      first.window().setGeometry(place);
      ASSERT_TRUE(QTest::qWaitFor([&] { return first.window().geometry() == place; }));
      first.window().setWindowState(state);
      first.window().close();
    }
    ASSERT_TRUE(QFile::exists(home.filePath()));
    WindowOnBase second(base);
    EXPECT_EQ(second.window().windowState(), state) << int(state);
    EXPECT_EQ(second.window().normalGeometry(), place) << int(state);
  }
}

// A place off every screen keeps its size, as far as the primary screen holds it; a place the
// window cannot take starts it as a start without one does. A file this program would not have
// written is the remembered view's to refuse.
TEST(WindowView, StartsCentredWhenThePlaceIsGoneOrUnusable) {
  TempBase base;
  layOut(base);
  const auto geometry = [](const char* place) {
    return "[Window]\nGeometry=" + QByteArray(place).toBase64() + "\nMaximised=false\n";
  };
  const struct {
    const char* name;
    QByteArray file;
    QSize size;
  } cases[] = {
      {"off every screen", geometry("5000 5000 600 400"), {600, 400}},
      {"larger than the screen", geometry("-9000 0 3000 3000"), {3000, 3000}},
      {"smaller than the layout", geometry("5000 5000 10 10"), {532, 373}},
      {"not four numbers", geometry("10 10 600"), {532, 373}},
      {"far beyond any screen", geometry("0 0 2147483647 400"), {532, 373}},
      {"no size", geometry("10 10 0 400"), {532, 373}},
  };
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  for (const auto& example : cases) {
    const RememberedHome home;
    QFile file(home.filePath());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(example.file) > 0);
    file.close();
    WindowOnBase main(base);
    EXPECT_EQ(main.window().size(), example.size.boundedTo(screen)) << example.name;
    EXPECT_EQ(main.window().windowState(), Qt::WindowNoState) << example.name;
    // A window as large as the screen has its frame beyond it: it stays on the screen instead.
    if (example.size == example.size.boundedTo(screen)) {
      EXPECT_TRUE(isCentredOnThePrimaryScreen(main.window())) << example.name;
    }
  }
}

}  // namespace
}  // namespace vorlane::test
