#include "ui/drivers/CutNameTip.h"

#include <QHelpEvent>
#include <QListView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolTip>

namespace vorlane {
namespace {

// Whether the row draws less than the whole of its text.
bool isCut(const QListView* list, const QModelIndex& index, const QString& name) {
  QStyleOptionViewItem option;
  option.initFrom(list->viewport());
  option.rect = list->visualRect(index);
  option.font = list->font();
  option.fontMetrics = QFontMetrics(option.font);
  option.text = name;
  option.features = QStyleOptionViewItem::HasDisplay;
  const QRect textRect = list->style()->subElementRect(QStyle::SE_ItemViewItemText, &option, list);
  return option.fontMetrics.horizontalAdvance(name) > textRect.width();
}

}  // namespace

CutNameTip::CutNameTip(QListView* list)
    : QObject(list), m_list(list), m_viewport(list->viewport()) {
  m_viewport->installEventFilter(this);
}

bool CutNameTip::eventFilter(QObject* watched, QEvent* event) {
  // The viewport's events go on while the list is taken apart: only a tip request reaches it.
  if (event->type() != QEvent::ToolTip || watched != m_viewport) {
    return false;
  }
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = m_list->indexAt(help->pos());
  const QString name = index.data(Qt::DisplayRole).toString();
  if (!index.isValid() || !isCut(m_list, index, name)) {
    return false;
  }
  const QString more = index.data(Qt::ToolTipRole).toString();
  QToolTip::showText(help->globalPos(), more.isEmpty() ? name : name + u'\n' + more,
                     m_list->viewport(), m_list->visualRect(index));
  return true;
}

}  // namespace vorlane
