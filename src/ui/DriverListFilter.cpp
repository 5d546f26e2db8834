#include "ui/DriverListFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSignalBlocker>

#include "core/catalogue/NameFilter.h"
#include "core/platform/Messages.h"
#include "core/settings/WindowTexts.h"
#include "ui/MissingArchiveMarker.h"

namespace vorlane {
namespace {

// The free area right of the Drivers page's buttons and below the preview.
constexpr QRect kCaptionGeometry(356, 192, 149, 17);
constexpr QRect kFieldGeometry(356, 210, 149, 21);

// The count panel shows bare numbers; a screen reader says what they count.
QString countName(int shown, int total, bool filtered) {
  const QString drivers = total == 1 ? windowText(WindowText::OneDriver)
                                     : windowText(WindowText::DriverCount).arg(total);
  return filtered ? windowText(WindowText::ShownOfDrivers).arg(QString::number(shown), drivers)
                  : drivers;
}

}  // namespace

DriverListFilter::DriverListFilter(QWidget* page, QListWidget* list, QLabel* countPanel,
                                   const MissingArchiveMarker* marker)
    : QObject(page),
      m_page(page),
      m_list(list),
      m_countPanel(countPanel),
      m_marker(marker),
      m_field(new QLineEdit(page)) {
  m_field->setObjectName(QStringLiteral("edtFiltro"));
  m_field->setGeometry(kFieldGeometry);
  m_field->setClearButtonEnabled(true);
  // Out of the Tab order, which stays as the page has always had it.
  m_field->setFocusPolicy(Qt::ClickFocus);
  auto* caption = new QLabel(page);
  caption->setObjectName(QStringLiteral("lblFiltro"));
  caption->setGeometry(kCaptionGeometry);
  caption->setTextFormat(Qt::PlainText);
  caption->setBuddy(m_field);

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
  const NameFilter filter(m_field->text());
  const int shown = showMatchingRows(filter);
  const QString total = QString::number(m_list->count());
  m_countPanel->setText(filter.isActive() ? QString::number(shown) + QLatin1Char('/') + total
                                          : total);
  m_countPanel->setAccessibleName(countName(shown, m_list->count(), filter.isActive()));
  // Also the panel's description for screen readers, which read a tip as one.
  const int missing = m_marker->missingCount();
  m_countPanel->setToolTip(
      missing == 0
          ? QString()
          : messages::withoutArchive(countName(m_list->count(), m_list->count(), false), missing));
  // Without a filter a rescan leaves the list without a selection, as it always has.
  if (filter.isActive()) {
    selectFirstShownUnlessOneIs();
  }
  Q_EMIT hidesEveryGame(filter.isActive() && shown == 0);
}

int DriverListFilter::showMatchingRows(const NameFilter& filter) {
  int shown = 0;
  // A game the filter hides is no longer selected: Play must not start a game the user
  // cannot see. The program's own change is no selection by the user.
  const QSignalBlocker programChanges(m_list);
  for (int row = 0; row < m_list->count(); ++row) {
    QListWidgetItem* item = m_list->item(row);
    const bool visible = filter.matches(item->text());
    item->setHidden(!visible);
    if (visible) {
      ++shown;
    } else if (item->isSelected()) {
      item->setSelected(false);
    }
  }
  return shown;
}

void DriverListFilter::selectFirstShownUnlessOneIs() {
  if (!m_list->selectedItems().isEmpty()) {
    return;
  }
  for (int row = 0; row < m_list->count(); ++row) {
    if (!m_list->item(row)->isHidden()) {
      // Unblocked: the selection shows its preview and name as the user's own would.
      m_list->setCurrentRow(row);
      return;
    }
  }
}

}  // namespace vorlane
