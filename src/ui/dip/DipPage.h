#pragma once

#include <functional>

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QCheckBox;
class QPushButton;
class QWidget;

namespace vorlane {

// The controls of the DIP switches page, as the window's layout places them.
struct DipControls {
  QWidget* page;
  QPushButton* btnAplicarDIP;
  QCheckBox* chkTestMode;
  QCheckBox* chkDemoSounds;
  QCheckBox* chkVideoFlip;
  QCheckBox* chkFreePlay;
  QCheckBox* chkContinueMode;
  QCheckBox* chkFreezeScreen;
};

// The DIP switches page: the game switches of the emulator's file, stored there by Apply.
class DipPage : public QObject {
  Q_OBJECT

 public:
  // `switchClicked` runs after the user flips a switch.
  DipPage(const DipControls& controls, QString emulatorConfigPath,
          std::function<void()> switchClicked, QObject* parent);

  // Shows the switches of the emulator's file, read whole as `configText`.
  void showSwitches(const QByteArray& configText);

  // Tab order of the page's controls, and the button that Enter presses on it.
  QList<QWidget*> tabOrder() const;
  QPushButton* defaultButton() const;

 private:
  void btnAplicarDIPClick();

  DipControls m_ui;
  QString m_emulatorConfigPath;
  std::function<void()> m_switchClicked;
};

}  // namespace vorlane
