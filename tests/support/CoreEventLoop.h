#pragma once

#include <memory>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/process/ProgramReport.h"

namespace vorlane::test {

// A program's report comes through the event loop, which needs the application object.
class CoreEventLoop : public ::testing::Environment {
 public:
  void SetUp() override { m_application = std::make_unique<QCoreApplication>(m_argc, m_argv); }
  void TearDown() override { m_application.reset(); }

 private:
  int m_argc = 1;
  char m_name[5] = "test";
  char* m_argv[2] = {m_name, nullptr};
  std::unique_ptr<QCoreApplication> m_application;
};

// Runs the event loop until the report tells the end, or `ms` have passed.
inline bool waitForEnd(ProgramReport& report, int ms) {
  QEventLoop loop;
  QObject::connect(&report, &ProgramReport::ended, &loop, &QEventLoop::quit);
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  if (!report.hasEnded()) {
    loop.exec();
  }
  return report.hasEnded();
}

// Lets the event loop deliver what comes in for `ms`.
inline void turnEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace vorlane::test
