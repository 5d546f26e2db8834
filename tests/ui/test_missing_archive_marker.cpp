#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include "core/catalogue/MarkerColour.h"
#include "support/Looks.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/drivers/CatalogueModel.h"

namespace vorlane::test {
namespace {

// Three games; only the second has its archive. Names with long horizontal strokes, which the
// font sets on whole pixels, so some pixels of the text carry its full colour.
void layOutGames(const TempBase& base) {
  base.writeEmulatorConfig({.romDir = "roms", .drvDir = "."});
  base.write(QStringLiteral("a.drv"), driverText("TETE FETE"));
  base.write(QStringLiteral("b.drv"), driverText("TETE FETE"));
  base.write(QStringLiteral("c.drv"), driverText("ZETA"));
  base.write(QStringLiteral("roms/b.drv.zip"), "stand-in");
}

TEST(MissingArchiveMarker, GreyedGamesStayReadableInLightAndDarkPalettes) {
  TempBase base;
  layOutGames(base);
  for (const Look& look : kLooks) {
    LookScope scope(look);
    WindowOnBase main(base);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main.window()));
    QListView* list = driverList(main);
    ASSERT_EQ(shownGames(list).size(), 3);
    const double greyed = drawnTextContrast(list, 0);
    const double plain = drawnTextContrast(list, 1);
    EXPECT_GE(greyed, kReadableTextContrast) << look.name;
    // And still a mark that shows.
    EXPECT_LT(greyed, plain * 0.75) << look.name << ", plain text " << plain;
  }
}

QString cellDescription(QListView* list, int row) {
  QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list);
  return view->tableInterface()->cellAt(row, 0)->text(QAccessible::Description);
}

TEST(MissingArchiveMarker, TheReasonReachesKeyboardAndScreenReaderUsers) {
  TempBase base;
  layOutGames(base);
  WindowOnBase main(base);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main.window()));
  QListView* list = driverList(main);
  const auto reasonOf = [&base](const char* archive) {
    return text("Arquivo de ROM não encontrado: ") +
           base.filePath(QStringLiteral("roms/") + QLatin1String(archive));
  };

  list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(list, Qt::Key_Home);
  ASSERT_EQ(list->currentIndex().row(), 0);
  EXPECT_EQ(cellDescription(list, 0), reasonOf("a.drv.zip"));

  // A game with its archive has no reason; each greyed game keeps its own.
  QTest::keyClick(list, Qt::Key_Down);
  ASSERT_EQ(list->currentIndex().row(), 1);
  EXPECT_EQ(cellDescription(list, 1), QString());
  EXPECT_EQ(cellDescription(list, 0), reasonOf("a.drv.zip"));
  EXPECT_FALSE(QToolTip::isVisible());

  // Reached with the keyboard, a greyed game shows the tip that hovering shows.
  QTest::keyClick(list, Qt::Key_Down);
  ASSERT_EQ(list->currentIndex().row(), 2);
  EXPECT_EQ(cellDescription(list, 2), reasonOf("c.drv.zip"));
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), reasonOf("c.drv.zip"));
  // Leaving it for a plain game takes the tip away; the arrow keys move no mouse to do it.
  QTest::keyClick(list, Qt::Key_Up);
  EXPECT_EQ(cellDescription(list, 2), reasonOf("c.drv.zip"));
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));

  // The count says how many are greyed, for the whole catalogue while the filter hides some.
  auto* count = main.child<QLabel>("panTotalDrivers");
  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(count);
  const QString tip = text("3 drivers, 2 sem arquivo de ROM");
  EXPECT_EQ(count->toolTip(), tip);
  EXPECT_EQ(panel->text(QAccessible::Description), tip);
  main.child<QLineEdit>("edtFiltro")->setText(QStringLiteral("zeta"));
  EXPECT_EQ(count->toolTip(), tip);

  // With every archive there, nothing is left to say.
  base.write(QStringLiteral("roms/a.drv.zip"), "stand-in");
  base.write(QStringLiteral("roms/c.drv.zip"), "stand-in");
  WindowOnBase complete(base);
  EXPECT_EQ(complete.child<QLabel>("panTotalDrivers")->toolTip(), QString());
}

TEST(MissingArchiveMarker, TheDemoShowsGreyedAndPlainGamesWithStandInsThatAreNoRoms) {
  const QString demo = QStringLiteral(VORLANE_DEMO_DIR);
  WindowOnBase main(demo);
  const CatalogueModel& catalogue = main.window().catalogue();
  const QFileInfoList standIns =
      QDir(demo + QStringLiteral("/roms")).entryInfoList({QStringLiteral("*.zip")}, QDir::Files);
  EXPECT_GE(catalogue.missingArchiveCount(), catalogue.rowCount() / 3);
  EXPECT_LE(catalogue.missingArchiveCount(), catalogue.rowCount() * 2 / 3);
  // Every stand-in belongs to a game: none is named wrong.
  EXPECT_EQ(catalogue.missingArchiveCount() + standIns.size(), catalogue.rowCount());
  for (const QFileInfo& standIn : standIns) {
    EXPECT_LT(standIn.size(), 1024) << standIn.fileName().toStdString();
  }
}

}  // namespace
}  // namespace vorlane::test
