#pragma once

#include <optional>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include "CatalogueBench.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/common/MessageBoxes.h"

namespace vorlane::bench {

// An application on the offscreen platform, so that the figures do not depend on a display
// server.
class OffscreenApplication : public QApplication {
 public:
  OffscreenApplication(int& argc, char** argv) : QApplication(offscreen(argc), argv) {}

 private:
  static int& offscreen(int& argc) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
  }
};

// The program's application as a window benchmark runs it: offscreen, no box waiting for a click,
// and nothing read from or left in the user's remembered file.
class WindowBenchApplication {
 public:
  WindowBenchApplication(int& argc, char** argv) : m_application(argc, argv) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    setUpApplication(m_application);
    setMessageBoxRecorder([](BoxKind, const QString&) {});
  }

 private:
  QTemporaryDir m_config;
  OffscreenApplication m_application;
};

// The main window built and shown on the base directory `base`, made current as the program
// takes it, and its driver list, which must list `games` games.
class WindowOnBase {
 public:
  WindowOnBase(const QString& base, int games) {
    QDir::setCurrent(base);
    m_window.emplace();
    m_window->show();
    QApplication::processEvents();
    m_list = m_window->findChild<QListView*>(QStringLiteral("lstDrivers"));
    if (m_list == nullptr || m_list->model()->rowCount() != games) {
      ::bench::fail("the window did not list the base directory's drivers");
    }
  }

  MainWindow& window() { return *m_window; }
  QListView* list() const { return m_list; }

 private:
  std::optional<MainWindow> m_window;
  QListView* m_list = nullptr;
};

}  // namespace vorlane::bench
