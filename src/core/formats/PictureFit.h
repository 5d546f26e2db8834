#pragma once

#include <QRect>
#include <QSize>

namespace vorlane {

// Where a picture is drawn in an area when its shape is kept.
struct PictureFit {
  QRect target;         // within the area, centred; empty when nothing can be drawn
  bool smooth = false;  // blend pixels rather than repeat them
};

// The whole picture in the area, centred. A larger picture shrinks to the largest size that
// fits, smoothly; a smaller one grows by the largest whole multiple that fits, each pixel a
// square of equal pixels, so that pixel art stays sharp.
PictureFit fitPicture(QSize picture, QSize area);

}  // namespace vorlane
