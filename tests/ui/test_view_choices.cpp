#include <functional>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/settings/WindowTexts.h"
#include "core/start/RememberedView.h"
#include "support/EnvironmentOverride.h"
#include "support/JpegEncoder.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/drivers/PreviewImage.h"

namespace vorlane::test {
namespace {

// Three games whose file order is not their names' order; the second lacks its ROM archive, the
// first has a tall red preview.
class ViewChoices : public ::testing::Test {
 protected:
  ViewChoices() {
    m_base.write(QStringLiteral("tessik.ini"), "Romdir       roms\r\nDrvdir       drivers\r\n");
    m_base.write(QStringLiteral("drivers/a.drv"), "GAMENAME     Zeta\r\n");
    m_base.write(QStringLiteral("drivers/b.drv"), "GAMENAME     Alpha\r\n");
    m_base.write(QStringLiteral("drivers/c.drv"), "GAMENAME     Mid\r\n");
    m_base.write(QStringLiteral("roms/a.drv.zip"), "stand-in");
    m_base.write(QStringLiteral("roms/c.drv.zip"), "stand-in");
    QByteArray red;
    for (int pixel = 0; pixel < 8 * 32; ++pixel) {
      red.append("\xff\x00\x00", 3);
    }
    m_base.write(QStringLiteral("preview/a.drv.jpg"), encodeJpeg({.width = 8, .height = 32}, red));
  }

  // What the window remembers goes to a folder of this test's own.
  QTemporaryDir m_config;
  EnvironmentOverride m_configHome{"XDG_CONFIG_HOME", QFile::encodeName(m_config.path())};
  TempBase m_base;
};

// Opens the menu of `target` as the keyboard's menu key does and chooses `choice` in it. Gives
// the menu's entries, "[x] " before a checked one and "[ ] " before one that can be, and where it
// opened in `openedAt`.
QStringList chooseInMenu(QWidget* target, WindowText choice, QPoint* openedAt = nullptr) {
  QStringList offered;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
      return;
    }
    poll.stop();
    if (openedAt != nullptr) {
      *openedAt = menu->pos();
    }
    QAction* chosen = nullptr;
    for (QAction* entry : menu->actions()) {
      if (entry->isSeparator()) {
        continue;
      }
      offered.append(QString::fromLatin1(entry->isChecked() ? "[x] " : "[ ] ") + entry->text());
      if (entry->text() == windowText(choice)) {
        chosen = entry;
      }
    }
    menu->close();
    if (chosen != nullptr) {
      chosen->trigger();
    }
  });
  poll.start(10);
  QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(4, 4),
                            target->mapToGlobal(QPoint(4, 4)));
  QApplication::sendEvent(target, &menuKey);
  EXPECT_FALSE(offered.isEmpty()) << "no menu opened";
  return offered;
}

QString checked(WindowText text) {
  return QStringLiteral("[x] ") + windowText(text);
}
QString unchecked(WindowText text) {
  return QStringLiteral("[ ] ") + windowText(text);
}

void selectShownGame(QListView* list, const QString& game) {
  const QModelIndexList found =
      list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, game, 1, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << game.toStdString() << " is not shown";
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    list->visualRect(found.front()).center());
}

TEST_F(ViewChoices, OrdersSwitchKeepingTheSelectionAndFollowRefreshes) {
  DriversWindow page(m_base);
  ASSERT_TRUE(page.becomesActive());
  auto& [boxes, main, list, field, count] = page;
  auto* name = main.child<QLabel>("panNomeDriver");
  ASSERT_EQ(shownGames(list), (strings({"Zeta", "Alpha", "Mid"})));
  selectShownGame(list, QStringLiteral("Zeta"));

  EXPECT_EQ(
      chooseInMenu(list, WindowText::OrderByGameName),
      (QStringList{unchecked(WindowText::OrderByGameName), checked(WindowText::OrderByFileName),
                   unchecked(WindowText::OnlyWithRomArchive)}));
  const QString drivers = m_base.filePath(QStringLiteral("drivers/"));
  const struct {
    const char* change;
    std::function<void()> act;
    QStringList shown;
    const char* selected;
  } steps[] = {
      {"ordered by name", [] {}, strings({"Alpha", "Mid", "Zeta"}), "a.drv"},
      {"a game added",
       [&] { m_base.write(QStringLiteral("drivers/d.drv"), "GAMENAME     Beta\r\n"); },
       strings({"Alpha", "Beta", "Mid", "Zeta"}), "a.drv"},
      {"the selected file renamed",
       [&] { QFile::rename(drivers + QStringLiteral("a.drv"), drivers + QStringLiteral("e.drv")); },
       strings({"Alpha", "Beta", "Mid", "Zeta"}), "e.drv"},
      {"back to file names", [&] { chooseInMenu(list, WindowText::OrderByFileName); },
       strings({"Alpha", "Mid", "Beta", "Zeta"}), "e.drv"},
  };
  for (const auto& step : steps) {
    step.act();
    ASSERT_TRUE(showsGames(list, step.shown))
        << step.change << ": " << shownGames(list).join(u'|').toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return selectedFile(list) == QLatin1String(step.selected); },
                                kShowWait))
        << step.change << ": " << selectedFile(list).toStdString();
    EXPECT_EQ(name->text(), QLatin1String(step.selected)) << step.change;
    EXPECT_EQ(count->text(), QString::number(step.shown.size())) << step.change;
  }
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST_F(ViewChoices, OnlyGamesWithARomArchiveCountWithTheFilterAndKeepAShownSelection) {
  DriversWindow page(m_base);
  ASSERT_TRUE(page.becomesActive());
  auto& [boxes, main, list, field, count] = page;
  auto* play = main.child<QPushButton>("btnExecutar");
  const struct {
    const char* step;
    std::function<void()> act;
    QStringList shown;
    const char* count;
    const char* selected;
  } steps[] = {
      {"a game without its archive selected",
       [&] { selectShownGame(list, QStringLiteral("Alpha")); }, strings({"Zeta", "Alpha", "Mid"}),
       "3", "b.drv"},
      {"only games with an archive, from the menu under the selected game: the selection goes",
       [&] {
         const QRect row = list->visualRect(list->currentIndex());
         QPoint openedAt;
         chooseInMenu(list, WindowText::OnlyWithRomArchive, &openedAt);
         EXPECT_EQ(openedAt, list->viewport()->mapToGlobal(row.bottomLeft()));
       },
       strings({"Zeta", "Mid"}), "2/3", ""},
      {"a shown game selected", [&] { selectShownGame(list, QStringLiteral("Zeta")); },
       strings({"Zeta", "Mid"}), "2/3", "a.drv"},
      {"and filtered by name", [&] { field->setText(QStringLiteral("a")); }, strings({"Zeta"}),
       "1/3", "a.drv"},
      {"the archive comes", [&] { m_base.write(QStringLiteral("roms/b.drv.zip"), "stand-in"); },
       strings({"Zeta", "Alpha"}), "2/3", "a.drv"},
      {"the filter cleared", [&] { field->clear(); }, strings({"Zeta", "Alpha", "Mid"}), "3/3",
       "a.drv"},
      {"all games again, the selection kept",
       [&] { chooseInMenu(list, WindowText::OnlyWithRomArchive); },
       strings({"Zeta", "Alpha", "Mid"}), "3", "a.drv"},
  };
  for (const auto& step : steps) {
    step.act();
    ASSERT_TRUE(showsGames(list, step.shown))
        << step.step << ": " << shownGames(list).join(u'|').toStdString();
    EXPECT_EQ(count->text(), QLatin1String(step.count)) << step.step;
    EXPECT_EQ(selectedFile(list), QLatin1String(step.selected)) << step.step;
    EXPECT_EQ(play->isEnabled(), *step.selected != '\0') << step.step;
  }
}

bool isRed(QRgb colour) {
  return qAlpha(colour) == 255 && qRed(colour) > 200 && qGreen(colour) < 60 && qBlue(colour) < 60;
}

TEST_F(ViewChoices, ThePreviewKeepsItsShapeOnTheAreasBackground) {
  WindowOnBase main(m_base);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main.window()));
  auto* image = main.child<PreviewImage>("imgAmostra");
  auto* area = main.child<QWidget>("panImagem");
  selectShownGame(driverList(main), QStringLiteral("Zeta"));
  const QPoint edge(0, image->height() / 2);
  const QPoint middle(image->width() / 2, image->height() / 2);
  const QRgb background = image->palette().color(QPalette::Window).rgb();

  EXPECT_TRUE(isRed(drawnAlone(image).pixel(edge))) << "stretched";
  EXPECT_EQ(chooseInMenu(area, WindowText::KeepPictureShape),
            QStringList{unchecked(WindowText::KeepPictureShape)});
  EXPECT_EQ(drawnAlone(image).pixel(edge), background);
  EXPECT_TRUE(isRed(drawnAlone(image).pixel(middle)));
  chooseInMenu(area, WindowText::KeepPictureShape);
  EXPECT_TRUE(isRed(drawnAlone(image).pixel(edge))) << "stretched again";
}

TEST_F(ViewChoices, TheChoicesAreRememberedForTheNextWindow) {
  const RememberedHome home;  // one configuration folder for both windows
  {
    WindowOnBase first(m_base);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&first.window()));
    chooseInMenu(driverList(first), WindowText::OrderByGameName);
    chooseInMenu(driverList(first), WindowText::OnlyWithRomArchive);
    chooseInMenu(first.child<QWidget>("panImagem"), WindowText::KeepPictureShape);
  }
  // The last game played is found among the rows as they are ordered, not by its file's place.
  RememberedView(home.filePath()).rememberLastPlayed(m_base.path(), "a.drv");
  WindowOnBase next(m_base);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&next.window()));
  EXPECT_EQ(shownGames(driverList(next)), (strings({"Mid", "Zeta"})));
  EXPECT_EQ(selectedFile(driverList(next)), QStringLiteral("a.drv"));
  EXPECT_EQ(next.child<QLabel>("panTotalDrivers")->text(), QStringLiteral("2/3"));
  EXPECT_TRUE(next.child<PreviewImage>("imgAmostra")->keepsShape());
  EXPECT_EQ(
      chooseInMenu(driverList(next), WindowText::OrderByGameName),
      (QStringList{checked(WindowText::OrderByGameName), unchecked(WindowText::OrderByFileName),
                   checked(WindowText::OnlyWithRomArchive)}));
}

// A choice that cannot be remembered holds for this run, and no box says so.
TEST_F(ViewChoices, AChoiceThatCannotBeRememberedHoldsQuietly) {
  const QString notAFolder = m_base.write(QStringLiteral("not-a-folder"), "a file");
  const EnvironmentOverride configHome("XDG_CONFIG_HOME", QFile::encodeName(notAFolder));
  DriversWindow page(m_base);
  ASSERT_TRUE(page.becomesActive());
  chooseInMenu(page.list, WindowText::OrderByGameName);
  EXPECT_EQ(shownGames(page.list), strings({"Alpha", "Mid", "Zeta"}));
  EXPECT_TRUE(page.boxes.texts().isEmpty()) << page.boxes.texts().join(u'|').toStdString();
}

}  // namespace
}  // namespace vorlane::test
