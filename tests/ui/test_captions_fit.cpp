#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"

namespace vorlane::test {
namespace {

// The width a control needs to show all of its caption, or all of each of its items, by the
// style's own measure; 0 for a control without a caption.
int neededWidth(QWidget* control) {
  if (auto* group = qobject_cast<QGroupBox*>(control)) {
    return group->minimumSizeHint().width();
  }
  if (qobject_cast<QComboBox*>(control) != nullptr || qobject_cast<QTabBar*>(control) != nullptr ||
      qobject_cast<QAbstractButton*>(control) != nullptr) {
    return control->sizeHint().width();
  }
  auto* label = qobject_cast<QLabel*>(control);
  return label != nullptr && !label->text().isEmpty() ? label->sizeHint().width() : 0;
}

// Every caption and list item of the main window fits its control at the layout's size, with
// the layout's captions, the built-in ones and each language of the demo.
TEST(Captions, FitTheirControlsInEveryLanguage) {
  const QByteArray demoLanguages = [] {
    QFile file(QStringLiteral(VORLANE_DEMO_DIR "/vorlane.lng"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }();
  const struct {
    const char* captions;
    bool emulatorConfig;  // without it the start-up stops before any language is applied
    bool languageFile;
    const char* language;
  } cases[] = {{"layout", false, false, ""},
               {"built-in", true, false, "Portugues"},
               {"Portugues", true, true, "Portugues"},
               {"English", true, true, "English"},
               {"Espanol", true, true, "Espanol"}};
  for (const auto& example : cases) {
    TempBase base;
    ErrorBoxLog boxes;
    if (example.emulatorConfig) {
      base.write(QStringLiteral("tessik.ini"), "Drvdir       .\r\n");
    }
    if (example.languageFile) {
      base.write(QStringLiteral("vorlane.lng"), demoLanguages);
    }
    base.write(QStringLiteral("vorlane.ini"),
               QByteArray("[Configuracao]\r\nIdioma=") + example.language + "\r\n");
    WindowOnBase main(base);
    const int pagesWidth = main.child<QTabWidget>("PageControl1")->width();
    for (QWidget* control : main.window().findChildren<QWidget*>()) {
      // A tab bar's scroll buttons are hidden while its tabs fit.
      if (control->isHidden()) {
        continue;
      }
      const int room = qobject_cast<QTabBar*>(control) != nullptr ? pagesWidth : control->width();
      EXPECT_LE(neededWidth(control), room)
          << example.captions << ": " << control->objectName().toStdString();
    }
  }
}

}  // namespace
}  // namespace vorlane::test
