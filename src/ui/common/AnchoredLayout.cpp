#include "ui/common/AnchoredLayout.h"

#include <algorithm>

#include <QEvent>
#include <QWidget>

namespace vorlane {
namespace {

int moved(Follow follow, int growth) {
  switch (follow) {
    case Follow::Stays:
      return 0;
    case Follow::Half:
      return growth / 2;
    case Follow::Whole:
      return growth;
  }
  return 0;
}

}  // namespace

AnchoredLayout::AnchoredLayout(QWidget* measured)
    : QObject(measured), m_measured(measured), m_layoutSize(measured->size()) {
  measured->installEventFilter(this);
}

void AnchoredLayout::anchor(QWidget* control, Anchors anchors) {
  m_controls.append({control, control->geometry(), anchors});
  place(control, control->geometry(), anchors);
}

bool AnchoredLayout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_measured && event->type() == QEvent::Resize) {
    for (const Anchored& anchored : m_controls) {
      place(anchored.control, anchored.layoutPlace, anchored.anchors);
    }
  }
  return false;
}

void AnchoredLayout::place(QWidget* control, const QRect& layoutPlace, Anchors anchors) const {
  // Smaller than the layout (a window manager may try), the controls keep the layout's places.
  const int width = std::max(0, m_measured->width() - m_layoutSize.width());
  const int height = std::max(0, m_measured->height() - m_layoutSize.height());
  control->setGeometry(layoutPlace.adjusted(moved(anchors.left, width), moved(anchors.top, height),
                                            moved(anchors.right, width),
                                            moved(anchors.bottom, height)));
}

}  // namespace vorlane
