#pragma once

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "ui/Application.h"
#include "ui/common/MessageBoxes.h"

namespace vorlane::bench {

// The program's application as a window benchmark runs it: offscreen, no box waiting for a click,
// and nothing read from or left in the user's remembered file.
class WindowBenchApplication {
 public:
  WindowBenchApplication(int& argc, char** argv) : m_application(offscreen(argc), argv) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    setUpApplication(m_application);
    setMessageBoxRecorder([](BoxKind, const QString&) {});
  }

 private:
  static int& offscreen(int& argc) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
  }

  QTemporaryDir m_config;
  QApplication m_application;
};

}  // namespace vorlane::bench
