#include "ui/common/WindowPlacement.h"

#include <QEvent>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace vorlane {
namespace {

bool isPlausible(const QMargins& frame) {
  return frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0;
}

}  // namespace

WindowPlacement::WindowPlacement(QWidget* window, QSize outerSize)
    : QObject(window), m_window(window), m_outerSize(outerSize) {
  window->installEventFilter(this);
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
  // A window restored from its minimised state is not a new showing.
  if (watched == m_window && event->type() == QEvent::Show && !event->spontaneous()) {
    beginShowing();
    return false;
  }
  // The window manager reports its frame with the first geometry it gives the window or by
  // the time the window is first exposed; the widget itself may see no event then.
  const bool frameMayBeKnown = event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                               event->type() == QEvent::Expose;
  QWindow* handle = m_window->windowHandle();
  if (m_awaitingFrame && frameMayBeKnown && watched == handle &&
      handle->windowStates() == Qt::WindowNoState) {
    // While the window manager reparents the window, the frame can read as negative.
    const QMargins frame = handle->frameMargins();
    if (frame != m_placedWith && isPlausible(frame)) {
      place(frame);
    }
  }
  return false;
}

void WindowPlacement::beginShowing() {
  QWindow* handle = m_window->windowHandle();
  if (handle == nullptr) {
    return;
  }
  handle->installEventFilter(this);
  m_sizing = m_outerSize.isValid() && !m_shownBefore;
  m_shownBefore = true;
  m_awaitingFrame = true;
  place(handle->frameMargins());
}

void WindowPlacement::place(const QMargins& frame) {
  m_placedWith = frame;
  const QSize client = m_sizing ? m_outerSize.shrunkBy(frame) : m_window->size();
  QRect outer(QPoint(), client.grownBy(frame));
  outer.moveCenter(m_window->screen()->availableGeometry().center());
  // Placed by its client area: the widget may not know the frame its window has just learnt.
  m_window->setGeometry(outer.marginsRemoved(frame));
  if (!frame.isNull()) {
    m_awaitingFrame = false;
    m_sizing = false;
  }
}

}  // namespace vorlane
