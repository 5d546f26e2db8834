#include <gtest/gtest.h>

#include "core/formats/PictureFit.h"

namespace vorlane {
namespace {

TEST(PictureFit, WholePictureCentredSharpWhenGrownSmoothWhenShrunk) {
  const struct {
    const char* what;
    QSize picture;
    QSize area;
    QRect target;
    bool smooth;
  } cases[] = {
      {"the same size", {261, 157}, {261, 157}, {0, 0, 261, 157}, false},
      {"grown by whole multiples only", {80, 60}, {261, 157}, {50, 18, 160, 120}, false},
      {"a tall picture grown upright", {30, 40}, {261, 157}, {85, 18, 90, 120}, false},
      {"shrunk to fit the height", {512, 512}, {261, 157}, {52, 0, 157, 157}, true},
      {"shrunk to fit the width, one side only too large",
       {400, 100},
       {261, 157},
       {0, 46, 261, 65},
       true},
      {"no picture", {0, 0}, {261, 157}, {}, false},
      {"no area", {80, 60}, {0, 157}, {}, false},
  };
  for (const auto& fit : cases) {
    const PictureFit placed = fitPicture(fit.picture, fit.area);
    EXPECT_EQ(placed.target, fit.target) << fit.what;
    EXPECT_EQ(placed.smooth, fit.smooth) << fit.what;
  }
}

}  // namespace
}  // namespace vorlane
