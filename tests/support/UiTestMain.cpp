#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/EnvironmentOverride.h"
#include "ui/Application.h"

// Window tests need one application object for the whole run, a cache folder of their own for
// the logs that no Log folder takes, and a configuration folder of their own: the window reads
// and writes what it remembers there.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vorlane::setUpApplication(app);
  const QTemporaryDir cache;
  const vorlane::test::EnvironmentOverride cacheHome("XDG_CACHE_HOME",
                                                     QFile::encodeName(cache.path()));
  const QTemporaryDir config;
  const vorlane::test::EnvironmentOverride configHome("XDG_CONFIG_HOME",
                                                      QFile::encodeName(config.path()));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
