#include "ui/KeyboardRing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcutEvent>
#include <QTabBar>
#include <QTabWidget>

namespace vorlane {
namespace {

bool takesTabFocus(const QWidget* control) {
  return control->isVisible() && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus);
}

// The ring member that holds `focus` (itself or one of its parts), or -1.
qsizetype ringIndexOf(const QList<QWidget*>& ring, const QWidget* focus) {
  for (qsizetype i = 0; i < ring.size(); ++i) {
    if (focus != nullptr && (ring[i] == focus || ring[i]->isAncestorOf(focus))) {
      return i;
    }
  }
  return -1;
}

bool hasAccelerator(const QString& caption, const QKeySequence& key) {
  return !caption.isEmpty() && QKeySequence::mnemonic(caption) == key;
}

// Picks the first tab of `bar` whose caption has the accelerator `key`.
bool selectTabWithAccelerator(QTabBar* bar, const QKeySequence& key) {
  for (int tab = 0; tab < bar->count(); ++tab) {
    if (bar->isTabEnabled(tab) && hasAccelerator(bar->tabText(tab), key)) {
      bar->setCurrentIndex(tab);
      return true;
    }
  }
  return false;
}

}  // namespace

KeyboardRing::KeyboardRing(QWidget* window, QTabWidget* pages, QWidget* closeButton)
    : QObject(window), m_window(window), m_pages(pages), m_closeButton(closeButton) {
  QApplication::instance()->installEventFilter(this);
}

void KeyboardRing::addPage(const RingPage& page) {
  m_ringPages.append(page);
}

const RingPage* KeyboardRing::currentPage() const {
  for (const RingPage& page : m_ringPages) {
    if (page.page == m_pages->currentWidget()) {
      return &page;
    }
  }
  return nullptr;
}

QList<QWidget*> KeyboardRing::ring() const {
  QList<QWidget*> ring{m_pages->tabBar()};
  if (const RingPage* page = currentPage()) {
    ring.append(page->tabOrder);
  }
  ring.append(m_closeButton);
  return ring;
}

bool KeyboardRing::moveFocus(bool next) {
  const QList<QWidget*> ring = this->ring();
  const qsizetype count = ring.size();
  // From outside the ring, Tab starts at the tab bar and Shift+Tab at the close button.
  qsizetype at = ringIndexOf(ring, m_window->focusWidget());
  if (at < 0) {
    at = next ? count - 1 : 0;
  }
  for (qsizetype step = 1; step <= count; ++step) {
    QWidget* candidate = ring[(at + (next ? step : count - step)) % count];
    if (takesTabFocus(candidate)) {
      candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return false;
}

bool KeyboardRing::handleTab(const QKeyEvent* key) {
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    return false;
  }
  if (key->key() == Qt::Key_Backtab) {
    return moveFocus(false);
  }
  if (key->key() == Qt::Key_Tab) {
    return moveFocus(!(key->modifiers() & Qt::ShiftModifier));
  }
  return false;
}

bool KeyboardRing::activateAccelerator(const QKeySequence& key) {
  // Several captions may share a letter: the first control in the ring that is showing takes it.
  for (QWidget* control : ring()) {
    if (!control->isVisible() || !control->isEnabled()) {
      continue;
    }
    if (auto* bar = qobject_cast<QTabBar*>(control)) {
      if (selectTabWithAccelerator(bar, key)) {
        return true;
      }
    } else if (auto* button = qobject_cast<QAbstractButton*>(control);
               button != nullptr && hasAccelerator(button->text(), key)) {
      button->animateClick();
      return true;
    }
  }
  return false;
}

bool KeyboardRing::handleEnter(QWidget* focus) {
  // A focused button takes Enter itself; elsewhere Enter means the page's default button.
  auto* button = qobject_cast<QPushButton*>(focus);
  if (button == nullptr) {
    const RingPage* page = currentPage();
    button = page != nullptr ? page->defaultButton : nullptr;
  }
  if (button == nullptr || !button->isEnabled()) {
    return false;
  }
  button->click();
  return true;
}

bool KeyboardRing::eventFilter(QObject* watched, QEvent* event) {
  const bool keyPress = event->type() == QEvent::KeyPress;
  const bool shortcut = event->type() == QEvent::Shortcut;
  auto* widget = keyPress || shortcut ? qobject_cast<QWidget*>(watched) : nullptr;
  if (widget == nullptr || widget->window() != m_window) {
    return false;
  }
  if (keyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool plain =
        (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (enter && plain) {
      return handleEnter(widget);
    }
    return handleTab(key);
  }
  // The toolkit only moves the focus between controls that share an accelerator.
  const auto* accelerator = static_cast<QShortcutEvent*>(event);
  return accelerator->isAmbiguous() && activateAccelerator(accelerator->key());
}

}  // namespace vorlane
