#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"

namespace vorlane::test {
namespace {

QString spokenName(QObject* control) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  return accessible == nullptr ? QStringLiteral("<not accessible>")
                               : accessible->text(QAccessible::Name);
}

// The name of the control that labels this one. On Linux a drop-down list's own name is its
// current item; screen readers announce the label through this relation.
QString labelName(QObject* control) {
  const auto labels = QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label);
  return labels.isEmpty() ? QStringLiteral("<no label>")
                          : labels.front().first->text(QAccessible::Name);
}

void layOutBase(const TempBase& base, int drivers) {
  base.writeEmulatorConfig({.romDir = ".\\roms", .drvDir = ".\\drivers"});
  base.makeDir(QStringLiteral("drivers"));
  for (int i = 0; i < drivers; ++i) {
    base.write(QStringLiteral("drivers/game%1.drv").arg(i),
               driverText("Game " + QByteArray::number(i)));
  }
}

TEST(ScreenReaderNames, EveryListedControlIsNamedByItsLabelOrPurpose) {
  TempBase base;
  layOutBase(base, 13);
  WindowOnBase main(base);

  const struct {
    const char* control;
    const char* name;
  } cases[] = {
      {"lstDrivers", "Drivers"},
      {"panTotalDrivers", "13 drivers"},
      {"panImagem", "Amostra"},
      {"imgAmostra", "Imagem da amostra"},
      // Each field by its own label, not by the group box around all three.
      {"edtRomDir", "Roms:"},
      {"edtLogDir", "Log:"},
      {"edtDrvDir", "Drv:"},
      {"edtLinhaComando", "Linha de comando"},
      {"chkSom", "Habilitar som"},
      {"btnExecutar", "Executar"},
      {"Memo1", "Sobre o Vorlane"},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(spokenName(main.child<QWidget>(example.control)), text(example.name))
        << example.control;
  }

  const struct {
    const char* control;
    const char* label;
  } labelled[] = {
      {"edtRomDir", "Roms:"},         {"edtLogDir", "Log:"},          {"edtDrvDir", "Drv:"},
      {"cboResolucao", "Resolução:"}, {"cboFrameskip", "Frameskip:"}, {"cboIdioma", "Idioma:"},
  };
  for (const auto& example : labelled) {
    EXPECT_EQ(labelName(main.child<QWidget>(example.control)), text(example.label))
        << example.control;
  }
}

TEST(ScreenReaderNames, EveryControlThatTakesTheFocusHasAName) {
  TempBase base;
  layOutBase(base, 2);
  WindowOnBase main(base);

  QSet<QString> unnamed;
  for (QWidget* control : main.window().findChildren<QWidget*>()) {
    // A drop-down list's pop-up is a window of its own, named while it shows.
    const bool inWindow = control->window() == &main.window();
    if (inWindow && control->focusPolicy() != Qt::NoFocus && spokenName(control).isEmpty()) {
      unnamed.insert(control->objectName());
    }
  }
  EXPECT_TRUE(unnamed.isEmpty()) << QStringList(unnamed.values()).join(u' ').toStdString();
}

TEST(ScreenReaderNames, CountSaysWhatItCounts) {
  const struct {
    int drivers;
    const char* name;
  } cases[] = {{0, "0 drivers"}, {1, "1 driver"}, {2, "2 drivers"}};
  for (const auto& example : cases) {
    TempBase base;
    layOutBase(base, example.drivers);
    WindowOnBase main(base);
    EXPECT_EQ(spokenName(main.child<QWidget>("panTotalDrivers")), text(example.name));
  }

  // While the name filter hides games, the panel shows "shown/total".
  TempBase base;
  layOutBase(base, 13);
  WindowOnBase main(base);
  main.child<QLineEdit>("edtFiltro")->setText(QStringLiteral("game 1"));
  EXPECT_EQ(main.child<QLabel>("panTotalDrivers")->text(), text("4/13"));
  EXPECT_EQ(spokenName(main.child<QWidget>("panTotalDrivers")), text("4 exibidos de 13 drivers"));
  main.child<QLineEdit>("edtFiltro")->clear();
  EXPECT_EQ(spokenName(main.child<QWidget>("panTotalDrivers")), text("13 drivers"));
}

TEST(ScreenReaderNames, ControlsALanguageLeavesWithoutCaptionKeepTheirBuiltInName) {
  TempBase base;
  layOutBase(base, 1);
  base.write(QStringLiteral("vorlane.lng"),
             "[Mute]\r\nchkSom=\r\nbtnExecutar=\r\ntabSobre=\r\nchkModoDebug=Debug &mode\r\n"
             "[English]\r\nchkSom=Sound\r\n");
  base.write(QStringLiteral("vorlane.ini"), "[Configuracao]\r\nIdioma=Mute\r\n");
  WindowOnBase main(base);

  EXPECT_TRUE(main.child<QAbstractButton>("chkSom")->text().isEmpty());
  EXPECT_EQ(spokenName(main.child<QWidget>("chkSom")), text("Habilitar som"));
  EXPECT_EQ(spokenName(main.child<QWidget>("btnExecutar")), text("Executar"));
  EXPECT_EQ(spokenName(main.child<QWidget>("chkModoDebug")), text("Debug mode"));
  QTabBar* tabs = main.child<QTabWidget>("PageControl1")->tabBar();
  QAccessibleInterface* tabList = QAccessible::queryAccessibleInterface(tabs);
  ASSERT_GE(tabList->childCount(), 4);
  EXPECT_EQ(tabList->child(3)->text(QAccessible::Name), text("Sobre"));

  // A language that gives the caption again gives the control its caption as its name.
  main.child<QComboBox>("cboIdioma")->setCurrentIndex(1);
  main.child<QPushButton>("btnAplicar")->click();
  EXPECT_EQ(spokenName(main.child<QWidget>("chkSom")), text("Sound"));
}

}  // namespace
}  // namespace vorlane::test
