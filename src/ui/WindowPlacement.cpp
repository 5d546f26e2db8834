#include "ui/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace vorlane {
namespace {

QMargins frameMarginsOf(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  return {client.left() - frame.left(), client.top() - frame.top(),
          frame.right() - client.right(), frame.bottom() - client.bottom()};
}

}  // namespace

WindowPlacement::WindowPlacement(QWidget* window, QSize outerSize)
    : QObject(window), m_window(window), m_outerSize(outerSize) {
  window->installEventFilter(this);
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_window) {
    return false;
  }
  switch (event->type()) {
    case QEvent::Show:
      // A window restored from its minimised state is not a new showing.
      if (!event->spontaneous()) {
        m_sizing = m_outerSize.isValid() && !m_shownBefore;
        m_shownBefore = true;
        m_awaitingFrame = true;
        place(frameMarginsOf(m_window));
      }
      break;
    case QEvent::Move:
    case QEvent::Resize:
      if (m_awaitingFrame && m_window->windowState() == Qt::WindowNoState) {
        if (const QMargins frame = frameMarginsOf(m_window); frame != m_placedWith) {
          place(frame);
        }
      }
      break;
    default:
      break;
  }
  return false;
}

void WindowPlacement::place(const QMargins& frame) {
  m_placedWith = frame;
  if (m_sizing) {
    m_window->resize(m_outerSize.shrunkBy(frame));
  }
  QRect outer(QPoint(), m_window->size().grownBy(frame));
  outer.moveCenter(m_window->screen()->availableGeometry().center());
  // A window's position is that of its frame.
  m_window->move(outer.topLeft());
  // Until a window manager frames the window, the placement counted no frame.
  if (!frame.isNull()) {
    m_awaitingFrame = false;
    m_sizing = false;
  }
}

}  // namespace vorlane
