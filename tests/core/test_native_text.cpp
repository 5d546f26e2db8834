#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/files/FileAccess.h"
#include "core/files/Paths.h"
#include "core/text/NativeText.h"
#include "support/ErrorOf.h"
#include "support/NativeFiles.h"
#include "support/TempBase.h"

namespace vorlane::test {
namespace {

TEST(NativeText, AnyBytesComeBackAsTheyWere) {
  const QByteArray cases[] = {
      "/plain/path",
      "caf\xC3\xA9 \xF0\x9F\x98\x80",
      "caf\xE9",
      // U+10080: the second half of its surrogate pair lies where escaped bytes go.
      "\xF0\x90\x82\x80",
      "\xF0\x90\x82\x80\x80",
      "\xED\xA0\x80",      // an encoded surrogate
      "\xC0\xAF",          // an overlong "/"
      "\xE2\x82x",         // a sequence cut short
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xFF\xFE\x80",
      "a\xE9\xF0\x9F\x98\x80\x93q\x94",
      "\xEF\xBB\xBFmark",  // a name may begin with the bytes of a byte-order mark
      "\xE9\xEF\xBB\xBFmark",
  };
  for (const QByteArray& bytes : cases) {
    const QString decoded = decodeNative(bytes);
    EXPECT_EQ(encodeNative(decoded), bytes);
    if (QByteArrayView(bytes).isValidUtf8()) {
      EXPECT_EQ(decoded.toUtf8(), bytes) << "UTF-8 reads as UTF-8";
    } else {
      EXPECT_NE(decoded.toUtf8(), bytes) << "Qt's own encoding could not give these bytes back";
    }
  }
}

TEST(NativeText, ShowsEachNameThroughTheTextCodec) {
  EXPECT_EQ(displayPath(decodeNative("/srv/jos\xC3\xA9/caf\xE9/\x93q\x94.drv")),
            text("/srv/jos\u00E9/caf\u00E9/\u201Cq\u201D.drv"));
  EXPECT_EQ(displayPath(text("/srv/caf\u00E9")), text("/srv/caf\u00E9"));
}

// A base directory whose name is not UTF-8, as unpacked from an old archive.
TEST(NativePaths, FilesInAFolderThatIsNotUtf8AreReadAndWritten) {
  const TempBase root;
  const NativeDirectory created(encodeNative(root.path()) + "/caf\xE9");
  const QByteArray& folder = created.path();
  const QString dirBase = decodeNative(folder);

  const QString file = basePath(dirBase, QStringLiteral("tessik.ini"));
  replaceFileAtomically(file, "Romdir       .\r\n");
  EXPECT_EQ(readNativeFile(folder + "/tessik.ini"), "Romdir       .\r\n");
  EXPECT_EQ(readWholeFile(file), "Romdir       .\r\n");

  // Through a link: the target is rewritten and the link stays a link.
  writeNativeFile(folder + "/target\xE9.ini", "old");
  ASSERT_EQ(::symlink("target\xE9.ini", (folder + "/link\xE9.ini").constData()), 0);
  replaceFileAtomically(decodeNative(folder + "/link\xE9.ini"), "new");
  EXPECT_EQ(readNativeFile(folder + "/target\xE9.ini"), "new");
  char target[64] = {};
  ASSERT_GT(::readlink((folder + "/link\xE9.ini").constData(), target, sizeof target - 1), 0);
  EXPECT_EQ(QByteArray(target), "target\xE9.ini");

  // A message names the file as the user reads its name.
  EXPECT_EQ(errorOf([&] { readWholeFile(basePath(dirBase, decodeNative("gone\xE9.ini"))); }),
            QStringLiteral("Cannot open file ") + root.path() + text("/caf\u00E9/gone\u00E9.ini"));

  const QString startDirectory = QDir::currentPath();
  ASSERT_EQ(::chdir(folder.constData()), 0);
  const QString current = currentDirectory();
  QDir::setCurrent(startDirectory);
  EXPECT_EQ(encodeNative(current),
            encodeNative(QFileInfo(root.path()).canonicalFilePath()) + "/caf\xE9");
}

}  // namespace
}  // namespace vorlane::test
