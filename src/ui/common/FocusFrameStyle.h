#pragma once

#include "ui/common/GroupBoxStyle.h"

namespace vorlane {

// The program's style: group boxes as laid out, and a keyboard focus that shows on every button
// and check box whatever the base style. Some base styles mark the focus only by an outline
// colour that a default button always has, or by a tint that a dark palette hides; here the
// focused control gets a dotted frame in its own text colour, as long as the keyboard moves the
// focus.
class FocusFrameStyle : public GroupBoxStyle {
  Q_OBJECT

 public:
  using GroupBoxStyle::GroupBoxStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
};

}  // namespace vorlane
