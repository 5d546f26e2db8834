#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/EnvironmentOverride.h"
#include "ui/Application.h"

// Window tests need one application object for the whole run, and a cache folder of their own
// for the logs that no Log folder takes.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vorlane::setUpApplication(app);
  const QTemporaryDir cache;
  const vorlane::test::EnvironmentOverride cacheHome("XDG_CACHE_HOME",
                                                     QFile::encodeName(cache.path()));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
