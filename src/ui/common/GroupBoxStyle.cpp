#include "ui/common/GroupBoxStyle.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyleOptionGroupBox>

namespace vorlane {
namespace {

constexpr int kTitleIndent = 8;
constexpr int kTitlePadding = 2;

}  // namespace

QRect GroupBoxStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                    SubControl subControl, const QWidget* widget) const {
  if (control != CC_GroupBox) {
    return QProxyStyle::subControlRect(control, option, subControl, widget);
  }
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  const QSize title = box == nullptr || box->text.isEmpty()
                          ? QSize()
                          : box->fontMetrics.size(Qt::TextShowMnemonic, box->text);
  switch (subControl) {
    case SC_GroupBoxLabel:
      return {option->rect.left() + kTitleIndent + kTitlePadding, option->rect.top(), title.width(),
              title.height()};
    case SC_GroupBoxFrame:
      return option->rect.adjusted(0, title.height() / 2, 0, 0);
    default:
      return QProxyStyle::subControlRect(control, option, subControl, widget);
  }
}

void GroupBoxStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                       QPainter* painter, const QWidget* widget) const {
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || box == nullptr) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  // An etched line, drawn here because some styles move their own frame below the title.
  qDrawShadeRect(painter, subControlRect(control, option, SC_GroupBoxFrame, widget), box->palette,
                 true);

  if (box->text.isEmpty()) {
    return;
  }
  // The title's own background hides the frame line behind it.
  const QRect title = subControlRect(control, option, SC_GroupBoxLabel, widget);
  painter->fillRect(title.adjusted(-kTitlePadding, 0, kTitlePadding, 0),
                    box->palette.brush(QPalette::Window));
  proxy()->drawItemText(painter, title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                        box->palette, box->state & State_Enabled, box->text, QPalette::WindowText);
}

}  // namespace vorlane
