#include "core/catalogue/PreviewFile.h"

#include <gtest/gtest.h>

#include "../support/TempBase.h"

namespace vorlane {
namespace {

using test::TempBase;

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
    EXPECT_EQ(findPreviewFile(base.path(), QStringLiteral("game.drv")), expected);
  }
}

}  // namespace
}  // namespace vorlane
