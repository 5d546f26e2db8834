#pragma once

#include <QMargins>
#include <QObject>
#include <QSize>

class QWidget;

namespace vorlane {

// Centres a top-level window on its screen by its frame each time it is shown, and optionally
// gives it an outer size, frame included, at its first showing. The window manager adds its
// frame only after the window is mapped, so the placement is made again once the frame is known.
class WindowPlacement : public QObject {
  Q_OBJECT

 public:
  // An empty `outerSize` keeps the window's own size.
  explicit WindowPlacement(QWidget* window, QSize outerSize = QSize());

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void beginShowing();
  void place(const QMargins& frame);

  QWidget* m_window;
  QSize m_outerSize;
  // The frame that the last placement counted.
  QMargins m_placedWith;
  // From a showing until a placement has counted a real frame.
  bool m_awaitingFrame = false;
  // Only the first showing sizes the window; later ones keep the size the user gave it.
  bool m_shownBefore = false;
  bool m_sizing = false;
};

}  // namespace vorlane
