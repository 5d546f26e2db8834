#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

namespace vorlane {

// How far one edge of a control moves as the measured widget grows past its layout size: not
// at all, by half the growth (rounded down), or by all of it.
enum class Follow { Stays, Half, Whole };

// Which growth each edge of a control follows: left and right follow the growth in width, top
// and bottom the growth in height.
struct Anchors {
  Follow left = Follow::Stays;
  Follow top = Follow::Stays;
  Follow right = Follow::Stays;
  Follow bottom = Follow::Stays;
};

// Keeps controls placed as a fixed layout drew them, each edge anchored to a measured widget's
// growth beyond the size the layout was drawn for. At that size, and below it, every control
// keeps exactly the place the layout gave it.
class AnchoredLayout : public QObject {
  Q_OBJECT

 public:
  // Takes the measured widget's size now as the layout's size.
  explicit AnchoredLayout(QWidget* measured);

  // Anchors a control at the place it has now, the one it has at the layout's size.
  void anchor(QWidget* control, Anchors anchors);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void place(QWidget* control, const QRect& layoutPlace, Anchors anchors) const;

  struct Anchored {
    QWidget* control;
    QRect layoutPlace;
    Anchors anchors;
  };
  QWidget* m_measured;
  QSize m_layoutSize;
  QList<Anchored> m_controls;
};

}  // namespace vorlane
