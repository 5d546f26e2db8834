#include "support/UiHarness.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

#include <QAbstractButton>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "core/catalogue/MarkerColour.h"
#include "core/start/RememberedFile.h"
#include "ui/MainWindow.h"
#include "ui/common/MessageBoxes.h"
#include "ui/drivers/CatalogueModel.h"
#include "ui/drivers/PreviewImage.h"
#include "ui/editor/DriverEditor.h"

namespace vorlane::test {

namespace {

std::vector<BoxLog*>& liveLogs() {
  static std::vector<BoxLog*> logs;
  return logs;
}

}  // namespace

BoxLog::BoxLog(BoxKind kind) : m_kind(kind) {
  liveLogs().push_back(this);
  setMessageBoxRecorder([](BoxKind shown, const QString& text) {
    for (BoxLog* log : liveLogs()) {
      if (log->m_kind == shown) {
        log->m_texts.append(text);
      }
    }
  });
}

BoxLog::~BoxLog() {
  std::erase(liveLogs(), this);
  if (liveLogs().empty()) {
    setMessageBoxRecorder({});
  }
}

namespace {
int g_livingHomes = 0;
}  // namespace

RememberedHome::RememberedHome()
    : m_configHome("XDG_CONFIG_HOME", QFile::encodeName(m_directory.path())) {
  ++g_livingHomes;
}

RememberedHome::~RememberedHome() {
  --g_livingHomes;
}

bool RememberedHome::isAnyLiving() {
  return g_livingHomes > 0;
}

QString RememberedHome::filePath() const {
  return RememberedFile::defaultPath();
}

WindowOnBase::WindowOnBase(const TempBase& base) : WindowOnBase(QFile::encodeName(base.path())) {}

WindowOnBase::WindowOnBase(const QString& baseDirectory)
    : WindowOnBase(QFile::encodeName(baseDirectory)) {}

WindowOnBase::WindowOnBase(const TempBase& base, std::chrono::milliseconds earlyEndWindow)
    : WindowOnBase(QFile::encodeName(base.path()), earlyEndWindow) {}

WindowOnBase::WindowOnBase(const QByteArray& directory, std::chrono::milliseconds earlyEndWindow)
    : m_previousDirectory(QDir::currentPath()) {
  EXPECT_EQ(::chdir(directory.constData()), 0) << directory.toStdString();
  if (!RememberedHome::isAnyLiving()) {
    m_ownHome.emplace();
  }
  m_window = std::make_unique<MainWindow>(nullptr, earlyEndWindow);
  m_editor = std::make_unique<DriverEditor>();
  m_window->setDriverEditor(m_editor.get());
  m_window->showAsLeft();
}

WindowOnBase::~WindowOnBase() {
  m_window.reset();
  QDir::setCurrent(m_previousDirectory);
}

QWidget* WindowOnBase::findNamed(const char* name) const {
  return m_window->findChild<QWidget*>(QString::fromLatin1(name));
}

QString captionOf(const WindowOnBase& main, const char* control) {
  auto* widget = main.child<QWidget>(control);
  auto* pages = main.child<QTabWidget>("PageControl1");
  if (const int tab = pages->indexOf(widget); tab >= 0) {
    return pages->tabText(tab);
  }
  if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    return group->title();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    return button->text();
  }
  return qobject_cast<QLabel*>(widget)->text();
}

void showPage(WindowOnBase& main, Page page) {
  main.child<QTabWidget>("PageControl1")->setCurrentIndex(page);
}

QListView* driverList(const WindowOnBase& main) {
  return main.child<QListView>("lstDrivers");
}

DriversWindow::DriversWindow(const TempBase& base)
    : main(base),
      list(driverList(main)),
      field(main.child<QLineEdit>("edtFiltro")),
      count(main.child<QLabel>("panTotalDrivers")) {}

bool DriversWindow::becomesActive() {
  return QTest::qWaitForWindowActive(&main.window());
}

QStringList shownGames(const QListView* list) {
  QStringList shown;
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    shown.append(list->model()->index(row, 0).data().toString());
  }
  return shown;
}

bool showsGames(const QListView* list, const QStringList& games) {
  return QTest::qWaitFor([&] { return shownGames(list) == games; }, kShowWait);
}

QString selectedFile(const QListView* list) {
  const QModelIndexList selected = list->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? QString()
                            : selected.front().data(CatalogueModel::FileNameRole).toString();
}

QModelIndex shownIndex(const QListView* list, int catalogueRow) {
  const auto* filter = qobject_cast<const QAbstractProxyModel*>(list->model());
  EXPECT_NE(filter, nullptr) << "the list shows no filter over the catalogue";
  return filter == nullptr ? QModelIndex()
                           : filter->mapFromSource(filter->sourceModel()->index(catalogueRow, 0));
}

QRect catalogueRowRect(const QListView* list, int catalogueRow) {
  return list->visualRect(shownIndex(list, catalogueRow));
}

int selectedCatalogueRow(const QListView* list) {
  const QModelIndexList selected = list->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    return -1;
  }
  const auto* filter = qobject_cast<const QAbstractProxyModel*>(list->model());
  return filter->mapToSource(selected.front()).row();
}

QStringList catalogueFiles(const MainWindow& window) {
  QStringList files;
  for (const DriverRecord& driver : window.catalogue().drivers()) {
    files.append(driver.file);
  }
  return files;
}

void clickDriver(WindowOnBase& main, int row) {
  showPage(main, kDrivers);
  QListView* list = driverList(main);
  ASSERT_TRUE(shownIndex(list, row).isValid()) << "the driver list does not show row " << row;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    catalogueRowRect(list, row).center());
}

void clickButton(WindowOnBase& main, const char* name) {
  showPage(main, kDrivers);
  QTest::mouseClick(main.child<QPushButton>(name), Qt::LeftButton);
}

void clickCheckBox(QWidget* box) {
  QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

void answerNextModal(std::function<void(QWidget* modal)> action, int timeoutMs) {
  auto* timer = new QTimer;
  const QDeadlineTimer deadline(timeoutMs);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr && !deadline.hasExpired()) {
      return;
    }
    timer->stop();
    timer->deleteLater();
    if (modal == nullptr) {
      ADD_FAILURE() << "no modal window opened";
      return;
    }
    action(modal);
  });
  timer->start(10);
}

void runWithoutModal(const std::function<void()>& action, const char* what) {
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [what] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      ADD_FAILURE() << what << " opened";
      modal->close();
    }
  });
  watch.start(10);
  action();
}

QImage drawnAlone(QWidget* widget) {
  QImage drawn(widget->size(), QImage::Format_ARGB32_Premultiplied);
  drawn.fill(Qt::transparent);
  widget->render(&drawn, QPoint(), QRegion(), QWidget::RenderFlags());
  return drawn;
}

bool showsPicture(PreviewImage* image) {
  // What covers the transparent pixels is the area's own drawing.
  const QImage drawn = drawnAlone(image);
  if (!image->accessibleDescription().isEmpty()) {
    return false;
  }
  for (int y = 0; y < drawn.height(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) {
      if (qAlpha(drawn.pixel(x, y)) != 0) {
        return true;
      }
    }
  }
  return false;
}

namespace {

Rgb rgbOf(QRgb pixel) {
  return {qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

}  // namespace

double drawnTextContrast(const QListView* list, int catalogueRow) {
  const QImage drawn = list->viewport()->grab().toImage();
  const QRect row = catalogueRowRect(list, catalogueRow);
  const Rgb background = rgbOf(drawn.pixel(row.right() - 2, row.center().y()));
  double contrast = 1;
  for (int y = row.top(); y <= row.bottom(); ++y) {
    for (int x = row.left(); x <= row.right(); ++x) {
      contrast = std::max(contrast, contrastRatio(rgbOf(drawn.pixel(x, y)), background));
    }
  }
  return contrast;
}

}  // namespace vorlane::test
