#include "ui/common/FocusFrameStyle.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

namespace vorlane {
namespace {

// The focus shows once the keyboard has moved it, as the base styles do: a click alone shows
// no frame.
bool hasKeyboardFocus(const QStyleOption* option) {
  return (option->state & QStyle::State_HasFocus) &&
         (option->state & QStyle::State_KeyboardFocusChange);
}

void drawDottedFrame(QPainter* painter, const QRect& rect, const QColor& colour) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  QPen pen(colour, 0, Qt::DotLine);
  painter->setPen(pen);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(rect.adjusted(0, 0, -1, -1));
  painter->restore();
}

}  // namespace

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
  if (element != PE_FrameFocusRect || qobject_cast<const QAbstractButton*>(widget) == nullptr) {
    GroupBoxStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  if (option->state & State_KeyboardFocusChange) {
    const bool onButtonFace = qobject_cast<const QPushButton*>(widget) != nullptr;
    drawDottedFrame(
        painter, option->rect,
        option->palette.color(onButtonFace ? QPalette::ButtonText : QPalette::WindowText));
  }
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
  GroupBoxStyle::drawControl(element, option, painter, widget);
  // Some base styles draw no focus frame on a push button; drawing it again where one was drawn
  // changes no pixel.
  if (element == CE_PushButton && hasKeyboardFocus(option)) {
    QStyleOptionFocusRect frame;
    frame.QStyleOption::operator=(*option);
    frame.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
    proxy()->drawPrimitive(PE_FrameFocusRect, &frame, painter, widget);
  }
}

}  // namespace vorlane
