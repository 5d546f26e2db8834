#pragma once

#include "core/gamepad/PadActions.h"

namespace vorlane {

struct GamepadTiming {
  PadTiming pad;
  // How often the devices are read while one is connected, and how often new ones are looked
  // for while none is.
  int activePollMs = 16;
  int idlePollMs = 250;
};

}  // namespace vorlane
