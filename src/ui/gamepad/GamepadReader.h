#pragma once

#include <map>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include "core/gamepad/PadActions.h"
#include "ui/gamepad/GamepadTiming.h"

namespace vorlane {

// Reads every connected game controller and joystick on the window's thread, taking up devices
// plugged in and dropping those pulled out, and hands on the actions they ask for. A device that
// is only a joystick (an arcade encoder) moves with its first hat or its first two axes and
// plays with its first button.
class GamepadReader : public QObject {
  Q_OBJECT

 public:
  explicit GamepadReader(QObject* parent, const GamepadTiming& timing = {});
  ~GamepadReader() override;
  GamepadReader(const GamepadReader&) = delete;
  GamepadReader& operator=(const GamepadReader&) = delete;

 Q_SIGNALS:
  void action(vorlane::PadAction action);
  // After each reading of the devices, whether or not it found anything.
  void polled();

 private:
  struct Device {
    SDL_GameController* controller = nullptr;  // null for a joystick-only device
    SDL_Joystick* joystick = nullptr;
  };

  // Adds the mappings of the file SDL_GAMECONTROLLERCONFIG_FILE names, or says why they are not.
  void addUserMappings();
  void poll();
  QList<PadAction> handle(const SDL_Event& event, qint64 nowMs);
  QList<PadAction> handleJoystickOnly(const SDL_Event& event, qint64 nowMs);
  void addDevice(int deviceIndex);
  void removeDevice(SDL_JoystickID id);
  bool isJoystickOnly(SDL_JoystickID id) const;

  GamepadTiming m_timing;
  bool m_initialised = false;
  std::map<SDL_JoystickID, Device> m_devices;
  PadActionMapper m_mapper;
  QTimer m_poll;
  QElapsedTimer m_clock;
};

}  // namespace vorlane
