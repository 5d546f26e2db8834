#include "ui/drivers/ViewChoices.h"

#include <algorithm>

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QListView>
#include <QMenu>

#include "core/settings/WindowTexts.h"
#include "ui/common/BusyCursor.h"
#include "ui/drivers/CatalogueFilter.h"
#include "ui/drivers/CatalogueModel.h"
#include "ui/drivers/DriverListFilter.h"
#include "ui/drivers/PreviewImage.h"

namespace vorlane {
namespace {

QAction* addChoice(QMenu& menu, WindowText text, bool checked) {
  QAction* action = menu.addAction(windowText(text));
  action->setCheckable(true);
  action->setChecked(checked);
  return action;
}

}  // namespace

ViewChoices::ViewChoices(const Parts& parts, QObject* parent) : QObject(parent), m_parts(parts) {
  m_parts.list->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_parts.list, &QWidget::customContextMenuRequested, this, &ViewChoices::showListMenu);
  m_parts.list->installEventFilter(this);
  m_parts.previewArea->setContextMenuPolicy(Qt::CustomContextMenu);
  // A click gives it the focus, so the menu key reaches it; Tab still passes it by.
  m_parts.previewArea->setFocusPolicy(Qt::ClickFocus);
  connect(m_parts.previewArea, &QWidget::customContextMenuRequested, this,
          &ViewChoices::showPreviewMenu);
}

void ViewChoices::show(const ViewSettings& view) {
  setListOrder(view.listOrder);
  setOnlyWithRomArchive(view.onlyWithRomArchive);
  setKeepPictureShape(view.keepPictureShape);
}

void ViewChoices::keepIn(ViewSettings& view) const {
  view.listOrder = m_parts.catalogue->order();
  view.onlyWithRomArchive = m_parts.filter->isOnlyWithRomArchive();
  view.keepPictureShape = m_parts.preview->keepsShape();
}

void ViewChoices::setListOrder(ListOrder order) {
  // The first switch to game names ranks them: a moment on a large catalogue.
  BusyCursor busy;
  busy.show();
  m_parts.catalogue->setOrder(order);
  listRowsChanged();
}

void ViewChoices::setOnlyWithRomArchive(bool only) {
  m_parts.filter->setOnlyWithRomArchive(only);
  listRowsChanged();
}

void ViewChoices::setKeepPictureShape(bool keep) {
  m_parts.preview->setKeepShape(keep);
}

void ViewChoices::listRowsChanged() {
  m_parts.listFilter->showCount();
  if (m_parts.list->selectionModel()->hasSelection()) {
    m_parts.list->scrollTo(m_parts.list->currentIndex());
  }
}

bool ViewChoices::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_parts.list && event->type() == QEvent::ContextMenu &&
      static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
    showListMenu(keyboardMenuPlace());
    return true;
  }
  return QObject::eventFilter(watched, event);
}

QPoint ViewChoices::keyboardMenuPlace() const {
  // Under the selected game, where the eyes already are; the list's corner when it is not shown.
  const QRect row = m_parts.list->visualRect(m_parts.list->currentIndex());
  const QRect shown = m_parts.list->viewport()->rect();
  return row.intersects(shown) ? QPoint(row.left(), std::min(row.bottom(), shown.bottom()))
                               : QPoint();
}

void ViewChoices::showListMenu(const QPoint& place) {
  QMenu menu;
  auto* orders = new QActionGroup(&menu);
  const ListOrder shown = m_parts.catalogue->order();
  for (const auto& [order, text] :
       {std::pair{ListOrder::ByGameName, WindowText::OrderByGameName},
        std::pair{ListOrder::ByFileName, WindowText::OrderByFileName}}) {
    QAction* choice = addChoice(menu, text, order == shown);
    orders->addAction(choice);
    connect(choice, &QAction::triggered, this, [this, order] {
      setListOrder(order);
      Q_EMIT chosen();
    });
  }
  menu.addSeparator();
  QAction* only =
      addChoice(menu, WindowText::OnlyWithRomArchive, m_parts.filter->isOnlyWithRomArchive());
  connect(only, &QAction::toggled, this, [this](bool on) {
    setOnlyWithRomArchive(on);
    Q_EMIT chosen();
  });
  // A scroll area's menu place is its viewport's.
  menu.exec(m_parts.list->viewport()->mapToGlobal(place));
}

void ViewChoices::showPreviewMenu(const QPoint& place) {
  QMenu menu;
  QAction* keep = addChoice(menu, WindowText::KeepPictureShape, m_parts.preview->keepsShape());
  connect(keep, &QAction::toggled, this, [this](bool on) {
    setKeepPictureShape(on);
    Q_EMIT chosen();
  });
  menu.exec(m_parts.previewArea->mapToGlobal(place));
}

}  // namespace vorlane
