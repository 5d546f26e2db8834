#include "core/catalogue/MarkerColour.h"

#include <algorithm>
#include <cmath>

namespace vorlane {
namespace {

// Steps on the way from the faint colour to the text colour: fine enough that the mark stays
// within a few levels of the least readable colour.
constexpr int kSteps = 64;

double linearChannel(int channel) {
  const double value = channel / 255.0;
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

int mixChannel(int from, int to, int step) {
  return from + static_cast<int>(std::lround(double(to - from) * step / kSteps));
}

}  // namespace

double relativeLuminance(Rgb colour) {
  return 0.2126 * linearChannel(colour.red) + 0.7152 * linearChannel(colour.green) +
         0.0722 * linearChannel(colour.blue);
}

double contrastRatio(Rgb first, Rgb second) {
  const double a = relativeLuminance(first);
  const double b = relativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Rgb readableMarkerColour(Rgb text, Rgb faint, Rgb background) {
  for (int step = 0; step < kSteps; ++step) {
    const Rgb mixed{mixChannel(faint.red, text.red, step),
                    mixChannel(faint.green, text.green, step),
                    mixChannel(faint.blue, text.blue, step)};
    if (contrastRatio(mixed, background) >= kReadableTextContrast) {
      return mixed;
    }
  }
  return text;
}

}  // namespace vorlane
