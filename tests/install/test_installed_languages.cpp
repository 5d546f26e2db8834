// Runs from the bin directory of an install prefix, beside the installed program (see
// run-installed.sh): the window finds the languages installed with it.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QListView>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include "core/settings/CaptionTable.h"
#include "core/settings/LanguageFile.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/WindowTexts.h"
#include "support/EnvironmentOverride.h"
#include "support/StandInProgram.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/output/ProgramOutputWindow.h"

namespace vorlane::test {
namespace {

constexpr int kWaitMs = 10000;

// An emulator directory as a user has it: no vorlane.lng, no vorlane.ini; one game whose ROM
// archive is missing; a checksum tool that ends once `go` exists; an emulator that fails at once.
void layOut(const TempBase& base) {
  base.writeEmulatorConfig({.romDir = "roms", .logDir = "logs", .drvDir = "drivers"});
  base.makeDir(QStringLiteral("roms"));
  base.makeDir(QStringLiteral("logs"));
  base.write(QStringLiteral("drivers/alpha.drv"), "GAMENAME     Alpha\r\n");
  writeProgram(base, QStringLiteral("tools/checksum.exe"),
               waitForFileLine("go") + "echo checked\n");
  writeProgram(base, QStringLiteral("tessik.exe"), "echo 'no such game' >&2\nexit 1\n");
}

class Shipped {
 public:
  Shipped() : m_file(shippedLanguageFilePath(QCoreApplication::applicationDirPath())) {}

  const QString& path() const { return m_file.path(); }

  // A key's text, read apart from the window's own reading.
  QString text(const QByteArray& language, const char* key) const {
    return QString::fromUtf8(m_file.readString(language, key, "(absent)"));
  }
  QString windowText(const QByteArray& language, WindowText which) const {
    return text(language, windowTextTable()[static_cast<std::size_t>(which)].key);
  }

 private:
  ProfileFile m_file;
};

void expectCaptionsOf(const WindowOnBase& main, const Shipped& shipped,
                      const QByteArray& language) {
  for (const CaptionRow& row : captionTable()) {
    EXPECT_EQ(captionOf(main, row.control), shipped.text(language, row.key))
        << language.constData() << ": " << row.control;
  }
}

QString tipOfFirstGame(WindowOnBase& main) {
  QListView* list = driverList(main);
  const QPoint inRow = catalogueRowRect(list, 0).center();
  QHelpEvent hover(QEvent::ToolTip, inRow, list->viewport()->mapToGlobal(inRow));
  QApplication::sendEvent(list->viewport(), &hover);
  const QString tip = QToolTip::text();
  QToolTip::hideText();
  return tip;
}

TEST(InstalledLanguages, OfferedWhereTheBaseHasNoneAndAppliedToEveryText) {
  const Shipped shipped;
  ASSERT_TRUE(QFile::exists(shipped.path())) << "not run from an install prefix's bin directory";
  // A locale no shipped language serves.
  const EnvironmentOverride locale("LC_ALL", "C");
  TempBase base;
  layOut(base);
  ErrorBoxLog errors;
  LaunchFailureLog failures;
  WindowOnBase main(base);
  EXPECT_TRUE(errors.texts().isEmpty()) << errors.texts().join(u'\n').toStdString();

  auto* languages = main.child<QComboBox>("cboIdioma");
  QStringList offered;
  for (int i = 0; i < languages->count(); ++i) {
    offered.append(languages->itemText(i));
  }
  EXPECT_EQ(offered, (QStringList{text("Português"), text("English"), text("Español")}));
  EXPECT_EQ(languages->currentData(), QByteArray("Portugues")) << "the default language";
  expectCaptionsOf(main, shipped, "Portugues");

  showPage(main, kConfiguration);
  languages->setCurrentIndex(languages->findData(QByteArray("English")));
  QTest::mouseClick(main.child<QWidget>("btnAplicar"), Qt::LeftButton);
  EXPECT_TRUE(errors.texts().isEmpty()) << errors.texts().join(u'\n').toStdString();
  expectCaptionsOf(main, shipped, "English");
  EXPECT_FALSE(QFile::exists(base.filePath(QStringLiteral("vorlane.lng"))));

  // The texts beyond the captions.
  const QString archive = base.filePath(QStringLiteral("roms/alpha.drv.zip"));
  EXPECT_EQ(tipOfFirstGame(main),
            shipped.windowText("English", WindowText::MissingArchive).arg(archive));
  EXPECT_EQ(main.child<QLabel>("panTotalDrivers")->accessibleName(),
            shipped.windowText("English", WindowText::OneDriver));

  clickDriver(main, 0);
  clickButton(main, "btnChecksum");
  const auto windows = main.window().findChildren<ProgramOutputWindow*>();
  ASSERT_EQ(windows.size(), 1);
  const QString checksum = QStringLiteral("checksum.exe");
  EXPECT_EQ(windows.front()->windowTitle(), shipped.windowText("English", WindowText::OutputTitle)
                                                .arg(checksum, QStringLiteral("Alpha")));
  auto* status = windows.front()->findChild<QLabel*>(QStringLiteral("lblEstado"));
  EXPECT_EQ(status->text(),
            shipped.windowText("English", WindowText::ProgramRunning).arg(checksum));
  base.write(QStringLiteral("go"), "");
  const QString ended =
      shipped.windowText("English", WindowText::ProgramEndedWith)
          .arg(checksum, shipped.windowText("English", WindowText::ExitCode).arg(0));
  EXPECT_TRUE(QTest::qWaitFor([&] { return status->text() == ended; }, kWaitMs))
      << status->text().toStdString();

  clickButton(main, "btnExecutar");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !failures.texts().isEmpty(); }, kWaitMs));
  const QStringList lines = failures.texts().front().split(u'\n');
  EXPECT_EQ(lines.front(), shipped.windowText("English", WindowText::EndedAtOnce)
                               .arg(QStringLiteral("tessik.exe"),
                                    shipped.windowText("English", WindowText::ExitCode).arg(1)));
  EXPECT_EQ(lines.back(), shipped.windowText("English", WindowText::WholeLog)
                              .arg(base.filePath(QStringLiteral("logs/tessik-output.log"))));
}

}  // namespace
}  // namespace vorlane::test
