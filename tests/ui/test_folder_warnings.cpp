#include <sys/stat.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "core/launch/SetupProblems.h"
#include "core/settings/WindowTexts.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"

namespace vorlane::test {
namespace {

void layOut(const TempBase& base) {
  base.writeEmulatorConfig({.romDir = "roms", .logDir = "./logs", .drvDir = "drivers"});
  base.makeDir(QStringLiteral("roms"));
  base.makeDir(QStringLiteral("drivers"));
}

// Waits until the field's warning sign shows `problem` as its tip and the field's description,
// or is hidden for none.
bool signShows(const QLineEdit* field, const QString& problem) {
  const auto* sign = field->findChild<QAction*>(QStringLiteral("folderWarning"));
  return sign != nullptr && QTest::qWaitFor(
                                [&] {
                                  return sign->isVisible() == !problem.isEmpty() &&
                                         sign->toolTip() == problem &&
                                         field->accessibleDescription() == problem;
                                },
                                kShowWait);
}

bool tipBecomes(const QPushButton* button, const QString& tip) {
  return QTest::qWaitFor([&] { return button->toolTip() == tip; }, kShowWait);
}

// A directory field that names no folder says so inside it, and stops once the folder is made
// or the field names one that is there; no box comes up.
TEST(FolderWarnings, AMissingFolderShowsItsSignUntilThereIsOne) {
  TempBase base;
  layOut(base);
  ErrorBoxLog boxes;
  WindowOnBase main(base);
  // Activation looks again too: once it is past, only the watches tell what changes on disk.
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main.window()));
  auto* roms = main.child<QLineEdit>("edtRomDir");
  auto* logs = main.child<QLineEdit>("edtLogDir");

  const QString logProblem = folderProblem(base.path(), QStringLiteral("./logs"));
  ASSERT_FALSE(logProblem.isEmpty());
  EXPECT_TRUE(signShows(logs, logProblem));
  EXPECT_TRUE(signShows(roms, QString()));

  base.makeDir(QStringLiteral("logs"));
  EXPECT_TRUE(signShows(logs, QString()));

  roms->setText(QStringLiteral("elsewhere"));
  EXPECT_TRUE(signShows(roms, folderProblem(base.path(), QStringLiteral("elsewhere"))));
  roms->setText(QStringLiteral("."));
  EXPECT_TRUE(signShows(roms, QString()));
  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'\n').toStdString();
}

// Play's tip says when the emulator is missing or cannot be run, and clears once it can.
TEST(FolderWarnings, PlaysTipFollowsTheEmulatorOnDisk) {
  TempBase base;
  layOut(base);
  WindowOnBase main(base);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main.window()));
  auto* play = main.child<QPushButton>("btnExecutar");
  const QString program = base.filePath(QStringLiteral("tessik.exe"));

  EXPECT_TRUE(tipBecomes(play, windowText(WindowText::ProgramNotFound).arg(program)));
  base.write(QStringLiteral("tessik.exe"), "#!/bin/sh\n");
  EXPECT_TRUE(tipBecomes(play, windowText(WindowText::ProgramCannotRun).arg(program)));
  ASSERT_EQ(::chmod(QFile::encodeName(program).constData(), 0755), 0);
  EXPECT_TRUE(tipBecomes(play, QString()));
}

}  // namespace
}  // namespace vorlane::test
