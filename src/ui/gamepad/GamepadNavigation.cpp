#include "ui/gamepad/GamepadNavigation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>

#include "ui/drivers/RandomGame.h"
#include "ui/gamepad/GamepadReader.h"

namespace vorlane {

GamepadNavigation::GamepadNavigation(const PadTargets& targets, const GamepadTiming& timing)
    : QObject(targets.window), m_targets(targets) {
  connect(new GamepadReader(this, timing), &GamepadReader::action, this, &GamepadNavigation::act);
}

void GamepadNavigation::gameStarted() {
  ++m_gamesRunning;
}

void GamepadNavigation::gameEnded() {
  m_gamesRunning = std::max(0, m_gamesRunning - 1);
}

bool GamepadNavigation::acts() const {
  return m_gamesRunning == 0 && QApplication::activeModalWidget() == nullptr &&
         QApplication::activeWindow() == m_targets.window;
}

void GamepadNavigation::act(PadAction action) {
  if (!acts()) {
    return;
  }
  if (actsOffDriversPage(action)) {
    switchPage(action == PadAction::NextPage ? 1 : -1);
    return;
  }
  if (m_targets.pages->currentWidget() != m_targets.driversPage) {
    return;
  }
  switch (action) {
    case PadAction::Previous:
      return moveInList(Qt::Key_Up);
    case PadAction::Next:
      return moveInList(Qt::Key_Down);
    case PadAction::PageUp:
      return moveInList(Qt::Key_PageUp);
    case PadAction::PageDown:
      return moveInList(Qt::Key_PageDown);
    case PadAction::First:
      return moveInList(Qt::Key_Home);
    case PadAction::Last:
      return moveInList(Qt::Key_End);
    case PadAction::Play:
      return m_targets.play->click();
    case PadAction::Checksum:
      return m_targets.checksum->click();
    case PadAction::RandomGame:
      m_targets.games->setFocus(Qt::OtherFocusReason);
      return selectRandomShownGame(m_targets.games);
    case PadAction::ClearFilter:
      return m_targets.filter->clear();
    case PadAction::PreviousPage:
    case PadAction::NextPage:
      return;
  }
}

void GamepadNavigation::switchPage(int step) {
  const int count = m_targets.pages->count();
  m_targets.pages->setCurrentIndex((m_targets.pages->currentIndex() + step + count) % count);
}

void GamepadNavigation::moveInList(int key) {
  // The key the keyboard would send: the list's selection runs the same handler.
  m_targets.games->setFocus(Qt::OtherFocusReason);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(m_targets.games, &press);
}

}  // namespace vorlane
