#pragma once

#include <QObject>

#include "core/gamepad/PadActions.h"

class QAbstractButton;
class QLineEdit;
class QListView;
class QTabWidget;
class QWidget;

namespace vorlane {

struct GamepadTiming;

// The controls of the main window that a pad drives.
struct PadTargets {
  QWidget* window;
  QTabWidget* pages;
  QWidget* driversPage;
  QListView* games;
  QAbstractButton* play;
  QAbstractButton* checksum;
  QLineEdit* filter;
};

// Lets game controllers drive the main window as its keyboard and buttons do: on the Drivers
// page moves, Play, Checksum, a random game and clearing the filter; elsewhere page switching
// only. A pad acts only while the window is the active one and no modal window is open, and
// not while a game started from the window runs.
class GamepadNavigation : public QObject {
  Q_OBJECT

 public:
  GamepadNavigation(const PadTargets& targets, const GamepadTiming& timing);

  void gameStarted();
  void gameEnded();

 private:
  bool acts() const;
  void act(PadAction action);
  void switchPage(int step);
  void moveInList(int key);

  PadTargets m_targets;
  int m_gamesRunning = 0;
};

}  // namespace vorlane
