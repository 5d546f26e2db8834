#include "core/launch/OptionText.h"

#include <array>

namespace vorlane {
namespace {

// By the index of the resolution list's items.
constexpr std::array<QLatin1StringView, 6> kResolutionOptions = {
    QLatin1StringView("-200x256"), QLatin1StringView("-320x200"),
    QLatin1StringView("-400x256"), QLatin1StringView("-400x300VESA2"),
    QLatin1StringView("-640x480"), QLatin1StringView("-800x600VESA2"),
};

struct FlagOption {
  bool OptionState::*isSet;
  QLatin1StringView text;
};

// The flags in the order they are appended.
constexpr std::array<FlagOption, 7> kFlagOptions = {{
    {&OptionState::sync, QLatin1StringView(" -sync")},
    {&OptionState::debug, QLatin1StringView(" -debug")},
    {&OptionState::profile, QLatin1StringView(" -profile")},
    {&OptionState::noCheck, QLatin1StringView(" -nocheck")},
    {&OptionState::swap, QLatin1StringView(" -swap")},
    {&OptionState::swapKey, QLatin1StringView(" -swapKey")},
    {&OptionState::sound, QLatin1StringView(" -sound")},
}};

constexpr QLatin1StringView kFrameSkipOption(" -frameskip ");

QLatin1StringView resolutionOption(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= kResolutionOptions.size()) {
    return {};
  }
  return kResolutionOptions[static_cast<std::size_t>(index)];
}

}  // namespace

QString composeOptionText(const OptionState& state) {
  QString text = resolutionOption(state.resolutionIndex);
  text += kFrameSkipOption;
  text += QString::number(state.frameSkipIndex);
  for (const FlagOption& flag : kFlagOptions) {
    if (state.*flag.isSet) {
      text += flag.text;
    }
  }
  return text;
}

}  // namespace vorlane
