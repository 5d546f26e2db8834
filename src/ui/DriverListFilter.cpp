#include "ui/DriverListFilter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSignalBlocker>

#include "core/catalogue/NameFilter.h"
#include "core/platform/Messages.h"
#include "ui/MissingArchiveMarker.h"

namespace vorlane {
namespace {

// The free area right of the Drivers page's buttons and below the preview.
constexpr QRect kCaptionGeometry(356, 192, 149, 17);
constexpr QRect kFieldGeometry(356, 210, 149, 21);

// The count panel shows bare numbers; a screen reader says what they count.
QString countName(int shown, int total, bool filtered) {
  const QString drivers =
      total == 1 ? QStringLiteral("1 driver") : QStringLiteral("%1 drivers").arg(total);
  return filtered ? QStringLiteral("%1 shown of %2").arg(shown).arg(drivers) : drivers;
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
  if (watched == m_field && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
      static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
    m_field->clear();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void DriverListFilter::focusField() {
  if (m_page->isVisibleTo(m_page->window())) {
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
  }
}

void DriverListFilter::apply() {
  const NameFilter filter(m_field->text());
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
}

}  // namespace vorlane
