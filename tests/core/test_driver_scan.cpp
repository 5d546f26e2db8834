#include "core/catalogue/DriverScan.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <gtest/gtest.h>

#include "core/catalogue/ShownName.h"
#include "core/errors/Error.h"
#include "core/files/FileSystem.h"
#include "core/files/Paths.h"
#include "core/text/NativeText.h"
#include "support/ChildProcess.h"
#include "support/DriverRecords.h"
#include "support/NativeFiles.h"
#include "support/OpenedFiles.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::strings;
using test::TempBase;

QByteArray driverText(const QByteArray& gameNameLine) {
  return "[Driver]\r\nDIRECTORY    dir\r\n" + gameNameLine + "\r\nCPU          z80\r\n";
}

QStringList filesOf(const DriverScanResult& scan) {
  QStringList files;
  for (const DriverRecord& driver : scan.drivers) {
    files.append(driver.file);
  }
  return files;
}

QList<QByteArray> gameNamesOf(const DriverScanResult& scan) {
  QList<QByteArray> names;
  for (const DriverRecord& driver : scan.drivers) {
    names.append(driver.gameName);
  }
  return names;
}

TEST(DriverScan, DirectoryTextIsResolvedAgainstTheBaseOnly) {
  // root/base is the base directory; root/drivers is reachable only as "../drivers".
  const TempBase root;
  const QString base = root.makeDir(QStringLiteral("base"));
  root.makeDir(QStringLiteral("base/drivers"));
  root.makeDir(QStringLiteral("base/.hidden"));
  root.makeDir(QStringLiteral("drivers"));
  root.makeDir(QStringLiteral("elsewhere"));
  root.write(QStringLiteral("base/file"), "x");
  const QString absolute = root.filePath(QStringLiteral("drivers"));
  const struct {
    QString text;
    QString resolved;   // resolveDirectoryText
    QString directory;  // resolveDriverDirectory
  } cases[] = {
      {QStringLiteral("."), base, base},
      {QStringLiteral("./drivers"), base + QStringLiteral("/drivers"),
       base + QStringLiteral("/drivers")},
      {QStringLiteral(".\\drivers"), base + QStringLiteral("/drivers"),
       base + QStringLiteral("/drivers")},
      {QStringLiteral("..\\drivers"), base + QStringLiteral("/../drivers"),
       base + QStringLiteral("/../drivers")},
      {QStringLiteral("drivers"), base + QStringLiteral("/drivers"),
       base + QStringLiteral("/drivers")},
      {QStringLiteral(".hidden"), base + QStringLiteral("/.hidden"),
       base + QStringLiteral("/.hidden")},
      {QStringLiteral("drivers\\"), base + QStringLiteral("/drivers/"),
       base + QStringLiteral("/drivers")},
      {QStringLiteral(".\\"), base + QStringLiteral("/"), base},
      {absolute, absolute, absolute},
      {absolute + QStringLiteral("//"), absolute + QStringLiteral("//"), absolute},
      {QString(), QString(), base},
      {QStringLiteral("missing"), base + QStringLiteral("/missing"), base},
      {QStringLiteral("file"), base + QStringLiteral("/file"), base},
      // Names only the current directory below could supply.
      {QStringLiteral("elsewhere"), base + QStringLiteral("/elsewhere"), base},
  };
  const QString startDirectory = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(root.path()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(resolveDirectoryText(base, c.text), c.resolved);
    EXPECT_EQ(resolveDriverDirectory(base, c.text), c.directory);
  }
  scanDrivers(base, QStringLiteral("drivers"));
  EXPECT_EQ(QDir::currentPath(), root.path());
  QDir::setCurrent(startDirectory);
}

TEST(DriverScan, ListsDriverFilesOnlyInCaseInsensitiveOrder) {
  const TempBase base;
  for (const char* name :
       {"b.drv", "A.drv", "d.DRV", ".hidden.drv", "notes.txt", "e.drvx", "drv", "target"}) {
    base.write(QString::fromUtf8(name), driverText("GAMENAME     " + QByteArray(name)));
  }
  const QString readOnly = base.write(QStringLiteral("r.drv"), driverText("GAMENAME     r"));
  QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  base.makeDir(QStringLiteral("x.drv"));
  base.makeDir(QStringLiteral("folder"));
  QFile::link(base.filePath(QStringLiteral("target")), base.filePath(QStringLiteral("l.drv")));
  QFile::link(base.filePath(QStringLiteral("folder")), base.filePath(QStringLiteral("ld.drv")));
  QFile::link(base.filePath(QStringLiteral("gone")), base.filePath(QStringLiteral("broken.drv")));
  ASSERT_EQ(mkfifo(base.filePath(QStringLiteral("pipe.drv")).toLocal8Bit().constData(), 0644), 0);

  const DriverScanResult scan = scanDrivers(base.path(), QStringLiteral("."), {}, QLocale::c());
  EXPECT_EQ(scan.directory, base.path());
  EXPECT_EQ(filesOf(scan), strings({"A.drv", "b.drv", "d.DRV", "l.drv", "r.drv"}));
  const QList<QByteArray> games = {"A.drv", "b.drv", "d.DRV", "target", "r"};
  EXPECT_EQ(gameNamesOf(scan), games);
  EXPECT_TRUE(scan.firstUnreadablePath.isEmpty());
}

TEST(DriverScan, GameNamesLoseQuotesAndOuterControlCharacters) {
  const struct {
    const char* file;
    QByteArray content;
    QByteArray name;
  } cases[] = {
      {"a.drv", driverText("DIRECTORY    x"), "a.drv"},
      {"b.drv", driverText("GAMENAME     \"Pac-Man\""), "Pac-Man"},
      {"c.drv", driverText("GAMENAME     Ms. \"Pac\" Man"), "Ms. Pac Man"},
      {"d.drv", driverText("GAMENAME     "), ""},
      {"e.drv",
       driverText("GAMENAME     \" \x01"
                  "Dig Dug\x1F \""),
       "Dig Dug"},
      {"f.drv", driverText("gamename     Xevious"), "Xevious"},
      {"g.drv", driverText("GAMENAME     Caf\xE9 \"\x7F\""), "Caf\xE9 \x7F"},
      {"h\"q\".drv", driverText("CPU          z80"), "hq.drv"},
      {"i.drv", QByteArray(), "i.drv"},
      {"j.drv", driverText("GAMENAME     " + QByteArray(100'000, 'j')),
       QByteArray(kShownNameLength, 'j') + "\xE2\x80\xA6"},
  };
  const TempBase base;
  QList<QByteArray> expected;
  for (const auto& c : cases) {
    base.write(QString::fromUtf8(c.file), c.content);
    expected.append(c.name);
  }
  const DriverScanResult scan = scanDrivers(base.path(), QStringLiteral("."), {}, QLocale::c());
  ASSERT_EQ(scan.drivers.size(), qsizetype{std::size(cases)});
  EXPECT_EQ(gameNamesOf(scan), expected);
}

TEST(DriverScan, DriversThatAreNoRegularFilesAreNotListed) {
  TempBase base;
  base.write(QStringLiteral("alpha.drv"), "GAMENAME Alpha\n");
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), base.filePath(QStringLiteral("zero.drv"))));
  ASSERT_EQ(::mkfifo(encodeNative(base.filePath(QStringLiteral("pipe.drv"))).constData(), 0644), 0);
  ASSERT_TRUE(QFile::link(base.filePath(QStringLiteral("alpha.drv")),
                          base.filePath(QStringLiteral("good-link.drv"))));
  const DriverScanResult scan = scanDrivers(base.path(), QString(), {}, QLocale::c());
  ASSERT_EQ(scan.drivers.size(), 2);
  EXPECT_EQ(scan.drivers[0].file, QStringLiteral("alpha.drv"));
  EXPECT_EQ(scan.drivers[1].file, QStringLiteral("good-link.drv"));
}

TEST(DriverScan, UnreadableFileShowsItsNameAndTheScanGoesOn) {
  const TempBase base;
  QFile::setPermissions(base.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadOther | QFile::ExeOther);
  base.write(QStringLiteral("a.drv"), driverText("GAMENAME     Alpha"));
  const QString locked = base.write(QStringLiteral("b.drv"), driverText("GAMENAME     Beta"));
  base.write(QStringLiteral("c.drv"), driverText("GAMENAME     Gamma"));
  base.write(QStringLiteral("d.drv"), driverText("GAMENAME     Delta"));
  QFile::setPermissions(base.filePath(QStringLiteral("d.drv")), QFile::WriteOwner);
  QFile::setPermissions(locked, QFile::WriteOwner);

  // Root reads every file, so the scan runs as an ordinary user; its outcome comes back as text.
  test::ChildSetup ordinaryUser;
  ordinaryUser.asOrdinaryUser = true;
  const test::ChildOutcome outcome = test::runInChild(ordinaryUser, [&] {
    const DriverScanResult scan = scanDrivers(base.path(), QStringLiteral("."));
    throw Error(QString::fromUtf8(gameNamesOf(scan).join('|')) + QLatin1Char(' ') +
                scan.firstUnreadablePath);
  });
  ASSERT_TRUE(outcome.ranToEnd);
  EXPECT_EQ(outcome.error, QStringLiteral("Alpha|b.drv|Gamma|d.drv ") + locked);
}

TEST(DriverScan, ManyReadersMergeInListOrderAndNameTheFirstUnreadableFile) {
  // Memory at address 0 cannot be read by anyone, root included.
  const QString unreadable = QStringLiteral("/proc/self/mem");
  if (!QFile::exists(unreadable)) {
    GTEST_SKIP() << "no /proc/self/mem";
  }
  const TempBase base;
  const QSet<int> unreadableAt = {37, 38, 150, 599};
  QList<QByteArray> expected(600);
  // Made last to first: files are read in the order of their file numbers, which then need not
  // follow the names.
  for (int i = 599; i >= 0; --i) {
    const QString name = QStringLiteral("g%1.drv").arg(i, 3, 10, QLatin1Char('0'));
    if (unreadableAt.contains(i)) {
      ASSERT_TRUE(QFile::link(unreadable, base.filePath(name)));
      expected[i] = QFile::encodeName(name);
    } else {
      // Some names stand beyond the first block read, some in the middle of a long file.
      const QByteArray before = i % 3 == 0 ? QByteArray(i * 50, 'r') + "\r\n" : QByteArray();
      base.write(name, before + driverText("GAMENAME     Game " + QByteArray::number(i)));
      expected[i] = "Game " + QByteArray::number(i);
    }
  }
  for (int scan = 0; scan < 3; ++scan) {
    const DriverScanResult result = scanDrivers(base.path(), QString(), {}, QLocale::c());
    ASSERT_EQ(result.drivers.size(), 600);
    EXPECT_EQ(gameNamesOf(result), expected);
    EXPECT_EQ(result.firstUnreadablePath, base.filePath(QStringLiteral("g037.drv")));
  }
}

TEST(DriverScan, DirectoryThatMayNotBeListedIsDeniedNotEmpty) {
  const TempBase base;
  const QFile::Permissions openToAll =
      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
  QFile::setPermissions(base.path(), openToAll);
  const struct {
    const char* why;
    QFile::Permissions others;
    const char* outcome;  // the listed files, or the message
  } cases[] = {
      {"neither read nor enter", {}, "File access denied"},
      {"read only", QFile::ReadOther, "File access denied"},
      {"enter only", QFile::ExeOther, "File access denied"},
      {"read and enter", QFile::ReadOther | QFile::ExeOther, "a.drv"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const QString directory = base.makeDir(QString::fromUtf8(c.why));
    base.write(QString::fromUtf8(c.why) + QStringLiteral("/a.drv"), driverText("GAMENAME     A"));
    QFile::setPermissions(directory,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | c.others);

    // Root may list any directory, so the scan runs as an ordinary user.
    test::ChildSetup ordinaryUser;
    ordinaryUser.asOrdinaryUser = true;
    const test::ChildOutcome outcome = test::runInChild(ordinaryUser, [&] {
      throw Error(
          filesOf(scanDrivers(base.path(), QString::fromUtf8(c.why))).join(QLatin1Char('|')));
    });
    ASSERT_TRUE(outcome.ranToEnd);
    EXPECT_EQ(outcome.error, QString::fromUtf8(c.outcome));
    QFile::setPermissions(directory, openToAll);
  }
}

TEST(DriverScan, EveryScanReadsTheDirectoryAgainAndStaysParallel) {
  const TempBase base;
  const auto add = [&](const char* stem) {
    base.write(QString::fromUtf8(stem) + QStringLiteral(".drv"),
               driverText("GAMENAME     Game " + QByteArray(stem)));
  };
  const auto expectParallel = [](const DriverScanResult& scan) {
    for (qsizetype i = 0; i < scan.drivers.size(); ++i) {
      EXPECT_EQ("Game " + QFile::encodeName(scan.drivers[i].file).chopped(4),
                scan.drivers[i].gameName);
    }
  };
  add("m");
  add("k");
  const DriverScanResult first = scanDrivers(base.path(), QStringLiteral("."));
  const DriverScanResult second = scanDrivers(base.path(), QStringLiteral("."));
  expectParallel(first);
  EXPECT_EQ(filesOf(second), filesOf(first));
  EXPECT_EQ(gameNamesOf(second), gameNamesOf(first));

  add("a");
  QFile::remove(base.filePath(QStringLiteral("m.drv")));
  const DriverScanResult third = scanDrivers(base.path(), base.path() + QStringLiteral("/"));
  expectParallel(third);
  EXPECT_EQ(filesOf(third), strings({"a.drv", "k.drv"}));
}

TEST(DriverScan, LongListingIsAnnouncedOnceFromItsHundredAndFirstEntry) {
  for (const int files : {100, 101, 250}) {
    SCOPED_TRACE(files);
    const TempBase base;
    for (int i = 0; i < files; ++i) {
      base.write(QStringLiteral("g%1.drv").arg(i), QByteArray());
    }
    int notices = 0;
    EXPECT_EQ(scanDrivers(base.path(), QString(), [&] { ++notices; }).drivers.size(), files);
    EXPECT_EQ(notices, files > 100 ? 1 : 0);
  }
}

// Old archives unpack names in Windows-1252: such a name and its folder are listed and read
// like any other, and its game name defaults to the name's own bytes.
TEST(DriverScan, NamesThatAreNotUtf8AreListedAndRead) {
  const TempBase root;
  const test::NativeDirectory created(encodeNative(root.path()) + "/jogos \xE9");
  const QByteArray& folder = created.path();
  test::makeNativeDirectory(folder + "/drivers");
  test::writeNativeFile(folder + "/drivers/caf\xE9.drv", "DIRECTORY    caf\xE9\r\n");
  test::writeNativeFile(folder + "/drivers/Cafe.drv", "GAMENAME     Caf\xE9 \"2\"\r\n");
  test::writeNativeFile(folder + "/drivers/d.drv", "GAMENAME     D\r\n");

  const DriverScanResult scan =
      scanDrivers(decodeNative(folder), QStringLiteral(".\\drivers"), {}, QLocale::c());
  EXPECT_EQ(encodeNative(scan.directory), folder + "/drivers");
  ASSERT_EQ(scan.drivers.size(), 3);
  EXPECT_EQ(encodeNative(scan.drivers[0].file), "Cafe.drv");
  EXPECT_EQ(encodeNative(scan.drivers[1].file), "caf\xE9.drv");
  EXPECT_EQ(encodeNative(scan.drivers[2].file), "d.drv");
  const QList<QByteArray> games = {"Caf\xE9 2", "caf\xE9.drv", "D"};
  EXPECT_EQ(gameNamesOf(scan), games);
  EXPECT_TRUE(scan.firstUnreadablePath.isEmpty());
}

// The record of the driver file named `file`.
const DriverRecord& recordOf(const DriverScanResult& scan, const QByteArray& file) {
  for (const DriverRecord& driver : scan.drivers) {
    if (encodeNative(driver.file) == file) {
      return driver;
    }
  }
  ADD_FAILURE() << "no record for " << file.toStdString();
  static const DriverRecord none;
  return none;
}

TEST(DriverScan, MissingRomArchivesAreMarkedOnlyWhenTheRomDirectoryExists) {
  const TempBase base;
  const QString roms = base.makeDir(QStringLiteral("roms"));
  base.write(QStringLiteral("roms/present.zip"), "zip");
  base.write(QStringLiteral("roms/byname.drv.zip"), "zip");
  base.write(QStringLiteral("roms/quoted.zip"), "zip");
  base.write(QStringLiteral("roms/inner/game.zip"), "zip");
  base.write(QStringLiteral("roms/.hidden.zip"), "zip");
  // Named like archives, but nothing the checksum tool could read as one.
  base.makeDir(QStringLiteral("roms/folder.zip"));
  ASSERT_EQ(::mkfifo(encodeNative(roms + QStringLiteral("/fifo.zip")).constData(), 0644), 0);
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), roms + QStringLiteral("/zero.zip")));
  ASSERT_TRUE(
      QFile::link(roms + QStringLiteral("/present.zip"), roms + QStringLiteral("/linked.zip")));
  const struct {
    const char* file;
    QByteArray text;
    const char* missing;  // relative to roms/; empty when not marked
  } cases[] = {
      {"a.drv", "GAMENAME     A\r\nDIRECTORY    present\r\n", ""},
      {"b.drv", "DIRECTORY    absent\r\nGAMENAME     B\r\n", "absent.zip"},
      {"byname.drv", "GAMENAME     C\r\n", ""},
      {"c.drv", "GAMENAME     D\r\n", "c.drv.zip"},
      {"d.drv", "DIRECTORY    \"quoted\"\r\n", ""},
      {"e.drv", "DIRECTORY    folder\r\n", "folder.zip"},
      {"f.drv", "GAMENAME     F\r\nDIRECTORY    sub/deep\r\n", "sub/deep.zip"},
      {"fifo.drv", "DIRECTORY    fifo\r\n", "fifo.zip"},
      {"zero.drv", "DIRECTORY    zero\r\n", "zero.zip"},
      {"linked.drv", "DIRECTORY    linked\r\n", ""},
      // Looked up from the ROM directory as the whole path would be: a leading "/" only joins.
      {"h.drv", "DIRECTORY    /present\r\n", ""},
      {"i.drv", "DIRECTORY    inner/game\r\n", ""},
      {"j.drv", "DIRECTORY    ../roms/present\r\n", ""},
      {"k.drv", "DIRECTORY    /inner/absent\r\n", "/inner/absent.zip"},
      // A name the folder's listing leaves out is there all the same.
      {"l.drv", "DIRECTORY    .hidden\r\n", ""},
      {"m.drv", "DIRECTORY    .gone\r\n", ".gone.zip"},
  };
  for (const auto& c : cases) {
    base.write(QStringLiteral("drivers/") + QString::fromUtf8(c.file), c.text);
  }
  const QString unreadable = base.write(QStringLiteral("drivers/g.drv"), "DIRECTORY    none\r\n");
  QFile::setPermissions(unreadable, {});

  const DriverScanResult marked =
      scanDrivers(base.path(), QStringLiteral("drivers"), {}, QLocale::c(), roms);
  ASSERT_EQ(marked.drivers.size(), qsizetype{std::size(cases)} + 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const QString missing = QString::fromUtf8(c.missing);
    EXPECT_EQ(decodeNative(test::missingArchiveOf(recordOf(marked, c.file))), missing);
  }
  // Only when the file could be read (as root it can: then its archive is missing).
  const bool readable = QFile(unreadable).open(QIODevice::ReadOnly);
  EXPECT_EQ(decodeNative(test::missingArchiveOf(recordOf(marked, "g.drv"))),
            readable ? QStringLiteral("none.zip") : QString());

  for (const QString& absent : {QString(), base.filePath(QStringLiteral("gone"))}) {
    const DriverScanResult unmarked =
        scanDrivers(base.path(), QStringLiteral("drivers"), {}, QLocale::c(), absent);
    EXPECT_EQ(filesOf(unmarked), filesOf(marked));
    EXPECT_EQ(gameNamesOf(unmarked), gameNamesOf(marked));
    for (const DriverRecord& driver : unmarked.drivers) {
      EXPECT_FALSE(driver.archiveMissing) << driver.file.toStdString();
    }
  }
}

// An archive named by the driver's text is looked for under the name the system gives that text
// (UTF-8), whatever the driver's own encoding; one named after the driver file keeps its bytes.
TEST(DriverScan, ArchiveNamesFromDriverTextAreUtf8AndFileNamesKeepTheirBytes) {
  const TempBase base;
  const QByteArray roms = encodeNative(base.makeDir(QStringLiteral("roms")));
  const QByteArray drivers = encodeNative(base.makeDir(QStringLiteral("drivers")));
  test::writeNativeFile(roms + "/caf\xC3\xA9.zip", "zip");
  test::writeNativeFile(roms + "/na\xEFve.zip", "zip");
  test::writeNativeFile(roms + "/b\xE9.drv.zip", "zip");
  const struct {
    QByteArray file;
    QByteArray text;
    QByteArray missing;  // relative to roms/; empty when not marked
  } cases[] = {
      {"windows.drv", "GAMENAME     Caf\xE9\r\nDIRECTORY    caf\xE9\r\n", ""},
      {"utf8.drv", "DIRECTORY    caf\xC3\xA9\r\n", ""},
      // Only the Windows-1252 bytes lie there: the text names another file.
      {"naive.drv", "DIRECTORY    na\xEFve\r\n", "na\xC3\xAFve.zip"},
      {"b\xE9.drv", "GAMENAME     B\r\n", ""},
      {"c\xE9.drv", "GAMENAME     C\r\n", "c\xE9.drv.zip"},
  };
  for (const auto& c : cases) {
    test::writeNativeFile(drivers + '/' + c.file, c.text);
  }
  const DriverScanResult scan =
      scanDrivers(base.path(), QStringLiteral("drivers"), {}, QLocale::c(), decodeNative(roms));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    EXPECT_EQ(test::missingArchiveOf(recordOf(scan, c.file)), c.missing);
  }
}

// The rows as the list shows them: "file=game name", "!" after a game whose archive is missing.
QStringList rowsOf(const QList<DriverRecord>& drivers) {
  QStringList rows;
  for (const DriverRecord& driver : drivers) {
    rows.append(driver.file + u'=' + QString::fromUtf8(driver.gameName) +
                (driver.archiveMissing ? QStringLiteral("!") : QString()));
  }
  return rows;
}

// A refresh opens only the driver files that changed, as the kernel's report of the files opened
// shows, and ends with the rows a full scan gives. A change of the ROM folder opens none.
TEST(DriverScan, ARefreshReadsOnlyTheDriverFilesThatChanged) {
  const TempBase base;
  const QString drivers = base.makeDir(QStringLiteral("drivers"));
  const QString roms = base.makeDir(QStringLiteral("roms"));
  const auto write = [&](const char* file, const char* gameName) {
    base.write(QStringLiteral("drivers/") + QString::fromUtf8(file),
               QByteArray("GAMENAME     ") + gameName + "\r\n");
  };
  for (const char* file : {"a.drv", "b.drv", "c.drv", "d.drv"}) {
    write(file, "Game");
  }
  base.write(QStringLiteral("roms/a.drv.zip"), "PK");
  // Files read at once after they were written keep their stamps only without a tick.
  constexpr std::chrono::nanoseconds kNoTick(0);
  constexpr std::chrono::hours kLongTick(1);
  QList<DriverRecord> known =
      scanDrivers(drivers, drivers, {}, QLocale::c(), roms, nullptr, kNoTick).drivers;
  const QString b = base.filePath(QStringLiteral("drivers/b.drv"));
  const struct {
    const char* change;
    std::function<void()> onDisk;
    FolderChanges changes;
    QStringList opened;
    std::chrono::nanoseconds tick = kNoTick;
  } steps[] = {
      {"nothing", [] {}, {}, {}},
      {"an archive added",
       [&] { base.write(QStringLiteral("roms/b.drv.zip"), "PK"); },
       {false, true},
       {}},
      {"an archive removed",
       [&] { QFile::remove(base.filePath(QStringLiteral("roms/a.drv.zip"))); },
       {false, true},
       {}},
      {"a driver rewritten", [&] { write("b.drv", "Bravo"); }, {true, false}, strings({"b.drv"})},
      {"rewritten at its size, its modification time set back",
       [&] {
         const QDateTime modified = QFileInfo(b).lastModified();
         write("b.drv", "Brave");
         QFile file(b);
         ASSERT_TRUE(file.open(QIODevice::ReadWrite));
         ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
       },
       {true, false},
       strings({"b.drv"})},
      {"renamed",
       [&] {
         QFile::rename(base.filePath(QStringLiteral("drivers/d.drv")),
                       base.filePath(QStringLiteral("drivers/e.drv")));
       },
       {true, false},
       strings({"e.drv"})},
      {"added and removed",
       [&] {
         write("f.drv", "Foxtrot");
         QFile::remove(base.filePath(QStringLiteral("drivers/a.drv")));
       },
       {true, true},
       strings({"f.drv"})},
      // Read within the tick of its change, a file is read again at the next look.
      {"rewritten just before",
       [&] { write("c.drv", "Charlie"); },
       {true, false},
       strings({"c.drv"}),
       kLongTick},
      {"nothing after it", [] {}, {true, false}, strings({"c.drv"})},
      {"the folder gone", [&] { QDir(drivers).removeRecursively(); }, {true, false}, {}},
  };
  test::OpenedFiles opened(drivers);
  for (const auto& step : steps) {
    step.onDisk();
    opened.take();
    known =
        rescanDriverFolder(known, drivers, roms, step.changes, QLocale::c(), nullptr, step.tick);
    EXPECT_EQ(opened.take(), step.opened) << step.change;
    const QList<DriverRecord> full =
        isDirectory(drivers) ? scanDrivers(drivers, drivers, {}, QLocale::c(), roms).drivers
                             : QList<DriverRecord>();
    EXPECT_EQ(rowsOf(known), rowsOf(full)) << step.change;
    opened.take();
  }
}

}  // namespace
}  // namespace vorlane
