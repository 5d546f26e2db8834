#include "support/UiHarness.h"

#include <unistd.h>

#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "ui/DriverEditor.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"

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

WindowOnBase::WindowOnBase(const TempBase& base) : WindowOnBase(QFile::encodeName(base.path())) {}

WindowOnBase::WindowOnBase(const QString& baseDirectory)
    : WindowOnBase(QFile::encodeName(baseDirectory)) {}

WindowOnBase::WindowOnBase(const QByteArray& directory) : m_previousDirectory(QDir::currentPath()) {
  EXPECT_EQ(::chdir(directory.constData()), 0) << directory.toStdString();
  m_window = std::make_unique<MainWindow>();
  m_editor = std::make_unique<DriverEditor>();
  m_window->setDriverEditor(m_editor.get());
  m_window->show();
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

void clickDriver(WindowOnBase& main, int row) {
  showPage(main, kDrivers);
  auto* list = main.child<QListWidget>("lstDrivers");
  ASSERT_LT(row, list->count()) << "the driver list is not filled";
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    list->visualItemRect(list->item(row)).center());
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

}  // namespace vorlane::test
