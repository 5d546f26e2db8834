#include <gtest/gtest.h>

#include "core/catalogue/MarkerColour.h"

namespace vorlane {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

TEST(MarkerColour, ContrastRatiosAreThoseOfTheAccessibilityGuidelines) {
  const struct {
    Rgb first;
    Rgb second;
    double ratio;
  } cases[] = {
      {kBlack, kWhite, 21.0},
      {kWhite, kBlack, 21.0},
      {kWhite, kWhite, 1.0},
      // The lightest grey that keeps 4.5:1 on white, and the next one, which does not.
      {{0x76, 0x76, 0x76}, kWhite, 4.54},
      {{0x77, 0x77, 0x77}, kWhite, 4.48},
      // Green weighs most in luminance, blue least.
      {{0, 255, 0}, kBlack, 15.3},
      {{0, 0, 255}, kBlack, 2.44},
      {{255, 0, 0}, kWhite, 4.0},
  };
  for (const auto& example : cases) {
    EXPECT_NEAR(contrastRatio(example.first, example.second), example.ratio, 0.01)
        << example.first.red << ',' << example.first.green << ',' << example.first.blue;
  }
}

TEST(MarkerColour, StaysAsFaintAsReadingAllows) {
  const struct {
    const char* palette;
    Rgb text;
    Rgb faint;
    Rgb background;
  } cases[] = {
      {"light grey on white", kBlack, {190, 190, 190}, kWhite},
      {"dark", kWhite, {0x6e, 0x6e, 0x6e}, {0x2a, 0x2a, 0x2a}},
      {"tinted", {0x20, 0x20, 0x40}, {0xa0, 0xa0, 0xd0}, {0xf4, 0xf4, 0xe8}},
  };
  for (const auto& example : cases) {
    const Rgb marker = readableMarkerColour(example.text, example.faint, example.background);
    const double ratio = contrastRatio(marker, example.background);
    EXPECT_GE(ratio, kReadableTextContrast) << example.palette;
    // Still a mark: well short of the plain text's contrast.
    EXPECT_LT(ratio, 5.5) << example.palette;
    EXPECT_LT(ratio, contrastRatio(example.text, example.background) - 3) << example.palette;
  }

  // A faint colour that is readable already is kept.
  const Rgb readable{0x60, 0x60, 0x60};
  EXPECT_EQ(readableMarkerColour(kBlack, readable, kWhite), readable);
  // A palette whose own text falls short cannot do better than that text.
  const Rgb weakText{0xa0, 0xa0, 0xa0};
  EXPECT_EQ(readableMarkerColour(weakText, {0xd0, 0xd0, 0xd0}, kWhite), weakText);
}

}  // namespace
}  // namespace vorlane
