#include <cstdio>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>

#include "core/files/FolderWatch.h"
#include "core/settings/WindowTexts.h"
#include "support/JpegEncoder.h"
#include "support/OpenedFiles.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/drivers/CatalogueModel.h"
#include "ui/drivers/DriverListFilter.h"
#include "ui/drivers/PreviewImage.h"

namespace vorlane::test {
namespace {

using namespace Qt::StringLiterals;

void layOut(const TempBase& base) {
  base.writeEmulatorConfig({.romDir = "roms", .drvDir = "drivers"});
  base.write(QStringLiteral("drivers/alpha.drv"), driverText("Alpha"));
  base.write(QStringLiteral("drivers/beta.drv"), driverText("Beta"));
  base.write(QStringLiteral("drivers/gamma.drv"), driverText("Gamma"));
  base.write(QStringLiteral("drivers/zed.drv"), driverText("Zed"));
  base.makeDir(QStringLiteral("roms"));
}

// Changes on disk while the window runs: the rows follow, the selected driver file, the filter's
// text and the focus stay, the count follows; no box and no busy pointer.
TEST(LiveRefresh, RowsFollowTheDriverFolderWithSelectionAndFilterKept) {
  TempBase base;
  layOut(base);
  DriversWindow page(base);
  ASSERT_TRUE(page.becomesActive());
  auto& [boxes, main, list, field, count] = page;
  field->setText(QStringLiteral("a"));
  clickDriver(main, 1);
  ASSERT_EQ(selectedFile(list), QStringLiteral("beta.drv"));
  list->setFocus();

  const QString drivers = base.filePath(QStringLiteral("drivers/"));
  const struct {
    const char* change;
    std::function<void()> onDisk;
    QStringList shown;
    const char* count;
  } steps[] = {
      {"added before the selection",
       [&] { base.write(QStringLiteral("drivers/aardvark.drv"), driverText("Aardvark")); },
       {text("Aardvark"), text("Alpha"), text("Beta"), text("Gamma")},
       "4/5"},
      {"removed",
       [&] { QFile::remove(drivers + QStringLiteral("gamma.drv")); },
       {text("Aardvark"), text("Alpha"), text("Beta")},
       "3/4"},
      {"renamed past the selection",
       [&] {
         QFile::rename(drivers + QStringLiteral("alpha.drv"),
                       drivers + QStringLiteral("delta.drv"));
       },
       {text("Aardvark"), text("Beta"), text("Alpha")},
       "3/4"},
      {"the selected game re-titled",
       [&] { base.write(QStringLiteral("drivers/beta.drv"), driverText("Bravo")); },
       {text("Aardvark"), text("Bravo"), text("Alpha")},
       "3/4"},
      {"a filtered-out game re-titled into the filter",
       [&] { base.write(QStringLiteral("drivers/zed.drv"), driverText("Zap")); },
       {text("Aardvark"), text("Bravo"), text("Alpha"), text("Zap")},
       "4/4"},
  };
  for (const auto& step : steps) {
    step.onDisk();
    ASSERT_TRUE(showsGames(list, step.shown))
        << step.change << ": " << shownGames(list).join(u'|').toStdString();
    EXPECT_EQ(count->text(), text(step.count)) << step.change;
    EXPECT_EQ(selectedFile(list), QStringLiteral("beta.drv")) << step.change;
    EXPECT_EQ(field->text(), QStringLiteral("a")) << step.change;
    EXPECT_EQ(QApplication::focusWidget(), list) << step.change;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << step.change;
  }
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

// A refresh that re-titles the selected game out of the filter leaves no selection, and none
// after later changes: a refresh never chooses a game for the user.
TEST(LiveRefresh, ASelectedGameRetitledOutOfTheFilterLeavesNoSelection) {
  TempBase base;
  layOut(base);
  DriversWindow page(base);
  ASSERT_TRUE(page.becomesActive());
  auto& [boxes, main, list, field, count] = page;
  field->setText(QStringLiteral("a"));
  clickDriver(main, 2);
  ASSERT_EQ(selectedFile(list), QStringLiteral("gamma.drv"));

  const struct {
    const char* driver;
    const char* newTitle;
    QStringList shown;
    const char* selected;  // also the name panel's text; empty: nothing selected or shown
  } steps[] = {
      {"drivers/gamma.drv", "Kilo", {text("Alpha"), text("Beta")}, ""},
      {"drivers/alpha.drv", "Echo", {text("Beta")}, ""},
      {"drivers/beta.drv", "Romeo", {}, ""},
  };
  for (const auto& step : steps) {
    base.write(text(step.driver), driverText(step.newTitle));
    ASSERT_TRUE(showsGames(list, step.shown))
        << step.driver << ": " << shownGames(list).join(u'|').toStdString();
    const bool shown = step.selected[0] != '\0';
    EXPECT_EQ(selectedFile(list), text(step.selected)) << step.driver;
    EXPECT_EQ(main.child<QLabel>("panNomeDriver")->text(), text(step.selected)) << step.driver;
    for (const char* button : {"btnExecutar", "btnChecksum", "btnEditar"}) {
      EXPECT_EQ(main.child<QPushButton>(button)->isEnabled(), shown)
          << step.driver << " " << button;
    }
  }
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST(LiveRefresh, AnArchiveAppearingUnmarksItsGame) {
  TempBase base;
  layOut(base);
  WindowOnBase main(base);
  const CatalogueModel& catalogue = main.window().catalogue();
  auto* count = main.child<QLabel>("panTotalDrivers");
  ASSERT_EQ(catalogue.missingArchiveCount(), 4);
  ASSERT_TRUE(catalogue.record(0).archiveMissing);
  const double greyed = drawnTextContrast(driverList(main), 0);

  base.write(QStringLiteral("roms/alpha.drv.zip"), "stand-in");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !catalogue.record(0).archiveMissing; }, kShowWait));
  EXPECT_EQ(catalogue.missingArchiveCount(), 3);
  EXPECT_EQ(count->toolTip(), text("4 drivers, 3 sem arquivo de ROM"));
  // Drawn plain again: the marker's grey is gone.
  EXPECT_GT(drawnTextContrast(driverList(main), 0) * 0.75, greyed);

  // For want of watches the folders are looked at again in turns: the tip says so too.
  auto* filter = main.window().findChild<DriverListFilter*>();
  filter->setFollowedByPolling(true);
  EXPECT_EQ(count->toolTip(),
            text("4 drivers, 3 sem arquivo de ROM\n") + windowText(WindowText::FollowedByPolling));
  filter->setFollowedByPolling(false);
  EXPECT_EQ(count->toolTip(), text("4 drivers, 3 sem arquivo de ROM"));
}

// A preview added, replaced or removed shows at once for the selected game, also when the
// preview folder itself comes only later.
TEST(LiveRefresh, APreviewOfTheSelectedGameShowsAsItChanges) {
  TempBase base;
  layOut(base);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  auto* image = main.child<PreviewImage>("imgAmostra");
  clickDriver(main, 1);
  ASSERT_FALSE(showsPicture(image));

  const QByteArray picture = encodeJpeg({.width = 4, .height = 4}, QByteArray(4 * 4 * 3, '\x60'));
  // Written beside the folder and moved in, as a copy that is complete when it appears.
  const QString whole = base.write(QStringLiteral("beta.jpg"), picture);
  QDir().mkpath(base.filePath(QStringLiteral("preview")));
  ASSERT_TRUE(QFile::rename(whole, base.filePath(QStringLiteral("preview/beta.drv.jpg"))));
  EXPECT_TRUE(QTest::qWaitFor([&] { return showsPicture(image); }, kShowWait));

  QFile::remove(base.filePath(QStringLiteral("preview/beta.drv.jpg")));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !showsPicture(image); }, kShowWait));
  EXPECT_EQ(main.child<QLabel>("panNomeDriver")->text(), QStringLiteral("beta.drv"));
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

// The window's watch on the preview folder.
FolderWatch* previewWatch(WindowOnBase& main) {
  for (auto* watch : main.window().findChildren<FolderWatch*>()) {
    if (watch->folder().endsWith(QStringLiteral("/preview"))) {
      return watch;
    }
  }
  return nullptr;
}

// A change of another file in the preview folder leaves the selected picture as it is; a change
// of its own file reads it again.
TEST(LiveRefresh, TheSelectedPreviewIsReadAgainOnlyWhenItsOwnFileChanges) {
  TempBase base;
  layOut(base);
  const QByteArray picture = encodeJpeg({.width = 4, .height = 4}, QByteArray(4 * 4 * 3, '\x60'));
  base.write(QStringLiteral("preview/beta.drv.jpg"), picture);
  WindowOnBase main(base);
  clickDriver(main, 1);
  ASSERT_TRUE(showsPicture(main.child<PreviewImage>("imgAmostra")));
  FolderWatch* watch = previewWatch(main);
  ASSERT_NE(watch, nullptr);
  QSignalSpy changed(watch, &FolderWatch::changed);
  OpenedFiles opened(base.filePath(QStringLiteral("preview")));

  const struct {
    const char* file;
    QStringList readAgain;
  } steps[] = {
      {"preview/alpha.drv.jpg", {}},
      {"preview/beta.drv.jpg", {QStringLiteral("beta.drv.jpg")}},
  };
  for (const auto& step : steps) {
    base.write(text(step.file), encodeJpeg({.width = 8, .height = 8}, QByteArray(8 * 8 * 3, 'x')));
    opened.take();
    // Told after the window took the change.
    ASSERT_TRUE(changed.wait(kShowWait)) << step.file;
    EXPECT_EQ(opened.take(), step.readAgain) << step.file;
  }
}

// A preview is moved into place whole, as a copy that is complete when it appears.
void putPreview(const TempBase& base, const char* driverFile, const QByteArray& content) {
  const QString whole = base.write(QStringLiteral("preview.part"), content);
  QDir().mkpath(base.filePath(QStringLiteral("preview")));
  const QString path = base.filePath(QStringLiteral("preview/") + text(driverFile) + u".jpg"_s);
  ASSERT_EQ(std::rename(QFile::encodeName(whole).constData(), QFile::encodeName(path).constData()),
            0);
}

// Play, Checksum and Edit Driver are off while nothing is selected. Games sorted in above the
// selected one leave it where it was on screen, and so does a rename of its file, which keeps it
// selected under the new name without the tip that keys would show; a selected game that goes
// leaves no selection, never a neighbour that Play would start.
TEST(LiveRefresh, TheSelectedGameKeepsItsPlaceAndItsGoingLeavesNoSelection) {
  TempBase base;
  layOut(base);
  for (int i = 0; i < 40; ++i) {
    base.write(u"drivers/m%1.drv"_s.arg(i, 2, 10, QLatin1Char('0')), driverText("Mid"));
  }
  putPreview(base, "m29x.drv", encodeJpeg({.width = 4, .height = 4}, QByteArray(4 * 4 * 3, 'x')));
  DriversWindow page(base);
  ASSERT_TRUE(page.becomesActive());
  auto& [boxes, main, list, field, count] = page;
  auto* image = main.child<PreviewImage>("imgAmostra");
  const auto buttonsOn = [&] {
    QList<bool> on;
    for (const char* button : {"btnExecutar", "btnChecksum", "btnEditar"}) {
      on.append(main.child<QPushButton>(button)->isEnabled());
    }
    return on;
  };
  EXPECT_EQ(buttonsOn(), QList<bool>({false, false, false}));
  const QModelIndex middle = list->model()->index(25, 0);
  list->scrollTo(middle, QAbstractItemView::PositionAtCenter);
  list->setCurrentIndex(middle);
  list->setFocus();
  ASSERT_EQ(selectedFile(list), u"m22.drv"_s);
  const int top = list->visualRect(middle).top();
  EXPECT_EQ(buttonsOn(), QList<bool>({true, true, true}));

  const QString drivers = base.filePath(u"drivers/"_s);
  const struct {
    const char* change;
    std::function<void()> onDisk;
    const char* file;  // waited for until the catalogue lists it or, after a removal, does not
    bool listed;
    QString selected;  // also the name panel's text
    bool preview;
  } steps[] = {
      {"25 sorted in above",
       [&] {
         for (int i = 0; i < 25; ++i) {
           base.write(u"drivers/a%1.drv"_s.arg(i, 2, 10, QLatin1Char('0')), driverText("Above"));
         }
       },
       "a24.drv", true, u"m22.drv"_s, false},
      {"renamed", [&] { QFile::rename(drivers + u"m22.drv"_s, drivers + u"m29x.drv"_s); },
       "m29x.drv", true, u"m29x.drv"_s, true},
      {"removed", [&] { QFile::remove(drivers + u"m29x.drv"_s); }, "m29x.drv", false, QString(),
       false},
  };
  for (const auto& step : steps) {
    step.onDisk();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          const QList<DriverRecord>& listed = main.window().catalogue().drivers();
          return std::ranges::any_of(listed, [&](const DriverRecord& driver) {
                   return driver.file == text(step.file);
                 }) == step.listed;
        },
        kShowWait))
        << step.change;
    EXPECT_EQ(selectedFile(list), step.selected) << step.change;
    EXPECT_EQ(main.child<QLabel>("panNomeDriver")->text(), step.selected) << step.change;
    EXPECT_EQ(showsPicture(image), step.preview) << step.change;
    const bool selected = !step.selected.isEmpty();
    EXPECT_EQ(buttonsOn(), QList<bool>({selected, selected, selected})) << step.change;
    if (selected) {
      EXPECT_EQ(list->visualRect(list->currentIndex()).top(), top) << step.change;
    }
    EXPECT_FALSE(QToolTip::isVisible()) << step.change;
  }
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

// Draws the preview now and lets a box it asks for open.
void drawPreview(PreviewImage* image) {
  image->repaint();
  QApplication::processEvents();
}

// A broken preview that a refresh shows fails quietly, in its area: the next change may mend it,
// and boxes would pile up.
TEST(LiveRefresh, ABrokenPreviewShownByARefreshOpensNoBox) {
  TempBase base;
  layOut(base);
  DriversWindow page(base);
  auto& [boxes, main, list, field, count] = page;
  auto* image = main.child<PreviewImage>("imgAmostra");
  const QByteArray notAPicture = "text, not a picture";
  clickDriver(main, 1);

  // Its header reads, and decoding fails as it is drawn.
  putPreview(base, "beta.drv", QByteArray());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        drawPreview(image);
        return !image->accessibleDescription().isEmpty();
      },
      kShowWait));
  const QString failedAsDrawn = image->accessibleDescription();
  // Its header fails as it is read.
  putPreview(base, "beta.drv", notAPicture);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return image->accessibleDescription() != failedAsDrawn; }, kShowWait));

  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

// A driver folder that goes opens no box; when it comes back it is watched again, and so are the
// changes in it. That a folder gone empties the list is the refresh's rule.
TEST(LiveRefresh, AWatchedFolderRemovedAndRecreated) {
  TempBase base;
  layOut(base);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  const QString drivers = base.filePath(QStringLiteral("drivers"));
  const QListView* list = driverList(main);
  ASSERT_EQ(shownGames(list).size(), 4);

  ASSERT_TRUE(QDir(drivers).removeRecursively());
  ASSERT_TRUE(showsGames(list, {}));

  base.write(QStringLiteral("drivers/omega.drv"), driverText("Omega"));
  EXPECT_TRUE(showsGames(list, {text("Omega")}));
  base.write(QStringLiteral("drivers/psi.drv"), driverText("Psi"));
  EXPECT_TRUE(showsGames(list, {text("Omega"), text("Psi")}));
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

}  // namespace
}  // namespace vorlane::test
