#include <cstdio>  // jpeglib.h expects FILE and size_t to be declared

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>
#include <jerror.h>

#include "core/errors/ErrorMessages.h"
#include "support/JpegEncoder.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/common/MessageBoxes.h"
#include "ui/drivers/PreviewImage.h"
#include "ui/drivers/PreviewPanel.h"

namespace vorlane::test {
namespace {

const QRgb kRed = qRgb(220, 30, 30);
const QRgb kBlue = qRgb(30, 30, 220);

// tessik.ini pointing at the drivers folder below the base.
void layOutBase(const TempBase& base) {
  base.writeEmulatorConfig({.drvDir = ".\\drivers"});
  base.makeDir(QStringLiteral("drivers"));
}

void addDriver(const TempBase& base, const QString& file, const QByteArray& content) {
  base.write(QStringLiteral("drivers/") + file, content);
}

QByteArray pixelBytes(QRgb colour) {
  const char bytes[] = {static_cast<char>(qRed(colour)), static_cast<char>(qGreen(colour)),
                        static_cast<char>(qBlue(colour))};
  return QByteArray(bytes, 3);
}

// A colour picture, upper half red and lower half blue.
QByteArray redOverBlue(int width, int height) {
  return encodeJpeg({.width = width, .height = height},
                    twoBandSamples(width, height, pixelBytes(kRed), pixelBytes(kBlue)));
}

// A greyscale picture of two rows, `top` over `bottom`.
QByteArray greyRows(int width, char top, char bottom) {
  return encodeJpeg({.width = width, .height = 2, .components = 1, .input = JCS_GRAYSCALE},
                    twoBandSamples(width, 2, QByteArray(1, top), QByteArray(1, bottom)));
}

void addPreview(const TempBase& base, const QString& file, const QByteArray& content) {
  base.write(QStringLiteral("preview/") + file, content);
}

bool isNear(QRgb actual, QRgb expected, int tolerance = 40) {
  return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
         std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
         std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

// The driver list and the panels of the Drivers page.
struct DriversPage {
  explicit DriversPage(WindowOnBase& main)
      : window(main.window()),
        list(driverList(main)),
        image(main.child<PreviewImage>("imgAmostra")),
        panel(main.child<PreviewPanel>("panImagem")),
        name(main.child<QLabel>("panNomeDriver")),
        count(main.child<QLabel>("panTotalDrivers")),
        apply(main.child<QPushButton>("btnAplicar")),
        pages(main.child<QTabWidget>("PageControl1")) {}

  // A click on the row, as a user selects a game.
  void click(int row) {
    pages->setCurrentIndex(0);
    ASSERT_TRUE(shownIndex(list, row).isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      catalogueRowRect(list, row).center());
  }

  void clickApply() {
    pages->setCurrentIndex(1);
    QTest::mouseClick(apply, Qt::LeftButton);
    pages->setCurrentIndex(0);
  }

  // Both captions and the current driver file.
  void expectShowing(const QString& file) const {
    EXPECT_EQ(name->text(), file);
    EXPECT_EQ(panel->caption(), file);
  }

  QImage drawnImage() const { return image->grab().toImage(); }

  // Nothing covers the panel: its background at the top, its caption in the middle.
  void expectCaptionOnly() const {
    const QImage drawn = panel->grab().toImage();
    const QRgb background = drawn.pixel(drawn.width() / 2, 10);
    EXPECT_FALSE(isNear(background, kRed) || isNear(background, kBlue));
    bool captionSeen = false;
    for (int x = 10; x < drawn.width() - 10; ++x) {
      for (int y = drawn.height() / 2 - 6; y <= drawn.height() / 2 + 6; ++y) {
        captionSeen = captionSeen || drawn.pixel(x, y) != background;
      }
      EXPECT_EQ(drawn.pixel(x, 10), background) << x;
    }
    EXPECT_TRUE(captionSeen);
  }

  MainWindow& window;
  QListView* list;
  PreviewImage* image;
  PreviewPanel* panel;
  QLabel* name;
  QLabel* count;
  QPushButton* apply;
  QTabWidget* pages;
};

// No selection and no current row that would look selected.
void expectNoSelection(const DriversPage& page) {
  EXPECT_FALSE(page.list->selectionModel()->hasSelection());
  EXPECT_FALSE(page.list->currentIndex().isValid());
}

TEST(Catalogue, ListsGameNamesInFileOrderWithTheirCount) {
  TempBase base;
  layOutBase(base);
  addDriver(base, QStringLiteral("b.drv"), driverText("Bravo"));
  addDriver(base, QStringLiteral("A.drv"), "CPU          z80\r\n");
  addDriver(base, QStringLiteral("d.DRV"), driverText("\"Delta\""));
  addDriver(base, QStringLiteral("e.drv"), driverText(""));
  addDriver(base, QStringLiteral("f.drv"), driverText("Caf\xE9"));
  addDriver(base, QStringLiteral("g.drv.txt"), driverText("not a driver"));
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  DriversPage page(main);

  EXPECT_TRUE(boxes.texts().isEmpty());
  const QStringList files = {QStringLiteral("A.drv"), QStringLiteral("b.drv"),
                             QStringLiteral("d.DRV"), QStringLiteral("e.drv"),
                             QStringLiteral("f.drv")};
  EXPECT_EQ(catalogueFiles(main.window()), files);
  EXPECT_EQ(shownGames(page.list), QStringList({QStringLiteral("A.drv"), QStringLiteral("Bravo"),
                                                QStringLiteral("Delta"), QString(), text("Café")}));
  EXPECT_EQ(page.count->text(), QStringLiteral("5"));
  expectNoSelection(page);
  page.expectShowing(QString());
  EXPECT_FALSE(showsPicture(page.image));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Catalogue, UnreadableDriverIsNamedOnceAfterTheScanAndTheRestIsListed) {
  // Root reads every ordinary file; memory at address 0 cannot be read by anyone.
  const QString unreadable = QStringLiteral("/proc/self/mem");
  if (!QFile::exists(unreadable)) {
    GTEST_SKIP() << "no /proc/self/mem";
  }
  TempBase base;
  layOutBase(base);
  for (int i = 0; i < 120; ++i) {
    addDriver(base, QStringLiteral("g%1.drv").arg(i, 3, 10, QLatin1Char('0')), driverText("Game"));
  }
  for (const char* link : {"m1.drv", "m2.drv"}) {
    ASSERT_TRUE(QFile::link(unreadable, base.filePath(QStringLiteral("drivers/")) + text(link)));
  }
  QStringList boxes;
  QList<bool> busyDuringBox;
  setMessageBoxRecorder([&](BoxKind, const QString& text) {
    boxes.append(text);
    busyDuringBox.append(QApplication::overrideCursor() != nullptr);
  });
  WindowOnBase main(base);
  DriversPage page(main);
  setMessageBoxRecorder({});

  const QString first = base.filePath(QStringLiteral("drivers/m1.drv"));
  EXPECT_EQ(boxes, QStringList({messages::cannotOpenFile(first) + QLatin1Char('.')}));
  EXPECT_EQ(busyDuringBox, QList<bool>({false}));
  EXPECT_EQ(page.count->text(), QStringLiteral("122"));
  EXPECT_EQ(shownGames(page.list).mid(120),
            QStringList({QStringLiteral("m1.drv"), QStringLiteral("m2.drv")}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Catalogue, RescansStayParallelAndLeaveThePreviewAndNameAlone) {
  TempBase base;
  layOutBase(base);
  addDriver(base, QStringLiteral("k.drv"), driverText("Game k"));
  addDriver(base, QStringLiteral("m.drv"), driverText("Game m"));
  addPreview(base, QStringLiteral("m.drv.jpg"), redOverBlue(16, 16));
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  DriversPage page(main);
  page.click(1);
  page.expectShowing(QStringLiteral("m.drv"));

  // A driver added since the last scan shows at the next, even with the same directory.
  addDriver(base, QStringLiteral("a.drv"), driverText("Game a"));
  for (int scan = 0; scan < 2; ++scan) {
    SCOPED_TRACE(scan);
    page.clickApply();
    const QStringList files = catalogueFiles(main.window());
    ASSERT_EQ(files.size(), 3);
    ASSERT_EQ(shownGames(page.list).size(), 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(shownGames(page.list).at(i), QStringLiteral("Game ") + files[i].chopped(4));
    }
    EXPECT_EQ(page.count->text(), QStringLiteral("3"));
    expectNoSelection(page);
    page.expectShowing(QStringLiteral("m.drv"));
    EXPECT_TRUE(showsPicture(page.image));
  }
  EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST(Catalogue, SelectionShowsThePreviewFileOfTheDriverOrEmptiesTheArea) {
  TempBase base;
  layOutBase(base);
  const struct {
    const char* driver;
    const char* previewFile;  // laid out in preview/, a directory when it ends in "/"
    bool picture;
  } cases[] = {
      {"b.drv", nullptr, false},
      {"c.drv", "c.drv.jpg/", false},
      {"d.drv", "d.jpg", false},
      {"e.drv", "E.DRV.JPG", true},
  };
  addDriver(base, QStringLiteral("a.drv"), driverText("With picture"));
  addPreview(base, QStringLiteral("a.drv.jpg"), redOverBlue(8, 8));
  for (const auto& c : cases) {
    addDriver(base, text(c.driver), driverText(c.driver));
    const QString preview = c.previewFile == nullptr ? QString() : text(c.previewFile);
    if (preview.endsWith(QLatin1Char('/'))) {
      base.makeDir(QStringLiteral("preview/") + preview);
    } else if (!preview.isEmpty()) {
      addPreview(base, preview, redOverBlue(8, 8));
    }
  }
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  DriversPage page(main);
  for (int i = 0; i < int(std::size(cases)); ++i) {
    SCOPED_TRACE(cases[i].driver);
    page.click(0);
    ASSERT_TRUE(showsPicture(page.image));
    page.click(i + 1);
    EXPECT_EQ(selectedCatalogueRow(page.list), i + 1);
    page.expectShowing(text(cases[i].driver));
    EXPECT_EQ(showsPicture(page.image), cases[i].picture);
    if (!cases[i].picture) {
      page.expectCaptionOnly();
    }
  }
  EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST(Catalogue, PictureFillsTheWholeAreaByWholeRowsAndColumns) {
  const struct {
    const char* why;
    QByteArray jpeg;
    QRgb top;
    QRgb bottom;
  } cases[] = {
      {"small colour", redOverBlue(10, 10), kRed, kBlue},
      {"wide colour", redOverBlue(2000, 500), kRed, kBlue},
      // Two rows of grey, with no chroma to blur the edge between them in the decode.
      {"greyscale", greyRows(3, 60, char(200)), qRgb(60, 60, 60), qRgb(200, 200, 200)},
  };
  TempBase base;
  layOutBase(base);
  for (int i = 0; i < int(std::size(cases)); ++i) {
    addDriver(base, QStringLiteral("p%1.drv").arg(i), driverText("Picture"));
    addPreview(base, QStringLiteral("p%1.drv.jpg").arg(i), cases[i].jpeg);
  }
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  DriversPage page(main);
  for (int i = 0; i < int(std::size(cases)); ++i) {
    SCOPED_TRACE(cases[i].why);
    page.click(i);
    const QImage drawn = page.drawnImage();
    ASSERT_EQ(drawn.size(), QSize(261, 157));
    for (const QPoint corner : {QPoint(0, 0), QPoint(260, 0)}) {
      EXPECT_TRUE(isNear(drawn.pixel(corner), cases[i].top)) << corner.x();
    }
    for (const QPoint corner : {QPoint(0, 156), QPoint(260, 156)}) {
      EXPECT_TRUE(isNear(drawn.pixel(corner), cases[i].bottom)) << corner.x();
    }
  }

  // The grey picture's two rows each cover half the area: repeated, never blended into
  // in-between greys, and drawn in grey.
  const QImage grey = page.drawnImage();
  for (int y = 0; y < grey.height(); ++y) {
    const QRgb pixel = grey.pixel(130, y);
    EXPECT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel)) << y;
    const QRgb dark = qRgb(60, 60, 60);
    const QRgb light = qRgb(200, 200, 200);
    EXPECT_TRUE(isNear(pixel, dark, 6) || isNear(pixel, light, 6)) << y;
    EXPECT_TRUE(y > 70 || isNear(pixel, dark, 6)) << y;
    EXPECT_TRUE(y < 86 || isNear(pixel, light, 6)) << y;
  }
  EXPECT_TRUE(boxes.texts().isEmpty());
}

// A picture that cannot be decoded shows its message in the preview area, never a box that would
// take the keys the user types, and the panel names the selected game.
TEST(Catalogue, PictureThatCannotBeDecodedShowsItsMessageInTheArea) {
  TempBase base;
  layOutBase(base);
  addDriver(base, QStringLiteral("a.drv"), driverText("Good"));
  addDriver(base, QStringLiteral("b.drv"), driverText("Text"));
  addDriver(base, QStringLiteral("e.drv"), driverText("Empty"));
  addPreview(base, QStringLiteral("a.drv.jpg"), redOverBlue(8, 8));
  addPreview(base, QStringLiteral("b.drv.jpg"), "this is text, not a picture\r\n");
  addPreview(base, QStringLiteral("e.drv.jpg"), QByteArray());
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  DriversPage page(main);
  page.click(0);

  // The header is read at selection; an empty file fails only when the area is first drawn.
  const struct {
    int row;
    const char* file;
    QString failure;
  } cases[] = {
      {1, "b.drv", messages::jpegError(JERR_NO_SOI) + QStringLiteral("\nb.drv.jpg")},
      {2, "e.drv", messages::jpegError(JERR_INPUT_EMPTY) + QStringLiteral("\ne.drv.jpg")},
  };
  for (const auto& example : cases) {
    page.click(example.row);
    const QImage drawn = page.drawnImage();
    QApplication::processEvents();
    page.expectShowing(text(example.file));
    EXPECT_EQ(selectedCatalogueRow(page.list), example.row);
    EXPECT_EQ(page.image->accessibleDescription(), example.failure);
    EXPECT_FALSE(isNear(drawn.pixel(130, 10), kRed)) << example.file;
    bool messageDrawn = false;
    for (int y = 0; y < drawn.height() && !messageDrawn; ++y) {
      for (int x = 0; x < drawn.width() && !messageDrawn; ++x) {
        messageDrawn = drawn.pixel(x, y) != drawn.pixel(0, 0);
      }
    }
    EXPECT_TRUE(messageDrawn) << example.file;
  }
  EXPECT_TRUE(boxes.texts().isEmpty());
  page.click(0);
  EXPECT_TRUE(page.image->accessibleDescription().isEmpty());
  EXPECT_TRUE(isNear(page.drawnImage().pixel(130, 10), kRed));
}

TEST(Catalogue, KeyboardSelectionRunsTheHandler) {
  TempBase base;
  layOutBase(base);
  for (const char* file : {"a.drv", "b.drv", "c.drv"}) {
    addDriver(base, text(file), driverText(file));
  }
  addPreview(base, QStringLiteral("b.drv.jpg"), redOverBlue(8, 8));
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  DriversPage page(main);
  page.click(0);
  page.expectShowing(QStringLiteral("a.drv"));

  const struct {
    Qt::Key key;
    int row;
    bool picture;
  } steps[] = {{Qt::Key_Down, 1, true}, {Qt::Key_Down, 2, false}, {Qt::Key_Up, 1, true}};
  for (const auto& step : steps) {
    QTest::keyClick(page.list, step.key);
    EXPECT_EQ(selectedCatalogueRow(page.list), step.row);
    page.expectShowing(catalogueFiles(main.window()).at(step.row));
    EXPECT_EQ(showsPicture(page.image), step.picture);
  }
  EXPECT_TRUE(boxes.texts().isEmpty());
}

}  // namespace
}  // namespace vorlane::test
