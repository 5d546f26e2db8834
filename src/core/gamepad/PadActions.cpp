#include "core/gamepad/PadActions.h"

#include <cstdlib>

namespace vorlane {

bool actsOffDriversPage(PadAction action) {
  return action == PadAction::PreviousPage || action == PadAction::NextPage;
}

PadActionMapper::PadActionMapper(PadTiming timing) : m_timing(timing) {}

QList<PadAction> PadActionMapper::buttonChanged(int device, PadButton button, bool down,
                                                qint64 nowMs) {
  const SourceKey dpad{device, Source::Dpad};
  switch (button) {
    case PadButton::DpadUp:
    case PadButton::DpadDown: {
      const Direction pressed = button == PadButton::DpadUp ? Direction::Up : Direction::Down;
      if (down) {
        return setDirection(dpad, pressed, nowMs);
      }
      // Letting go of the other arrow leaves this one held.
      return m_directions[dpad] == pressed ? setDirection(dpad, Direction::None, nowMs)
                                           : QList<PadAction>{};
    }
    case PadButton::Back:
      m_backHeld[device] = down;
      return {};
    default:
      break;
  }
  if (!down) {
    return {};
  }
  const bool backHeld = m_backHeld[device];
  switch (button) {
    case PadButton::South:
    case PadButton::Start:
      return {PadAction::Play};
    case PadButton::West:
      return {PadAction::Checksum};
    case PadButton::North:
      return {PadAction::RandomGame};
    case PadButton::East:
      return {PadAction::ClearFilter};
    case PadButton::LeftShoulder:
      return {backHeld ? PadAction::PreviousPage : PadAction::PageUp};
    case PadButton::RightShoulder:
      return {backHeld ? PadAction::NextPage : PadAction::PageDown};
    default:
      return {};
  }
}

QList<PadAction> PadActionMapper::stickMoved(int device, int value, qint64 nowMs) {
  const SourceKey stick{device, Source::Stick};
  const int distance = std::abs(value);
  Direction direction = m_directions[stick];
  if (distance >= m_timing.stickPressAt) {
    direction = value < 0 ? Direction::Up : Direction::Down;
  } else if (distance < m_timing.stickDeadZone) {
    direction = Direction::None;
  }
  return setDirection(stick, direction, nowMs);
}

QList<PadAction> PadActionMapper::triggerMoved(int device, PadTrigger trigger, int value,
                                               qint64 /*nowMs*/) {
  bool& down = m_triggers[{device, trigger}];
  if (!down && value >= m_timing.triggerPressAt) {
    down = true;
    return {trigger == PadTrigger::Left ? PadAction::First : PadAction::Last};
  }
  if (down && value < m_timing.triggerReleaseAt) {
    down = false;
  }
  return {};
}

void PadActionMapper::deviceRemoved(int device) {
  if (m_repeating && m_repeating->first == device) {
    m_repeating.reset();
  }
  std::erase_if(m_directions, [device](const auto& entry) { return entry.first.first == device; });
  std::erase_if(m_triggers, [device](const auto& entry) { return entry.first.first == device; });
  m_backHeld.erase(device);
}

QList<PadAction> PadActionMapper::setDirection(SourceKey source, Direction direction,
                                               qint64 nowMs) {
  Direction& held = m_directions[source];
  if (held == direction) {
    return {};
  }
  held = direction;
  if (direction == Direction::None) {
    if (m_repeating == source) {
      m_repeating.reset();
    }
    return {};
  }
  // The latest source to move takes over the repeat.
  m_repeating = source;
  m_nextRepeatMs = nowMs + m_timing.firstRepeatMs;
  return {direction == Direction::Up ? PadAction::Previous : PadAction::Next};
}

QList<PadAction> PadActionMapper::advance(qint64 nowMs) {
  if (!m_repeating || nowMs < m_nextRepeatMs) {
    return {};
  }
  m_nextRepeatMs = nowMs + m_timing.repeatMs;
  return {m_directions[*m_repeating] == Direction::Up ? PadAction::Previous : PadAction::Next};
}

}  // namespace vorlane
