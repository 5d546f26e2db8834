#include "ui/gamepad/GamepadReader.h"

#include <optional>
#include <variant>

#include <SDL.h>

#include "core/gamepad/MappingFile.h"
#include "core/text/NativeText.h"

namespace vorlane {
namespace {

std::optional<PadButton> padButton(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      return PadButton::South;
    case SDL_CONTROLLER_BUTTON_B:
      return PadButton::East;
    case SDL_CONTROLLER_BUTTON_X:
      return PadButton::West;
    case SDL_CONTROLLER_BUTTON_Y:
      return PadButton::North;
    case SDL_CONTROLLER_BUTTON_BACK:
      return PadButton::Back;
    case SDL_CONTROLLER_BUTTON_START:
      return PadButton::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      return PadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return PadButton::RightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return PadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return PadButton::DpadDown;
    default:
      return std::nullopt;
  }
}

void closeDevice(SDL_GameController* controller, SDL_Joystick* joystick) {
  if (controller != nullptr) {
    SDL_GameControllerClose(controller);
  } else {
    SDL_JoystickClose(joystick);
  }
}

}  // namespace

GamepadReader::GamepadReader(QObject* parent, const GamepadTiming& timing)
    : QObject(parent), m_timing(timing), m_mapper(timing.pad) {
  // The program keeps its own signal handling, and no window of SDL's ever has the focus.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  // The controller subsystem also reads the user's mappings from SDL_GAMECONTROLLERCONFIG. The
  // file SDL_GAMECONTROLLERCONFIG_FILE names is read here instead: SDL would wait on a FIFO for
  // ever and take minutes over a huge file. The variable itself stays for the games started.
  SDL_SetHintWithPriority(SDL_HINT_GAMECONTROLLERCONFIG_FILE, "", SDL_HINT_OVERRIDE);
  m_initialised = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK) == 0;
  if (!m_initialised) {
    qWarning("Game controllers are not read: %s", SDL_GetError());
    return;
  }
  addUserMappings();
  m_clock.start();
  connect(&m_poll, &QTimer::timeout, this, &GamepadReader::poll);
  m_poll.start(m_timing.idlePollMs);
}

void GamepadReader::addUserMappings() {
  const QString path = decodeNative(qgetenv(SDL_HINT_GAMECONTROLLERCONFIG_FILE));
  if (path.isEmpty()) {
    return;
  }
  const auto read = readMappingFile(path);
  if (const auto* refusal = std::get_if<QString>(&read)) {
    qWarning("%s", qUtf8Printable(*refusal));
    return;
  }
  const QByteArray& mappings = std::get<QByteArray>(read);
  SDL_GameControllerAddMappingsFromRW(
      SDL_RWFromConstMem(mappings.constData(), int(mappings.size())), 1);
}

GamepadReader::~GamepadReader() {
  if (!m_initialised) {
    return;
  }
  while (!m_devices.empty()) {
    removeDevice(m_devices.begin()->first);
  }
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK);
}

void GamepadReader::poll() {
  const qint64 now = m_clock.elapsed();
  QList<PadAction> actions;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    actions += handle(event, now);
  }
  actions += m_mapper.advance(now);
  // Setting a running timer's interval restarts it: only when a device came or went.
  const int interval = m_devices.empty() ? m_timing.idlePollMs : m_timing.activePollMs;
  if (m_poll.interval() != interval) {
    m_poll.setInterval(interval);
  }
  for (PadAction taken : actions) {
    Q_EMIT action(taken);
  }
  Q_EMIT polled();
}

QList<PadAction> GamepadReader::handle(const SDL_Event& event, qint64 nowMs) {
  switch (event.type) {
    case SDL_JOYDEVICEADDED:
      addDevice(event.jdevice.which);
      return {};
    case SDL_JOYDEVICEREMOVED:
      removeDevice(event.jdevice.which);
      return {};
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (const auto button = padButton(event.cbutton.button)) {
        return m_mapper.buttonChanged(event.cbutton.which, *button,
                                      event.cbutton.state == SDL_PRESSED, nowMs);
      }
      return {};
    case SDL_CONTROLLERAXISMOTION:
      switch (event.caxis.axis) {
        case SDL_CONTROLLER_AXIS_LEFTY:
          return m_mapper.stickMoved(event.caxis.which, event.caxis.value, nowMs);
        case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
          return m_mapper.triggerMoved(event.caxis.which, PadTrigger::Left, event.caxis.value,
                                       nowMs);
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
          return m_mapper.triggerMoved(event.caxis.which, PadTrigger::Right, event.caxis.value,
                                       nowMs);
        default:
          return {};
      }
    default:
      return handleJoystickOnly(event, nowMs);
  }
}

QList<PadAction> GamepadReader::handleJoystickOnly(const SDL_Event& event, qint64 nowMs) {
  // A game controller's raw joystick events would count twice: its mapped events stand for it.
  switch (event.type) {
    case SDL_JOYHATMOTION:
      if (event.jhat.hat == 0 && isJoystickOnly(event.jhat.which)) {
        const int device = event.jhat.which;
        // The arrow let go of first, so a flip from down to up moves up.
        QList<PadAction> actions = m_mapper.buttonChanged(
            device, PadButton::DpadUp, (event.jhat.value & SDL_HAT_UP) != 0, nowMs);
        actions += m_mapper.buttonChanged(device, PadButton::DpadDown,
                                          (event.jhat.value & SDL_HAT_DOWN) != 0, nowMs);
        return actions;
      }
      return {};
    case SDL_JOYAXISMOTION:
      if (event.jaxis.axis == 1 && isJoystickOnly(event.jaxis.which)) {
        return m_mapper.stickMoved(event.jaxis.which, event.jaxis.value, nowMs);
      }
      return {};
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (event.jbutton.button == 0 && isJoystickOnly(event.jbutton.which)) {
        return m_mapper.buttonChanged(event.jbutton.which, PadButton::South,
                                      event.jbutton.state == SDL_PRESSED, nowMs);
      }
      return {};
    default:
      return {};
  }
}

void GamepadReader::addDevice(int deviceIndex) {
  Device device;
  if (SDL_IsGameController(deviceIndex)) {
    device.controller = SDL_GameControllerOpen(deviceIndex);
    device.joystick =
        device.controller != nullptr ? SDL_GameControllerGetJoystick(device.controller) : nullptr;
  } else {
    device.joystick = SDL_JoystickOpen(deviceIndex);
  }
  if (device.joystick == nullptr) {
    qWarning("A game controller cannot be opened: %s", SDL_GetError());
    return;
  }
  const SDL_JoystickID id = SDL_JoystickInstanceID(device.joystick);
  if (!m_devices.emplace(id, device).second) {
    // Already open: the extra reference just taken goes again.
    closeDevice(device.controller, device.joystick);
  }
}

void GamepadReader::removeDevice(SDL_JoystickID id) {
  const auto found = m_devices.find(id);
  if (found == m_devices.end()) {
    return;
  }
  closeDevice(found->second.controller, found->second.joystick);
  m_devices.erase(found);
  m_mapper.deviceRemoved(id);
}

bool GamepadReader::isJoystickOnly(SDL_JoystickID id) const {
  const auto found = m_devices.find(id);
  return found != m_devices.end() && found->second.controller == nullptr;
}

}  // namespace vorlane
