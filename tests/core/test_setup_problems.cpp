#include <sys/stat.h>

#include <QFile>

#include <gtest/gtest.h>

#include "core/launch/SetupProblems.h"
#include "support/AppliedLanguage.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;
using test::text;

// A directory field's text names a folder, resolved from the base directory like the scan's;
// an empty text names none.
TEST(SetupProblems, AFolderThatIsNotThereIsNamedResolved) {
  const test::AppliedLanguage english("English");
  const TempBase base;
  base.makeDir(QStringLiteral("roms"));
  base.write(QStringLiteral("notes.txt"), "a file, not a folder");
  const QString notFound = QStringLiteral("Folder not found: ") + base.path();
  const struct {
    QString directoryText;
    QString problem;
  } cases[] = {
      {QString(), QString()},
      {QStringLiteral("."), QString()},
      {QStringLiteral("roms"), QString()},
      {QStringLiteral(".\\roms"), QString()},
      {base.filePath(QStringLiteral("roms")), QString()},
      {QStringLiteral("./logs"), notFound + QStringLiteral("/logs")},
      {QStringLiteral("logs\\old"), notFound + QStringLiteral("/logs/old")},
      {QStringLiteral("notes.txt"), notFound + QStringLiteral("/notes.txt")},
      {QStringLiteral("/no/such/folder"), QStringLiteral("Folder not found: /no/such/folder")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(folderProblem(base.path(), c.directoryText), c.problem)
        << c.directoryText.toStdString();
  }
}

// A program is missing, or there and refused by the starter: only a regular file that may be
// executed, or a Windows program (which wine runs whatever its mode), can be started.
TEST(SetupProblems, AProgramThatIsMissingOrCannotRunIsNamed) {
  const test::AppliedLanguage english("English");
  const TempBase base;
  const auto withMode = [&](const char* name, const QByteArray& bytes, mode_t mode) {
    const QString path = base.write(text(name), bytes);
    EXPECT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
    return path;
  };
  const QString runnable = withMode("script", "#!/bin/sh\n", 0755);
  const QString plain = withMode("plain.exe", "#!/bin/sh\n", 0644);
  const QString windows = withMode("windows.exe", "MZ\x90", 0644);
  const QString folder = base.makeDir(QStringLiteral("folder.exe"));
  const QString fifo = base.filePath(QStringLiteral("fifo.exe"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0755), 0);
  const QString dangling = base.filePath(QStringLiteral("dangling.exe"));
  ASSERT_TRUE(QFile::link(base.filePath(QStringLiteral("gone")), dangling));
  const QString missing = base.filePath(QStringLiteral("tools/checksum.exe"));
  const QString underFile = plain + QStringLiteral("/checksum.exe");

  const struct {
    QString program;
    QString problem;
  } cases[] = {
      {runnable, QString()},
      {windows, QString()},
      {plain, QStringLiteral("Program cannot be run: ") + plain},
      {folder, QStringLiteral("Program cannot be run: ") + folder},
      {fifo, QStringLiteral("Program cannot be run: ") + fifo},
      {dangling, QStringLiteral("Program not found: ") + dangling},
      {missing, QStringLiteral("Program not found: ") + missing},
      {underFile, QStringLiteral("Program not found: ") + underFile},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(programProblem(c.program), c.problem) << c.program.toStdString();
  }
}

}  // namespace
}  // namespace vorlane
