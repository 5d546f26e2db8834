#pragma once

#include <QProxyStyle>

namespace vorlane {

// Group boxes as the layout was drawn for: the title stands on the frame's top line, so the
// controls placed near the top of a box sit inside its frame.
class GroupBoxStyle : public QProxyStyle {
  Q_OBJECT

 public:
  using QProxyStyle::QProxyStyle;

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl subControl, const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
};

}  // namespace vorlane
