#pragma once

#include <QList>
#include <QObject>

class QKeyEvent;
class QKeySequence;
class QPushButton;
class QTabWidget;
class QWidget;

namespace vorlane {

// One page's part in the ring: its controls in Tab order, and the button Enter presses on it
// (none for a page without one).
struct RingPage {
  QWidget* page;
  QList<QWidget*> tabOrder;
  QPushButton* defaultButton;
};

// The keys of a window of pages: Tab and Shift+Tab walk one ring (the tab bar, the showing
// page's controls, the close button); Enter presses the focused button, elsewhere the showing
// page's default button; an accelerator shared by several captions goes to the first control of
// the ring that shows it.
class KeyboardRing : public QObject {
  Q_OBJECT

 public:
  // Watches every key of the application that goes to a control of `window`.
  KeyboardRing(QWidget* window, QTabWidget* pages, QWidget* closeButton);

  void addPage(const RingPage& page);
  // Moves the focus to the next (or the previous) control of the ring that takes it.
  bool moveFocus(bool next);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const RingPage* currentPage() const;
  QList<QWidget*> ring() const;
  bool handleEnter(QWidget* focus);
  bool handleTab(const QKeyEvent* key);
  bool activateAccelerator(const QKeySequence& key);

  QWidget* m_window;
  QTabWidget* m_pages;
  QWidget* m_closeButton;
  QList<RingPage> m_ringPages;
};

}  // namespace vorlane
