#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "support/Looks.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"

namespace vorlane::test {
namespace {

bool isButtonOrCheckBox(const QWidget* control) {
  return qobject_cast<const QPushButton*>(control) != nullptr ||
         qobject_cast<const QCheckBox*>(control) != nullptr;
}

// Presses Tab until `control` has the focus, as a keyboard user reaches it.
bool tabTo(QWidget* control) {
  for (int press = 0; press < 40 && QApplication::focusWidget() != control; ++press) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  return QApplication::focusWidget() == control;
}

TEST(VisibleFocus, EveryButtonAndCheckBoxOfTheMainWindowShowsTheKeyboardFocus) {
  TempBase base;
  base.writeEmulatorConfig({.romDir = ".", .drvDir = "."});
  base.write(QStringLiteral("alpha.drv"), driverText("Alpha"));
  for (const Look& look : kLooks) {
    LookScope scope(look);
    WindowOnBase main(base);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main.window()));
    clickDriver(main, 0);
    QTabBar* tabs = main.child<QTabWidget>("PageControl1")->tabBar();
    int checked = 0;
    for (const Page page : {kDrivers, kConfiguration, kDip}) {
      showPage(main, page);
      tabs->setFocus();
      QWidget* current = main.child<QTabWidget>("PageControl1")->currentWidget();
      QList<QWidget*> controls = current->findChildren<QWidget*>();
      if (page == kDrivers) {
        controls.append(main.child<QWidget>("btnFechar"));
      }
      for (QWidget* control : controls) {
        if (!isButtonOrCheckBox(control) || !control->isVisible() || !control->isEnabled()) {
          continue;
        }
        const QImage unfocused = control->grab().toImage();
        ASSERT_TRUE(tabTo(control))
            << look.name << ": Tab never reaches " << control->objectName().toStdString();
        EXPECT_TRUE(control->grab().toImage() != unfocused)
            << look.name << ": " << control->objectName().toStdString();
        tabs->setFocus();
        ++checked;
      }
    }
    // Six buttons and fourteen check boxes, none of them disabled here.
    EXPECT_EQ(checked, 20) << look.name;
  }
}

}  // namespace
}  // namespace vorlane::test
