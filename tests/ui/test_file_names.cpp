// Names that are not UTF-8, as unpacked from old archives, through the whole window: listed,
// shown as Windows-1252, edited and saved, and handed to the programs as their own bytes, while
// an archive named in a Windows-1252 driver's text is the UTF-8 name of that text.
#include <cstdlib>
#include <memory>

#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include "core/text/NativeText.h"
#include "support/NativeFiles.h"
#include "support/Polling.h"
#include "support/TempBase.h"
#include "support/UiHarness.h"
#include "ui/MainWindow.h"
#include "ui/editor/DriverEditor.h"

namespace vorlane::test {
namespace {

// Appends "cwd=" and the working directory, "arg=" and each argument, then "end", one a line,
// to `log`, byte for byte.
QByteArray standInScript(const QByteArray& log) {
  return "#!/bin/sh\n"
         "{ printf 'cwd=%s\\n' \"$(pwd -P)\"; for a in \"$@\"; do printf 'arg=%s\\n' \"$a\"; "
         "done; printf 'end\\n'; } >> '" +
         log + "'\n";
}

// The lines of the `count`th complete record of a log, "end" left out; none while it is not there.
QList<QByteArray> recordOf(const QByteArray& text, int count) {
  QList<QByteArray> record;
  int found = 0;
  for (const QByteArray& line : text.split('\n')) {
    if (line != "end") {
      record.append(line);
    } else if (++found == count) {
      return record;
    } else {
      record.clear();
    }
  }
  return {};
}

// The lines of the `count`th record in `log`, once it is there.
QList<QByteArray> waitForRecord(const QByteArray& log, int count) {
  QList<QByteArray> record;
  if (!pollUntil([&] { return !(record = recordOf(readNativeFile(log), count)).isEmpty(); },
                 10000)) {
    ADD_FAILURE() << "no record " << count << " in " << log.toStdString();
  }
  return record;
}

QByteArray physicalPath(const QByteArray& path) {
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.constData(), nullptr),
                                                         &std::free);
  return real ? QByteArray(real.get()) : QByteArray();
}

TEST(FileNames, NamesThatAreNotUtf8WorkEndToEnd) {
  const TempBase root;
  const QByteArray rootPath = encodeNative(root.path());
  const NativeDirectory created(rootPath + "/caf\xE9 emu");
  const QByteArray& base = created.path();
  const QByteArray emulatorLog = rootPath + "/emulator.log";
  const QByteArray checksumLog = rootPath + "/checksum.log";
  makeNativeDirectory(base + "/drivers");
  makeNativeDirectory(base + "/tools");
  makeNativeDirectory(base + "/roms");
  writeNativeFile(base + "/roms/caf\xC3\xA9.zip", "zip");
  writeNativeFile(base + "/tessik.ini", "Romdir       .\\roms\\\r\nDrvdir       .\\drivers\r\n");
  const QByteArray driver = "[Video]\r\nDIRECTORY    caf\xE9\r\n";
  writeNativeFile(base + "/drivers/caf\xE9.drv", driver);
  writeNativeFile(base + "/drivers/pebble picnic.drv", "GAMENAME     Pebble Picnic\r\n");
  writeNativeFile(
      base + "/vorlane.ini",
      "[Configuracao]\r\nUtilizaLInhaComando=1\r\nLinhaComando=-cfg \"caf\xE9 1.cfg\"\r\n");
  writeNativeFile(base + "/tessik.exe", standInScript(emulatorLog), 0755);
  writeNativeFile(base + "/tools/checksum.exe", standInScript(checksumLog), 0755);

  ErrorBoxLog boxes;
  LaunchFailureLog launchFailures;
  WindowOnBase main(base);
  main.child<QTabWidget>("PageControl1")->setCurrentIndex(0);

  // Listed, counted and shown as Windows-1252.
  EXPECT_EQ(shownGames(driverList(main)),
            QStringList({text("caf\u00E9.drv"), text("Pebble Picnic")}));
  EXPECT_EQ(main.child<QLabel>("panTotalDrivers")->text(), text("2"));
  clickDriver(main, 0);
  EXPECT_EQ(main.child<QLabel>("panNomeDriver")->text(), text("caf\u00E9.drv"));

  // The programs get the bytes on disk (the custom line's too) and the file name; the archive
  // path, one argument too, holds the driver text's name in UTF-8.
  const QByteArray dirBase = physicalPath(base);
  clickButton(main, "btnExecutar");
  const QList<QByteArray> play = {"cwd=" + dirBase, "arg=-cfg", "arg=caf\xE9 1.cfg",
                                  "arg=caf\xE9.drv"};
  EXPECT_EQ(waitForRecord(emulatorLog, 1), play);
  clickButton(main, "btnChecksum");
  const QList<QByteArray> checksum = {"cwd=" + dirBase, "arg=" + dirBase + "/roms/caf\xC3\xA9.zip"};
  EXPECT_EQ(waitForRecord(checksumLog, 1), checksum);
  clickDriver(main, 1);
  clickButton(main, "btnExecutar");
  EXPECT_EQ(waitForRecord(emulatorLog, 2).value(3), "arg=pebble picnic.drv");

  // Opened, edited and saved in its own encoding.
  clickDriver(main, 0);
  answerNextModal([&](QWidget* modal) {
    EXPECT_EQ(modal->windowHandle()->title(), text("Vorlane Driver Editor - ") +
                                                  displayPath(decodeNative(dirBase)) +
                                                  text("/drivers/caf\u00E9.drv"));
    auto* memo = modal->findChild<QPlainTextEdit*>(QStringLiteral("MemoEditor"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->toPlainText(), text("[Video]\nDIRECTORY    caf\u00E9\n"));
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, text("\u00E9"), Qt::NoModifier);
    QTest::mouseClick(modal->findChild<QToolButton*>(QStringLiteral("tbtnSalvar")), Qt::LeftButton);
    modal->close();
  });
  clickButton(main, "btnEditar");
  EXPECT_EQ(readNativeFile(base + "/drivers/caf\xE9.drv"), driver + "\xE9");

  EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
  EXPECT_TRUE(launchFailures.texts().isEmpty()) << launchFailures.texts().join(u'|').toStdString();
}

}  // namespace
}  // namespace vorlane::test
