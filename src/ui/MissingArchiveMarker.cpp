#include "ui/MissingArchiveMarker.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QListWidget>
#include <QToolTip>

#include "core/catalogue/DriverScan.h"
#include "core/catalogue/MarkerColour.h"
#include "core/platform/Messages.h"

namespace vorlane {
namespace {

Rgb rgbOf(const QColor& colour) {
  return {colour.red(), colour.green(), colour.blue()};
}

// The palette's disabled text, made darker or lighter where it would be hard to read on the
// list's background of that colour group.
void greyText(QPalette& palette) {
  const Rgb faint = rgbOf(palette.color(QPalette::Disabled, QPalette::Text));
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    const Rgb marker = readableMarkerColour(rgbOf(palette.color(group, QPalette::Text)), faint,
                                            rgbOf(palette.color(group, QPalette::Base)));
    palette.setColor(group, QPalette::Text, QColor(marker.red, marker.green, marker.blue));
  }
}

}  // namespace

MissingArchiveMarker::MissingArchiveMarker(QListWidget* list)
    : QStyledItemDelegate(list), m_list(list) {
  list->setItemDelegate(this);
  connect(list, &QListWidget::currentItemChanged, this, &MissingArchiveMarker::explainCurrent);
}

void MissingArchiveMarker::takeScan(const QList<DriverRecord>& drivers) {
  m_missingArchives.clear();
  m_missingArchives.reserve(drivers.size());
  m_missingCount = 0;
  for (const DriverRecord& driver : drivers) {
    m_missingArchives.append(driver.missingArchive);
    m_missingCount += driver.missingArchive.isEmpty() ? 0 : 1;
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
    greyText(option->palette);
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

void MissingArchiveMarker::explainCurrent(QListWidgetItem* current, QListWidgetItem* previous) {
  if (previous != nullptr && previous->data(Qt::AccessibleDescriptionRole).isValid()) {
    previous->setData(Qt::AccessibleDescriptionRole, QVariant());
  }
  const QString missing = current == nullptr ? QString() : missingArchive(m_list->row(current));
  const bool byKeyboard = m_list->hasFocus() && QGuiApplication::mouseButtons() == Qt::NoButton;
  if (missing.isEmpty()) {
    // The tip of the greyed game the keys left would otherwise stay over this one.
    if (byKeyboard) {
      QToolTip::hideText();
    }
    return;
  }
  const QString reason = messages::missingArchive(missing);
  current->setData(Qt::AccessibleDescriptionRole, reason);
  // A game reached with the arrow keys shows the tip that hovering would; a click leaves it to
  // the hover.
  if (byKeyboard) {
    const QRect row = m_list->visualItemRect(current);
    QToolTip::showText(m_list->viewport()->mapToGlobal(row.bottomLeft()), reason,
                       m_list->viewport(), row);
  }
}

}  // namespace vorlane
