#include <QSet>

#include <gtest/gtest.h>

#include "core/settings/CaptionTable.h"
#include "core/settings/LanguageFile.h"
#include "core/settings/WindowTexts.h"

namespace vorlane {
namespace {

// The window texts share the caption keys' namespace in the file, and so do a language's name
// and locales: a key of two of them would set two unrelated texts.
TEST(WindowTexts, OneRowPerTextInOrderWithKeysOfTheirOwn) {
  QSet<QByteArray> keys{kLanguageNameKey, kLanguageLocalesKey};
  for (const CaptionRow& row : captionTable()) {
    keys.insert(row.key);
  }
  const std::span<const WindowTextRow> rows = windowTextTable();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(rows[i].text), i) << rows[i].key;
    EXPECT_FALSE(keys.contains(rows[i].key)) << rows[i].key;
    keys.insert(rows[i].key);
    EXPECT_EQ(paddedCaptionKey(rows[i].key).size(), 20) << rows[i].key;
  }
}

}  // namespace
}  // namespace vorlane
