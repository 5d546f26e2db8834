#include "core/formats/PictureFit.h"

#include <algorithm>

namespace vorlane {

PictureFit fitPicture(QSize picture, QSize area) {
  if (picture.isEmpty() || area.isEmpty()) {
    return {};
  }
  QSize size;
  bool smooth = false;
  if (picture.width() > area.width() || picture.height() > area.height()) {
    size = picture.scaled(area, Qt::KeepAspectRatio);
    smooth = true;
  } else {
    const int multiple = std::min(area.width() / picture.width(), area.height() / picture.height());
    size = picture * multiple;
  }
  const QPoint corner((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
  return {QRect(corner, size), smooth};
}

}  // namespace vorlane
