#include "core/catalogue/PreviewFile.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "core/files/FileSystem.h"
#include "support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;

// Returns once the directory's last change lies more than `tick` in the past by the clock.
void waitUntilUnchangedFor(const QString& directory, std::chrono::nanoseconds tick) {
  const QDeadlineTimer deadline(10000);
  for (;;) {
    const std::optional<DirectoryStamp> stamp = directoryStamp(directory);
    ASSERT_TRUE(stamp.has_value()) << directory.toStdString();
    const std::chrono::nanoseconds changed(std::max(stamp->modified, stamp->changed));
    if (std::chrono::system_clock::now().time_since_epoch() - changed > tick) {
      return;
    }
    ASSERT_FALSE(deadline.hasExpired());
    // Until the moment the tick has passed; a later change of the directory moves it on.
    std::this_thread::sleep_until(
        std::chrono::system_clock::time_point(
            std::chrono::duration_cast<std::chrono::system_clock::duration>(changed + tick)) +
        std::chrono::milliseconds(1));
  }
}

TEST(PreviewFile, PathKeepsTheDriverExtension) {
  EXPECT_EQ(previewPath(QStringLiteral("/base"), QStringLiteral("game.drv")),
            QStringLiteral("/base/preview/game.drv.jpg"));
}

TEST(PreviewFile, FindsTheExactFileOrOneDifferingOnlyInCase) {
  const struct {
    const char* name;
    QStringList files;
    QStringList directories;
    QString found;  // relative to the base; empty for none
  } cases[] = {
      {"exact",
       {QStringLiteral("preview/game.drv.jpg")},
       {},
       QStringLiteral("preview/game.drv.jpg")},
      {"without the driver extension", {QStringLiteral("preview/game.jpg")}, {}, QString()},
      {"directory of that name", {}, {QStringLiteral("preview/game.drv.jpg")}, QString()},
      {"no preview directory", {}, {}, QString()},
      {"other case",
       {QStringLiteral("preview/GAME.DRV.JPG")},
       {},
       QStringLiteral("preview/GAME.DRV.JPG")},
      {"exact before other case",
       {QStringLiteral("preview/Game.drv.jpg"), QStringLiteral("preview/game.drv.jpg")},
       {},
       QStringLiteral("preview/game.drv.jpg")},
      {"first of several in other case",
       {QStringLiteral("preview/game.DRV.jpg"), QStringLiteral("preview/Game.drv.JPG")},
       {},
       QStringLiteral("preview/Game.drv.JPG")},
      {"directory in other case skipped",
       {QStringLiteral("preview/gAme.drv.jpg")},
       {QStringLiteral("preview/Game.drv.jpg")},
       QStringLiteral("preview/gAme.drv.jpg")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempBase base;
    for (const QString& file : c.files) {
      base.write(file, "jpeg");
    }
    for (const QString& directory : c.directories) {
      base.makeDir(directory);
    }
    const QString expected = c.found.isEmpty() ? QString() : base.filePath(c.found);
    EXPECT_EQ(PreviewFinder().find(base.path(), QStringLiteral("game.drv")), expected);
  }
}

TEST(PreviewFile, KeptListingFollowsTheFilesAndTheDirectory) {
  const TempBase base;
  const QString pictures = base.makeDir(QStringLiteral("pictures"));
  base.write(QStringLiteral("pictures/a.jpg"), "jpeg");
  base.makeDir(QStringLiteral("preview"));
  const auto link = [&](const char* target, const char* name) {
    ASSERT_TRUE(QFile::link(pictures + QLatin1Char('/') + QLatin1String(target),
                            base.filePath(QStringLiteral("preview/") + QLatin1String(name))));
  };
  link("a.jpg", "GAME.DRV.JPG");
  link("b.jpg", "Game.Drv.Jpg");  // no such picture yet
  // The finder keeps the listing only of a directory left unchanged for a tick; once one has
  // passed, each step below goes through the kept listing.
  constexpr std::chrono::milliseconds kTick(50);
  waitUntilUnchangedFor(base.filePath(QStringLiteral("preview")), kTick);

  PreviewFinder finder(kTick);
  const struct {
    const char* step;
    std::function<void()> change;
    const char* found;  // relative to the base; empty for none
  } steps[] = {
      {"first of two in other case", [] {}, "preview/GAME.DRV.JPG"},
      {"its picture removed",
       [&] { QFile::remove(base.filePath(QStringLiteral("pictures/a.jpg"))); }, ""},
      {"the other one's picture added",
       [&] { base.write(QStringLiteral("pictures/b.jpg"), "jpeg"); }, "preview/Game.Drv.Jpg"},
      {"renamed in the preview directory",
       [&] {
         QDir(base.filePath(QStringLiteral("preview")))
             .rename(QStringLiteral("Game.Drv.Jpg"), QStringLiteral("gAME.drv.jpg"));
       },
       "preview/gAME.drv.jpg"},
      {"preview directory removed",
       [&] { QDir(base.filePath(QStringLiteral("preview"))).removeRecursively(); }, ""},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    s.change();
    const QString found = QString::fromUtf8(s.found);
    EXPECT_EQ(finder.find(base.path(), QStringLiteral("game.drv")),
              found.isEmpty() ? QString() : base.filePath(found));
  }
}

}  // namespace
}  // namespace vorlane
