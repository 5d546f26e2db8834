#include "ui/drivers/DriverListFilter.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QShortcut>

#include "core/settings/WindowTexts.h"
#include "ui/WindowMessages.h"
#include "ui/drivers/CatalogueFilter.h"
#include "ui/drivers/CatalogueModel.h"

namespace vorlane {
namespace {

// The count panel shows bare numbers; a screen reader says what they count.
QString countName(int shown, int total, bool filtered) {
  const QString drivers = total == 1 ? windowText(WindowText::OneDriver)
                                     : windowText(WindowText::DriverCount).arg(total);
  return filtered ? windowText(WindowText::ShownOfDrivers).arg(QString::number(shown), drivers)
                  : drivers;
}

}  // namespace

DriverListFilter::DriverListFilter(QWidget* page, QListView* list, QLineEdit* field,
                                   QLabel* countPanel, CatalogueFilter* filter,
                                   const CatalogueModel* catalogue)
    : QObject(page),
      m_page(page),
      m_list(list),
      m_countPanel(countPanel),
      m_filter(filter),
      m_catalogue(catalogue),
      m_field(field) {
  // Before the list takes the model, so that this runs before the list moves the selection to a
  // neighbour of the rows that go.
  connect(m_filter, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this](const QModelIndex&, int first, int last) {
            noteSelectedRowPlace();
            dropSelectionLeavingRows(first, last);
          });
  connect(m_filter, &QAbstractItemModel::rowsAboutToBeInserted, this,
          &DriverListFilter::noteSelectedRowPlace);
  // Outside list order a refresh moves the rows in one layout change.
  connect(m_catalogue, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] {
    if (m_catalogue->isTakingRefresh()) {
      noteSelectedRowPlace();
    }
  });
  connect(m_catalogue, &CatalogueModel::driversRenamed, this, &DriverListFilter::selectRenamedFile);
  m_list->setModel(m_filter);

  m_field->installEventFilter(this);
  auto* find = new QShortcut(QKeySequence::Find, page->window());
  connect(find, &QShortcut::activated, this, &DriverListFilter::focusField);
  connect(m_field, &QLineEdit::textChanged, this, &DriverListFilter::apply);
}

bool DriverListFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_field || event->type() != QEvent::KeyPress) {
    return QObject::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    return QObject::eventFilter(watched, event);
  }
  switch (key->key()) {
    case Qt::Key_Escape:
      m_field->clear();
      // The whole list is back: the selected game is in view in it.
      m_list->scrollTo(m_list->currentIndex());
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      // As if pressed in the list: it skips hidden rows and its selection runs the handler.
      QCoreApplication::sendEvent(m_list, event);
      return true;
    default:
      return QObject::eventFilter(watched, event);
  }
}

void DriverListFilter::focusField() {
  if (m_page->isVisibleTo(m_page->window())) {
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
  }
}

void DriverListFilter::apply() {
  // A game the filter leaves out is no longer selected: Play must not start a game the user
  // cannot see.
  m_filter->setNameFilter(m_field->text());
  if (m_filter->isFiltering()) {
    selectFirstShownUnlessOneIs();
  }
  followCatalogueChange();
}

void DriverListFilter::followCatalogueChange() {
  // A change on disk never selects a game: the user would start one they never chose. A game it
  // took away, other than by a rename, stays unselected.
  m_droppedRow.reset();
  keepSelectedRowInPlace();
  showCount();
}

void DriverListFilter::noteSelectedRowPlace() {
  const QModelIndex top = m_list->indexAt(QPoint(0, 0));
  if (!m_selectedRowPlace && m_list->currentIndex().isValid() && top.isValid()) {
    m_selectedRowPlace = m_list->currentIndex().row() - top.row();
  }
}

// Rows that came or went above the selected game leave it where it was on screen.
void DriverListFilter::keepSelectedRowInPlace() {
  const std::optional<int> place = std::exchange(m_selectedRowPlace, std::nullopt);
  const int row = m_list->currentIndex().row();
  if (!place || row < 0) {
    return;
  }
  m_list->doItemsLayout();
  const int topRow = std::max(0, row - *place);
  const int step = m_list->verticalScrollMode() == QAbstractItemView::ScrollPerItem
                       ? 1
                       : m_list->sizeHintForRow(0);
  m_list->verticalScrollBar()->setValue(topRow * step);
}

void DriverListFilter::showCount() {
  const int shown = m_filter->rowCount();
  const int total = m_catalogue->rowCount();
  const bool filtering = m_filter->leavesGamesOut();
  m_countPanel->setText(filtering
                            ? QString::number(shown) + QLatin1Char('/') + QString::number(total)
                            : QString::number(total));
  m_countPanel->setAccessibleName(countName(shown, total, filtering));
  // Also the panel's description for screen readers, which read a tip as one.
  QStringList tip;
  if (const int missing = m_catalogue->missingArchiveCount(); missing != 0) {
    tip.append(messages::withoutArchive(countName(total, total, false), missing));
  }
  if (m_followedByPolling) {
    tip.append(windowText(WindowText::FollowedByPolling));
  }
  m_countPanel->setToolTip(tip.join(u'\n'));
}

void DriverListFilter::setFollowedByPolling(bool polling) {
  m_followedByPolling = polling;
  showCount();
}

void DriverListFilter::dropSelectionLeavingRows(int first, int last) {
  // A game that goes leaves no selection: the list's own rule would move it to a neighbour.
  const QModelIndex selected = m_list->currentIndex();
  if (selected.row() >= first && selected.row() <= last) {
    m_droppedRow = m_filter->mapToSource(selected).row();
    m_list->selectionModel()->clear();
  }
}

void DriverListFilter::selectRenamedFile(const QList<RenamedRow>& renamed) {
  const std::optional<int> dropped = std::exchange(m_droppedRow, std::nullopt);
  const auto found = std::find_if(renamed.cbegin(), renamed.cend(),
                                  [&](const RenamedRow& row) { return row.before == dropped; });
  if (found == renamed.cend()) {
    return;
  }
  // The game the user chose, under its new name; unless the filter now leaves it out.
  const QModelIndex shown = m_filter->mapFromSource(m_catalogue->index(int(found->after)));
  if (shown.isValid()) {
    m_list->setCurrentIndex(shown);
  }
}

void DriverListFilter::selectFirstShownUnlessOneIs() {
  if (m_list->selectionModel()->hasSelection() || m_filter->rowCount() == 0) {
    return;
  }
  // The selection shows its preview and name as the user's own would.
  m_list->setCurrentIndex(m_filter->index(0, 0));
}

}  // namespace vorlane
