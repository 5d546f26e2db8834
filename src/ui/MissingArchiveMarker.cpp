#include "ui/MissingArchiveMarker.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QListWidget>
#include <QToolTip>

#include "core/catalogue/DriverScan.h"
#include "core/platform/Messages.h"

namespace vorlane {

MissingArchiveMarker::MissingArchiveMarker(QListWidget* list) : QStyledItemDelegate(list) {
  list->setItemDelegate(this);
}

void MissingArchiveMarker::takeScan(const QList<DriverRecord>& drivers) {
  m_missingArchives.clear();
  m_missingArchives.reserve(drivers.size());
  for (const DriverRecord& driver : drivers) {
    m_missingArchives.append(driver.missingArchive);
  }
}

QString MissingArchiveMarker::missingArchive(int row) const {
  return m_missingArchives.value(row);
}

void MissingArchiveMarker::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  // Only a marker: a selected game keeps the colours of every selection, so it stays readable.
  if (!missingArchive(index.row()).isEmpty()) {
    option->palette.setBrush(QPalette::Text,
                             option->palette.brush(QPalette::Disabled, QPalette::Text));
  }
}

bool MissingArchiveMarker::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                     const QStyleOptionViewItem& option, const QModelIndex& index) {
  const QString missing = missingArchive(index.row());
  if (event->type() != QEvent::ToolTip || missing.isEmpty()) {
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  }
  QToolTip::showText(event->globalPos(), messages::missingArchive(missing), view->viewport(),
                     view->visualRect(index));
  return true;
}

}  // namespace vorlane
