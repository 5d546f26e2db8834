#pragma once

namespace vorlane {

// A colour as its three 8-bit sRGB channels: the core does without QtGui's colour types.
struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The least contrast that keeps text of ordinary size readable (WCAG 2, level AA).
constexpr double kReadableTextContrast = 4.5;

// WCAG 2 relative luminance: 0 for black, 1 for white.
double relativeLuminance(Rgb colour);

// WCAG 2 contrast ratio of two colours, from 1 (the same) to 21 (black and white), in either
// order.
double contrastRatio(Rgb first, Rgb second);

// The colour of a marked game's name on `background`: the palette's faint colour when it keeps
// kReadableTextContrast, else the first colour on the way from `faint` to the palette's `text`
// that keeps it, so the mark stays as faint as reading allows. `text` itself when even it falls
// short.
Rgb readableMarkerColour(Rgb text, Rgb faint, Rgb background);

}  // namespace vorlane
