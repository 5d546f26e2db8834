#include "ui/drivers/MissingArchiveMarker.h"

#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QListView>
#include <QToolTip>

#include "core/catalogue/MarkerColour.h"
#include "ui/drivers/CatalogueModel.h"

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

bool isMissingArchive(const QModelIndex& index) {
  return !index.data(CatalogueModel::MissingArchiveRole).toString().isEmpty();
}

}  // namespace

MissingArchiveMarker::MissingArchiveMarker(QListView* list, const CatalogueModel* catalogue)
    : QStyledItemDelegate(list), m_list(list), m_catalogue(catalogue) {
  list->setItemDelegate(this);
  connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &MissingArchiveMarker::explainCurrent);
}

void MissingArchiveMarker::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  // Only a marker: a selected game keeps the colours of every selection, so it stays readable.
  if (isMissingArchive(index)) {
    greyText(option->palette);
  }
}

void MissingArchiveMarker::explainCurrent(const QModelIndex& current) {
  if (!m_list->hasFocus() || QGuiApplication::mouseButtons() != Qt::NoButton) {
    return;
  }
  // The tip of the greyed game the keys left would otherwise stay over a game with its archive.
  if (!current.isValid() || !isMissingArchive(current)) {
    QToolTip::hideText();
    return;
  }
  // A refresh that keeps a renamed game selected moved no key.
  if (m_catalogue->isTakingRefresh()) {
    return;
  }
  // A game reached with the arrow keys shows the tip that hovering would; a click leaves it to
  // the hover.
  const QRect row = m_list->visualRect(current);
  QToolTip::showText(m_list->viewport()->mapToGlobal(row.bottomLeft()),
                     current.data(Qt::ToolTipRole).toString(), m_list->viewport(), row);
}

}  // namespace vorlane
