#include "core/start/ProgramInfo.h"

#include <gtest/gtest.h>

#include "support/TempBase.h"

namespace vorlane::test {
namespace {

TEST(WindowVersionText, ShowsTheMinorNumberInTwoDigits) {
  const struct {
    int major;
    int minor;
    const char* shown;
  } cases[] = {{0, 4, "v0.04"}, {0, 10, "v0.10"}, {1, 0, "v1.00"}, {2, 123, "v2.123"}};
  for (const auto& example : cases) {
    EXPECT_EQ(windowVersionText(example.major, example.minor), text(example.shown));
  }
  EXPECT_EQ(mainWindowTitle(), text("Vorlane Frontend v0.04"));
}

}  // namespace
}  // namespace vorlane::test
