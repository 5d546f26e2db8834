#pragma once

#include <QString>

namespace vorlane {

// The option controls of the configuration page, as the composition sees them.
struct OptionState {
  int resolutionIndex = -1;  // Index in the resolution list, or -1 when nothing is selected
  int frameSkipIndex = -1;   // Index in the frame-skip list, or -1 when nothing is selected
  bool sync = false;
  bool debug = false;
  bool profile = false;
  bool noCheck = false;
  bool swap = false;
  bool swapKey = false;
  bool sound = false;
};

// The emulator's option text: the resolution option, " -frameskip " and the frame-skip index,
// then the text of each set flag in a fixed order. No leading or trailing blank is added.
QString composeOptionText(const OptionState& state);

}  // namespace vorlane
