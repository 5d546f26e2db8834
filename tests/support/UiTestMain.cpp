#include <QApplication>

#include <gtest/gtest.h>

#include "ui/Application.h"

// Window tests need one application object for the whole run.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vorlane::setUpApplication(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
