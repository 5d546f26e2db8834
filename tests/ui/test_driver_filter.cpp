#include <ostream>

#include <QApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "support/JpegEncoder.h"
#include "support/Polling.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/drivers/CatalogueModel.h"
#include "ui/drivers/PreviewImage.h"
#include "ui/drivers/PreviewPanel.h"

namespace vorlane::test {
namespace {

// Four games; in file-name order alpha, ete, pkgold, zeta.
void layOutGames(const TempBase& base) {
  base.writeEmulatorConfig({.romDir = ".", .drvDir = ".\\drivers"});
  base.write(QStringLiteral("drivers/alpha.drv"), "GAMENAME Alpha Squadron\r\n");
  base.write(QStringLiteral("drivers/ete.drv"), "GAMENAME \xc3\x89T\xc3\x89 Racer\r\n");
  base.write(QStringLiteral("drivers/pkgold.drv"), "GAMENAME Pok\xc3\xa9mon Gold\r\n");
  base.write(QStringLiteral("drivers/zeta.drv"), "GAMENAME Zeta\r\n");
  // Writes its arguments, one a line, where the test can read them.
  const QString emulator = base.write(QStringLiteral("tessik.exe"),
                                      "#!/bin/sh\nprintf '%s\\n' \"$@\" > played.tmp\n"
                                      "mv played.tmp played.txt\n");
  QFile::setPermissions(emulator, QFile::permissions(emulator) | QFileDevice::ExeOwner);
}

QByteArray waitForPlayed(const TempBase& base) {
  QFile played(base.filePath(QStringLiteral("played.txt")));
  pollUntil([&] { return played.exists(); }, 10000);
  return played.open(QIODevice::ReadOnly) ? played.readAll() : QByteArray("<not played>");
}

TEST(DriverFilter, HidesGamesByNameAndPlayActsOnTheRightDriver) {
  TempBase base;
  layOutGames(base);
  DriversWindow page(base);
  ASSERT_TRUE(page.becomesActive());
  auto& [boxes, main, list, field, count] = page;
  EXPECT_EQ(main.child<QLabel>("lblFiltro")->text(), text("Filtrar (Ctrl+F):"));
  EXPECT_EQ(count->text(), text("4"));

  list->setFocus();
  QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(field->hasFocus());
  const struct {
    const char* typed;
    QStringList shown;
    const char* count;
  } filters[] = {
      {"ET", {text("ÉTÉ Racer"), text("Zeta")}, "2/4"},
      {"POKEMON", {text("Pokémon Gold")}, "1/4"},
      {"nothing", {}, "0/4"},
  };
  for (const auto& filter : filters) {
    field->clear();
    QTest::keyClicks(field, text(filter.typed));
    EXPECT_EQ(shownGames(list), filter.shown) << filter.typed;
    EXPECT_EQ(count->text(), text(filter.count)) << filter.typed;
    EXPECT_EQ(main.window().catalogue().rowCount(), 4) << filter.typed;
  }

  field->setText(QStringLiteral("gold"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, catalogueRowRect(list, 2).center());
  ASSERT_EQ(selectedCatalogueRow(list), 2);
  QTest::mouseClick(main.child<QPushButton>("btnExecutar"), Qt::LeftButton);
  EXPECT_TRUE(waitForPlayed(base).endsWith("\npkgold.drv\n"));

  // Hiding the selected game takes the selection to a shown one: Play starts nothing unseen.
  QFile::remove(base.filePath(QStringLiteral("played.txt")));
  field->setText(QStringLiteral("zeta"));
  QTest::mouseClick(main.child<QPushButton>("btnExecutar"), Qt::LeftButton);
  EXPECT_TRUE(waitForPlayed(base).endsWith("\nzeta.drv\n"));

  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_TRUE(field->text().isEmpty());
  EXPECT_EQ(shownGames(list).size(), 4);
  EXPECT_EQ(count->text(), text("4"));
  EXPECT_TRUE(boxes.texts().isEmpty());
}

// What the Drivers page shows of the selected game.
struct Shown {
  QString name;
  QString caption;
  bool picture = false;
  bool operator==(const Shown&) const = default;
};

Shown shownGame(const WindowOnBase& main) {
  return {main.child<QLabel>("panNomeDriver")->text(),
          main.child<PreviewPanel>("panImagem")->caption(),
          showsPicture(main.child<PreviewImage>("imgAmostra"))};
}

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
  return out << shown.name.toStdString() << " / " << shown.caption.toStdString() << " / "
             << (shown.picture ? "picture" : "no picture");
}

bool gameButtonsEnabled(const WindowOnBase& main) {
  const bool play = main.child<QPushButton>("btnExecutar")->isEnabled();
  EXPECT_EQ(main.child<QPushButton>("btnChecksum")->isEnabled(), play);
  EXPECT_EQ(main.child<QPushButton>("btnEditar")->isEnabled(), play);
  return play;
}

// While filtering, a hidden selection passes to the first shown game, which shows as a user's
// selection would; with nothing shown, nothing shows and the buttons for a game are off.
TEST(DriverFilter, KeepsAShownGameSelectedAndShowingWhileFiltering) {
  TempBase base;
  layOutGames(base);
  base.write(QStringLiteral("preview/ete.drv.jpg"),
             encodeJpeg({.width = 4, .height = 4}, QByteArray(4 * 4 * 3, '\x60')));
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  QListView* list = driverList(main);
  auto* field = main.child<QLineEdit>("edtFiltro");
  clickDriver(main, 0);
  const Shown alpha{QStringLiteral("alpha.drv"), QStringLiteral("alpha.drv"), false};
  ASSERT_EQ(shownGame(main), alpha);

  const struct {
    const char* typed;
    int selected;  // -1: none
    Shown shown;
    bool buttons;
  } steps[] = {
      {"squad", 0, alpha, true},
      {"et", 1, {QStringLiteral("ete.drv"), QStringLiteral("ete.drv"), true}, true},
      {"zeta", 3, {QStringLiteral("zeta.drv"), QStringLiteral("zeta.drv"), false}, true},
      {"nothing", -1, {}, false},
      {"a", 0, alpha, true},
      // Without a filter the selection stays where it is.
      {"", 0, alpha, true},
  };
  for (const auto& step : steps) {
    field->setText(text(step.typed));
    EXPECT_EQ(selectedCatalogueRow(list), step.selected) << step.typed;
    EXPECT_EQ(shownGame(main), step.shown) << step.typed;
    EXPECT_EQ(gameButtonsEnabled(main), step.buttons) << step.typed;
  }
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

// Up, Down, Page Up and Page Down in the field move the list's selection over the shown games;
// Enter plays the selected one. The field keeps the focus.
TEST(DriverFilter, KeysInTheFieldMoveTheSelectionAndEnterPlays) {
  TempBase base;
  layOutGames(base);
  DriversWindow page(base);
  ASSERT_TRUE(page.becomesActive());
  auto& [boxes, main, list, field, count] = page;
  list->setFocus();
  QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(field->hasFocus());
  // Shows ÉTÉ Racer, Pokémon Gold and Zeta.
  QTest::keyClicks(field, QStringLiteral("e"));

  const struct {
    Qt::Key key;
    int row;
  } steps[] = {{Qt::Key_Down, 2},   {Qt::Key_Down, 3},     {Qt::Key_Down, 3}, {Qt::Key_Up, 2},
               {Qt::Key_PageUp, 1}, {Qt::Key_PageDown, 3}, {Qt::Key_Up, 2}};
  for (const auto& step : steps) {
    QTest::keyClick(field, step.key);
    EXPECT_EQ(selectedCatalogueRow(list), step.row) << step.key;
    EXPECT_EQ(shownGame(main).name, catalogueFiles(main.window()).at(step.row)) << step.key;
    EXPECT_TRUE(field->hasFocus()) << step.key;
  }
  EXPECT_EQ(field->text(), text("e"));

  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_TRUE(waitForPlayed(base).endsWith("\npkgold.drv\n"));
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST(DriverFilter, ARescanKeepsTheFilterAndTabNeverReachesIt) {
  TempBase base;
  layOutGames(base);
  WindowOnBase main(base);
  QListView* list = driverList(main);
  auto* field = main.child<QLineEdit>("edtFiltro");
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main.window()));
  field->setText(QStringLiteral("a"));
  base.write(QStringLiteral("drivers/beta.drv"), "GAMENAME Beta\r\n");
  main.child<QTabWidget>("PageControl1")->setCurrentIndex(1);
  QTest::mouseClick(main.child<QPushButton>("btnAplicar"), Qt::LeftButton);
  main.child<QTabWidget>("PageControl1")->setCurrentIndex(0);

  EXPECT_EQ(field->text(), text("a"));
  EXPECT_EQ(shownGames(list),
            (QStringList{text("Alpha Squadron"), text("Beta"), text("ÉTÉ Racer"), text("Zeta")}));
  EXPECT_EQ(main.child<QLabel>("panTotalDrivers")->text(), text("4/5"));
  // The rescan leaves no game selected; while filtering, the first shown one then is.
  EXPECT_EQ(selectedCatalogueRow(list), 0);
  EXPECT_EQ(main.child<QLabel>("panNomeDriver")->text(), text("alpha.drv"));

  list->setFocus();
  for (int press = 0; press < 12; ++press) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), field) << "after " << press + 1 << " Tab presses";
  }
}

}  // namespace
}  // namespace vorlane::test
